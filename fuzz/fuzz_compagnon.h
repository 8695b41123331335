#pragma once
// What the companion-file targets share: the bytes go through a file, as the readers take a
// path, and a companion they accept must calibrate a document.
#include "core/document/Document.h"
#include "core/georef/Compagnon.h"
#include "fuzz/fichier_temporaire.h"
#include "fuzz/port_muet.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fuzz {

inline void installe_port_muet() {
    static PortMuet port;
    vuv::installe_port(&port);
}

inline void verifie(const vuv::CalageCompagnon& c) {
    if (!c) {
        if (c.erreur.rfind("Fichier <", 0) != 0) std::abort(); // every refusal names the file
        return;
    }
    vuv::Document d;
    d.dx0 = 388;
    if (!vuv::applique_calage(d, c).empty()) return; // a 32-bit pixel pushed past the range
    if (d.nb_calage != 3) std::abort();
    // Accepted points are not aligned: the transform gives a finite point and comes back.
    long double X = NAN, Y = NAN;
    d.repere_carte(d.calage[1].x, d.calage[1].y, X, Y);
    if (!std::isfinite(X) || !std::isfinite(Y)) std::abort();
}

} // namespace fuzz
