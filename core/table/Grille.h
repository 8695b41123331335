#pragma once
// A table of text cells with a header row 0: the model behind each string grid.
// Cells are addressed (column, row) as the grids are.
#include <string>
#include <string_view>
#include <vector>

namespace vuv {

class Grille {
public:
    // Told of changes so a view can follow; every method has an empty default.
    class Observateur {
    public:
        virtual ~Observateur() = default;
        virtual void cellules_changees(int /*premiere_ligne*/, int /*derniere_ligne*/) {}
        virtual void structure_changee() {}
        virtual void ligne_selectionnee(int /*ligne*/) {}
    };

    Grille(int colonnes, int lignes);

    int col_count() const { return colonnes_; }
    int row_count() const { return lignes_; }
    // Growing adds empty rows; shrinking drops the last ones.
    void set_row_count(int n);
    void set_col_count(int n);
    // Room for n rows, so rows added one by one do not move the table.
    void reserve_lignes(int n);
    // A row added at the end, its cells taken from the texts (the missing ones empty).
    void ajoute_ligne(const std::string_view* textes, int n);

    // Out-of-range reads give the empty text; out-of-range writes are ignored.
    const std::string& cell(int col, int row) const;
    void set_cell(int col, int row, std::string texte);
    // The row's col_count() cells, or null out of range: for loops over whole tables.
    const std::string* ligne(int row) const {
        return row < 0 || row >= lignes_ ? nullptr : cellules_.data() + static_cast<std::size_t>(row) * colonnes_;
    }
    // The same, copying into the cell's own storage: file readers fill rows this way.
    void assigne_cell(int col, int row, std::string_view texte);

    // Copies whole rows; used to move rows up after a deletion.
    void copie_ligne(int de, int vers);
    void echange_lignes(int a, int b);
    void vide_ligne(int row);

    int row() const { return ligne_selectionnee_; } // the selected row
    void set_row(int row);
    int fixed_rows() const { return lignes_fixes_; }
    void set_fixed_rows(int n) { lignes_fixes_ = n; }
    int fixed_cols() const { return colonnes_fixes_; }
    void set_fixed_cols(int n) { colonnes_fixes_ = n; }

    int col_width(int col) const;
    void set_col_width(int col, int largeur);

    void set_observateur(Observateur* o) { observateur_ = o; }

    // Changes with every edit of the cells or the shape, unique across all tables, so a
    // cache of parsed cells is valid exactly while the version it was built from holds.
    unsigned long long version() const { return version_; }
    // Several changes reported as one when the outermost batch ends.
    void debut_lot();
    void fin_lot();
    // A batch for a scope, ended on every exit path.
    class Lot {
    public:
        explicit Lot(Grille& g) : g_(g) { g_.debut_lot(); }
        ~Lot() { g_.fin_lot(); }
        Lot(const Lot&) = delete;
        Lot& operator=(const Lot&) = delete;

    private:
        Grille& g_;
    };

private:
    void signale(int premiere, int derniere);
    void signale_structure();

    int colonnes_;
    int lignes_;
    std::vector<std::string> cellules_; // row-major, lignes_ * colonnes_
    std::vector<int> largeurs_;
    int ligne_selectionnee_ = 1;
    int lignes_fixes_ = 1;
    int colonnes_fixes_ = 0;
    Observateur* observateur_ = nullptr;
    int lot_ = 0;
    int lot_premiere_ = -1;
    int lot_derniere_ = -1;
    bool lot_structure_ = false;
    unsigned long long version_;
};

} // namespace vuv
