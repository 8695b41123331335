// The world-file reader on arbitrary bytes: a transform or a message, never a crash, a question
// or a hang; an accepted transform calibrates an image or says why not, and writes back.
#include "core/georef/Monde.h"
#include "fuzz_compagnon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    fuzz::installe_port_muet();
    const std::string chemin = fuzz::ecrit_temporaire(".jgw", donnees, taille);
    const vuv::LectureMonde l = vuv::lit_fichier_monde(chemin);
    std::remove(chemin.c_str());
    if (!l) {
        if (l.erreur.rfind("Fichier <", 0) != 0) std::abort(); // every refusal names the file
        return 0;
    }
    if (!vuv::raison_non_inversible(l.t).empty()) std::abort();
    // Refusals of the calibration are said, not thrown; an accepted one calibrates a document.
    const vuv::CalageCompagnon c = vuv::calage_affine(l.t, 1000, 700);
    if (!c) {
        if (c.erreur.empty()) std::abort();
    } else {
        fuzz::verifie(c);
    }
    const std::string texte = vuv::texte_fichier_monde(l.t);
    int lignes = 0;
    for (std::size_t i = 0; i + 1 < texte.size(); ++i) lignes += texte[i] == '\r' && texte[i + 1] == '\n';
    if (lignes != 6) std::abort();
    return 0;
}
