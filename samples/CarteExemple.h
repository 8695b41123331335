#pragma once
// A made-up scanned map drawn by the project itself: paper grain, woods, a lake and its
// river, contour lines, roads, a village, and a coordinate grid with its labels. Used for
// the sample in samples/ and for realistic benchmark images. Needs a QGuiApplication for
// the texts.
#include <QImage>
#include <QPainterPath>
#include <QPoint>

#include <vector>

namespace vuv::exemple {

struct OptionsCarte {
    int largeur = 1600;
    int hauteur = 1131;
    // Paper grain amplitude in 8-bit levels: a scan is never flat colour.
    int grain = 6;
    bool textes = true;
};

QImage dessine_carte(const OptionsCarte& options);

// The main road's centre line on a sheet of that size, in drawing coordinates: the one
// geometry both drawn on the map and digitized in the sample project.
QPainterPath route_nationale(double largeur, double hauteur);
inline constexpr QRgb couleur_nationale = qRgb(235, 110, 60);

// The main road digitized from edge to edge on `carte` (drawn without grain), as a careful
// user clicks it: only where the road shows (not under a house or a grid line), on pixels
// (x, y) whose point (x + 0.25, y + 0.25) is within 0.2 px of the centre line, so that a pixel
// lies within 0.4 px of it whether read by its corner or by its centre; the line never strays
// more than `ecart` pixels from the segments between them.
std::vector<QPoint> points_route_nationale(const QImage& carte, double ecart = 1.0);

// The grid's real coordinates (metres) at the image's top-left corner and per pixel, so that
// the sample can be calibrated from its own labels.
inline constexpr double x_origine = 651000.0;
inline constexpr double y_origine = 6862000.0;
inline constexpr double metres_par_pixel_1600 = 2.5;  // for a 1600-pixel-wide sheet

} // namespace vuv::exemple
