#include "core/mesure/Echelle.h"

#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"

#include <cmath>

namespace vuv {
namespace {

std::string general(long double v) { return nombres::general(v, 15, separateur_decimal()); }

} // namespace

std::string texte_suite_echelle(int L, long double D) {
    return "La suite (" + std::to_string(L) + ") ne contient que 2 points distants de " + general(D);
}

std::string texte_distance_calculee(long double D) {
    return "distance calculée = " + nombres::fixe(D, 18, 6, separateur_decimal()) + " ";
}

EntreeEchelle lit_echelle(std::string_view texte, long double D) {
    EntreeEchelle e;
    e.r = static_cast<double>(val_reel(texte));
    const long double produit = e.r * D;
    if (!(produit > 0) || !std::isfinite(produit)) {
        e.message = "valeur <" + std::string(texte) + "> non numérique ou distance nulle ";
        return e;
    }
    e.acceptee = true;
    e.f = e.r / D;
    e.message = " Mise à l'échelle = calcul des calibrations\n  distance calculée  = " + general(D) +
                "\n  distance réelle    = " + general(e.r) + "\n  facteur d'échelle = " + general(e.f);
    return e;
}

void applique_echelle(Document& d, long double f) {
    Grille& g = d.StringGrid2;
    const int cX = d.indice_col_cal("X"), cY = d.indice_col_cal("Y");
    {
        const Grille::Lot lot(g);
        for (int row = 1; row <= d.nb_calage && row < g.row_count(); ++row) {
            g.set_cell(cX, row, reel_en_texte_point(val_reel(g.cell(cX, row)) * f));
            g.set_cell(cY, row, reel_en_texte_point(val_reel(g.cell(cY, row)) * f));
        }
    }
    d.calcul_nouveaux_calage();
    d.sauve = false;
}

PasAltitude pas_altitude(std::string_view z, std::string_view delta, std::string_view decimales, int signe) {
    PasAltitude p;
    const LectureEntier n = lit_entier(decimales);
    if (n.erreur != 0 || n.valeur < 0 || n.valeur > 20) {
        p.erreur = "'" + std::string(decimales) + "' n'est pas une valeur entière correcte";
        return p;
    }
    const long double v = val_reel(z) + signe * val_reel(delta);
    p.z = enleve_blancs(_format(8, n.valeur, v));
    return p;
}

} // namespace vuv
