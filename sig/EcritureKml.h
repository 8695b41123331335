#pragma once
// The KML of a GIS export, written as it goes. GDAL's LIBKML writer builds the whole tree and
// takes minutes to close on a few ten thousand points; its plain KML writer loses the fills and
// paints uncoloured lines red. This one writes what the LIBKML writer wrote: a folder per layer,
// each line's own colour and width, surfaces half-transparent, the fields as typed extended
// data; and, in 3D, altitudes that viewers use (absolute).
#include <string>
#include <string_view>

namespace vuv::sig {

struct BilanSig;
struct DonneesSig;

// Writes `d` (already in longitude/latitude) to `chemin` and counts what was written in `b`.
// Throws ErreurFichier naming `cible` when a write, the sync or the close fails; `chemin` is
// then not there.
void ecrit_kml(const DonneesSig& d, bool surfaces, const std::string& chemin, const std::string& cible, BilanSig& b);

// `t` as XML character data, valid whatever it holds: markup characters escaped, a carriage
// return kept as a reference, the other control characters (which XML cannot hold at all) as
// their visible pictures (U+2400…), and bytes that are not UTF-8 as U+FFFD.
std::string texte_xml(std::string_view t);

} // namespace vuv::sig
