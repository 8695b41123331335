#include "core/calage/MoindresCarres.h"
#include "core/calage/Transformation.h"

#include <cstddef>

namespace vuv {
namespace {

using ld = long double;

// X = a0 + a1 x + a2 y and Y likewise, fitted about the points' centre for a well-conditioned
// system, then moved back.
bool affine_sur(const std::vector<const PointControle*>& p, Matrice3& h) {
    const auto n = p.size();
    ld xm = 0, ym = 0, Xm = 0, Ym = 0;
    for (const PointControle* c : p) {
        xm += c->x;
        ym += c->y;
        Xm += c->X;
        Ym += c->Y;
    }
    xm /= n, ym /= n, Xm /= n, Ym /= n;
    std::vector<ld> A(n * 3), bX(n), bY(n);
    for (std::size_t i = 0; i < n; ++i) {
        A[i * 3] = 1;
        A[i * 3 + 1] = p[i]->x - xm;
        A[i * 3 + 2] = p[i]->y - ym;
        bX[i] = p[i]->X - Xm;
        bY[i] = p[i]->Y - Ym;
    }
    std::vector<ld> a, b;
    const int m = static_cast<int>(n);
    if (!moindres_carres(A, bX, m, 3, a) || !moindres_carres(A, bY, m, 3, b)) return false;
    h = {a[1], a[2], Xm + a[0] - a[1] * xm - a[2] * ym,
         b[1], b[2], Ym + b[0] - b[1] * xm - b[2] * ym,
         0,    0,    1};
    return true;
}

} // namespace

bool TransformationAffineExacte::calcule(const std::vector<const PointControle*>& p, Matrice3& h) const {
    return affine_sur({p.begin(), p.begin() + 3}, h);
}

bool TransformationMoindresCarres::calcule(const std::vector<const PointControle*>& p, Matrice3& h) const {
    return affine_sur(p, h);
}

} // namespace vuv
