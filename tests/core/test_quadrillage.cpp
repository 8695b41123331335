#include "core/vue/Quadrillage.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vuv;

TEST(Quadrillage, PasRondDAuMoins80PixelsEcran) {
    const long double cas[][2] = {{1, 100}, {1.3L, 200}, {0.3L, 50}, {2.6L, 500}, {1e-6L, 1e-4L}, {0, 0}};
    for (const auto& c : cas) EXPECT_DOUBLE_EQ(double(pas_quadrillage(c[0])), double(c[1])) << double(c[0]);
}

// Affine and sheared, half a map unit a pixel, Y upwards: lines every 50 units, on their value.
TEST(Quadrillage, LignesEchantillonneesDansLaVue) {
    const VersCarte carte = [](double x, double y, long double& X, long double& Y) {
        X = 1000 + x / 2, Y = 5000 - y / 2 + x / 10;
        return true;
    };
    const VersImage image = [](long double X, long double Y, double& x, double& y) {
        x = double(2 * (X - 1000)), y = double(2 * (5000 - Y + (X - 1000) / 5));
        return true;
    };
    int x_constants = 0;
    for (const LigneQuadrillage& l : quadrillage({101, 50, 898, 649}, 1, carte, image)) {
        EXPECT_EQ(std::fmod(double(l.valeur), 50.0), 0.0);
        x_constants += l.x_constant;
        for (const PointImage& p : l.morceaux.at(0)) {
            long double X = 0, Y = 0;
            EXPECT_TRUE(p.x >= 101 && p.x <= 899 && p.y >= 50 && p.y <= 650) << p.x << ' ' << p.y;
            carte(p.x, p.y, X, Y);
            EXPECT_NEAR(double(l.x_constant ? X : Y), double(l.valeur), 1e-9);
        }
    }
    EXPECT_EQ(x_constants, 7); // X from 1050.5 to 1449.5
}
