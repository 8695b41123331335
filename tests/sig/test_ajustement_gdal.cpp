// The least-squares affine fit of control points against GDAL's own fit of the same points.
#include "core/calage/Transformation.h"

#include <gdal_alg.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vuv {
namespace {

TEST(AjustementGdal, AffineCoefficientsAgreeWithGcpsToGeoTransform) {
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
    }
}

} // namespace
} // namespace vuv
