#pragma once
// The overlay's copies for undoing a colouring and ending a measurement: 16-bit BMP files
// written straight from the overlay's rows and read straight back into them.
#include "core/pixels/VuePixels.h"

#include <string>

namespace vuv {

// Throws ErreurFichier (French) when the file cannot be written; a previous copy stays.
void ecrit_copie(const VuePixels& v, const std::string& chemin);
// False, the overlay untouched, when the file is missing, damaged or of another size.
bool relit_copie(const VuePixels& v, const std::string& chemin);

} // namespace vuv
