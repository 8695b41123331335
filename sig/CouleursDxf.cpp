#include "sig/CouleursDxf.h"

#include "core/fichiers/EcritureSure.h"
#include "sig/DonneesSig.h"

#include <charconv>

namespace vuv::sig {
namespace {

std::string_view sans_blancs(std::string_view t) {
    const std::size_t debut = t.find_first_not_of(" \r\n");
    if (debut == std::string_view::npos) return {};
    return t.substr(debut, t.find_last_not_of(" \r\n") + 1 - debut);
}

// "#RRGGBB" as group 420 wants it: 0x00RRGGBB in decimal.
std::string vraie_couleur(const std::string& hex) {
    unsigned v = 0;
    std::from_chars(hex.data() + 1, hex.data() + hex.size(), v, 16);
    return std::to_string(v);
}

} // namespace

std::vector<std::string> couleurs_entites(const DonneesSig& d, bool surfaces) {
    std::vector<std::string> r;
    for (const LigneSig& l : d.lignes)
        if (l.sommets.size() >= 2) r.push_back(l.couleur);
    if (surfaces)
        for (const LigneSig& l : d.lignes)
            if (l.fermee()) r.push_back(l.couleur);
    return r;
}

void ajoute_couleurs_vraies(const std::string& chemin, const std::string& cible, const std::vector<std::string>& couleurs) {
    const std::string dxf = lit_fichier(chemin);
    std::string r;
    r.reserve(dxf.size() + couleurs.size() * 16);
    bool entites = false, section = false, attend_couche = false;
    std::size_t entite = 0; // one past the entity being read
    // Group code and value alternate, one line each.
    std::size_t debut = 0;
    while (debut < dxf.size()) {
        std::size_t fin = dxf.find('\n', debut);
        fin = fin == std::string::npos ? dxf.size() : fin + 1;
        std::size_t fin_valeur = dxf.find('\n', fin);
        fin_valeur = fin_valeur == std::string::npos ? dxf.size() : fin_valeur + 1;
        const std::string_view code = sans_blancs(std::string_view(dxf).substr(debut, fin - debut));
        const std::string_view valeur = sans_blancs(std::string_view(dxf).substr(fin, fin_valeur - fin));
        r.append(dxf, debut, fin_valeur - debut);
        debut = fin_valeur;
        if (code == "0") {
            if (valeur == "SECTION") section = true;
            else if (valeur == "ENDSEC") entites = false;
            else if (entites && (valeur == "VERTEX" || valeur == "SEQEND")) attend_couche = false; // a 3D line's parts
            else if (entites) {
                ++entite;
                attend_couche = entite <= couleurs.size() && !couleurs[entite - 1].empty();
            }
        } else if (code == "2" && section) {
            entites = valeur == "ENTITIES";
            section = false;
        } else if (code == "8" && attend_couche) {
            // Right after the layer: the common group 420 belongs with it, before the subclass's own.
            r += "420\n" + vraie_couleur(couleurs[entite - 1]) + "\n";
            attend_couche = false;
        }
    }
    EcritureSure sortie(chemin);
    sortie.ecrit(r);
    if (!sortie.valide()) throw ErreurFichier("Impossible d'enregistrer " + cible + " : " + sortie.raison());
}

} // namespace vuv::sig
