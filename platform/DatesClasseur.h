#pragma once
// Dates and times of workbooks as the cell texts of the .xls reader: "dd/mm/yyyy",
// "dd/mm/yyyy hh:mm:ss" and "hh:mm:ss".
#include <optional>
#include <string>
#include <string_view>

namespace vuv {

enum class SorteTemps { aucune, date, date_heure, heure };

// A serial day number of a spreadsheet (days from 30/12/1899, or from 01/01/1904), with the
// 1900 system's day 60 that never was (29/02/1900). Nothing for a day outside years 1 to 9999.
std::optional<std::string> texte_serie(double serie, bool depuis_1904, SorteTemps sorte);
// "2024-02-29" or "2024-02-29T13:45:00[.5]" (ODF and ISO 8601).
std::optional<std::string> texte_date_iso(std::string_view iso);
// An ODF duration of the time of day, "PT13H45M00S".
std::optional<std::string> texte_duree_iso(std::string_view iso);
// What a number format shows of a date or time: the built-in formats by number, the others
// by their code ("DD/MM/YYYY", "[$-40C]d mmmm yyyy;@", "hh:mm").
SorteTemps sorte_format(int numero, std::string_view code);

} // namespace vuv
