#include "core/calage/MoindresCarres.h"
#include "core/calage/Transformation.h"

#include <cmath>
#include <cstddef>

namespace vuv {
namespace {

using ld = long double;

// Centre and mean distance of a set of coordinates: the similarity that brings them about the
// origin at unit size (the projective system is badly conditioned in raw pixels and metres).
struct Normalisation {
    ld cx = 0, cy = 0, s = 1;
};

template <class F>
Normalisation normalisation(const std::vector<const PointControle*>& p, F coord) {
    Normalisation r;
    for (const PointControle* c : p) {
        const auto [a, b] = coord(*c);
        r.cx += a;
        r.cy += b;
    }
    r.cx /= p.size();
    r.cy /= p.size();
    ld m = 0;
    for (const PointControle* c : p) {
        const auto [a, b] = coord(*c);
        m += std::hypot(a - r.cx, b - r.cy);
    }
    m /= p.size();
    r.s = m > 0 ? 1 / m : 1;
    return r;
}

Matrice3 produit(const Matrice3& a, const Matrice3& b) {
    Matrice3 r{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) r[i * 3 + j] += a[i * 3 + k] * b[k * 3 + j];
    return r;
}

} // namespace

bool TransformationProjective::calcule(const std::vector<const PointControle*>& p, Matrice3& h) const {
    const Normalisation np = normalisation(p, [](const PointControle& c) { return std::pair{c.x, c.y}; });
    const Normalisation nm = normalisation(p, [](const PointControle& c) { return std::pair{c.X, c.Y}; });
    const auto n = p.size();
    std::vector<ld> A(n * 2 * 8, 0), B(n * 2);
    for (std::size_t i = 0; i < n; ++i) {
        const ld x = (p[i]->x - np.cx) * np.s, y = (p[i]->y - np.cy) * np.s;
        const ld X = (p[i]->X - nm.cx) * nm.s, Y = (p[i]->Y - nm.cy) * nm.s;
        ld* lx = &A[i * 16];
        ld* ly = lx + 8;
        lx[0] = x, lx[1] = y, lx[2] = 1, lx[6] = -x * X, lx[7] = -y * X;
        ly[3] = x, ly[4] = y, ly[5] = 1, ly[6] = -x * Y, ly[7] = -y * Y;
        B[i * 2] = X;
        B[i * 2 + 1] = Y;
    }
    std::vector<ld> u;
    if (!moindres_carres(A, B, static_cast<int>(n * 2), 8, u)) return false;
    const Matrice3 hn{u[0], u[1], u[2], u[3], u[4], u[5], u[6], u[7], 1};
    const Matrice3 tp{np.s, 0, -np.s * np.cx, 0, np.s, -np.s * np.cy, 0, 0, 1};
    const Matrice3 tm_inv{1 / nm.s, 0, nm.cx, 0, 1 / nm.s, nm.cy, 0, 0, 1};
    h = produit(tm_inv, produit(hn, tp));
    // Scaled so that w is 1 where the map is affine.
    if (h[8] == 0) return false;
    for (ld& v : h) v /= h[8];
    return true;
}

} // namespace vuv
