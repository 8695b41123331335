#pragma once
// The names of the user's commands as the Edition menu shows them after "Annuler : " and
// "Rétablir : ".
namespace vuv::noms_editions {

inline constexpr const char* modification = "Modification";
inline constexpr const char* point_digitalise = "Point digitalisé";
inline constexpr const char* point_de_calage = "Point de calage";
inline constexpr const char* valeur_de_calage = "Valeur de calage";
inline constexpr const char* nouvelle_calibration = "Nouvelle calibration";
inline constexpr const char* nouvelle_ligne = "Nouvelle ligne";
inline constexpr const char* suppression_point = "Suppression du point";
inline constexpr const char* suppression_ligne = "Suppression de la ligne";
inline constexpr const char* saisie_points = "Saisie dans le tableau des points";
inline constexpr const char* saisie_lignes = "Saisie dans le tableau des lignes";
inline constexpr const char* selection_ligne = "Sélection de la ligne";
inline constexpr const char* deselection_ligne = "Désélection de la ligne";
inline constexpr const char* selection_lignes = "Sélection de toutes les lignes";
inline constexpr const char* deselection_lignes = "Désélection de toutes les lignes";
inline constexpr const char* couleur_ligne = "Couleur de la ligne";
inline constexpr const char* rajout_trl = "Rajout de points d'un *.trl";
inline constexpr const char* rajout_txt = "Rajout de points d'un *.TXT";
inline constexpr const char* rajout_xls = "Rajout de points d'un *.XLS";
inline constexpr const char* calage_trl = "Valeurs de calibration d'un *.trl";
inline constexpr const char* calage_presse_papier = "Valeurs de calibration du presse-papier";
inline constexpr const char* cheminement = "Rajout de points (Lib, distance, cap)";
inline constexpr const char* mise_a_l_echelle = "Mise à l'échelle";
inline constexpr const char* altitude_plus = "Altitude + delta Z";
inline constexpr const char* altitude_moins = "Altitude - delta Z";
inline constexpr const char* altitude_saisie = "Altitude saisie";
inline constexpr const char* recopie_altitude = "Recopie de l'altitude";

} // namespace vuv::noms_editions
