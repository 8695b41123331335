#pragma once
// Editing what was digitized: finding the point under the pointer, moving, inserting and
// removing points, moving a calibration point, snapping and nudging. Each operation writes
// the rows the project file holds, nothing else.
#include "core/document/Document.h"
#include "core/pixels/VuePixels.h"
#include "core/vue/VueCarte.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

namespace vuv::edition {

// A row of the points table (> 0) or of the calibration table (< 0: row -row), and its pixel.
struct Cible {
    int row = 0;
    int x = 0, y = 0;
};

// The point of a shown line or the calibration point nearest to overlay pixel (x, y), when
// it lies within `rayon` overlay pixels. `exclu`: a row that is never found (the one dragged).
std::optional<Cible> point_sous(const Document& d, int x, int y, double rayon, int exclu = 0);

// Ctrl+click on a segment of a shown line within `rayon`: the row the new point takes (the
// lower end of the segment); 0 when no segment is near.
int rang_insertion(const Document& d, int x, int y, double rayon);

// A pixel held inside the image of the given size.
void borne(int& x, int& y, int largeur, int hauteur);

// The row gets pixel (x, y) and its X, Y through the calibration.
void deplace_point(Document& d, int row, int x, int y);
// A new row before `row`, on the line of the row above; the rows below are renumbered.
void insere_point(Document& d, int row, int x, int y);
// Removes any row, the rows below renumbered; the next click goes on the new last line.
void supprime_point(Document& d, int row);

// True when the three calibration pixels, with point k (1..3) at (x, y), lie on one line.
bool calage_degenere(const Document& d, int k, int x, int y);
// Calibration point k at (x, y), every point's X, Y recomputed. False (nothing changed) when
// the calibration would become degenerate.
bool deplace_calage(Document& d, int k, int x, int y);

// The nearest pixel of colour `couleur` (15 bits) within `rayon` of (x, y), the pixel itself
// first.
std::optional<Cible> pixel_de_couleur(const VuePixels& v, int x, int y, int rayon, std::uint16_t couleur);

// What an edit of `row` changes on the overlay: rows row-1 .. row+1 and the extra pixels (the
// old place), widened by the drawing's thickness. Inclusive bounds.
Rect zone_autour(const Document& d, int row, std::initializer_list<Cible> en_plus);

// One arrow press: one image pixel, ten with Shift.
int pas_fleche(bool maj);

// "Déplacement du point 12", "Déplacement du point de calage 2".
std::string nom_deplacement(int row);
std::string nom_insertion(int row);
std::string nom_suppression(int row);

inline constexpr const char* message_calage_aligne =
    "Les 3 points de calage seraient alignés : le point de calage reste à sa place.";
inline constexpr const char* question_calage =
    "Déplacer ce point de calage ?\n\nLes X Y de tous les points seront recalculés.";

} // namespace vuv::edition
