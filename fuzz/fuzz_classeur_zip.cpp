// The .xlsx and .ods readers on arbitrary bytes, through a file as minizip takes a path: the
// sheet's cells, or a reason in French; never a crash or a hang.
#include "fuzz/fichier_temporaire.h"

#include "platform/ClasseurZip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string chemin = fuzz::ecrit_temporaire(".xlsx", donnees, taille);
    std::string pourquoi;
    bool zip = false;
    const auto f = vuv::lit_classeur_zip(chemin, pourquoi, zip);
    if (f ? !pourquoi.empty() : zip && pourquoi.empty()) std::abort();
    if (f)
        for (int r = 1; r <= f->lignes() && r <= 40; ++r)
            for (int c = 1; c <= f->colonnes(); ++c) (void)f->cellule(c, r);
    std::remove(chemin.c_str());
    return 0;
}
