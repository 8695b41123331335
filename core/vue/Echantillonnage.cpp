#include "core/vue/Echantillonnage.h"

#include <cstring>

namespace vuv {

std::vector<int> correspondance(int debut, int n_vue, int n_ecran) {
    std::vector<int> t(static_cast<std::size_t>(n_ecran > 0 ? n_ecran : 0));
    for (int i = 0; i < n_ecran; ++i) {
        const long long num = static_cast<long long>(i) * n_vue;
        long long q = num / n_ecran;
        const long long r2 = 2 * (num % n_ecran);
        if (r2 > n_ecran || (r2 == n_ecran && ((debut + q) & 1))) ++q;
        t[static_cast<std::size_t>(i)] = static_cast<int>(debut + q);
    }
    return t;
}

namespace {

// 15-bit pixel to screen colour, all 32768 of them (128 KB, stays in cache while painting).
const std::uint32_t* table_555() {
    static const std::vector<std::uint32_t> table = [] {
        std::vector<std::uint32_t> t(0x8000);
        for (std::uint32_t p = 0; p < 0x8000; ++p) t[p] = argb_de_rgb555(static_cast<std::uint16_t>(p));
        return t;
    }();
    return table.data();
}

} // namespace

void echantillonne_vue(const VuePixels& calque, const Rect& vue, const VuePixels& ecran, std::uint32_t fond) {
    if (!ecran.valide() || ecran.format != FormatPixels::rgb32) return;
    const std::vector<int> colonnes = correspondance(vue.x0, vue.largeur(), ecran.largeur);
    const std::vector<int> lignes = correspondance(vue.y0, vue.hauteur(), ecran.hauteur);
    const bool source = calque.valide() && calque.format == FormatPixels::rgb555;

    // Columns inside the overlay form one run, since the mapping only grows.
    int premier = 0, dernier = ecran.largeur;
    if (source) {
        while (premier < ecran.largeur && colonnes[static_cast<std::size_t>(premier)] < 0) ++premier;
        while (dernier > premier && colonnes[static_cast<std::size_t>(dernier - 1)] >= calque.largeur) --dernier;
    }
    const std::uint32_t* table = table_555();
    const bool un_pour_un = vue.largeur() == ecran.largeur;
    int ligne_precedente = -1;
    const std::uint32_t* precedente = nullptr;
    for (int j = 0; j < ecran.hauteur; ++j) {
        auto* d = reinterpret_cast<std::uint32_t*>(ecran.ligne(j));
        const int sy = lignes[static_cast<std::size_t>(j)];
        if (!source || sy < 0 || sy >= calque.hauteur) {
            for (int i = 0; i < ecran.largeur; ++i) d[i] = fond;
            precedente = nullptr;
            continue;
        }
        if (sy == ligne_precedente && precedente) {
            // Zoomed in: the same overlay row repeats on several screen rows.
            std::memcpy(d, precedente, static_cast<std::size_t>(ecran.largeur) * 4);
            continue;
        }
        const auto* s = reinterpret_cast<const std::uint16_t*>(calque.ligne(sy));
        for (int i = 0; i < premier; ++i) d[i] = fond;
        if (un_pour_un) {
            // One overlay pixel per screen pixel: a straight run.
            const std::uint16_t* src = s + colonnes[static_cast<std::size_t>(premier)];
            for (int i = premier; i < dernier; ++i) d[i] = table[*src++ & 0x7FFF];
        } else {
            const int* col = colonnes.data();
            for (int i = premier; i < dernier; ++i) d[i] = table[s[col[i]] & 0x7FFF];
        }
        for (int i = dernier; i < ecran.largeur; ++i) d[i] = fond;
        ligne_precedente = sy;
        precedente = d;
    }
}

} // namespace vuv
