#pragma once
// A made-up scanned map drawn by the project itself: paper grain, woods, a lake and its
// river, contour lines, roads, a village, and a coordinate grid with its labels. Used for
// the sample in samples/ and for realistic benchmark images. Needs a QGuiApplication for
// the texts.
#include <QImage>

namespace vuv::exemple {

struct OptionsCarte {
    int largeur = 1600;
    int hauteur = 1131;
    // Paper grain amplitude in 8-bit levels: a scan is never flat colour.
    int grain = 6;
    bool textes = true;
};

QImage dessine_carte(const OptionsCarte& options);

// The grid's real coordinates (metres) at the image's top-left corner and per pixel, so that
// the sample can be calibrated from its own labels.
inline constexpr double x_origine = 651000.0;
inline constexpr double y_origine = 6862000.0;
inline constexpr double metres_par_pixel_1600 = 2.5;  // for a 1600-pixel-wide sheet

} // namespace vuv::exemple
