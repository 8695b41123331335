#pragma once
// The clicked pixels of the calibration table, kept whole numbers.
namespace vuv {

class Document;

// Puts back the clicked pixel into a placed calibration row whose "x" or "y" cell holds no
// whole number, and says so unless the cell was empty; true when it said so. Run before
// recomputing and before saving: a pixel held as "-" or "12.5" would be saved as it stands and
// read back as another pixel.
bool corrige_pixels_calage(Document& d);

} // namespace vuv
