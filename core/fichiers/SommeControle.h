#pragma once
// A 64-bit FNV-1a sum of bytes: enough to tell two versions of a file, or a torn record, apart.
// Not a defence against anyone forging a file.
#include <cstdint>
#include <string>
#include <string_view>

namespace vuv {

inline std::uint64_t somme_controle(std::string_view octets) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (const char c : octets) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return h;
}

// Sixteen lower-case hexadecimal digits.
inline std::string somme_hex(std::uint64_t h) {
    static constexpr char chiffres[] = "0123456789abcdef";
    std::string t(16, '0');
    for (int i = 15; i >= 0; --i, h >>= 4) t[static_cast<std::size_t>(i)] = chiffres[h & 15];
    return t;
}

} // namespace vuv
