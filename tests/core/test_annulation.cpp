// The undo list: every kind of edit undone and redone back to the same tables and counters,
// the redo list, the saved flag, the bounds, and the changes that are no step.
#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/import/Import.h"
#include "core/mesure/Echelle.h"
#include "core/mesure/Traverse.h"
#include "core/projet/Projet.h"
#include "core/text/encodage.h"
#include "core/text/separateur.h"
#include "tests/support/Instantane.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace vuv;
using test::difference;
using test::Instantane;

namespace {

using Edition = PileAnnulation::Edition;

// Real (900, 2120) at pixel (0, 0), (900, 2020) at (0, 1000), (1000, 2020) at (1000, 1000):
// X = 900 + x / 10, Y = 2120 - y / 10. Points 1 to 3 on line 1, 4 and 5 on line 2.
void prepare(Document& d, int points = 5) {
    const int px[3][2] = {{0, 0}, {0, 1000}, {1000, 1000}};
    const long double reel[3][2] = {{900, 2120}, {900, 2020}, {1000, 2020}};
    for (int k = 0; k < 3; ++k) {
        d.affecte_calage(k + 1, 0, "cal " + std::to_string(k + 1), 0, 0, 0, reel[k][1], reel[k][0]);
        d.StringGrid2.set_cell(d.indice_col_cal("x"), k + 1, std::to_string(px[k][0]));
        d.StringGrid2.set_cell(d.indice_col_cal("y"), k + 1, std::to_string(px[k][1]));
        d.calage[static_cast<std::size_t>(k)] = {true, px[k][0], px[k][1], reel[k][0], reel[k][1], 0};
    }
    d.nb_calage = 3;
    d.StringGrid3.set_row_count(3);
    for (int L = 1; L <= 2; ++L) {
        const char* cellules[5] = {L == 1 ? "1" : "2", "4", "255", "x", ""};
        for (int c = 0; c < 5; ++c) d.StringGrid3.set_cell(c, L, cellules[c]);
    }
    for (int n = 1; n <= points; ++n) {
        const int L = n <= points * 3 / 5 ? 1 : 2;
        d.stocke_xy(n, L, 100 * n, 50 * n);
        d.nb_points = n;
        d.num_ligne = L;
    }
    d.StringGrid1.set_fixed_rows(1);
    d.nouvelle_ligne = false;
    d.sauve = true;
}

struct Cas {
    const char* nom;
    std::function<void(Document&)> avant; // the state the edit starts from, not recorded
    std::function<void(Document&, PileAnnulation&)> edition;
};

void dans(PileAnnulation& p, const char* nom, const std::function<void()>& f) {
    const Edition e(&p, nom);
    f();
}

std::string projet_a_importer() {
    Document autre;
    prepare(autre, 3);
    return utf8_vers_cp1252(texte_projet(autre, false));
}

const Cas cas[] = {
    {"PointDigitalise", nullptr,
     [](Document& d, PileAnnulation& p) {
         dans(p, noms_editions::point_digitalise,
              [&] { clic_digitaliser(d, 640, 480, MethodeCalage::trois_points, false); });
     }},
    {"PointDeCalageQuiConstruitLeTroisieme", [](Document& d) { d.nb_calage = 1; },
     [](Document& d, PileAnnulation& p) {
         dans(p, noms_editions::point_de_calage,
              [&] { clic_digitaliser(d, 700, 900, MethodeCalage::hypotenuse, false); });
     }},
    {"ValeurDeCalageTapeeEtRecalcul", nullptr,
     [](Document& d, PileAnnulation& p) {
         // Typed first, outside any command, then joined to the recomputation it causes.
         d.StringGrid2.set_cell(d.indice_col_cal("X"), 1, "950");
         const Edition e(&p, noms_editions::valeur_de_calage, true);
         d.calcul_nouveaux_calage();
     }},
    {"NouvelleLigne", nullptr,
     [](Document& d, PileAnnulation& p) {
         dans(p, noms_editions::nouvelle_ligne, [&] { nouvelle_suite_de_points(d); });
     }},
    {"SuppressionDUnPointAuMilieu", [](Document& d) { d.StringGrid1.set_row(2); },
     [](Document& d, PileAnnulation& p) {
         dans(p, noms_editions::suppression_point, [&] { d.efface_tab_et_point(true); });
     }},
    {"CelluleTapee", nullptr,
     [](Document& d, PileAnnulation& p) {
         d.StringGrid1.set_cell(d.indice_col("Libellé"), 3, "b");
         d.StringGrid1.set_cell(d.indice_col("Libellé"), 3, "bo");
         d.StringGrid1.set_cell(d.indice_col("Libellé"), 3, "borne");
         p.valide_attente(noms_editions::saisie_points);
     }},
    {"LigneDeselectionnee", nullptr,
     [](Document& d, PileAnnulation& p) {
         dans(p, noms_editions::deselection_ligne, [&] { d.StringGrid3.set_cell(3, 2, ""); });
     }},
    {"RajoutDePointsTexte", nullptr,
     [](Document& d, PileAnnulation& p) {
         dans(p, noms_editions::rajout_txt, [&] { importe_points_texte(d, "950 2050 a\n960 2040 b\n"); });
     }},
    {"RajoutDePointsDUnProjet", nullptr,
     [](Document& d, PileAnnulation& p) {
         const std::string octets = projet_a_importer();
         dans(p, noms_editions::rajout_trl, [&] { importe_points_projet(d, octets, "autre.trl"); });
     }},
    {"ValeursDeCalibrationCollees", nullptr,
     [](Document& d, PileAnnulation& p) {
         dans(p, noms_editions::calage_presse_papier, [&] { importe_calage_texte(d, "901 2121 7\n"); });
     }},
    {"Cheminement", nullptr,
     [](Document& d, PileAnnulation& p) {
         dans(p, noms_editions::cheminement, [&] { ajoute_traverse(d, 2, "A 100 0\nB 100 90\n", 4.5L); });
     }},
    {"MiseALEchelle", nullptr,
     [](Document& d, PileAnnulation& p) {
         dans(p, noms_editions::mise_a_l_echelle, [&] { applique_echelle(d, 2.5L); });
     }},
    {"AltitudeEcrite", nullptr,
     [](Document& d, PileAnnulation& p) {
         dans(p, noms_editions::altitude_plus, [&] { d.StringGrid1.set_cell(d.indice_col("Z"), 2, "150.5"); });
     }},
};

struct Banc {
    PortScripte port;
    PortInstalle installe{port};
    SeparateurLocal sep{'.'};
    Document d;
    Banc() { prepare(d); }
};

class ChaqueEdition : public ::testing::TestWithParam<Cas> {};

std::string nom_du_cas(const ::testing::TestParamInfo<Cas>& i) { return i.param.nom; }

} // namespace

TEST_P(ChaqueEdition, UndoThenRedoGiveBackTheTablesAndCountersOfEachSide) {
    Banc b;
    if (GetParam().avant) GetParam().avant(b.d);
    PileAnnulation pile(b.d);
    const Instantane avant = Instantane::de(b.d);
    GetParam().edition(b.d, pile);
    const Instantane apres = Instantane::de(b.d);
    ASSERT_NE(difference(avant, apres), "") << "the edit changed nothing";
    ASSERT_EQ(pile.nombre_annulations(), 1u);

    ASSERT_TRUE(pile.annuler());
    EXPECT_EQ(difference(avant, Instantane::de(b.d)), "");
    ASSERT_TRUE(pile.retablir());
    EXPECT_EQ(difference(apres, Instantane::de(b.d)), "");
    // Each way swaps what the step holds: a second round must hold the same.
    ASSERT_TRUE(pile.annuler());
    EXPECT_EQ(difference(avant, Instantane::de(b.d)), "");
    ASSERT_TRUE(pile.retablir());
    EXPECT_EQ(difference(apres, Instantane::de(b.d)), "");
}

INSTANTIATE_TEST_SUITE_P(Annulation, ChaqueEdition, ::testing::ValuesIn(cas), nom_du_cas);

TEST(Annulation, StepsUndoneOneByOneThenRedoneInOrder) {
    Banc b;
    PileAnnulation pile(b.d);
    std::vector<Instantane> etats{Instantane::de(b.d)};
    const auto clic = [&](int x, int y) {
        dans(pile, noms_editions::point_digitalise, [&] { clic_digitaliser(b.d, x, y, MethodeCalage::trois_points, false); });
        etats.push_back(Instantane::de(b.d));
    };
    clic(10, 10);
    clic(20, 20);
    dans(pile, noms_editions::nouvelle_ligne, [&] { nouvelle_suite_de_points(b.d); });
    etats.push_back(Instantane::de(b.d));
    clic(30, 30);
    b.d.StringGrid1.set_row(1);
    dans(pile, noms_editions::suppression_point, [&] { b.d.efface_tab_et_point(true); });
    etats.push_back(Instantane::de(b.d));

    EXPECT_EQ(pile.nom_annulation(), "Suppression du point");
    for (std::size_t i = etats.size() - 1; i > 0; --i) {
        ASSERT_TRUE(pile.annuler());
        EXPECT_EQ(difference(etats[i - 1], Instantane::de(b.d)), "") << "undo back to state " << i - 1;
    }
    EXPECT_FALSE(pile.annuler());
    EXPECT_EQ(pile.nom_retablissement(), "Point digitalisé");
    for (std::size_t i = 1; i < etats.size(); ++i) {
        ASSERT_TRUE(pile.retablir());
        EXPECT_EQ(difference(etats[i], Instantane::de(b.d)), "") << "redo to state " << i;
    }
    EXPECT_FALSE(pile.retablir());
}

TEST(Annulation, ANewEditAfterAnUndoClearsTheRedoList) {
    Banc b;
    PileAnnulation pile(b.d);
    dans(pile, noms_editions::point_digitalise, [&] { clic_digitaliser(b.d, 10, 10, MethodeCalage::trois_points, false); });
    dans(pile, noms_editions::nouvelle_ligne, [&] { nouvelle_suite_de_points(b.d); });
    ASSERT_TRUE(pile.annuler());
    EXPECT_EQ(pile.nom_retablissement(), "Nouvelle ligne");
    dans(pile, noms_editions::altitude_plus, [&] { b.d.StringGrid1.set_cell(b.d.indice_col("Z"), 1, "3"); });
    EXPECT_FALSE(pile.peut_retablir());
    EXPECT_EQ(pile.nom_retablissement(), "");
    EXPECT_EQ(pile.nom_annulation(), "Altitude + delta Z");
    EXPECT_EQ(pile.nombre_annulations(), 2u);
    // Typing waiting to become a step clears it too, before it is even named a step.
    ASSERT_TRUE(pile.annuler());
    b.d.StringGrid1.set_cell(b.d.indice_col("Libellé"), 1, "x");
    EXPECT_FALSE(pile.peut_retablir());
    EXPECT_EQ(pile.nom_annulation(), "Modification");
}

TEST(Annulation, TheSavedFlagFollowsTheStateLastSaved) {
    Banc b;
    PileAnnulation pile(b.d);
    const auto clic = [&] {
        dans(pile, noms_editions::point_digitalise, [&] { clic_digitaliser(b.d, 10, 10, MethodeCalage::trois_points, false); });
    };
    clic();
    EXPECT_FALSE(b.d.sauve);
    pile.annuler();
    EXPECT_TRUE(b.d.sauve) << "back to the project as loaded";
    pile.retablir();
    EXPECT_FALSE(b.d.sauve);

    clic();
    b.d.sauve = true; // saved with two clicks
    pile.annuler();
    EXPECT_FALSE(b.d.sauve) << "one click less than the file";
    pile.annuler();
    EXPECT_FALSE(b.d.sauve) << "the file loaded first was overwritten";
    pile.retablir();
    pile.retablir();
    EXPECT_TRUE(b.d.sauve) << "the state saved again";

    // Hiding a line changes what a save writes: unsaved until undone.
    dans(pile, noms_editions::deselection_ligne, [&] { b.d.StringGrid3.set_cell(3, 2, ""); });
    EXPECT_FALSE(b.d.sauve);
    pile.annuler();
    EXPECT_TRUE(b.d.sauve);
}

TEST(Annulation, AtMostAThousandStepsTheOldestDroppedFirst) {
    Banc b;
    PileAnnulation pile(b.d);
    const int cz = b.d.indice_col("Z");
    for (int i = 1; i <= 1003; ++i)
        dans(pile, noms_editions::altitude_plus, [&] { b.d.StringGrid1.set_cell(cz, 1, std::to_string(i)); });
    EXPECT_EQ(pile.nombre_annulations(), 1000u);
    while (pile.annuler()) {
    }
    EXPECT_EQ(b.d.StringGrid1.cell(cz, 1), "3") << "the first three steps were dropped";
}

TEST(Annulation, BoundedInBytesTheOldestDroppedFirst) {
    Banc b;
    const auto clic = [&](PileAnnulation& p, int x) {
        dans(p, noms_editions::point_digitalise, [&] { clic_digitaliser(b.d, x, 10, MethodeCalage::trois_points, false); });
    };
    std::size_t un_pas = 0;
    {
        PileAnnulation essai(b.d);
        clic(essai, 1);
        un_pas = essai.octets();
        essai.annuler();
    }
    PileAnnulation pile(b.d, {1000, 3 * un_pas + un_pas / 2});
    for (int x = 1; x <= 6; ++x) clic(pile, x);
    EXPECT_EQ(pile.nombre_annulations(), 3u);
    EXPECT_LE(pile.octets(), pile.limites().octets);
    // An undone click holds its row for the redo: the oldest step makes room.
    ASSERT_TRUE(pile.annuler());
    EXPECT_EQ(b.d.nb_points, 5 + 5);
    EXPECT_LE(pile.octets(), pile.limites().octets);
    while (pile.annuler()) {
    }
    EXPECT_GE(b.d.nb_points, 5 + 3);
}

TEST(Annulation, AClickStepHoldsOneRowNotTheTables) {
    PortScripte port;
    PortInstalle installe{port};
    Document d;
    prepare(d, 20000);
    PileAnnulation pile(d);
    dans(pile, noms_editions::point_digitalise, [&] { clic_digitaliser(d, 10, 10, MethodeCalage::trois_points, false); });
    EXPECT_LT(pile.octets(), 1024u);
    pile.annuler();
    EXPECT_LT(pile.octets(), 1024u);
    // Deleting the first point renumbers every row but moves none: a few bytes a row.
    d.StringGrid1.set_row(1);
    dans(pile, noms_editions::suppression_point, [&] { d.efface_tab_et_point(true); });
    EXPECT_LT(pile.octets(), 20000u * 40u);
}

TEST(Annulation, ACellTypedThenPutBackIsNoStep) {
    Banc b;
    PileAnnulation pile(b.d);
    const int cl = b.d.indice_col("Libellé");
    b.d.StringGrid1.set_cell(cl, 2, "abc");
    b.d.StringGrid1.set_cell(cl, 2, "");
    pile.valide_attente(noms_editions::saisie_points);
    EXPECT_FALSE(pile.peut_annuler());
}

TEST(Annulation, ObserversHearEveryStepUndoRedoAndEmptying) {
    struct Compte : PileAnnulation::Observateur {
        PileAnnulation* p = nullptr;
        std::vector<PileAnnulation::Action> vues;
        void pile_changee() override { vues.push_back(p->derniere_action()); }
    } compte;
    Banc b;
    PileAnnulation pile(b.d);
    compte.p = &pile;
    pile.ajoute_observateur(&compte);
    dans(pile, noms_editions::nouvelle_ligne, [&] { nouvelle_suite_de_points(b.d); });
    dans(pile, noms_editions::nouvelle_ligne, [&] { nouvelle_suite_de_points(b.d); }); // nothing new: no step
    pile.annuler();
    pile.retablir();
    pile.vide();
    using A = PileAnnulation::Action;
    EXPECT_EQ(compte.vues, (std::vector<A>{A::faite, A::annulee, A::retablie, A::videe}));
}

TEST(Annulation, ALoadInsideASuspensionEmptiesTheListOnlyWhenTheWorkChanged) {
    Banc b;
    PileAnnulation pile(b.d);
    dans(pile, noms_editions::nouvelle_ligne, [&] { nouvelle_suite_de_points(b.d); });
    { const PileAnnulation::Suspension s(&pile); }
    EXPECT_TRUE(pile.peut_annuler()) << "a load refused changed nothing";
    {
        const PileAnnulation::Suspension s(&pile);
        const Edition ignoree(&pile, noms_editions::point_digitalise);
        b.d.StringGrid1.set_row_count(1);
        b.d.nb_points = 0;
    }
    EXPECT_FALSE(pile.peut_annuler());
    EXPECT_EQ(difference(Instantane::de(b.d), Instantane::de(b.d)), "");
    dans(pile, noms_editions::point_digitalise, [&] { clic_digitaliser(b.d, 10, 10, MethodeCalage::trois_points, false); });
    pile.annuler();
    EXPECT_EQ(b.d.nb_points, 0);
    EXPECT_EQ(b.d.StringGrid1.row_count(), 1);
}

TEST(Annulation, ACopiedDocumentIsNotRecorded) {
    Banc b;
    PileAnnulation pile(b.d);
    Document copie = b.d;
    copie.StringGrid1.set_cell(0, 1, "zzz");
    copie.StringGrid1.set_row_count(1);
    EXPECT_FALSE(pile.peut_annuler());
}

TEST(Annulation, ASaveCuttingTheTablesJoinsTheLastStep) {
    Banc b;
    b.d.StringGrid1.set_row_count(9); // rows past the count, as a fresh table has one
    PileAnnulation pile(b.d);
    const Instantane avant = Instantane::de(b.d);
    dans(pile, noms_editions::point_digitalise, [&] { clic_digitaliser(b.d, 10, 10, MethodeCalage::trois_points, false); });
    {
        const PileAnnulation::Rattachement r(&pile);
        texte_projet(b.d, false);
        b.d.sauve = true;
    }
    ASSERT_EQ(b.d.StringGrid1.row_count(), 7);
    const Instantane enregistre = Instantane::de(b.d);
    EXPECT_EQ(pile.nombre_annulations(), 1u);
    EXPECT_EQ(pile.nom_annulation(), "Point digitalisé");
    pile.annuler();
    EXPECT_EQ(difference(avant, Instantane::de(b.d)), "");
    EXPECT_FALSE(b.d.sauve);
    pile.retablir();
    EXPECT_EQ(difference(enregistre, Instantane::de(b.d), true), "");
}
