// The scale tool's entry and rescaling, and the altitude step.
#include "core/document/Document.h"
#include "core/mesure/Echelle.h"
#include "core/mesure/Surface.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

using namespace vuv;

namespace {

// cal 1 (0, 100), cal 2 (0, 0), cal 3 (100, 0) in pixels at real (0, 0), (0, 100), (100, 100):
// X = x, Y = 100 - y. Line 1: pixels (100, 500) and (250, 300), 250 apart.
struct Echelle : ::testing::Test {
    PortScripte port_;
    PortInstalle installe{port_};
    SeparateurLocal sep{'.'};
    Document d;

    void SetUp() override {
        const int px[3][2] = {{0, 100}, {0, 0}, {100, 0}};
        const long double reel[3][2] = {{0, 0}, {0, 100}, {100, 100}};
        for (int k = 0; k < 3; ++k) {
            d.affecte_calage(k + 1, 0, "cal " + std::to_string(k + 1), px[k][0], px[k][1], 0, reel[k][1], reel[k][0]);
            d.calage[static_cast<std::size_t>(k)] = {true, px[k][0], px[k][1], reel[k][0], reel[k][1], 0};
        }
        d.nb_calage = 3;
        for (auto [x, y] : {std::pair{100, 500}, {250, 300}}) {
            ++d.nb_points;
            d.affecte_en(d.nb_points, 1, "", 0, 100 - y, x, y, x);
        }
        d.StringGrid3.set_cell(0, 1, "1");
        d.StringGrid3.set_cell(3, 1, "x");
    }
    std::string cal(const char* col, int row) const { return std::string(std::string(d.StringGrid2.cell(d.indice_col_cal(col), row))); }
    long double reel(const char* col, int row) const { return val_reel(d.StringGrid1.cell(d.indice_col(col), row)); }
};

} // namespace

TEST_F(Echelle, TextesDuPanneau) {
    const ResultatSurface r = mesure_surface(d, 100, 500);
    ASSERT_TRUE(r.outil_echelle);
    EXPECT_EQ(texte_suite_echelle(r.L, r.D), "La suite (1) ne contient que 2 points distants de 250");
    EXPECT_EQ(texte_distance_calculee(r.D), "distance calculée = 250.000000 ");
}

TEST_F(Echelle, QuestionEtFacteur) {
    const EntreeEchelle e = lit_echelle("1000", 250);
    ASSERT_TRUE(e.acceptee);
    EXPECT_EQ(e.f, 4);
    EXPECT_EQ(e.message, " Mise à l'échelle = calcul des calibrations\n  distance calculée  = 250\n"
                         "  distance réelle    = 1000\n  facteur d'échelle = 4");
    SeparateurLocal virgule(',');
    EXPECT_NE(lit_echelle("100", 250).message.find("facteur d'échelle = 0,4"), std::string::npos);
}

TEST_F(Echelle, EntreesRefusees) {
    for (const char* t : {"abc", "0", "-5", "", "1E400"}) {
        const EntreeEchelle e = lit_echelle(t, 250);
        EXPECT_FALSE(e.acceptee) << t;
        EXPECT_EQ(e.message, "valeur <" + std::string(t) + "> non numérique ou distance nulle ");
    }
    EXPECT_FALSE(lit_echelle("1000", 0).acceptee) << "no line measured yet";
}

TEST_F(Echelle, LaMiseAEchelleMultiplieLesCalagesEtRecalculeLesPoints) {
    d.sauve = true;
    applique_echelle(d, 4);
    EXPECT_EQ(cal("X", 1), "0");
    EXPECT_EQ(cal("Y", 1), "0");
    EXPECT_EQ(cal("X", 2), "0");
    EXPECT_EQ(cal("Y", 2), "400");
    EXPECT_EQ(cal("X", 3), "400");
    EXPECT_EQ(cal("Y", 3), "400");
    EXPECT_EQ(reel("X", 1), 400);
    EXPECT_EQ(reel("Y", 1), -1600);
    EXPECT_EQ(reel("X", 2), 1000);
    EXPECT_EQ(reel("Y", 2), -800);
    EXPECT_NEAR(static_cast<double>(mesure_surface(d, 100, 500).D), 1000, 1e-9);
    EXPECT_FALSE(d.sauve);
}

TEST_F(Echelle, UnPointDansLesCellulesQuelQueSoitLeSeparateur) {
    SeparateurLocal virgule(',');
    applique_echelle(d, lit_echelle("100", 250).f);
    EXPECT_EQ(cal("X", 3), "40");
    EXPECT_EQ(cal("Y", 2), "40");
    applique_echelle(d, 0.25L);
    EXPECT_EQ(cal("X", 3), "10");
}

TEST(Altitude, PasDeDeltaAvecDecimales) {
    SeparateurLocal sep('.');
    std::string z = "100";
    for (int i = 0; i < 3; ++i) z = *pas_altitude(z, "50", "0", 1).z;
    EXPECT_EQ(z, "250");
    EXPECT_EQ(*pas_altitude(z, "50", "0", -1).z, "200");
    EXPECT_EQ(*pas_altitude("-", "50", "0", 1).z, "50") << "no value reads as 0";
    EXPECT_EQ(*pas_altitude("1", "0.25", "2", 1).z, "1.25");
    EXPECT_EQ(*pas_altitude("1", "abc", "0", 1).z, "1");
    const PasAltitude p = pas_altitude("100", "50", "1.5", 1);
    EXPECT_FALSE(p.z);
    EXPECT_EQ(p.erreur, "'1.5' n'est pas une valeur entière correcte");
    EXPECT_FALSE(pas_altitude("100", "50", "-1", 1).z);
}
