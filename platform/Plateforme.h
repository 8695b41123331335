#pragma once
// What the program takes from the system at start: the program folder and the local
// decimal separator.
#include <QString>

namespace vuv {

// Environment variable that overrides the program folder (tests, portable installs).
inline constexpr const char* variable_dossier_programme = "VUVIVIVA_PROGRAM_DIR";

// The folder chosen for the settings files, and the message the user gets at start when
// nothing can be written there (empty otherwise).
struct ChoixDossierProgramme {
    QString dossier; // ends with '/'
    QString avertissement;
};

// The override when set (taken as it stands, even when unusable: the settings files then
// fall back as they do on any unwritable folder); else the executable's folder when it is
// writable and not an installed bin/ (one with share/vuviviva beside it); else the
// configuration folder, created when missing.
ChoixDossierProgramme choisit_dossier_programme(const QString& force, const QString& exe, const QString& config);
// The same from the environment: VUVIVIVA_PROGRAM_DIR, the executable's folder and
// $XDG_CONFIG_HOME/vuviviva.
ChoixDossierProgramme choisit_dossier_programme();
QString determine_dossier_programme();

// A file shipped with the program (help text, example workbooks): the first
// found of the program folder, the executable's folder and the installed data folder
// (share/vuviviva beside bin/); the program folder's path when none holds it.
QString chemin_livre(const QString& nom);

// '.' or ',' from the system locale.
char separateur_du_systeme();

// Sets core's program folder (with its warning) and decimal separator. Needs a
// Q(Core)Application.
void initialise_plateforme();

} // namespace vuv
