// The calibration side of the document: the affine transform between overlay pixels and real
// coordinates, the placing of calibration points and the rewriting of points through it.
#include "core/document/Document.h"
#include "core/document/PixelsCalage.h"

#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace vuv {
namespace {

using ld = long double;

// Nearest integer, halves to even, whatever the floating-point rounding mode.
ld arrondi_pair(ld v) {
    const ld bas = std::floor(v);
    const ld reste = v - bas;
    if (reste > 0.5L) return bas + 1;
    if (reste < 0.5L) return bas;
    return std::fmod(bas, 2.0L) == 0 ? bas : bas + 1;
}

bool tient_en_int32(ld v) {
    return std::isfinite(v) && v >= static_cast<ld>(std::numeric_limits<std::int32_t>::min()) &&
           v <= static_cast<ld>(std::numeric_limits<std::int32_t>::max());
}

std::vector<std::string> cellules_de(const Grille& g, int row) {
    std::vector<std::string> r;
    for (int c = 0; c < g.col_count(); ++c) r.emplace_back(g.cell(c, row));
    return r;
}

void restaure_ligne(Grille& g, int row, const std::vector<std::string>& cellules) {
    for (int c = 0; c < static_cast<int>(cellules.size()); ++c) g.set_cell(c, row, cellules[c]);
}

} // namespace

void Document::repere_carte(int x, int y, long double& X, long double& Y) const {
    if (controle.ajustee) {
        controle.ajustee->vers_carte(x, y, X, Y);
        return;
    }
    if (nb_calage < 3) return;
    const auto& c1 = calage[0];
    const auto& c2 = calage[1];
    const auto& c3 = calage[2];
    // Differences of 32-bit pixels can overflow an int: convert before subtracting.
    const ld x1 = c1.x, y1 = c1.y, x2 = c2.x, y2 = c2.y, x3 = c3.x, y3 = c3.y;
    const ld g = (y1 - y2) * (x3 - x2) - (x1 - x2) * (y3 - y2);
    if (g == 0) return;
    const ld dx = static_cast<ld>(x) - x2, dy = static_cast<ld>(y) - y2;
    const ld u = ((x3 - x2) * dy - (y3 - y2) * dx) / g;
    const ld v = ((y1 - y2) * dx - (x1 - x2) * dy) / g;
    X = c2.X + u * (c1.X - c2.X) + v * (c3.X - c2.X);
    Y = c2.Y + u * (c1.Y - c2.Y) + v * (c3.Y - c2.Y);
}

void Document::repere_image(long double X, long double Y, int& x, int& y) const {
    if (controle.ajustee) {
        ld xr = 0, yr = 0;
        if (!controle.ajustee->vers_image(X, Y, xr, yr)) return;
        xr = arrondi_pair(xr);
        yr = arrondi_pair(yr);
        if (!tient_en_int32(xr) || !tient_en_int32(yr)) return;
        x = static_cast<int>(xr);
        y = static_cast<int>(yr);
        return;
    }
    if (nb_calage < 3) return;
    const auto& c1 = calage[0];
    const auto& c2 = calage[1];
    const auto& c3 = calage[2];
    const ld g = (c1.Y - c2.Y) * (c3.X - c2.X) - (c1.X - c2.X) * (c3.Y - c2.Y);
    if (g == 0) return;
    const ld dX = X - c2.X, dY = Y - c2.Y;
    const ld u = ((c3.X - c2.X) * dY - (c3.Y - c2.Y) * dX) / g;
    const ld v = ((c1.Y - c2.Y) * dX - (c1.X - c2.X) * dY) / g;
    const ld x1 = c1.x, y1 = c1.y, x2 = c2.x, y2 = c2.y, x3 = c3.x, y3 = c3.y;
    const ld xr = arrondi_pair(x2 + u * (x1 - x2) + v * (x3 - x2));
    const ld yr = arrondi_pair(y2 + u * (y1 - y2) + v * (y3 - y2));
    // Nearly collinear real points give huge or infinite pixels that no int can hold.
    if (!tient_en_int32(xr) || !tient_en_int32(yr)) return;
    x = static_cast<int>(xr);
    y = static_cast<int>(yr);
}

bool Document::distance_nulle_entre_calage(int row, int x, int y) const {
    const ld xr = val_entier(StringGrid2.cell(indice_col_cal("x"), row));
    const ld yr = val_entier(StringGrid2.cell(indice_col_cal("y"), row));
    const ld dx = xr - x, dy = yr - y;
    return std::sqrt(dx * dx + dy * dy) < 1e-5L;
}

void Document::valide_point_calage(int& count, int x, int y, MethodeCalage methode, bool tablette) {
    if (count < 0 || count >= 3) return;
    for (int r = 1; r <= count; ++r) {
        if (distance_nulle_entre_calage(r, x, y)) {
            port().bip();
            return;
        }
    }

    Grille& g = StringGrid2;
    const Colonnes c = colonnes(g);
    const int k = ++count;
    g.set_cell(c.x, k, _format(4, 0, x));
    g.set_cell(c.y, k, _format(4, 0, y));
    EnregistrementCalage& e = calage[static_cast<std::size_t>(k - 1)];
    e.x = x;
    e.y = y;
    e.valide = true;
    e.X = val_r(g.cell(c.X, k));
    e.Y = val_r(g.cell(c.Y, k));
    e.Z = val_r(g.cell(c.Z, k));
    g.set_row(k);
    vue().af_croix_calage(x, y);
    vue().rafraichir();
    if (tablette) port().bip();

    if (k == 2 && methode != MethodeCalage::trois_points) construit_troisieme_point(count, methode, tablette);
    if (k == 3) vue().montre_table_points();
}

// Two clicks and a method give the third point, then the frame is reordered so that the
// corner is the origin and reset to the unit frame for the user to fill in.
void Document::construit_troisieme_point(int& count, MethodeCalage methode, bool tablette) {
    Grille& g = StringGrid2;
    const Colonnes c = colonnes(g);
    const std::vector<std::string> avant2 = cellules_de(g, 2);
    const std::vector<std::string> avant3 = cellules_de(g, 3);

    if (methode == MethodeCalage::hypotenuse) {
        g.set_cell(c.X, 3, g.cell(c.X, 1));
        g.set_cell(c.x, 3, g.cell(c.x, 1));
        g.set_cell(c.Y, 3, g.cell(c.Y, 2));
        g.set_cell(c.y, 3, g.cell(c.y, 2));
    } else {
        g.set_cell(c.Y, 2, g.cell(c.Y, 1));
        g.set_cell(c.y, 2, g.cell(c.y, 1));
        g.set_cell(c.X, 3, g.cell(c.X, 1));
        g.set_cell(c.x, 3, g.cell(c.x, 1));
        const ld Y3 = val_r(g.cell(c.Y, 1)) + (val_r(g.cell(c.X, 2)) - val_r(g.cell(c.X, 1)));
        const ld y3 = val_r(g.cell(c.y, 1)) - (val_r(g.cell(c.x, 2)) - val_r(g.cell(c.x, 1)));
        g.set_cell(c.Y, 3, _format2(12, 4, Y3));
        g.set_cell(c.y, 3, _format(4, 0, y3));
    }

    valide_point_calage(count, val_entier(g.cell(c.x, 3)), val_entier(g.cell(c.y, 3)), methode, tablette);
    if (count < 3) {
        // The corner fell on a clicked pixel: going on would lose the second click.
        restaure_ligne(g, 2, avant2);
        restaure_ligne(g, 3, avant3);
        return;
    }

    // An exchange leaves each row its number and its label.
    const auto echange = [&](int a, int b) {
        for (int col = 0; col < g.col_count(); ++col) {
            if (col == c.n || col == c.libelle) continue;
            std::string t{g.cell(col, a)};
            g.set_cell(col, a, g.cell(col, b));
            g.set_cell(col, b, std::move(t));
        }
    };
    if (methode == MethodeCalage::hypotenuse) {
        echange(2, 3);
    } else {
        echange(1, 3);
        echange(2, 3);
    }

    g.set_cell(c.X, 1, "0");
    g.set_cell(c.Y, 1, "1");
    g.set_cell(c.X, 2, "0");
    g.set_cell(c.Y, 2, "0");
    g.set_cell(c.X, 3, "1");
    g.set_cell(c.Y, 3, "0");

    releve_calage(count);

    vue().redessiner_calque();
    vue().cache_panel2();
    port().information("n'oubliez pas d'affecter les bonnes valeurs aux X Y des 3 points de calages !");
}

void Document::releve_calage(int n) {
    const Colonnes c = colonnes(StringGrid2);
    for (int k = 1; k <= std::clamp(n, 0, 3); ++k) {
        EnregistrementCalage& e = calage[static_cast<std::size_t>(k - 1)];
        e.x = val_entier(StringGrid2.cell(c.x, k));
        e.y = val_entier(StringGrid2.cell(c.y, k));
        e.X = val_reel(StringGrid2.cell(c.X, k));
        e.Y = val_reel(StringGrid2.cell(c.Y, k));
        e.Z = val_reel(StringGrid2.cell(c.Z, k));
        e.valide = true;
    }
}

bool corrige_pixels_calage(Document& d) {
    const int colonnes[2] = {d.indice_col_cal("x"), d.indice_col_cal("y")};
    std::string message;
    for (int k = 1; k <= std::clamp(d.nb_calage, 0, 3); ++k) {
        const EnregistrementCalage& e = d.calage[static_cast<std::size_t>(k - 1)];
        for (int i = 0; i < 2; ++i) {
            const std::string t(d.StringGrid2.cell(colonnes[i], k));
            if (lit_entier(t).erreur == 0) continue;
            const int valeur = i == 0 ? e.x : e.y;
            d.StringGrid2.set_cell(colonnes[i], k, _format(4, 0, valeur));
            // A row placed without its pixel written (by a georeference) gets it without a word.
            if (t.empty()) continue;
            if (!message.empty()) message += "\n";
            message += std::string("Le ") + (i == 0 ? "x" : "y") + " du point de calage " + std::to_string(k) + " <" + t +
                       "> n'est pas un nombre entier de pixels : il reprend sa valeur " +
                       std::to_string(valeur) + ".";
        }
    }
    if (message.empty()) return false;
    port().information(message);
    return true;
}

void Document::calcul_nouveaux_calage() {
    Operation operation(*this);
    corrige_pixels_calage(*this);
    const Colonnes cc = colonnes(StringGrid2);
    const int n = std::clamp(nb_calage, 0, 3);
    for (int k = 1; k <= n; ++k) {
        EnregistrementCalage& e = calage[static_cast<std::size_t>(k - 1)];
        e.valide = true;
        e.X = val_r(StringGrid2.cell(cc.X, k));
        e.Y = val_r(StringGrid2.cell(cc.Y, k));
        e.Z = val_r(StringGrid2.cell(cc.Z, k));
    }
    synchronise_controle();

    const Colonnes c = colonnes(StringGrid1);
    Grille::Lot lot(StringGrid1);
    for (int row = 1; row <= nb_points; ++row) recalcule_point(c, row);
}

std::string Document::val_calage() const {
    const int cX = indice_col_cal("X"), cY = indice_col_cal("Y");
    const auto v = [&](int col, int row) { return fixe_local(val_r(StringGrid2.cell(col, row)), 3); };
    return "(" + v(cX, 1) + "   " + v(cY, 1) + ")   (" + v(cX, 2) + "   " + v(cY, 2) + ")  (" + v(cX, 3) +
           "   " + v(cY, 3) + ") ";
}

void Document::stocke_xy(int row, int L, int x, int y) {
    vue().statut(1, "Suite " + std::to_string(L) + "  point " + std::to_string(row) + " ");
    // A calibration that gives nothing must not leave the row with stale values.
    ld X = 0, Y = 0;
    repere_carte(x, y, X, Y);
    affecte_en(row, L, "", valeur_absente(), Y, X, y, x);
    StringGrid1.set_row(row);
}

void Document::stocke_modif_xy(int row) { recalcule_point(colonnes(StringGrid1), row); }

void Document::recalcule_point(const Colonnes& c, int row) {
    LignePoint p;
    if (!lit_point(c, row, p)) return;
    // A degenerate calibration keeps the X, Y the row already had.
    repere_carte(p.x, p.y, p.X, p.Y);
    ecrit_point(c, row, p.L, p.libelle, p.Z, p.Y, p.X, p.y, p.x);
}

void Document::extrait_xy(int row, int& x, int& y) const {
    x = val_entier(StringGrid1.cell(indice_col("x"), row));
    y = val_entier(StringGrid1.cell(indice_col("y"), row));
}

void Document::mess_3_calage_svp_et_init(bool tablette) {
    if (tablette)
        port().information("Les 3 premiers points cliqués sont les points de calage \n\n    entrez leur coordonnée");
    nb_points = 0;
    num_ligne = 1;
}

} // namespace vuv
