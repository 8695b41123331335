#include "core/document/Digitalisation.h"

#include "core/text/extraitUTIL.h"

#include <cmath>

namespace vuv {
namespace {

std::string texte_coordonnee(const char* nom, const Document& d, long double v) {
    std::string nombre = fixe_local(v, d.ndecimale);
    if (nombre.size() < 8) nombre.insert(0, 8 - nombre.size(), ' ');
    return std::string(nom) + "= " + nombre;
}

} // namespace

ResultatClic clic_digitaliser(Document& d, int x, int y, MethodeCalage methode, bool tablette) {
    d.sauve = false;
    if (d.nb_calage < 3) {
        d.valide_point_calage(d.nb_calage, x, y, methode, tablette);
        return ResultatClic::calage;
    }
    const int n = ++d.nb_points;
    d.stocke_xy(n, d.num_ligne, x, y);
    if (n == 1) d.StringGrid1.set_fixed_rows(1);
    return ResultatClic::point;
}

bool nouvelle_suite_de_points(Document& d) {
    if (d.nb_points < 1) return false;
    const int L = val_entier(d.StringGrid1.cell(d.indice_col("L"), d.nb_points)) + 1;
    d.num_ligne = L;
    d.nouvelle_ligne = true;
    if (L > 1) {
        Grille& lignes = d.StringGrid3;
        if (lignes.row_count() < L + 1) lignes.set_row_count(L + 1);
        lignes.set_cell(0, L, std::to_string(L));
        lignes.set_cell(1, L, lignes.cell(1, L - 1));
        lignes.set_cell(2, L, lignes.cell(2, L - 1));
        lignes.set_cell(3, L, "x");
        lignes.set_row_count(L + 1);
        lignes.set_row(L);
    }
    return true;
}

void cherche_proche_indice_ligne_point(const Document& d, int x, int y, int& L, int& row) {
    const Grille& points = d.StringGrid1;
    const int cn = d.indice_col("n"), cL = d.indice_col("L"), cx = d.indice_col("x"), cy = d.indice_col("y");
    long double meilleure = 36000;
    for (int r = 1; r <= d.nb_points; ++r) {
        if (points.cell(cn, r).empty()) continue;
        const int l = val_entier(points.cell(cL, r));
        if (d.StringGrid3.cell(3, l) != "x") continue;
        const long double dx = static_cast<long double>(val_entier(points.cell(cx, r))) - x;
        const long double dy = static_cast<long double>(val_entier(points.cell(cy, r))) - y;
        const long double dist = std::sqrt(dx * dx + dy * dy);
        if (dist < meilleure) {
            meilleure = dist;
            L = l;
            row = r;
        }
    }
}

std::string texte_X(const Document& d, long double X) { return texte_coordonnee("X", d, X); }

std::string texte_Y(const Document& d, long double Y) { return texte_coordonnee("Y", d, Y); }

} // namespace vuv
