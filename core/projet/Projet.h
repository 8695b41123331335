#pragma once
// The project file (*.trl): the image path, the background size and offset, the counts and
// the three tables as comma lists. Windows-1252 bytes, CR LF after every line.
#include "core/table/Grille.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vuv {

class Document;
class LecteurTexte;

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
// The same text without cutting the tables: the bytes a save would write, taken while the
// user works on (rows past the counts are written as a save would find them, empty).
std::string texte_projet_tel_quel(const Document& d, bool avec_fond);

// The side file that keeps the project's coordinate system (WKT): base path + ".prj".
std::string chemin_systeme(const std::string& projet);

// Writes base path + ".trl" safely, and its ".prj" with the document's system (an older one
// taken away when there is none); throws ErreurFichier on failure (nothing is replaced).
// Returns the path written.
std::string ecrit_projet(Document& d, const std::string& chemin, bool avec_fond);

// Line 4 of a project: the background bitmap's size and where the image lies in it.
struct TailleFond {
    int largeur = 0, hauteur = 0;
    int dx0 = 0, dy0 = 0;
};

// What reading a project asks of the windows, in the order it happens. Everything that can
// fail (the lines up to the counts, the counts against the rows left, the background found and
// decoded) is done before anything of the work changes; the rows read after it cannot fail.
class ActionsLecture {
public:
    virtual ~ActionsLecture() = default;
    // Finds and decodes the background the project names (an empty name: a blank sheet),
    // asking where it is when needed, without touching the work. False: not found and not
    // replaced, or unreadable (the user was told); the reading stops, nothing changed.
    virtual bool prepare_fond(const std::string& /*image*/, const TailleFond&) { return true; }
    // The map and the points window side by side.
    virtual void dispose_carte_tableau() {}
    // Puts the prepared background in place of the previous one. The document holds the
    // project's image name, size and offset; the name becomes the file actually found.
    virtual void installe_fond(Document&) {}
    // Everything read: rebuild the overlay, show the view, erase the rubber band.
    virtual void fin_lecture(Document&) {}
};

enum class ResultatLecture { lu, refuse, annule, interrompu };

// Reads a project file into the document, with the messages and questions of each check.
// Any failure leaves the document as it was.
ResultatLecture lit_projet(Document& d, const std::string& chemin, ActionsLecture& actions);
// The same from the file's bytes (Windows-1252); `fichier` names it in the messages.
ResultatLecture lit_projet_octets(Document& d, std::string_view octets, ActionsLecture& actions,
                                  const std::string& fichier = {});

// What a project holds from its counts to its calibration rows, read and checked aside: the
// reader and the imports touch the work only once it is sound.
struct DebutProjet {
    explicit DebutProjet(const Document& d);
    int comptes[3] = {}; // points, lines, calibration points
    std::string entete;
    Grille calage; // rows 1 to 3
    // One line per calibration pixel that was no whole number, each starting with "\n".
    std::string pixels_corriges;
};

// How the reader or an import refuses a file: `echec` follows its name ("n'a pas été ouvert").
struct RefusProjet {
    std::string fichier;
    std::string echec;
    void operator()(const std::string& quoi) const;
};

// Reads from line 5 (the point count) to the last calibration row. A calibration count above
// `calage_max` is refused; one above 3 keeps the first three rows. `xy_entiers`: the rows' image
// coordinates are read as val_entier reads them (the digits before the first other character),
// rewritten as whole numbers and listed in pixels_corriges. False once the refusal was shown.
bool lit_debut_projet(LecteurTexte& f, DebutProjet& c, const RefusProjet& refuse, int calage_max, bool xy_entiers);

// At most `max` characters of raw bytes a user can read in a message: controls and bytes with
// no letter become "?", a longer text ends with "…".
std::string extrait_lisible(std::string_view octets, std::size_t max = 40);

} // namespace vuv
