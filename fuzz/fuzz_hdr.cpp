// The ARC/INFO header reader on arbitrary bytes: a calibration or a message, never a crash, a
// question or a hang.
#include "fuzz_compagnon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    fuzz::installe_port_muet();
    const std::string chemin = fuzz::ecrit_temporaire(".hdr", donnees, taille);
    fuzz::verifie(vuv::lit_hdr(chemin));
    std::remove(chemin.c_str());
    return 0;
}
