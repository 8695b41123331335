#include "core/graphe/Graphe3D.h"

#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

namespace vuv::graphe {
namespace {

// The graph redraws on every key: unreadable cells count 0 without a word.
class PortMuet : public PortUtilisateur {
public:
    void information(const std::string&) override {}
    void erreur(const std::string&) override {}
    bool oui_non(const std::string&) override { return false; }
    bool ok_annuler(const std::string&) override { return false; }
    std::string question(const std::string&, const std::string&, const std::string&, const std::string&,
                         const std::string&) override {
        return "N";
    }
    void bip() override {}
    void ton(int, int) override {}
    void presse_papier_ecrit(const std::string&) override {}
    std::string presse_papier_lit() override { return {}; }
    void termine_application() override {}
};

// The lines table stores 0x00BBGGRR; non-integers are white.
std::uint32_t couleur_ligne(std::string_view texte) {
    const LectureEntier c = lit_entier(texte);
    if (c.erreur != 0 || texte.empty()) return blanc;
    const auto v = static_cast<std::uint32_t>(c.valeur);
    return 0xFF000000u | ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

std::uint64_t melange(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Projected values far off screen only need to stay far off screen.
int en_entier(long double x) {
    return static_cast<int>(std::clamp<long double>(x, -1e9L, 1e9L));
}

void recalcule(Etat& e) {
    e.A = std::numbers::pi_v<long double> / 6 + e.nA * e.pas;
    e.B = std::numbers::pi_v<long double> / 8 + e.nB * e.pas;
    e.X0 = e.X0_init + e.nX * e.pasX;
    e.Y0 = e.Y0_init + e.nY * e.pasY;
    e.D = e.D_init * std::pow(1.3L, static_cast<long double>(e.nD));
    e.rho = 30 * std::pow(1.3L, static_cast<long double>(e.nRho));
}

} // namespace

// Adding 2^63 leaves no bits below the unit in a 64-bit mantissa, so the sum rounds once,
// to nearest with halves to even (the default mode); nearbyint is far slower.
long double arrondi_pair(long double x) {
    constexpr long double m = 9223372036854775808.0L;
    static_assert(std::numeric_limits<long double>::digits == 64);
    if (!(std::fabs(x) < m)) return x;
    return x >= 0 ? (x + m) - m : (x - m) + m;
}

long double hauteur_tiret(const Etat& e, std::size_t ligne) {
    const auto r = static_cast<long double>(melange(e.graine + ligne) % 100);
    return (r / 100 - 0.5L) * 0.51L;
}

void calcul_cos_sin(Etat& e) {
    e.S1 = std::sin(e.A);
    e.S2 = std::sin(e.B);
    e.C1 = std::cos(e.A);
    e.C2 = std::cos(e.B);
    e.C1S2 = e.C1 * e.S2;
    e.S1S2 = e.S1 * e.S2;
    e.C1C2 = e.C1 * e.C2;
    e.S1C2 = e.S1 * e.C2;
}

namespace {

// The projection up to the perspective division, split so that a point and its foot on
// Z = 0 share the work; the sums keep the order of the full formula.
struct Base {
    long double p, q, d;
};

Base base(const Etat& e, long double x, long double y) {
    const long double xp = (x - e.X0) / e.SX;
    const long double yp = (y - e.Y0) / e.SY;
    return {-xp * e.S1 + yp * e.C1, -xp * e.C1S2 - yp * e.S1S2, -xp * e.C1C2 - yp * e.S1C2};
}

Ecran ecran(const Etat& e, const Base& b, long double z) {
    const long double zp = z / e.SZ;
    long double p = b.p;
    long double q = b.q + zp * e.C2;
    const long double d = b.d - zp * e.S2 + e.rho;
    if (d != 0) {
        p = e.D * p / d;
        q = e.D * q / d;
    }
    const long double u = p / e.SX * e.W;
    const long double v = q / e.SY * e.H;
    if (!std::isfinite(u) || !std::isfinite(v)) return {};
    return {true, en_entier(arrondi_pair(u)) + e.W / 2, e.H / 2 - en_entier(arrondi_pair(v))};
}

} // namespace

Ecran rotation(const Etat& e, long double x, long double y, long double z) { return ecran(e, base(e, x, y), z); }

void tourne_A(Etat& e, int sens) { e.nA += sens; recalcule(e); }
void tourne_B(Etat& e, int sens) { e.nB += sens; recalcule(e); }
void decale_X(Etat& e, int sens) { e.nX += sens; recalcule(e); }
void decale_Y(Etat& e, int sens) { e.nY += sens; recalcule(e); }
void zoom_D(Etat& e, int sens) { e.nD += sens; recalcule(e); }
void distance_rho(Etat& e, int sens) { e.nRho += sens; recalcule(e); }

bool touche(Etat& e, Touche t, bool ctrl_seul) {
    switch (t) {
    case Touche::echap:
    case Touche::f7: return true;
    case Touche::gauche: ctrl_seul ? decale_Y(e, 1) : tourne_A(e, 1); break;
    case Touche::droite: ctrl_seul ? decale_Y(e, -1) : tourne_A(e, -1); break;
    case Touche::haut: ctrl_seul ? decale_X(e, 1) : tourne_B(e, -1); break;
    case Touche::bas: ctrl_seul ? decale_X(e, -1) : tourne_B(e, 1); break;
    case Touche::pave_plus: if (!ctrl_seul) zoom_D(e, 1); break;
    case Touche::pave_moins: if (!ctrl_seul) zoom_D(e, -1); break;
    case Touche::pave_divise: if (!ctrl_seul) distance_rho(e, 1); break;
    case Touche::pave_multiplie: if (!ctrl_seul) distance_rho(e, -1); break;
    case Touche::autre: break;
    }
    return false;
}

const Donnees& Graphe3D::donnees(const Document& d) {
    if (v1_ == d.StringGrid1.version() && v2_ == d.StringGrid2.version() && v3_ == d.StringGrid3.version() &&
        nb_points_ == d.nb_points)
        return donnees_;
    PortMuet muet;
    PortInstalle installe(muet);
    const Grille& g = d.StringGrid1;
    const int cX = d.indice_col("X"), cY = d.indice_col("Y"), cZ = d.indice_col("Z"), cL = d.indice_col("L");
    const int n = std::clamp(d.nb_points, 0, std::max(g.row_count() - 1, 0));
    donnees_.points.assign(static_cast<std::size_t>(n) + 1, PointLu{});
    for (int r = 1; r <= n; ++r) {
        PointLu& p = donnees_.points[static_cast<std::size_t>(r)];
        const std::string_view x = g.cell(cX, r);
        const std::string_view z = g.cell(cZ, r);
        p.present = !x.empty();
        p.X = val_reel(x);
        p.Y = val_reel(g.cell(cY, r));
        p.tiret = z == "-";
        p.Z = p.tiret ? 0 : val_reel(z);
        const LectureEntier L = lit_entier(g.cell(cL, r));
        p.L = L.erreur == 0 ? L.valeur : 0;
    }
    const Grille& cal = d.StringGrid2;
    const int kX = d.indice_col_cal("X"), kY = d.indice_col_cal("Y");
    for (int i = 0; i < 3; ++i) {
        donnees_.calage[i][0] = val_reel(cal.cell(kX, i + 1));
        donnees_.calage[i][1] = val_reel(cal.cell(kY, i + 1));
    }
    const Grille& lignes = d.StringGrid3;
    donnees_.couleurs.assign(static_cast<std::size_t>(std::max(lignes.row_count(), 1)), blanc);
    for (int l = 1; l < lignes.row_count(); ++l) donnees_.couleurs[static_cast<std::size_t>(l)] = couleur_ligne(lignes.cell(2, l));
    v1_ = d.StringGrid1.version();
    v2_ = d.StringGrid2.version();
    v3_ = d.StringGrid3.version();
    nb_points_ = d.nb_points;
    return donnees_;
}

void Graphe3D::init_variables_book(const Document& d, int largeur, int hauteur) {
    const Donnees& dn = donnees(d);
    Etat e;
    e.W = std::max(largeur - 1, 0);
    e.H = std::max(hauteur - 1, 0);
    e.pas = std::numbers::pi_v<long double> / 24;
    const PointLu premier = dn.points.size() > 1 ? dn.points[1] : PointLu{};
    e.Xmin = e.Xmax = premier.X;
    e.Ymin = e.Ymax = premier.Y;
    e.Zmin = e.Zmax = premier.Z;
    auto etend = [](long double v, long double& mini, long double& maxi) {
        mini = std::min(mini, v);
        maxi = std::max(maxi, v);
    };
    for (std::size_t r = 1; r < dn.points.size(); ++r) {
        etend(dn.points[r].X, e.Xmin, e.Xmax);
        etend(dn.points[r].Y, e.Ymin, e.Ymax);
        etend(dn.points[r].Z, e.Zmin, e.Zmax);
    }
    for (const auto& c : dn.calage) {
        etend(c[0], e.Xmin, e.Xmax);
        etend(c[1], e.Ymin, e.Ymax);
    }
    // Map coordinates (UTM, Lambert) would otherwise fall within a pixel: the drawing works
    // from the data's lower-left corner, and a flat extent counts 1.
    e.origineX = e.Xmin;
    e.origineY = e.Ymin;
    const long double Xmax = e.Xmax - e.Xmin > 0 ? e.Xmax - e.Xmin : 1;
    const long double Ymax = e.Ymax - e.Ymin > 0 ? e.Ymax - e.Ymin : 1;
    if (e.Zmax == 0) e.Zmax = 1;
    e.X0_init = Xmax / 2;
    e.Y0_init = Ymax / 2;
    e.SX = 2 * Xmax;
    e.SY = 2 * Ymax;
    e.SZ = 2 * std::fabs(e.Zmax);
    e.pasX = e.SX / 30;
    e.pasY = e.SY / 30;
    e.D_init = 18 * Xmax;
    e.graine = melange(++activations_ ^ std::random_device{}());
    recalcule(e);
    etat = e;
}

void Graphe3D::taille(int largeur, int hauteur) {
    etat.W = std::max(largeur - 1, 0);
    etat.H = std::max(hauteur - 1, 0);
}

std::vector<Trace3D> Graphe3D::affaxes() const {
    const Etat& e = etat;
    const long double Xmax = e.Xmax - e.origineX, Ymax = e.Ymax - e.origineY;
    const long double Lx = Xmax >= 2 ? Xmax : 2, Ly = Ymax >= 2 ? Ymax : 2, Lz = e.Zmax >= 2 ? e.Zmax : 2;
    struct P {
        long double x, y, z;
    };
    const P segments[][2] = {
        {{0, 0, 0}, {Lx, 0, 0}}, {{0, 0, 0}, {0, Ly, 0}}, {{0, 0, 0}, {0, 0, Lz}},
        {{1, 0, 1}, {0, 0, 1}},  {{1, 0, 1}, {1, 1, 1}},  {{1, 0, 1}, {1, 0, 0}},
        {{0, 1, 1}, {1, 1, 1}},  {{0, 1, 1}, {0, 0, 1}},  {{0, 1, 1}, {0, 1, 0}},
        {{1, 1, 0}, {1, 1, 1}},  {{1, 1, 0}, {1, 0, 0}},  {{1, 1, 0}, {0, 1, 0}},
    };
    std::vector<Trace3D> sortie;
    for (const auto& s : segments) {
        const Ecran a = rotation(e, s[0].x, s[0].y, s[0].z), b = rotation(e, s[1].x, s[1].y, s[1].z);
        if (a.valide && b.valide) sortie.push_back({false, a.u, a.v, b.u, b.v, vert});
    }
    return sortie;
}

void Graphe3D::ajoute_book(const Donnees& dn, std::vector<Trace3D>& sortie) const {
    const Etat& e = etat;
    auto point = [&](std::uint32_t c, long double x, long double y, long double z) {
        const Ecran a = rotation(e, x, y, z);
        if (a.valide) sortie.push_back({true, a.u, a.v, a.u, a.v, c});
        return a;
    };
    auto segment = [&](std::uint32_t c, const Ecran& a, const Ecran& b) {
        if (a.valide && b.valide) sortie.push_back({false, a.u, a.v, b.u, b.v, c});
    };
    for (const auto& c : dn.calage) point(rouge, c[0] - e.origineX, c[1] - e.origineY, 0);
    Ecran precedent = rotation(e, 0, 0, 0);
    int ligne_precedente = 0;
    bool nouvelle = true;
    for (std::size_t r = 1; r < dn.points.size(); ++r) {
        const PointLu& p = dn.points[r];
        if (!p.present) continue;
        const long double x = p.X - e.origineX, y = p.Y - e.origineY;
        long double z = p.Z;
        if (p.tiret) z = hauteur_tiret(e, r);
        if (p.L > 0) {
            nouvelle = p.L != ligne_precedente;
            ligne_precedente = p.L;
        }
        const std::uint32_t c = p.L > 0 && static_cast<std::size_t>(p.L) < dn.couleurs.size()
                                    ? dn.couleurs[static_cast<std::size_t>(p.L)]
                                    : blanc;
        if (nouvelle) {
            precedent = point(c, x, y, z);
        } else {
            const Base b = base(e, x, y);
            const Ecran ici = ecran(e, b, z);
            segment(c, precedent, ici);
            if (ici.valide) sortie.push_back({true, ici.u, ici.v, ici.u, ici.v, c});
            if (z != 0) segment(marine, ecran(e, b, 0), ici);
            precedent = ici;
        }
    }
}

std::vector<Trace3D> Graphe3D::trace_book(const Document& d) {
    std::vector<Trace3D> sortie;
    ajoute_book(donnees(d), sortie);
    return sortie;
}

void Graphe3D::dessine_graphe(const Document& d, const VuePixels& image) {
    if (!image.valide() || image.format != FormatPixels::rgb32) return;
    const int w = std::min(etat.W + 1, image.largeur), h = std::min(etat.H + 1, image.hauteur);
    for (int y = 0; y < h; ++y) std::fill_n(reinterpret_cast<std::uint32_t*>(image.ligne(y)), w, noir);
    calcul_cos_sin(etat);
    const std::vector<Trace3D> axes = affaxes();
    traces_.assign(axes.begin(), axes.end());
    ajoute_book(donnees(d), traces_);
    VuePixels zone = image;
    zone.largeur = w;
    zone.hauteur = h;
    rasterise(traces_, zone);
}

namespace {

// Cohen-Sutherland against [0, w) x [0, h); false when nothing is left.
bool coupe(long double& x0, long double& y0, long double& x1, long double& y1, int w, int h) {
    const long double xm = 0, ym = 0, xM = w - 1, yM = h - 1;
    auto code = [&](long double x, long double y) {
        return (x < xm ? 1 : 0) | (x > xM ? 2 : 0) | (y < ym ? 4 : 0) | (y > yM ? 8 : 0);
    };
    int c0 = code(x0, y0), c1 = code(x1, y1);
    for (int tours = 0; tours < 8; ++tours) {
        if ((c0 | c1) == 0) return true;
        if (c0 & c1) return false;
        const int c = c0 ? c0 : c1;
        long double x = 0, y = 0;
        if (c & 8) {
            x = x0 + (x1 - x0) * (yM - y0) / (y1 - y0);
            y = yM;
        } else if (c & 4) {
            x = x0 + (x1 - x0) * (ym - y0) / (y1 - y0);
            y = ym;
        } else if (c & 2) {
            y = y0 + (y1 - y0) * (xM - x0) / (x1 - x0);
            x = xM;
        } else {
            y = y0 + (y1 - y0) * (xm - x0) / (x1 - x0);
            x = xm;
        }
        if (c == c0) {
            x0 = x;
            y0 = y;
            c0 = code(x0, y0);
        } else {
            x1 = x;
            y1 = y;
            c1 = code(x1, y1);
        }
    }
    return (c0 | c1) == 0;
}

} // namespace

void rasterise(const std::vector<Trace3D>& traces, const VuePixels& image) {
    if (!image.valide() || image.format != FormatPixels::rgb32) return;
    const int w = image.largeur, h = image.hauteur;
    auto pixel = [&](int x, int y) -> std::uint32_t& {
        return reinterpret_cast<std::uint32_t*>(image.ligne(y))[x];
    };
    for (const Trace3D& t : traces) {
        if (t.point) {
            for (int y = std::max(t.y1 - 1, 0); y <= std::min(t.y1 + 1, h - 1); ++y)
                for (int x = std::max(t.x1 - 1, 0); x <= std::min(t.x1 + 1, w - 1); ++x) pixel(x, y) = t.couleur;
            continue;
        }
        int x0 = t.x1, y0 = t.y1, x1 = t.x2, y1 = t.y2;
        if (x0 < 0 || y0 < 0 || x1 < 0 || y1 < 0 || x0 >= w || x1 >= w || y0 >= h || y1 >= h) {
            long double a = x0, b = y0, c = x1, d = y1;
            if (!coupe(a, b, c, d, w, h)) continue;
            x0 = static_cast<int>(std::lround(a));
            y0 = static_cast<int>(std::lround(b));
            x1 = static_cast<int>(std::lround(c));
            y1 = static_cast<int>(std::lround(d));
        }
        // Both ends lie inside now: Bresenham without bounds checks, stepping a pointer.
        const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
        const long pas_y = (y0 < y1 ? 1 : -1) * image.octets_par_ligne / 4;
        const int pas_x = x0 < x1 ? 1 : -1;
        std::uint32_t* q = &pixel(x0, y0);
        if (dx >= dy) {
            int err = 2 * dy - dx;
            for (int i = 0; i <= dx; ++i, q += pas_x) {
                *q = t.couleur;
                if (err > 0) {
                    q += pas_y;
                    err -= 2 * dx;
                }
                err += 2 * dy;
            }
        } else {
            int err = 2 * dx - dy;
            for (int i = 0; i <= dy; ++i, q += pas_y) {
                *q = t.couleur;
                if (err > 0) {
                    q += pas_x;
                    err -= 2 * dy;
                }
                err += 2 * dx;
            }
        }
    }
}

} // namespace vuv::graphe
