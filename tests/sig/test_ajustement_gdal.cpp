// The least-squares affine fit of control points against GDAL's own fit of the same points.
#include "core/calage/Transformation.h"

#include <gdal_alg.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vuv {
namespace {

TEST(AjustementGdal, AffineTermsResidualsAndRmsAgreeWithGdal) {
    for (int n : {3, 7, 25}) {
        std::vector<PointControle> pts;
        std::vector<GDAL_GCP> gcps(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            PointControle p;
            p.x = 90 + (i * 733) % 4100;
            p.y = 60 + (i * 1217) % 2900 + (i % 3 == 1) * 500;
            p.X = 652000.5L + 0.5L * p.x + 0.02L * p.y + 0.3L * std::sin(i * 1.7L);
            p.Y = 6861000.25L + 0.015L * p.x - 0.49L * p.y + 0.3L * std::cos(i * 2.3L);
            pts.push_back(p);
            GDAL_GCP& g = gcps[static_cast<std::size_t>(i)];
            g = {};
            g.dfGCPPixel = static_cast<double>(p.x);
            g.dfGCPLine = static_cast<double>(p.y);
            g.dfGCPX = static_cast<double>(p.X);
            g.dfGCPY = static_cast<double>(p.Y);
        }
        double gt[6] = {};
        ASSERT_TRUE(GDALGCPsToGeoTransform(n, gcps.data(), gt, TRUE)) << n;
        TransformationMoindresCarres t;
        ASSERT_EQ(t.ajuste(pts), "");
        const auto& m = t.matrice();
        const long double nous[6] = {m[2], m[0], m[1], m[5], m[3], m[4]};
        for (int k = 0; k < 6; ++k)
            EXPECT_NEAR(static_cast<double>(nous[k]), gt[k], 1e-9 * std::fabs(gt[k])) << n << " points, term " << k;
        if (n == 3) continue;
        // Residuals and RMS worked out from GDAL's terms and its own inverse, one point unticked.
        pts[1].utilise = false;
        ASSERT_EQ(t.ajuste(pts), "");
        gcps.erase(gcps.begin() + 1);
        ASSERT_TRUE(GDALGCPsToGeoTransform(n - 1, gcps.data(), gt, TRUE));
        const BilanCalage b = bilan_calage(t, pts);
        double inv[6] = {};
        ASSERT_TRUE(GDALInvGeoTransform(gt, inv));
        double s = 0, s_px = 0;
        for (int i = 0; i < n; ++i) {
            if (i == 1) continue;
            const GDAL_GCP& g = gcps[static_cast<std::size_t>(i < 1 ? i : i - 1)];
            const double dX = gt[0] + gt[1] * g.dfGCPPixel + gt[2] * g.dfGCPLine - g.dfGCPX;
            const double dY = gt[3] + gt[4] * g.dfGCPPixel + gt[5] * g.dfGCPLine - g.dfGCPY;
            const double dx = inv[0] + inv[1] * g.dfGCPX + inv[2] * g.dfGCPY - g.dfGCPPixel;
            const double dy = inv[3] + inv[4] * g.dfGCPX + inv[5] * g.dfGCPY - g.dfGCPLine;
            EXPECT_NEAR(static_cast<double>(b.residus[static_cast<std::size_t>(i)].dY), dY, 1e-6) << i;
            s += dX * dX + dY * dY;
            s_px += dx * dx + dy * dy;
        }
        EXPECT_NEAR(static_cast<double>(b.rms_carte), std::sqrt(s / (n - 1 - 3)), 1e-6);
        EXPECT_NEAR(static_cast<double>(b.rms_pixels), std::sqrt(s_px / (n - 1 - 3)), 1e-5);
    }
}

} // namespace
} // namespace vuv
