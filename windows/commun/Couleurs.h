#pragma once
// Colours are stored as 0x00BBGGRR integers (the lines table keeps them as decimal text).
#include <QColor>

#include <cstdint>

namespace vuv {

inline QColor couleur_bgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

inline std::uint32_t bgr_de(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

} // namespace vuv
