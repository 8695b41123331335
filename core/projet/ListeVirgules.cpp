#include "core/projet/ListeVirgules.h"

#include "core/projet/Balayage.h"
#include "core/table/Grille.h"

#include <algorithm>
#include <array>

namespace vuv {
namespace {

using namespace balayage;

// Where an unquoted field ends: a comma or a character of code 0..32.
std::size_t fin_non_cite(std::string_view t, std::size_t p) {
    return premier(
        t, p, [](char c) { return static_cast<unsigned char>(c) <= 32 || c == ','; },
        [](std::uint64_t x) { return sous(x, 33) | egal(x, ','); });
}

// Where a quoted run ends: a quote or a NUL.
std::size_t fin_cite(std::string_view t, std::size_t p) {
    return premier(
        t, p, [](char c) { return c == '"' || c == '\0'; },
        [](std::uint64_t x) { return egal(x, '"') | sous(x, 1); });
}

// Characters that make a cell quoted, as a table: short cells are tested byte by byte.
constexpr auto a_citer = [] {
    std::array<bool, 256> t{};
    for (int c = 0; c <= 32; ++c) t[static_cast<std::size_t>(c)] = true;
    t['"'] = t[','] = true;
    return t;
}();

bool doit_citer(std::string_view t) {
    return premier(
               t, 0, [](char c) { return a_citer[static_cast<unsigned char>(c)]; },
               [](std::uint64_t x) { return sous(x, 33) | egal(x, '"') | egal(x, ','); }) < t.size();
}

} // namespace

void ecrit_liste_virgules(std::string& sortie, const Grille& g, int row) {
    const std::string* cellules = g.ligne(row);
    if (!cellules) { // a row past the end reads as empty cells
        sortie.append(static_cast<std::size_t>(std::max(g.col_count() - 1, 0)), ',');
        return;
    }
    for (int c = 0; c < g.col_count(); ++c) {
        if (c > 0) sortie.push_back(',');
        const std::string& t = cellules[c];
        if (!doit_citer(t)) {
            sortie += t;
            continue;
        }
        sortie.push_back('"');
        for (std::size_t debut = 0;;) {
            const std::size_t guillemet = t.find('"', debut);
            if (guillemet == std::string::npos) {
                sortie.append(t, debut);
                break;
            }
            sortie.append(t, debut, guillemet + 1 - debut);
            sortie.push_back('"');
            debut = guillemet + 1;
        }
        sortie.push_back('"');
    }
}

std::string ecrit_liste_virgules(const Grille& g, int row) {
    std::string ligne;
    ecrit_liste_virgules(ligne, g, row);
    return ligne;
}

void lit_liste_virgules(Grille& g, int row, std::string_view ligne) { LecteurListes().lit(g, row, ligne); }

void LecteurListes::lit(Grille& g, int row, std::string_view ligne) {
    if (row < 0 || row >= g.row_count()) return;
    g.vide_ligne(row);
    // The row is empty and every field stored is non-empty (an empty one becomes a space), so
    // the leftmost empty cell is always the next one.
    const int n = decoupe(ligne, g.col_count());
    for (int c = 0; c < n; ++c) g.assigne_cell(c, row, champs_[static_cast<std::size_t>(c)]);
}

void LecteurListes::ajoute(Grille& g, std::string_view ligne) {
    const int n = decoupe(ligne, g.col_count());
    g.ajoute_ligne(champs_.data(), n);
}

int LecteurListes::decoupe(std::string_view ligne, int max) {
    const auto n_max = static_cast<std::size_t>(std::max(max, 0));
    if (champs_.size() < n_max) champs_.resize(n_max);
    if (sans_doubles_.size() < n_max) sans_doubles_.resize(n_max);
    std::size_t n_champs = 0;
    // A NUL ends the line, as it ends a C string: every scan below stops on it.
    std::size_t p = 0, n = ligne.size();
    auto saute_blancs = [&] {
        while (p < n && blanc(ligne[p])) ++p;
    };
    saute_blancs();
    while (p < n && ligne[p] != '\0') {
        std::string_view champ;
        if (ligne[p] == '"') {
            const std::size_t debut = ++p;
            p = fin_cite(ligne, p);
            champ = ligne.substr(debut, p - debut);
            if (p < n && ligne[p] == '\0') {
                n = p;
            } else if (p + 1 < n && ligne[p + 1] == '"') {
                // Doubled quotes: the field is rebuilt without them.
                std::string* t = n_champs < n_max ? &sans_doubles_[n_champs] : nullptr;
                if (t) t->assign(champ);
                while (p < n) {
                    ++p; // past a quote
                    if (p >= n || ligne[p] != '"') break;
                    const std::size_t suite = p++;
                    p = fin_cite(ligne, p);
                    if (t) t->append(ligne.substr(suite, p - suite));
                    if (p < n && ligne[p] == '\0') n = p;
                }
                if (t) champ = *t;
            } else if (p < n) {
                ++p; // the closing quote
            }
        } else {
            const std::size_t debut = p;
            p = fin_non_cite(ligne, p);
            champ = std::string_view(ligne.data() + debut, p - debut);
        }
        if (n_champs < n_max) champs_[n_champs++] = champ.empty() ? std::string_view(" ") : champ;
        saute_blancs();
        if (p < n && ligne[p] == ',') {
            ++p;
            saute_blancs();
        }
    }
    return static_cast<int>(n_champs);
}

} // namespace vuv
