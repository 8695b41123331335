#pragma once
// A project's coordinate system: read from what a user types or pastes, named for display, and
// kept in the side file "<projet>.prj" (WKT) beside the project, which stays in its own format.
#include <string>
#include <vector>

namespace vuv::sig {

// "dossier/carte.trl" -> "dossier/carte.prj" (the extension replaced, as GIS side files are named).
std::string chemin_prj(const std::string& projet);

// An EPSG code ("2154", "EPSG:2154"), a WKT or PROJ text to WKT; false with a French reason
// when GDAL does not know it.
bool systeme_vers_wkt(const std::string& texte, std::string& wkt, std::string& erreur);

// "RGF93 v1 / Lambert-93 (EPSG:2154)"; the empty text for the empty WKT.
std::string nom_systeme(const std::string& wkt);

// True when the system is geographic (degrees), as 4326.
bool est_geographique(const std::string& wkt);

// The side file of a project: an absent file gives true and an empty WKT; a file GDAL cannot
// read gives false and a French reason naming it.
bool lit_prj(const std::string& projet, std::string& wkt, std::string& erreur);

// A side file read on its own (a scan's .prj): the WKT, or false with the reason GDAL gives
// nothing; the caller says what follows.
bool lit_fichier_prj(const std::string& chemin, std::string& wkt, std::string& erreur);

// Written through the safe write; an empty WKT removes a side file left from before.
// Throws ErreurFichier with a French message.
void ecrit_prj(const std::string& projet, const std::string& wkt);

// A system of GDAL's EPSG list that a map can be drawn in (geographic 2D or projected, not
// deprecated).
struct SystemeConnu {
    int code = 0;
    std::string nom;
    bool geographique = false;
};
// Sorted by code. Empty when GDAL has no database.
std::vector<SystemeConnu> systemes_epsg();
// Every word of the search (letters and digits, case ignored) is found in "code name":
// "lambert 93" finds "RGF93 v1 / Lambert-93".
bool correspond(const std::string& recherche, const SystemeConnu& s);

} // namespace vuv::sig
