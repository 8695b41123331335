#pragma once
// The work the import targets start from: a 1200 x 800 image's own calibration and two points
// digitized on line 1.
#include "core/document/Digitalisation.h"
#include "core/document/Document.h"

#include <cstddef>

namespace fuzz {

inline void document_de_depart(vuv::Document& d) {
    d.mess_3_calage_svp_et_init(false);
    const int px[3][2] = {{0, 0}, {0, 800}, {1200, 800}};
    const long double reel[3][2] = {{0, 799}, {0, 0}, {1199, 0}};
    for (int k = 0; k < 3; ++k) {
        d.affecte_calage(k + 1, 0, "cal", 0, 0, 0, reel[k][1], reel[k][0]);
        d.calage[static_cast<std::size_t>(k)] = {true, px[k][0], px[k][1], reel[k][0], reel[k][1], 0};
    }
    d.nb_calage = 3;
    vuv::clic_digitaliser(d, 100, 100, vuv::MethodeCalage::trois_points, false);
    vuv::clic_digitaliser(d, 200, 150, vuv::MethodeCalage::trois_points, false);
}

} // namespace fuzz
