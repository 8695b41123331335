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

    // Told before each change of the cells or the shape, while what the change overwrites can
    // still be read, so that it can be put back. Changes that alter nothing are not told.
    class Journal {
    public:
        virtual ~Journal() = default;
        virtual void avant_cellule(const Grille& g, int col, int row) = 0;
        // The row count goes to `nombre`: the rows beyond it are still there when shrinking.
        virtual void avant_lignes(const Grille& g, int nombre) = 0;
        virtual void avant_colonnes(const Grille& g, int nombre) = 0;
        // Rows premiere .. premiere + nombre - 1 are about to be removed, or inserted empty.
        virtual void avant_retrait(const Grille& g, int premiere, int nombre) = 0;
        virtual void avant_insertion(const Grille& g, int premiere, int nombre) = 0;
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
    // Removes rows premiere .. premiere + nombre - 1, moving the following ones up without
    // copying their texts; inserts empty rows before premiere. Out-of-range calls do nothing.
    void retire_lignes(int premiere, int nombre);
    void insere_lignes(int premiere, int nombre);
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
    void set_journal(Journal* j) { journal_.j = j; }

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
    // A copy is another table: the changes of the copy are nobody's to keep.
    struct JournalAttache {
        Journal* j = nullptr;
        JournalAttache() = default;
        JournalAttache(const JournalAttache&) {}
        JournalAttache& operator=(const JournalAttache&) { return *this; }
    } journal_;
    int lot_ = 0;
    int lot_premiere_ = -1;
    int lot_derniere_ = -1;
    bool lot_structure_ = false;
    unsigned long long version_;
};

} // namespace vuv
