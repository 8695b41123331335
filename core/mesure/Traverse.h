#pragma once
// The traverse: a text of labels, distances and bearings walked from a start point, added to
// the points table as a new line.
#include <string>
#include <string_view>
#include <vector>

namespace vuv {

class Document;

struct PointTraverse {
    std::string libelle;
    long double X = 0, Y = 0;
};

// The legs of the text walked from (X, Y). Columns start as Lib 1, D 2, Cap 3 and the
// separator as the space; "D=", "Cap=" and "Lib=" lines set a column and add nothing; a tab
// anywhere makes the tab the separator from that line on; empty lines and lines beginning
// with ' or / are skipped. Missing or non-numeric fields count as 0. The bearing used is the
// one read minus `correction` (declination + epsilon). X and Y are carried from leg to leg in
// extended precision.
std::vector<PointTraverse> marche_traverse(std::string_view texte, long double X, long double Y,
                                           long double correction);

struct BilanTraverse {
    std::string refus;   // not empty: nothing was changed
    int ajoutes = 0;     // rows added, the start "CD0" included
    int hors_image = 0;  // legs whose pixel lies beyond 9999, skipped
};

// From row `depart` (the last point when it names none): a new line starting with "CD0" at
// the start, then the walked points placed through the calibration, then every point
// recomputed from its pixel. Refused before any change without points, with an incomplete
// or degenerate calibration, or when the line number would pass 99.
BilanTraverse ajoute_traverse(Document& d, int depart, std::string_view texte, long double correction);

} // namespace vuv
