#include "platform/DatesClasseur.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace vuv {
namespace {

struct Jour {
    long long a;
    unsigned m, j;
};

// The civil date of a day counted from 01/01/1970.
Jour civil(long long z) {
    z += 719468;
    const long long ere = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - ere * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned j = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<long long>(yoe) + ere * 400 + (m <= 2), m, j};
}

std::string deux(unsigned v) {
    char t[8];
    std::snprintf(t, sizeof t, "%02u", v % 100);
    return t;
}

std::string date(const Jour& d) {
    char a[24];
    std::snprintf(a, sizeof a, "%04lld", d.a);
    return deux(d.j) + "/" + deux(d.m) + "/" + a;
}

std::string heure(unsigned h, unsigned m, unsigned s) {
    char t[32];
    std::snprintf(t, sizeof t, "%02u:%02u:%02u", h, m, s);
    return t;
}

bool chiffres(std::string_view s, std::size_t p, std::size_t n, unsigned& v) {
    if (p + n > s.size()) return false;
    v = 0;
    for (std::size_t i = p; i < p + n; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
        v = v * 10 + static_cast<unsigned>(s[i] - '0');
    }
    return true;
}

} // namespace

std::optional<std::string> texte_serie(double serie, bool depuis_1904, SorteTemps sorte) {
    if (!std::isfinite(serie) || serie < 0 || serie > 2958466) return std::nullopt;
    auto secondes = static_cast<long long>(std::llround(serie * 86400.0));
    long long jours = secondes / 86400;
    secondes %= 86400;
    const std::string h = heure(static_cast<unsigned>(secondes / 3600), static_cast<unsigned>(secondes / 60 % 60),
                                static_cast<unsigned>(secondes % 60));
    if (sorte == SorteTemps::heure) return h;
    std::string d;
    if (!depuis_1904 && jours == 60) d = "29/02/1900";
    else {
        // Day 0 of the 1900 system is 31/12/1899 up to its day 60, 30/12/1899 after it.
        if (!depuis_1904 && jours < 60) ++jours;
        d = date(civil(jours + (depuis_1904 ? -24107 : -25569)));
    }
    return sorte == SorteTemps::date_heure ? d + " " + h : d;
}

std::optional<std::string> texte_date_iso(std::string_view s) {
    unsigned a = 0, m = 0, j = 0;
    if (!chiffres(s, 0, 4, a) || s.size() < 10 || s[4] != '-' || !chiffres(s, 5, 2, m) || s[7] != '-' ||
        !chiffres(s, 8, 2, j) || m < 1 || m > 12 || j < 1 || j > 31)
        return std::nullopt;
    std::string d = date({a, m, j});
    if (s.size() == 10) return d;
    unsigned h = 0, mi = 0, se = 0;
    if (s[10] != 'T' || !chiffres(s, 11, 2, h) || s.size() < 19 || s[13] != ':' || !chiffres(s, 14, 2, mi) ||
        s[16] != ':' || !chiffres(s, 17, 2, se))
        return std::nullopt;
    return d + " " + heure(h, mi, se);
}

std::optional<std::string> texte_duree_iso(std::string_view s) {
    if (s.substr(0, 2) != "PT") return std::nullopt;
    double parties[3] = {0, 0, 0};
    std::size_t p = 2;
    while (p < s.size()) {
        double v = 0;
        const auto [fin, ec] = std::from_chars(s.data() + p, s.data() + s.size(), v);
        if (ec != std::errc() || fin == s.data() + s.size() || v < 0 || v > 1e9) return std::nullopt;
        p = static_cast<std::size_t>(fin - s.data());
        const std::size_t i = s[p] == 'H' ? 0 : s[p] == 'M' ? 1 : s[p] == 'S' ? 2 : 3;
        if (i == 3) return std::nullopt;
        parties[i] = v;
        ++p;
    }
    const auto total = std::llround(parties[0] * 3600 + parties[1] * 60 + parties[2]);
    return heure(static_cast<unsigned>(total / 3600), static_cast<unsigned>(total / 60 % 60),
                 static_cast<unsigned>(total % 60));
}

SorteTemps sorte_format(int numero, std::string_view code) {
    if ((numero >= 14 && numero <= 17) || (numero >= 27 && numero <= 31) || (numero >= 34 && numero <= 36) ||
        (numero >= 50 && numero <= 58))
        return SorteTemps::date;
    if ((numero >= 18 && numero <= 21) || numero == 32 || numero == 33 || (numero >= 45 && numero <= 47))
        return SorteTemps::heure;
    if (numero == 22) return SorteTemps::date_heure;
    if (numero < 164) return SorteTemps::aucune;
    bool jour = false, temps = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(code[i])));
        if (c == '"') {
            const std::size_t f = code.find('"', i + 1);
            if (f == std::string_view::npos) break;
            i = f;
        } else if (c == '[') {
            // [h], [mm] and [ss] are elapsed time; the rest (colours, locales) shows nothing.
            const std::size_t f = code.find(']', i + 1);
            if (f == std::string_view::npos) break;
            const std::string_view dedans = code.substr(i + 1, f - i - 1);
            if (!dedans.empty() && (std::tolower(static_cast<unsigned char>(dedans[0])) == 'h' ||
                                    std::tolower(static_cast<unsigned char>(dedans[0])) == 's'))
                temps = true;
            i = f;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == ';') {
            break; // the first section tells
        } else if (c == 'd' || c == 'y') {
            jour = true;
        } else if (c == 'h' || c == 's') {
            temps = true;
        }
    }
    if (jour) return temps ? SorteTemps::date_heure : SorteTemps::date;
    return temps ? SorteTemps::heure : SorteTemps::aucune;
}

} // namespace vuv
