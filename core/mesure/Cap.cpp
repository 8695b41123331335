#include "core/mesure/Cap.h"

#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vuv {
namespace {

// C's "%w.df" with the local decimal mark.
std::string format_f(int largeur, int decimales, long double v) {
    std::string t = nombres::fixe(v, 18, decimales, separateur_decimal());
    if (static_cast<int>(t.size()) < largeur) t.insert(0, static_cast<std::size_t>(largeur) - t.size(), ' ');
    return t;
}

long double cellule_reelle(const Document& d, const char* col, int row) {
    return val_reel(d.StringGrid1.cell(d.indice_col(col), row));
}

} // namespace

long double cap_geometrique(long double X1, long double Y1, long double X2, long double Y2) {
    const long double D = std::sqrt((X2 - X1) * (X2 - X1) + (Y2 - Y1) * (Y2 - Y1));
    if (D == 0 || !std::isfinite(D)) return 0;
    // Rounding may put the ratio a hair beyond 1.
    const long double c = std::clamp((Y2 - Y1) / D, -1.0L, 1.0L);
    const long double a = std::acos(c) * 180 / std::numbers::pi_v<long double>;
    return X2 < X1 ? -a : a;
}

long double correction_cap(std::string_view declinaison, std::string_view epsilon) {
    return val_reel(declinaison) + val_reel(epsilon);
}

CapDistance cap_entre(long double X1, long double Y1, long double X2, long double Y2, long double correction) {
    CapDistance c;
    c.D = std::sqrt((X2 - X1) * (X2 - X1) + (Y2 - Y1) * (Y2 - Y1));
    c.cap = cap_geometrique(X1, Y1, X2, Y2) + correction;
    return c;
}

CapDistance distance_entre_point(const Document& d, int a, int b, long double correction) {
    return cap_entre(cellule_reelle(d, "X", a), cellule_reelle(d, "Y", a), cellule_reelle(d, "X", b),
                     cellule_reelle(d, "Y", b), correction);
}

CapDistance distance_entre_point_et_XY(const Document& d, int a, int x, int y, long double correction) {
    long double X = 0, Y = 0;
    d.repere_carte(x, y, X, Y);
    return cap_entre(cellule_reelle(d, "X", a), cellule_reelle(d, "Y", a), X, Y, correction);
}

std::string texte_cap(int a, int b, const CapDistance& c) {
    return std::to_string(a) + "/" + std::to_string(b) + "=> D=" + _format(6, 4, c.D) + " cap=" + _format(6, 2, c.cap);
}

std::string texte_statut_cap(const CapDistance& c) {
    return "Distance= " + format_f(8, 4, c.D) + "  Cap= " + format_f(8, 2, c.cap) + "  ";
}

std::string texte_proxi_cap(const CapDistance& c, int p) {
    std::string n = std::to_string(p);
    if (n.size() < 2) n.insert(0, 2 - n.size(), ' ');
    return "D= " + format_f(8, 4, c.D) + "  Cap= " + format_f(8, 2, c.cap) + "  proxi=  " + n;
}

std::string texte_depart_cap(int p) { return " distance cumulée à partir de (" + std::to_string(p) + ")... "; }

std::string texte_cumul_cap(int a, int b, long double cumul, const CapDistance& c) {
    return " distance cumulée +(" + std::to_string(a) + " à " + std::to_string(b) + ") = " + _format(6, 4, cumul) +
           "   " + texte_cap(a, b, c);
}

} // namespace vuv
