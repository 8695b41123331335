#pragma once
// The clicked pixels of the calibration table, kept whole numbers.
namespace vuv {

class Document;

// Puts back the clicked pixel into a placed calibration row whose "x" or "y" cell holds no
// whole number, and says so; true when one was. Run before recomputing and before saving: a
// pixel typed as "-" or "12.5" would be saved as it stands and stop the project from opening.
bool corrige_pixels_calage(Document& d);

} // namespace vuv
