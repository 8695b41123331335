#pragma once
// What the two companion readers share: the file read whole, its lines, the messages naming
// the file and the line, and the checks of numbers and of the three points.
#include "core/georef/Compagnon.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vuv::georef {

struct Ligne {
    std::string_view texte; // without its line end
    std::size_t debut = 0;  // byte offset of the line in the whole text
};

class Lecture {
public:
    // Reads the file; on failure erreur() holds the message and there are no lines.
    explicit Lecture(const std::string& chemin);

    const std::string& texte() const { return texte_; }
    const std::vector<Ligne>& lignes() const { return lignes_; }
    // The 0-based line holding the byte at offset pos.
    std::size_t ligne_de(std::size_t pos) const;

    bool refuse() const { return !erreur_.empty(); }
    const std::string& erreur() const { return erreur_; }
    // "Fichier <chemin>, ligne n : raison" (n 1-based; no line when ligne is npos).
    void refus(std::size_t ligne, const std::string& raison);
    // A refused companion: the first refusal's message is the one kept.
    CalageCompagnon echec(std::size_t ligne, const std::string& raison) {
        if (!refuse()) refus(ligne, raison);
        CalageCompagnon r;
        r.erreur = erreur_;
        return r;
    }

private:
    std::string chemin_;
    std::string texte_;
    std::vector<Ligne> lignes_;
    std::string erreur_;
};

inline constexpr std::size_t sans_ligne = static_cast<std::size_t>(-1);

// Spaces, tabs and a carriage return taken off both ends.
std::string_view sans_blancs(std::string_view t);
// A real written with a point, an optional exponent; nothing when the text is not entirely one.
std::optional<long double> reel(std::string_view t, bool e_minuscule);
// A decimal or hexadecimal 32-bit integer, as the integer cells read; nothing otherwise.
std::optional<long long> entier(std::string_view t);

// The file of that path whatever the case of its name (the first in name order when several
// spellings exist, so the choice never varies); empty when there is none.
std::string cherche_sans_casse(const std::string& chemin);

// The reason the three points cannot calibrate (aligned on the image or in real
// coordinates), or empty.
std::string alignement(const CalageCompagnon& c);

} // namespace vuv::georef
