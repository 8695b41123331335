#include "core/mesure/FormatNombre.h"

#include "core/text/separateur.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace vuv {
namespace {

bool place_chiffre(char c) { return c == '0' || c == '#'; }

// a > 0, finite: 18 significant digits and the exponent of the first, a ~ d1.d2... x 10^x.
std::string chiffres_de(long double a, int& x) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 17);
    std::string ch;
    const char* c = buf;
    for (; c < r.ptr && *c != 'e'; ++c)
        if (*c >= '0' && *c <= '9') ch.push_back(*c);
    x = 0;
    if (c < r.ptr) {
        const char* e = c + 1;
        if (e < r.ptr && *e == '+') ++e;
        std::from_chars(e, r.ptr, x);
    }
    return ch;
}

// Keeps `garde` digits, half away from zero; false when the value rounds to nothing.
bool arrondit(std::string& ch, int& x, int garde) {
    if (garde < 0) return false;
    if (garde >= static_cast<int>(ch.size())) return true;
    const bool monte = ch[static_cast<std::size_t>(garde)] >= '5';
    ch.resize(static_cast<std::size_t>(garde));
    if (!monte) return garde > 0;
    int i = garde - 1;
    for (; i >= 0; --i) {
        char& c = ch[static_cast<std::size_t>(i)];
        if (c == '9') {
            c = '0';
        } else {
            ++c;
            break;
        }
    }
    if (i < 0) {
        ch.insert(ch.begin(), '1');
        ++x;
    }
    return true;
}

char chiffre_en(const std::string& ch, int i) {
    return (i >= 0 && i < static_cast<int>(ch.size())) ? ch[static_cast<std::size_t>(i)] : '0';
}

} // namespace

std::string formate_nombre(std::string_view image, long double v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";

    // The exponent: E or e, a sign, at least one zero.
    std::size_t pos_e = std::string_view::npos;
    for (std::size_t i = 0; i + 2 < image.size(); ++i) {
        if ((image[i] == 'E' || image[i] == 'e') && (image[i + 1] == '+' || image[i + 1] == '-') && image[i + 2] == '0') {
            pos_e = i;
            break;
        }
    }
    const std::string_view mantisse = image.substr(0, pos_e);
    std::size_t zeros_exp = 0;
    std::string_view apres;
    if (pos_e != std::string_view::npos) {
        std::size_t i = pos_e + 2;
        while (i < image.size() && image[i] == '0') ++i;
        zeros_exp = i - pos_e - 2;
        apres = image.substr(i);
    }

    const std::size_t point = mantisse.find('.');
    const std::string_view entier = mantisse.substr(0, point);
    const std::string_view decimales = point == std::string_view::npos ? std::string_view() : mantisse.substr(point + 1);

    int ni = 0, premier_zero = -1;
    for (char c : entier) {
        if (!place_chiffre(c)) continue;
        if (c == '0' && premier_zero < 0) premier_zero = ni;
        ++ni;
    }
    const int min_entier = premier_zero < 0 ? 0 : ni - premier_zero;
    int nd = 0, dec_obligatoires = 0;
    for (char c : decimales) {
        if (!place_chiffre(c)) continue;
        ++nd;
        if (c == '0') dec_obligatoires = nd;
    }

    const long double a = std::fabs(v);
    int x = 0;
    std::string ch = a != 0 ? chiffres_de(a, x) : std::string();
    std::string D, decs;
    int exposant = 0;
    bool non_nul;
    if (pos_e != std::string_view::npos) {
        non_nul = a != 0 && arrondit(ch, x, std::max(ni + nd, 1));
        if (non_nul) {
            exposant = x - (ni - 1);
            for (int i = 0; i < ni; ++i) D.push_back(chiffre_en(ch, i));
            for (int i = 0; i < nd; ++i) decs.push_back(chiffre_en(ch, ni + i));
        }
    } else {
        non_nul = a != 0 && arrondit(ch, x, x + 1 + nd);
        if (non_nul) {
            for (int p = x; p >= 0; --p) D.push_back(chiffre_en(ch, x - p));
            for (int p = -1; p >= -nd; --p) decs.push_back(chiffre_en(ch, x - p));
        }
    }
    if (!non_nul) decs.assign(static_cast<std::size_t>(nd), '0');
    if (static_cast<int>(D.size()) < min_entier) D.insert(0, static_cast<std::size_t>(min_entier) - D.size(), '0');
    int garde = nd;
    while (garde > dec_obligatoires && decs[static_cast<std::size_t>(garde - 1)] == '0') --garde;

    // A value that rounds to zero has no sign.
    bool signe_a_mettre = non_nul && std::signbit(v);
    std::string out;
    auto ecrit = [&](std::string_view t) {
        if (signe_a_mettre) {
            out.push_back('-');
            signe_a_mettre = false;
        }
        out.append(t);
    };

    const int L = static_cast<int>(D.size());
    if (ni == 0 && L > 0) ecrit(D);
    int i = 0;
    for (char c : entier) {
        if (!place_chiffre(c)) {
            out.push_back(c);
            continue;
        }
        const int depuis_droite = ni - 1 - i;
        if (i == 0 && L > ni)
            ecrit(std::string_view(D).substr(0, static_cast<std::size_t>(L - ni + 1)));
        else if (depuis_droite < L)
            ecrit(std::string_view(D).substr(static_cast<std::size_t>(L - 1 - depuis_droite), 1));
        ++i;
    }
    if (garde > 0) ecrit(std::string(1, separateur_decimal()));
    int j = 0;
    for (char c : decimales) {
        if (!place_chiffre(c)) {
            out.push_back(c);
            continue;
        }
        if (j < garde) out.push_back(decs[static_cast<std::size_t>(j)]);
        ++j;
    }
    if (pos_e != std::string_view::npos) {
        out.push_back(image[pos_e]);
        if (exposant < 0)
            out.push_back('-');
        else if (image[pos_e + 1] == '+')
            out.push_back('+');
        std::string e = std::to_string(std::abs(exposant));
        if (e.size() < zeros_exp) e.insert(0, zeros_exp - e.size(), '0');
        out += e;
        out.append(apres);
    }
    return out;
}

} // namespace vuv
