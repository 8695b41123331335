#pragma once
// What an export wrote, read back before it replaces anything: some drivers say nothing of a
// write that failed (a full disk), and a file GDAL cannot open again, or that holds fewer
// features than were written, must not take the place of a good one.
#include <string>
#include <vector>

namespace vuv::sig {

// `fichiers`: the main files in `dossier` (not their side files); `attendues`: the features
// written into all of them. Throws ErreurFichier naming `cible`.
void verifie_relecture(const std::string& dossier, const std::vector<std::string>& fichiers, long long attendues,
                       const std::string& cible);

} // namespace vuv::sig
