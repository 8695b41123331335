#pragma once
// Affine georeferencing: the six-term transform of GIS rasters, read from a world file
// (.tfw, .jgw, .pgw, .bpw, .gfw, .wld...) or given by GDAL for a GeoTIFF, turned into the
// three calibration points, and taken back from a calibrated document to place a saved image.
//
// The transform follows GDAL's convention: (col, lig) is a position in pixels from the image's
// top-left CORNER, so the first pixel's centre is (0.5, 0.5):
//     X = c[0] + col * c[1] + lig * c[2]
//     Y = c[3] + col * c[4] + lig * c[5]
// A world file holds A, D, B, E, C, F one per line, where (C, F) is the CENTRE of the top-left
// pixel: c = {C - A/2 - B/2, A, B, F - D/2 - E/2, D, E}. The calibration's pixels are corner
// positions too: the image spans 0..W by 0..H.
#include "core/georef/Compagnon.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vuv {

class Document;

struct TransformationAffine {
    std::array<long double, 6> c{};
};

struct LectureMonde {
    TransformationAffine t;
    std::string erreur; // "Fichier <chemin>[, ligne n] : raison"; empty when sound
    explicit operator bool() const { return erreur.empty(); }
};

// The six numbers, one per line (blank lines skipped, lines after the sixth ignored), written
// with a point (a comma is taken when the text holds no point) and an optional exponent. Refused:
// fewer than six numbers, a text that is not a number, a zero pixel size, terms that do not
// make an invertible map.
LectureMonde lit_fichier_monde(const std::string& chemin);

// The reason the transform cannot calibrate (not finite, zero pixel size, flattened), or empty.
std::string raison_non_inversible(const TransformationAffine& t);

// The world file beside an image: its extension's first and last letters + "w", then its
// extension + "w", then ".wld", whatever the case of the name. Empty when none exists.
std::string fichier_monde(const std::string& image);
// The name a world file takes beside an image being written: "carte.jpg" -> "carte.jgw".
std::string chemin_fichier_monde(const std::string& image);

// The calibration points of an image of W x H pixels at its corners (0, 0), (0, H), (W, H), as
// the .hdr rows; reals written with the local decimal separator. Refused when the transform
// is not invertible or a corner leaves the finite numbers.
CalageCompagnon calage_affine(const TransformationAffine& t, std::int64_t W, std::int64_t H);

// The transform the document's calibration gives for the overlay's pixels; nothing when the
// calibration is incomplete or flat. W, H: the overlay's size (the span used to take the terms).
std::optional<TransformationAffine> transformation_calage(const Document& d, int W, int H);

// A world file's text: A, D, B, E, C, F with up to 17 significant digits, CR LF line ends.
std::string texte_fichier_monde(const TransformationAffine& t);

} // namespace vuv
