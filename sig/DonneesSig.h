#pragma once
// What a GIS export takes from the work: the lines of the lines table with their vertices and
// look, and the points with their number, line, label and altitude, read strictly from the
// cells (a cell that is not a number stops the export with a message naming it).
#include <optional>
#include <string>
#include <vector>

namespace vuv {
class Document;
}

namespace vuv::sig {

struct SommetSig {
    double X = 0, Y = 0, Z = 0; // Z is 0 where the point has none
};

// One row L of the lines table and, in table order, every point whose "L" is L.
struct LigneSig {
    int L = 0;
    std::string nom;
    std::optional<int> epaisseur; // pixels; none when the cell is not a whole number
    std::string couleur;          // "#RRGGBB"; empty when the cell is not a colour
    std::vector<SommetSig> sommets;

    // First and last vertices at the same X and Y, with room for a ring (4 vertices).
    bool fermee() const;
};

struct PointSig {
    std::optional<int> n; // the "n" cell when it is a whole number
    int L = 0;
    std::string libelle;
    double X = 0, Y = 0;
    std::optional<double> Z; // none for an empty or "-" cell
};

struct DonneesSig {
    std::vector<LigneSig> lignes; // rows of the lines table that have points
    std::vector<PointSig> points;
    // Some exported point has an altitude other than 0: the layers are written in 3D.
    bool avec_z = false;
};

// The lines and points to export: every row of the lines table, or only those whose "OK" cell
// holds "x" (and then only their points). Throws ErreurExport (core/export/LectureExport.h)
// for an "L", "X", "Y" or "Z" cell that is not a number.
DonneesSig releve_sig(const Document& d, bool lignes_choisies);

// A colour cell (0x00BBGGRR in decimal, as the lines table keeps it) as "#RRGGBB"; empty when
// it is not a whole number from 0 to 16777215.
std::string couleur_hex(std::string_view cellule);

} // namespace vuv::sig
