#include "tests/support/Instantane.h"

#include "core/document/Document.h"

#include <sstream>

namespace vuv::test {
namespace {

std::vector<std::vector<std::string>> cellules(const Grille& g) {
    std::vector<std::vector<std::string>> t(static_cast<std::size_t>(g.row_count()));
    for (int r = 0; r < g.row_count(); ++r)
        for (int c = 0; c < g.col_count(); ++c) t[static_cast<std::size_t>(r)].emplace_back(g.cell(c, r));
    return t;
}

std::string texte(const EnregistrementCalage& e) {
    std::ostringstream s;
    s.precision(21);
    s << e.valide << ' ' << e.x << ' ' << e.y << ' ' << e.X << ' ' << e.Y << ' ' << e.Z;
    return s.str();
}

} // namespace

Instantane Instantane::de(const Document& d) {
    Instantane i;
    i.tables = {cellules(d.StringGrid1), cellules(d.StringGrid2), cellules(d.StringGrid3)};
    i.nb_points = d.nb_points;
    i.num_ligne = d.num_ligne;
    i.nb_calage = d.nb_calage;
    for (std::size_t k = 0; k < 3; ++k) i.calage[k] = texte(d.calage[k]);
    i.sauve = d.sauve;
    return i;
}

std::string difference(const Instantane& a, const Instantane& b, bool avec_sauve) {
    const auto nombres = [](const char* nom, long long x, long long y) {
        return nom + std::string(" : ") + std::to_string(x) + " / " + std::to_string(y);
    };
    for (std::size_t t = 0; t < 3; ++t) {
        const std::string nom = "StringGrid" + std::to_string(t + 1);
        const auto &ta = a.tables[t], &tb = b.tables[t];
        if (ta.size() != tb.size()) return nombres((nom + " lignes").c_str(), static_cast<long long>(ta.size()),
                                                   static_cast<long long>(tb.size()));
        for (std::size_t r = 0; r < ta.size(); ++r) {
            if (ta[r].size() != tb[r].size()) return nom + " colonnes de la ligne " + std::to_string(r);
            for (std::size_t c = 0; c < ta[r].size(); ++c)
                if (ta[r][c] != tb[r][c])
                    return nom + " ligne " + std::to_string(r) + " colonne " + std::to_string(c) + " : <" + ta[r][c] +
                           "> / <" + tb[r][c] + ">";
        }
    }
    if (a.nb_points != b.nb_points) return nombres("nb_points", a.nb_points, b.nb_points);
    if (a.num_ligne != b.num_ligne) return nombres("num_ligne", a.num_ligne, b.num_ligne);
    if (a.nb_calage != b.nb_calage) return nombres("nb_calage", a.nb_calage, b.nb_calage);
    for (std::size_t k = 0; k < 3; ++k)
        if (a.calage[k] != b.calage[k]) return "calage " + std::to_string(k + 1) + " : " + a.calage[k] + " / " + b.calage[k];
    if (avec_sauve && a.sauve != b.sauve) return nombres("sauve", a.sauve, b.sauve);
    return {};
}

} // namespace vuv::test
