#pragma once
// The document's values beside its tables that an edit changes: the counters, the calibration
// records, the tables' selected rows and the fixed header of the points table. A few hundred
// bytes, taken whole at each step.
#include "core/document/Document.h"

#include <array>

namespace vuv {

struct EtatDocument {
    int nb_points = 0;
    int num_ligne = 0;
    bool nouvelle_ligne = true;
    int nb_calage = 0;
    std::array<EnregistrementCalage, 3> calage{};
    std::array<int, 3> ligne_choisie{}; // StringGrid1, 2, 3
    int lignes_fixes_points = 0;

    static EtatDocument de(const Document& d);
    void applique(Document& d) const;
    // The selected rows, once the views know the tables' new sizes.
    void choisit_lignes(Document& d) const;
};

// Same counters and calibration. The selection alone is no edit, nor is the next click's
// starting a new segment or not (the measuring modes set it as they begin).
bool meme_contenu(const EtatDocument& a, const EtatDocument& b);

} // namespace vuv
