#pragma once
// The comma list: one table row as one text line, as every table row of a project file is.
#include <string>
#include <string_view>

namespace vuv {

class Grille;

// Cells 0..last separated by commas; a cell holding a character of code 0..32, a double
// quote or a comma is quoted, its quotes doubled.
std::string ecrit_liste_virgules(const Grille& g, int row);

// Empties the row, then puts each field into the leftmost still empty cell (an empty field
// as one space); unquoted fields end at a comma or at any character of code 32 or less.
void lit_liste_virgules(Grille& g, int row, std::string_view ligne);

} // namespace vuv
