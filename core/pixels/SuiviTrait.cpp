#include "core/pixels/SuiviTrait.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <queue>

namespace vuv {
namespace {

constexpr int rayon_bord = 4;    // beyond this distance from the edge a pixel is "centre"
constexpr int cote_tuile = 64;   // the search's per-pixel state lives in tiles made on first touch
constexpr double cout_saut = 8;  // per pixel of a gap
constexpr int demi_essai = 15;   // the square looked at around a click to tell a stroke from paper
constexpr int sens_sauts = 32;
constexpr float infini = std::numeric_limits<float>::infinity();

std::uint32_t bgr_de_555(std::uint16_t p) {
    const std::uint32_t a = argb_de_rgb555(p);
    return ((a >> 16) & 0xFF) | (a & 0xFF00) | ((a & 0xFF) << 16);
}

struct Tuile {
    std::array<float, cote_tuile * cote_tuile> g;
    std::array<std::int32_t, cote_tuile * cote_tuile> parent;
    std::array<std::int8_t, cote_tuile * cote_tuile> bord; // -1: not yet measured
    std::array<bool, cote_tuile * cote_tuile> ferme;
    Tuile() {
        g.fill(infini);
        parent.fill(-1);
        bord.fill(-1);
        ferme.fill(false);
    }
};

struct Ouvert {
    float f;
    std::int32_t i;
    bool operator<(const Ouvert& o) const { return f > o.f; }
};

class Recherche {
public:
    Recherche(const VuePixels& v, std::uint32_t couleur, const ReglagesSuivi& r, int x0, int y0, int x1, int y1)
        : v_(v), r_(r), tol_(static_cast<float>(std::max(1, r.tolerance_couleur))) {
        const int cr = couleur & 0xFF, cg = (couleur >> 8) & 0xFF, cb = (couleur >> 16) & 0xFF;
        for (std::uint32_t p = 0; p < distances_.size(); ++p) {
            const std::uint32_t c = bgr_de_555(static_cast<std::uint16_t>(p));
            const int dr = static_cast<int>(c & 0xFF) - cr, dg = static_cast<int>((c >> 8) & 0xFF) - cg,
                      db = static_cast<int>((c >> 16) & 0xFF) - cb;
            distances_[p] = std::sqrt(static_cast<float>(dr * dr + dg * dg + db * db));
        }
        const int marge = 64 + static_cast<int>(std::hypot(x1 - x0, y1 - y0) / 4);
        fx_ = std::max(0, std::min(x0, x1) - marge);
        fy_ = std::max(0, std::min(y0, y1) - marge);
        fl_ = std::min(v.largeur, std::max(x0, x1) + marge + 1) - fx_;
        fh_ = std::min(v.hauteur, std::max(y0, y1) + marge + 1) - fy_;
        tl_ = (fl_ + cote_tuile - 1) / cote_tuile;
        tuiles_.resize(static_cast<std::size_t>(tl_) * static_cast<std::size_t>((fh_ + cote_tuile - 1) / cote_tuile));
        for (int k = 0; k < sens_sauts; ++k) {
            const double a = 2 * M_PI * k / sens_sauts;
            sens_[static_cast<std::size_t>(k)] = {std::cos(a), std::sin(a)};
        }
    }

    bool dedans(int x, int y) const { return x >= fx_ && y >= fy_ && x < fx_ + fl_ && y < fy_ + fh_; }
    float distance(int x, int y) const {
        return distances_[reinterpret_cast<const std::uint16_t*>(v_.ligne(y))[x] & 0x7FFF];
    }
    bool sur_trait(int x, int y) const { return dedans(x, y) && distance(x, y) <= tol_; }

    // More than 60 % of the square around (x, y) in the colour: no stroke there.
    bool noye(int x, int y) const {
        int n = 0, total = 0;
        for (int yy = y - demi_essai; yy <= y + demi_essai; ++yy)
            for (int xx = x - demi_essai; xx <= x + demi_essai; ++xx) {
                if (xx < 0 || yy < 0 || xx >= v_.largeur || yy >= v_.hauteur) continue;
                ++total;
                if (distance(xx, yy) <= tol_) ++n;
            }
        return n * 10 > total * 6;
    }

    // The pixel of the colour nearest (x, y) within 3 pixels, the closest in colour first.
    bool accroche(int& x, int& y) const {
        float meilleur = infini;
        int bx = x, by = y;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                if (!sur_trait(x + dx, y + dy)) continue;
                const float c = distance(x + dx, y + dy) + static_cast<float>(dx * dx + dy * dy);
                if (c < meilleur) meilleur = c, bx = x + dx, by = y + dy;
            }
        x = bx, y = by;
        return meilleur < infini;
    }

    std::int32_t indice(int x, int y) const { return (y - fy_) * fl_ + (x - fx_); }
    int ix(std::int32_t i) const { return fx_ + i % fl_; }
    int iy(std::int32_t i) const { return fy_ + i / fl_; }

    Tuile& tuile(int x, int y, int& k) {
        const int lx = x - fx_, ly = y - fy_;
        auto& t = tuiles_[static_cast<std::size_t>((ly / cote_tuile) * tl_ + lx / cote_tuile)];
        if (!t) t = std::make_unique<Tuile>();
        k = (ly % cote_tuile) * cote_tuile + lx % cote_tuile;
        return *t;
    }

    int bord(int x, int y) {
        int k;
        Tuile& t = tuile(x, y, k);
        auto& b = t.bord[static_cast<std::size_t>(k)];
        if (b >= 0) return b;
        b = rayon_bord;
        for (int r = 1; r < rayon_bord && b == rayon_bord; ++r)
            for (int d = -r; d <= r && b == rayon_bord; ++d)
                if (!sur_trait(x + d, y - r) || !sur_trait(x + d, y + r) || !sur_trait(x - r, y + d) ||
                    !sur_trait(x + r, y + d))
                    b = static_cast<std::int8_t>(r);
        return b;
    }

    float cout_pas(int x, int y, double longueur) {
        const float c = distance(x, y) / tol_;
        const float e = static_cast<float>(rayon_bord - bord(x, y)) / (rayon_bord - 1);
        return static_cast<float>(longueur) * (1 + 2 * c * c + 2 * e);
    }

    ResultatSuivi cherche(int x0, int y0, int x1, int y1, const std::function<bool()>& interrompre);
    int pixels_chemin = 0; // length of the last path rebuilt

private:
    void relache(int x, int y, float g, std::int32_t de, int cx, int cy);
    void sauts(int x, int y, float g, std::int32_t i, int cx, int cy);
    std::vector<PointTrait> chemin(std::int32_t fin);
    struct Travers {
        double decalage = 0;
        int run = 0;
        double nx = 0, ny = 0;
    };
    Travers travers(const std::vector<std::int32_t>& p, std::size_t k);

    const VuePixels& v_;
    ReglagesSuivi r_;
    float tol_;
    std::array<float, 32768> distances_{};
    int fx_ = 0, fy_ = 0, fl_ = 0, fh_ = 0, tl_ = 0;
    std::vector<std::unique_ptr<Tuile>> tuiles_;
    std::priority_queue<Ouvert> ouverts_;
    std::array<std::array<double, 2>, sens_sauts> sens_{};
};

void Recherche::relache(int x, int y, float g, std::int32_t de, int cx, int cy) {
    int k;
    Tuile& t = tuile(x, y, k);
    const auto ks = static_cast<std::size_t>(k);
    if (t.ferme[ks] || g >= t.g[ks]) return;
    t.g[ks] = g;
    t.parent[ks] = de;
    ouverts_.push({g + static_cast<float>(std::hypot(x - cx, y - cy)), indice(x, y)});
}

// Straight jumps over a gap, ahead of the way the path came (any way from the start).
void Recherche::sauts(int x, int y, float g, std::int32_t i, int cx, int cy) {
    std::int32_t q = i;
    for (int n = 0; n < 6; ++n) {
        int k;
        const std::int32_t p = tuile(ix(q), iy(q), k).parent[static_cast<std::size_t>(k)];
        if (p < 0) break;
        q = p;
    }
    double hx = x - ix(q), hy = y - iy(q);
    const double hn = std::hypot(hx, hy);
    if (hn > 0) hx /= hn, hy /= hn;
    for (const auto& s : sens_) {
        if (hn > 0 && s[0] * hx + s[1] * hy < 0.64) continue;
        if (sur_trait(x + static_cast<int>(std::lround(s[0])), y + static_cast<int>(std::lround(s[1])))) continue;
        for (int l = 2; l <= r_.saut_max; ++l) {
            const int sx = x + static_cast<int>(std::lround(s[0] * l)), sy = y + static_cast<int>(std::lround(s[1] * l));
            if (!dedans(sx, sy)) break;
            if (sur_trait(sx, sy)) {
                relache(sx, sy, g + static_cast<float>(cout_saut * std::hypot(sx - x, sy - y)), i, cx, cy);
                break;
            }
        }
    }
}

ResultatSuivi Recherche::cherche(int x0, int y0, int x1, int y1, const std::function<bool()>& interrompre) {
    ResultatSuivi res;
    relache(x0, y0, 0, -1, x1, y1);
    const std::int32_t but = indice(x1, y1);
    std::int32_t proche = indice(x0, y0);
    double d_proche = std::hypot(x1 - x0, y1 - y0);
    long noeuds = 0;
    while (!ouverts_.empty()) {
        const Ouvert o = ouverts_.top();
        ouverts_.pop();
        const int x = ix(o.i), y = iy(o.i);
        int k;
        Tuile& t = tuile(x, y, k);
        const auto ks = static_cast<std::size_t>(k);
        if (t.ferme[ks]) continue;
        t.ferme[ks] = true;
        if (o.i == but) {
            res.points = chemin(but);
            return res;
        }
        const double d = std::hypot(x1 - x, y1 - y);
        if (d < d_proche) d_proche = d, proche = o.i;
        if (++noeuds > r_.noeuds_max) {
            res.echec = EchecSuivi::trop_long;
            res.message = "Recherche arrêtée : le trait est trop long pour être suivi d'un coup, cliquer plus près.";
            break;
        }
        if ((noeuds & 4095) == 1 && interrompre && interrompre()) {
            res.echec = EchecSuivi::interrompu;
            res.message = "Suivi du trait interrompu.";
            break;
        }
        const float g = t.g[ks];
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if ((dx || dy) && sur_trait(x + dx, y + dy))
                    relache(x + dx, y + dy, g + cout_pas(x + dx, y + dy, (dx && dy) ? M_SQRT2 : 1.0), o.i, x1, y1);
        if (bord(x, y) == 1) sauts(x, y, g, o.i, x1, y1);
    }
    if (res.ok()) {
        res.echec = EchecSuivi::coupe;
        res.message = "Le trait s'interrompt : plus de pixels de sa couleur au-delà (écart de plus de " +
                      std::to_string(r_.saut_max) + " px, ou un autre trait).";
    }
    res.points = chemin(proche);
    return res;
}

// Across the way at path pixel k: the colour-weighted middle of the run of stroke pixels, as an
// offset along the normal, and the run's length.
Recherche::Travers Recherche::travers(const std::vector<std::int32_t>& p, std::size_t k) {
    const std::size_t a = k >= 3 ? k - 3 : 0, b = std::min(p.size() - 1, k + 3);
    double nx = -(iy(p[b]) - iy(p[a])), ny = ix(p[b]) - ix(p[a]);
    const double n = std::hypot(nx, ny);
    Travers t{0, 0, n > 0 ? nx / n : 0, n > 0 ? ny / n : 0};
    if (n == 0) return t;
    const int x = ix(p[k]), y = iy(p[k]);
    double sw = 0, st = 0;
    for (int cote : {-1, 1})
        for (int d = (cote < 0 ? 0 : 1); d <= 2 * rayon_bord; ++d) {
            const int sx = x + static_cast<int>(std::lround(cote * d * t.nx)),
                      sy = y + static_cast<int>(std::lround(cote * d * t.ny));
            if (!sur_trait(sx, sy)) break;
            const double w = 1.05 - distance(sx, sy) / tol_;
            sw += w, st += w * cote * d;
            ++t.run;
        }
    t.decalage = sw > 0 ? st / sw : 0;
    return t;
}

std::vector<PointTrait> Recherche::chemin(std::int32_t fin) {
    std::vector<std::int32_t> p;
    for (std::int32_t i = fin; i >= 0;) {
        p.push_back(i);
        int k;
        i = tuile(ix(i), iy(i), k).parent[static_cast<std::size_t>(k)];
    }
    std::reverse(p.begin(), p.end());
    pixels_chemin = static_cast<int>(p.size());
    // Where a crossing, a label or a gap cuts the run across the way, its middle is off: those
    // offsets are taken from the nearest sound ones instead.
    std::vector<Travers> t(p.size());
    std::vector<int> runs;
    for (std::size_t k = 0; k < p.size(); ++k) runs.push_back((t[k] = travers(p, k)).run);
    std::nth_element(runs.begin(), runs.begin() + long(runs.size() / 2), runs.end());
    const int median = runs[runs.size() / 2];
    std::vector<bool> sain(p.size());
    for (std::size_t k = 0; k < p.size(); ++k) {
        const bool saut = (k > 0 && std::max(std::abs(ix(p[k]) - ix(p[k - 1])), std::abs(iy(p[k]) - iy(p[k - 1]))) > 1) ||
                          (k + 1 < p.size() && std::max(std::abs(ix(p[k + 1]) - ix(p[k])), std::abs(iy(p[k + 1]) - iy(p[k]))) > 1);
        sain[k] = !saut && std::abs(t[k].run - median) <= 1;
    }
    // The pixels beside a crossing are half mixed with it: two more each side go too.
    std::vector<bool> net = sain;
    for (std::size_t k = 0; k < p.size(); ++k)
        if (!sain[k])
            for (std::size_t j = k >= 2 ? k - 2 : 0; j <= std::min(p.size() - 1, k + 2); ++j) net[j] = false;
    net.front() = sain.front(), net.back() = sain.back();
    sain = net;
    // Centres; an unsound stretch, and a gap, is bridged in a straight line between the sound
    // centres either side of it, so the smoothing below treats every pixel alike.
    std::vector<PointTrait> c;
    std::vector<bool> jete; // bridged: no point may be kept there, it would sit on the crossing
    std::size_t i = 0;
    while (i < p.size()) {
        const PointTrait m{ix(p[i]) + t[i].decalage * t[i].nx, iy(p[i]) + t[i].decalage * t[i].ny};
        std::size_t f = i;
        if (!sain[i] || c.empty()) {
            while (f + 1 < p.size() && !sain[f]) ++f;
        }
        const PointTrait cible = f == i ? m : PointTrait{ix(p[f]) + t[f].decalage * t[f].nx, iy(p[f]) + t[f].decalage * t[f].ny};
        if (!c.empty()) {
            int l = 0;
            for (std::size_t j = i; j <= f; ++j)
                l += std::max(std::abs(ix(p[j]) - ix(p[j - 1])), std::abs(iy(p[j]) - iy(p[j - 1])));
            const PointTrait prec = c.back();
            for (int j = 1; j < l; ++j)
                c.push_back({prec.x + (cible.x - prec.x) * j / l, prec.y + (cible.y - prec.y) * j / l}),
                    jete.push_back(true);
        }
        c.push_back(cible);
        jete.push_back(false);
        i = f + 1;
    }
    // A straight line fitted to the 11 centres around each one, so the ends are as sound as the
    // middle.
    std::vector<PointTrait> lisse(c.size());
    const long n = static_cast<long>(c.size());
    for (long j = 0; j < n; ++j) {
        const long a = std::max(0L, std::min(j - 5, n - 11)), b = std::min(n - 1, std::max(j + 5, 10L));
        double mt = 0, mx = 0, my = 0;
        for (long q = a; q <= b; ++q) mt += double(q), mx += c[std::size_t(q)].x, my += c[std::size_t(q)].y;
        const double m = double(b - a + 1);
        mt /= m, mx /= m, my /= m;
        double tt = 0, tx = 0, ty = 0;
        for (long q = a; q <= b; ++q) {
            const double d = double(q) - mt;
            tt += d * d, tx += d * (c[std::size_t(q)].x - mx), ty += d * (c[std::size_t(q)].y - my);
        }
        const double d = double(j) - mt;
        lisse[std::size_t(j)] = tt > 0 ? PointTrait{mx + d * tx / tt, my + d * ty / tt} : PointTrait{mx, my};
    }
    return simplifie(lisse, r_.tolerance_simplification, jete);
}

void garde(const std::vector<PointTrait>& p, std::size_t a, std::size_t b, double tol,
           const std::vector<bool>& exclus, std::vector<bool>& g) {
    while (b > a + 1) {
        const double dx = p[b].x - p[a].x, dy = p[b].y - p[a].y, l = std::hypot(dx, dy);
        double pire = -1, pire_libre = -1;
        std::size_t k = a;
        for (std::size_t i = a + 1; i < b; ++i) {
            const double ex = p[i].x - p[a].x, ey = p[i].y - p[a].y;
            const double d = l > 0 ? std::abs(ex * dy - ey * dx) / l : std::hypot(ex, ey);
            pire = std::max(pire, d);
            if (d > pire_libre && (exclus.empty() || !exclus[i])) pire_libre = d, k = i;
        }
        if (pire <= tol || k == a) return;
        g[k] = true;
        garde(p, a, k, tol, exclus, g);
        a = k;
    }
}

} // namespace

std::uint32_t couleur_sous(const VuePixels& v, int x, int y) {
    if (!v.valide() || v.format != FormatPixels::rgb555 || x < 0 || y < 0 || x >= v.largeur || y >= v.hauteur)
        return 0;
    return bgr_de_555(reinterpret_cast<const std::uint16_t*>(v.ligne(y))[x]);
}

std::vector<PointTrait> simplifie(const std::vector<PointTrait>& p, double tolerance, const std::vector<bool>& exclus) {
    if (p.size() < 3) return p;
    std::vector<bool> g(p.size(), false);
    g.front() = g.back() = true;
    garde(p, 0, p.size() - 1, tolerance, exclus, g);
    std::vector<PointTrait> r;
    for (std::size_t i = 0; i < p.size(); ++i)
        if (g[i]) r.push_back(p[i]);
    return r;
}

ResultatSuivi suit_trait(const VuePixels& v, std::uint32_t couleur, int x0, int y0, int x1, int y1,
                         const ReglagesSuivi& r, const std::function<bool()>& interrompre) {
    ResultatSuivi res;
    if (!v.valide() || v.format != FormatPixels::rgb555) {
        res.echec = EchecSuivi::format;
        res.message = "Suivi impossible : l'image n'est pas en 15 bits par pixel.";
        return res;
    }
    const auto hors = [&](int x, int y) { return x < 0 || y < 0 || x >= v.largeur || y >= v.hauteur; };
    if (hors(x0, y0) || hors(x1, y1)) {
        res.echec = EchecSuivi::hors_carte;
        res.message = "Suivi impossible : un clic est hors de la carte.";
        return res;
    }
    auto rech = std::make_unique<Recherche>(v, couleur, r, x0, y0, x1, y1);
    if (!rech->accroche(x0, y0) || rech->noye(x0, y0)) {
        res.echec = EchecSuivi::pas_un_trait;
        res.message = "Pas de trait sous le clic : sa couleur couvre toute la zone autour "
                      "(papier, ou tolérance trop large).";
        return res;
    }
    if (!rech->accroche(x1, y1) || rech->noye(x1, y1)) {
        res.echec = EchecSuivi::arrivee;
        res.message = "Le second clic n'est pas sur la couleur du trait.";
        return res;
    }
    res = rech->cherche(x0, y0, x1, y1, interrompre);
    res.pixels = rech->pixels_chemin;
    return res;
}

} // namespace vuv
