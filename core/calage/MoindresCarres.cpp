#include "core/calage/MoindresCarres.h"

#include <cmath>
#include <cstddef>

namespace vuv {

bool moindres_carres(std::vector<long double> A, std::vector<long double> b, int lignes, int inconnues,
                     std::vector<long double>& u) {
    using ld = long double;
    const auto m = static_cast<std::size_t>(lignes), n = static_cast<std::size_t>(inconnues);
    if (m < n || A.size() != m * n || b.size() != m) return false;
    const auto a = [&](std::size_t i, std::size_t j) -> ld& { return A[i * n + j]; };
    // Rank is judged against the largest column, so that map units in metres or in degrees agree.
    ld echelle = 0;
    for (ld v : A) echelle = std::max(echelle, std::fabs(v));
    if (echelle == 0) return false;
    const ld seuil = echelle * 1e-14L;
    for (std::size_t k = 0; k < n; ++k) {
        ld norme = 0;
        for (std::size_t i = k; i < m; ++i) norme += a(i, k) * a(i, k);
        norme = std::sqrt(norme);
        if (norme <= seuil) return false;
        const ld alpha = a(k, k) > 0 ? -norme : norme;
        // v = x - alpha e1, kept in column k from row k on.
        a(k, k) -= alpha;
        ld vv = 0;
        for (std::size_t i = k; i < m; ++i) vv += a(i, k) * a(i, k);
        for (std::size_t j = k + 1; j < n; ++j) {
            ld s = 0;
            for (std::size_t i = k; i < m; ++i) s += a(i, k) * a(i, j);
            const ld f = 2 * s / vv;
            for (std::size_t i = k; i < m; ++i) a(i, j) -= f * a(i, k);
        }
        ld s = 0;
        for (std::size_t i = k; i < m; ++i) s += a(i, k) * b[i];
        const ld f = 2 * s / vv;
        for (std::size_t i = k; i < m; ++i) b[i] -= f * a(i, k);
        a(k, k) = alpha;
    }
    std::vector<ld> x(n);
    for (std::size_t k = n; k-- > 0;) {
        ld s = b[k];
        for (std::size_t j = k + 1; j < n; ++j) s -= a(k, j) * x[j];
        x[k] = s / a(k, k);
        if (!std::isfinite(x[k])) return false;
    }
    u = std::move(x);
    return true;
}

} // namespace vuv
