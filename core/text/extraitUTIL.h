#pragma once
// Text and number routines shared by every window: trimming, number tests, the lenient and
// strict readers, the fixed-width writers, field splitting and column lookup.
//
// Texts are UTF-8; positions, counts and widths count characters. The decimal separator is
// the local one (separateur.h), read at each call. Reals are 80-bit long double.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vuv {

class Grille;

// The no-value marker: -3.6E-495, built from its 80-bit pattern.
long double valeur_absente();
bool est_absente(long double v);

// --- Trimming (a space is character 32 only) ---
std::string enleve_blancs_gauche(std::string_view t);
std::string enleve_blancs_droite(std::string_view t);
std::string enleve_blancs(std::string_view t);
// Main-window copy: stops at the last character, so a text of spaces keeps one space.
std::string enleve_blancs_gauche_principal(std::string_view t);
int compte_car(char32_t c, std::string_view t);

// --- Number tests ---
bool est_reel(std::string_view t);
bool est_entier(std::string_view t);

// --- Readers ---
// Whole signed 32-bit integer, decimal or hexadecimal ("$", "x", "X", "0x", "0X").
// On a text that is not entirely such a number, asks the save-and-stop question and
// returns the value of the digits read before the offending character.
std::int32_t val_entier(std::string_view t);

// The reading of val_entier without any question: value and the 1-based position of the
// offending character (0 when the whole text is a number).
struct LectureEntier {
    std::int32_t valeur = 0;
    int erreur = 0;
};
LectureEntier lit_entier(std::string_view t);

// Called with the path "~tmp.trl" when the user accepts the emergency save; throws on failure.
using SauvegardeUrgence = std::function<void(const std::string& chemin)>;
void installe_sauvegarde_urgence(SauvegardeUrgence s);

// Lenient reader of typed and imported values; reports conversion errors and gives 0.
long double val_reel(std::string_view t);
// Points-window reader of table values: "" and "-" give valeur_absente.
long double val_r(std::string_view t);
// Main-window copy: "" and "-" give 0.
long double val_r_principal(std::string_view t);

// --- Writers ---
std::string _format(int largeur, int decimales, long double v);
std::string _format2(int largeur, int decimales, long double v);
std::string complete_blancs(std::string_view t, int largeur);
std::string reel_en_texte_point(long double v);
// A number held by a workbook cell as the text the number routines read: up to 15 significant
// digits, the local separator and a capital E without '+' ("1E-7", "1,5E-300", "2,5E20").
std::string texte_nombre_classeur(double v);
std::string filtre_nombre(std::string_view t);
// "%.3f" with the local separator and no sign on a value that rounds to zero.
std::string fixe_local(long double v, int decimales);

// --- Fields ---
std::string extrait_champ(std::string_view ligne, int k, char sep);
long double extrait_champ_reel(std::string_view ligne, int k, char sep, long double defaut);
int indice_col_grille(const Grille& g, std::string_view nom);

// --- Georeferencing-file helpers ---
// Reads a small text file whole (texte_de_fichier decides its encoding). False, with the
// reason naming the file in *erreur, when it cannot be read, is over `limite` bytes or holds
// a NUL byte (then it is not text).
bool lit_fichier_texte(const std::string& chemin, std::string& texte, long& taille,
                       std::string* erreur = nullptr, long limite = 65536);
// Mode 1 filters the field through filtre_nombre; mode 0 returns it as it stands.
std::string extrait_entre(int mode, std::string& travail, std::string_view ancre,
                          std::string_view debut, std::string_view fin);
inline std::string extrait_nombre_entre(std::string& travail, std::string_view ancre,
                                        std::string_view debut, std::string_view fin) {
    return extrait_entre(1, travail, ancre, debut, fin);
}
inline std::string extrait_texte_entre(std::string& travail, std::string_view ancre,
                                       std::string_view debut, std::string_view fin) {
    return extrait_entre(0, travail, ancre, debut, fin);
}
std::string entier_plus(std::string_view t, int decalage);

// --- The conversion window's copy, where it differs ---
namespace conversion {
std::string enleve_tous_blancs(std::string_view t); // spaces, U+00A0 and U+202F
std::string remplace_car(std::string_view t, char32_t de, char32_t par);
std::string separateur_local(std::string_view t);   // every '.' and ',' becomes the local one
bool est_reel(std::string_view t);
bool est_angle(std::string_view t); // also space, '"', '\'' and the degree sign
long double val_reel(std::string_view t);
// Empty fields exist; a field counts only when a separator follows it.
std::string extrait_champ_strict(std::string_view ligne, int k, char sep);
} // namespace conversion

} // namespace vuv
