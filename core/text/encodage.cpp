#include "core/text/encodage.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace vuv {
namespace {

// 0x80..0x9F of Windows-1252; undefined bytes keep their own value (C1 controls).
constexpr std::array<char32_t, 32> haut_cp1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// End of the run of ASCII bytes starting at pos, eight bytes at a time: the files are
// mostly ASCII and a byte loop with an early exit does not vectorize.
std::size_t fin_ascii(std::string_view t, std::size_t pos) {
    constexpr std::uint64_t hauts = 0x8080808080808080ULL;
    while (pos + 8 <= t.size()) {
        std::uint64_t mot;
        std::memcpy(&mot, t.data() + pos, 8);
        if (mot & hauts) break;
        pos += 8;
    }
    while (pos < t.size() && static_cast<unsigned char>(t[pos]) < 0x80) ++pos;
    return pos;
}

int octet_cp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (std::size_t i = 0; i < haut_cp1252.size(); ++i)
        if (haut_cp1252[i] == c) return static_cast<int>(0x80 + i);
    return -1;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool utf8_valide(std::string_view t, bool& multi_octet) {
    multi_octet = false;
    for (std::size_t i = fin_ascii(t, 0); i < t.size(); i = fin_ascii(t, i)) {
        const auto b0 = static_cast<unsigned char>(t[i]);
        std::size_t suite;
        unsigned char min2 = 0x80, max2 = 0xBF;
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            suite = 1;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            suite = 2;
            if (b0 == 0xE0) min2 = 0xA0;
            if (b0 == 0xED) max2 = 0x9F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            suite = 3;
            if (b0 == 0xF0) min2 = 0x90;
            if (b0 == 0xF4) max2 = 0x8F;
        } else {
            return false;
        }
        if (i + suite >= t.size()) return false;
        for (std::size_t k = 1; k <= suite; ++k) {
            const auto b = static_cast<unsigned char>(t[i + k]);
            if (b < (k == 1 ? min2 : 0x80) || b > (k == 1 ? max2 : 0xBF)) return false;
        }
        multi_octet = true;
        i += suite + 1;
    }
    return true;
}

} // namespace

std::string texte_de_fichier(std::string_view octets) {
    bool multi_octet = false;
    if (!utf8_valide(octets, multi_octet) || !multi_octet) return cp1252_vers_utf8(octets);
    if (octets.substr(0, 3) == "\xEF\xBB\xBF") octets.remove_prefix(3);
    return std::string(octets);
}

void ajoute_caractere(std::string& t, char32_t c) {
    if (c < 0x80) {
        t.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        t.push_back(static_cast<char>(0xC0 | (c >> 6)));
        t.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        t.push_back(static_cast<char>(0xE0 | (c >> 12)));
        t.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        t.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        t.push_back(static_cast<char>(0xF0 | (c >> 18)));
        t.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        t.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        t.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

char32_t lit_caractere(std::string_view t, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(t[pos]);
    std::size_t suite = 0;
    char32_t c = b0;
    if (b0 >= 0xF0 && b0 < 0xF8) {
        suite = 3;
        c = b0 & 0x07;
    } else if (b0 >= 0xE0 && b0 < 0xF0) {
        suite = 2;
        c = b0 & 0x0F;
    } else if (b0 >= 0xC0 && b0 < 0xE0) {
        suite = 1;
        c = b0 & 0x1F;
    }
    // A plain byte, or a lead byte without its continuation bytes, stands for itself.
    if (suite == 0 || pos + suite >= t.size()) {
        ++pos;
        return b0;
    }
    for (std::size_t i = 1; i <= suite; ++i) {
        const auto b = static_cast<unsigned char>(t[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return b0;
        }
        c = (c << 6) | (b & 0x3F);
    }
    pos += suite + 1;
    return c;
}

std::size_t nb_caracteres(std::string_view t) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < t.size();) {
        lit_caractere(t, pos);
        ++n;
    }
    return n;
}

std::size_t octet_du_caractere(std::string_view t, std::size_t i) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < i && pos < t.size(); ++n) lit_caractere(t, pos);
    return pos;
}

bool tout_ascii(std::string_view t) { return fin_ascii(t, 0) == t.size(); }

std::string cp1252_vers_utf8(std::string_view octets) {
    std::string r;
    r.reserve(octets.size() + octets.size() / 8);
    // Project and export files are mostly ASCII: copy ASCII runs whole.
    std::size_t i = 0;
    while (i < octets.size()) {
        const std::size_t j = fin_ascii(octets, i);
        r.append(octets.data() + i, j - i);
        if (j >= octets.size()) break;
        const auto b = static_cast<unsigned char>(octets[j]);
        if (b < 0xA0)
            ajoute_caractere(r, haut_cp1252[b - 0x80]);
        else
            ajoute_caractere(r, b);
        i = j + 1;
    }
    return r;
}

std::string utf8_vers_cp1252(std::string_view t, std::size_t* perdus) {
    std::string r;
    r.reserve(t.size());
    std::size_t n_perdus = 0;
    for (std::size_t pos = 0; pos < t.size();) {
        if (static_cast<unsigned char>(t[pos]) < 0x80) {
            const std::size_t fin = fin_ascii(t, pos);
            r.append(t.data() + pos, fin - pos);
            pos = fin;
            continue;
        }
        const int b = octet_cp1252(lit_caractere(t, pos));
        if (b < 0) {
            r.push_back('?');
            ++n_perdus;
        } else {
            r.push_back(static_cast<char>(b));
        }
    }
    if (perdus) *perdus = n_perdus;
    return r;
}

} // namespace vuv
