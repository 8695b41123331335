#include "core/document/Document.h"

#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>
#include <cstddef>

namespace vuv {
namespace {

VueDocument vue_muette;

constexpr const char* entetes[9] = {"n", "L", "Libellé", "X", "Y", "Z", "x", "y", "z"};
constexpr int largeurs_points[9] = {30, 30, 40, 50, 50, 30, 30, 30, 30};
constexpr int largeurs_calage[9] = {15, 15, 40, 50, 50, 30, 30, 30, 30};

// The decimals box only admits digits, but it may hold any length of them.
int decimales_lues(std::string_view texte) {
    const std::string t = enleve_blancs(texte);
    int v = 0;
    for (char c : t) {
        if (c < '0' || c > '9') continue;
        v = std::min(v * 10 + (c - '0'), 1000);
    }
    return v;
}

} // namespace

Document::Document() : StringGrid1(9, 2), StringGrid2(9, 2), StringGrid3(5, 2), vue_(&vue_muette) {
    for (int c = 0; c < 9; ++c) {
        StringGrid1.set_cell(c, 0, entetes[c]);
        StringGrid1.set_col_width(c, largeurs_points[c]);
    }
    // The header becomes fixed with the first digitized point; until then it can be typed.
    StringGrid1.set_fixed_rows(0);

    for (int c = 0; c < 9; ++c) {
        StringGrid2.set_cell(c, 0, entetes[c]);
        StringGrid2.set_col_width(c, largeurs_calage[c]);
    }
    StringGrid2.set_fixed_cols(2);
    // The unit frame: cal 2 the origin, cal 1 one unit along Y, cal 3 one along X.
    affecte_calage(1, 0, "cal 1", 0, 0, 0, 1, 0);
    affecte_calage(2, 0, "cal 2", 0, 0, 0, 0, 0);
    affecte_calage(3, 0, "cal 3", 0, 0, 0, 0, 1);

    nb_points = 0;
    num_ligne = 0;

    const char* entetes_lignes[5] = {"L", "épaisseur", "couleur", "OK", "nom"};
    const int largeurs_lignes[5] = {30, 60, 40, 20, 80};
    for (int c = 0; c < 5; ++c) {
        StringGrid3.set_cell(c, 0, entetes_lignes[c]);
        StringGrid3.set_col_width(c, largeurs_lignes[c]);
    }
    StringGrid3.set_cell(0, 1, "1");
    StringGrid3.set_cell(1, 1, "4");
    StringGrid3.set_cell(2, 1, "255");
    StringGrid3.set_cell(3, 1, "x");
    StringGrid3.set_cell(4, 1, "");

    StringGrid1.set_col_count(9);
    StringGrid2.set_col_count(9);
    StringGrid3.set_col_count(5);
}

void Document::attache_vue(VueDocument* v) { vue_ = v ? v : &vue_muette; }

Document::Operation::Operation(Document& d) : d_(d) {
    if (d_.operation_++ == 0) d_.decimales_signalees_ = false;
}

Document::Operation::~Operation() { --d_.operation_; }

int Document::indice_col(std::string_view nom) const { return indice_col_grille(StringGrid1, nom); }

int Document::indice_col_cal(std::string_view nom) const { return indice_col_grille(StringGrid2, nom); }

Document::Colonnes Document::colonnes(const Grille& g) {
    return {indice_col_grille(g, "n"), indice_col_grille(g, "L"), indice_col_grille(g, "Libellé"),
            indice_col_grille(g, "X"), indice_col_grille(g, "Y"),   indice_col_grille(g, "Z"),
            indice_col_grille(g, "x"), indice_col_grille(g, "y")};
}

void Document::affecte_ndecimale() {
    int d = 8;
    if (est_entier(texte_decimales)) {
        d = decimales_lues(texte_decimales);
    } else if (operation_ == 0 || !decimales_signalees_) {
        // Every row written asks again; one user operation should hear about it once.
        decimales_signalees_ = true;
        port().information("le nombre de décimale est illisible =<" + texte_decimales + ">\n" +
                           " on affecte donc 8 décimales par défaut");
    }
    ndecimale = std::clamp(d, 0, 20);
}

void Document::affecte_en(int row, int L, const std::string& libelle, long double Z, long double Y,
                          long double X, int y, int x) {
    ecrit_point(colonnes(StringGrid1), row, L, libelle, Z, Y, X, y, x);
}

void Document::affecte_points(int premier, int L, const PointPlace* points, std::size_t n) {
    const Colonnes c = colonnes(StringGrid1);
    for (std::size_t i = 0; i < n; ++i) {
        const PointPlace& p = points[i];
        ecrit_point(c, premier + static_cast<int>(i), L, p.libelle, p.Z, p.Y, p.X, p.y, p.x);
    }
}

void Document::ecrit_point(const Colonnes& c, int row, int L, const std::string& libelle,
                           long double Z, long double Y, long double X, int y, int x) {
    affecte_ndecimale();
    Grille& g = StringGrid1;
    if (row < 1) return; // row 0 holds the headers every column lookup depends on
    if (row >= g.row_count()) g.set_row_count(g.row_count() + 1);
    // The row built once: the other columns keep their cells.
    const std::string textes[] = {_format(3, 0, row),         _format(2, 0, L),
                                  _format2(18, ndecimale, X), _format2(18, ndecimale, Y),
                                  _format2(18, ndecimale, Z), _format(4, 0, x),
                                  _format(4, 0, y)};
    const int cols[] = {c.n, c.L, c.X, c.Y, c.Z, c.x, c.y};
    const Grille::Rangee avant = g.ligne(row);
    cellules_.resize(static_cast<std::size_t>(g.col_count()));
    for (int k = 0; k < g.col_count(); ++k) cellules_[static_cast<std::size_t>(k)] = avant[k];
    for (std::size_t i = 0; i < std::size(cols); ++i)
        if (cols[i] >= 0 && cols[i] < g.col_count()) cellules_[static_cast<std::size_t>(cols[i])] = textes[i];
    if (c.libelle >= 0 && c.libelle < g.col_count()) cellules_[static_cast<std::size_t>(c.libelle)] = libelle;
    g.affecte_ligne(row, cellules_.data(), g.col_count());
}

void Document::affecte_calage(int row, int L, const std::string& libelle, int /*x*/, int /*y*/,
                              long double Z, long double Y, long double X) {
    Grille& g = StringGrid2;
    const Colonnes c = colonnes(g);
    if (row < 1) return;
    if (row >= g.row_count()) g.set_row_count(g.row_count() + 1);
    g.set_cell(c.n, row, _format(1, 0, row));
    g.set_cell(c.L, row, _format(1, 0, L));
    g.set_cell(c.libelle, row, libelle);
    g.set_cell(c.X, row, _format(12, 4, X));
    g.set_cell(c.Y, row, _format(12, 4, Y));
    g.set_cell(c.Z, row, _format(12, 4, Z));
}

bool Document::liste_extrait_Lxy(int row, LignePoint& p) const {
    return lit_point(colonnes(StringGrid1), row, p);
}

bool Document::lit_point(const Colonnes& c, int row, LignePoint& p) const {
    const Grille& g = StringGrid1;
    if (row <= 0 || row >= g.row_count()) return false;
    p.L = val_entier(g.cell(c.L, row));
    p.libelle = g.cell(c.libelle, row);
    p.X = val_reel(g.cell(c.X, row));
    p.Y = val_reel(g.cell(c.Y, row));
    p.Z = val_reel(g.cell(c.Z, row));
    p.x = val_entier(g.cell(c.x, row));
    p.y = val_entier(g.cell(c.y, row));
    return true;
}

void Document::efface_tab_et_point(bool fenetre_points_active) {
    Grille& g = StringGrid1;
    if (g.row_count() <= 1 || nb_points <= 0) return;
    int row = fenetre_points_active ? g.row() : nb_points;
    if (row < 1 || row > nb_points) row = nb_points;

    {
        Grille::Lot lot(g);
        const int col_n = indice_col("n");
        // The rows below move up whole, without copying their texts.
        g.retire_lignes(row, 1);
        // Only rows that still hold a point get a number; a trailing empty row stays empty.
        for (int r = row; r < nb_points && r < g.row_count(); ++r) g.set_cell(col_n, r, _format(3, 0, r));
        --nb_points;
        sauve = false; // quitting must still ask about the point deleted
    }

    // The next point continues the line of the new last point.
    if (nb_points >= 1) {
        num_ligne = val_entier(g.cell(indice_col("L"), nb_points));
        if (num_ligne <= 0) num_ligne = 1;
    } else {
        num_ligne = 1;
    }

    if (fenetre_points_active) {
        vue().redessiner_calque();
        vue().af_efface_der_ligne_xor();
        vue().pointer_selection();
    }
}

} // namespace vuv
