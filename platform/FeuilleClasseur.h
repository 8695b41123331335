#pragma once
// The cells of a workbook's first worksheet as the texts a user sees, whatever the format read.
#include "core/import/Import.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace vuv {

class FeuilleClasseur : public Feuille {
public:
    // Text as it is; an integer in decimal; a real in its general form (15 significant digits,
    // local separator); a date "dd/mm/yyyy"; an empty cell or one outside the sheet "".
    std::string cellule(int colonne, int ligne) const override {
        if (colonne < 1 || colonne > colonnes_max || ligne < 1) return {};
        const auto i = cellules_.find(cle(static_cast<std::uint32_t>(ligne - 1), static_cast<std::uint32_t>(colonne - 1)));
        return i == cellules_.end() ? std::string() : i->second;
    }
    // The extent of the cells read: one past the last row and column holding a value.
    int lignes() const { return lignes_; }
    int colonnes() const { return colonnes_; }

    static constexpr int colonnes_max = 256;
    static std::uint64_t cle(std::uint32_t ligne, std::uint32_t colonne) {
        return (std::uint64_t{ligne} << 16) | colonne;
    }
    bool contient(std::uint32_t ligne, std::uint32_t colonne) const { return cellules_.count(cle(ligne, colonne)) != 0; }
    // Row and column from 0; an empty text or a column past the last one read is not kept.
    void pose(std::uint32_t ligne, std::uint32_t colonne, std::string texte) {
        if (texte.empty() || colonne >= colonnes_max) return;
        cellules_[cle(ligne, colonne)] = std::move(texte);
        lignes_ = std::max(lignes_, static_cast<int>(std::min<std::uint32_t>(ligne, 0x7FFFFFFE)) + 1);
        colonnes_ = std::max(colonnes_, static_cast<int>(colonne) + 1);
    }
    std::size_t nb_cellules() const { return cellules_.size(); }

private:
    std::unordered_map<std::uint64_t, std::string> cellules_;
    int lignes_ = 0, colonnes_ = 0;
};

// A cell's name as a spreadsheet shows it: "B3" for row 2, column 1 (from 0).
inline std::string nom_cellule(std::uint32_t ligne, std::uint32_t colonne) {
    std::string lettres;
    for (std::uint64_t c = std::uint64_t{colonne} + 1; c > 0; c = (c - 1) / 26)
        lettres.insert(lettres.begin(), static_cast<char>('A' + (c - 1) % 26));
    return lettres + std::to_string(std::uint64_t{ligne} + 1);
}

// Why a workbook is refused when one of its formulas was saved without its result.
inline std::string formule_sans_resultat(std::uint32_t ligne, std::uint32_t colonne) {
    return "la formule de la cellule " + nom_cellule(ligne, colonne) +
           " n'a pas de résultat enregistré (enregistrez le classeur depuis un tableur qui la calcule)";
}

} // namespace vuv
