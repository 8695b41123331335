// The control points beside the three calibration rows: the rows are the first three ticked
// points, so that a reader of the project alone still finds a calibration.
#include "core/document/Document.h"

#include "core/text/extraitUTIL.h"

#include <cmath>
#include <cstddef>

namespace vuv {

namespace {

std::vector<std::size_t> trois_premiers_coches(const CalageEtendu& c) {
    std::vector<std::size_t> r;
    for (std::size_t i = 0; i < c.points.size() && r.size() < 3; ++i)
        if (c.points[i].utilise) r.push_back(i);
    return r;
}

} // namespace

std::string Document::applique_controle() {
    const std::vector<std::size_t> rangs = trois_premiers_coches(controle);
    if (rangs.size() == 3) {
        const Colonnes c = colonnes(StringGrid2);
        if (StringGrid2.row_count() < 4) StringGrid2.set_row_count(4);
        for (int k = 1; k <= 3; ++k) {
            const PointControle& p = controle.points[rangs[static_cast<std::size_t>(k - 1)]];
            const auto x = static_cast<int>(std::lround(p.x)), y = static_cast<int>(std::lround(p.y));
            StringGrid2.set_cell(c.x, k, _format(4, 0, x));
            StringGrid2.set_cell(c.y, k, _format(4, 0, y));
            StringGrid2.set_cell(c.X, k, _format2(12, ndecimale, p.X));
            StringGrid2.set_cell(c.Y, k, _format2(12, ndecimale, p.Y));
            EnregistrementCalage& e = calage[static_cast<std::size_t>(k - 1)];
            e.valide = true;
            e.x = x;
            e.y = y;
            e.X = p.X;
            e.Y = p.Y;
        }
        nb_calage = 3;
    }
    const std::string erreur = controle.reajuste();
    Operation operation(*this);
    const Colonnes c = colonnes(StringGrid1);
    Grille::Lot lot(StringGrid1);
    for (int row = 1; row <= nb_points; ++row) recalcule_point(c, row);
    return erreur;
}

void Document::synchronise_controle() {
    if (controle.points.empty()) return;
    const std::vector<std::size_t> rangs = trois_premiers_coches(controle);
    for (std::size_t k = 0; k < rangs.size() && k < static_cast<std::size_t>(nb_calage); ++k) {
        PointControle& p = controle.points[rangs[k]];
        p.x = calage[k].x;
        p.y = calage[k].y;
        p.X = calage[k].X;
        p.Y = calage[k].Y;
    }
    controle.reajuste();
}

} // namespace vuv
