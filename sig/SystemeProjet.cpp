#include "sig/SystemeProjet.h"

#include "core/projet/PaireProjet.h"
#include "sig/SystemeCoordonnees.h"

namespace vuv::sig {

bool lit_systeme_projet(const std::string& projet, std::string_view octets, std::string& wkt, std::string& erreur,
                        std::string& avertissement) {
    const SystemeApparie a = systeme_apparie(projet, octets);
    avertissement = a.message;
    if (!a.connu) return lit_prj(projet, wkt, erreur);
    wkt.clear();
    if (a.chemin.empty() || lit_fichier_prj(a.chemin, wkt, erreur)) return true;
    erreur += " ; le projet est ouvert sans système.";
    return false;
}

} // namespace vuv::sig
