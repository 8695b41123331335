#pragma once
// Uncompressed, single-strip, little-endian TIFF files built from three fixed directory templates.
#include "core/pixels/VuePixels.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace vuv {

// The image to write: rows top to bottom in stored order with their stride (the view's format is
// not consulted; the depth says how to read a row).
struct ImageTiff {
    VuePixels pixels;
    int bits_par_pixel = 32;  // 1, 4, 8 (colour table), 24 (blue, green, red), 32 (blue, green, red, unused)
    const std::uint8_t* palette = nullptr;  // entries of blue, green, red, 0; missing ones count as 0
    int entrees_palette = 0;
};

// Writes at the stream's position, which must be 0; the directory offset is patched at 4.
// Throws ErreurFichier (French) for an empty image, a depth without layout, a file over 4 GiB, or
// a failing stream.
void WriteTiffToStream(std::ostream& flux, const ImageTiff& image);

// Replaces `nom` only once the whole file is written; throws ErreurFichier naming it otherwise.
void WriteTiffToFile(const std::string& nom, const ImageTiff& image);

} // namespace vuv
