#pragma once
// A view over an image's own memory, so pixel algorithms work on big scans without copies.
#include <cstdint>

namespace vuv {

enum class FormatPixels {
    rgb555,  // 16 bits per pixel, x1r5g5b5, the background and overlay format
    rgb32,   // 0xffRRGGBB, the display format
    indexe8, // one byte per pixel into a palette
};

struct VuePixels {
    std::uint8_t* donnees = nullptr;
    int largeur = 0;
    int hauteur = 0;
    long octets_par_ligne = 0;
    FormatPixels format = FormatPixels::rgb555;

    std::uint8_t* ligne(int y) const { return donnees + static_cast<long>(y) * octets_par_ligne; }
    bool valide() const { return donnees && largeur > 0 && hauteur > 0; }
};

// 0x00BBGGRR colour values (as the lines table stores them) to and from 15-bit pixels.
inline std::uint16_t rgb555_de_bgr(std::uint32_t c) {
    const std::uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
}

// 15-bit pixel to 0xffRRGGBB, each 5-bit channel widened by repeating its top bits.
inline std::uint32_t argb_de_rgb555(std::uint16_t p) {
    const std::uint32_t r = (p >> 10) & 0x1F, g = (p >> 5) & 0x1F, b = p & 0x1F;
    return 0xFF000000u | (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) | ((b << 3) | (b >> 2));
}

} // namespace vuv
