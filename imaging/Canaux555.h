#pragma once
// 8-bit channels to and from the 5-5-5 words of 15-bit images (QImage::Format_RGB555).
#include <cstdint>

namespace vuv {

// The low three bits are dropped, as a 15-bit bitmap does.
constexpr std::uint16_t rgb555(unsigned r, unsigned g, unsigned b) {
    return static_cast<std::uint16_t>(((r & 0xF8u) << 7) | ((g & 0xF8u) << 2) | ((b & 0xF8u) >> 3));
}

// A 5-bit channel widened to 8 bits so that 31 becomes 255.
constexpr unsigned canal8_de5(unsigned c5) { return (c5 << 3) | (c5 >> 2); }
constexpr unsigned rouge555(std::uint16_t p) { return canal8_de5((p >> 10) & 0x1Fu); }
constexpr unsigned vert555(std::uint16_t p) { return canal8_de5((p >> 5) & 0x1Fu); }
constexpr unsigned bleu555(std::uint16_t p) { return canal8_de5(p & 0x1Fu); }

} // namespace vuv
