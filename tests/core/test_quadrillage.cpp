#include "core/vue/Quadrillage.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vuv;

namespace {

struct CasPas {
    long double unites_par_pixel, attendu;
};

class PasQuadrillage : public testing::TestWithParam<CasPas> {};

TEST_P(PasQuadrillage, RondEtAuMoins80PixelsEcran) {
    EXPECT_DOUBLE_EQ(static_cast<double>(pas_quadrillage(GetParam().unites_par_pixel)),
                     static_cast<double>(GetParam().attendu));
}

INSTANTIATE_TEST_SUITE_P(Echelles, PasQuadrillage,
                         testing::Values(CasPas{1, 100}, CasPas{1.25L, 100}, CasPas{1.3L, 200},
                                         CasPas{0.3L, 50}, CasPas{2.6L, 500}, CasPas{0.0125L, 1},
                                         CasPas{1e-6L, 1e-4L}, CasPas{0, 0}, CasPas{-1, 0},
                                         CasPas{INFINITY, 0}));

// Affine, 2 pixels per map unit, sheared, Y upwards: X = 1000 + x / 2, Y = 5000 - y / 2 + x / 10.
TEST(Quadrillage, LignesRondesEchantillonneesDansLaVue) {
    const VersCarte carte = [](double x, double y, long double& X, long double& Y) {
        X = 1000 + x / 2;
        Y = 5000 - y / 2 + x / 10;
        return true;
    };
    const VersImage image = [](long double X, long double Y, double& x, double& y) {
        x = static_cast<double>(2 * (X - 1000));
        y = static_cast<double>(2 * (5000 - Y + (X - 1000) / 5));
        return true;
    };
    const Rect vue{101, 50, 898, 649};
    const auto lignes = quadrillage(vue, 1, carte, image);
    // At one screen pixel per image pixel a map unit is half a pixel: lines every 50 units.
    int x_constants = 0;
    for (const LigneQuadrillage& l : lignes) {
        EXPECT_EQ(std::fmod(static_cast<double>(l.valeur), 50.0), 0.0);
        x_constants += l.x_constant;
        for (const auto& m : l.morceaux) {
            ASSERT_GE(m.size(), 2u);
            for (const PointImage& p : m) {
                EXPECT_TRUE(p.x >= 101 && p.x <= 899 && p.y >= 50 && p.y <= 650) << p.x << ' ' << p.y;
                long double X = 0, Y = 0;
                carte(p.x, p.y, X, Y);
                EXPECT_NEAR(static_cast<double>(l.x_constant ? X : Y), static_cast<double>(l.valeur), 1e-9);
            }
        }
    }
    // X from 1050.5 to 1449.5 in view: 1100 .. 1400.
    EXPECT_EQ(x_constants, 7);
    EXPECT_GT(lignes.size() - x_constants, 5u);
    EXPECT_TRUE(quadrillage(vue, 1, [](double, double, long double&, long double&) { return false; }, image)
                    .empty());
}

} // namespace
