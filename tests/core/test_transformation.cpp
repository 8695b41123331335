// Transformations fitted on control points: each method recovers a map it can represent, the
// residuals and RMS agree with a computation of their own, and bad points are named.
#include "core/calage/Transformation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace vuv {
namespace {

using ld = long double;

// A deterministic wobble in [-1, 1], so that least-squares fits have something to average.
ld bruit(int i) { return std::sin(i * 12.9898L) * 0.9L; }

std::vector<PointControle> points_de(const std::function<void(ld, ld, ld&, ld&)>& f, int n, ld ecart = 0) {
    std::vector<PointControle> r;
    // The corners of a 4 x 3 grid first, so that the first few points are never aligned.
    constexpr int ordre[12] = {0, 11, 3, 8, 5, 6, 1, 2, 4, 7, 9, 10};
    for (int i = 0; i < n; ++i) {
        PointControle p;
        const int k = ordre[i % 12];
        p.x = 150 + (k % 4) * 1100 + 37 * (k / 4);
        p.y = 220 + (k / 4) * 900 + 11 * (k % 4);
        f(p.x, p.y, p.X, p.Y);
        p.X += ecart * bruit(2 * i);
        p.Y += ecart * bruit(2 * i + 1);
        p.nom = "p" + std::to_string(i + 1);
        r.push_back(p);
    }
    return r;
}

void affine_vraie(ld x, ld y, ld& X, ld& Y) {
    X = 652000.25L + 0.5L * x + 0.02L * y;
    Y = 6861000.75L + 0.015L * x - 0.49L * y;
}
void helmert_vraie(ld x, ld y, ld& X, ld& Y) { // scale 0.8, angle 30°
    const ld c = 0.8L * std::cos(std::acos(-1.0L) / 6), s = 0.8L * std::sin(std::acos(-1.0L) / 6);
    X = 1000 + c * x + s * y;
    Y = 2000 + s * x - c * y;
}
void projective_vraie(ld x, ld y, ld& X, ld& Y) {
    const ld w = 1 + 2e-5L * x - 1e-5L * y;
    X = (500 + 0.4L * x + 0.05L * y) / w;
    Y = (900 - 0.03L * x - 0.45L * y) / w;
}

struct CasExact {
    MethodeTransformation m;
    void (*f)(ld, ld, ld&, ld&);
    int n;
};

class RetrouveLaVraie : public ::testing::TestWithParam<CasExact> {};

// Points placed exactly by a map of the method's own kind: the fit gives it back both ways.
TEST_P(RetrouveLaVraie, AtEveryPointBothWays) {
    const CasExact c = GetParam();
    const auto pts = points_de(c.f, c.n);
    auto t = cree_transformation(c.m);
    ASSERT_EQ(t->ajuste(pts), "");
    const ld x = 4321.5L, y = 2500.25L; // away from every control point
    ld X = 0, Y = 0, Xv = 0, Yv = 0, xr = 0, yr = 0;
    c.f(x, y, Xv, Yv);
    ASSERT_TRUE(t->vers_carte(x, y, X, Y) && t->vers_image(Xv, Yv, xr, yr));
    EXPECT_NEAR(X, Xv, 1e-7L * std::fabs(Xv));
    EXPECT_NEAR(Y, Yv, 1e-7L * std::fabs(Yv));
    EXPECT_NEAR(xr, x, 1e-6L);
    EXPECT_NEAR(yr, y, 1e-6L);
    const BilanCalage b = bilan_calage(*t, pts);
    EXPECT_LT(b.rms_pixels, 1e-6L);
}

INSTANTIATE_TEST_SUITE_P(Methodes, RetrouveLaVraie,
                         ::testing::Values(CasExact{MethodeTransformation::affine_exacte, affine_vraie, 3},
                                           CasExact{MethodeTransformation::affine, affine_vraie, 12},
                                           CasExact{MethodeTransformation::helmert, helmert_vraie, 2},
                                           CasExact{MethodeTransformation::helmert, helmert_vraie, 9},
                                           CasExact{MethodeTransformation::projective, projective_vraie, 4},
                                           CasExact{MethodeTransformation::projective, projective_vraie, 12}));

TEST(Helmert, SaysItsScaleAndAngle) {
    TransformationHelmert t;
    ASSERT_EQ(t.ajuste(points_de(helmert_vraie, 5)), "");
    EXPECT_NEAR(t.echelle(), 0.8L, 1e-12L);
    EXPECT_NEAR(t.angle_degres(), 30.0L, 1e-9L);
}

// Four points fix a projective map: the eight unknowns solved directly by elimination here.
TEST(Projective, FourPointsAgreeWithADirectSolve) {
    const auto p = points_de(projective_vraie, 4, 3);
    double M[8][9] = {};
    for (int i = 0; i < 4; ++i) {
        const double x = static_cast<double>(p[i].x), y = static_cast<double>(p[i].y);
        const double X = static_cast<double>(p[i].X), Y = static_cast<double>(p[i].Y);
        const double a[9] = {x, y, 1, 0, 0, 0, -x * X, -y * X, X};
        const double b[9] = {0, 0, 0, x, y, 1, -x * Y, -y * Y, Y};
        for (int j = 0; j < 9; ++j) M[2 * i][j] = a[j], M[2 * i + 1][j] = b[j];
    }
    for (int k = 0; k < 8; ++k) {
        int piv = k;
        for (int i = k + 1; i < 8; ++i)
            if (std::fabs(M[i][k]) > std::fabs(M[piv][k])) piv = i;
        std::swap(M[k], M[piv]);
        for (int i = 0; i < 8; ++i)
            if (i != k) {
                const double f = M[i][k] / M[k][k];
                for (int j = k; j < 9; ++j) M[i][j] -= f * M[k][j];
            }
    }
    TransformationProjective t;
    ASSERT_EQ(t.ajuste(p), "");
    for (int k = 0; k < 8; ++k) {
        const double attendu = M[k][8] / M[k][k];
        EXPECT_NEAR(static_cast<double>(t.matrice()[static_cast<std::size_t>(k)]), attendu, 1e-9 * std::fabs(attendu)) << k;
    }
}

struct CasRefus {
    MethodeTransformation m;
    std::function<void(std::vector<PointControle>&)> abime;
    std::string message;
};

class Refus : public ::testing::TestWithParam<CasRefus> {};

TEST_P(Refus, NamesTheProblem) {
    auto pts = points_de(affine_vraie, 6);
    GetParam().abime(pts);
    auto t = cree_transformation(GetParam().m);
    EXPECT_EQ(t->ajuste(pts), GetParam().message);
}

const auto aligne = [](std::vector<PointControle>& p) {
    for (std::size_t i = 0; i < p.size(); ++i) p[i].y = p[i].x * 0.5L, affine_vraie(p[i].x, p[i].y, p[i].X, p[i].Y);
};

INSTANTIATE_TEST_SUITE_P(
    Points, Refus,
    ::testing::Values(
        CasRefus{MethodeTransformation::projective, [](auto& p) { p.resize(3); },
                 "La transformation « Projective » demande au moins 4 points de calage cochés ; il y en a 3."},
        CasRefus{MethodeTransformation::affine, [](auto& p) { p[2].utilise = p[3].utilise = p[4].utilise = p[5].utilise = false; },
                 "La transformation « Affine (moindres carrés) » demande au moins 3 points de calage cochés ; il y en a 2."},
        CasRefus{MethodeTransformation::helmert, [](auto& p) { p[4].x = p[1].x, p[4].y = p[1].y; },
                 "Les points de calage 2 et 5 cochés sont confondus."},
        CasRefus{MethodeTransformation::affine, aligne,
                 "Les points de calage cochés sont alignés : la transformation « Affine (moindres carrés) » ne peut pas être calculée."},
        CasRefus{MethodeTransformation::affine_exacte, aligne,
                 "Les points de calage cochés sont alignés : la transformation « Affine exacte (3 points) » ne peut pas être calculée."},
        CasRefus{MethodeTransformation::projective, aligne,
                 "Les points de calage cochés sont alignés : la transformation « Projective » ne peut pas être calculée."}));

} // namespace
} // namespace vuv
