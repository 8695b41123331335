#pragma once
// The first worksheet of an .xlsx (Office Open XML) or .ods (OpenDocument) workbook, read from
// its zip archive with minizip and expat: OGR's drivers give one type per column and guess a
// header row, so neither text that looks like a number nor a formula without a result could
// be told. No Qt here: the fuzzing build compiles it with the core.
#include "platform/FeuilleClasseur.h"

#include <memory>
#include <string>

namespace vuv {

class ArchiveXml;

// Null when the file is not a zip archive. Otherwise the sheet, or null with the French reason
// (not a workbook, damaged part, formula without result, too many cells) in `pourquoi`.
std::unique_ptr<FeuilleClasseur> lit_classeur_zip(const std::string& chemin, std::string& pourquoi, bool& zip);

namespace classeur_zip {
std::unique_ptr<FeuilleClasseur> lit_xlsx(ArchiveXml& a, std::string& pourquoi);
std::unique_ptr<FeuilleClasseur> lit_ods(ArchiveXml& a, std::string& pourquoi);
// More would not fit the memory of the machines the program runs on.
constexpr std::size_t cellules_max = 8'000'000;
constexpr std::uint32_t lignes_max = 1u << 20;
} // namespace classeur_zip

} // namespace vuv
