#pragma once
// Bringing points and calibration values in from outside: another project file of the same
// image, a text file of real coordinates, the clipboard. Each import checks everything it
// reads before the work changes, then appends and recomputes every point.
#include <string>
#include <string_view>

namespace vuv {

class Document;

enum class ResultatImport { fait, refuse, annule };

// Why real coordinates cannot be placed on the image (calibration incomplete or its real points
// aligned), or empty when they can.
std::string calage_inutilisable(const Document& d);

// The digitized points and lines of a project file (its Windows-1252 bytes), appended after the
// existing ones with their image coordinates; `fichier` names it in the messages.
ResultatImport importe_points_projet(Document& d, std::string_view octets, const std::string& fichier);

// The real X, Y, Z of at most the first three calibration rows of a project file.
ResultatImport importe_calage_projet(Document& d, std::string_view octets, const std::string& fichier);

// The clipboard's lines 1 to 3 into calibration rows 1 to 3: X, Y, Z separated by spaces, or
// by tabs from the first line holding one; a missing field keeps its cell. Refused, naming the
// line and the field, when a field is not a plain number after filtre_nombre.
ResultatImport importe_calage_texte(Document& d, std::string_view texte);

// Points X Y [label], one a line, placed on a new line through the calibration; lines starting
// with an apostrophe are skipped. Points falling outside 4-digit pixels, and lines where neither
// X nor Y is a number, are skipped, counted and said in one message.
struct BilanTexte {
    ResultatImport resultat = ResultatImport::refuse;
    int ajoutes = 0;
    int hors_image = 0;
    int sans_nombres = 0;
};
BilanTexte importe_points_texte(Document& d, std::string_view texte);

// A worksheet's cells as texts, addressed by column (1 = A) and row from 1; an empty or missing
// cell is "".
class Feuille {
public:
    virtual ~Feuille() = default;
    virtual std::string cellule(int colonne, int ligne) const = 0;
};

// The column numbers of Panel6 and its first row.
struct ColonnesTableur {
    int libelle = 3, X = 1, Y = 2, Z = 12, debut = 5;
};
// Why the numbers cannot be used (a column outside 1 to 256, Z outside 0 to 256, a first row
// below 1), or empty.
std::string colonnes_invalides(const ColonnesTableur& c);

// From the first row on, while the X cell is not empty: rows whose X is a number are placed as
// in the text import, with Z from its column when it holds a number.
BilanTexte importe_points_tableur(Document& d, const Feuille& f, const ColonnesTableur& c);

} // namespace vuv
