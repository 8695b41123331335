#pragma once
// The side file "<projet>.cal" that keeps the control points and the chosen transformation:
// Windows-1252, CR LF, one point a line "x;y;X;Y;coché;nom", numbers with a point.
#include "core/calage/CalageEtendu.h"

#include <string>
#include <string_view>

namespace vuv {

class Document;

// Control points exchanged with other tools: one a line "x y X Y [nom]", blanks or tabs between,
// a point or a comma as decimal separator; lines starting with '#' and blank lines are skipped.
std::string texte_points_controle(const std::vector<PointControle>& points);
// Empty when every line was read (`points` then replaced), else the French reason naming the line.
std::string lit_points_controle(std::string_view texte, std::vector<PointControle>& points);

std::string chemin_calage(const std::string& projet);

// UTF-8 text of the side file.
std::string texte_calage(const CalageEtendu& c);
// Reads the side file's text (UTF-8); empty when sound, else the French reason, `c` untouched.
std::string lit_texte_calage(std::string_view texte, CalageEtendu& c);

// After a project is read: its side file, when there is one, checked against the calibration
// rows and fitted. Returns the message to show (empty when all went well); a refused file leaves
// the three-point calibration and stays on disk untouched.
std::string lit_calage_projet(Document& d, const std::string& projet);

} // namespace vuv
