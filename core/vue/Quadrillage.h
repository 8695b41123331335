#pragma once
// The grid over the map: lines of constant X and constant Y at a round interval, each sampled in
// map units and carried to image pixels through the calibration, so a bent fit bends them.
#include "core/vue/VueCarte.h"

#include <functional>
#include <vector>

namespace vuv {

struct PointImage {
    double x = 0, y = 0;
};

struct LigneQuadrillage {
    bool x_constant = true; // a line of constant X (else constant Y)
    long double valeur = 0;
    // The runs inside the visible rectangle, in image pixels.
    std::vector<std::vector<PointImage>> morceaux;
};

// Map <-> image pixels; false where the calibration is undefined.
using VersCarte = std::function<bool(double x, double y, long double& X, long double& Y)>;
using VersImage = std::function<bool(long double X, long double Y, double& x, double& y)>;

// The smallest 1, 2 or 5 × 10^k whose lines fall at least `ecart_min` screen pixels apart;
// 0 when the scale is not a positive finite number.
long double pas_quadrillage(long double unites_par_pixel_ecran, double ecart_min = 80);

// The grid over `visible` (image pixels) shown `pixels_ecran_par_pixel` times enlarged.
std::vector<LigneQuadrillage> quadrillage(const Rect& visible, double pixels_ecran_par_pixel,
                                          const VersCarte& vers_carte, const VersImage& vers_image);

} // namespace vuv
