// What the tracer says, and keeps, when there is nothing sound to follow.
#include "core/pixels/SuiviTrait.h"
#include "core/pixels/Trace.h"

#include <gtest/gtest.h>

namespace {

using namespace vuv;

constexpr std::uint16_t papier = 0x7FFF, rouge = 0x7C00, bleu = 0x001F;

const char* const papier_seul =
    "Pas de trait sous le clic : sa couleur couvre toute la zone autour (papier, ou tolérance trop large).";

struct CasMauvais {
    const char* nom;
    int x0, y0, x1, y1, tolerance;
    long noeuds_max;
    bool arrete; // the caller stops the search at once
    EchecSuivi attendu;
    const char* message;
};

class SuiviTraitMauvais : public ::testing::TestWithParam<CasMauvais> {};

// Two red strokes 100 px apart and a blue one.
TEST_P(SuiviTraitMauvais, aBadStartSaysWhyAndKeepsNoPoint) {
    const CasMauvais c = GetParam();
    std::vector<std::uint16_t> px(400 * 300, papier);
    const VuePixels v{reinterpret_cast<std::uint8_t*>(px.data()), 400, 300, 800, FormatPixels::rgb555};
    trace_segment(v, 20, 50, 150, 50, 3, rouge);
    trace_segment(v, 250, 50, 380, 50, 3, rouge);
    trace_segment(v, 20, 150, 380, 150, 3, bleu);
    ReglagesSuivi r;
    r.tolerance_couleur = c.tolerance;
    r.noeuds_max = c.noeuds_max;
    const ResultatSuivi res =
        suit_trait(v, couleur_sous(v, c.x0, c.y0), c.x0, c.y0, c.x1, c.y1, r, [&] { return c.arrete; });
    EXPECT_EQ(res.echec, c.attendu);
    EXPECT_EQ(res.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, SuiviTraitMauvais,
    ::testing::Values(
        CasMauvais{"blankPaper", 200, 100, 100, 50, 60, 8'000'000, false, EchecSuivi::pas_un_trait, papier_seul},
        CasMauvais{"toleranceMatchingEverything", 100, 50, 300, 50, 450, 8'000'000, false, EchecSuivi::pas_un_trait, papier_seul},
        CasMauvais{"secondClickOffTheColour", 100, 50, 100, 150, 60, 8'000'000, false, EchecSuivi::arrivee,
                   "Le second clic n'est pas sur la couleur du trait."},
        CasMauvais{"clickOutsideTheMap", 100, 50, 500, 50, 60, 8'000'000, false, EchecSuivi::hors_carte,
                   "Suivi impossible : un clic est hors de la carte."},
        CasMauvais{"unconnectedStrokes", 100, 50, 300, 50, 60, 8'000'000, false, EchecSuivi::coupe,
                   "Le trait s'interrompt : plus de pixels de sa couleur au-delà (écart de plus de 24 px, ou un autre trait)."},
        CasMauvais{"pathOverTheBudget", 20, 150, 380, 150, 60, 300, false, EchecSuivi::trop_long,
                   "Recherche arrêtée : le trait est trop long pour être suivi d'un coup, cliquer plus près."},
        CasMauvais{"stoppedByTheCaller", 20, 150, 380, 150, 60, 8'000'000, true, EchecSuivi::interrompu,
                   "Suivi du trait interrompu."}),
    [](const auto& i) { return std::string(i.param.nom); });

} // namespace
