#pragma once
// Colouring regions of the 15-bit overlay and measuring them: fills, pen and brush, the grey
// threshold and the raster count. Everything works in place on the overlay's own memory.
#include "core/pixels/VuePixels.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vuv {

class Document;

// 0x00BBGGRR colour as the overlay stores it: a 5-bit channel reads back as itself x 8.
inline std::uint32_t couleur_stockee(std::uint32_t bgr) { return bgr & 0xF8F8F8u; }
inline std::uint32_t bgr_de_pixel555(std::uint16_t p) {
    return (((p >> 10) & 0x1Fu) << 3) | (((p >> 5) & 0x1Fu) << 11) | ((p & 0x1Fu) << 19);
}
inline std::uint16_t pixel(const VuePixels& v, int x, int y) {
    return static_cast<std::uint16_t>(reinterpret_cast<const std::uint16_t*>(v.ligne(y))[x] & 0x7FFF);
}

inline constexpr std::uint16_t blanc555 = 0x7FFF;
inline constexpr std::uint16_t noir555 = 0;
inline constexpr std::uint16_t contour555 = 0x03FF; // aqua

// What a fill used beyond the overlay, for the memory measure.
struct BilanRemplissage {
    long long peints = 0;
    std::size_t octets_pile = 0;  // peak of the pending spans
    std::size_t octets_carte = 0; // the visited map
};

// Every pixel 4-connected to (x, y) with exactly its colour becomes `pinceau`. Nothing when
// the press is outside or already has that colour.
BilanRemplissage remplit_surface(const VuePixels& v, int x, int y, std::uint16_t pinceau);
// Every pixel 4-connected to (x, y) without crossing `bordure` becomes `pinceau`.
BilanRemplissage remplit_bordee(const VuePixels& v, int x, int y, std::uint16_t bordure, std::uint16_t pinceau);

// The pen's press toggles pixel (x - 1, y - 1) between the border colour and white; its drag
// sets it to the border colour. Clipped.
void stylo_presse(const VuePixels& v, int x, int y, std::uint16_t bordure);
void stylo_glisse(const VuePixels& v, int x, int y, std::uint16_t bordure);
// The brush: a disc of the fill colour, 5 pixels across on a press, 9 on a drag. Clipped.
void brosse(const VuePixels& v, int x, int y, bool glisse, std::uint16_t fond);

// The part of the overlay that holds the image: x from x0 to x1, y from y0 to y1, inclusive.
struct CadreImage {
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};
CadreImage cadre_image(const VuePixels& v, int dx0, int dy0);

// Called after each row with a position in 0..overlay height.
using Progression = std::function<void(int position)>;

struct ComptageRaster {
    long long nombre = 0; // fill-coloured pixels
    long long ns = 0, nd = 0; // straight and diagonal steps of the contour chain
};
// Counts the fill colour, marks the contour in aqua just outside each region, then counts the
// contour chain. The aqua marks stay on the overlay.
ComptageRaster compte_couleur(const VuePixels& v, CadreImage c, std::uint16_t fond, const Progression& p = {});

// The threshold text times 1 000 000, rounded; its first '.' is a decimal mark whatever the
// local one. Throws std::invalid_argument with the conversion message on a text that is not a
// number.
long double lit_seuil(std::string_view texte);
// Black and white by grey level against T, then lone border-coloured pixels whitened.
void seuil_gris(const VuePixels& v, CadreImage c, long double T, std::uint16_t bordure, const Progression& p = {});

// Real area of the calibration triangle over its image area; 1 when the latter is zero.
long double echelle_surface(const Document& d);

struct ResultatRaster {
    long double Sr = 0, Lr = 0;
    std::vector<std::string> lignes;
};
ResultatRaster resultat_raster(const ComptageRaster& n, long double k);

} // namespace vuv
