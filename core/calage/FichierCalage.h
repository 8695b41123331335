#pragma once
// The side file "<projet>.cal" that keeps the control points and the chosen transformation:
// Windows-1252, CR LF, one point a line "x;y;X;Y;coché;nom", numbers with a point.
#include "core/calage/CalageEtendu.h"

#include <string>
#include <string_view>

namespace vuv {

class Document;

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
