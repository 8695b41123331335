#include "core/edition/EditionPoints.h"

#include "core/document/Digitalisation.h"
#include "core/text/extraitUTIL.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace vuv::edition {
namespace {

using ld = long double;

bool ligne_montree(const Document& d, int L) {
    const Grille& lignes = d.StringGrid3;
    return L >= 0 && L < lignes.row_count() && lignes.cell(3, L) == "x";
}

double distance2(ld ax, ld ay, ld bx, ld by) {
    const ld dx = ax - bx, dy = ay - by;
    return static_cast<double>(dx * dx + dy * dy);
}

// Squared distance from (x, y) to segment a-b.
double distance2_segment(int x, int y, int ax, int ay, int bx, int by) {
    const ld vx = bx - ax, vy = by - ay;
    const ld l2 = vx * vx + vy * vy;
    ld t = l2 == 0 ? 0 : ((x - ax) * vx + (y - ay) * vy) / l2;
    t = std::clamp<ld>(t, 0, 1);
    return distance2(x, y, ax + t * vx, ay + t * vy);
}

void renumerote(Document& d, int depuis) {
    Grille& g = d.StringGrid1;
    const int col_n = d.indice_col("n");
    for (int r = std::max(depuis, 1); r <= d.nb_points && r < g.row_count(); ++r) g.set_cell(col_n, r, _format(3, 0, r));
}

} // namespace

std::optional<Cible> point_sous(const Document& d, int x, int y, double rayon, int exclu) {
    std::optional<Cible> trouve;
    double meilleure = rayon * rayon;
    for (int k = 1; k <= std::clamp(d.nb_calage, 0, 3); ++k) {
        if (-k == exclu) continue;
        const auto p = point_de_table(d, -k);
        if (!p) continue;
        const double d2 = distance2(p->x, p->y, x, y);
        if (d2 <= meilleure) {
            meilleure = d2;
            trouve = Cible{-k, p->x, p->y};
        }
    }
    int L = 0, row = 0;
    if (exclu > 0) {
        // The dragged row must not catch itself; a drop is rare enough for a plain search.
        const Grille& g = d.StringGrid1;
        const int cn = d.indice_col("n"), cL = d.indice_col("L"), cx = d.indice_col("x"), cy = d.indice_col("y");
        double proche = rayon * rayon;
        const int fin = std::min(d.nb_points, g.row_count() - 1);
        for (int r = 1; r <= fin; ++r) {
            if (r == exclu || g.cell(cn, r).empty() || !ligne_montree(d, val_entier(g.cell(cL, r)))) continue;
            const double d2 = distance2(val_entier(g.cell(cx, r)), val_entier(g.cell(cy, r)), x, y);
            if (d2 < proche) {
                proche = d2;
                row = r;
            }
        }
    } else {
        cherche_proche_indice_ligne_point(d, x, y, L, row);
    }
    if (row > 0) {
        if (const auto p = point_de_table(d, row); p && distance2(p->x, p->y, x, y) <= meilleure)
            trouve = Cible{row, p->x, p->y};
    }
    return trouve;
}

int rang_insertion(const Document& d, int x, int y, double rayon) {
    const Grille& g = d.StringGrid1;
    const int cn = d.indice_col("n"), cL = d.indice_col("L"), cx = d.indice_col("x"), cy = d.indice_col("y");
    double meilleure = rayon * rayon;
    int rang = 0;
    int L0 = -1, x0 = 0, y0 = 0;
    const int fin = std::min(d.nb_points, g.row_count() - 1);
    for (int r = 1; r <= fin; ++r) {
        if (g.cell(cn, r).empty()) {
            L0 = -1;
            continue;
        }
        const int L = val_entier(g.cell(cL, r)), px = val_entier(g.cell(cx, r)), py = val_entier(g.cell(cy, r));
        if (L == L0 && ligne_montree(d, L)) {
            const double d2 = distance2_segment(x, y, x0, y0, px, py);
            if (d2 <= meilleure) {
                meilleure = d2;
                rang = r;
            }
        }
        L0 = L;
        x0 = px;
        y0 = py;
    }
    return rang;
}

void borne(int& x, int& y, int largeur, int hauteur) {
    x = std::clamp(x, 0, std::max(largeur - 1, 0));
    y = std::clamp(y, 0, std::max(hauteur - 1, 0));
}

void deplace_point(Document& d, int row, int x, int y) {
    LignePoint p;
    if (row < 1 || row > d.nb_points || !d.liste_extrait_Lxy(row, p)) return;
    // A degenerate calibration keeps the X, Y the row already had.
    d.repere_carte(x, y, p.X, p.Y);
    d.affecte_en(row, p.L, p.libelle, p.Z, p.Y, p.X, y, x);
    d.sauve = false;
}

void insere_point(Document& d, int row, int x, int y) {
    if (row < 1 || row > d.nb_points + 1) return;
    Grille& g = d.StringGrid1;
    const int L = row > 1 ? val_entier(g.cell(d.indice_col("L"), row - 1)) : d.num_ligne;
    {
        Grille::Lot lot(g);
        if (g.row_count() < d.nb_points + 2) g.set_row_count(d.nb_points + 2);
        g.insere_lignes(row, 1);
        ++d.nb_points;
        ld X = 0, Y = 0;
        d.repere_carte(x, y, X, Y);
        d.affecte_en(row, L, "", valeur_absente(), Y, X, y, x);
        renumerote(d, row + 1);
    }
    d.sauve = false;
}

void supprime_point(Document& d, int row) {
    if (row < 1 || row > d.nb_points) return;
    Grille& g = d.StringGrid1;
    {
        Grille::Lot lot(g);
        g.retire_lignes(row, 1);
        --d.nb_points;
        renumerote(d, row);
    }
    d.num_ligne = d.nb_points >= 1 ? std::max(val_entier(g.cell(d.indice_col("L"), d.nb_points)), 1) : 1;
    d.sauve = false;
}

bool calage_degenere(const Document& d, int k, int x, int y) {
    ld px[3], py[3];
    for (int i = 0; i < 3; ++i) {
        px[i] = d.calage[static_cast<std::size_t>(i)].x;
        py[i] = d.calage[static_cast<std::size_t>(i)].y;
    }
    px[k - 1] = x;
    py[k - 1] = y;
    return (py[0] - py[1]) * (px[2] - px[1]) - (px[0] - px[1]) * (py[2] - py[1]) == 0;
}

bool deplace_calage(Document& d, int k, int x, int y) {
    if (k < 1 || k > std::clamp(d.nb_calage, 0, 3)) return false;
    if (d.nb_calage == 3 && calage_degenere(d, k, x, y)) return false;
    Grille& g = d.StringGrid2;
    g.set_cell(d.indice_col_cal("x"), k, _format(4, 0, x));
    g.set_cell(d.indice_col_cal("y"), k, _format(4, 0, y));
    EnregistrementCalage& e = d.calage[static_cast<std::size_t>(k - 1)];
    e.x = x;
    e.y = y;
    d.calcul_nouveaux_calage();
    d.sauve = false;
    return true;
}

std::optional<Cible> pixel_de_couleur(const VuePixels& v, int x, int y, int rayon, std::uint16_t couleur) {
    if (!v.valide() || v.format != FormatPixels::rgb555) return std::nullopt;
    std::optional<Cible> trouve;
    long long meilleure = static_cast<long long>(rayon) * rayon;
    const int y0 = std::max(y - rayon, 0), y1 = std::min(y + rayon, v.hauteur - 1);
    const int x0 = std::max(x - rayon, 0), x1 = std::min(x + rayon, v.largeur - 1);
    for (int py = y0; py <= y1; ++py) {
        const auto* ligne = reinterpret_cast<const std::uint16_t*>(v.ligne(py));
        for (int px = x0; px <= x1; ++px) {
            if ((ligne[px] & 0x7FFF) != (couleur & 0x7FFF)) continue;
            const long long d2 = static_cast<long long>(px - x) * (px - x) + static_cast<long long>(py - y) * (py - y);
            if (d2 < meilleure || (d2 == meilleure && !trouve)) {
                meilleure = d2;
                trouve = Cible{0, px, py};
            }
        }
    }
    return trouve;
}

Rect zone_autour(const Document& d, int row, std::initializer_list<Cible> en_plus) {
    Rect r{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
           std::numeric_limits<int>::min()};
    const auto ajoute = [&r](int x, int y) {
        r.x0 = std::min(r.x0, x);
        r.y0 = std::min(r.y0, y);
        r.x1 = std::max(r.x1, x);
        r.y1 = std::max(r.y1, y);
    };
    int epaisseur = 1;
    for (int k = row - 1; k <= row + 1; ++k) {
        const auto p = point_de_table(d, k);
        if (!p) continue;
        ajoute(p->x, p->y);
        const int L = val_entier(d.StringGrid1.cell(d.indice_col("L"), k));
        if (L >= 0 && L < d.StringGrid3.row_count()) epaisseur = std::max(epaisseur, val_entier(d.StringGrid3.cell(1, L)));
    }
    for (const Cible& c : en_plus) ajoute(c.x, c.y);
    if (r.x0 > r.x1) return Rect{};
    // A dot is twice the line's thickness wide, and its marker reaches one pixel further.
    const int marge = 2 * std::clamp(epaisseur, 1, 255) + 4;
    return {r.x0 - marge, r.y0 - marge, r.x1 + marge, r.y1 + marge};
}

int pas_fleche(bool maj) { return maj ? 10 : 1; }

namespace {
std::string nom_point(const char* action, int row) {
    return std::string(action) + (row < 0 ? " du point de calage " + std::to_string(-row)
                                          : " du point " + std::to_string(row));
}
} // namespace

std::string nom_deplacement(int row) { return nom_point("Déplacement", row); }
std::string nom_insertion(int row) { return nom_point("Insertion", row); }
std::string nom_suppression(int row) { return nom_point("Suppression", row); }

} // namespace vuv::edition
