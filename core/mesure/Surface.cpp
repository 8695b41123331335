#include "core/mesure/Surface.h"

#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/mesure/FormatNombre.h"
#include "core/text/extraitUTIL.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <utility>

namespace vuv {
namespace {

using ld = long double;

// The cells one click reads: each "L" once (a bad cell asks its question once, not once per
// line of the network), X and Y once when first needed.
class Releve {
public:
    explicit Releve(const Document& d)
        : d_(d), N_(d.nb_points), cX_(d.indice_col("X")), cY_(d.indice_col("Y")), cx_(d.indice_col("x")),
          cy_(d.indice_col("y")), xy_(static_cast<std::size_t>(std::max(N_, 0)) + 1) {
        const int cL = d.indice_col("L");
        L_.resize(xy_.size());
        for (int r = 1; r <= N_; ++r) L_[static_cast<std::size_t>(r)] = val_entier(d.StringGrid1.cell(cL, r));
    }

    int N() const { return N_; }
    int L(int row) const { return L_[static_cast<std::size_t>(row)]; }

    // The first row of line L among rows 1..N-1, else row N.
    int premier_rang(int L) const {
        for (int r = 1; r < N_; ++r)
            if (L_[static_cast<std::size_t>(r)] == L) return r;
        return N_;
    }

    std::pair<ld, ld> XY(int row) {
        auto& c = xy_[static_cast<std::size_t>(row)];
        if (!c) c = std::pair{val_reel(d_.StringGrid1.cell(cX_, row)), val_reel(d_.StringGrid1.cell(cY_, row))};
        return *c;
    }

    PointImage xy_image(int row) const {
        return {val_entier(d_.StringGrid1.cell(cx_, row)), val_entier(d_.StringGrid1.cell(cy_, row))};
    }

private:
    const Document& d_;
    int N_;
    int cX_, cY_, cx_, cy_;
    std::vector<int> L_;
    std::vector<std::optional<std::pair<ld, ld>>> xy_;
};

DistancePerimetre distance_perimetre(Releve& rl, int L) {
    DistancePerimetre r;
    if (rl.N() < 1) return r;
    int row = rl.premier_rang(L);
    const auto F = rl.XY(row);
    auto precedent = F;
    r.n = 1;
    while (row < rl.N()) {
        ++row;
        if (rl.L(row) != L) break;
        const auto courant = rl.XY(row);
        ++r.n;
        r.D += std::hypot(courant.first - precedent.first, courant.second - precedent.second);
        precedent = courant;
    }
    r.P = r.D + std::hypot(precedent.first - F.first, precedent.second - F.second);
    return r;
}

SurfaceLigne surface(Releve& rl, int L) {
    SurfaceLigne s;
    if (rl.N() < 1) return s;
    int k = rl.premier_rang(L);
    const auto P0 = rl.XY(k);
    const PointImage p0 = rl.xy_image(k);
    ld S = 0;
    while (k < rl.N() - 1 && rl.L(k + 1) == L && rl.L(k + 2) == L) {
        const auto P1 = rl.XY(k + 1), P2 = rl.XY(k + 2);
        S += ((P1.first - P0.first) * (P2.second - P0.second) - (P2.first - P0.first) * (P1.second - P0.second)) / 2;
        s.triangles.push_back({p0, rl.xy_image(k + 1), rl.xy_image(k + 2)});
        ++k;
    }
    s.A = std::fabs(S);
    return s;
}

std::string G(ld v) { return nombres::general(v, 15, separateur_decimal()); }

} // namespace

DistancePerimetre distance_perimetre_indice_ligne(const Document& d, int L) {
    Releve rl(d);
    return distance_perimetre(rl, L);
}

SurfaceLigne surface_indice_ligne(const Document& d, int L) {
    Releve rl(d);
    return surface(rl, L);
}

int epaisseur_triangles(int largeur_calque) { return std::max(1, largeur_calque / 1000); }

ResultatSurface mesure_surface(const Document& d, int x, int y) {
    ResultatSurface r;
    if (d.nb_points <= 1) {
        port().bip();
        return r;
    }
    int L = -1, row = -1;
    cherche_proche_indice_ligne_point(d, x, y, L, row);
    if (L < 0) {
        // Every line is hidden: there is nothing to pick.
        port().bip();
        return r;
    }
    return mesure_ligne(d, L);
}

ResultatSurface mesure_ligne(const Document& d, int L) {
    ResultatSurface r;
    Releve rl(d);
    r.mesure = true;
    r.L = L;
    SurfaceLigne s = surface(rl, L);
    r.A = s.A;
    r.triangles = std::move(s.triangles);

    const DistancePerimetre dp = distance_perimetre(rl, L);
    ld reseau = 0;
    for (int l = 1; l <= d.num_ligne; ++l) reseau += l == L ? dp.D : distance_perimetre(rl, l).D;
    r.R = reseau - dp.D;
    r.D = dp.D;
    r.P = dp.P;
    r.n = dp.n;
    r.C = r.A != 0 ? (r.P / 2) / std::sqrt(r.A * std::numbers::pi_v<ld>) : 0;
    const ld q = r.P * r.P / 16;
    r.Le = r.A < q ? std::sqrt(q - r.A) + r.P / 4 : 0;
    r.Dd = r.A != 0 ? r.R / r.A : 0;
    // A two-point line is a distance: the scale tool takes it, the panel gets nothing.
    r.outil_echelle = r.n == 2;
    if (!r.outil_echelle) r.lignes = lignes_resultats(d, r, d.num_ligne > 1);
    return r;
}

std::vector<std::string> lignes_resultats(const Document& d, const ResultatSurface& r, bool reseau) {
    const char* F1 = "0.000 E+00";
    const char* F2 = "### ### ### ### ##0.000000000";
    const char* F3 = "0.0000 E+00";
    std::vector<std::string> l;
    l.push_back(" Suite(" + std::to_string(r.L) + ")= \t" + std::to_string(r.n) + "\t points");
    l.push_back(" Surface  A = \t" + formate_nombre(F1, r.A) + "    \t" + formate_nombre(F2, r.A));
    l.push_back(" Distance D = \t" + formate_nombre(F1, r.D) + "    \t" + formate_nombre(F2, r.D));
    l.push_back(" Périmètre P = \t" + formate_nombre(F1, r.P) + "    \t" + formate_nombre(F2, r.P));
    l.push_back(" Indice de compacité = P/(4.pi.A)^0.5 = \t" + G(r.C));
    if (r.Le != 0) l.push_back(" Rectangle équivalent L=P/4+sqrt(P²/16-A)= \t" + G(r.Le));
    if (reseau) {
        l.push_back(" Longueur totale du réseau (sans le pourtour de la surface choisie définie par");
        l.push_back("    la suite n°" + std::to_string(r.L) + "  ( celle qui se trouve proche du clik de la souris ! )");
        l.push_back("            L(réseau) = \t" + formate_nombre(F3, r.R));
        l.push_back(" Densité de drainage = longueur du réseau / A = \t" + formate_nombre(F3, r.Dd));
        l.push_back(ligne_distances_calage(d));
    }
    return l;
}

std::string ligne_distances_calage(const Document& d) {
    const auto& c = d.calage;
    const ld d12 = std::hypot(c[0].X - c[1].X, c[0].Y - c[1].Y);
    const ld d23 = std::hypot(c[1].X - c[2].X, c[1].Y - c[2].Y);
    return "     Distances (calage 1 à 2) = " + G(d12) + "   (calage 2 à 3) = " + G(d23);
}

} // namespace vuv
