#include "core/coloriage/CopieCalque.h"

#include "core/fichiers/EcritureSure.h"
#include "core/fichiers/PetitBoutiste.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace vuv {
namespace {

constexpr std::size_t taille_tete = 54;

std::size_t octets_rang(int largeur) { return (static_cast<std::size_t>(largeur) * 2 + 3) & ~std::size_t{3}; }

} // namespace

void ecrit_copie(const VuePixels& v, const std::string& chemin) {
    if (!v.valide()) throw ErreurFichier("Impossible d'enregistrer " + chemin + " : pas d'image");
    const std::size_t rangee = octets_rang(v.largeur);
    const std::size_t donnees = rangee * static_cast<std::size_t>(v.hauteur);
    unsigned char tete[taille_tete] = {'B', 'M'};
    pose32(tete + 2, static_cast<std::uint32_t>(taille_tete + donnees));
    pose32(tete + 10, taille_tete);
    pose32(tete + 14, 40);
    pose32(tete + 18, static_cast<std::uint32_t>(v.largeur));
    pose32(tete + 22, static_cast<std::uint32_t>(v.hauteur));
    pose16(tete + 26, 1);
    pose16(tete + 28, 16);
    pose32(tete + 34, static_cast<std::uint32_t>(donnees));
    EcritureSure f(chemin);
    f.ecrit(tete, taille_tete);
    const unsigned char bourrage[4] = {};
    for (int y = v.hauteur - 1; y >= 0 && f.ok(); --y) {
        f.ecrit(v.ligne(y), static_cast<std::size_t>(v.largeur) * 2);
        f.ecrit(bourrage, rangee - static_cast<std::size_t>(v.largeur) * 2);
    }
    if (!f.valide()) throw ErreurFichier(f.message());
}

bool relit_copie(const VuePixels& v, const std::string& chemin) {
    if (!v.valide()) return false;
    std::ifstream in(chemin, std::ios::binary);
    unsigned char tete[taille_tete];
    if (!in.read(reinterpret_cast<char*>(tete), taille_tete)) return false;
    const std::size_t rangee = octets_rang(v.largeur);
    if (tete[0] != 'B' || tete[1] != 'M' || lit32(tete + 10) != taille_tete || lit32(tete + 14) != 40 ||
        lit32(tete + 18) != static_cast<std::uint32_t>(v.largeur) ||
        lit32(tete + 22) != static_cast<std::uint32_t>(v.hauteur) || tete[28] != 16 || tete[29] != 0 ||
        lit32(tete + 30) != 0)
        return false;
    in.seekg(0, std::ios::end);
    if (static_cast<std::size_t>(in.tellg()) < taille_tete + rangee * static_cast<std::size_t>(v.hauteur))
        return false;
    in.seekg(taille_tete);
    for (int y = v.hauteur - 1; y >= 0; --y) {
        if (!in.read(reinterpret_cast<char*>(v.ligne(y)), static_cast<std::streamsize>(v.largeur) * 2)) return false;
        in.seekg(static_cast<std::streamoff>(rangee - static_cast<std::size_t>(v.largeur) * 2), std::ios::cur);
    }
    return true;
}

} // namespace vuv
