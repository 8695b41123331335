// The imports: text points placed through the calibration, another project's points and lines,
// calibration values from a project or the clipboard, and every refusal leaving the work intact.
#include "core/document/Digitalisation.h"
#include "core/import/Import.h"
#include "core/projet/Projet.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <map>

using namespace vuv;

namespace {

// A W x H image loaded without proportions: cal 1 at the top left (0, H-1), cal 2 at the
// bottom left (0, 0), cal 3 at the bottom right (W-1, 0).
void image_chargee(Document& d, int W, int H) {
    d.mess_3_calage_svp_et_init(false);
    d.fichier_image = "/cartes/plan.jpg";
    const int pixels[3][2] = {{0, 0}, {0, H}, {W, H}};
    const long double reels[3][2] = {{0, static_cast<long double>(H - 1)}, {0, 0}, {static_cast<long double>(W - 1), 0}};
    for (int k = 1; k <= 3; ++k) {
        d.affecte_calage(k, 0, "cal " + std::to_string(k), 0, 0, 0, reels[k - 1][1], reels[k - 1][0]);
        d.StringGrid2.set_cell(d.indice_col_cal("x"), k, _format(4, 0, pixels[k - 1][0]));
        d.StringGrid2.set_cell(d.indice_col_cal("y"), k, _format(4, 0, pixels[k - 1][1]));
        d.calage[static_cast<std::size_t>(k - 1)] = {true, pixels[k - 1][0], pixels[k - 1][1], reels[k - 1][0],
                                                     reels[k - 1][1], 0};
    }
    d.nb_calage = 3;
}

struct Ligne {
    std::string n, L, lib, X, Y, Z, x, y;
};

Ligne rang(const Document& d, int r) {
    auto c = [&](const char* nom) { return std::string(d.StringGrid1.cell(d.indice_col(nom), r)); };
    return {c("n"), c("L"), c("Libellé"), c("X"), c("Y"), c("Z"), c("x"), c("y")};
}

// Under the comma convention, every decimal point of the expected texts becomes a comma.
std::string local(std::string t) {
    for (char& ch : t)
        if (ch == '.') ch = separateur_decimal();
    return t;
}

class Import : public ::testing::TestWithParam<char> {
protected:
    void SetUp() override {
        image_chargee(d, 1200, 800);
        clic_digitaliser(d, 100, 100, MethodeCalage::trois_points, false);
        clic_digitaliser(d, 200, 150, MethodeCalage::trois_points, false);
        d.sauve = true;
    }
    SeparateurLocal sep{GetParam()};
    PortScripte p;
    PortInstalle installe{p};
    Document d;
};

INSTANTIATE_TEST_SUITE_P(Separateurs, Import, ::testing::Values('.', ','));

TEST_P(Import, texte_place_deux_points_sur_une_nouvelle_ligne) {
    const BilanTexte b = importe_points_texte(d, "0.23 111.5 pointA\r\n1.25 215.6 pointB\r\n");
    EXPECT_EQ(b.ajoutes, 2);
    EXPECT_EQ(d.nb_points, 4);
    EXPECT_EQ(d.num_ligne, 2);
    const Ligne a = rang(d, 3), c = rang(d, 4);
    EXPECT_EQ(a.n, "    3");
    EXPECT_EQ(c.n, "    4");
    EXPECT_EQ(a.L, "  2");
    EXPECT_EQ(c.L, "  2");
    EXPECT_EQ(a.lib, "pointA");
    EXPECT_EQ(c.lib, "pointB");
    EXPECT_EQ(a.X, local("0.00000000"));
    EXPECT_EQ(c.X, local("0.99916667"));
    EXPECT_EQ(a.Y, local("111.86000000"));
    EXPECT_EQ(c.Y, local("215.73000000"));
    EXPECT_EQ(a.Z, local("0.00000000"));
    EXPECT_EQ(a.x, "      0");
    EXPECT_EQ(c.x, "      1");
    EXPECT_EQ(a.y, "  688");
    EXPECT_EQ(c.y, "  584");
    EXPECT_FALSE(d.sauve);
    EXPECT_TRUE(p.messages().empty());
}

TEST_P(Import, texte_tabulation_et_apostrophe) {
    // Line 2 holds a space inside its label: split on spaces it loses the label's end. From
    // line 3 on, a tab makes the tab the separator, so "c d" stays whole.
    const BilanTexte b = importe_points_texte(d, "'10 10 ignoree\n  '20 20\n1 2 a b\n\n   \n3\t4\tc d\n5 6\te f\n");
    ASSERT_EQ(d.nb_points, 2 + 3);
    EXPECT_EQ(rang(d, 3).X, local("0.00000000")); // "  'x" is a point, at 0
    EXPECT_EQ(rang(d, 3).lib, "");
    EXPECT_EQ(rang(d, 4).lib, "a");
    EXPECT_EQ(rang(d, 5).lib, "c d");
    EXPECT_EQ(b.sans_nombres, 1); // "5 6" and "e f" are single fields: neither X nor Y
}

TEST_P(Import, texte_refuse_sans_rien_changer) {
    Document vide;
    vide.mess_3_calage_svp_et_init(false);
    vide.nb_calage = 2;
    EXPECT_EQ(importe_points_texte(vide, "1 2\n").resultat, ResultatImport::refuse);
    EXPECT_EQ(vide.nb_points, 0);
    EXPECT_TRUE(vide.sauve);

    d.calage[2].X = 0; // cal 3 now on the line of cal 1 and cal 2
    d.calage[2].Y = 5;
    EXPECT_EQ(importe_points_texte(d, "1 2\n").resultat, ResultatImport::refuse);
    EXPECT_EQ(d.nb_points, 2);
    EXPECT_EQ(d.num_ligne, 1);
    EXPECT_TRUE(d.sauve);
    EXPECT_EQ(p.textes("information"),
              (std::vector<std::string>{
                  "La calibration est incomplète (2 point(s) sur 3).\n\nLes points ne peuvent pas être placés "
                  "sur l'image : rien n'a été rajouté.",
                  "Les coordonnées réelles des 3 points de calibration sont alignées.\n\nLes points ne peuvent "
                  "pas être placés sur l'image : rien n'a été rajouté."}));
}

TEST_P(Import, texte_pixel_trop_grand_et_ligne_100) {
    const BilanTexte b = importe_points_texte(d, "20000 5 loin\n5 5 pres\n");
    EXPECT_EQ(b.ajoutes, 1);
    EXPECT_EQ(b.hors_image, 1);
    EXPECT_EQ(rang(d, 3).lib, "pres");
    EXPECT_EQ(p.textes("information"),
              std::vector<std::string>{
                  "1 point(s) tombent hors de l'image (pixel au-delà de 9999) : ils n'ont pas été rajoutés."});

    d.StringGrid1.set_cell(d.indice_col("L"), 3, " 99");
    p.oublie();
    EXPECT_EQ(importe_points_texte(d, "1 1\n").resultat, ResultatImport::refuse);
    EXPECT_EQ(d.nb_points, 3);
    EXPECT_EQ(p.textes("information"),
              std::vector<std::string>{
                  "Les points rajoutés seraient sur la ligne 100 : les lignes vont jusqu'à 99.\n\nRien n'a été rajouté."});
}

// Another project of the same image: 3 points on 2 lines.
std::string autre_projet(char sep) {
    const SeparateurLocal s(sep);
    Document a;
    image_chargee(a, 1200, 800);
    clic_digitaliser(a, 10, 20, MethodeCalage::trois_points, false);
    clic_digitaliser(a, 30, 40, MethodeCalage::trois_points, false);
    nouvelle_suite_de_points(a);
    clic_digitaliser(a, 50, 60, MethodeCalage::trois_points, false);
    a.StringGrid3.set_cell(4, 2, "route");
    return utf8_vers_cp1252(texte_projet(a, true));
}

TEST_P(Import, projet_ajoute_ses_lignes_apres_les_existantes) {
    nouvelle_suite_de_points(d);
    clic_digitaliser(d, 300, 300, MethodeCalage::trois_points, false);
    nouvelle_suite_de_points(d);
    clic_digitaliser(d, 400, 300, MethodeCalage::trois_points, false);
    ASSERT_EQ(d.num_ligne, 3);
    d.sauve = true;
    d.calage[0].Y = 1599; // a calibration of its own: the pixels stay, the real values follow it
    d.StringGrid2.set_cell(d.indice_col_cal("Y"), 1, "1599");

    ASSERT_EQ(importe_points_projet(d, autre_projet(GetParam()), "autre.trl"), ResultatImport::fait);
    EXPECT_EQ(d.nb_points, 7);
    EXPECT_EQ(d.num_ligne, 5);
    const Ligne a = rang(d, 5), c = rang(d, 7);
    EXPECT_EQ(a.n, "    5");
    EXPECT_EQ(c.n, "    7");
    EXPECT_EQ(a.L, "  4");
    EXPECT_EQ(rang(d, 6).L, "  4");
    EXPECT_EQ(c.L, "  5");
    EXPECT_EQ(a.lib, "b");
    EXPECT_EQ(c.lib, "b");
    EXPECT_EQ(a.x, "    10");
    EXPECT_EQ(a.y, "    20");
    EXPECT_EQ(a.X, local("9.99166667"));
    EXPECT_EQ(a.Y, local("1559.02500000"));
    EXPECT_EQ(d.StringGrid3.cell(0, 4), "  4");
    EXPECT_EQ(d.StringGrid3.cell(0, 5), "  5");
    EXPECT_EQ(d.StringGrid3.cell(4, 5), "route");
    EXPECT_FALSE(d.sauve);
    EXPECT_TRUE(p.messages().empty());
}

// A project as bytes, its counts and rows given.
std::string projet(const std::string& comptes, const std::string& rangs, const std::string& image = "plan.jpg") {
    return "/VUVIVIVA\r\nC:\\autre\\" + image + "\r\n/taille image LxH dx0/dy0\r\n1200  800  0  0\r\n" + comptes +
           "n,L,Libell\xe9,X,Y,Z,x,y,z\r\n" + rangs;
}
std::string comptes(const std::string& p, const std::string& l, const std::string& c) {
    return "/nombre de  points\r\n" + p + "\r\n/nombre de  lignes\r\n" + l +
           "\r\n/nombre de points de calage  X Y (Z)\r\n" + c + "\r\n";
}

TEST_P(Import, projet_abime_ne_rajoute_rien) {
    const std::string point = "1,\"  1\",,1,2,3,\"  5\",\"  6\",\r\n";
    struct Cas {
        std::string octets, message;
    };
    const Cas cas[] = {
        {projet(comptes("1000000000", "1", "0"), point),
         "Le nombre de points (ligne 6) annonce 1000000000 points, mais le fichier n'a que 6 lignes après "
         "elle.\nerreur =106"},
        {projet(comptes("-2", "1", "0"), point), "Le nombre de points (ligne 6) est négatif : -2.\nerreur =106"},
        {projet(comptes("2", "1", "0"), point + "1,4,255,x,\r\n"), "Le fichier s'arrête avant la ligne 1 sur 1."},
        {projet(comptes("1", "1", "0"), "1,\"  99\",,1,2,3,5,6,\r\n1,4,255,x,\r\n"),
         "Le point 1 serait sur la ligne 100 : les lignes vont de 0 à 99."},
        {projet(comptes("0", "99", "0"), ""), "Le fichier s'arrête avant la ligne 1 sur 99."},
    };
    for (const Cas& c : cas) {
        p.oublie();
        EXPECT_EQ(importe_points_projet(d, c.octets, "f.trl"), ResultatImport::refuse) << c.message;
        EXPECT_EQ(p.textes("information"),
                  std::vector<std::string>{"Le projet f.trl n'a pas été importé :\n\n" + c.message +
                                           "\n\nLe travail en cours est conservé tel quel."});
    }
    EXPECT_EQ(importe_points_projet(d, "/vuviviva\r\n", "f.trl"), ResultatImport::refuse);
    p.repond_non();
    EXPECT_EQ(importe_points_projet(d, projet(comptes("1", "1", "0"), point, "autre.jpg"), "f.trl"),
              ResultatImport::annule);
    EXPECT_EQ(p.textes("information").back(), " Le fichier n'est pas compatible ");
    EXPECT_EQ(p.textes("oui_non").back(), " L'image de fond <autre.jpg> est différente de l'image actuelle "
                                          "</cartes/plan.jpg> \n\n Importer malgré tout les points X Y ?");
    EXPECT_EQ(d.nb_points, 2);
    EXPECT_EQ(d.num_ligne, 1);
    EXPECT_EQ(d.StringGrid1.row_count(), 3);
    EXPECT_TRUE(d.sauve);
}

TEST_P(Import, projet_une_seule_question_pour_les_l_illisibles) {
    const std::string rangs = "1,a,,1,2,3,5,6,\r\n2,b,,1,2,3,7,8,\r\n1,4,255,x,\r\n";
    p.repond_non();
    ASSERT_EQ(importe_points_projet(d, projet(comptes("2", "1", "0"), rangs), "f.trl"), ResultatImport::fait);
    EXPECT_EQ(p.nombre("oui_non"), 1);
    EXPECT_EQ(rang(d, 3).L, "  1"); // the digits before the fault (none) plus the current line
    EXPECT_EQ(rang(d, 4).L, "  1");
}

TEST_P(Import, ProjectWithAPixelThatIsNotAWholeNumberIsRefusedBeforeAnyQuestion) {
    // Found by fuzzing: the recomputation that ends the import asked the save-and-stop question
    // once per such point, over work already changed.
    const std::string avant = texte_projet(d, true);
    struct Cas {
        std::string rangs, message;
    };
    const Cas cas[] = {
        {"1,\"  1\",,1,2,3,\"  5\",\"  6\",\r\n2,\"  1\",,1,2,3,\" 7a\",8,\r\n1,4,255,x,\r\n",
         "Le point 2 (ligne 13) : son x n'est pas un nombre entier : < 7a>."},
        {"1,\"  1\",,1,2,3,5,\"\",\r\n2,\"  1\",,1,2,3,7,8,\r\n1,4,255,x,\r\n",
         "Le point 1 (ligne 12) : son y n'est pas un nombre entier : < >."},
    };
    for (const Cas& c : cas) {
        p.oublie();
        EXPECT_EQ(importe_points_projet(d, projet(comptes("2", "1", "0"), c.rangs), "f.trl"), ResultatImport::refuse);
        EXPECT_EQ(p.nombre("oui_non"), 0);
        EXPECT_EQ(p.textes("information"),
                  std::vector<std::string>{"Le projet f.trl n'a pas été importé :\n\n" + c.message +
                                           "\n\nLe travail en cours est conservé tel quel."});
        EXPECT_EQ(texte_projet(d, true), avant);
    }
}

TEST_P(Import, calage_d_un_projet_garde_pixels_et_libelles) {
    // Five calibration rows: the first three are taken.
    const std::string rangs = "1,0,\"cal A\",\"  100.5\",200,7,1,2,\r\n2,0,x,300,400,,3,4,\r\n"
                              "3,0,y,500,600,9,5,6,\r\n4,0,z,1,1,1,1,1,\r\n5,0,w,1,1,1,1,1,\r\n";
    ASSERT_EQ(importe_calage_projet(d, projet(comptes("0", "0", "5"), rangs), "f.trl"), ResultatImport::fait);
    const Grille& g = d.StringGrid2;
    auto cell = [&](const char* nom, int r) { return std::string(g.cell(d.indice_col_cal(nom), r)); };
    EXPECT_EQ(cell("X", 1), "  100.5");
    EXPECT_EQ(cell("Y", 3), "600");
    EXPECT_EQ(cell("Z", 2), " "); // an empty field between commas
    EXPECT_EQ(cell("Libellé", 1), "cal 1");
    EXPECT_EQ(cell("x", 3), "1200");
    EXPECT_EQ(cell("y", 2), "  800");
    EXPECT_EQ(d.calage[0].X, 100.5L);
    EXPECT_EQ(d.calage[2].Z, 9.0L);
    EXPECT_EQ(d.calage[2].x, 1200);
    EXPECT_FALSE(d.sauve);
    // Pixel (100, 100): 300 + 7/8 (100.5 - 300) + 1/12 (500 - 300)
    EXPECT_EQ(rang(d, 1).X, local("142.10416667"));
}

TEST_P(Import, calage_du_presse_papier) {
    importe_calage_texte(d, "10 20 30\r\n40\t50\r\n60\t70\t80\n90 90 90\n");
    const Grille& g = d.StringGrid2;
    auto cell = [&](const char* nom, int r) { return std::string(g.cell(d.indice_col_cal(nom), r)); };
    EXPECT_EQ(cell("X", 1), "10");
    EXPECT_EQ(cell("Z", 1), "30");
    EXPECT_EQ(cell("Y", 2), "50");
    EXPECT_EQ(cell("Z", 2), local("            0.0000")); // two fields leave Z
    EXPECT_EQ(cell("Z", 3), "80");
    EXPECT_EQ(cell("X", 3), "60");
    EXPECT_EQ(d.calage[1].X, 40.0L);
    EXPECT_FALSE(d.sauve);
    importe_calage_texte(d, "1.5 -2\n");
    EXPECT_EQ(cell("X", 1), local("1.5"));
    EXPECT_EQ(cell("Y", 1), "-2");
}

} // namespace

namespace {

// A worksheet given by its cells.
struct FeuilleTest : Feuille {
    std::map<std::pair<int, int>, std::string> cellules;
    std::string cellule(int colonne, int ligne) const override {
        const auto i = cellules.find({colonne, ligne});
        return i == cellules.end() ? std::string() : i->second;
    }
};

TEST_P(Import, tableur_colonnes_et_lignes_ignorees) {
    FeuilleTest f;
    const std::string v = GetParam() == ',' ? "," : ".";
    auto ligne = [&](int r, std::string X, std::string Y, std::string lib, std::string Z) {
        f.cellules[{1, r}] = X;
        f.cellules[{2, r}] = Y;
        f.cellules[{3, r}] = lib;
        f.cellules[{12, r}] = Z;
    };
    ligne(5, "0" + v + "23", "111" + v + "5", "pointA", "12");
    ligne(6, "1" + v + "25", "215" + v + "6", "Église", "abc");
    ligne(7, "x=3", "5", "", "");
    ligne(8, "07/12/2026", "7", "", "");
    ligne(9, "1000" + v + "5", "-0" + v + "5", "3", "");
    const BilanTexte b = importe_points_tableur(d, f, {});
    EXPECT_EQ(b.ajoutes, 3);
    EXPECT_EQ(rang(d, 3).Z, local("12.00000000"));
    EXPECT_EQ(rang(d, 4).Z, local("0.00000000"));
    EXPECT_EQ(rang(d, 4).lib, "Église");
    const Ligne c = rang(d, 5);
    EXPECT_EQ(c.x, "1001");
    EXPECT_EQ(c.y, "  801");
    EXPECT_EQ(c.X, local("1000.16583333"));
    EXPECT_EQ(c.Y, local("-0.99875000"));
    EXPECT_EQ(c.lib, "3");

    // An empty X at the first row ends at once.
    EXPECT_EQ(importe_points_tableur(d, f, {3, 1, 2, 12, 4}).ajoutes, 0);
    EXPECT_EQ(importe_points_tableur(d, f, {3, 1, 2, 12, 1000000000}).ajoutes, 0);
    EXPECT_EQ(d.nb_points, 5);
}

TEST(ImportTableur, colonnes_hors_limites) {
    EXPECT_EQ(colonnes_invalides({3, 0, 2, 12, 5}), "La colonne X vaut 0 : elle va de 1 à 256.");
    EXPECT_EQ(colonnes_invalides({-1, 1, 2, 12, 5}), "La colonne Libellé vaut -1 : elle va de 1 à 256.");
    EXPECT_EQ(colonnes_invalides({3, 1, 300, 12, 5}), "La colonne Y vaut 300 : elle va de 1 à 256.");
    EXPECT_EQ(colonnes_invalides({3, 1, 2, 257, 5}), "La colonne Z vaut 257 : elle va de 0 (sans Z) à 256.");
    EXPECT_EQ(colonnes_invalides({3, 1, 2, 0, 0}), "La ligne de début vaut 0 : elle commence à 1.");
    EXPECT_EQ(colonnes_invalides({256, 1, 2, 0, 1}), "");
}

} // namespace
