#pragma once
// The first worksheet of an .xls workbook (Excel 97-2003), read through FreeXL, its cells as the
// texts a user sees. No Qt here: the fuzzing build compiles it with the core.
#include "platform/FeuilleClasseur.h"

#include <memory>
#include <string>

namespace vuv {

class ClasseurXls final : public FeuilleClasseur {
public:
    // Reads the whole first worksheet. FreeXL runs in a child process: a damaged file that
    // makes it crash gives a message, not the end of the program. Null on failure, with a
    // French message naming the file and the reason in `erreur`.
    // A formula cell, empty for FreeXL, takes the result stored in the file's own records.
    static std::unique_ptr<ClasseurXls> ouvre(const std::string& chemin, std::string& erreur);

private:
    ClasseurXls() = default;
};

} // namespace vuv
