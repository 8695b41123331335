#pragma once
// Reading the cells the export computes with: a number under either decimal mark, an error
// naming the cell for anything else.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vuv {

class Document;

// A value the export cannot read; its message is French and names the cell text.
class ErreurExport : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one strict reading of a real cell, for every export and the command line: a point or a
// comma (a project saved under one convention and exported under the other), an optional
// exponent with a capital E, surrounding spaces. A small e is refused, as est_reel refuses it
// and val_reel stops at it: what passes here, the measurements read to the same value.
// Throws ErreurExport naming `quoi` and the text when it is not such a number.
long double lit_reel_export(std::string_view texte, const std::string& quoi);

// lit_reel_export for the GIS formats, which write doubles: also refused beyond a double's
// range, which they would write as inf. The value stays extended, so the no-value marker is
// still told apart.
long double lit_reel_sig(std::string_view texte, const std::string& quoi);

// A real strictly in the local convention, as the X maxi box is read.
long double lit_reel_local(std::string_view texte, const std::string& quoi);

// A whole number with optional leading spaces and sign; ErreurExport otherwise.
std::int32_t lit_entier_export(std::string_view texte, const std::string& quoi);

// X, Y (fixed columns 3 and 4) and L (column 1) of point row `row`.
long double X_du_point(const Document& d, int row);
long double Y_du_point(const Document& d, int row);
std::int32_t L_du_point(const Document& d, int row);

// Nearest integer, halves to even, for any size of value.
long double arrondi_pair_reel(long double v);

} // namespace vuv
