#pragma once
// Fills the screen image from the view rectangle of the overlay, one overlay pixel per screen
// pixel chosen exactly as a click there is mapped back, so what is seen is what is clicked.
// Costs the screen's pixel count, whatever the overlay's size.
#include "core/pixels/VuePixels.h"
#include "core/vue/VueCarte.h"

#include <vector>

namespace vuv {

// The overlay column (or row) shown by each of `n_ecran` screen pixels for a view span
// starting at `debut` of `n_vue` pixels: debut + round(i * n_vue / n_ecran), halves to even.
std::vector<int> correspondance(int debut, int n_vue, int n_ecran);

// `ecran` is rgb32; pixels mapped outside the overlay get `fond` (0xffRRGGBB).
void echantillonne_vue(const VuePixels& calque, const Rect& vue, const VuePixels& ecran, std::uint32_t fond);

} // namespace vuv
