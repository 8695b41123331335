// ARC/INFO raster header: the keys xdim, ydim, ncols, nrows, ulxmap, ulymap in that order,
// one per line, each value read on its key's own line (after spaces or tabs), so that a key
// followed by a tab never takes the next line's value.
#include "core/georef/Compagnon.h"
#include "core/georef/Lecture.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"

#include <cmath>
#include <optional>

namespace vuv {

using georef::Lecture;
using georef::sans_blancs;
using georef::sans_ligne;

namespace {

constexpr const char* cles[] = {"xdim", "ydim", "ncols", "nrows", "ulxmap", "ulymap"};

bool blanc(char c) { return c == ' ' || c == '\t'; }

bool egal_sans_casse(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
    return true;
}

// The line's first word, and what follows it after spaces or tabs.
struct Cle {
    std::string_view mot, valeur;
};

Cle decoupe(std::string_view ligne) {
    ligne = sans_blancs(ligne);
    std::size_t i = 0;
    while (i < ligne.size() && !blanc(ligne[i])) ++i;
    return {ligne.substr(0, i), sans_blancs(ligne.substr(i))};
}

std::optional<std::size_t> cherche(const Lecture& f, std::string_view cle, std::size_t de, std::size_t a) {
    for (std::size_t i = de; i < a; ++i)
        if (decoupe(f.lignes()[i].texte).mot == cle) return i;
    return std::nullopt;
}

std::string general(long double v) { return nombres::general(v, 15, separateur_decimal()); }

} // namespace

CalageCompagnon lit_hdr(const std::string& chemin) {
    CalageCompagnon r;
    Lecture f(chemin);
    auto echec = [&f](std::size_t ligne, const std::string& raison) { return f.echec(ligne, raison); };
    if (f.refuse()) return echec(sans_ligne, {});

    long double reels[6] = {};
    std::size_t suivante = 0;
    for (int k = 0; k < 6; ++k) {
        const std::string_view cle = cles[k];
        const std::size_t n = f.lignes().size();
        const auto trouvee = cherche(f, cle, suivante, n);
        if (!trouvee) {
            if (const auto avant = cherche(f, cle, 0, suivante))
                return echec(*avant, "la clé " + std::string(cle) + " est mal placée : elle doit suivre " + cles[k - 1]);
            std::string raison = "la clé " + std::string(cle) + " est absente";
            for (const georef::Ligne& l : f.lignes())
                if (egal_sans_casse(decoupe(l.texte).mot, cle)) {
                    raison += " (les clés s'écrivent en minuscules : " + std::string(decoupe(l.texte).mot) +
                              " n'est pas reconnue)";
                    break;
                }
            return echec(sans_ligne, raison);
        }
        suivante = *trouvee + 1;
        const std::string_view valeur = decoupe(f.lignes()[*trouvee].texte).valeur;
        const std::string texte_valeur = "<" + std::string(valeur) + ">";
        if (k == 2 || k == 3) {
            const auto v = georef::entier(valeur);
            if (!v || *v <= 0)
                return echec(*trouvee, std::string(cle) + " doit être un nombre entier de 1 à 2147483647, lu " +
                                           texte_valeur);
            reels[k] = static_cast<long double>(*v);
        } else {
            std::string point(valeur);
            if (point.find('.') == std::string::npos)
                if (const auto virgule = point.find(','); virgule != std::string::npos) point[virgule] = '.';
            const auto v = georef::reel(point, true);
            if (!v) return echec(*trouvee, std::string(cle) + " : " + texte_valeur + " n'est pas un nombre");
            if (k == 0 && *v <= 0) return echec(*trouvee, "xdim doit être positif, lu " + texte_valeur);
            if (k == 1 && *v == 0) return echec(*trouvee, "ydim ne peut pas être nul");
            reels[k] = *v;
        }
    }

    const long double xdim = reels[0], ydim = reels[1], ncols = reels[2], nrows = reels[3];
    const long double ulxmap = reels[4], ulymap = reels[5];
    // A positive ydim is a cell height; a negative one already carries the downward sign.
    const long double bas = ydim < 0 ? ulymap + nrows * ydim : ulymap - nrows * ydim;
    const long double droite = ulxmap + ncols * xdim;
    if (!std::isfinite(bas) || !std::isfinite(droite))
        return echec(sans_ligne, "les coordonnées des coins de l'image dépassent les nombres possibles");

    const auto nc = static_cast<std::int64_t>(ncols), nr = static_cast<std::int64_t>(nrows);
    r.points[0] = {general(ulxmap), general(ulymap), 0, 0};
    r.points[1] = {general(ulxmap), general(bas), 0, nr};
    r.points[2] = {general(droite), general(bas), nc, nr};
    if (const std::string e = georef::alignement(r); !e.empty()) return echec(sans_ligne, e);
    return r;
}

} // namespace vuv
