// The traverse: legs walked from a start, keyword lines, separators, and the rows added.
#include "core/document/Document.h"
#include "core/mesure/Traverse.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

using namespace vuv;

namespace {

constexpr long double defauts = 4.5L;

// Real (900, 2120) at pixel (0, 0), (900, 2020) at (0, 1000), (1000, 2020) at (1000, 1000):
// X = 900 + x / 10, Y = 2120 - y / 10. The start digitized at (1000, 1200): real (1000, 2000).
struct Traverse : ::testing::Test {
    PortScripte port_;
    PortInstalle installe{port_};
    SeparateurLocal sep{'.'};
    Document d;

    void SetUp() override {
        const int px[3][2] = {{0, 0}, {0, 1000}, {1000, 1000}};
        const long double reel[3][2] = {{900, 2120}, {900, 2020}, {1000, 2020}};
        for (int k = 0; k < 3; ++k) {
            d.affecte_calage(k + 1, 0, "cal", 0, 0, 0, reel[k][1], reel[k][0]);
            d.calage[static_cast<std::size_t>(k)] = {true, px[k][0], px[k][1], reel[k][0], reel[k][1], 0};
        }
        d.nb_calage = 3;
        d.num_ligne = 1;
        d.nb_points = 1;
        d.affecte_en(1, 1, "", 0, 2000, 1000, 1200, 1000);
        d.sauve = true;
    }
    std::string cell(const char* col, int row) const { return std::string(std::string(d.StringGrid1.cell(d.indice_col(col), row))); }
};

} // namespace

TEST(MarcheTraverse, LesJambesEnPrecisionEtendue) {
    const auto p = marche_traverse("A 100 0\nB 100 90\n", 1000, 2000, defauts);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].libelle, "A");
    EXPECT_NEAR(static_cast<double>(p[0].X), 992.154090427, 1e-8);
    EXPECT_NEAR(static_cast<double>(p[0].Y), 2099.691733373, 1e-8);
    EXPECT_NEAR(static_cast<double>(p[1].X), 1091.845823800, 1e-8);
    EXPECT_NEAR(static_cast<double>(p[1].Y), 2107.537642946, 1e-8);
}

TEST(MarcheTraverse, MotsClesSeparateursEtLignesIgnorees) {
    // Cap=2 then D=3: label, bearing, distance. The keyword lines add nothing.
    auto p = marche_traverse("Cap=2\r\nD=3\n' commentaire 5 5\n/ autre\n\nP 90 10\n", 0, 0, 0);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].libelle, "P");
    EXPECT_NEAR(static_cast<double>(p[0].X), 10, 1e-12);
    EXPECT_NEAR(static_cast<double>(p[0].Y), 0, 1e-12);

    // The tab switches this line and every later one.
    p = marche_traverse("A 10 0\nB\t10\t90\nC 10 0\nD\t10\t0\n", 0, 0, 0);
    ASSERT_EQ(p.size(), 4u);
    EXPECT_NEAR(static_cast<double>(p[1].X), 10, 1e-12);
    EXPECT_EQ(p[2].libelle, "C 10 0");
    EXPECT_NEAR(static_cast<double>(p[2].X), 10, 1e-12) << "no tab field: distance 0 repeats the position";
    EXPECT_NEAR(static_cast<double>(p[3].Y), 20, 1e-12);
}

TEST(MarcheTraverse, ChampsManquantsOuFauxValentZero) {
    const auto p = marche_traverse("D=x\nCap=300\nA 100 45\nLib=0\n\xC3\xA9t\xC3\xA9 5 0\n", 1, 2, 0);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].X, 1);
    EXPECT_EQ(p[0].Y, 2);
    EXPECT_EQ(p[1].libelle, "");
    std::string nul("A 1\0 0\nB 2 0", 12);
    EXPECT_EQ(marche_traverse(nul, 0, 0, 0).size(), 2u);
}

TEST_F(Traverse, LigneAjouteeDepuisLeDepartPuisRecalculee) {
    const BilanTraverse b = ajoute_traverse(d, 1, "A 100 0\nB 100 90\n", defauts);
    EXPECT_EQ(b.refus, "");
    EXPECT_EQ(b.ajoutes, 3);
    ASSERT_EQ(d.nb_points, 4);
    EXPECT_EQ(cell("Libellé", 2), "CD0");
    EXPECT_EQ(cell("L", 2), "  2");
    EXPECT_EQ(cell("X", 2), "1000.00000000");
    EXPECT_EQ(cell("Libellé", 3), "A");
    EXPECT_EQ(cell("x", 3), "  922");
    EXPECT_EQ(cell("y", 3), "  203");
    EXPECT_EQ(cell("X", 3), "992.20000000");
    EXPECT_EQ(cell("Y", 3), "2099.70000000");
    EXPECT_EQ(cell("x", 4), "1918");
    EXPECT_EQ(cell("y", 4), "  125");
    EXPECT_EQ(cell("X", 4), "1091.80000000");
    EXPECT_EQ(cell("Y", 4), "2107.50000000");
    EXPECT_FALSE(d.nouvelle_ligne);
    EXPECT_FALSE(d.sauve);
}

TEST_F(Traverse, RefusAvantToutChangement) {
    d.nb_points = 0;
    EXPECT_EQ(ajoute_traverse(d, 1, "A 1 0", 0).refus, "pas de points digitalisés");
    d.nb_points = 1;
    d.calage[2] = {true, 0, 2000, 900, 1920, 0}; // three pixels on one line
    EXPECT_EQ(ajoute_traverse(d, 1, "A 1 0", 0).refus, "la calibration doit comporter 3 points non alignés");
    d.nb_calage = 2;
    EXPECT_NE(ajoute_traverse(d, 1, "A 1 0", 0).refus, "");
    EXPECT_EQ(d.nb_points, 1);
    EXPECT_TRUE(d.sauve);
}

TEST_F(Traverse, HorsImageCompteEtLigne99) {
    const BilanTraverse b = ajoute_traverse(d, 0, "A 100 90\nB 1 1E4000\nloin 5000 90\n", 0);
    EXPECT_EQ(b.hors_image, 1);
    EXPECT_EQ(b.ajoutes, 3);
    d.affecte_en(d.nb_points, 99, "", 0, 0, 0, 0, 0);
    EXPECT_EQ(ajoute_traverse(d, 1, "A 1 0", 0).refus, "pas plus de 99 lignes");
}
