#include "core/text/nombres.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace vuv::nombres {
namespace {

bool chiffre(char c) { return c >= '0' && c <= '9'; }

// First `p` significant digits of a > 0 (finite), correctly rounded, and the decimal exponent
// of the first one: a ~ d1.d2d3... x 10^exposant.
std::string chiffres_significatifs(long double a, int p, int& exposant) {
    char buf[96];
    const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, p - 1);
    std::string chiffres;
    chiffres.reserve(static_cast<std::size_t>(p));
    const char* c = buf;
    for (; c < r.ptr && *c != 'e'; ++c)
        if (chiffre(*c)) chiffres.push_back(*c);
    exposant = 0;
    if (c < r.ptr) {
        const char* e = c + 1;
        if (e < r.ptr && *e == '+') ++e;
        std::from_chars(e, r.ptr, exposant);
    }
    return chiffres;
}

std::string non_fini(long double v) {
    if (std::isnan(v)) return "NAN";
    return v < 0 ? "-INF" : "INF";
}

// "1.23E3", "1E-7": digits without trailing zeros, exponent without '+' or leading zeros.
std::string scientifique_court(bool negatif, std::string chiffres, int exposant, char sep) {
    while (chiffres.size() > 1 && chiffres.back() == '0') chiffres.pop_back();
    std::string t;
    if (negatif) t.push_back('-');
    t.push_back(chiffres[0]);
    if (chiffres.size() > 1) {
        t.push_back(sep);
        t.append(chiffres, 1, std::string::npos);
    }
    t.push_back('E');
    t += std::to_string(exposant);
    return t;
}

// Places the decimal mark in significant digits, padding with zeros to `decimales` decimals
// (-1: no padding and no trailing zeros, for the general form).
std::string place_virgule(bool negatif, std::string_view chiffres, int exposant, int decimales, char sep) {
    const std::size_t n_entier = exposant >= 0 ? static_cast<std::size_t>(exposant) + 1 : 0;
    const std::size_t zeros_tete = exposant >= 0 ? 0 : static_cast<std::size_t>(-exposant - 1);
    std::size_t n_fraction = zeros_tete + (chiffres.size() > n_entier ? chiffres.size() - n_entier : 0);
    if (decimales < 0) {
        // The general form drops trailing zeros.
        while (n_fraction > zeros_tete && chiffres[n_entier + n_fraction - zeros_tete - 1] == '0') --n_fraction;
        if (n_fraction == zeros_tete) n_fraction = 0;
    }
    const std::size_t n_decimales =
        decimales >= 0 ? std::max(n_fraction, static_cast<std::size_t>(decimales)) : n_fraction;

    std::string t;
    t.reserve(n_entier + n_decimales + 3);
    if (negatif) t.push_back('-');
    if (n_entier == 0) {
        t.push_back('0');
    } else {
        for (std::size_t i = 0; i < n_entier; ++i) t.push_back(i < chiffres.size() ? chiffres[i] : '0');
    }
    if (n_decimales > 0) {
        t.push_back(sep);
        t.append(zeros_tete < n_fraction ? zeros_tete : n_fraction, '0');
        if (n_fraction > zeros_tete) t.append(chiffres.substr(n_entier, n_fraction - zeros_tete));
        t.append(n_decimales - n_fraction, '0');
    }
    return t;
}

// Keeps `garde` significant digits, rounding half away from zero on the decimal digits (the
// 18 digits are themselves a correct rounding of the binary value). False when nothing is
// left, i.e. the value rounds to zero.
bool arrondit(std::string& chiffres, int& exposant, int garde) {
    if (garde < 0) return false;
    if (garde >= static_cast<int>(chiffres.size())) return true;
    const bool monte = chiffres[static_cast<std::size_t>(garde)] >= '5';
    chiffres.resize(static_cast<std::size_t>(garde));
    if (!monte) return garde > 0;
    int i = garde - 1;
    for (; i >= 0; --i) {
        if (chiffres[static_cast<std::size_t>(i)] == '9') {
            chiffres[static_cast<std::size_t>(i)] = '0';
        } else {
            ++chiffres[static_cast<std::size_t>(i)];
            break;
        }
    }
    if (i < 0) { // 999 -> 1000, or nothing kept and rounded up to one unit above
        chiffres.insert(chiffres.begin(), '1');
        ++exposant;
    }
    return true;
}

} // namespace

std::optional<long double> lit(std::string_view t, char sep, bool exposant, bool e_minuscule) {
    std::size_t i = 0;
    const std::size_t n = t.size();
    std::string norme;
    norme.reserve(n);
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-') norme.push_back('-');
        ++i;
    }
    int chiffres = 0;
    while (i < n && chiffre(t[i])) {
        norme.push_back(t[i++]);
        ++chiffres;
    }
    if (i < n && t[i] == sep) {
        norme.push_back('.');
        ++i;
        while (i < n && chiffre(t[i])) {
            norme.push_back(t[i++]);
            ++chiffres;
        }
    }
    if (chiffres == 0) return std::nullopt;
    bool exposant_negatif = false;
    if (i < n && exposant && (t[i] == 'E' || (e_minuscule && t[i] == 'e'))) {
        norme.push_back('e');
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) {
            exposant_negatif = t[i] == '-';
            if (exposant_negatif) norme.push_back('-');
            ++i;
        }
        int chiffres_exposant = 0;
        while (i < n && chiffre(t[i])) {
            norme.push_back(t[i++]);
            ++chiffres_exposant;
        }
        if (chiffres_exposant == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;

    long double v = 0;
    const auto r = std::from_chars(norme.data(), norme.data() + norme.size(), v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        if (exposant_negatif) return 0.0L;
        return std::nullopt;
    }
    if (r.ec != std::errc() || r.ptr != norme.data() + norme.size()) return std::nullopt;
    return v;
}

std::string fixe(long double v, int precision, int decimales, char sep) {
    if (!std::isfinite(v)) return non_fini(v);
    precision = std::clamp(precision, 2, 18);
    decimales = std::clamp(decimales, 0, 40);
    // Whole values that fit the precision (pixel coordinates, counts) skip the digit work.
    if (decimales == 0 && std::fabs(v) < 1e18L && v == std::trunc(v)) {
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, std::llabs(static_cast<long long>(v)));
        if (r.ptr - buf <= precision) {
            std::string t;
            if (v < 0) t.push_back('-');
            t.append(buf, r.ptr);
            return t;
        }
    }
    if (v != 0) {
        int exposant = 0;
        std::string chiffres = chiffres_significatifs(std::fabs(v), 18, exposant);
        const int garde = std::min(precision, exposant + 1 + decimales);
        if (arrondit(chiffres, exposant, garde)) {
            if (exposant + 1 > precision) return scientifique_court(std::signbit(v), chiffres, exposant, sep);
            return place_virgule(std::signbit(v), chiffres, exposant, decimales, sep);
        }
    }
    // Zero, or a value that rounds to zero: no sign.
    std::string t = "0";
    if (decimales > 0) {
        t.push_back(sep);
        t.append(static_cast<std::size_t>(decimales), '0');
    }
    return t;
}

std::string general(long double v, int precision, char sep) {
    if (!std::isfinite(v) || v == 0) return v == 0 ? "0" : non_fini(v);
    precision = std::clamp(precision, 2, 18);
    int exposant = 0;
    std::string chiffres = chiffres_significatifs(std::fabs(v), 18, exposant);
    arrondit(chiffres, exposant, precision);
    if (exposant + 1 > precision || exposant < -4) return scientifique_court(std::signbit(v), chiffres, exposant, sep);
    return place_virgule(std::signbit(v), chiffres, exposant, -1, sep);
}

} // namespace vuv::nombres
