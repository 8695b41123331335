#pragma once
// True colours in a DXF written by GDAL. Its writer gives each entity only the nearest of the
// 256 indexed colours (#123456 becomes #00394C); the entity's own colour goes beside it as
// group 420, which CAD programs and GDAL prefer when they find it.
#include <string>
#include <vector>

namespace vuv::sig {

struct DonneesSig;

// The colour ("#RRGGBB", empty for none) of each entity the export writes before its points,
// in order: the lines of two vertices or more, then, when asked, the surfaces.
std::vector<std::string> couleurs_entites(const DonneesSig& d, bool surfaces);

// Rewrites the DXF at `chemin`: the n-th entity that has an indexed colour gets the n-th of
// `couleurs` as true colour too. Throws ErreurFichier naming `cible` when it cannot.
void ajoute_couleurs_vraies(const std::string& chemin, const std::string& cible, const std::vector<std::string>& couleurs);

} // namespace vuv::sig
