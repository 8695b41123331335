#pragma once
// Reading the cells of a spreadsheet by row and column, in place of driving a spreadsheet
// program: the first worksheet of an .xls (FreeXL and the file's own records for formulas),
// .xlsx or .ods workbook, or a Tab-separated text file.
#include "core/conversion/FeuilleUTM.h"
#include "platform/FeuilleClasseur.h"

#include <memory>
#include <string>

namespace vuv {

// The first worksheet of a workbook, its format told by its first bytes (a zip archive is an
// .xlsx or an .ods). Null on failure, with a French message naming the file in `erreur`.
std::unique_ptr<FeuilleClasseur> ouvre_classeur(const std::string& chemin, std::string& erreur);

// At most lignes_max rows of a workbook (.xls, .xlsx, .ods) or of a Tab-separated text file.
// Numbers are written as the shortest text with the local decimal separator; a cell that cannot
// be read is "???". Throws ErreurFichier (French, naming the file) when the file cannot be
// opened as a workbook.
Cellules lit_classeur(const std::string& chemin, int lignes_max);

} // namespace vuv
