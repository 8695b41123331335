#include "sig/SystemeCoordonnees.h"

#include "core/fichiers/EcritureSure.h"

#include <cpl_conv.h>
#include <fstream>
#include <ogr_spatialref.h>
#include <sstream>
#include <unistd.h>

namespace vuv::sig {

namespace {

bool lit_texte(const std::string& texte, OGRSpatialReference& srs) {
    std::string t = texte;
    const auto debut = t.find_first_not_of(" \t\r\n");
    if (debut == std::string::npos) return false;
    t = t.substr(debut, t.find_last_not_of(" \t\r\n") - debut + 1);
    if (t.find_first_not_of("0123456789") == std::string::npos) t = "EPSG:" + t;
    CPLPushErrorHandler(CPLQuietErrorHandler);
    const OGRErr e = srs.SetFromUserInput(t.c_str());
    CPLPopErrorHandler();
    return e == OGRERR_NONE;
}

std::string en_wkt(const OGRSpatialReference& srs) {
    char* w = nullptr;
    const char* options[] = {"FORMAT=WKT1_GDAL", nullptr};
    srs.exportToWkt(&w, options);
    std::string r = w ? w : "";
    CPLFree(w);
    return r;
}

} // namespace

std::string chemin_prj(const std::string& projet) {
    const auto barre = projet.find_last_of('/');
    const auto point = projet.find_last_of('.');
    if (point == std::string::npos || (barre != std::string::npos && point < barre)) return projet + ".prj";
    return projet.substr(0, point) + ".prj";
}

bool systeme_vers_wkt(const std::string& texte, std::string& wkt, std::string& erreur) {
    OGRSpatialReference srs;
    if (!lit_texte(texte, srs)) {
        erreur = "Système de coordonnées inconnu : " + texte;
        return false;
    }
    wkt = en_wkt(srs);
    return true;
}

std::string nom_systeme(const std::string& wkt) {
    if (wkt.empty()) return {};
    OGRSpatialReference srs;
    if (!lit_texte(wkt, srs)) return "(système illisible)";
    std::string nom = srs.GetName() ? srs.GetName() : "(sans nom)";
    const char* autorite = srs.GetAuthorityName(nullptr);
    const char* code = srs.GetAuthorityCode(nullptr);
    if (autorite && code) nom += std::string(" (") + autorite + ":" + code + ")";
    return nom;
}

bool est_geographique(const std::string& wkt) {
    OGRSpatialReference srs;
    return lit_texte(wkt, srs) && srs.IsGeographic();
}

bool lit_prj(const std::string& projet, std::string& wkt, std::string& erreur) {
    wkt.clear();
    const std::string chemin = chemin_prj(projet);
    if (::access(chemin.c_str(), F_OK) != 0) return true;
    std::ifstream f(chemin, std::ios::binary);
    if (!f) {
        erreur = "Le fichier " + chemin + " ne peut pas être lu.";
        return false;
    }
    std::ostringstream texte;
    texte << f.rdbuf();
    OGRSpatialReference srs;
    if (!lit_texte(texte.str(), srs)) {
        erreur = "Le système de coordonnées du fichier " + chemin + " n'est pas lisible ; le projet est ouvert sans système.";
        return false;
    }
    wkt = en_wkt(srs);
    return true;
}

void ecrit_prj(const std::string& projet, const std::string& wkt) {
    const std::string chemin = chemin_prj(projet);
    if (wkt.empty()) {
        ::unlink(chemin.c_str());
        return;
    }
    EcritureSure sortie(chemin);
    sortie.ecrit(wkt);
    if (!sortie.valide()) throw ErreurFichier(sortie.message());
}

} // namespace vuv::sig
