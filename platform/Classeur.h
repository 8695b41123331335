#pragma once
// Reading the cells of a spreadsheet by row and column, in place of driving a spreadsheet
// program: the first worksheet of an .xls file (FreeXL), or a Tab-separated text file.
#include "core/conversion/FeuilleUTM.h"

#include <string>

namespace vuv {

// At most lignes_max rows. Numbers are written as the shortest text with the local decimal
// separator; a cell that cannot be read is "???". Throws ErreurFichier (French, naming the
// file) when the file cannot be opened as a workbook.
Cellules lit_classeur(const std::string& chemin, int lignes_max);

} // namespace vuv
