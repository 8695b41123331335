#pragma once
// The writer run by every save: the project file (file n°1) when chosen, then file n°2, the
// formatted or the normalized export, the end-of-run message and the clipboard.
#include "core/export/OptionsExport.h"

#include <string>
#include <string_view>
#include <vector>

namespace vuv {

class Document;

struct ResultatSauve {
    std::string fichier_projet;  // file n°1 written, empty when not
    std::string fichier_donnees; // file n°2 written, empty when not
    long double nb_normalise = 0; // lines of the normalized file
    // Files for the text editor, in the order to open them; empty when the run stopped early.
    std::vector<std::string> a_ouvrir;
    bool termine = false; // the end-of-run message was shown and file n°2 is on the clipboard
};

// Writes from the base path (the path cut before the first "." of its file name).
// Throws ErreurFichier when a file cannot be written and ErreurExport when a cell it computes
// with is not a number; then the saved flag keeps its value. A refused normalized export
// (no selected line, no point, unusable step) shows why and stops after the project file.
ResultatSauve sauve_dans(Document& d, OptionsExport& o, const std::string& chemin, bool avec_fond);

// "&Copier dans le presse-papier (->Excel)": sauve_dans on `chemin` (normally "~tmp.txt" in
// the current folder), then file n°2 read back onto the clipboard. The saved flag is left as
// it was: the work has not been saved where the user keeps it.
ResultatSauve copie_presse_papier(Document& d, OptionsExport& o, bool avec_fond,
                                  const std::string& chemin = "~tmp.txt");

// Header text with each "#" replaced by the separator, the text so far trimmed before it.
std::string remplace_dieses(std::string_view texte, const std::string& separateur);
// The first comma becomes a point ("point"), or the first point a comma ("virgule").
std::string echange_separateur(std::string texte, bool virgule);

// Above this the normalized export is refused rather than tried.
constexpr long double limite_normalise = 10'000'000;

} // namespace vuv
