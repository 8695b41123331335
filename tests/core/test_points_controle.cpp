// Control points in a project: the chosen fit rewrites every point, the worst point stands out,
// and the side file beside the project keeps them through a save and a reopening, or is refused
// by name with the three-point calibration kept.
#include "core/calage/FichierCalage.h"
#include "core/document/Digitalisation.h"
#include "core/projet/Projet.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "tests/support/FichiersEssai.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace vuv {
namespace {

namespace fs = std::filesystem;
using ld = long double;

void carte(ld x, ld y, ld& X, ld& Y) {
    X = 652000 + 0.5L * x + 0.02L * y;
    Y = 6861000 + 0.015L * x - 0.49L * y;
}

class PointsDeControle : public ::testing::Test {
protected:
    // Twelve control points over a 4 x 3 grid, their typed coordinates a few centimetres off
    // (under a pixel); the seventh clicked 40 pixels to the right.
    static std::vector<PointControle> douze() {
        std::vector<PointControle> r;
        constexpr int ordre[12] = {0, 11, 3, 8, 5, 6, 1, 2, 4, 7, 9, 10};
        for (int i = 0; i < 12; ++i) {
            PointControle p;
            p.x = 150 + (ordre[i] % 4) * 1100;
            p.y = 220 + (ordre[i] / 4) * 900;
            carte(p.x, p.y, p.X, p.Y);
            p.X += 0.12L * std::sin(i * 7.1L);
            p.Y += 0.12L * std::cos(i * 3.3L);
            p.nom = "borne " + std::to_string(i + 1);
            r.push_back(p);
        }
        r[6].x += 40;
        return r;
    }

    void SetUp() override {
        d.mess_3_calage_svp_et_init(false);
        d.fichier_image = "plan.jpg";
        d.largeur_fond = 4000;
        d.hauteur_fond = 2500;
        const auto p = douze();
        for (int i = 0; i < 3; ++i)
            clic_digitaliser(d, static_cast<int>(p[i].x), static_cast<int>(p[i].y), MethodeCalage::trois_points, false);
        for (auto [x, y] : {std::pair{1000, 800}, {2600, 1900}}) clic_digitaliser(d, x, y, MethodeCalage::trois_points, false);
        d.controle.points = p;
        d.controle.methode = MethodeTransformation::affine;
        ASSERT_EQ(d.applique_controle(), "");
    }

    std::string point(const Document& doc, int row, const char* col) const {
        return std::string(doc.StringGrid1.cell(doc.indice_col(col), row));
    }

    BilanCalage bilan(const Document& doc) const { return bilan_calage(*doc.controle.calculee, doc.controle.points); }

    // A project read back the way the points window opens one.
    std::string rouvre(Document& lu) {
        ActionsLecture a;
        EXPECT_EQ(lit_projet(lu, projet.string(), a), ResultatLecture::lu);
        return lit_calage_projet(lu, projet.string());
    }

    SeparateurLocal sep{'.'};
    PortScripte port_;
    PortInstalle installe{port_};
    const octets::DossierEssai essai_{"controle_"};
    const fs::path projet = essai_.chemin() / "plan.trl";
    const fs::path cal = essai_.chemin() / "plan.cal";
    Document d;
};

TEST_F(PointsDeControle, TheWorstPointStandsOutAndUntickingItBringsTheRmsUnderAPixel) {
    BilanCalage b = bilan(d);
    EXPECT_EQ(b.pire, 6);
    EXPECT_GT(b.rms_pixels, 10);
    d.controle.points[6].utilise = false;
    ASSERT_EQ(d.applique_controle(), "");
    b = bilan(d);
    EXPECT_LT(b.rms_pixels, 1);
    EXPECT_GT(b.residus[6].dpx, 35) << "an unticked point keeps its residual as a check";
}

TEST_F(PointsDeControle, AWorldFileFromTheFitSaysItsRms) {
    d.controle.points[6].utilise = false;
    d.applique_controle();
    const BilanCalage b = bilan(d);
    EXPECT_EQ(message_fichier_monde(d.controle),
              "Fichier de géoréférence écrit d'après la transformation « Affine (moindres carrés) » : erreur moyenne "
              "quadratique " + fixe_local(b.rms_pixels, 3) + " px (" + fixe_local(b.rms_carte, 4) +
              " en unités de la carte) sur 11 points.");
    d.controle.methode = MethodeTransformation::affine_exacte;
    d.applique_controle();
    EXPECT_EQ(message_fichier_monde(d.controle), "") << "the three-point calibration says nothing more than before";
}

TEST_F(PointsDeControle, TheExactMethodGoesBackToTheThreeRows) {
    d.controle.methode = MethodeTransformation::affine_exacte;
    ASSERT_EQ(d.applique_controle(), "");
    Document trois = d;
    trois.controle = {};
    ld X = 0, Y = 0;
    trois.repere_carte(1000, 800, X, Y);
    EXPECT_NEAR(val_r(point(d, 1, "X")), X, 1e-7L);
}

TEST_F(PointsDeControle, SavedClosedReopenedTheSame) {
    d.controle.points[6].utilise = false;
    d.controle.points[6].nom = "borne « déplacée »";
    d.controle.methode = MethodeTransformation::projective;
    ASSERT_EQ(d.applique_controle(), "");
    ecrit_projet(d, projet.string(), true);
    ASSERT_TRUE(fs::exists(cal));

    Document lu;
    EXPECT_EQ(rouvre(lu), "");
    EXPECT_EQ(lu.controle.methode, MethodeTransformation::projective);
    ASSERT_EQ(lu.controle.points.size(), 12u);
    EXPECT_EQ(lu.controle.points[6].nom, "borne « déplacée »");
    EXPECT_FALSE(lu.controle.points[6].utilise);
    EXPECT_EQ(lu.controle.points[11].X, d.controle.points[11].X) << "the numbers round-trip exactly";
    EXPECT_EQ(bilan(lu).rms_pixels, bilan(d).rms_pixels);
    for (int row = 1; row <= 2; ++row) EXPECT_EQ(point(lu, row, "X"), point(d, row, "X"));
    ld X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    d.repere_carte(3000, 100, X1, Y1);
    lu.repere_carte(3000, 100, X2, Y2);
    EXPECT_EQ(X1, X2);

    // Back to three points and the exact method: nothing beside the project any more.
    lu.controle.points.resize(3);
    lu.controle.methode = MethodeTransformation::affine_exacte;
    lu.applique_controle();
    ecrit_projet(lu, projet.string(), true);
    EXPECT_FALSE(fs::exists(cal));
}

struct CasFichier {
    const char* nom;
    std::string contenu; // "*" stands for the sound file's point lines
    std::string raison;
};

class FichierRefuse : public PointsDeControle, public ::testing::WithParamInterface<CasFichier> {};

TEST_P(FichierRefuse, NamedAndLeftAsItWasWithTheThreePointCalibration) {
    ecrit_projet(d, projet.string(), true);
    std::string sain = octets::lit(cal);
    std::string contenu = GetParam().contenu;
    if (const auto etoile = contenu.find('*'); etoile != std::string::npos)
        contenu.replace(etoile, 1, sain.substr(sain.find("\r\n", sain.find("points=")) + 2));
    octets::ecrit(cal, contenu);

    Document lu;
    EXPECT_EQ(rouvre(lu), "Le fichier des points de calage " + cal.string() + " n'est pas lu : " + GetParam().raison +
                              ". Le projet s'ouvre avec ses 3 points de calage.");
    EXPECT_TRUE(lu.controle.points.empty());
    EXPECT_EQ(lu.nb_calage, 3);
    ld X = 0, Y = 0, Xt = 0, Yt = 0;
    lu.repere_carte(1000, 800, X, Y);
    Document trois = lu;
    trois.controle = {};
    trois.repere_carte(1000, 800, Xt, Yt);
    EXPECT_EQ(X, Xt);
    ecrit_projet(lu, projet.string(), true);
    EXPECT_EQ(octets::lit(cal), contenu) << "a save keeps the refused file as it was";
}

INSTANTIATE_TEST_SUITE_P(
    Abimes, FichierRefuse,
    ::testing::Values(
        CasFichier{"Autre", "GCP 1 2 3\r\n", "ce n'est pas un fichier de points de calage"},
        CasFichier{"Version", "Vuviviva points de calage 2\r\nmethode=affine\r\npoints=12\r\n*",
                   "il vient d'une autre version (« Vuviviva points de calage 2 »)"},
        CasFichier{"Methode", "Vuviviva points de calage 1\r\nmethode=polynome3\r\npoints=12\r\n*",
                   "la méthode (ligne 2) est inconnue"},
        CasFichier{"Trop", "Vuviviva points de calage 1\r\nmethode=affine\r\npoints=101\r\n*",
                   "il annonce 101 points, au plus 100"},
        CasFichier{"Coupe", "Vuviviva points de calage 1\r\nmethode=affine\r\npoints=13\r\n*",
                   "il annonce 13 points mais en contient 12"},
        CasFichier{"Illisible", "Vuviviva points de calage 1\r\nmethode=affine\r\npoints=1\r\n150;220;abc;1;1;a\r\n",
                   "le point 1 (ligne 4) est illisible"},
        CasFichier{"AutreProjet", "Vuviviva points de calage 1\r\nmethode=affine\r\npoints=3\r\n1;1;0;0;1;\r\n2;9;0;5;1;\r\n7;3;4;0;1;\r\n",
                   "son point 1 n'est pas le point de calage 1 du projet"}),
    [](const auto& i) { return std::string(i.param.nom); });

TEST_F(PointsDeControle, AFitThatCannotBeMadeKeepsThePointsForTheNextSave) {
    d.controle.methode = MethodeTransformation::projective;
    for (std::size_t i = 3; i < d.controle.points.size(); ++i) d.controle.points[i].utilise = false;
    EXPECT_EQ(d.applique_controle(),
              "La transformation « Projective » demande au moins 4 points de calage cochés ; il y en a 3.");
    ecrit_projet(d, projet.string(), true);
    Document lu;
    EXPECT_EQ(rouvre(lu), "La transformation « Projective » demande au moins 4 points de calage cochés ; il y en a 3."
                          ". Le projet s'ouvre avec ses 3 points de calage.");
    EXPECT_EQ(lu.controle.points.size(), 12u);
    EXPECT_EQ(lu.controle.ajustee, nullptr);
}

} // namespace
} // namespace vuv

namespace vuv {
namespace {

TEST(EchangePoints, TextOutAndBackAndBadLinesNamed) {
    std::vector<PointControle> p{{150, 220, 652078.25L, 6860900.5L, "borne A", true}, {4000.5L, 9, -1e-3L, 2, "", false}};
    std::vector<PointControle> lus;
    ASSERT_EQ(lit_points_controle(texte_points_controle(p), lus), "");
    ASSERT_EQ(lus.size(), 2u);
    EXPECT_EQ(lus[0].nom, "borne A");
    EXPECT_EQ(lus[1].X, p[1].X);
    EXPECT_TRUE(lus[1].utilise) << "brought in, every point counts";
    ASSERT_EQ(lit_points_controle("# x y X Y\n\n 1,5\t2 3 4 puits\r\n", lus), "");
    EXPECT_EQ(lus[0].x, 1.5L);
    EXPECT_EQ(lit_points_controle("1 2 3 4\n1 2 trois 4\n", lus), "La ligne 2 n'a pas la forme « x y X Y [nom] ».");
    EXPECT_EQ(lus.size(), 1u) << "a refused file leaves the points as they were";
    EXPECT_EQ(lit_points_controle("# rien\n", lus), "Le fichier ne tient aucun point de calage « x y X Y [nom] ».");
}

} // namespace
} // namespace vuv
