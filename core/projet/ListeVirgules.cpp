#include "core/projet/ListeVirgules.h"

#include "core/table/Grille.h"

namespace vuv {
namespace {

bool blanc(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

bool doit_citer(const std::string& t) {
    for (char c : t)
        if (static_cast<unsigned char>(c) <= 32 || c == '"' || c == ',') return true;
    return false;
}

} // namespace

std::string ecrit_liste_virgules(const Grille& g, int row) {
    std::string ligne;
    for (int c = 0; c < g.col_count(); ++c) {
        if (c > 0) ligne.push_back(',');
        const std::string& t = g.cell(c, row);
        if (!doit_citer(t)) {
            ligne += t;
            continue;
        }
        ligne.push_back('"');
        for (char ch : t) {
            if (ch == '"') ligne.push_back('"');
            ligne.push_back(ch);
        }
        ligne.push_back('"');
    }
    return ligne;
}

void lit_liste_virgules(Grille& g, int row, std::string_view ligne) {
    if (row < 0 || row >= g.row_count()) return;
    g.vide_ligne(row);
    // A NUL ends the line, as it ends a C string.
    const auto fin_nul = ligne.find('\0');
    if (fin_nul != std::string_view::npos) ligne = ligne.substr(0, fin_nul);
    // The row is empty and every field stored is non-empty (an empty one becomes a space), so
    // the leftmost empty cell is always the next one.
    int colonne = 0;
    std::size_t p = 0;
    const std::size_t n = ligne.size();
    while (p < n && blanc(ligne[p])) ++p;
    std::string champ;
    while (p < n) {
        champ.clear();
        if (ligne[p] == '"') {
            ++p;
            while (p < n) {
                if (ligne[p] == '"') {
                    ++p;
                    if (p >= n || ligne[p] != '"') break;
                }
                champ.push_back(ligne[p++]);
            }
        } else {
            const std::size_t debut = p;
            while (p < n && !blanc(ligne[p]) && ligne[p] != ',') ++p;
            champ.assign(ligne.substr(debut, p - debut));
        }
        if (colonne < g.col_count()) g.set_cell(colonne++, row, champ.empty() ? std::string(" ") : champ);
        while (p < n && blanc(ligne[p])) ++p;
        if (p < n && ligne[p] == ',') {
            do {
                ++p;
            } while (p < n && blanc(ligne[p]));
        }
    }
}

} // namespace vuv
