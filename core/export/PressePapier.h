#pragma once
// The quick clipboard export of the points window: both tables as tab-separated text, whole
// rows into a file of the program folder, the columns L to Z onto the clipboard.
#include <string>

namespace vuv {

class Document;

// The file carries the name the question and the message give it.
constexpr const char* nom_fichier_presse_papier = "presse_papier.xls";

// Asks first; Non does nothing. Returns the path of the file written, empty when nothing was
// done (refused, or the file could not be written, which is said).
std::string export_presse_papier(const Document& d, const std::string& dossier_programme);

// The file text and the clipboard text, CR LF after every line.
struct TextesPressePapier {
    std::string fichier;
    std::string presse_papier;
};
TextesPressePapier textes_presse_papier(const Document& d);

} // namespace vuv
