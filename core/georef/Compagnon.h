#pragma once
// Georeferenced backgrounds: the companion file that gives an image its calibration — a
// MapInfo raster table (.tab: the image name and three control points) or an ARC/INFO raster
// header (.hdr: origin, cell size and dimensions of the grid beside an image of the same base
// name).
//
// The readers check the whole file before anything is loaded, so a bad companion changes
// nothing. Their messages name the file (and the line where there is one) and say what is
// wrong. Pixels are image pixels, before the placement offsets dx0, dy0 of the background.
#include <array>
#include <cstdint>
#include <string>

namespace vuv {

class Document;

struct PointCompagnon {
    std::string X, Y;       // the calibration cells as written (local decimal separator)
    std::int64_t x = 0, y = 0; // image pixel, 32-bit values
};

struct CalageCompagnon {
    std::array<PointCompagnon, 3> points;
    std::string image;  // .tab: the name after "File", '\' read as '/'; .hdr: empty
    std::string erreur; // empty when the companion is sound
    explicit operator bool() const { return erreur.empty(); }
};

// Companion files larger than this are refused: real ones hold a few hundred bytes.
inline constexpr long taille_max_compagnon = 64 * 1024;

// .tab: "File" then the name between double quotes; "Type"; then the control points, one per
// line "(X,Y) (x,y) ...", the first three taken. Keys are case-sensitive.
CalageCompagnon lit_tab(const std::string& chemin);

// .hdr: the keys "xdim", "ydim", "ncols", "nrows", "ulxmap", "ulymap", in that order, each at
// the start of its own line and followed by its value after spaces or tabs. xdim > 0,
// ydim != 0, ncols and nrows from 1 to 2^31 - 1. A positive ydim is the cell height (Y falls
// from row to row); a negative one is the signed change of Y from one row to the next below.
CalageCompagnon lit_hdr(const std::string& chemin);

// The image a table names: its folder + "/" + the name, or the name itself when absolute.
std::string chemin_image_tab(const std::string& compagnon, const std::string& nom);

// The image beside a header: the companion's path with the extension .BMP, else .JPG, else
// .TIF, found whatever the case of the name. Empty when none exists.
std::string image_hdr(const std::string& compagnon);
// The path the "impossible à ouvrir" message names when no image is found.
std::string image_hdr_manquante(const std::string& compagnon);

// Calibration rows 1 to 3 from the companion, pixels shifted by the document's dx0, dy0;
// count 3, the records rebuilt from the rows, the saved flag cleared. Returns a message and
// changes nothing when a shifted pixel leaves the 32-bit range.
std::string applique_calage(Document& d, const CalageCompagnon& c);

} // namespace vuv
