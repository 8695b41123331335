#pragma once
// The first worksheet of an .xls workbook (Excel 97-2003), read through FreeXL, its cells as the
// texts a user sees. No Qt here: the fuzzing build compiles it with the core.
#include "core/import/Import.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace vuv {

class ClasseurXls final : public Feuille {
public:
    // Reads the whole first worksheet. FreeXL runs in a child process: a damaged file that
    // makes it crash gives a message, not the end of the program. Null on failure, with a
    // French message naming the file and the reason in `erreur`.
    static std::unique_ptr<ClasseurXls> ouvre(const std::string& chemin, std::string& erreur);

    // Text as it is; an integer in decimal; a real in its general form (15 significant digits,
    // local separator); a date "dd/mm/yyyy"; an empty cell or one outside the sheet "".
    std::string cellule(int colonne, int ligne) const override;
    // The extent of the cells read: one past the last row and column holding a value.
    int lignes() const { return lignes_; }
    int colonnes() const { return colonnes_; }

private:
    ClasseurXls() = default;
    std::unordered_map<std::uint64_t, std::string> cellules_; // key: row << 16 | column
    int lignes_ = 0, colonnes_ = 0;
};

} // namespace vuv
