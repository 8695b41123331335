#include "core/vue/Quadrillage.h"

#include <algorithm>
#include <cmath>

namespace vuv {
namespace {

constexpr int echantillons = 64;
constexpr long double max_lignes = 200;

struct Boite {
    long double X0 = INFINITY, Y0 = INFINITY, X1 = -INFINITY, Y1 = -INFINITY;
    void ajoute(long double X, long double Y) {
        X0 = std::min(X0, X);
        Y0 = std::min(Y0, Y);
        X1 = std::max(X1, X);
        Y1 = std::max(Y1, Y);
    }
};

bool dedans(const Rect& r, const PointImage& p) {
    return p.x >= r.x0 && p.x <= r.x1 + 1 && p.y >= r.y0 && p.y <= r.y1 + 1;
}

// The line sampled from `a` to `b` along the other axis, cut where it leaves the rectangle.
LigneQuadrillage trace(bool x_constant, long double v, long double a, long double b, const Rect& r,
                       const VersImage& vers_image) {
    LigneQuadrillage l{x_constant, v, {}};
    std::vector<PointImage> courant;
    for (int i = 0; i <= echantillons; ++i) {
        const long double t = a + (b - a) * i / echantillons;
        PointImage p;
        const bool ok = x_constant ? vers_image(v, t, p.x, p.y) : vers_image(t, v, p.x, p.y);
        if (ok && std::isfinite(p.x) && std::isfinite(p.y) && dedans(r, p)) {
            courant.push_back(p);
        } else if (!courant.empty()) {
            if (courant.size() > 1) l.morceaux.push_back(std::move(courant));
            courant.clear();
        }
    }
    if (courant.size() > 1) l.morceaux.push_back(std::move(courant));
    return l;
}

} // namespace

long double pas_quadrillage(long double unites_par_pixel_ecran, double ecart_min) {
    if (!(unites_par_pixel_ecran > 0) || !std::isfinite(unites_par_pixel_ecran)) return 0;
    const long double minimum = unites_par_pixel_ecran * ecart_min;
    long double p = std::pow(10.0L, std::floor(std::log10(minimum)));
    for (;;) {
        for (const long double f : {1.0L, 2.0L, 5.0L})
            if (f * p >= minimum * (1 - 1e-12L)) return f * p;
        p *= 10;
    }
}

std::vector<LigneQuadrillage> quadrillage(const Rect& visible, double pixels_ecran_par_pixel,
                                          const VersCarte& vers_carte, const VersImage& vers_image) {
    if (visible.largeur() <= 0 || visible.hauteur() <= 0 || !(pixels_ecran_par_pixel > 0)) return {};
    // The map extent of the visible rectangle, from points along its edges.
    Boite b;
    const double x1 = visible.x1 + 1.0, y1 = visible.y1 + 1.0;
    for (int i = 0; i <= echantillons; ++i) {
        const double tx = visible.x0 + (x1 - visible.x0) * i / echantillons;
        const double ty = visible.y0 + (y1 - visible.y0) * i / echantillons;
        for (const PointImage& p : {PointImage{tx, double(visible.y0)}, PointImage{tx, y1},
                                    PointImage{double(visible.x0), ty}, PointImage{x1, ty}}) {
            long double X = 0, Y = 0;
            if (vers_carte(p.x, p.y, X, Y) && std::isfinite(X) && std::isfinite(Y)) b.ajoute(X, Y);
        }
    }
    if (!(b.X1 >= b.X0) || !(b.Y1 >= b.Y0)) return {};
    const long double diag_carte = std::hypot(b.X1 - b.X0, b.Y1 - b.Y0);
    const long double diag_ecran =
        std::hypot(static_cast<long double>(visible.largeur()), visible.hauteur()) * pixels_ecran_par_pixel;
    const long double pas = pas_quadrillage(diag_carte / diag_ecran);
    if (pas == 0 || (b.X1 - b.X0) / pas > max_lignes || (b.Y1 - b.Y0) / pas > max_lignes) return {};

    std::vector<LigneQuadrillage> lignes;
    // Multiples of the step by index, so the values stay round however many lines.
    for (long double k = std::ceil(b.X0 / pas); k * pas <= b.X1; ++k) {
        LigneQuadrillage l = trace(true, k * pas, b.Y0, b.Y1, visible, vers_image);
        if (!l.morceaux.empty()) lignes.push_back(std::move(l));
    }
    for (long double k = std::ceil(b.Y0 / pas); k * pas <= b.Y1; ++k) {
        LigneQuadrillage l = trace(false, k * pas, b.X0, b.X1, visible, vers_image);
        if (!l.morceaux.empty()) lignes.push_back(std::move(l));
    }
    return lignes;
}

} // namespace vuv
