#include "sig/SystemeCoordonnees.h"

#include "core/fichiers/EcritureSure.h"
#include "core/text/extraitUTIL.h"

#include <algorithm>
#include <cctype>
#include <cpl_conv.h>
#include <ogr_spatialref.h>
#include <ogr_srs_api.h>
#include <unistd.h>

namespace vuv::sig {

namespace {

// Real .prj files hold a few kilobytes of WKT.
constexpr long taille_max_prj = 256 * 1024;

bool lit_texte(const std::string& texte, OGRSpatialReference& srs) {
    std::string t = texte;
    const auto debut = t.find_first_not_of(" \t\r\n");
    if (debut == std::string::npos) return false;
    t = t.substr(debut, t.find_last_not_of(" \t\r\n") - debut + 1);
    if (t.find_first_not_of("0123456789") == std::string::npos) t = "EPSG:" + t;
    // A text that names a file or a URL is not read through: a .prj never opens anything else.
    CPLPushErrorHandler(CPLQuietErrorHandler);
    const OGRErr e = srs.SetFromUserInput(t.c_str(), OGRSpatialReference::SET_FROM_USER_INPUT_LIMITATIONS_get());
    CPLPopErrorHandler();
    return e == OGRERR_NONE;
}

// WKT1 as most GIS tools read it; some systems (about forty of the EPSG list, such as 3139)
// cannot be said in WKT1 and are kept in WKT2.
std::string en_wkt(const OGRSpatialReference& srs) {
    for (const char* format : {"FORMAT=WKT1_GDAL", "FORMAT=WKT2_2019"}) {
        char* w = nullptr;
        const char* options[] = {format, nullptr};
        CPLPushErrorHandler(CPLQuietErrorHandler);
        const OGRErr e = srs.exportToWkt(&w, options);
        CPLPopErrorHandler();
        std::string r = e == OGRERR_NONE && w ? w : "";
        CPLFree(w);
        if (!r.empty()) return r;
    }
    return {};
}

// Letters and digits in lower case; anything else separates words.
std::string mots(const std::string& t) {
    std::string r = t;
    for (char& c : r) c = std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c)) : ' ';
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
    std::string r;
    if (lit_texte(texte, srs)) r = en_wkt(srs);
    if (r.empty()) {
        erreur = "Système de coordonnées inconnu : " + texte;
        return false;
    }
    wkt = std::move(r);
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

bool lit_fichier_prj(const std::string& chemin, std::string& wkt, std::string& erreur) {
    wkt.clear();
    std::string texte;
    long taille = 0;
    if (!lit_fichier_texte(chemin, texte, taille, &erreur, taille_max_prj)) return false;
    OGRSpatialReference srs;
    if (lit_texte(texte, srs)) wkt = en_wkt(srs);
    if (wkt.empty()) {
        erreur = "Le système de coordonnées du fichier " + chemin + " n'est pas lisible";
        return false;
    }
    return true;
}

bool lit_prj(const std::string& projet, std::string& wkt, std::string& erreur) {
    wkt.clear();
    const std::string chemin = chemin_prj(projet);
    if (::access(chemin.c_str(), F_OK) != 0) return true;
    if (lit_fichier_prj(chemin, wkt, erreur)) return true;
    erreur += " ; le projet est ouvert sans système.";
    return false;
}

void ecrit_prj(const std::string& projet, const std::string& wkt) {
    const std::string chemin = chemin_prj(projet);
    if (wkt.empty()) {
        ::unlink(chemin.c_str());
        return;
    }
    ecrit_fichier_sur(chemin, wkt);
}

std::vector<SystemeConnu> systemes_epsg() {
    std::vector<SystemeConnu> r;
    int n = 0;
    OSRCRSInfo** liste = OSRGetCRSInfoListFromDatabase("EPSG", nullptr, &n);
    if (!liste) return r;
    for (int i = 0; i < n; ++i) {
        const OSRCRSInfo& s = *liste[i];
        const bool geo = s.eType == OSR_CRS_TYPE_GEOGRAPHIC_2D;
        if (s.bDeprecated || (!geo && s.eType != OSR_CRS_TYPE_PROJECTED) || !s.pszCode || !s.pszName) continue;
        const std::string code = s.pszCode;
        if (code.empty() || code.size() > 9 || code.find_first_not_of("0123456789") != std::string::npos) continue;
        r.push_back({std::stoi(code), s.pszName, geo});
    }
    OSRDestroyCRSInfoList(liste);
    std::sort(r.begin(), r.end(), [](const SystemeConnu& a, const SystemeConnu& b) { return a.code < b.code; });
    return r;
}

bool correspond(const std::string& recherche, const SystemeConnu& s) {
    const std::string dans = " " + mots(std::to_string(s.code) + " " + s.nom) + " ";
    const std::string cherche = mots(recherche);
    std::size_t i = 0;
    while ((i = cherche.find_first_not_of(' ', i)) != std::string::npos) {
        const std::size_t fin = std::min(cherche.find(' ', i), cherche.size());
        if (dans.find(cherche.substr(i, fin - i)) == std::string::npos) return false;
        i = fin;
    }
    return true;
}

} // namespace vuv::sig
