#include "core/calage/CalageEtendu.h"

#include "core/text/extraitUTIL.h"

namespace vuv {

const std::string& CalageEtendu::reajuste() {
    ajustee.reset();
    calculee.reset();
    auto t = cree_transformation(methode);
    erreur = t->ajuste(points);
    if (!erreur.empty()) return erreur;
    calculee = std::move(t);
    if (methode != MethodeTransformation::affine_exacte) ajustee = calculee;
    return erreur;
}

} // namespace vuv

namespace vuv {

std::string message_fichier_monde(const CalageEtendu& c) {
    if (!c.ajustee) return {};
    const BilanCalage b = bilan_calage(*c.ajustee, c.points);
    std::string m = "Fichier de géoréférence écrit d'après la transformation « " +
                    std::string(nom_methode(c.methode)) + " » : erreur moyenne quadratique " +
                    fixe_local(b.rms_pixels, 3) + " px (" + fixe_local(b.rms_carte, 4) +
                    " en unités de la carte) sur " + std::to_string(b.utilises) + " points.";
    if (c.methode == MethodeTransformation::projective)
        m += " Un fichier world ne tient qu'une transformation affine : celle-ci y est approchée.";
    return m;
}

} // namespace vuv
