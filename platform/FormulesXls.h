#pragma once
// The stored results of the formulas of an .xls workbook's first worksheet, read from the
// file's own records: FreeXL gives nothing for a formula cell. No Qt and no FreeXL here, so the
// fuzzing build takes it on its own; every field is checked against the bytes it lies in.
#include "platform/DatesClasseur.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace vuv {

struct ResultatFormule {
    enum class Sorte { nombre, texte, booleen, erreur, aucun }; // aucun: its text record is missing
    Sorte sorte = Sorte::nombre;
    double nombre = 0;  // the number; 1 or 0 for a boolean
    std::string texte;  // the text in UTF-8, or the error as the spreadsheet shows it ("#DIV/0!")
    SorteTemps temps = SorteTemps::aucune; // what the cell's format shows of a number as a date
    bool depuis_1904 = false;
};

// Keyed by row << 16 | column, from 0. Empty when the bytes hold no workbook; what lies past a
// damaged record is left out.
std::map<std::uint64_t, ResultatFormule> resultats_formules_xls(std::string_view octets);

} // namespace vuv
