#include "core/vue/Echantillonnage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace vuv {

std::vector<int> correspondance(int debut, int n_vue, int n_ecran) {
    std::vector<int> t(static_cast<std::size_t>(n_ecran > 0 ? n_ecran : 0));
    if (n_ecran <= 0) return t;
    // i * n_vue / n_ecran stepped on with its remainder: a division per pixel shows when panning.
    const long long pas_q = n_vue / n_ecran, pas_r = n_vue % n_ecran;
    long long q = 0, r = 0;
    for (int i = 0; i < n_ecran; ++i) {
        long long arrondi = q;
        if (2 * r > n_ecran || (2 * r == n_ecran && ((debut + q) & 1))) ++arrondi;
        t[static_cast<std::size_t>(i)] = static_cast<int>(debut + arrondi);
        q += pas_q;
        r += pas_r;
        if (r >= n_ecran) {
            r -= n_ecran;
            ++q;
        }
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

#if defined(__x86_64__)
// Sixteen at a time on processors with AVX2 (chosen at run time: the build targets any x86-64).
__attribute__((target("avx2"))) int convertit_avx2(const std::uint16_t* s, std::uint32_t* d, int n) {
    const __m256i masque = _mm256_set1_epi32(0x1F), alpha = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    auto etend = [&](__m256i v) __attribute__((target("avx2"))) {
        const __m256i r = _mm256_and_si256(_mm256_srli_epi32(v, 10), masque);
        const __m256i g = _mm256_and_si256(_mm256_srli_epi32(v, 5), masque);
        const __m256i b = _mm256_and_si256(v, masque);
        const __m256i r8 = _mm256_or_si256(_mm256_slli_epi32(r, 3), _mm256_srli_epi32(r, 2));
        const __m256i g8 = _mm256_or_si256(_mm256_slli_epi32(g, 3), _mm256_srli_epi32(g, 2));
        const __m256i b8 = _mm256_or_si256(_mm256_slli_epi32(b, 3), _mm256_srli_epi32(b, 2));
        return _mm256_or_si256(_mm256_or_si256(alpha, _mm256_slli_epi32(r8, 16)),
                               _mm256_or_si256(_mm256_slli_epi32(g8, 8), b8));
    };
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + 8));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), etend(_mm256_cvtepu16_epi32(a)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i + 8), etend(_mm256_cvtepu16_epi32(b)));
    }
    return i;
}

// Thirty-two at a time with AVX-512. GCC 12's own intrinsic headers start vectors from an
// "undefined" value and then warn about it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
__attribute__((target("avx512f,avx512bw"))) int convertit_avx512(const std::uint16_t* s, std::uint32_t* d, int n) {
    const __m512i masque = _mm512_set1_epi32(0x1F), alpha = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
    auto etend = [&](__m512i v) __attribute__((target("avx512f,avx512bw"))) {
        const __m512i r = _mm512_and_si512(_mm512_srli_epi32(v, 10), masque);
        const __m512i g = _mm512_and_si512(_mm512_srli_epi32(v, 5), masque);
        const __m512i b = _mm512_and_si512(v, masque);
        const __m512i r8 = _mm512_or_si512(_mm512_slli_epi32(r, 3), _mm512_srli_epi32(r, 2));
        const __m512i g8 = _mm512_or_si512(_mm512_slli_epi32(g, 3), _mm512_srli_epi32(g, 2));
        const __m512i b8 = _mm512_or_si512(_mm512_slli_epi32(b, 3), _mm512_srli_epi32(b, 2));
        return _mm512_or_si512(_mm512_or_si512(alpha, _mm512_slli_epi32(r8, 16)),
                               _mm512_or_si512(_mm512_slli_epi32(g8, 8), b8));
    };
    int i = 0;
    for (; i + 32 <= n; i += 32) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i + 16));
        _mm512_storeu_si512(d + i, etend(_mm512_cvtepu16_epi32(a)));
        _mm512_storeu_si512(d + i + 16, etend(_mm512_cvtepu16_epi32(b)));
    }
    return i;
}
#pragma GCC diagnostic pop
#endif

// A straight run of 15-bit pixels to screen colours, several at a time where the processor can.
void convertit_suite(const std::uint16_t* s, std::uint32_t* d, int n, const std::uint32_t* table) {
    int i = 0;
#if defined(__x86_64__)
    static const bool avx512 = __builtin_cpu_supports("avx512bw");
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx512)
        i = convertit_avx512(s, d, n);
    else if (avx2)
        i = convertit_avx2(s, d, n);
#endif
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128(), masque = _mm_set1_epi32(0x1F), alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    auto etend = [&](__m128i v) {
        const __m128i r = _mm_and_si128(_mm_srli_epi32(v, 10), masque);
        const __m128i g = _mm_and_si128(_mm_srli_epi32(v, 5), masque);
        const __m128i b = _mm_and_si128(v, masque);
        const __m128i r8 = _mm_or_si128(_mm_slli_epi32(r, 3), _mm_srli_epi32(r, 2));
        const __m128i g8 = _mm_or_si128(_mm_slli_epi32(g, 3), _mm_srli_epi32(g, 2));
        const __m128i b8 = _mm_or_si128(_mm_slli_epi32(b, 3), _mm_srli_epi32(b, 2));
        return _mm_or_si128(_mm_or_si128(alpha, _mm_slli_epi32(r8, 16)), _mm_or_si128(_mm_slli_epi32(g8, 8), b8));
    };
    for (i = i & ~7; i + 8 <= n; i += 8) {
        const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), etend(_mm_unpacklo_epi16(p, zero)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i + 4), etend(_mm_unpackhi_epi16(p, zero)));
    }
#endif
    for (; i < n; ++i) d[i] = table[s[i] & 0x7FFF];
}

} // namespace

namespace {

Rect partie_dans(const Rect& partie, const VuePixels& ecran) {
    return {std::max(partie.x0, 0), std::max(partie.y0, 0), std::min(partie.x1, ecran.largeur - 1),
            std::min(partie.y1, ecran.hauteur - 1)};
}

} // namespace

void echantillonne_vue(const VuePixels& calque, const Rect& vue, const VuePixels& ecran, std::uint32_t fond,
                       const Rect& partie_demandee) {
    if (!ecran.valide() || ecran.format != FormatPixels::rgb32) return;
    const Rect partie = partie_dans(partie_demandee, ecran);
    if (partie.largeur() <= 0 || partie.hauteur() <= 0) return;
    const std::vector<int> colonnes = correspondance(vue.x0, vue.largeur(), ecran.largeur);
    const std::vector<int> lignes = correspondance(vue.y0, vue.hauteur(), ecran.hauteur);
    const bool source = calque.valide() && calque.format == FormatPixels::rgb555;

    // Columns inside the overlay form one run, since the mapping only grows.
    int premier = partie.x0, dernier = partie.x1 + 1;
    if (source) {
        while (premier < dernier && colonnes[static_cast<std::size_t>(premier)] < 0) ++premier;
        while (dernier > premier && colonnes[static_cast<std::size_t>(dernier - 1)] >= calque.largeur) --dernier;
    }
    const std::uint32_t* table = table_555();
    const bool un_pour_un = vue.largeur() == ecran.largeur;
    const auto largeur = static_cast<std::size_t>(partie.largeur());
    int ligne_precedente = -1;
    const std::uint32_t* precedente = nullptr;
    for (int j = partie.y0; j <= partie.y1; ++j) {
        auto* d = reinterpret_cast<std::uint32_t*>(ecran.ligne(j)) + partie.x0;
        const int sy = lignes[static_cast<std::size_t>(j)];
        if (!source || sy < 0 || sy >= calque.hauteur) {
            std::fill_n(d, largeur, fond);
            precedente = nullptr;
            continue;
        }
        if (sy == ligne_precedente && precedente) {
            // Zoomed in: the same overlay row repeats on several screen rows.
            std::memcpy(d, precedente, largeur * 4);
            continue;
        }
        const auto* s = reinterpret_cast<const std::uint16_t*>(calque.ligne(sy));
        d -= partie.x0; // indexed by screen column below
        std::fill(d + partie.x0, d + premier, fond);
        if (un_pour_un) {
            // One overlay pixel per screen pixel: a straight run.
            convertit_suite(s + colonnes[static_cast<std::size_t>(premier)], d + premier, dernier - premier, table);
        } else {
            const int* col = colonnes.data();
            for (int i = premier; i < dernier; ++i) d[i] = table[s[col[i]] & 0x7FFF];
        }
        std::fill(d + dernier, d + partie.x1 + 1, fond);
        ligne_precedente = sy;
        precedente = d + partie.x0;
    }
}

} // namespace vuv

namespace vuv {

namespace {

// Screen pixels sixteen at a time from a row of the reduced copy: the columns of a view step
// by at most two there, so the sixteen come from the 32 pixels starting at the first one and
// one permutation replaces sixteen loads. Blocks are laid out once per view.
struct Blocs {
    std::vector<int> debuts;
    std::vector<std::int32_t> index; // 16 per block, relative to its start
};

Blocs blocs_de(const std::vector<int>& colonnes, int premier, int dernier) {
    Blocs b;
    for (int i = premier; i + 16 <= dernier; i += 16) {
        const int debut = colonnes[static_cast<std::size_t>(i)];
        if (colonnes[static_cast<std::size_t>(i + 15)] - debut > 31) return {}; // too far apart
        b.debuts.push_back(debut);
        for (int k = 0; k < 16; ++k) b.index.push_back(colonnes[static_cast<std::size_t>(i + k)] - debut);
    }
    return b;
}

#if defined(__x86_64__)
__attribute__((target("avx512f"))) void permute_ligne(const std::uint32_t* s, std::uint32_t* d, const Blocs& b) {
    const std::size_t n = b.debuts.size();
    for (std::size_t k = 0; k < n; ++k) {
        const std::uint32_t* p = s + b.debuts[k];
        const __m512i bas = _mm512_loadu_si512(p), haut = _mm512_loadu_si512(p + 16);
        const __m512i index = _mm512_loadu_si512(b.index.data() + 16 * k);
        _mm512_storeu_si512(d + 16 * k, _mm512_permutex2var_epi32(bas, index, haut));
    }
}
#endif

// Past the last pixel, so the 32 pixels read for a block near the end stay in the copy.
constexpr std::size_t marge_lecture = 32;

} // namespace

int facteur_reduction(const Rect& vue, int ecran_l, int ecran_h) {
    if (ecran_l <= 0 || ecran_h <= 0) return 1;
    const double echelle = std::min(static_cast<double>(vue.largeur()) / ecran_l,
                                    static_cast<double>(vue.hauteur()) / ecran_h);
    return std::clamp(static_cast<int>(echelle), 1, 16);
}

void reduit(const VuePixels& calque, int facteur, CopieReduite& copie) {
    copie.facteur = facteur;
    copie.largeur_calque = calque.largeur;
    copie.hauteur_calque = calque.hauteur;
    copie.largeur = (calque.largeur + facteur - 1) / facteur;
    copie.hauteur = (calque.hauteur + facteur - 1) / facteur;
    copie.pixels.resize(static_cast<std::size_t>(copie.largeur) * static_cast<std::size_t>(copie.hauteur) +
                        marge_lecture);
    const std::uint32_t* table = table_555();
    for (int y = 0; y < copie.hauteur; ++y) {
        const auto* s = reinterpret_cast<const std::uint16_t*>(calque.ligne(y * facteur));
        std::uint32_t* d = copie.pixels.data() + static_cast<std::size_t>(y) * copie.largeur;
        for (int x = 0; x < copie.largeur; ++x) d[x] = table[s[x * facteur] & 0x7FFF];
    }
}

void echantillonne_reduite(const CopieReduite& copie, const Rect& vue, const VuePixels& ecran, std::uint32_t fond,
                           const Rect& partie_demandee) {
    if (!ecran.valide() || ecran.format != FormatPixels::rgb32 || copie.facteur < 1) return;
    const Rect partie = partie_dans(partie_demandee, ecran);
    if (partie.largeur() <= 0 || partie.hauteur() <= 0) return;
    std::vector<int> colonnes = correspondance(vue.x0, vue.largeur(), ecran.largeur);
    const std::vector<int> lignes = correspondance(vue.y0, vue.hauteur(), ecran.hauteur);
    int premier = partie.x0, dernier = partie.x1 + 1;
    while (premier < dernier && colonnes[static_cast<std::size_t>(premier)] < 0) ++premier;
    while (dernier > premier && colonnes[static_cast<std::size_t>(dernier - 1)] >= copie.largeur_calque) --dernier;
    for (int i = premier; i < dernier; ++i) colonnes[static_cast<std::size_t>(i)] /= copie.facteur;
    Blocs blocs;
#if defined(__x86_64__)
    static const bool avx512 = __builtin_cpu_supports("avx512f");
    if (avx512 && copie.pixels.size() >= marge_lecture) blocs = blocs_de(colonnes, premier, dernier);
#endif
    const int debut_scalaire = premier + 16 * static_cast<int>(blocs.debuts.size());
    for (int j = partie.y0; j <= partie.y1; ++j) {
        auto* d = reinterpret_cast<std::uint32_t*>(ecran.ligne(j));
        const int sy = lignes[static_cast<std::size_t>(j)];
        if (sy < 0 || sy >= copie.hauteur_calque) {
            std::fill(d + partie.x0, d + partie.x1 + 1, fond);
            continue;
        }
        const std::uint32_t* s = copie.pixels.data() + static_cast<std::size_t>(sy / copie.facteur) * copie.largeur;
        std::fill(d + partie.x0, d + premier, fond);
#if defined(__x86_64__)
        if (!blocs.debuts.empty()) permute_ligne(s, d + premier, blocs);
#endif
        for (int i = debut_scalaire; i < dernier; ++i) d[i] = s[colonnes[static_cast<std::size_t>(i)]];
        std::fill(d + dernier, d + partie.x1 + 1, fond);
    }
}

} // namespace vuv
