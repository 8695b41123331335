// Random working sessions as a user has them (digitizing, typing in the three tables, new lines,
// colours, lines shown or hidden, imports, undo and redo, saves): every project saved opens again
// with the same tables, and the saved flag is set only while the file holds the work, set again
// by undoing back to it.
#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/export/SauveDans.h"
#include "core/import/Import.h"
#include "core/projet/Projet.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "tests/support/FichiersEssai.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace vuv;

namespace {

using Edition = PileAnnulation::Edition;

// Texts the tables' edit checks let through. The calibration pixels, which cannot be typed
// into, get them too, as a text reaching them any other way would.
const std::vector<std::string> libelles = {"borne", "a b", "dit \"oui\"", "1,5", "", "pont-neuf", "é"};
const std::vector<std::string> nombres = {"12.5", "-", "", "+", "3,5", "250", "7", "-40"};
const std::vector<std::string> epaisseurs = {"", "1", "12"};

class Session {
public:
    explicit Session(unsigned graine) : hasard_(graine) {
        d_.mess_3_calage_svp_et_init(false);
        options_enregistrer_projet(options_);
        options_.CheckBox_pas_norme = false;
        enregistre();
    }

    // One random step, checked.
    void pas() {
        const bool sauve_avant = d_.sauve;
        const std::string texte_avant = texte();
        const int genre = tire(12);
        switch (genre) {
        case 0:
        case 1: {
            const Edition e(&p_, noms_editions::point_digitalise);
            clic_digitaliser(d_, tire(1000), tire(800), MethodeCalage::trois_points, false);
            break;
        }
        case 2: {
            const Edition e(&p_, noms_editions::nouvelle_ligne);
            nouvelle_suite_de_points(d_);
            break;
        }
        case 3:
            if (d_.nb_points > 0) tape(d_.StringGrid1, tire(2) ? 2 : 5, 1 + tire(d_.nb_points), noms_editions::saisie_points);
            break;
        case 4: {
            // Typed into a calibration cell, then Enter.
            const int col = 2 + tire(6);
            d_.StringGrid2.set_cell(col, 1 + tire(3), col == 2 ? choisi(libelles) : choisi(nombres));
            if (tire(2)) {
                const Edition e(&p_, noms_editions::valeur_de_calage, true);
                d_.calcul_nouveaux_calage();
            }
            break;
        }
        case 5: tape(d_.StringGrid3, tire(2) ? 1 : 4, 1 + tire(d_.num_ligne), noms_editions::saisie_lignes); break;
        case 6: {
            const Edition e(&p_, noms_editions::couleur_ligne);
            d_.StringGrid3.set_cell(2, 1 + tire(d_.num_ligne), std::to_string(tire(0x1000000)));
            break;
        }
        case 7: {
            const int L = 1 + tire(d_.num_ligne);
            const Edition e(&p_, noms_editions::selection_ligne);
            d_.StringGrid3.set_cell(3, L, d_.StringGrid3.cell(3, L) == "x" ? "" : "x");
            break;
        }
        case 8: {
            const Edition e(&p_, noms_editions::rajout_txt);
            importe_points_texte(d_, std::to_string(tire(900)) + " " + std::to_string(tire(900)) + " import\n");
            break;
        }
        case 9: {
            const Edition e(&p_, noms_editions::calage_presse_papier);
            importe_calage_texte(d_, std::to_string(tire(50)) + " " + std::to_string(tire(50)) + " 4\n");
            break;
        }
        case 10:
            if (tire(2)) p_.annuler();
            else p_.retablir();
            break;
        case 11: enregistre(); return;
        }
        // The flag set means the file holds the work; a change from a saved state is undone
        // back to it.
        if (d_.sauve) {
            EXPECT_EQ(texte(), sauve_) << "the work changed without clearing the saved flag";
        }
        if (genre != 10 && sauve_avant && texte() != texte_avant && tire(2)) {
            p_.annuler();
            EXPECT_EQ(texte(), texte_avant);
            EXPECT_TRUE(d_.sauve) << "undone back to the state saved";
            p_.retablir();
            EXPECT_FALSE(d_.sauve);
        }
    }

    void enregistre() {
        {
            const PileAnnulation::Rattachement r(&p_);
            ASSERT_NO_THROW(sauve_dans(d_, options_, (dossier_.chemin() / "session.trl").string(), true));
        }
        ASSERT_TRUE(d_.sauve);
        sauve_ = cp1252_vers_utf8(octets::lit(dossier_.chemin() / "session.trl"));
        EXPECT_EQ(texte(), sauve_);
        rouvre();
    }

private:
    int tire(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(hasard_); }
    const std::string& choisi(const std::vector<std::string>& v) { return v[static_cast<std::size_t>(tire(static_cast<int>(v.size())))]; }
    std::string texte() const { return texte_projet_tel_quel(d_, true); }

    // Typed into a cell, the editor then closed.
    void tape(Grille& g, int col, int row, const char* nom) {
        g.set_cell(col, row, col == 2 || col == 4 ? choisi(libelles) : &g == &d_.StringGrid3 ? choisi(epaisseurs) : choisi(nombres));
        p_.valide_attente(nom);
    }

    // The file read into another document: same counts, and the same cells but for what the
    // reader rewrites (an empty cell before others reads as a space, lines numbered and shown).
    void rouvre() {
        Document lu;
        ActionsLecture rien;
        ASSERT_EQ(lit_projet(lu, (dossier_.chemin() / "session.trl").string(), rien), ResultatLecture::lu)
            << port_.messages().back();
        EXPECT_TRUE(lu.sauve);
        ASSERT_EQ(lu.nb_points, d_.nb_points);
        ASSERT_EQ(lu.num_ligne, d_.num_ligne);
        ASSERT_EQ(lu.nb_calage, d_.nb_calage);
        const auto compare = [](const Grille& a, const Grille& b, int premier, int dernier, bool lignes) {
            for (int r = premier; r <= dernier; ++r)
                for (int c = 0; c < a.col_count(); ++c)
                    if (!lignes || (c != 0 && c != 3)) {
                        EXPECT_EQ(enleve_blancs(a.cell(c, r)), enleve_blancs(b.cell(c, r))) << "row " << r << " col " << c;
                    }
        };
        compare(lu.StringGrid2, d_.StringGrid2, 0, d_.nb_calage, false);
        if (d_.nb_points == 0) return;
        compare(lu.StringGrid1, d_.StringGrid1, 1, d_.nb_points, false);
        compare(lu.StringGrid3, d_.StringGrid3, 1, d_.num_ligne, true);
    }

    octets::DossierEssai dossier_{"sessions_"};
    PortScripte port_;
    PortInstalle installe_{port_};
    Document d_;
    PileAnnulation p_{d_};
    OptionsExport options_;
    std::mt19937 hasard_;
    std::string sauve_;
};

} // namespace

TEST(SessionsAleatoires, EveryProjectSavedOpensAgainAndTheSavedFlagFollowsTheFile) {
    for (unsigned graine = 1; graine <= 30; ++graine) {
        SCOPED_TRACE("graine " + std::to_string(graine));
        Session s(graine);
        for (int k = 0; k < 80 && !::testing::Test::HasFailure(); ++k) s.pas();
        s.enregistre();
        if (::testing::Test::HasFailure()) return;
    }
}
