#include "core/calage/MoindresCarres.h"
#include "core/calage/Transformation.h"

#include <cmath>
#include <cstddef>
#include <numbers>

namespace vuv {

// X = a + c x + d y, Y = b + d x - c y: a similarity of (x, -y).
bool TransformationHelmert::calcule(const std::vector<const PointControle*>& p, Matrice3& h) const {
    using ld = long double;
    const auto n = p.size();
    ld xm = 0, ym = 0, Xm = 0, Ym = 0;
    for (const PointControle* c : p) {
        xm += c->x;
        ym += c->y;
        Xm += c->X;
        Ym += c->Y;
    }
    xm /= n, ym /= n, Xm /= n, Ym /= n;
    std::vector<ld> A(n * 2 * 4, 0), B(n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        const ld x = p[i]->x - xm, y = p[i]->y - ym;
        ld* lx = &A[i * 8];
        ld* ly = lx + 4;
        lx[0] = 1, lx[2] = x, lx[3] = y;
        ly[1] = 1, ly[2] = -y, ly[3] = x;
        B[i * 2] = p[i]->X - Xm;
        B[i * 2 + 1] = p[i]->Y - Ym;
    }
    std::vector<ld> u;
    if (!moindres_carres(A, B, static_cast<int>(n * 2), 4, u)) return false;
    const ld c = u[2], d = u[3];
    h = {c, d, Xm + u[0] - c * xm - d * ym,
         d, -c, Ym + u[1] - d * xm + c * ym,
         0, 0, 1};
    return true;
}

long double TransformationHelmert::echelle() const { return std::hypot(matrice()[0], matrice()[1]); }

long double TransformationHelmert::angle_degres() const {
    return std::atan2(matrice()[1], matrice()[0]) * 180 / std::numbers::pi_v<long double>;
}

} // namespace vuv
