#include "core/document/Digitalisation.h"

#include "core/text/extraitUTIL.h"

#include <algorithm>
#include <vector>

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

namespace {

// The points' L, x and y parsed once per version of the points table: the search runs on
// every mouse move over tables of any size.
struct PointLu {
    int L = 0, x = 0, y = 0;
    bool present = false; // "n" not empty
    bool lisible = true;  // all three cells are integers; otherwise read again, asking
};

const std::vector<PointLu>& points_lus(const Document& d) {
    static unsigned long long version = 0;
    static std::vector<PointLu> lus;
    const Grille& g = d.StringGrid1;
    if (version == g.version() && !lus.empty()) return lus;
    const int cn = d.indice_col("n"), cL = d.indice_col("L"), cx = d.indice_col("x"), cy = d.indice_col("y");
    lus.assign(static_cast<std::size_t>(std::max(g.row_count(), 1)), PointLu{});
    for (int r = 1; r < g.row_count(); ++r) {
        PointLu& p = lus[static_cast<std::size_t>(r)];
        p.present = !g.cell(cn, r).empty();
        const LectureEntier L = lit_entier(g.cell(cL, r)), x = lit_entier(g.cell(cx, r)), y = lit_entier(g.cell(cy, r));
        p.L = L.valeur;
        p.x = x.valeur;
        p.y = y.valeur;
        p.lisible = L.erreur == 0 && x.erreur == 0 && y.erreur == 0;
    }
    version = g.version();
    return lus;
}

} // namespace

void cherche_proche_indice_ligne_point(const Document& d, int x, int y, int& L, int& row) {
    const Grille& points = d.StringGrid1;
    const Grille& lignes = d.StringGrid3;
    const std::vector<PointLu>& lus = points_lus(d);
    // Whether each line is selected, looked up once rather than once per point.
    std::vector<char> choisie(static_cast<std::size_t>(std::max(lignes.row_count(), 0)));
    for (int l = 0; l < lignes.row_count(); ++l) choisie[static_cast<std::size_t>(l)] = lignes.cell(3, l) == "x";
    // Squared integer distances: exact, and the same order as the distances themselves.
    long long meilleure = 36000LL * 36000LL;
    const int fin = std::min(d.nb_points, static_cast<int>(lus.size()) - 1);
    for (int r = 1; r <= fin; ++r) {
        PointLu p = lus[static_cast<std::size_t>(r)];
        if (!p.present) continue;
        if (!p.lisible) {
            p.L = val_entier(points.cell(d.indice_col("L"), r));
            p.x = val_entier(points.cell(d.indice_col("x"), r));
            p.y = val_entier(points.cell(d.indice_col("y"), r));
        }
        if (p.L < 0 || p.L >= static_cast<int>(choisie.size()) || !choisie[static_cast<std::size_t>(p.L)]) continue;
        const long long dx = static_cast<long long>(p.x) - x;
        const long long dy = static_cast<long long>(p.y) - y;
        const long long dist = dx * dx + dy * dy;
        if (dist < meilleure) {
            meilleure = dist;
            L = p.L;
            row = r;
        }
    }
}

std::string texte_X(const Document& d, long double X) { return texte_coordonnee("X", d, X); }

std::string texte_Y(const Document& d, long double Y) { return texte_coordonnee("Y", d, Y); }

std::optional<PointDeTable> point_de_table(const Document& d, int row) {
    const Grille* g = nullptr;
    if (row > 0 && row <= d.nb_points && row <= d.StringGrid1.row_count()) {
        g = &d.StringGrid1;
    } else if (row < 0 && -row <= d.StringGrid2.row_count()) {
        g = &d.StringGrid2;
        row = -row;
    }
    if (!g) return std::nullopt;
    return PointDeTable{val_entier(g->cell(indice_col_grille(*g, "x"), row)),
                        val_entier(g->cell(indice_col_grille(*g, "y"), row)),
                        val_reel(g->cell(indice_col_grille(*g, "X"), row)),
                        val_reel(g->cell(indice_col_grille(*g, "Y"), row))};
}

std::string invite_saisie(const Document& d) {
    static const char* const invites[3] = {"Cliquer le PREMIER POINT DE CALAGE", "Cliquer le DEUXIEME POINT DE CALAGE",
                                           "Cliquer le TROISIEME POINT DE CALAGE"};
    if (d.nb_calage < 3) return invites[std::max(d.nb_calage, 0)];
    const std::string suite = "Suite " + std::to_string(d.num_ligne) + "  point ";
    return d.nb_points > 0 ? suite + std::to_string(d.nb_points) + ' ' : suite + "... ";
}

} // namespace vuv
