#pragma once
// Little-endian fields of the binary formats written and read by hand (BMP, TIFF, the overlay copy).
#include <cstdint>

namespace vuv {

inline void pose16(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

inline void pose32(unsigned char* p, std::uint32_t v) {
    pose16(p, v);
    pose16(p + 2, v >> 16);
}

inline std::uint32_t lit16(const unsigned char* p) { return p[0] | (std::uint32_t{p[1]} << 8); }

inline std::uint32_t lit32(const unsigned char* p) { return lit16(p) | (lit16(p + 2) << 16); }

} // namespace vuv
