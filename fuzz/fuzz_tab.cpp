// The MapInfo table reader on arbitrary bytes: a calibration or a message, never a crash, a
// question or a hang.
#include "fuzz_compagnon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    fuzz::installe_port_muet();
    const std::string chemin = fuzz::ecrit_temporaire(".tab", donnees, taille);
    const vuv::CalageCompagnon c = vuv::lit_tab(chemin);
    fuzz::verifie(c);
    if (c && vuv::chemin_image_tab(chemin, c.image).empty()) std::abort();
    std::remove(chemin.c_str());
    return 0;
}
