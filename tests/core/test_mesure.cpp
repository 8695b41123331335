// Lengths, perimeters and surfaces of digitized lines, the results text and the format pictures.
#include "core/document/Document.h"
#include "core/mesure/FormatNombre.h"
#include "core/mesure/Surface.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace vuv;

namespace {

using Lignes = std::vector<std::string>;

const char* F1 = "0.000 E+00";
const char* F2 = "### ### ### ### ##0.000000000";
const char* F3 = "0.0000 E+00";

// A point at real (X, Y) on line L, drawn at overlay pixel (x, y); the line row is created shown.
void point(Document& d, int L, long double X, long double Y, int x, int y) {
    const int row = ++d.nb_points;
    d.affecte_en(row, L, "", 0, Y, X, y, x);
    Grille& g = d.StringGrid3;
    if (g.row_count() <= L) g.set_row_count(L + 1);
    if (g.cell(0, L).empty()) {
        g.set_cell(0, L, std::to_string(L));
        g.set_cell(3, L, "x");
    }
    d.num_ligne = std::max(d.num_ligne, L);
}

// Real (X, Y) drawn at pixel (10 X, 500 - 10 Y).
void polygone(Document& d, int L, std::initializer_list<std::pair<long double, long double>> pts) {
    for (auto [X, Y] : pts) point(d, L, X, Y, static_cast<int>(10 * X), static_cast<int>(500 - 10 * Y));
}

class Mesure : public ::testing::Test {
protected:
    PortScripte port_;
    PortInstalle installe{port_};
    Document d;
};

} // namespace

TEST(FormatNombre, MandatoryAndOptionalDigitsWithLiteralSpaces) {
    SeparateurLocal sep('.');
    EXPECT_EQ(formate_nombre(F2, 100), "    100.000000000");
    EXPECT_EQ(formate_nombre(F2, 0), "    0.000000000") << "the last 0 is mandatory, the # write nothing";
    EXPECT_EQ(formate_nombre(F2, 1234567.5L), "  1 234 567.500000000");
    EXPECT_EQ(formate_nombre(F2, -5), "    -5.000000000") << "the sign sits against the first digit";
    EXPECT_EQ(formate_nombre(F2, 0.0000000004L), "    0.000000000");
    EXPECT_EQ(formate_nombre(F2, -0.0000000004L), "    0.000000000") << "a value that rounds to zero has no sign";
    EXPECT_EQ(formate_nombre(F2, 0.0000000005L), "    0.000000001") << "half away from zero";
    EXPECT_EQ(formate_nombre(F2, 999.9999999996L), "   1 000.000000000") << "a carry adds a digit to the next group";
    EXPECT_EQ(formate_nombre(F2, 1e16L), "10000 000 000 000 000.000000000")
        << "digits beyond the placeholders go to the first one";
    EXPECT_EQ(formate_nombre("0.0##", 1.5), "1.5");
    EXPECT_EQ(formate_nombre("#.##", 0.25L), ".25");
    EXPECT_EQ(formate_nombre("0.##", 3), "3") << "no decimal mark without a decimal";
    EXPECT_EQ(formate_nombre("000", 7), "007");
}

TEST(FormatNombre, ExponentSignedWithAtLeastTwoDigits) {
    SeparateurLocal sep('.');
    EXPECT_EQ(formate_nombre(F1, 100), "1.000 E+02");
    EXPECT_EQ(formate_nombre(F1, 0), "0.000 E+00");
    EXPECT_EQ(formate_nombre(F1, -123.4567L), "-1.235 E+02");
    EXPECT_EQ(formate_nombre(F1, 9.9996L), "1.000 E+01") << "rounding the mantissa moves the exponent";
    EXPECT_EQ(formate_nombre(F1, 1.5e-7L), "1.500 E-07");
    EXPECT_EQ(formate_nombre(F1, 2.5e123L), "2.500 E+123");
    EXPECT_EQ(formate_nombre(F1, 7e-1234L), "7.000 E-1234");
    EXPECT_EQ(formate_nombre(F3, 0.05L), "5.0000 E-02");
    EXPECT_EQ(formate_nombre("0.0E-00", 150), "1.5E02") << "E- writes only a minus";
}

TEST(FormatNombre, LocalDecimalSeparator) {
    SeparateurLocal sep(',');
    EXPECT_EQ(formate_nombre(F1, 100), "1,000 E+02");
    EXPECT_EQ(formate_nombre(F2, 1234.5), "   1 234,500000000");
    EXPECT_EQ(formate_nombre(F3, -0.00125L), "-1,2500 E-03");
}

TEST_F(Mesure, SquareGivesTheExactResultsText) {
    SeparateurLocal sep('.');
    polygone(d, 1, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const ResultatSurface r = mesure_surface(d, 1, 499);
    ASSERT_TRUE(r.mesure);
    EXPECT_EQ(r.lignes, (Lignes{" Suite(1)= \t4\t points",
                                " Surface  A = \t1.000 E+02    \t    100.000000000",
                                " Distance D = \t3.000 E+01    \t    30.000000000",
                                " Périmètre P = \t4.000 E+01    \t    40.000000000",
                                " Indice de compacité = P/(4.pi.A)^0.5 = \t1.12837916709551"}))
        << "P²/16 = A: no rectangle line; a single line: no network lines";
    // The fan from the first point: two triangles, drawn at the points' pixels.
    ASSERT_EQ(r.triangles.size(), 2u);
    EXPECT_EQ(r.triangles[1].p0.x, 0);
    EXPECT_EQ(r.triangles[1].p0.y, 500);
    EXPECT_EQ(r.triangles[1].p2.x, 0);
    EXPECT_EQ(r.triangles[1].p2.y, 400);
    EXPECT_TRUE(port_.echanges().empty());
}

TEST_F(Mesure, SquareUnderTheCommaConvention) {
    SeparateurLocal sep(',');
    polygone(d, 1, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const ResultatSurface r = mesure_surface(d, 1, 499);
    ASSERT_EQ(r.lignes.size(), 5u);
    EXPECT_EQ(r.lignes[1], " Surface  A = \t1,000 E+02    \t    100,000000000");
    EXPECT_EQ(r.lignes[4], " Indice de compacité = P/(4.pi.A)^0.5 = \t1,12837916709551");
}

TEST_F(Mesure, RectangleInBothDirectionsGivesItsEquivalentLength) {
    SeparateurLocal sep('.');
    polygone(d, 1, {{0, 0}, {20, 0}, {20, 5}, {0, 5}});
    const ResultatSurface a = mesure_surface(d, 0, 500);
    Document inverse;
    polygone(inverse, 1, {{0, 5}, {20, 5}, {20, 0}, {0, 0}});
    const ResultatSurface b = mesure_surface(inverse, 0, 450);
    EXPECT_EQ(a.A, 100);
    EXPECT_EQ(b.A, 100) << "the direction of digitizing does not change the surface";
    EXPECT_EQ(a.P, 50);
    EXPECT_EQ(a.Le, 20);
    ASSERT_EQ(a.lignes.size(), 6u);
    EXPECT_EQ(a.lignes[5], " Rectangle équivalent L=P/4+sqrt(P²/16-A)= \t20");
    EXPECT_EQ(b.lignes, a.lignes);
}

TEST_F(Mesure, FigureOfEightGivesTheDifferenceOfItsLobes) {
    SeparateurLocal sep('.');
    polygone(d, 1, {{0, 0}, {10, 10}, {10, 0}, {0, 4}});
    const SurfaceLigne s = surface_indice_ligne(d, 1);
    EXPECT_EQ(s.A, 30);
    const ResultatSurface r = mesure_surface(d, 0, 500);
    EXPECT_EQ(r.lignes[1], " Surface  A = \t3.000 E+01    \t    30.000000000");
}

TEST_F(Mesure, NetworkLinesWithSeveralLines) {
    SeparateurLocal sep('.');
    d.calage[0] = {true, 0, 0, 0, 1, 0};
    d.calage[1] = {true, 0, 0, 0, 0, 0};
    d.calage[2] = {true, 0, 0, 2.5L, 0, 0};
    polygone(d, 1, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    polygone(d, 2, {{20, 0}, {23, 4}, {23, 5}});
    const ResultatSurface r = mesure_surface(d, 1, 499);
    EXPECT_EQ(r.R, 6) << "the other lines' lengths, without the chosen one";
    ASSERT_EQ(r.lignes.size(), 10u);
    EXPECT_EQ(Lignes(r.lignes.begin() + 5, r.lignes.end()),
              (Lignes{" Longueur totale du réseau (sans le pourtour de la surface choisie définie par",
                      "    la suite n°1  ( celle qui se trouve proche du clik de la souris ! )",
                      "            L(réseau) = \t6.0000 E+00",
                      " Densité de drainage = longueur du réseau / A = \t6.0000 E-02",
                      "     Distances (calage 1 à 2) = 1   (calage 2 à 3) = 2.5"}));

    // Clicking the open line measures it: its surface is the triangle it closes.
    const ResultatSurface l2 = mesure_surface(d, 230, 450);
    EXPECT_EQ(l2.L, 2);
    EXPECT_EQ(l2.n, 3);
    EXPECT_EQ(l2.D, 6);
    EXPECT_EQ(l2.A, 1.5L);
    EXPECT_EQ(l2.R, 30);
}

TEST_F(Mesure, OnlyTheFirstRunOfAnInterruptedLineCounts) {
    polygone(d, 1, {{0, 0}, {1, 0}});
    polygone(d, 2, {{0, 0}, {3, 0}, {3, 4}});
    polygone(d, 3, {{50, 50}});
    polygone(d, 2, {{100, 100}, {200, 100}});
    const DistancePerimetre dp = distance_perimetre_indice_ligne(d, 2);
    EXPECT_EQ(dp.n, 3);
    EXPECT_EQ(dp.D, 7);
    EXPECT_EQ(dp.P, 12);
    EXPECT_EQ(surface_indice_ligne(d, 2).A, 6);
    const DistancePerimetre absente = distance_perimetre_indice_ligne(d, 9);
    EXPECT_EQ(absente.n, 1) << "a line without points adds nothing to the network";
    EXPECT_EQ(absente.D, 0);
    EXPECT_EQ(absente.P, 0);
    EXPECT_EQ(surface_indice_ligne(d, 9).A, 0);
}

TEST_F(Mesure, TwoPointLineGoesToTheScaleTool) {
    polygone(d, 1, {{0, 0}, {10, 0}});
    const ResultatSurface r = mesure_surface(d, 0, 500);
    EXPECT_TRUE(r.mesure);
    EXPECT_TRUE(r.outil_echelle);
    EXPECT_TRUE(r.lignes.empty());
}

TEST_F(Mesure, NothingToMeasureBeeps) {
    polygone(d, 1, {{0, 0}});
    EXPECT_FALSE(mesure_surface(d, 0, 500).mesure) << "one point";
    polygone(d, 1, {{1, 0}, {1, 1}});
    d.StringGrid3.set_cell(3, 1, "");
    EXPECT_FALSE(mesure_surface(d, 0, 500).mesure) << "no line is shown";
    EXPECT_EQ(port_.nombre("bip"), 2);
}

TEST(MesureTrait, PenWidthFollowsTheOverlayWidth) {
    EXPECT_EQ(epaisseur_triangles(800), 1);
    EXPECT_EQ(epaisseur_triangles(2999), 2);
}
