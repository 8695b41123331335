#include "core/pixels/Trace.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace vuv {
namespace {

// Wider pens come from a damaged lines table, not from a drawing anyone makes.
constexpr int diametre_max = 255;

struct Etendue {
    int dy, dx0, dx1; // one row of a disc: columns dx0..dx1 at row offset dy
};

// Rows of a disc of diameter d: offsets within radius d / 2 of the centre.
const std::vector<Etendue>& disque(int d) {
    static std::vector<std::vector<Etendue>> cache;
    d = std::clamp(d, 1, diametre_max);
    if (static_cast<int>(cache.size()) <= d) cache.resize(static_cast<std::size_t>(d) + 1);
    std::vector<Etendue>& rangs = cache[static_cast<std::size_t>(d)];
    if (!rangs.empty()) return rangs;
    const int r = d / 2;
    for (int dy = -r; dy <= r; ++dy) {
        int dx = r;
        while (dx >= 0 && 4 * (dx * dx + dy * dy) > d * d) --dx;
        if (dx >= 0) rangs.push_back({dy, -dx, dx});
    }
    return rangs;
}

void tamponne(const VuePixels& v, int cx, int cy, const std::vector<Etendue>& rangs, std::uint16_t c) {
    for (const Etendue& e : rangs) {
        const int y = cy + e.dy;
        if (y < 0 || y >= v.hauteur) continue;
        int a = cx + e.dx0, b = cx + e.dx1;
        if (a < 0) a = 0;
        if (b >= v.largeur) b = v.largeur - 1;
        auto* l = reinterpret_cast<std::uint16_t*>(v.ligne(y));
        for (int x = a; x <= b; ++x) l[x] = c;
    }
}

} // namespace

void trace_disque(const VuePixels& v, int cx, int cy, int diametre, std::uint16_t couleur) {
    if (!v.valide() || v.format != FormatPixels::rgb555) return;
    tamponne(v, cx, cy, disque(diametre), couleur);
}

void trace_segment(const VuePixels& v, int x0, int y0, int x1, int y1, int largeur, std::uint16_t couleur) {
    if (!v.valide() || v.format != FormatPixels::rgb555) return;
    largeur = std::clamp(largeur, 1, diametre_max);
    // Bresenham along the major axis with a span across it, as long as the pen is wide
    // measured across the slope; round ends.
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    const bool horizontal = dx >= -dy;
    const double majeur = horizontal ? dx : -dy;
    const double longueur = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
    const int travers = majeur > 0 ? std::max(1, static_cast<int>(std::lround(largeur * longueur / majeur))) : largeur;
    const int avant = travers / 2;
    if (largeur > 1) {
        trace_disque(v, x0, y0, largeur, couleur);
        trace_disque(v, x1, y1, largeur, couleur);
    }
    int err = dx + dy;
    for (long pas = 0; pas <= static_cast<long>(dx) - dy; ++pas) {
        if (horizontal) {
            if (x0 >= 0 && x0 < v.largeur) {
                const int a = std::max(y0 - avant, 0), b = std::min(y0 - avant + travers - 1, v.hauteur - 1);
                for (int y = a; y <= b; ++y) reinterpret_cast<std::uint16_t*>(v.ligne(y))[x0] = couleur;
            }
        } else if (y0 >= 0 && y0 < v.hauteur) {
            const int a = std::max(x0 - avant, 0), b = std::min(x0 - avant + travers - 1, v.largeur - 1);
            auto* l = reinterpret_cast<std::uint16_t*>(v.ligne(y0));
            for (int x = a; x <= b; ++x) l[x] = couleur;
        }
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

} // namespace vuv
