#pragma once
// Following a stroke of the scan between two clicks: the least-cost path over pixels of the
// stroke's colour, its points put back on the stroke's centre and thinned.
//
// Cost of a step of length l (1 or sqrt 2) onto a pixel at colour distance c and at e pixels
// from the stroke's edge: l * (1 + 2 (c / tolerance)^2 + 2 (R - min(e, R)) / R), R = 4. A gap (a
// crossing of another colour, a dash, a label) is crossed in a straight jump of at most
// `saut_max` pixels, costing 8 per pixel. A* with the straight-line distance as estimate, so the
// search stays near the stroke; it is bounded to a window around the two clicks and to a node
// budget, and a caller's test can stop it.
//
// Left out: strokes wider than about 30 px (taken for paper), colours told apart by less than
// the tolerance.
#include "core/pixels/VuePixels.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vuv {

struct PointTrait {
    double x = 0, y = 0; // overlay pixels, centre of the pixel at integer values
};

struct ReglagesSuivi {
    int tolerance_couleur = 60;  // Euclidean RGB distance (0..255 per channel) still on the stroke
    double tolerance_simplification = 0.5; // Douglas-Peucker, pixels
    int saut_max = 24;           // longest gap jumped, pixels
    long noeuds_max = 8'000'000; // search budget
};

enum class EchecSuivi {
    aucun,
    format,       // not a 15-bit image
    hors_carte,   // a click outside the map
    pas_un_trait, // the colour covers everything around the click: paper, or the tolerance too wide
    arrivee,      // the second click is not on the stroke's colour
    coupe,        // the stroke stops before the second click (longer gap, another stroke)
    trop_long,    // the budget ran out
    interrompu,
};

struct ResultatSuivi {
    EchecSuivi echec = EchecSuivi::aucun;
    std::string message;             // French, empty on success
    std::vector<PointTrait> points;  // thinned centre line; on failure, as far as it went
    int pixels = 0;                  // length of the raw path in pixels

    bool ok() const { return echec == EchecSuivi::aucun; }
};

// The colour under a click, 0x00BBGGRR, from a 15-bit image; 0 outside.
std::uint32_t couleur_sous(const VuePixels& v, int x, int y);

// `interrompre` is asked every few thousand nodes; true stops the search.
ResultatSuivi suit_trait(const VuePixels& v, std::uint32_t couleur, int x0, int y0, int x1, int y1,
                         const ReglagesSuivi& r, const std::function<bool()>& interrompre = {});

// Douglas-Peucker: the points it keeps within `tolerance` of the polyline, never one marked in
// `exclus` (when given; a stretch only such points would split stays whole).
std::vector<PointTrait> simplifie(const std::vector<PointTrait>& p, double tolerance,
                                  const std::vector<bool>& exclus = {});

} // namespace vuv
