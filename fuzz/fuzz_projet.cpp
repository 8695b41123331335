// The project reader on arbitrary bytes: it must answer with its messages, never crash, hang
// or grow memory beyond the file's size.
#include "core/document/Document.h"
#include "core/projet/Projet.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    vuv::Document d;
    d.fichier_image = "plan.jpg"; // the different-image question is answered too
    vuv::ActionsLecture actions;
    vuv::lit_projet_octets(d, std::string(reinterpret_cast<const char*>(donnees), taille), actions);
    // Whatever was read must still be written back without trouble.
    (void)vuv::texte_projet(d, true);
    return 0;
}
