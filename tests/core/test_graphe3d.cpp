// The 3D graph: projection figures, the buttons and keys as state changes, and the picture.
#include "core/document/Document.h"
#include "core/graphe/Graphe3D.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

using namespace vuv;
using namespace vuv::graphe;

namespace {

struct Pt {
    std::string L, X, Y, Z;
};

void pose(Document& d, const std::vector<Pt>& points, std::vector<std::pair<std::string, std::string>> calage,
          std::string couleur = "16776960") {
    Grille& g = d.StringGrid1;
    g.set_row_count(static_cast<int>(points.size()) + 1);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        g.set_cell(d.indice_col("n"), r, std::to_string(r));
        g.set_cell(d.indice_col("L"), r, points[i].L);
        g.set_cell(d.indice_col("X"), r, points[i].X);
        g.set_cell(d.indice_col("Y"), r, points[i].Y);
        g.set_cell(d.indice_col("Z"), r, points[i].Z);
    }
    d.nb_points = static_cast<int>(points.size());
    for (std::size_t i = 0; i < calage.size(); ++i) {
        d.StringGrid2.set_cell(d.indice_col_cal("X"), static_cast<int>(i) + 1, calage[i].first);
        d.StringGrid2.set_cell(d.indice_col_cal("Y"), static_cast<int>(i) + 1, calage[i].second);
    }
    if (d.StringGrid3.row_count() < 2) d.StringGrid3.set_row_count(2);
    d.StringGrid3.set_cell(2, 1, couleur);
}

struct Image {
    explicit Image(int w, int h) : pixels(static_cast<std::size_t>(w) * h), w_(w), h_(h) {}
    VuePixels vue() {
        return {reinterpret_cast<std::uint8_t*>(pixels.data()), w_, h_, 4L * w_, FormatPixels::rgb32};
    }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * w_ + x]; }
    std::vector<std::uint32_t> pixels;
    int w_, h_;
};

class Graphe : public ::testing::Test {
protected:
    void SetUp() override {
        pose(doc, {{"1", "0", "0", "0"}, {"1", "100", "0", "0"}, {"1", "100", "50", "10"}},
             {{"0", "0"}, {"100", "0"}, {"0", "50"}});
        g.init_variables_book(doc, 640, 480);
        calcul_cos_sin(g.etat);
    }
    std::pair<int, int> ecran(long double x, long double y, long double z) {
        calcul_cos_sin(g.etat);
        const Ecran e = rotation(g.etat, x, y, z);
        EXPECT_TRUE(e.valide);
        return {e.u, e.v};
    }
    Image dessin() {
        Image im(640, 480);
        g.dessine_graphe(doc, im.vue());
        return im;
    }

    SeparateurLocal sep{'.'};
    PortScripte port_;
    PortInstalle installe{port_};
    Document doc;
    Graphe3D g;
};

using P = std::pair<int, int>;

} // namespace

TEST(Arrondi, HalvesGoToEven) {
    EXPECT_EQ(arrondi_pair(0.5L), 0);
    EXPECT_EQ(arrondi_pair(1.5L), 2);
    EXPECT_EQ(arrondi_pair(2.5L), 2);
    EXPECT_EQ(arrondi_pair(-0.5L), 0);
    EXPECT_EQ(arrondi_pair(-1.5L), -2);
    EXPECT_EQ(arrondi_pair(-2.6L), -3);
}

TEST_F(Graphe, ProjectsThePointsAsComputedByHand) {
    EXPECT_EQ(ecran(50, 25, 0), P(319, 239)); // (X0, Y0, 0) is the centre
    EXPECT_EQ(ecran(100, 50, 10), P(337, 142));
    EXPECT_EQ(ecran(0, 0, 0), P(302, 202));
    EXPECT_EQ(ecran(100, 0, 0), P(253, 249));
    EXPECT_EQ(ecran(0, 50, 0), P(384, 229));
    for (int i = 0; i < 6; ++i) touche(g.etat, Touche::gauche, false);
    EXPECT_NEAR(static_cast<double>(g.etat.A), 75 * std::numbers::pi / 180, 1e-15);
    EXPECT_EQ(ecran(100, 50, 10), P(285, 138));
    EXPECT_EQ(ecran(0, 0, 0), P(353, 206));
}

TEST_F(Graphe, DrawsCalibrationRedDropLinesNavySegmentsInTheLineColour) {
    const Image im = dessin();
    EXPECT_EQ(im.at(0, 0), noir);
    EXPECT_EQ(im.at(384, 229), rouge);
    EXPECT_EQ(im.at(337, 200), marine);
    // The segment (253, 249) -> (337, 142) halfway, in aqua (0x00FFFF00 as BGR).
    EXPECT_EQ(im.at(295, 196), 0xFF00FFFFu);
    // The axis from the origin towards +Y ends at Ly = 50 on the calibration point, green before it.
    EXPECT_TRUE(im.at(343, 215) == vert || im.at(343, 216) == vert);
}

TEST_F(Graphe, PerspectiveDivisionSkippedWhenDepthIsZero) {
    g.etat.rho = 0; // the origin-shifted centre has d = 0
    calcul_cos_sin(g.etat);
    const Ecran e = rotation(g.etat, 50, 25, 0);
    EXPECT_TRUE(e.valide);
    EXPECT_EQ(P(e.u, e.v), P(319, 239));
}

TEST_F(Graphe, KeysAndButtonsChangeTheStateAndUndoExactly) {
    const Image avant = dessin();
    touche(g.etat, Touche::haut, true);
    EXPECT_NE(dessin().pixels, avant.pixels);
    touche(g.etat, Touche::bas, true);
    EXPECT_EQ(dessin().pixels, avant.pixels);

    const long double D = g.etat.D, rho = g.etat.rho;
    touche(g.etat, Touche::pave_plus, false);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.etat.D), static_cast<double>(D * 1.3L));
    touche(g.etat, Touche::pave_plus, true); // Ctrl alone: nothing
    touche(g.etat, Touche::pave_divise, false);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.etat.rho), static_cast<double>(rho * 1.3L));
    touche(g.etat, Touche::pave_multiplie, false);
    touche(g.etat, Touche::pave_multiplie, false);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.etat.rho), static_cast<double>(rho / 1.3L));
    const long double A = g.etat.A;
    touche(g.etat, Touche::gauche, false); // Ctrl+Shift counts as "not Ctrl alone"
    EXPECT_GT(g.etat.A, A);
    const long double Y0 = g.etat.Y0;
    touche(g.etat, Touche::droite, true);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.etat.Y0), static_cast<double>(Y0 - g.etat.pasY));
    EXPECT_TRUE(touche(g.etat, Touche::echap, true));
    EXPECT_TRUE(touche(g.etat, Touche::f7, false));

    g.init_variables_book(doc, 640, 480);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.etat.A), std::numbers::pi / 6);
    EXPECT_DOUBLE_EQ(static_cast<double>(g.etat.B), std::numbers::pi / 8);
    EXPECT_EQ(g.etat.rho, 30);
    EXPECT_EQ(g.etat.D, 1800);
}

TEST_F(Graphe, DashHeightsScatterOncePerActivation) {
    std::vector<Pt> pts;
    for (int i = 0; i < 200; ++i) pts.push_back({"1", std::to_string(i), std::to_string(i % 7), "-"});
    pose(doc, pts, {{"0", "0"}, {"1", "0"}, {"0", "1"}});
    g.init_variables_book(doc, 640, 480);
    const Image a = dessin();
    EXPECT_EQ(dessin().pixels, a.pixels);
    const std::vector<Trace3D> t = g.trace_book(doc);
    int marines = 0;
    for (const Trace3D& s : t) marines += s.couleur == marine;
    EXPECT_GT(marines, 150); // almost no height is exactly 0
    g.init_variables_book(doc, 640, 480);
    EXPECT_NE(dessin().pixels, a.pixels);
}

TEST_F(Graphe, DashHeightsStayWithinTheirBand) {
    long double bas = 1, haut = -1;
    for (std::size_t r = 1; r < 5000; ++r) {
        const long double z = hauteur_tiret(g.etat, r);
        bas = std::min(bas, z);
        haut = std::max(haut, z);
    }
    EXPECT_DOUBLE_EQ(static_cast<double>(bas), -0.255);
    EXPECT_DOUBLE_EQ(static_cast<double>(haut), 0.2499);
}

TEST_F(Graphe, FirstPointOfALineIsADotAndZeroHeightHasNoDropLine) {
    pose(doc, {{"1", "0", "0", "0"}, {"1", "10", "0", "0"}, {"2", "10", "10", "0"}, {"2", "0", "10", "5"}},
         {{"0", "0"}, {"10", "0"}, {"0", "10"}});
    g.init_variables_book(doc, 640, 480);
    calcul_cos_sin(g.etat);
    std::string genres;
    for (const Trace3D& t : g.trace_book(doc))
        genres += t.couleur == rouge ? 'r' : t.couleur == marine ? 'm' : t.point ? '.' : '-';
    EXPECT_EQ(genres, "rrr.-..-.m");
}

TEST_F(Graphe, MapCoordinatesGiveThePictureOfTheDataAtTheOrigin) {
    const Image origine = dessin();
    pose(doc, {{"1", "500000", "4000000", "0"}, {"1", "500100", "4000000", "0"}, {"1", "500100", "4000050", "10"}},
         {{"500000", "4000000"}, {"500100", "4000000"}, {"500000", "4000050"}});
    Graphe3D carte;
    carte.init_variables_book(doc, 640, 480);
    Image im(640, 480);
    carte.dessine_graphe(doc, im.vue());
    EXPECT_EQ(im.pixels, origine.pixels);
}

TEST_F(Graphe, BadCellsAreSilentAndWhite) {
    pose(doc, {{"0", "abc", "", "-"}, {"", "-", "rouge", "abc"}, {"1", "5", "5", "5"}, {"1", "5", "5", ""}},
         {{"", ""}, {"x", "y"}, {"", ""}}, "rouge");
    g.init_variables_book(doc, 640, 480);
    Image im(640, 480);
    g.dessine_graphe(doc, im.vue());
    EXPECT_TRUE(port_.messages().empty());
    for (const Trace3D& t : g.trace_book(doc)) {
        EXPECT_TRUE(t.couleur == rouge || t.couleur == marine || t.couleur == blanc) << t.couleur;
    }
}

TEST_F(Graphe, OnePointAndTinyWindowsDoNotFail) {
    pose(doc, {{"1", "3", "3", "3"}}, {{"3", "3"}, {"3", "3"}, {"3", "3"}});
    g.init_variables_book(doc, 1, 1);
    Image im(1, 1);
    g.dessine_graphe(doc, im.vue());
    EXPECT_EQ(g.etat.SX, 2);
    g.init_variables_book(doc, 640, 480);
    Image grand(640, 480);
    g.dessine_graphe(doc, grand.vue());
    const auto [u, v] = ecran(0, 0, 3); // the point, at the data's corner
    EXPECT_EQ(grand.at(u, v), 0xFF00FFFFu);
}

TEST_F(Graphe, SharedXAndManyPointsInOnePixel) {
    std::vector<Pt> pts;
    for (int i = 0; i < 100000; ++i) pts.push_back({std::to_string(1 + i / 1000), "7", std::to_string(i), "3"});
    pose(doc, pts, {{"7", "0"}, {"7", "5"}, {"7", "9"}});
    g.init_variables_book(doc, 1, 1);
    EXPECT_EQ(g.etat.SX, 2); // a flat X extent counts 1
    Image im(1, 1);
    g.dessine_graphe(doc, im.vue());
    g.init_variables_book(doc, 640, 480);
    Image grand(640, 480);
    g.dessine_graphe(doc, grand.vue());
    const auto [u, v] = ecran(0, 50000, 3);
    EXPECT_NE(grand.at(u, v), noir);
}

TEST_F(Graphe, TablesAreReadOncePerVersion) {
    const Donnees* a = &g.donnees(doc);
    const long double x = a->points[2].X;
    EXPECT_EQ(&g.donnees(doc), a);
    EXPECT_EQ(g.donnees(doc).points[2].X, x);
    doc.StringGrid1.set_cell(doc.indice_col("X"), 2, "70");
    EXPECT_EQ(g.donnees(doc).points[2].X, 70);
}
