#pragma once
// The files of a project that no export may replace or remove: the project "carte.trl" itself,
// its coordinate system "carte.prj", its control points "carte.cal" and the record
// "carte.paire" that ties the project and its system.
#include <string>

namespace vuv::sig {

// The project `fichier` belongs to: itself when it is a ".trl", the ".trl" of the same name
// beside it for a side file (".prj", ".cal", ".paire"); empty for any other file.
std::string projet_proprietaire(const std::string& fichier);

// "Le fichier ... appartient au projet ... : l'export ne le remplace pas. ..."
std::string refus_fichier_projet(const std::string& fichier, const std::string& projet);

} // namespace vuv::sig
