#pragma once
// Drawing points and segments straight into 15-bit pixels: the overlay rebuild draws tens of
// thousands of them, far faster this way than through a general painter.
#include "core/pixels/VuePixels.h"

#include <cstdint>

namespace vuv {

// A round dot of the given diameter in pixels (1: a single pixel; at most 255), clipped to
// the image.
void trace_disque(const VuePixels& v, int cx, int cy, int diametre, std::uint16_t couleur);

// A segment of the given width with round ends, clipped to the image.
void trace_segment(const VuePixels& v, int x0, int y0, int x1, int y1, int largeur, std::uint16_t couleur);

} // namespace vuv
