#include "core/annulation/EtatDocument.h"

#include <cmath>

namespace vuv {
namespace {

bool meme_reel(long double a, long double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

bool meme_calage(const EnregistrementCalage& a, const EnregistrementCalage& b) {
    return a.valide == b.valide && a.x == b.x && a.y == b.y && meme_reel(a.X, b.X) && meme_reel(a.Y, b.Y) &&
           meme_reel(a.Z, b.Z);
}

} // namespace

EtatDocument EtatDocument::de(const Document& d) {
    EtatDocument e;
    e.nb_points = d.nb_points;
    e.num_ligne = d.num_ligne;
    e.nouvelle_ligne = d.nouvelle_ligne;
    e.nb_calage = d.nb_calage;
    e.calage = d.calage;
    e.ligne_choisie = {d.StringGrid1.row(), d.StringGrid2.row(), d.StringGrid3.row()};
    e.lignes_fixes_points = d.StringGrid1.fixed_rows();
    return e;
}

void EtatDocument::applique(Document& d) const {
    d.nb_points = nb_points;
    d.num_ligne = num_ligne;
    d.nouvelle_ligne = nouvelle_ligne;
    d.nb_calage = nb_calage;
    d.calage = calage;
    d.StringGrid1.set_fixed_rows(lignes_fixes_points);
}

void EtatDocument::choisit_lignes(Document& d) const {
    Grille* grilles[3] = {&d.StringGrid1, &d.StringGrid2, &d.StringGrid3};
    for (int i = 0; i < 3; ++i) grilles[i]->set_row(ligne_choisie[static_cast<std::size_t>(i)]);
}

bool meme_contenu(const EtatDocument& a, const EtatDocument& b) {
    if (a.nb_points != b.nb_points || a.num_ligne != b.num_ligne || a.nb_calage != b.nb_calage || a.lignes_fixes_points != b.lignes_fixes_points)
        return false;
    for (std::size_t k = 0; k < a.calage.size(); ++k)
        if (!meme_calage(a.calage[k], b.calage[k])) return false;
    return true;
}

} // namespace vuv
