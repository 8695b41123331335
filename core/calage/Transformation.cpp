#include "core/calage/Transformation.h"

#include <cmath>
#include <cstddef>

namespace vuv {
namespace {

using ld = long double;

struct Methode {
    MethodeTransformation m;
    const char* code;
    const char* nom;
};
constexpr Methode methodes[] = {
    {MethodeTransformation::affine_exacte, "affine_exacte", "Affine exacte (3 points)"},
    {MethodeTransformation::affine, "affine", "Affine (moindres carrés)"},
    {MethodeTransformation::helmert, "helmert", "Similitude (Helmert)"},
    {MethodeTransformation::projective, "projective", "Projective"},
};

bool inverse(const Matrice3& m, Matrice3& r) {
    const ld a = m[4] * m[8] - m[5] * m[7];
    const ld b = m[5] * m[6] - m[3] * m[8];
    const ld c = m[3] * m[7] - m[4] * m[6];
    const ld det = m[0] * a + m[1] * b + m[2] * c;
    // Degenerate points are caught by the fit's rank; what is left is a zero or overflowing det.
    if (!std::isfinite(det) || det == 0) return false;
    r = {a, m[2] * m[7] - m[1] * m[8], m[1] * m[5] - m[2] * m[4],
         b, m[0] * m[8] - m[2] * m[6], m[2] * m[3] - m[0] * m[5],
         c, m[1] * m[6] - m[0] * m[7], m[0] * m[4] - m[1] * m[3]};
    for (ld& v : r) {
        v /= det;
        if (!std::isfinite(v)) return false;
    }
    return true;
}

} // namespace

std::string_view code_methode(MethodeTransformation m) {
    for (const Methode& e : methodes)
        if (e.m == m) return e.code;
    return {};
}

std::string_view nom_methode(MethodeTransformation m) {
    for (const Methode& e : methodes)
        if (e.m == m) return e.nom;
    return {};
}

bool methode_de_code(std::string_view code, MethodeTransformation& m) {
    for (const Methode& e : methodes)
        if (code == e.code) {
            m = e.m;
            return true;
        }
    return false;
}

std::string Transformation::ajuste(const std::vector<PointControle>& points) {
    const std::string nom = "« " + std::string(nom_methode(methode())) + " »";
    std::vector<const PointControle*> p;
    for (const PointControle& c : points)
        if (c.utilise) p.push_back(&c);
    const auto n = static_cast<int>(p.size());
    if (n < minimum())
        return "La transformation " + nom + " demande au moins " + std::to_string(minimum()) +
               " points de calage cochés ; il y en a " + std::to_string(n) + ".";
    for (std::size_t i = 0; i < p.size(); ++i)
        for (std::size_t j = i + 1; j < p.size(); ++j)
            if ((p[i]->x == p[j]->x && p[i]->y == p[j]->y) || (p[i]->X == p[j]->X && p[i]->Y == p[j]->Y))
                return "Les points de calage " + std::to_string(i + 1) + " et " + std::to_string(j + 1) +
                       " cochés sont confondus.";
    Matrice3 h{}, inv{};
    if (!calcule(p, h))
        return "Les points de calage cochés sont alignés : la transformation " + nom + " ne peut pas être calculée.";
    for (ld v : h)
        if (!std::isfinite(v)) return "La transformation " + nom + " calculée n'est pas valable (calcul singulier).";
    if (!inverse(h, inv)) return "La transformation " + nom + " calculée n'est pas inversible (calcul singulier).";
    direct_ = h;
    inverse_ = inv;
    return {};
}

std::unique_ptr<Transformation> cree_transformation(MethodeTransformation m) {
    switch (m) {
    case MethodeTransformation::affine: return std::make_unique<TransformationMoindresCarres>();
    case MethodeTransformation::helmert: return std::make_unique<TransformationHelmert>();
    case MethodeTransformation::projective: return std::make_unique<TransformationProjective>();
    case MethodeTransformation::affine_exacte: break;
    }
    return std::make_unique<TransformationAffineExacte>();
}

BilanCalage bilan_calage(const Transformation& t, const std::vector<PointControle>& points) {
    BilanCalage b;
    b.residus.resize(points.size());
    ld s_carte = 0, s_pixels = 0, pire = -1;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PointControle& p = points[i];
        Residu& r = b.residus[i];
        ld X = 0, Y = 0, x = 0, y = 0;
        if (!t.vers_carte(p.x, p.y, X, Y) || !t.vers_image(p.X, p.Y, x, y)) continue;
        r.calcule = true;
        r.dX = X - p.X;
        r.dY = Y - p.Y;
        r.d = std::hypot(r.dX, r.dY);
        r.dx = x - p.x;
        r.dy = y - p.y;
        r.dpx = std::hypot(r.dx, r.dy);
        if (!p.utilise) continue;
        ++b.utilises;
        s_carte += r.d * r.d;
        s_pixels += r.dpx * r.dpx;
        if (r.dpx > pire) {
            pire = r.dpx;
            b.pire = static_cast<int>(i);
        }
    }
    const int libres = b.utilises - t.minimum();
    if (libres > 0) {
        b.rms_carte = std::sqrt(s_carte / libres);
        b.rms_pixels = std::sqrt(s_pixels / libres);
    }
    return b;
}

} // namespace vuv
