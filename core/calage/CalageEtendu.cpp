#include "core/calage/CalageEtendu.h"

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
