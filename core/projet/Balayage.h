#pragma once
// Scanning a comma list eight bytes at a time: the lines of a big project are mostly numbers.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vuv::balayage {

constexpr std::uint64_t uns = 0x0101010101010101ULL;
constexpr std::uint64_t hauts = 0x8080808080808080ULL;

// High bit set in the lowest byte below the limit (bytes above it may be flagged wrongly,
// which does not matter when looking for the first). Bytes of 0x80 and more are never flagged.
constexpr std::uint64_t sous(std::uint64_t x, unsigned limite) { return (x - uns * limite) & ~x & hauts; }
constexpr std::uint64_t egal(std::uint64_t x, unsigned char c) { return sous(x ^ (uns * c), 1); }

// The first byte from p on that `masque` flags in its word (or `arret` accepts, near the
// end), or the end; `haut` is set when a byte of 0x80 or more comes before it.
// Always inlined: called once per field, the call would cost as much as the scan.
template <typename Arret, typename Masque>
[[gnu::always_inline]] inline std::size_t premier(std::string_view t, std::size_t p, Arret arret, Masque masque,
                                                  bool& haut) {
    while (p + 8 <= t.size()) {
        std::uint64_t x;
        std::memcpy(&x, t.data() + p, 8);
        if (const std::uint64_t m = masque(x)) {
            if constexpr (std::endian::native == std::endian::little) {
                // (m - 1) & ~m: the bits below the first flagged one, so the bytes before it.
                haut |= (x & hauts & (m - 1) & ~m) != 0;
                return p + static_cast<unsigned>(std::countr_zero(m)) / 8;
            }
            break; // the byte loop finds it
        }
        if (x & hauts) haut = true;
        p += 8;
    }
    while (p < t.size() && !arret(t[p])) {
        if (static_cast<unsigned char>(t[p]) >= 0x80) haut = true;
        ++p;
    }
    return p;
}

template <typename Arret, typename Masque>
std::size_t premier(std::string_view t, std::size_t p, Arret arret, Masque masque) {
    bool haut = false;
    return premier(t, p, arret, masque, haut);
}

} // namespace vuv::balayage
