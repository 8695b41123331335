#include "windows/points/SystemeProjet.h"

#include "core/projet/PaireProjet.h"
#include "core/ui/PortUtilisateur.h"
#include "sig/SystemeCoordonnees.h"

namespace vuv {

bool lit_systeme_projet(const std::string& projet, std::string_view octets, std::string& wkt, std::string& erreur) {
    const SystemeApparie a = systeme_apparie(projet, octets);
    if (!a.connu) return sig::lit_prj(projet, wkt, erreur);
    if (!a.message.empty()) port().information(a.message);
    wkt.clear();
    if (a.chemin.empty() || sig::lit_fichier_prj(a.chemin, wkt, erreur)) return true;
    erreur += " ; le projet est ouvert sans système.";
    return false;
}

} // namespace vuv
