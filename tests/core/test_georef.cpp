// Companion files of georeferenced backgrounds (.tab, .hdr): the cells they give under both
// separators, the mended readings, refused files and the image beside a header.
#include "core/document/Document.h"
#include "core/georef/Compagnon.h"
#include "core/text/encodage.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"
#include "tests/support/FichiersEssai.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace vuv;
namespace fs = std::filesystem;

namespace {

using Cellules = std::vector<std::string>;

const std::string tab_exemple = "!table\r\n!version 300\r\n!charset WindowsLatin1\r\n\r\n"
                                "Definition Table\r\n  File \"carte.jpg\"\r\n  Type \"RASTER\"\r\n"
                                "  (600000,2100000) (0,0) Label \"Pt 1\",\r\n"
                                "  (610000,2100000) (2000,0) Label \"Pt 2\",\r\n"
                                "  (610000,2090000) (2000,2000) Label \"Pt 3\"\r\n"
                                "  CoordSys Earth Projection 1, 104 Bounds (-1000, -1000) (1000, 1000)\r\n"
                                "  Units \"m\"\r\n";

std::string hdr(const std::string& ydim) {
    return "xdim 2.5\nydim " + ydim + "\nncols 4000\nnrows 3000\nulxmap 500000\nulymap 2000000\n";
}

const std::string hdr_second = "xdim 0.5\r\nydim -0.25\r\nncols 2000\r\nnrows 1000\r\n"
                               "ulxmap 651234.25\r\nulymap 1800000.75\r\n";

class Georef : public ::testing::TestWithParam<char> {
protected:

    std::string ecrit(const std::string& nom, const std::string& octets) const {
        const std::string chemin = (dossier_ / nom).string();
        std::ofstream(chemin, std::ios::binary) << octets;
        return chemin;
    }
    std::string loc(std::string t) const {
        for (char& c : t)
            if (c == '.') c = GetParam();
        return t;
    }
    static Cellules cellules(const CalageCompagnon& c, std::string PointCompagnon::*champ) {
        return {c.points[0].*champ, c.points[1].*champ, c.points[2].*champ};
    }
    static std::vector<std::int64_t> pixels(const CalageCompagnon& c, std::int64_t PointCompagnon::*champ) {
        return {c.points[0].*champ, c.points[1].*champ, c.points[2].*champ};
    }
    static Cellules colonne(const Document& d, const char* nom) {
        const int c = d.indice_col_cal(nom);
        return {std::string(d.StringGrid2.cell(c, 1)), std::string(d.StringGrid2.cell(c, 2)), std::string(d.StringGrid2.cell(c, 3))};
    }
    // Where the calibrated document puts an overlay pixel.
    static std::pair<long double, long double> reel_de(const Document& d, int x, int y) {
        long double X = -1, Y = -1;
        d.repere_carte(x, y, X, Y);
        return {X, Y};
    }

    const vuv::octets::DossierEssai essai_{"georef_"};
    fs::path dossier_ = essai_.chemin();
    SeparateurLocal separateur_{GetParam()};
    PortScripte port_;
    PortInstalle installe_{port_};
};

INSTANTIATE_TEST_SUITE_P(DeuxSeparateurs, Georef, ::testing::Values('.', ','),
                         [](const auto& i) { return i.param == '.' ? "point" : "virgule"; });

using P = std::pair<long double, long double>;

TEST_P(Georef, TabExampleGivesItsCellsAndMapsThePixels) {
    const CalageCompagnon c = lit_tab(ecrit("carte.tab", tab_exemple));
    ASSERT_TRUE(c) << c.erreur;
    EXPECT_EQ(c.image, "carte.jpg");
    EXPECT_EQ(cellules(c, &PointCompagnon::X), (Cellules{"600000", "610000", "610000"}));
    EXPECT_EQ(cellules(c, &PointCompagnon::Y), (Cellules{"2100000", "2100000", "2090000"}));
    EXPECT_EQ(pixels(c, &PointCompagnon::x), (std::vector<std::int64_t>{0, 2000, 2000}));
    EXPECT_EQ(pixels(c, &PointCompagnon::y), (std::vector<std::int64_t>{0, 0, 2000}));

    Document d;
    ASSERT_EQ(applique_calage(d, c), "");
    EXPECT_EQ(colonne(d, "Z"), (Cellules{"0", "0", "0"}));
    EXPECT_EQ(colonne(d, "x"), (Cellules{"0", "2000", "2000"}));
    EXPECT_EQ(colonne(d, "y"), (Cellules{"0", "0", "2000"}));
    EXPECT_EQ(d.nb_calage, 3);
    EXPECT_FALSE(d.sauve);
    EXPECT_EQ(reel_de(d, 1000, 1000), P(605000, 2095000));
}

TEST_P(Georef, TabDecimalsTakeTheLocalSeparatorAndNamesReadBackslashes) {
    const CalageCompagnon c = lit_tab(ecrit("d.tab", "File \"sub\\carte.jpg\"\nType \"RASTER\"\n"
                                                     "  ( 600000.5 , -2100000.25 ) ( 0 , 0 )\n"
                                                     "\t(610000,2100000) (2000,0)\n\n(610000,2.09E6) (2000,2000)\n"));
    ASSERT_TRUE(c) << c.erreur;
    EXPECT_EQ(c.image, "sub/carte.jpg");
    EXPECT_EQ(cellules(c, &PointCompagnon::X)[0], loc("600000.5"));
    EXPECT_EQ(cellules(c, &PointCompagnon::Y), (Cellules{loc("-2100000.25"), "2100000", loc("2.09E6")}));
    Document d;
    ASSERT_EQ(applique_calage(d, c), "");
    EXPECT_EQ(d.calage[0].X, 600000.5L);
    EXPECT_EQ(d.calage[2].Y, 2090000.0L);

    EXPECT_EQ(chemin_image_tab("/cartes/a.tab", c.image), "/cartes/sub/carte.jpg");
    EXPECT_EQ(chemin_image_tab("/cartes/a.tab", "/ailleurs/carte.jpg"), "/ailleurs/carte.jpg");
}

TEST_P(Georef, TabRefusalsNameTheFileTheLineAndTheFault) {
    const std::string debut = "File \"c.jpg\"\nType \"RASTER\"\n";
    const std::string p2 = "(610000,2100000) (2000,0)\n";
    const std::string p3 = "(610000,2090000) (2000,2000)\n";
    const struct {
        std::string texte, message;
    } cas[] = {
        // Two point lines: a later "Bounds (...)" clause never supplies the third.
        {debut + "(600000,2100000) (0,0)\n" + p2 + "CoordSys Earth Bounds (1, 2) (3, 4)\n",
         "3 points de calage (X,Y) (x,y) attendus après Type, 2 trouvés"},
        {"Type \"RASTER\"\n(1,2) (3,4)\n", "la clé File (nom de l'image) est absente"},
        {"  File carte.jpg\nType\n", "ligne 1 : le nom de l'image qui suit File n'est pas entre guillemets"},
        {"File \"\"\nType\n", "ligne 1 : le nom de l'image est vide"},
        {"Type \"RASTER\"\nFile \"c.jpg\"\n(1,2) (3,4)\n", "la clé Type est absente après File"},
        {debut + "(600000,2100000) (0,0)\n(6l0000,2100000) (2000,0)\n" + p3,
         "ligne 4 : <6l0000> n'est pas un nombre"},
        {debut + "(600000,2100000) (0.5,0)\n" + p2 + p3, "ligne 3 : <0.5> n'est pas un pixel entier"},
        {debut + "(600000,2100000) (0,0)\n(610000,2100000) 2000,0\n" + p3,
         "ligne 4 : point de calage illisible, (X,Y) (x,y) attendu"},
        {debut + "(600000,2100000) (0,0)\n(610000,2100000) (1000,1000)\n(610000,2090000) (2000,2000)\n",
         "les trois points de calage sont alignés sur l'image"},
        {debut + "(600000,2100000) (0,0)\n(610000,2100000) (2000,0)\n(620000,2100000) (2000,2000)\n",
         "les trois points de calage sont alignés en coordonnées réelles"},
    };
    for (const auto& k : cas) {
        const std::string chemin = ecrit("f.tab", k.texte);
        const CalageCompagnon c = lit_tab(chemin);
        EXPECT_FALSE(c) << k.texte;
        EXPECT_EQ(c.erreur, "Fichier <" + chemin + ">" + (k.message.rfind("ligne", 0) == 0 ? ", " : " : ") +
                                k.message);
    }
}

TEST_P(Georef, HdrExamplesUnderEitherSignOfYdim) {
    for (const std::string ydim : {"-2.5", "2.5"}) {
        const CalageCompagnon c = lit_hdr(ecrit("carte.hdr", hdr(ydim)));
        ASSERT_TRUE(c) << c.erreur;
        EXPECT_EQ(cellules(c, &PointCompagnon::X), (Cellules{"500000", "500000", "510000"})) << ydim;
        EXPECT_EQ(cellules(c, &PointCompagnon::Y), (Cellules{"2000000", "1992500", "1992500"})) << ydim;
        EXPECT_EQ(pixels(c, &PointCompagnon::x), (std::vector<std::int64_t>{0, 0, 4000}));
        EXPECT_EQ(pixels(c, &PointCompagnon::y), (std::vector<std::int64_t>{0, 3000, 3000}));
        EXPECT_EQ(c.image, "");
    }

    const CalageCompagnon c = lit_hdr(ecrit("b.hdr", hdr_second));
    ASSERT_TRUE(c) << c.erreur;
    Document d;
    ASSERT_EQ(applique_calage(d, c), "");
    EXPECT_EQ(colonne(d, "X"), (Cellules{loc("651234.25"), loc("651234.25"), loc("652234.25")}));
    EXPECT_EQ(colonne(d, "Y"), (Cellules{loc("1800000.75"), loc("1799750.75"), loc("1799750.75")}));
    EXPECT_EQ(colonne(d, "x"), (Cellules{"0", "0", "2000"}));
    EXPECT_EQ(reel_de(d, 1000, 500), P(651734.25L, 1799875.75L));
}

TEST_P(Georef, HdrValueIsReadOnItsKeysOwnLine) {
    // A key followed by a tab: read as the first space would have it, xdim took the next
    // line's value.
    const CalageCompagnon c = lit_hdr(ecrit("t.hdr", "xdim\t2.5\nydim -2.5\nncols\t \t4000\r\n"
                                                     "byteorder M\nnrows 3000\n  ulxmap\t500000\nulymap 2,000000e6\n"));
    ASSERT_TRUE(c) << c.erreur;
    EXPECT_EQ(cellules(c, &PointCompagnon::X), (Cellules{"500000", "500000", "510000"}));
    EXPECT_EQ(cellules(c, &PointCompagnon::Y), (Cellules{"2000000", "1992500", "1992500"}));
}

TEST_P(Georef, HdrRefusalsNameTheKeyAndTheValue) {
    const struct {
        std::string texte, message;
    } cas[] = {
        {"XDIM 2.5\nYDIM -2.5\nNCOLS 4\nNROWS 3\nULXMAP 5\nULYMAP 2\n",
         "la clé xdim est absente (les clés s'écrivent en minuscules : XDIM n'est pas reconnue)"},
        {"ydim -2.5\nxdim 2.5\nncols 4\nnrows 3\nulxmap 5\nulymap 2\n",
         "ligne 1 : la clé ydim est mal placée : elle doit suivre xdim"},
        {"xdim 2.5\nydim -2.5\nncols 4\nnrows 3\nulxmap 5\n", "la clé ulymap est absente"},
        {"xdim\nydim -2.5\nncols 4\nnrows 3\nulxmap 5\nulymap 2\n", "ligne 1 : xdim : <> n'est pas un nombre"},
        {"xdim 2.5 m\nydim -2.5\nncols 4\nnrows 3\nulxmap 5\nulymap 2\n",
         "ligne 1 : xdim : <2.5 m> n'est pas un nombre"},
        {"xdim 0\nydim -2.5\nncols 4\nnrows 3\nulxmap 5\nulymap 2\n", "ligne 1 : xdim doit être positif, lu <0>"},
        {"xdim 2\nydim 0.0\nncols 4\nnrows 3\nulxmap 5\nulymap 2\n", "ligne 2 : ydim ne peut pas être nul"},
        {"xdim 2\nydim 1\nncols 0\nnrows 3\nulxmap 5\nulymap 2\n",
         "ligne 3 : ncols doit être un nombre entier de 1 à 2147483647, lu <0>"},
        {"xdim 2\nydim 1\nncols 4\nnrows 4294967296\nulxmap 5\nulymap 2\n",
         "ligne 4 : nrows doit être un nombre entier de 1 à 2147483647, lu <4294967296>"},
        {"xdim 2\nydim 1\nncols 4.0\nnrows 3\nulxmap 5\nulymap 2\n",
         "ligne 3 : ncols doit être un nombre entier de 1 à 2147483647, lu <4.0>"},
        {"xdim 1e5000\nydim 1\nncols 4\nnrows 3\nulxmap 5\nulymap 2\n",
         "ligne 1 : xdim : <1e5000> n'est pas un nombre"},
        {"xdim 1e4930\nydim 1\nncols 2000000000\nnrows 3\nulxmap 5\nulymap 2\n",
         "les coordonnées des coins de l'image dépassent les nombres possibles"},
        {"xdim 1e-10\nydim 1\nncols 1\nnrows 3\nulxmap 1e30\nulymap 2\n",
         "les trois points de calage sont alignés en coordonnées réelles"},
    };
    for (const auto& k : cas) {
        const std::string chemin = ecrit("f.hdr", k.texte);
        const CalageCompagnon c = lit_hdr(chemin);
        EXPECT_FALSE(c) << k.texte;
        EXPECT_EQ(c.erreur, "Fichier <" + chemin + ">" + (k.message.rfind("ligne", 0) == 0 ? ", " : " : ") +
                                k.message);
    }
}

TEST_P(Georef, FilesThatAreNotCompanionsAreRefusedWithoutCrashing) {
    const std::string vide = ecrit("vide.tab", "");
    EXPECT_EQ(lit_tab(vide).erreur, "Fichier <" + vide + "> : le fichier est vide");
    const std::string blanc = ecrit("blanc.hdr", " \r\n\t\n");
    EXPECT_EQ(lit_hdr(blanc).erreur, "Fichier <" + blanc + "> : le fichier est vide");

    const std::string nul = ecrit("nul.hdr", hdr("-2.5") + std::string(1, '\0') + "\n");
    EXPECT_EQ(lit_hdr(nul).erreur, "Fichier <" + nul + "> : ce n'est pas un fichier texte (octet nul à la position " +
                                       std::to_string(hdr("-2.5").size() + 1) + ")");

    // The largest companion accepted, then one byte more; a 1 MB line.
    std::string pile = hdr("-2.5");
    pile += std::string(static_cast<std::size_t>(taille_max_compagnon) - pile.size(), ' ');
    EXPECT_TRUE(lit_hdr(ecrit("pile.hdr", pile)));
    const std::string gros = ecrit("gros.hdr", pile + " ");
    EXPECT_EQ(lit_hdr(gros).erreur, "Fichier <" + gros + "> : fichier trop grand (plus de 65536 octets)");
    EXPECT_FALSE(lit_tab(ecrit("ligne.tab", tab_exemple + std::string(1 << 20, 'A') + "\n")));

    const std::string absent = (dossier_ / "absent.tab").string();
    EXPECT_EQ(lit_tab(absent).erreur, "Fichier <" + absent + "> : impossible à lire");
    fs::create_directories(dossier_ / "dossier.hdr");
    EXPECT_FALSE(lit_hdr((dossier_ / "dossier.hdr").string()));

    // Every cut of a sound file, and random bytes: a result or a message, nothing else.
    for (const std::string& bon : {tab_exemple, hdr("2.5")}) {
        for (std::size_t n = 0; n < bon.size(); ++n) {
            const std::string chemin = ecrit("coupe", bon.substr(0, n));
            const CalageCompagnon t = lit_tab(chemin), h = lit_hdr(chemin);
            EXPECT_EQ(t.erreur.empty(), static_cast<bool>(t));
            EXPECT_TRUE(h || h.erreur.rfind("Fichier <", 0) == 0);
        }
    }
    std::mt19937 alea(13);
    for (int i = 0; i < 200; ++i) {
        std::string octets(alea() % 300, '\0');
        static const char lettres[] = "(),.0123456789 \n\t\"FileTypxdimncolsrwulap\xE9";
        for (char& o : octets) o = lettres[alea() % (sizeof lettres - 1)];
        const std::string chemin = ecrit("alea", octets);
        EXPECT_NO_FATAL_FAILURE((void)lit_tab(chemin));
        EXPECT_NO_FATAL_FAILURE((void)lit_hdr(chemin));
    }
    EXPECT_EQ(port_.nombre("oui_non"), 0) << "no val_entier question on a companion";
}

TEST_P(Georef, CompanionTextIsUtf8OnlyWhenItIsValidUtf8) {
    const std::string corps = "\"\nType \"RASTER\"\n(0,1) (0,0)\n(0,0) (0,10)\n(1,0) (10,10)\n";
    EXPECT_EQ(lit_tab(ecrit("u.tab", "File \"\xC3\x89glise.jpg" + corps)).image, "Église.jpg");
    EXPECT_EQ(lit_tab(ecrit("w.tab", "File \"\xC9glise.jpg" + corps)).image, "Église.jpg");
    EXPECT_EQ(lit_tab(ecrit("b.tab", "\xEF\xBB\xBF" "File \"\xC3\x89.jpg" + corps)).image, "É.jpg");
    // A truncated sequence: not UTF-8, so every byte is a Windows-1252 character.
    EXPECT_EQ(texte_de_fichier("\xC3\x89\xC3"), "Ã‰Ã");
    EXPECT_EQ(texte_de_fichier("\xED\xA0\x80"), "í\u00A0€") << "a surrogate is not UTF-8";
}

TEST_P(Georef, HdrImageIsFoundWhateverTheCaseBitmapFirst) {
    const std::string c = ecrit("carte.hdr", hdr("-2.5"));
    EXPECT_EQ(image_hdr(c), "");
    EXPECT_EQ(image_hdr_manquante(c), (dossier_ / "carte.TIF").string());
    ecrit("Carte.Tif", "x");
    EXPECT_EQ(image_hdr(c), (dossier_ / "Carte.Tif").string());
    ecrit("CARTE.jpg", "x");
    EXPECT_EQ(image_hdr(c), (dossier_ / "CARTE.jpg").string());
    fs::create_directories(dossier_ / "carte.bmp");
    EXPECT_EQ(image_hdr(c), (dossier_ / "CARTE.jpg").string()) << "a folder is no image";
    ecrit("cartE.BMP", "x");
    EXPECT_EQ(image_hdr(c), (dossier_ / "cartE.BMP").string());
}

TEST_P(Georef, ShiftedPixelsOutsideThirtyTwoBitsChangeNothing) {
    CalageCompagnon c = lit_hdr(ecrit("m.hdr", "xdim 1\nydim 1\nncols 2147483647\nnrows 3\nulxmap 0\nulymap 0\n"));
    ASSERT_TRUE(c) << c.erreur;
    Document d;
    d.dx0 = 1;
    const Cellules avant = colonne(d, "x");
    EXPECT_EQ(applique_calage(d, c),
              "Le point de calage 3 (2147483648, 3) sort des pixels possibles : calibration inchangée");
    EXPECT_EQ(colonne(d, "x"), avant);
    EXPECT_EQ(d.nb_calage, 0);
    EXPECT_TRUE(d.sauve);
}

} // namespace
