#include "core/projet/LecteurTexte.h"

#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace vuv {

#if defined(__x86_64__)
namespace {

// Thirty-two bytes at a time on processors with AVX2 (chosen at run time).
__attribute__((target("avx2,popcnt"))) std::size_t compte_lf_avx2(std::string_view t, std::size_t& i) {
    const __m256i lf = _mm256_set1_epi8('\n');
    std::size_t n = 0;
    for (; i + 32 <= t.size(); i += 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t.data() + i));
        n += static_cast<std::size_t>(__builtin_popcount(static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, lf)))));
    }
    return n;
}

} // namespace
#endif

// Eight bytes at a time, one byte counter per lane (std::count widens every byte to 64 bits
// and takes several times longer on a big project).
std::size_t compte_lf_par_mots(std::string_view t) {
    constexpr std::uint64_t bas7 = 0x7F7F7F7F7F7F7F7FULL, lf = 0x0A0A0A0A0A0A0A0AULL;
    constexpr std::uint64_t octets_pairs = 0x00FF00FF00FF00FFULL;
    std::size_t n = 0, i = 0;
    while (i + 8 <= t.size()) {
        std::uint64_t lanes = 0; // at most 255 per lane
        for (int k = 0; k < 255 && i + 8 <= t.size(); ++k, i += 8) {
            std::uint64_t x;
            std::memcpy(&x, t.data() + i, 8);
            x ^= lf;
            lanes += ~(((x & bas7) + bas7) | x | bas7) >> 7; // 1 in each lane that held a LF
        }
        const std::uint64_t paires = (lanes & octets_pairs) + ((lanes >> 8) & octets_pairs);
        n += static_cast<std::size_t>((paires * 0x0001000100010001ULL) >> 48);
    }
    for (; i < t.size(); ++i) n += t[i] == '\n';
    return n;
}

std::size_t compte_lf(std::string_view t) {
    std::size_t n = 0, i = 0;
#if defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    if (avx2) n = compte_lf_avx2(t, i);
#endif
    return n + compte_lf_par_mots(t.substr(i));
}

std::string_view LecteurTexte::ligne() {
    const std::size_t debut = p_;
    p_ = fin_de_ligne();
    const std::string_view l = t_.substr(debut, p_ - debut);
    saute_fin_de_ligne();
    if (tout_ascii(l)) return l;
    converti_ = cp1252_vers_utf8(l);
    return converti_;
}

void LecteurTexte::fin_ligne() {
    p_ = fin_de_ligne();
    saute_fin_de_ligne();
}

int LecteurTexte::entier(int& v) {
    while (p_ < t_.size() && static_cast<unsigned char>(t_[p_]) <= 32) ++p_;
    if (p_ >= t_.size()) return 100;
    const std::size_t debut = p_;
    while (p_ < t_.size() && static_cast<unsigned char>(t_[p_]) > 32) ++p_;
    // Digits and signs are ASCII: any other byte makes the same error in either encoding.
    const LectureEntier r = lit_entier(t_.substr(debut, p_ - debut));
    if (r.erreur != 0) return 106;
    v = r.valeur;
    return 0;
}

long long LecteurTexte::lignes_restantes() {
    if (compte_depuis_ > p_ || compte_ < 0)
        compte_ = 1 + static_cast<long long>(compte_lf(t_.substr(p_)));
    else
        compte_ -= static_cast<long long>(compte_lf(t_.substr(compte_depuis_, p_ - compte_depuis_)));
    compte_depuis_ = p_;
    return compte_;
}

// A line ends at CR or LF. The next LF is remembered, so files whose lines end with CR alone
// are not searched to the end once per line.
std::size_t LecteurTexte::fin_de_ligne() {
    if (!lf_connu_ || lf_ < p_) {
        lf_ = std::min(t_.find('\n', p_), t_.size());
        lf_connu_ = true;
    }
    return std::min(t_.substr(0, lf_).find('\r', p_), lf_);
}

void LecteurTexte::saute_fin_de_ligne() {
    if (p_ < t_.size() && t_[p_] == '\r') ++p_;
    if (p_ < t_.size() && t_[p_] == '\n') ++p_;
}

} // namespace vuv
