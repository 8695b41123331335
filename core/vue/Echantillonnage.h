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

// The whole screen, as a part to sample.
constexpr Rect tout_l_ecran{0, 0, 1 << 30, 1 << 30};

// `ecran` is rgb32; pixels mapped outside the overlay get `fond` (0xffRRGGBB). Only the screen
// pixels inside `partie` are written: a paint covers the part of the screen it uncovers.
void echantillonne_vue(const VuePixels& calque, const Rect& vue, const VuePixels& ecran, std::uint32_t fond,
                       const Rect& partie = tout_l_ecran);

} // namespace vuv

namespace vuv {

// A copy of the overlay reduced by `facteur` in both directions, already in screen colours:
// the zoomed-out view samples it instead of the whole scan. Pixel (x, y) is the overlay's
// (x·facteur, y·facteur).
struct CopieReduite {
    int facteur = 0;
    int largeur = 0, hauteur = 0;       // of the copy
    int largeur_calque = 0, hauteur_calque = 0;
    std::vector<std::uint32_t> pixels;
};

// The reduction a view needs: the whole part of its scale (at most 16), so the copy is as
// small as the view allows without dropping more than the view itself would; 1 when the view
// is not zoomed out by at least two.
int facteur_reduction(const Rect& vue, int ecran_l, int ecran_h);
void reduit(const VuePixels& calque, int facteur, CopieReduite& copie);
// As echantillonne_vue, from the reduced copy.
void echantillonne_reduite(const CopieReduite& copie, const Rect& vue, const VuePixels& ecran, std::uint32_t fond,
                           const Rect& partie = tout_l_ecran);

} // namespace vuv
