// World files and affine georeferencing: the half pixel between a world file and the corner
// the calibration counts from, the refused files with their line, the world file found beside
// an image, and the transform taken back from a calibrated document.
#include "core/document/Document.h"
#include "core/georef/Monde.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"
#include "tests/support/FichiersEssai.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

using namespace vuv;
namespace fs = std::filesystem;

namespace {

class Monde : public ::testing::TestWithParam<char> {
protected:

    std::string ecrit(const std::string& nom, const std::string& octets = "1\n0\n0\n-1\n0\n0\n") const {
        const std::string chemin = (dossier_ / nom).string();
        std::ofstream(chemin, std::ios::binary) << octets;
        return chemin;
    }
    std::string chemin(const std::string& nom) const { return (dossier_ / nom).string(); }
    std::string loc(std::string t) const {
        for (char& c : t)
            if (c == '.') c = GetParam();
        return t;
    }

    const vuv::octets::DossierEssai essai_{"monde_"};
    fs::path dossier_ = essai_.chemin();
    SeparateurLocal separateur_{GetParam()};
    PortScripte port_;
    PortInstalle installe_{port_};
};

using T6 = std::array<long double, 6>;

// Where the transform puts an image position (col, lig) counted from the top-left corner.
std::pair<long double, long double> applique(const TransformationAffine& t, long double col, long double lig) {
    return {t.c[0] + col * t.c[1] + lig * t.c[2], t.c[3] + col * t.c[4] + lig * t.c[5]};
}

const TransformationAffine tournee{{652000.125L, 0.8660254037844387L, 0.25L, 6862000.5L, 0.5L, -0.8660254037844387L}};

} // namespace

TEST_P(Monde, AWorldFileGivesTheCentreOfTheFirstPixelAndTheTransformItsCorner) {
    // Blank lines, spaces, CR LF, an exponent and words after the sixth line are all taken.
    const LectureMonde l = lit_fichier_monde(ecrit("nord.jgw", "2.5\r\n\r\n 0 \r\n0.0\r\n-25E-1\r\n652001.25\r\n"
                                                               "6861998.75\r\nfin\r\n"));
    ASSERT_TRUE(l) << l.erreur;
    EXPECT_EQ(l.t.c, (T6{652000, 2.5, 0, 6862000, 0, -2.5}));

    // A, D, B, E in their places: D turns the columns, B the rows.
    const LectureMonde r = lit_fichier_monde(ecrit("r.tfw", "1\n0.5\n0.25\n-2\n100\n200\n"));
    ASSERT_TRUE(r) << r.erreur;
    EXPECT_EQ(r.t.c, (T6{100 - 0.5L - 0.125L, 1, 0.25L, 200 - 0.25L + 1, 0.5L, -2}));

    // A comma stands for the point in a file written by a French-set tool.
    const LectureMonde v = lit_fichier_monde(ecrit("v.pgw", "0,5\n0\n0\n-0,5\n1000,25\n2000,75\n"));
    ASSERT_TRUE(v) << v.erreur;
    EXPECT_EQ(v.t.c, (T6{1000, 0.5, 0, 2001, 0, -0.5}));
}

TEST_P(Monde, ABadWorldFileIsRefusedWithItsLineAndReason) {
    const std::string p = chemin("m.jgw");
    const std::pair<std::string, std::string> cas[] = {
        {"1\n0\n0\n-1\n5\n", "Fichier <" + p + "> : un fichier de géoréférence tient six nombres, un par ligne ; "
                                               "celui-ci n'en a que 5"},
        {"1\n0\nabc\n-1\n5\n6\n", "Fichier <" + p + ">, ligne 3 : <abc> n'est pas un nombre"},
        {"1 0\n0\n0\n-1\n5\n6\n", "Fichier <" + p + ">, ligne 1 : <1 0> n'est pas un nombre"},
        {"1\n0\n0\n-1\ninf\n6\n", "Fichier <" + p + ">, ligne 5 : <inf> n'est pas un nombre"},
        {"\n0\n0\n0\n-1\n5\n6\n", "Fichier <" + p + ">, ligne 2 : la taille du pixel en largeur est nulle"},
        {"1\n0\n0\n0.0\n5\n6\n", "Fichier <" + p + ">, ligne 4 : la taille du pixel en hauteur est nulle"},
        {"1\n2\n0.5\n1\n5\n6\n", "Fichier <" + p + "> : la transformation n'est pas inversible : les lignes et les "
                                                 "colonnes de l'image tombent sur une même droite"},
        {" \r\n", "Fichier <" + p + "> : le fichier est vide"},
    };
    for (const auto& [texte, message] : cas) {
        ecrit("m.jgw", texte);
        EXPECT_EQ(lit_fichier_monde(p).erreur, message) << texte;
    }
    EXPECT_EQ(lit_fichier_monde(chemin("absent.jgw")).erreur, "Fichier <" + chemin("absent.jgw") + "> : impossible à lire");
}

TEST_P(Monde, TheWorldFileBesideAnImageIsFoundByItsExtensionWhateverItsCase) {
    EXPECT_EQ(fichier_monde(chemin("scan.tif")), "");
    const std::string wld = ecrit("scan.wld");
    EXPECT_EQ(fichier_monde(chemin("scan.tif")), wld);
    const std::string tifw = ecrit("scan.TIFW");
    EXPECT_EQ(fichier_monde(chemin("scan.tif")), tifw) << "the extension + w comes before .wld";
    const std::string tfw = ecrit("SCAN.tfw");
    EXPECT_EQ(fichier_monde(chemin("scan.tif")), tfw) << "the first and last letters + w come first";
    EXPECT_EQ(fichier_monde(chemin("SCAN.TIFF")), tfw);

    EXPECT_EQ(fichier_monde(chemin("carte.jpeg")), "");
    const std::string jgw = ecrit("carte.jgw");
    EXPECT_EQ(fichier_monde(chemin("carte.jpeg")), jgw);
    EXPECT_EQ(fichier_monde(chemin("carte.jpg")), jgw);
    EXPECT_EQ(fichier_monde(chemin("carte.png")), "");
    // A folder of that name is not a world file.
    fs::create_directories(dossier_ / "plan.bpw");
    EXPECT_EQ(fichier_monde(chemin("plan.bmp")), "");

    EXPECT_EQ(chemin_fichier_monde("d/carte.jpg"), "d/carte.jgw");
    EXPECT_EQ(chemin_fichier_monde("d/CARTE.BMP"), "d/CARTE.BPW");
    EXPECT_EQ(chemin_fichier_monde("carte.jpeg"), "carte.jgw");
    EXPECT_EQ(chemin_fichier_monde("d.v2/carte"), "d.v2/carte.wld");
}

TEST_P(Monde, TheCalibrationPutsTheImageCornersWhereTheTransformDoes) {
    const CalageCompagnon c = calage_affine({{652000, 2.5, 0, 6862000, 0, -2.5}}, 4000, 3000);
    ASSERT_TRUE(c) << c.erreur;
    EXPECT_EQ(c.points[0].X + " " + c.points[0].Y, loc("652000 6862000"));
    EXPECT_EQ(c.points[1].X + " " + c.points[1].Y, loc("652000 6854500"));
    EXPECT_EQ(c.points[2].X + " " + c.points[2].Y, loc("662000 6854500"));
    EXPECT_EQ(c.points[2].x, 4000);
    EXPECT_EQ(c.points[2].y, 3000);

    // Rotated, in a background with margins: the four corners, not only the three points.
    Document d;
    d.dx0 = 37;
    d.dy0 = 12;
    const CalageCompagnon r = calage_affine(tournee, 400, 300);
    ASSERT_TRUE(r) << r.erreur;
    ASSERT_EQ(applique_calage(d, r), "");
    for (const auto& [col, lig] : {std::pair{0, 0}, {400, 0}, {0, 300}, {400, 300}, {123, 77}}) {
        long double X = 0, Y = 0;
        d.repere_carte(col + d.dx0, lig + d.dy0, X, Y);
        const auto [Xt, Yt] = applique(tournee, col, lig);
        EXPECT_NEAR(static_cast<double>(X), static_cast<double>(Xt), 1e-6) << col << "," << lig;
        EXPECT_NEAR(static_cast<double>(Y), static_cast<double>(Yt), 1e-6) << col << "," << lig;
    }

    EXPECT_EQ(calage_affine({{0, 1, 0, 0, 0, 0}}, 10, 10).erreur, "la taille du pixel en hauteur est nulle");
    EXPECT_EQ(calage_affine({{0, 1e4932L, 0, 0, 0, -1}}, 10, 10).erreur,
              "les coordonnées des coins de l'image dépassent les nombres possibles");
}

TEST_P(Monde, ACalibratedDocumentGivesBackItsTransformAsAWorldFile) {
    Document d;
    ASSERT_FALSE(transformation_calage(d, 400, 300)) << "no calibration yet";
    ASSERT_EQ(applique_calage(d, calage_affine(tournee, 400, 300)), "");
    const auto t = transformation_calage(d, 400, 300);
    ASSERT_TRUE(t);
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(static_cast<double>(t->c[k]), static_cast<double>(tournee.c[k]), 1e-9) << k;

    EXPECT_EQ(texte_fichier_monde({{652000, 2.5, 0, 6862000, 0, -2.5}}),
              "2.5\r\n0\r\n0\r\n-2.5\r\n652001.25\r\n6861998.75\r\n");
    // Written and read again: the same transform, the half pixel undone once each way.
    const LectureMonde relu = lit_fichier_monde(ecrit("relu.jgw", texte_fichier_monde(*t)));
    ASSERT_TRUE(relu) << relu.erreur;
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(static_cast<double>(relu.t.c[k]), static_cast<double>(t->c[k]), 1e-9) << k;

    // Three calibration points on one image line give no transform.
    d.calage[2].y = d.calage[1].y;
    d.calage[2].x = d.calage[1].x + 5;
    d.calage[0].y = d.calage[1].y;
    EXPECT_FALSE(transformation_calage(d, 400, 300));
}

INSTANTIATE_TEST_SUITE_P(Separateurs, Monde, ::testing::Values('.', ','),
                         [](const auto& i) { return i.param == '.' ? "point" : "virgule"; });
