#include "sig/FichiersProjet.h"

#include <algorithm>
#include <cctype>
#include <unistd.h>

namespace vuv::sig {
namespace {

// ".TRL" written by other systems counts as well.
bool extension_est(const std::string& fichier, const std::string& ext) {
    const auto barre = fichier.find_last_of('/');
    const auto point = fichier.find_last_of('.');
    if (point == std::string::npos || (barre != std::string::npos && point < barre)) return false;
    const std::string e = fichier.substr(point);
    return e.size() == ext.size() && std::equal(e.begin(), e.end(), ext.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

std::string projet_proprietaire(const std::string& fichier) {
    if (extension_est(fichier, ".trl")) return fichier;
    std::string souche;
    for (const char* annexe : {".prj", ".paire", ".cal"})
        if (extension_est(fichier, annexe)) souche = fichier.substr(0, fichier.size() - std::string(annexe).size());
    if (souche.empty()) return {};
    for (const char* ext : {".trl", ".TRL", ".Trl"})
        if (::access((souche + ext).c_str(), F_OK) == 0) return souche + ext;
    return {};
}

std::string refus_fichier_projet(const std::string& fichier, const std::string& projet) {
    return "Le fichier " + fichier + " appartient au projet " + projet +
           " : l'export ne le remplace pas. Choisissez une autre sortie.";
}

} // namespace vuv::sig
