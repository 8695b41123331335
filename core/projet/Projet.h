#pragma once
// The project file (*.trl): the image path, the background size and offset, the counts and
// the three tables as comma lists. Windows-1252 bytes, CR LF after every line.
#include <string>

namespace vuv {

class Document;

// The path cut before the first "." of its file name: the base shared by the project file
// and the export files.
std::string chemin_base(const std::string& chemin);

// The folder part of a path, as the last-directory file keeps it.
std::string dossier_de(const std::string& chemin);
// The file-name part of a path (after the last '/' or '\').
std::string nom_de_fichier(const std::string& chemin);

// The whole project text (UTF-8, CR LF). Cuts the point and line tables to their counts
// first, as saving does; `avec_fond` false writes an empty image line.
std::string texte_projet(Document& d, bool avec_fond);

// Writes base path + ".trl" safely; throws ErreurFichier on failure (nothing is replaced).
// Returns the path written.
std::string ecrit_projet(Document& d, const std::string& chemin, bool avec_fond);

// What reading a project asks of the windows, in the order it happens.
class ActionsLecture {
public:
    virtual ~ActionsLecture() = default;
    // The map and the points window side by side.
    virtual void dispose_carte_tableau() {}
    // Reloads the background named by the document ("relecture"), or starts a blank sheet
    // when that name is empty. False stops the reading (image not found, not replaced).
    virtual bool charge_fond(Document&) { return true; }
    // Everything read: rebuild the overlay, show the view, erase the rubber band.
    virtual void fin_lecture(Document&) {}
};

enum class ResultatLecture { lu, refuse, annule, interrompu };

// Reads a project file into the document, with the messages and questions of each check.
ResultatLecture lit_projet(Document& d, const std::string& chemin, ActionsLecture& actions);
// The same from the file's bytes (Windows-1252).
ResultatLecture lit_projet_octets(Document& d, const std::string& octets, ActionsLecture& actions);

} // namespace vuv
