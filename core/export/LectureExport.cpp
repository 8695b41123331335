#include "core/export/LectureExport.h"

#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"

#include <cmath>
#include <limits>
#include <optional>

namespace vuv {
namespace {

[[noreturn]] void refuse(std::string_view texte, const char* genre, const std::string& quoi) {
    throw ErreurExport("'" + std::string(texte) + "' n'est pas une valeur " + genre + " valide (" + quoi + ")");
}

std::string cellule(int col, int row) {
    static const char* noms[] = {"n", "L", "Libellé", "X", "Y", "Z", "x", "y", "z"};
    return "colonne " + std::string(noms[col]) + " du point n°" + std::to_string(row);
}

} // namespace

long double lit_reel_export(std::string_view texte, const std::string& quoi) {
    std::string s = enleve_blancs(texte);
    // A comma is a decimal mark only when no point is there: "1.234,5" stays unreadable.
    if (s.find('.') == std::string::npos) {
        const auto v = s.find(',');
        if (v != std::string::npos) s[v] = '.';
    }
    const std::optional<long double> r = nombres::lit(s, '.', true, false);
    if (!r || !std::isfinite(*r)) refuse(texte, "réelle", quoi);
    return *r;
}

long double lit_reel_sig(std::string_view texte, const std::string& quoi) {
    const long double v = lit_reel_export(texte, quoi);
    if (std::fabs(v) > std::numeric_limits<double>::max())
        throw ErreurExport("'" + std::string(texte) + "' est trop grand pour un fichier SIG (" + quoi +
                           ") : au plus 1,7E308 en valeur absolue");
    return v;
}

long double lit_reel_local(std::string_view texte, const std::string& quoi) {
    const std::optional<long double> r = nombres::lit(enleve_blancs(texte), separateur_decimal(), true, true);
    if (!r || !std::isfinite(*r)) refuse(texte, "réelle", quoi);
    return *r;
}

std::int32_t lit_entier_export(std::string_view texte, const std::string& quoi) {
    const LectureEntier r = lit_entier(texte);
    if (r.erreur != 0) refuse(texte, "entière", quoi);
    return r.valeur;
}

long double X_du_point(const Document& d, int row) {
    return lit_reel_export(d.StringGrid1.cell(3, row), cellule(3, row));
}

long double Y_du_point(const Document& d, int row) {
    return lit_reel_export(d.StringGrid1.cell(4, row), cellule(4, row));
}

std::int32_t L_du_point(const Document& d, int row) {
    return lit_entier_export(d.StringGrid1.cell(1, row), cellule(1, row));
}

long double arrondi_pair_reel(long double v) {
    if (!std::isfinite(v)) return v;
    const long double bas = std::floor(v);
    const long double reste = v - bas;
    if (reste > 0.5L) return bas + 1;
    if (reste < 0.5L) return bas;
    return std::fmod(bas, 2.0L) == 0 ? bas : bas + 1;
}

} // namespace vuv
