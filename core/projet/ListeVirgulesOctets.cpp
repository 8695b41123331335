// Splitting comma lists, one line at a time or the rows of a big table straight from a file's
// bytes: the lines are not cut first, and only the fields holding a byte of 0x80 or more are
// turned into UTF-8.
#include "core/projet/Balayage.h"
#include "core/projet/ListeVirgules.h"
#include "core/table/Grille.h"
#include "core/text/encodage.h"

#include <algorithm>
#include <array>

namespace vuv {
namespace {

using namespace balayage;

bool fin_de_ligne(char c) { return c == '\r' || c == '\n'; }

// The blanks skipped between fields: codes 1..32 except the line ends.
constexpr auto blancs_de_ligne = [] {
    std::array<bool, 256> t{};
    for (int c = 1; c <= 32; ++c) t[static_cast<std::size_t>(c)] = c != '\r' && c != '\n';
    return t;
}();

// Where an unquoted field ends: a comma or a character of code 0..32 (line ends included).
std::size_t fin_non_cite(std::string_view t, std::size_t p, bool& haut) {
    return premier(
        t, p, [](char c) { return static_cast<unsigned char>(c) <= 32 || c == ','; },
        [](std::uint64_t x) { return sous(x, 33) | egal(x, ','); }, haut);
}

// Where a quoted run ends: a quote, a NUL or the end of the line.
std::size_t fin_cite(std::string_view t, std::size_t p, bool& haut) {
    return premier(
        t, p, [](char c) { return c == '"' || c == '\0' || fin_de_ligne(c); },
        [](std::uint64_t x) { return egal(x, '"') | sous(x, 1) | egal(x, '\r') | egal(x, '\n'); }, haut);
}

} // namespace

void LecteurListes::prepare(std::size_t n_max) {
    if (champs_.size() < n_max) champs_.resize(n_max);
    if (sans_doubles_.size() < n_max) sans_doubles_.resize(n_max);
    if (convertis_.size() < n_max) convertis_.resize(n_max);
}

std::size_t LecteurListes::ajoute_lignes(Grille& g, std::string_view octets, std::size_t debut, int n) {
    const auto n_max = static_cast<std::size_t>(std::max(g.col_count(), 0));
    prepare(n_max);
    std::size_t p = std::min(debut, octets.size());
    for (int r = 0; r < n; ++r) {
        const int n_champs = decoupe_octets<true>(octets, p, n_max);
        g.ajoute_ligne(champs_.data(), n_champs);
    }
    return p;
}

template <bool convertir>
int LecteurListes::decoupe_octets(std::string_view t, std::size_t& p, std::size_t n_max) {
    const std::size_t n = t.size();
    std::size_t n_champs = 0;
    bool nul = false; // a NUL ends the line's fields, as it ends a C string
    auto saute_blancs = [&] {
        while (p < n && blancs_de_ligne[static_cast<unsigned char>(t[p])]) ++p;
    };
    saute_blancs();
    while (p < n && !fin_de_ligne(t[p])) {
        if (t[p] == '\0') {
            nul = true;
            break;
        }
        std::string_view champ;
        bool haut = false;
        if (t[p] == '"') {
            const std::size_t debut = ++p;
            p = fin_cite(t, p, haut);
            champ = t.substr(debut, p - debut);
            if (p < n && t[p] == '\0') {
                nul = true;
            } else if (p + 1 < n && t[p] == '"' && t[p + 1] == '"') {
                // Doubled quotes: the field is rebuilt without them.
                std::string* s = n_champs < n_max ? &sans_doubles_[n_champs] : nullptr;
                if (s) s->assign(champ);
                for (;;) {
                    ++p; // past a quote
                    if (p >= n || t[p] != '"') break;
                    const std::size_t suite = p++;
                    p = fin_cite(t, p, haut);
                    if (s) s->append(t.substr(suite, p - suite));
                    if (p >= n || t[p] != '"') { // unterminated: the line or a NUL ends it
                        nul = p < n && t[p] == '\0';
                        break;
                    }
                }
                if (s) champ = *s;
            } else if (p < n && t[p] == '"') {
                ++p; // the closing quote
            }
        } else {
            const std::size_t debut = p;
            p = fin_non_cite(t, p, haut);
            champ = t.substr(debut, p - debut);
        }
        if (n_champs < n_max) {
            if (convertir && haut) {
                convertis_[n_champs] = cp1252_vers_utf8(champ);
                champ = convertis_[n_champs];
            }
            champs_[n_champs++] = champ.empty() ? std::string_view(" ") : champ;
        }
        if (nul) break;
        saute_blancs();
        if (p < n && t[p] == ',') {
            ++p;
            saute_blancs();
        }
    }
    while (p < n && !fin_de_ligne(t[p])) ++p; // what follows a NUL is not read
    if (p < n && t[p] == '\r') ++p;
    if (p < n && t[p] == '\n') ++p;
    return static_cast<int>(n_champs);
}

// A line already in UTF-8: lit() and ajoute().
int LecteurListes::decoupe(std::string_view ligne, int max) {
    const auto n_max = static_cast<std::size_t>(std::max(max, 0));
    prepare(n_max);
    std::size_t p = 0;
    return decoupe_octets<false>(ligne, p, n_max);
}

} // namespace vuv
