#pragma once
// What the conversion window's import targets share: a sheet as the window prepares it, and
// the conversions a user runs next over what was imported, in both decimal conventions.
#include "core/conversion/FeuilleUTM.h"
#include "core/table/Grille.h"
#include "core/text/separateur.h"
#include "fuzz/port_muet.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <string>

namespace fuzz {

struct FeuilleConversion {
    FeuilleConversion() {
        static PortMuet port; // converting never talks to the user
        vuv::installe_port(&port);
    }
    vuv::Grille g{1, 1};
    vuv::ColonnesFeuille c = (vuv::prepare_feuille(g), vuv::colonnes_feuille(g));

    // The sheet holds just the n imported rows, or `vide` empty ones when none was.
    void verifie_import(long n, long vide = 0) const {
        if (n < 0 || g.row_count() != std::max(n, vide) + 1 || g.col_count() != vuv::feuille_colonnes) std::abort();
    }

    // Every row gone through, each converted or refused, the one message and the export made.
    void convertit(std::initializer_list<vuv::Calcul> calculs) {
        // A few dozen rows reach every road of a conversion; a thousand would only slow the run.
        if (g.row_count() > 41) g.set_row_count(41);
        for (const vuv::Calcul k : calculs) {
            const vuv::Bilan b = vuv::calcule(g, c, k, 6378, 6347);
            if (b.traitees != g.row_count() - 1 || b.refusees > b.traitees || b.videes > 2 * b.traitees || b.annule ||
                b.premieres.size() != static_cast<std::size_t>(std::min<long>(b.refusees + b.videes, 10)) ||
                vuv::message_bilan(b).empty() != (b.refusees + b.videes == 0))
                std::abort();
        }
        (void)vuv::texte_export(g);
    }
};

} // namespace fuzz
