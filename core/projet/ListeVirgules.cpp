#include "core/projet/ListeVirgules.h"

#include "core/projet/Balayage.h"
#include "core/table/Grille.h"

#include <algorithm>
#include <array>

namespace vuv {
namespace {

using namespace balayage;

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
    const Grille::Rangee cellules = g.ligne(row);
    if (!cellules) { // a row past the end reads as empty cells
        sortie.append(static_cast<std::size_t>(std::max(g.col_count() - 1, 0)), ',');
        return;
    }
    for (int c = 0; c < g.col_count(); ++c) {
        if (c > 0) sortie.push_back(',');
        const std::string_view t = cellules[c];
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
    const int n = decoupe(ligne, g.col_count());
    g.affecte_ligne(row, champs_.data(), n);
}

void LecteurListes::ajoute(Grille& g, std::string_view ligne) {
    const int n = decoupe(ligne, g.col_count());
    g.ajoute_ligne(champs_.data(), n);
}

} // namespace vuv
