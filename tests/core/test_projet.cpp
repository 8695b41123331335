// The project file: comma lists, the writer byte for byte, the reader's checks and messages.
#include "LimiteTaille.h"
#include "core/document/Digitalisation.h"
#include "core/fichiers/EcritureSure.h"
#include "core/projet/LecteurTexte.h"
#include "core/projet/ListeVirgules.h"
#include "core/projet/Projet.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"
#include "tests/support/FichiersEssai.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace vuv;
namespace fs = std::filesystem;

namespace {

using vuv::octets::ecrit;
using vuv::octets::lit;

class Projet : public ::testing::Test {
protected:

    // The worked example: plan.jpg in a 1200 x 900 background, three calibration points,
    // two points on line 1.
    void exemple(Document& d) {
        d.mess_3_calage_svp_et_init(false);
        d.fichier_image = "C:\\cartes\\plan.jpg";
        d.largeur_fond = 1200;
        d.hauteur_fond = 900;
        for (auto [x, y] : {std::pair{100, 100}, {100, 300}, {400, 300}})
            clic_digitaliser(d, x, y, MethodeCalage::trois_points, false);
        clic_digitaliser(d, 250, 200, MethodeCalage::trois_points, false);
        clic_digitaliser(d, 400, 100, MethodeCalage::trois_points, false);
    }

    // Reading with scripted answers and a window side that records what it was asked.
    struct Actions : ActionsLecture {
        std::vector<std::string> appels;
        bool fond = true;
        void dispose_carte_tableau() override { appels.push_back("dispose"); }
        bool prepare_fond(const std::string& image, const TailleFond& t) override {
            appels.push_back("prepare " + image + " " + std::to_string(t.largeur) + "x" + std::to_string(t.hauteur));
            return fond;
        }
        void installe_fond(Document& d) override { appels.push_back("fond " + d.fichier_image); }
        void fin_lecture(Document&) override { appels.push_back("fin"); }
    };

    // A refusal as the reader words it.
    std::string refus(const std::string& nom, const std::string& quoi) const {
        return "Le projet " + (dossier / nom).string() + " n'a pas été ouvert :\n\n" + quoi +
               "\n\nLe travail en cours est conservé tel quel.";
    }

    SeparateurLocal sep{'.'};
    PortScripte port_;
    PortInstalle installe{port_};
    const vuv::octets::DossierEssai essai_{"projet_"};
    fs::path dossier = essai_.chemin();
};

const std::string cal_entete = "n,L,Libell\xE9,X,Y,Z,x,y,z\r\n";

std::string fichier_exemple() {
    const std::string d12 = "\"            ";
    return "/VUVIVIVA\r\n"
           "C:\\cartes\\plan.jpg\r\n"
           "/taille image LxH dx0/dy0\r\n"
           "1200  900  0  0\r\n"
           "/nombre de  points\r\n2\r\n"
           "/nombre de  lignes\r\n1\r\n"
           "/nombre de points de calage  X Y (Z)\r\n3\r\n" +
           cal_entete +
           "1,0,\"cal 1\"," + d12 + "0.0000\"," + d12 + "1.0000\"," + d12 + "0.0000\",\"  100\",\"  100\",\r\n" +
           "2,0,\"cal 2\"," + d12 + "0.0000\"," + d12 + "0.0000\"," + d12 + "0.0000\",\"  100\",\"  300\",\r\n" +
           "3,0,\"cal 3\"," + d12 + "1.0000\"," + d12 + "0.0000\"," + d12 + "0.0000\",\"  400\",\"  300\",\r\n" +
           "\"    1\",\"  1\",,0.50000000,0.50000000,0.00000000,\"  250\",\"  200\",\r\n"
           "\"    2\",\"  1\",,1.00000000,1.00000000,0.00000000,\"  400\",\"  100\",\r\n"
           "1,4,255,x,\r\n";
}

} // namespace

TEST(ListeVirgules, WritingQuotesOnlyWhatMustBeQuoted) {
    Grille g(5, 1);
    g.set_cell(0, 0, "plain");
    g.set_cell(1, 0, "a b");
    g.set_cell(2, 0, "dit \"oui\"");
    g.set_cell(3, 0, "1,5");
    EXPECT_EQ(ecrit_liste_virgules(g, 0), "plain,\"a b\",\"dit \"\"oui\"\"\",\"1,5\",");
    g.set_cell(4, 0, "Libellé");
    const std::string l = ecrit_liste_virgules(g, 0);
    EXPECT_EQ(l.substr(l.size() - 9), ",Libellé") << "non-ASCII text is not quoted";
}

TEST(ListeVirgules, ReadingFillsTheLeftmostEmptyCells) {
    Grille g(5, 2);
    g.set_cell(4, 1, "ancien");
    lit_liste_virgules(g, 1, "  a,,\"b \"\"c\"\", d\"x,");
    EXPECT_EQ(g.cell(0, 1), "a");
    EXPECT_EQ(g.cell(1, 1), " ") << "an empty field still takes its cell";
    EXPECT_EQ(g.cell(2, 1), "b \"c\", d");
    EXPECT_EQ(g.cell(3, 1), "x") << "text after a closing quote starts the next field";
    EXPECT_EQ(g.cell(4, 1), "") << "the row is emptied first; a final comma adds no field";

    lit_liste_virgules(g, 1, "a b,c,d,e,f,g");
    EXPECT_EQ(g.cell(0, 1), "a");
    EXPECT_EQ(g.cell(1, 1), "b") << "a space ends an unquoted field";
    EXPECT_EQ(g.cell(4, 1), "e") << "fields beyond the last cell are dropped";

    lit_liste_virgules(g, 1, "\"non fermé");
    EXPECT_EQ(g.cell(0, 1), "non fermé");
    lit_liste_virgules(g, 1, "");
    EXPECT_EQ(g.cell(0, 1), "");
    lit_liste_virgules(g, 1, std::string("a\0b", 3));
    EXPECT_EQ(g.cell(1, 1), "");
}

// Long fields cross the eight-byte words the scanners read at once.
TEST(ListeVirgules, LongFieldsAcrossWords) {
    Grille g(5, 2);
    g.set_cell(0, 0, "6860945.60331752");
    g.set_cell(1, 0, "rivière de l'Ouest\tbras \"nord\"");
    g.set_cell(2, 0, "abcdefghijklmnop\"");
    g.set_cell(3, 0, "Libellé très long sans rien");
    g.set_cell(4, 0, "0123456789abcdef,");
    const std::string l = ecrit_liste_virgules(g, 0);
    EXPECT_EQ(l, "6860945.60331752,\"rivière de l'Ouest\tbras \"\"nord\"\"\",\"abcdefghijklmnop\"\"\","
                 "\"Libellé très long sans rien\",\"0123456789abcdef,\"");
    lit_liste_virgules(g, 1, l);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(g.cell(c, 1), g.cell(c, 0)) << c;

    lit_liste_virgules(g, 1, "0123456789abcdefgh\tsuite,\"quote\"\"d \"\"apres\"\"\"x");
    EXPECT_EQ(g.cell(0, 1), "0123456789abcdefgh") << "a tab past the first word ends the field";
    EXPECT_EQ(g.cell(1, 1), "suite");
    EXPECT_EQ(g.cell(2, 1), "quote\"d \"apres\"");
    EXPECT_EQ(g.cell(3, 1), "x");
    lit_liste_virgules(g, 1, std::string("\"0123456789\0abc\",b", 17));
    EXPECT_EQ(g.cell(0, 1), "0123456789") << "a NUL inside a quoted field ends the line";
    EXPECT_EQ(g.cell(1, 1), "");
    lit_liste_virgules(g, 1, std::string("\"ab\"\"cdefghij\0kl\",b", 20));
    EXPECT_EQ(g.cell(0, 1), "ab\"cdefghij");
    EXPECT_EQ(g.cell(1, 1), "");
}

// The wide paths count by lanes and blocks: every length around their edges, line feeds
// anywhere, and bytes that differ from a line feed only by the high bit.
TEST(CompteLf, CountsEveryLineFeedAtAnyLength) {
    std::uint32_t graine = 7;
    for (const std::size_t longueur : {0u, 1u, 7u, 8u, 9u, 31u, 32u, 33u, 2039u, 2040u, 2041u, 2048u, 5000u}) {
        std::string t(longueur, 'a');
        for (char& c : t) {
            graine = graine * 1103515245u + 12345u;
            const unsigned tirage = (graine >> 16) % 4;
            c = tirage == 0 ? '\n' : tirage == 1 ? '\x8A' : tirage == 2 ? '\r' : 'x';
        }
        const auto attendu = static_cast<std::size_t>(std::count(t.begin(), t.end(), '\n'));
        ASSERT_EQ(compte_lf(t), attendu) << longueur;
        ASSERT_EQ(compte_lf_par_mots(t), attendu) << longueur;
    }
    EXPECT_EQ(compte_lf(std::string(600000, '\n')), 600000u);
    EXPECT_EQ(compte_lf_par_mots(std::string(600000, '\n')), 600000u) << "a byte counter per lane must not overflow";
}

TEST(LitFichier, ReadsWhateverSizeTheSystemReports) {
    EXPECT_NE(lit_fichier("/proc/self/status").find("Name:"), std::string::npos) << "a size of 0 is not trusted";
    const fs::path vide = fs::path(::testing::TempDir()) / ("vide_" + std::to_string(::getpid()));
    ecrit(vide, "");
    EXPECT_EQ(lit_fichier(vide.string()), "");
    const std::string gros(200000, 'a');
    ecrit(vide, gros);
    EXPECT_EQ(lit_fichier(vide.string()), gros);
    fs::remove(vide);
    EXPECT_THROW(lit_fichier(vide.string()), ErreurFichier);
}

// Rows read straight from the bytes must be those that cutting the lines first gives, for
// every mix of quotes, blanks, NULs, line ends and Windows-1252 bytes.
TEST(ListeVirgules, RowsFromTheBytesMatchRowsFromTheLines) {
    const std::string alphabet = std::string("aZ19.,,\"\"\"  \t\r\n\xE9\x80") + std::string(1, '\0');
    std::uint32_t graine = 2024;
    auto hasard = [&graine](std::size_t borne) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<std::size_t>((graine >> 16) % borne);
    };
    for (int essai = 0; essai < 400; ++essai) {
        std::string octets(hasard(160), ' ');
        for (char& c : octets) c = alphabet[hasard(alphabet.size())];
        if (essai % 3 == 0) octets += std::string(40, 'x') + "\"long field ending past a word\",9";
        const int n = 1 + static_cast<int>(std::count(octets.begin(), octets.end(), '\n')) +
                      static_cast<int>(std::count(octets.begin(), octets.end(), '\r')) + 2;
        Grille par_lignes(4, 1), par_octets(4, 1);
        LecteurListes a, b;
        LecteurTexte f(octets);
        for (int r = 0; r < n; ++r) a.ajoute(par_lignes, f.ligne());
        const std::size_t fin = b.ajoute_lignes(par_octets, octets, 0, n);
        ASSERT_EQ(fin, f.position()) << essai;
        ASSERT_EQ(par_octets.row_count(), par_lignes.row_count());
        for (int r = 0; r < par_lignes.row_count(); ++r)
            for (int c = 0; c < 4; ++c) ASSERT_EQ(par_octets.cell(c, r), par_lignes.cell(c, r)) << essai << " " << r << " " << c;
    }
}

TEST_F(Projet, WritesTheWorkedExampleByteForByte) {
    Document d;
    exemple(d);
    const std::string ecrit_ = ecrit_projet(d, (dossier / "plan.old").string(), true);
    EXPECT_EQ(ecrit_, (dossier / "plan.trl").string());
    EXPECT_EQ(lit(ecrit_), fichier_exemple());
}

TEST_F(Projet, BasePathCutsTheFileNameOnly) {
    EXPECT_EQ(chemin_base("/a/plan.old"), "/a/plan");
    EXPECT_EQ(chemin_base("/a/plan.v2.trl"), "/a/plan");
    EXPECT_EQ(chemin_base("/home/jean.dupont/plan"), "/home/jean.dupont/plan")
        << "a point in a folder name must not send the file elsewhere";
    EXPECT_EQ(chemin_base("C:\\mes.cartes\\plan.trl"), "C:\\mes.cartes\\plan");
    EXPECT_EQ(dossier_de("/a/b/plan.trl"), "/a/b");
    EXPECT_EQ(dossier_de("/plan.trl"), "/");
    EXPECT_EQ(dossier_de("C:\\plan.trl"), "C:\\");
    EXPECT_EQ(nom_de_fichier("C:\\cartes\\plan.jpg"), "plan.jpg");
}

TEST_F(Projet, RoundTripKeepsTablesAndRebuildsCalibration) {
    Document d;
    exemple(d);
    d.StringGrid1.set_cell(d.indice_col("Libellé"), 2, "pont, \"vieux\" a");
    const std::string chemin = ecrit_projet(d, (dossier / "plan").string(), true);

    Document lu;
    Actions a;
    ASSERT_EQ(lit_projet(lu, chemin, a), ResultatLecture::lu);
    EXPECT_EQ(a.appels, (std::vector<std::string>{"prepare C:\\cartes\\plan.jpg 1200x900", "dispose",
                                                  "fond C:\\cartes\\plan.jpg", "fin"}));
    EXPECT_TRUE(port_.echanges().empty());
    EXPECT_EQ(lu.nb_points, 2);
    EXPECT_EQ(lu.num_ligne, 1);
    EXPECT_EQ(lu.nb_calage, 3);
    EXPECT_EQ(lu.largeur_fond, 1200);
    EXPECT_EQ(lu.StringGrid1.cell(lu.indice_col("Libellé"), 2), "pont, \"vieux\" a");
    EXPECT_EQ(lu.StringGrid1.cell(lu.indice_col("Libellé"), 1), " ") << "an empty label reads back as a space";
    EXPECT_EQ(lu.StringGrid1.cell(lu.indice_col("X"), 1), "0.50000000");
    EXPECT_EQ(lu.StringGrid1.row(), 2);
    EXPECT_EQ(lu.calage[2].x, 400);
    EXPECT_EQ(lu.calage[0].Y, 1.0L);
    EXPECT_TRUE(lu.calage[1].valide);
    long double X = 0, Y = 0;
    lu.repere_carte(250, 200, X, Y);
    EXPECT_EQ(X, 0.5L);
    EXPECT_EQ(ecrit_liste_virgules(lu.StringGrid3, 1), "\"  1\",4,255,x,") << "line numbers are rewritten padded";
}

TEST_F(Projet, ReadsColumnsByTheirHeaderWhateverTheirOrder) {
    std::string f = fichier_exemple();
    // Swap the X and Y columns of the header and of every calibration and point row.
    auto echange = [](std::string l) {
        Grille g(9, 1);
        lit_liste_virgules(g, 0, l);
        Grille h(9, 1);
        for (int c = 0; c < 9; ++c) h.set_cell(c, 0, g.cell(c == 3 ? 4 : c == 4 ? 3 : c, 0));
        return ecrit_liste_virgules(h, 0);
    };
    std::vector<std::string> lignes;
    for (std::size_t p = 0; p < f.size();) {
        const auto q = f.find("\r\n", p);
        lignes.push_back(f.substr(p, q - p));
        p = q + 2;
    }
    std::string g;
    for (std::size_t i = 0; i < lignes.size(); ++i) g += (i >= 10 && i <= 15 ? echange(lignes[i]) : lignes[i]) + "\r\n";
    ecrit(dossier / "ordre.trl", g);
    Document d;
    Actions a;
    ASSERT_EQ(lit_projet(d, (dossier / "ordre.trl").string(), a), ResultatLecture::lu);
    EXPECT_EQ(d.indice_col("X"), 4);
    EXPECT_EQ(d.calage[0].Y, 1.0L) << "cal 1 has Y = 1 under the header \"Y\"";
    EXPECT_EQ(d.calage[2].X, 1.0L);
}

TEST_F(Projet, RefusesAFileWithoutTheExactMarker) {
    for (const std::string premiere : {"/vuviviva", "/VUVIVIVA "}) {
        ecrit(dossier / "faux.trl", premiere + "\r\nx\r\n");
        Document d;
        Actions a;
        EXPECT_EQ(lit_projet(d, (dossier / "faux.trl").string(), a), ResultatLecture::refuse);
        EXPECT_TRUE(a.appels.empty());
    }
    EXPECT_EQ(port_.textes("information").back(),
              refus("faux.trl", " Le fichier n'est pas compatible \n le mot clé en première ligne est manquant\n"
                                " /VUVIVIVA introuvable : mess= </VUVIVIVA >"));

    // Random bytes: a short excerpt a reader can read.
    std::string hasard = "\x01\x02\xE9t\xE9";
    for (int i = 0; i < 5000; ++i) hasard += static_cast<char>(0x90 + i % 16);
    ecrit(dossier / "hasard.trl", hasard + "\r\n");
    Document h;
    Actions b;
    EXPECT_EQ(lit_projet(h, (dossier / "hasard.trl").string(), b), ResultatLecture::refuse);
    EXPECT_NE(port_.textes("information").back().find("mess= <??été" + std::string(35, '?') + "…>\n\n"),
              std::string::npos);

    Document d;
    Actions a;
    EXPECT_EQ(lit_projet(d, (dossier / "absent.trl").string(), a), ResultatLecture::refuse);
    EXPECT_NE(port_.textes("information").back().find("absent.trl"), std::string::npos);
}

TEST_F(Projet, AsksBeforeTakingAProjectOfAnotherImage) {
    ecrit(dossier / "p.trl", fichier_exemple());
    Document d;
    d.fichier_image = "/images/autre.jpg";
    Actions a;
    EXPECT_EQ(lit_projet(d, (dossier / "p.trl").string(), a), ResultatLecture::annule);
    EXPECT_EQ(port_.textes("ok_annuler").at(0),
              " L'image relative à ce fichier est différente de l'image actuelle\n\nimage actuelle =<autre.jpg>\n"
              "image fichier  =<plan.jpg>\n Pour traiter néanmoins cette nouvelle image et sa digitalisation ");
    EXPECT_EQ(d.fichier_image, "/images/autre.jpg");
    EXPECT_TRUE(a.appels.empty());

    port_.repond_oui();
    EXPECT_EQ(lit_projet(d, (dossier / "p.trl").string(), a), ResultatLecture::lu);
    EXPECT_EQ(d.fichier_image, "C:\\cartes\\plan.jpg");
}

TEST_F(Projet, StopsOnAnOldSizeLineOrABadCount) {
    std::string f = fichier_exemple();
    f.replace(f.find("1200  900  0  0"), 15, "1200  900");
    ecrit(dossier / "ancien.trl", f);
    Document d;
    Actions a;
    EXPECT_EQ(lit_projet(d, (dossier / "ancien.trl").string(), a), ResultatLecture::interrompu);
    EXPECT_EQ(port_.textes("information").back(),
              refus("ancien.trl", "Ancien format : erreur =106\nLes données dx0/dy0 sont manquantes\n"
                                  "éventuellement recharger juste l'image, et recopier la ligne qui suit celle contenant\n"
                                  " /taille image LxH   dx0/dy0\ndans les fichiers *.trl"));
    EXPECT_EQ(d.fichier_image, "") << "nothing is replaced";
    EXPECT_TRUE(a.appels.empty());

    ecrit(dossier / "court.trl", "/VUVIVIVA\r\n\r\n/taille\r\n1 2 3");
    Document neuf;
    EXPECT_EQ(lit_projet(neuf, (dossier / "court.trl").string(), a), ResultatLecture::interrompu);
    EXPECT_NE(port_.textes("information").back().find("Ancien format : erreur =100"), std::string::npos);

    for (const auto& [compte, quoi] :
         {std::pair<std::string, std::string>{"deux", "n'est pas un nombre entier : <deux>.\nerreur =106"},
          {"-2", "est négatif : -2.\nerreur =106"}}) {
        f = fichier_exemple();
        f.replace(f.find("points\r\n2"), 9, "points\r\n" + compte);
        ecrit(dossier / "compte.trl", f);
        Document e;
        EXPECT_EQ(lit_projet(e, (dossier / "compte.trl").string(), a), ResultatLecture::interrompu);
        EXPECT_EQ(port_.textes("information").back(), refus("compte.trl", "Le nombre de points (ligne 6) " + quoi));
    }
    f = fichier_exemple();
    f.erase(f.find("/nombre de  lignes"));
    ecrit(dossier / "coupe.trl", f);
    Document e;
    EXPECT_EQ(lit_projet(e, (dossier / "coupe.trl").string(), a), ResultatLecture::interrompu);
    EXPECT_EQ(port_.textes("information").back(),
              refus("coupe.trl", "Le fichier s'arrête avant le nombre de lignes (ligne 8).\nerreur =100"));

    f = fichier_exemple();
    f.replace(f.find("points\r\n2"), 9, "points\r\n999999999");
    ecrit(dossier / "enorme.trl", f);
    EXPECT_EQ(lit_projet(e, (dossier / "enorme.trl").string(), a), ResultatLecture::interrompu)
        << "a damaged count must not build millions of rows";
}

// Up to 1000 missing rows are read as empty; more means a damaged count. The lines are
// counted from the count on, over more than 2040 bytes (one block of the fast count).
TEST_F(Projet, CountLimitIsTheLinesLeftPlusAThousand) {
    std::string points;
    for (int r = 1; r <= 1500; ++r) points += "\"" + std::to_string(r) + "\",\"  1\",,1.0,2.0,0.0,10,20,\r\n";
    std::string f = fichier_exemple();
    const std::size_t debut = f.find("\"    1\"");
    f.replace(debut, f.find("1,4,255,x,") - debut, points);
    const std::size_t apres_compte = f.find("points\r\n2") + 9;
    const long long restantes = 1 + std::count(f.begin() + static_cast<std::ptrdiff_t>(apres_compte), f.end(), '\n');
    for (const long long compte : {restantes + 1000, restantes + 1001}) {
        std::string g = f;
        g.replace(apres_compte - 1, 1, std::to_string(compte));
        ecrit(dossier / "limite.trl", g);
        Document d;
        Actions a;
        const ResultatLecture r = lit_projet(d, (dossier / "limite.trl").string(), a);
        if (compte == restantes + 1000) {
            ASSERT_EQ(r, ResultatLecture::lu);
            EXPECT_EQ(d.nb_points, compte);
            EXPECT_EQ(d.StringGrid1.cell(0, 1500), "1500");
            EXPECT_EQ(d.StringGrid1.cell(1, 1501), "4") << "the lines row is read as a point";
            EXPECT_EQ(d.StringGrid1.cell(0, 1502), "") << "rows past the end of the file are empty";
        } else {
            EXPECT_EQ(r, ResultatLecture::interrompu);
            EXPECT_EQ(port_.textes("information").back(),
                      refus("limite.trl", "Le nombre de points (ligne 6) annonce " + std::to_string(compte) +
                                              " points, mais le fichier n'a que 1509 lignes après elle.\nerreur =106"));
        }
    }
}

TEST_F(Projet, LinesEndingWithCarriageReturnsAloneReadTheSame) {
    std::string f = fichier_exemple();
    for (std::size_t p; (p = f.find("\r\n")) != std::string::npos;) f.erase(p + 1, 1);
    ecrit(dossier / "mac.trl", f);
    Document d;
    Actions a;
    ASSERT_EQ(lit_projet(d, (dossier / "mac.trl").string(), a), ResultatLecture::lu);
    EXPECT_EQ(d.nb_points, 2);
    EXPECT_EQ(d.StringGrid1.cell(6, 2), "  400");
    EXPECT_EQ(d.StringGrid2.cell(2, 0), "Libellé");
    EXPECT_EQ(d.StringGrid3.cell(1, 1), "4");
}

// The text is sized from the first point row: a huge label there must not size it for all.
TEST_F(Projet, ALongFirstLabelDoesNotSizeTheWholeText) {
    Document d;
    const int n = 100000;
    d.nb_points = n;
    d.num_ligne = 1;
    d.StringGrid1.set_row_count(n + 1);
    for (int r = 1; r <= n; ++r) d.StringGrid1.set_cell(0, r, std::to_string(r));
    d.StringGrid1.set_cell(2, 1, std::string(1 << 20, 'a'));
    std::string t;
    ASSERT_NO_THROW(t = texte_projet(d, true));
    EXPECT_LT(t.capacity(), t.size() + 256u * n + (1u << 21)) << "at most a few hundred bytes per row";
    EXPECT_NE(t.find("\r\n100000,,,"), std::string::npos);
}

TEST_F(Projet, RefusesFourCalibrationPointsWithoutKeepingTheCount) {
    std::string f = fichier_exemple();
    f.replace(f.find("(Z)\r\n3"), 6, "(Z)\r\n4");
    ecrit(dossier / "cal.trl", f);
    Document d;
    Actions a;
    EXPECT_EQ(lit_projet(d, (dossier / "cal.trl").string(), a), ResultatLecture::interrompu);
    EXPECT_EQ(port_.textes("information").back(),
              refus("cal.trl", "n_calc=4\nProblème de lecture\nLe nombre de points de calage (ligne 10) vaut 4 ; "
                               "il va de 0 à 3."));
    EXPECT_EQ(d.nb_calage, 0);
}

// A pixel typed as "3OO" or cut off by the end of the file opens as val_entier reads it, said
// once, without the save-and-stop question, and the work is left unsaved with the value read.
TEST_F(Projet, ReadsACalibrationPixelThatIsNoWholeNumberAsValEntierDoes) {
    std::string f = fichier_exemple();
    f.replace(f.find("\"  300\",\r\n3,0"), 8, "3OO,");
    ecrit(dossier / "cal.trl", f);
    Document d;
    Actions a;
    EXPECT_EQ(lit_projet(d, (dossier / "cal.trl").string(), a), ResultatLecture::lu);
    EXPECT_EQ(port_.messages(),
              std::vector<std::string>{"Le projet " + (dossier / "cal.trl").string() +
                                       " est ouvert, mais des pixels de calage n'y sont pas des nombres entiers :\n"
                                       "\nLe point de calage 2 (ligne 13) : son y <3OO> n'est pas un nombre entier ; "
                                       "il est lu comme 3.\n\nEnregistrez le projet pour y écrire ces valeurs."});
    EXPECT_EQ(d.calage[1].y, 3);
    EXPECT_EQ(d.StringGrid2.cell(d.indice_col_cal("y"), 2), _format(4, 0, 3));
    EXPECT_FALSE(d.sauve);

    f = fichier_exemple();
    f.erase(f.find("2,0,\"cal 2\""));
    ecrit(dossier / "court.trl", f);
    EXPECT_EQ(lit_projet(d, (dossier / "court.trl").string(), a), ResultatLecture::lu);
    EXPECT_NE(port_.messages().back().find("Le point de calage 2 (ligne 13) : son x <> n'est pas un nombre entier ; "
                                           "il est lu comme 0.\nLe point de calage 2 (ligne 13) : son y <>"),
              std::string::npos);
    EXPECT_EQ(d.calage[1].x, 0);
}

TEST_F(Projet, MissingRowsReadAsEmptyAndEveryLineIsShown) {
    std::string f = fichier_exemple();
    f.replace(f.find("1,4,255,x,"), 10, "1,4,255,,nom");
    f.replace(f.find("lignes\r\n1"), 9, "lignes\r\n2");
    ecrit(dossier / "fin.trl", f);
    Document d;
    Actions a;
    ASSERT_EQ(lit_projet(d, (dossier / "fin.trl").string(), a), ResultatLecture::lu);
    EXPECT_TRUE(port_.echanges().empty());
    EXPECT_EQ(d.StringGrid3.cell(3, 1), "x");
    EXPECT_EQ(d.StringGrid3.cell(4, 1), "nom");
    EXPECT_EQ(d.StringGrid3.cell(0, 2), "  2");
    EXPECT_EQ(d.StringGrid3.cell(1, 2), "") << "a row past the end of the file is empty";
    EXPECT_EQ(d.StringGrid3.row_count(), 3);
}

TEST_F(Projet, ZeroPointsWritesLinesButReadsNeither) {
    Document d;
    d.mess_3_calage_svp_et_init(false);
    const std::string chemin = ecrit_projet(d, (dossier / "vide").string(), false);
    const std::string f = lit(chemin);
    EXPECT_EQ(f.substr(0, 13), "/VUVIVIVA\r\n\r\n") << "no background: empty image line";
    EXPECT_NE(f.find("points\r\n0\r\n"), std::string::npos);
    EXPECT_EQ(f.substr(f.size() - 12), "1,4,255,x,\r\n");
    EXPECT_EQ(d.StringGrid2.row_count(), 4) << "the calibration rows stay for the clicks to come";

    Document lu;
    lu.StringGrid3.set_cell(4, 1, "garde");
    Actions a;
    ASSERT_EQ(lit_projet(lu, chemin, a), ResultatLecture::lu);
    EXPECT_EQ(lu.nb_points, 0);
    EXPECT_EQ(lu.StringGrid3.cell(4, 1), "garde");
    EXPECT_EQ(lu.StringGrid2.cell(lu.indice_col_cal("Libellé"), 3), "cal 3");
}

TEST_F(Projet, AFailedSaveLeavesThePreviousFileIntact) {
    Document d;
    exemple(d);
    const fs::path cible = dossier / "plan.trl";
    ecrit(cible, "précieux");
    EXPECT_THROW(ecrit_projet(d, (dossier / "absent" / "plan").string(), true), ErreurFichier);

    // A full disk, simulated by a file-size limit.
    {
        const test::LimiteTaille limite(100);
        ASSERT_TRUE(limite.posee());
        try {
            ecrit_projet(d, cible.string(), true);
            ADD_FAILURE() << "the save should have failed";
        } catch (const ErreurFichier& e) {
            EXPECT_NE(std::string(e.what()).find("plan.trl"), std::string::npos);
        }
    }
    EXPECT_EQ(lit(cible), "précieux");
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

TEST_F(Projet, CharactersOutsideWindows1252AreReplacedAndToldOnce) {
    Document d;
    exemple(d);
    d.StringGrid1.set_cell(d.indice_col("Libellé"), 1, "Ω");
    d.StringGrid1.set_cell(d.indice_col("Libellé"), 2, "€ ∑");
    const std::string f = lit(ecrit_projet(d, (dossier / "p").string(), true));
    EXPECT_NE(f.find(",?,"), std::string::npos);
    EXPECT_NE(f.find("\"\x80 ?\""), std::string::npos);
    EXPECT_EQ(port_.nombre("information"), 1);
}

namespace {

// The reference project: a 1200 x 900 background, the default frame of an image written with
// affecte_calage, then placed by clicks; two points on line 1.
void projet_reference(Document& d) {
    d.mess_3_calage_svp_et_init(false);
    d.fichier_image = "/data/cartes/plan.jpg";
    d.largeur_fond = 1200;
    d.hauteur_fond = 900;
    d.affecte_calage(1, 0, "cal 1", 0, 0, 0, 899, 0);
    d.affecte_calage(2, 0, "cal 2", 0, 0, 0, 0, 0);
    d.affecte_calage(3, 0, "cal 3", 0, 0, 0, 0, 1199);
    int n = 0;
    for (auto [x, y] : {std::pair{0, 0}, {0, 900}, {1200, 900}})
        d.valide_point_calage(n, x, y, MethodeCalage::trois_points, false);
    d.nb_calage = n;
    d.stocke_xy(1, 1, 300, 450);
    d.stocke_xy(2, 1, 600, 300);
    d.nb_points = 2;
}

std::string reference(char sep) {
    const auto q = [sep](std::string t) {
        for (char& c : t)
            if (c == '.') c = sep;
        return sep == ',' ? "\"" + t + "\"" : t;
    };
    const auto r = [sep](std::string t) {
        for (char& c : t)
            if (c == '.') c = sep;
        return "\"" + t + "\"";
    };
    return "/VUVIVIVA\r\n/data/cartes/plan.jpg\r\n/taille image LxH dx0/dy0\r\n1200  900  0  0\r\n"
           "/nombre de  points\r\n2\r\n/nombre de  lignes\r\n1\r\n/nombre de points de calage  X Y (Z)\r\n3\r\n"
           "n,L,Libell\xE9,X,Y,Z,x,y,z\r\n"
           "1,0,\"cal 1\"," + r("            0.0000") + "," + r("        899.0000") + "," + r("            0.0000") +
           ",\"      0\",\"      0\",\r\n"
           "2,0,\"cal 2\"," + r("            0.0000") + "," + r("            0.0000") + "," + r("            0.0000") +
           ",\"      0\",\"  900\",\r\n"
           "3,0,\"cal 3\"," + r("      1199.0000") + "," + r("            0.0000") + "," + r("            0.0000") +
           ",1200,\"  900\",\r\n"
           "\"    1\",\"  1\",," + q("299.75000000") + "," + q("449.50000000") + "," + q("0.00000000") +
           ",\"  300\",\"  450\",\r\n"
           "\"    2\",\"  1\",," + q("599.50000000") + "," + q("599.33333333") + "," + q("0.00000000") +
           ",\"  600\",\"  300\",\r\n"
           "1,4,255,x,\r\n";
}

} // namespace

TEST_F(Projet, ReferenceProjectByteForByteUnderBothConventions) {
    for (const char s : {'.', ','}) {
        SeparateurLocal local(s);
        Document d;
        projet_reference(d);
        EXPECT_EQ(lit(ecrit_projet(d, (dossier / "plan").string(), true)), reference(s)) << s;
    }
}

TEST_F(Projet, SecondRoundTripIsByteIdentical) {
    Document d;
    projet_reference(d);
    d.StringGrid1.set_cell(d.indice_col("Libellé"), 2, "pont, \"vieux\" é €");
    const std::string f1 = ecrit_projet(d, (dossier / "a").string(), true);
    Document l1;
    Actions a;
    ASSERT_EQ(lit_projet(l1, f1, a), ResultatLecture::lu);
    const std::string f2 = ecrit_projet(l1, (dossier / "b").string(), true);
    Document l2;
    ASSERT_EQ(lit_projet(l2, f2, a), ResultatLecture::lu);
    const std::string f3 = ecrit_projet(l2, (dossier / "c").string(), true);
    EXPECT_EQ(lit(f2), lit(f3));
    for (const Grille* g : {&l1.StringGrid1, &l1.StringGrid2, &l1.StringGrid3}) {
        const Grille& h = g == &l1.StringGrid1 ? l2.StringGrid1 : g == &l1.StringGrid2 ? l2.StringGrid2 : l2.StringGrid3;
        ASSERT_EQ(g->row_count(), h.row_count());
        for (int r = 0; r < g->row_count(); ++r)
            for (int c = 0; c < g->col_count(); ++c) EXPECT_EQ(g->cell(c, r), h.cell(c, r)) << r << "," << c;
    }
    EXPECT_EQ(l2.StringGrid1.cell(l2.indice_col("Libellé"), 2), "pont, \"vieux\" é €");
}

TEST_F(Projet, AWriteCutAnywhereLeavesThePreviousFile) {
    Document d;
    projet_reference(d);
    for (int r = 3; r <= 3000; ++r) { // a file of some 200 KiB
        d.stocke_xy(r, 1, r % 1200, r % 900);
        d.nb_points = r;
    }
    const fs::path cible = dossier / "plan.trl";
    ecrit(cible, "ancien");
    const std::size_t taille = texte_projet(d, true).size();
    for (std::size_t limite = 4096; limite < taille; limite += 4096) {
        d.sauve = false;
        bool echec = false;
        {
            const test::LimiteTaille l(limite);
            ASSERT_TRUE(l.posee());
            try {
                ecrit_projet(d, cible.string(), true);
            } catch (const ErreurFichier& e) {
                echec = std::string(e.what()).find("Impossible d'enregistrer") == 0;
            }
        }
        ASSERT_TRUE(echec) << limite;
        ASSERT_EQ(lit(cible), "ancien") << limite;
        ASSERT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 1) << limite;
    }
}

TEST_F(Projet, TheSystemGoesBesideTheProjectWhichStaysAsItWas) {
    Document d;
    exemple(d);
    const std::string sans = lit(ecrit_projet(d, (dossier / "plan").string(), true));
    EXPECT_FALSE(fs::exists(dossier / "plan.prj"));

    d.systeme_wkt = "PROJCS[\"RGF93 v1 / Lambert-93\"]";
    const std::string chemin = ecrit_projet(d, (dossier / "plan.txt").string(), true);
    EXPECT_EQ(chemin, (dossier / "plan.trl").string());
    EXPECT_EQ(lit(chemin), sans) << "the project file does not carry the system";
    EXPECT_EQ(lit(dossier / "plan.prj"), d.systeme_wkt);
    EXPECT_EQ(chemin_systeme((dossier / "plan.v2.trl").string()), (dossier / "plan.prj").string());

    // Saved again without a system: the older side file would bring it back at the next opening.
    d.systeme_wkt.clear();
    ecrit_projet(d, chemin, true);
    EXPECT_FALSE(fs::exists(dossier / "plan.prj"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 2) << "plan.trl, plan.paire";
}

TEST_F(Projet, AFailedSaveLeavesTheProjectAndItsSystemAsTheyWere) {
    Document d;
    exemple(d);
    const fs::path trl = dossier / "plan.trl", prj = dossier / "plan.prj";
    ecrit(trl, "ancien projet");
    ecrit(prj, "ancien système");
    // The project fits under the limit, the system does not: neither file is replaced.
    const std::size_t taille = texte_projet(d, true).size();
    d.systeme_wkt = std::string(taille + 4096, 'W');
    {
        const test::LimiteTaille limite(taille + 100);
        ASSERT_TRUE(limite.posee());
        try {
            ecrit_projet(d, trl.string(), true);
            ADD_FAILURE() << "the save should have failed";
        } catch (const ErreurFichier& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Impossible d'enregistrer " + prj.string() + " : ", 0), 0u) << e.what();
        }
    }
    EXPECT_EQ(lit(trl), "ancien projet");
    EXPECT_EQ(lit(prj), "ancien système");
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}
