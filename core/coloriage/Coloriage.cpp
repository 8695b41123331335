#include "core/coloriage/Coloriage.h"

#include "core/document/Document.h"
#include "core/mesure/FormatNombre.h"
#include "core/pixels/Trace.h"
#include "core/text/separateur.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace vuv {
namespace {

inline std::uint16_t* rang(const VuePixels& v, int y) { return reinterpret_cast<std::uint16_t*>(v.ligne(y)); }

struct Segment {
    int x1, x2, y, dy;
};

// Span fill without recursion: `dedans` must turn false once `pose` has run on a pixel.
template <class Dedans, class Pose>
std::size_t remplit(const VuePixels& v, int x, int y, Dedans dedans, Pose pose) {
    const int w = v.largeur, h = v.hauteur;
    auto in = [&](int px, int py) { return px >= 0 && px < w && py >= 0 && py < h && dedans(px, py); };
    if (!in(x, y)) return 0;
    std::vector<Segment> pile;
    std::size_t pic = 0;
    pile.push_back({x, x, y, 1});
    pile.push_back({x, x, y - 1, -1});
    while (!pile.empty()) {
        pic = std::max(pic, pile.size());
        Segment s = pile.back();
        pile.pop_back();
        if (s.y < 0 || s.y >= h) continue;
        int x1 = s.x1, x2 = s.x2, cy = s.y, dy = s.dy;
        int cx = x1;
        if (in(cx, cy)) {
            while (in(cx - 1, cy)) pose(--cx, cy);
            if (cx < x1) pile.push_back({cx, x1 - 1, cy - dy, -dy});
        }
        while (x1 <= x2) {
            while (in(x1, cy)) pose(x1++, cy);
            if (x1 > cx) pile.push_back({cx, x1 - 1, cy + dy, dy});
            if (x1 - 1 > x2) pile.push_back({x2 + 1, x1 - 1, cy - dy, -dy});
            ++x1;
            while (x1 < x2 && !in(x1, cy)) ++x1;
            cx = x1;
        }
    }
    return pic * sizeof(Segment);
}

void pose_clippe(const VuePixels& v, int x, int y, std::uint16_t c) {
    if (x >= 0 && y >= 0 && x < v.largeur && y < v.hauteur) rang(v, y)[x] = c;
}

} // namespace

BilanRemplissage remplit_surface(const VuePixels& v, int x, int y, std::uint16_t pinceau) {
    BilanRemplissage b;
    if (!v.valide() || x < 0 || y < 0 || x >= v.largeur || y >= v.hauteur) return b;
    const std::uint16_t cible = pixel(v, x, y);
    pinceau &= 0x7FFF;
    if (cible == pinceau) return b;
    b.octets_pile = remplit(
        v, x, y, [&](int px, int py) { return (rang(v, py)[px] & 0x7FFF) == cible; },
        [&](int px, int py) {
            rang(v, py)[px] = pinceau;
            ++b.peints;
        });
    return b;
}

BilanRemplissage remplit_bordee(const VuePixels& v, int x, int y, std::uint16_t bordure, std::uint16_t pinceau) {
    BilanRemplissage b;
    if (!v.valide() || x < 0 || y < 0 || x >= v.largeur || y >= v.hauteur) return b;
    bordure &= 0x7FFF;
    pinceau &= 0x7FFF;
    // The brush colour may already be inside: only the map says what is done.
    const std::size_t w = static_cast<std::size_t>(v.largeur);
    std::vector<std::uint64_t> vu((w * static_cast<std::size_t>(v.hauteur) + 63) / 64);
    b.octets_carte = vu.size() * sizeof(std::uint64_t);
    b.octets_pile = remplit(
        v, x, y,
        [&](int px, int py) {
            const std::size_t i = static_cast<std::size_t>(py) * w + static_cast<std::size_t>(px);
            return !((vu[i >> 6] >> (i & 63)) & 1u) && (rang(v, py)[px] & 0x7FFF) != bordure;
        },
        [&](int px, int py) {
            const std::size_t i = static_cast<std::size_t>(py) * w + static_cast<std::size_t>(px);
            vu[i >> 6] |= std::uint64_t{1} << (i & 63);
            rang(v, py)[px] = pinceau;
            ++b.peints;
        });
    return b;
}

void stylo_presse(const VuePixels& v, int x, int y, std::uint16_t bordure) {
    bordure &= 0x7FFF;
    if (!v.valide() || x < 1 || y < 1 || x > v.largeur || y > v.hauteur) return;
    pose_clippe(v, x - 1, y - 1, pixel(v, x - 1, y - 1) == bordure ? blanc555 : bordure);
}

void stylo_glisse(const VuePixels& v, int x, int y, std::uint16_t bordure) {
    if (v.valide()) pose_clippe(v, x - 1, y - 1, bordure & 0x7FFF);
}

void brosse(const VuePixels& v, int x, int y, bool glisse, std::uint16_t fond) {
    if (v.valide()) trace_disque(v, x, y, glisse ? 9 : 5, fond & 0x7FFF);
}

CadreImage cadre_image(const VuePixels& v, int dx0, int dy0) {
    CadreImage c;
    c.x0 = std::max(0, dx0);
    c.y0 = std::max(0, dy0);
    c.x1 = std::min(v.largeur - 1, v.largeur - 1 - dx0);
    c.y1 = std::min(v.hauteur - 1, v.hauteur - 1 - dy0);
    return c;
}

namespace {

// Four pixels at once: bit 15 of each lane of the result is set where the lane differs from c.
constexpr std::uint64_t bits_15 = 0x7FFF7FFF7FFF7FFFull, hauts = 0x8000800080008000ull;
inline std::uint64_t quatre(const std::uint16_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v & bits_15;
}
inline std::uint64_t differe(std::uint64_t quatre_px, std::uint16_t c) {
    return ((quatre_px ^ (c * 0x0001000100010001ull)) + bits_15) & hauts;
}

} // namespace

ComptageRaster compte_couleur(const VuePixels& v, CadreImage c, std::uint16_t fond, const Progression& p) {
    ComptageRaster n;
    if (!v.valide() || c.x1 < c.x0 || c.y1 < c.y0) return n;
    fond &= 0x7FFF;
    const int yb = c.y1, xr = c.x1;
    // A mark depends only on the fill pixels, which no mark changes: the order of the work is free.
    auto marque = [&](std::uint16_t* r, int x) {
        const std::uint16_t q = r[x] & 0x7FFF;
        if (q != fond && q != contour555) r[x] = contour555;
    };
    auto marque_rang = [&](std::uint16_t* r, int x) {
        const std::uint64_t q = quatre(r + x);
        const std::uint64_t a_marquer = differe(q, fond) & differe(q, contour555);
        for (int i = 0; i < 4; ++i)
            if (a_marquer & (std::uint64_t{0x8000} << (16 * i))) r[x + i] = contour555;
    };
    // The contour chain of a row once no mark can reach it any more.
    auto chaine = [&](int y) {
        const std::uint16_t* r = rang(v, y);
        const std::uint16_t* haut = rang(v, y - 1);
        auto est = [](std::uint16_t q) { return (q & 0x7FFF) == contour555; };
        auto un = [&](int x) {
            if (!est(r[x])) return;
            if (est(r[x - 1])) ++n.ns;
            else if (est(haut[x - 1])) ++n.nd;
            else if (est(haut[x])) ++n.ns;
            else if (est(haut[x + 1])) ++n.nd;
            else if (est(r[x + 1])) ++n.ns;
        };
        int x = c.x0 + 1;
        for (; x + 3 <= xr - 1; x += 4) {
            if (differe(quatre(r + x), contour555) == hauts) continue;
            for (int i = 0; i < 4; ++i) un(x + i);
        }
        for (; x <= xr - 1; ++x) un(x);
    };
    for (int y = c.y0; y <= yb; ++y) {
        std::uint16_t* r = rang(v, y);
        std::uint16_t* haut = y > c.y0 + 1 ? rang(v, y - 1) : nullptr;
        std::uint16_t* bas = y < yb - 1 ? rang(v, y + 1) : nullptr;
        auto un = [&](int x) {
            if ((r[x] & 0x7FFF) != fond) return;
            ++n.nombre;
            if (haut) marque(haut, x);
            if (bas) marque(bas, x);
            if (x > c.x0 + 1) marque(r, x - 1);
            if (x < xr - 1) marque(r, x + 1);
        };
        int x = c.x0;
        for (; x + 3 <= xr; x += 4) {
            const std::uint64_t d = differe(quatre(r + x), fond);
            if (d == hauts) continue;
            if (d != 0) {
                for (int i = 0; i < 4; ++i) un(x + i);
                continue;
            }
            n.nombre += 4;
            if (haut) marque_rang(haut, x);
            if (bas) marque_rang(bas, x);
            if (x > c.x0 + 1) marque(r, x - 1);
            if (x + 3 < xr - 1) marque(r, x + 4);
        }
        for (; x <= xr; ++x) un(x);
        // Row y - 1 is final now: its marks come from rows y - 2 to y. Both passes share the
        // rows while they are in the cache.
        if (y - 1 >= c.y0 + 1 && y - 1 <= yb - 1) chaine(y - 1);
        if (p) p(y);
    }
    return n;
}

long double lit_seuil(std::string_view texte) {
    std::string t(texte);
    // The first '.' counts as the mark under either convention; the local mark too.
    const std::size_t point = t.find('.');
    if (point == std::string::npos) {
        const std::size_t local = t.find(separateur_decimal());
        if (local != std::string::npos) t[local] = '.';
    }
    double v = 0;
    const char* debut = t.data();
    const char* fin = t.data() + t.size();
    if (debut != fin && *debut == '+') ++debut;
    const auto [ptr, ec] = std::from_chars(debut, fin, v);
    if (t.empty() || ec != std::errc{} || ptr != fin || !std::isfinite(v))
        throw std::invalid_argument("'" + std::string(texte) + "' n'est pas une valeur à virgule flottante correcte");
    return std::round(static_cast<long double>(v) * 1000000.0L);
}

void seuil_gris(const VuePixels& v, CadreImage c, long double T, std::uint16_t bordure, const Progression& p) {
    if (!v.valide() || c.x1 < c.x0 || c.y1 < c.y0) return;
    bordure &= 0x7FFF;
    bool blanc[249];
    for (int g = 0; g <= 248; ++g) blanc[g] = static_cast<long double>(g) * 65793.0L > T;
    const int yb = c.y1;
    for (int y = c.y0; y <= yb; ++y) {
        std::uint16_t* r = rang(v, y);
        for (int x = c.x0; x <= c.x1; ++x) {
            const unsigned q = r[x];
            const unsigned g = ((((q >> 10) & 31u) + ((q >> 5) & 31u) + (q & 31u)) * 8u) / 3u;
            r[x] = blanc[g] ? blanc555 : noir555;
        }
        if (p) p(y / 3);
    }
    for (int y = c.y0 + 1; y <= yb - 1; ++y) {
        std::uint16_t* h = rang(v, y - 1);
        std::uint16_t* r = rang(v, y);
        std::uint16_t* b = rang(v, y + 1);
        for (int x = c.x0 + 1; x <= c.x1 - 1; ++x) {
            if ((r[x] & 0x7FFF) != bordure || (h[x - 1] & 0x7FFF) == bordure) continue;
            const std::uint16_t a = h[x - 1] & 0x7FFF;
            const std::uint16_t autres[7] = {h[x], h[x + 1], r[x - 1], r[x + 1], b[x - 1], b[x], b[x + 1]};
            bool egaux = true;
            for (std::uint16_t q : autres) egaux = egaux && (q & 0x7FFF) == a;
            if (egaux) r[x] = blanc555;
        }
        if (p) p(yb / 3 + y / 3);
    }
}

long double echelle_surface(const Document& d) {
    const auto& c = d.calage;
    const long double Ar =
        std::fabs(((c[1].X - c[0].X) * (c[2].Y - c[0].Y) - (c[2].X - c[0].X) * (c[1].Y - c[0].Y)) / 2);
    const long long ai = (static_cast<long long>(c[1].x) - c[0].x) * (static_cast<long long>(c[2].y) - c[0].y) -
                         (static_cast<long long>(c[2].x) - c[0].x) * (static_cast<long long>(c[1].y) - c[0].y);
    const long double Ai = std::fabs(static_cast<long double>(ai) / 2);
    return Ai != 0 ? Ar / Ai : 1;
}

ResultatRaster resultat_raster(const ComptageRaster& n, long double k) {
    ResultatRaster r;
    r.Sr = static_cast<long double>(n.nombre) * k;
    const long double rk = std::sqrt(k);
    r.Lr = rk * static_cast<long double>(n.ns) + rk * (std::sqrt(2.0L) * static_cast<long double>(n.nd));
    const char* F1 = "0.000 E+00";
    const char* F2 = "### ### ### ### ##0.000000000";
    r.lignes.push_back(" Surface raster = \t" + formate_nombre(F1, r.Sr) + "    \t" + formate_nombre(F2, r.Sr));
    r.lignes.push_back(" L raster = \t" + formate_nombre(F1, r.Lr) + "    \t" + formate_nombre(F2, r.Lr));
    return r;
}

} // namespace vuv
