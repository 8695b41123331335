#pragma once
// The first worksheet of an .xls workbook (Excel 97-2003), read through FreeXL, its cells as the
// texts a user sees. No Qt here: the fuzzing build compiles it with the core.
#include "core/import/Import.h"

#include <memory>
#include <string>

namespace vuv {

class ClasseurXls final : public Feuille {
public:
    // Null on failure, with a French message naming the file and the reason in `erreur`.
    static std::unique_ptr<ClasseurXls> ouvre(const std::string& chemin, std::string& erreur);
    ~ClasseurXls() override;
    ClasseurXls(const ClasseurXls&) = delete;
    ClasseurXls& operator=(const ClasseurXls&) = delete;

    // Text as it is; an integer in decimal; a real in its general form (15 significant digits,
    // local separator); a date "dd/mm/yyyy"; an empty cell or one outside the sheet "".
    std::string cellule(int colonne, int ligne) const override;

private:
    ClasseurXls() = default;
    const void* classeur_ = nullptr;
    unsigned lignes_ = 0;
    unsigned short colonnes_ = 0;
};

} // namespace vuv
