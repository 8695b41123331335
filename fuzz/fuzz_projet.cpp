// The project reader on arbitrary bytes: it must answer with its messages, never crash, hang
// or grow memory beyond the file's size.
#include "core/document/Document.h"
#include "core/projet/LecteurTexte.h"
#include "core/projet/ListeVirgules.h"
#include "core/projet/Projet.h"
#include "core/table/Grille.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Rows read straight from the bytes must equal rows read line by line.
void compare_les_lectures(std::string_view octets) {
    vuv::Grille par_lignes(9, 1), par_octets(9, 1);
    vuv::LecteurListes a, b;
    vuv::LecteurTexte f(octets);
    constexpr int n = 64;
    for (int r = 0; r < n; ++r) a.ajoute(par_lignes, f.ligne());
    if (b.ajoute_lignes(par_octets, octets, 0, n) != f.position()) std::abort();
    for (int r = 0; r < par_lignes.row_count(); ++r)
        for (int c = 0; c < 9; ++c)
            if (par_octets.cell(c, r) != par_lignes.cell(c, r)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    vuv::Document d;
    d.fichier_image = "plan.jpg"; // the different-image question is answered too
    vuv::ActionsLecture actions;
    const std::string octets(reinterpret_cast<const char*>(donnees), taille);
    vuv::lit_projet_octets(d, octets, actions);
    compare_les_lectures(octets);
    // Whatever was read must still be written back without trouble.
    (void)vuv::texte_projet(d, true);
    return 0;
}
