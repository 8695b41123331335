#pragma once
// What one step changed in the document's tables, in order, each change holding only what it
// overwrote (a cell's text, the rows a shrink dropped). Replaying the changes backwards undoes
// the step, forwards redoes it; each replay swaps what a change holds with what the table
// holds, so one copy of the texts serves both ways. Texts share one buffer: 100 000 cells cost
// their characters and a few bytes each, not a string object each.
#include "core/table/Grille.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vuv {

class Modifications {
public:
    using Grilles = std::array<Grille*, 3>;

    // Recording, before the table changes; `g` is the table's index in Grilles.
    void cellule(int g, int col, int row, std::string_view ancien);
    void lignes(int g, const Grille& grille, int nombre);
    void colonnes(int g, const Grille& grille, int nombre);
    void retrait(int g, const Grille& grille, int premiere, int nombre);
    void insertion(int g, int premiere, int nombre);

    // The last change is a write of this very cell: a second write needs no record.
    bool derniere_est_cellule(int g, int col, int row) const;

    // Undoes (backwards) or redoes (forwards) the changes on the tables.
    void rejoue(const Grilles& grilles, bool annuler);

    // Only cell writes, each cell back to the text it first had: the step changed nothing.
    // Checked for short steps only (a cell typed then restored); a long one counts as a change.
    bool sans_effet(const Grilles& grilles) const;

    // The changes of `suite`, made after these, appended to them.
    void ajoute(Modifications&& suite);

    bool vide() const { return entrees_.empty(); }
    std::size_t octets() const;
    void efface();

private:
    enum class Genre : std::uint8_t { cellule, lignes, colonnes, retrait, insertion };
    // cellule: a = col, b = row. lignes, colonnes: a = count before, b = count after.
    // retrait, insertion: a = first row, b = number of rows. Texts: [premier, premier + nombre).
    struct Entree {
        Genre genre;
        std::uint8_t grille;
        std::int32_t a = 0, b = 0;
        std::uint32_t nombre_textes = 0;
        std::size_t premier_texte = 0;
    };
    // The texts of the changes, end to end; fins_[i] is where text i ends.
    struct Textes {
        std::string caracteres;
        std::vector<std::size_t> fins;
        std::size_t nombre() const { return fins.size(); }
        std::string_view texte(std::size_t i) const;
        void ajoute(std::string_view t);
        // Rows [premiere, fin) of the table, row by row.
        void ajoute_lignes(const Grille& g, int premiere, int fin);
        // Columns [premiere, fin) of every row, row by row.
        void ajoute_colonnes(const Grille& g, int premiere, int fin);
    };

    Entree& nouvelle(Genre genre, int g, int a, int b);
    // Rows (columns) [premiere, fin) written back from the change's texts.
    void remplit_lignes(Grille& g, int premiere, int fin, const Entree& e) const;
    void remplit_colonnes(Grille& g, int premiere, int fin, const Entree& e) const;
    void bascule(Entree& e, Grille& g, bool annuler, Textes& nouveaux) const;

    std::vector<Entree> entrees_;
    Textes textes_;
};

} // namespace vuv
