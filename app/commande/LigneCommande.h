#pragma once
// The command line without any window: exports of whole projects and the surface measurement
// of one line, for scripts and batches. Nothing here uses Qt: main() calls it before anything
// of the windows exists.
//
//   vuviviva --exporte FORMAT SORTIE projet.trl... [options]
//   vuviviva --mesure L projet.trl...
//   vuviviva --formats
//   vuviviva --aide
//
// Messages are French, on the standard error; the measurement, the formats and the help go
// to the standard output. Exit status: 0 success, 1 a user error (a missing file, a bad
// option or value, an output that cannot be written), 2 a damaged project.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vuv::commande {

enum Statut { reussite = 0, erreur_utilisateur = 1, projet_endommage = 2 };

// Runs the command the arguments (without the program's name) hold.
int execute(const std::vector<std::string>& arguments, std::ostream& sortie, std::ostream& erreurs);

// The status when the first argument starts with "--", nothing when the windows should start.
std::optional<int> ligne_commande(int argc, char** argv);

} // namespace vuv::commande
