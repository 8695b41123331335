#pragma once
// The document side of digitizing: the click that adds a point or a calibration point,
// starting a new line, the nearest-point search, a row's point, the coordinate and prompt texts.
#include "core/document/Document.h"

#include <optional>
#include <string>

namespace vuv {

enum class ResultatClic { calage, point };

// The digitizing click on overlay pixel (x, y): a calibration point while fewer than three
// are placed, else a new point at the end of the current line (row nb_points).
ResultatClic clic_digitaliser(Document& d, int x, int y, MethodeCalage methode, bool tablette);

// Starts line L = L of the last point + 1. False (nothing done) when there is no point.
// From line 2 on, row L of the lines table copies thickness and colour from row L - 1.
bool nouvelle_suite_de_points(Document& d);

// The nearest selected point to overlay pixel (x, y), first of equals winning; L and row are
// left unchanged when none is nearer than 36000 pixels.
void cherche_proche_indice_ligne_point(const Document& d, int x, int y, int& L, int& row);

// "X= %*.*f" and "Y= %*.*f" with width 8 and the document's decimals.
std::string texte_X(const Document& d, long double X);
std::string texte_Y(const Document& d, long double Y);

// A row's pixel and real coordinates.
struct PointDeTable {
    int x = 0, y = 0;
    long double X = 0, Y = 0;
};
// Row > 0: the points table's row, up to nb_points; row < 0: the calibration table's row -row.
std::optional<PointDeTable> point_de_table(const Document& d, int row);

// What the next click does: the calibration point it places while fewer than three are, else
// the current line and last point ("Suite L  point n ", "Suite L  point ... " when none).
std::string invite_saisie(const Document& d);

} // namespace vuv
