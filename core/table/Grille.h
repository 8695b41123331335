#pragma once
// A table of text cells with a header row 0: the model behind each string grid.
// Cells are addressed (column, row) as the grids are.
#include <memory>
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

    // Out-of-range reads give the empty text. The view holds until the row is next changed.
    std::string_view cell(int col, int row) const;
    void set_cell(int col, int row, std::string_view texte);
    // The same; file readers fill cells this way.
    void assigne_cell(int col, int row, std::string_view texte) { set_cell(col, row, texte); }
    // A whole row at once from the texts (the missing ones empty): one allocation for the row.
    void affecte_ligne(int row, const std::string_view* textes, int n);

    // A row's cells for loops over whole tables; false past the end.
    class Rangee {
    public:
        explicit operator bool() const { return valide_; }
        std::string_view operator[](int col) const;

    private:
        friend class Grille;
        Rangee(const char* bloc, int colonnes, bool valide);
        const char* fins_ = nullptr;   // null for a row of empty cells
        const char* textes_ = nullptr;
        int colonnes_;                 // cells the block holds
        bool large_ = false;
        bool valide_;
    };
    Rangee ligne(int row) const {
        return row < 0 || row >= lignes_ ? Rangee(nullptr, colonnes_, false)
                                         : Rangee(rangs_[static_cast<std::size_t>(row)].get(), colonnes_, true);
    }

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
    // One block per row, null when every cell is empty: a byte saying whether the ends are
    // 16 or 32 bits, the column count (16 bits), the end of each cell's text, then the texts
    // back to back. A table of a million short rows then costs about its text, not a string
    // object per cell.
    class Bloc {
    public:
        Bloc() = default;
        explicit Bloc(std::unique_ptr<char[]> p) : p_(std::move(p)) {}
        Bloc(const Bloc& o);
        Bloc& operator=(const Bloc& o);
        Bloc(Bloc&&) noexcept = default;
        Bloc& operator=(Bloc&&) noexcept = default;
        ~Bloc() = default;
        const char* get() const { return p_.get(); }
        void reset() { p_.reset(); }

    private:
        std::unique_ptr<char[]> p_;
    };
    std::vector<Bloc> rangs_;
    static Bloc bloc(const std::string_view* textes, int n, int colonnes);
    std::vector<std::string_view> vues_; // scratch for rebuilding one row
    // Tells the journal of each cell of the row that the new texts change.
    template <class Nouveau>
    void journal_cellules_changees(int row, Nouveau&& nouveau) {
        const Rangee avant = ligne(row);
        for (int c = 0; c < colonnes_; ++c)
            if (avant[c] != nouveau(c)) journal_.j->avant_cellule(*this, c, row);
    }
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
