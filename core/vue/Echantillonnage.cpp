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
        for (int i = premier; i < dernier; ++i) d[i] = argb_de_rgb555(s[colonnes[static_cast<std::size_t>(i)]]);
        for (int i = dernier; i < ecran.largeur; ++i) d[i] = fond;
        ligne_precedente = sy;
        precedente = d;
    }
}

} // namespace vuv
