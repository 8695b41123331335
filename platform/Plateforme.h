#pragma once
// What the program takes from the system at start: the program folder and the local
// decimal separator.
#include <QString>

namespace vuv {

// Environment variable that overrides the program folder (tests, portable installs).
inline constexpr const char* variable_dossier_programme = "VUVIVIVA_PROGRAM_DIR";

// The override when set (taken as it stands, even when unusable: the settings files then
// fall back as they do on any unwritable folder); else the executable's folder when it is
// writable; else the user's configuration folder. Ends with '/'.
QString determine_dossier_programme();

// '.' or ',' from the system locale.
char separateur_du_systeme();

// Sets core's program folder and decimal separator. Needs a Q(Core)Application.
void initialise_plateforme();

} // namespace vuv
