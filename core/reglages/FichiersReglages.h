#pragma once
// The small settings files kept between runs in the program folder.
#include <string>
#include <string_view>

namespace vuv {

inline constexpr std::string_view fichier_dernier_dossier = "~vuviviva.~i";
inline constexpr std::string_view fichier_roulette_inversee = "~vuviviva_roulette_inv.cfg";
inline constexpr std::string_view fichier_annulation_coloree = "~vuviviva.~bmp";
inline constexpr std::string_view fichier_recuperation = "~vuviviva_recuperation.cfg";

// Writes texte as the only line of the named file of the program folder (Windows-1252,
// CR LF), creating or replacing it. On failure: a 1250 Hz, 100 ms tone, and false.
bool premiere_ligne_enregistre(std::string_view nom, const std::string& texte);

// The first line of the named file of the program folder; the program folder itself when
// the file is missing, unreadable or its first line is empty. The lines are folders: a
// relative one (written by an older version) is made absolute with chemin_absolu.
std::string premiere_ligne_lecture(std::string_view nom);

// Wheel direction from the marker file: -1 when it exists, +1 otherwise.
int sens_roulette_enregistre();
// At exit: the marker is created empty for -1 (when missing) and deleted otherwise.
// Failures are silent: the wheel setting is a convenience, never worth a message.
void enregistre_sens_roulette(int sens);

// Seconds between two writes of the unsaved work for recovery after a crash: the first line of
// the recovery settings file, a whole number from 1 to 86 400; 120 when missing or unusable.
int intervalle_recuperation();
inline constexpr int intervalle_recuperation_par_defaut = 120;

// Deletes a file of the program folder when present; false when it stays.
bool efface_fichier_programme(std::string_view nom);

} // namespace vuv
