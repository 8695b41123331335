// Calibration: the transform both ways, placing calibration points (three clicks or the two
// two-point constructions), writing and recomputing points through it.
#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"
#include "VueEnregistree.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace vuv {
namespace {

using test::VueEnregistree;

const std::string rappel = "n'oubliez pas d'affecter les bonnes valeurs aux X Y des 3 points de calages !";

class Calibration : public ::testing::TestWithParam<char> {
protected:
    Calibration() { d.attache_vue(&vue); }

    std::string num(std::string t) const {
        for (char& c : t)
            if (c == '.') c = GetParam();
        return t;
    }
    static std::string blancs(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
    std::string zero12() const { return blancs(12) + num("0.0000"); }

    std::vector<std::string> ligne(const Grille& g, int row) const {
        std::vector<std::string> r;
        for (int c = 0; c < g.col_count(); ++c) r.emplace_back(g.cell(c, row));
        return r;
    }

    void clique(int x, int y, MethodeCalage m = MethodeCalage::trois_points, bool tablette = false) {
        d.valide_point_calage(d.nb_calage, x, y, m, tablette);
    }

    static void attend_enregistrement(const EnregistrementCalage& e, int x, int y, long double X, long double Y,
                                      long double Z) {
        EXPECT_TRUE(e.valide);
        EXPECT_EQ(e.x, x);
        EXPECT_EQ(e.y, y);
        EXPECT_EQ(e.X, X);
        EXPECT_EQ(e.Y, Y);
        EXPECT_EQ(e.Z, Z);
    }

    SeparateurLocal sep{GetParam()};
    PortScripte p;
    PortInstalle port_installe{p};
    VueEnregistree vue;
    Document d;
};

TEST_P(Calibration, TroisClicsPuisAllerRetour) {
    clique(100, 100);
    EXPECT_EQ(d.nb_calage, 1);
    EXPECT_EQ(d.StringGrid2.cell(6, 1), blancs(2) + "100");
    EXPECT_EQ(d.StringGrid2.cell(7, 1), blancs(2) + "100");
    EXPECT_EQ(d.StringGrid2.row(), 1);
    clique(100, 300);
    EXPECT_EQ(d.StringGrid2.row(), 2);
    clique(400, 300);
    EXPECT_EQ(d.nb_calage, 3);
    EXPECT_EQ(d.StringGrid2.row(), 3);
    EXPECT_EQ(d.StringGrid2.cell(6, 3), blancs(2) + "400");
    EXPECT_EQ(d.StringGrid2.cell(7, 3), blancs(2) + "300");
    EXPECT_EQ(vue.appels, (std::vector<std::string>{"croix 100 100", "rafraichir", "croix 100 300", "rafraichir",
                                                    "croix 400 300", "rafraichir", "montre_table_points"}));
    attend_enregistrement(d.calage[0], 100, 100, 0, 1, 0);
    attend_enregistrement(d.calage[1], 100, 300, 0, 0, 0);
    attend_enregistrement(d.calage[2], 400, 300, 1, 0, 0);
    EXPECT_TRUE(p.echanges().empty());

    long double X = -9, Y = -9;
    d.repere_carte(250, 200, X, Y);
    EXPECT_EQ(X, 0.5L);
    EXPECT_EQ(Y, 0.5L);
    d.repere_carte(400, 100, X, Y);
    EXPECT_EQ(X, 1.0L);
    EXPECT_EQ(Y, 1.0L);
    int x = -1, y = -1;
    d.repere_image(0.5L, 0.5L, x, y);
    EXPECT_EQ(x, 250);
    EXPECT_EQ(y, 200);
}

TEST_P(Calibration, ReelsVersLeHautImageVersLeBas) {
    // Metres of a map: Y grows upwards while image y grows downwards, and X is 2 m a pixel.
    d.affecte_calage(1, 0, "cal 1", 0, 0, 0, 6861250, 651200);
    d.affecte_calage(2, 0, "cal 2", 0, 0, 0, 6861150, 651200);
    d.affecte_calage(3, 0, "cal 3", 0, 0, 0, 6861150, 651600);
    clique(0, 0);
    clique(0, 100);
    clique(200, 100);
    long double X = 0, Y = 0;
    d.repere_carte(50, 25, X, Y);
    EXPECT_EQ(X, 651300.0L);
    EXPECT_EQ(Y, 6861225.0L);
    int x = 0, y = 0;
    d.repere_image(651300.0L, 6861225.0L, x, y);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 25);
}

TEST_P(Calibration, TransformeeQuiNeDonneRien) {
    long double X = 7, Y = 8;
    int x = 7, y = 8;
    d.calage = {EnregistrementCalage{true, 0, 0, 0, 0, 0}, EnregistrementCalage{true, 10, 0, 1, 0, 0},
                EnregistrementCalage{true, 0, 10, 0, 1, 0}};
    d.nb_calage = 2;
    d.repere_carte(5, 5, X, Y);
    d.repere_image(0.5L, 0.5L, x, y);
    EXPECT_EQ(X, 7);
    EXPECT_EQ(Y, 8);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);

    d.nb_calage = 3;
    d.calage[2].x = 20; // image points on one line
    d.calage[2].y = 0;
    d.repere_carte(5, 5, X, Y);
    EXPECT_EQ(X, 7);
    EXPECT_EQ(Y, 8);

    d.calage[2] = EnregistrementCalage{true, 0, 10, 2, 0, 0}; // real points on one line
    d.repere_image(0.5L, 0.5L, x, y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);

    // Nearly collinear real points: the pixel would not fit an int.
    d.calage[2] = EnregistrementCalage{true, 0, 10, 2, 1e-30L, 0};
    d.repere_image(1, 1, x, y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
    d.calage[2] = EnregistrementCalage{true, 0, 10, 0, 1, 0};
    d.repere_image(std::numeric_limits<long double>::infinity(), 0, x, y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 8);
}

TEST_P(Calibration, ImageArrondieAuPair) {
    // Two pixels a unit on x, so quarter units fall on half pixels.
    d.calage = {EnregistrementCalage{true, 0, 10, 0, 1, 0}, EnregistrementCalage{true, 0, 0, 0, 0, 0},
                EnregistrementCalage{true, 2, 0, 1, 0, 0}};
    d.nb_calage = 3;
    int x = 0, y = 0;
    d.repere_image(1.25L, 0, x, y);
    EXPECT_EQ(x, 2);
    d.repere_image(1.75L, 0.25L, x, y);
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 2);
    d.repere_image(-1.25L, 0.35L, x, y);
    EXPECT_EQ(x, -2);
    EXPECT_EQ(y, 4);
    d.repere_image(0.8L, 0, x, y);
    EXPECT_EQ(x, 2);
}

TEST_P(Calibration, ClicSurUnPixelDejaPrisBipe) {
    clique(100, 100);
    const auto avant = ligne(d.StringGrid2, 2);
    clique(100, 100);
    EXPECT_EQ(d.nb_calage, 1);
    EXPECT_EQ(p.nombre("bip"), 1);
    EXPECT_EQ(ligne(d.StringGrid2, 2), avant);
    EXPECT_EQ(vue.nombre("rafraichir"), 1);

    clique(101, 100);
    EXPECT_EQ(d.nb_calage, 2);
    EXPECT_TRUE(d.distance_nulle_entre_calage(2, 101, 100));
    EXPECT_FALSE(d.distance_nulle_entre_calage(2, 100, 100));
    clique(101, 100);
    clique(100, 100);
    EXPECT_EQ(d.nb_calage, 2);
    EXPECT_EQ(p.nombre("bip"), 3);
}

TEST_P(Calibration, TabletteBipeAChaquePoint) {
    clique(10, 10, MethodeCalage::trois_points, true);
    clique(20, 10, MethodeCalage::trois_points, true);
    EXPECT_EQ(p.nombre("bip"), 2);
    EXPECT_TRUE(p.messages().empty());
}

TEST_P(Calibration, HypotenuseDeDeuxPoints) {
    // Distinct Z show that every cell but "n" and the label follows its point.
    for (int r = 1; r <= 3; ++r) d.StringGrid2.set_cell(5, r, std::to_string(10 * r));
    clique(100, 50, MethodeCalage::hypotenuse);
    EXPECT_EQ(d.nb_calage, 1);
    clique(300, 250, MethodeCalage::hypotenuse);
    EXPECT_EQ(d.nb_calage, 3);

    EXPECT_EQ(ligne(d.StringGrid2, 1),
              (std::vector<std::string>{"1", "0", "cal 1", "0", "1", "10", blancs(2) + "100", blancs(4) + "50", ""}));
    EXPECT_EQ(ligne(d.StringGrid2, 2),
              (std::vector<std::string>{"2", "0", "cal 2", "0", "0", "30", blancs(2) + "100", blancs(2) + "250", ""}));
    EXPECT_EQ(ligne(d.StringGrid2, 3),
              (std::vector<std::string>{"3", "0", "cal 3", "1", "0", "20", blancs(2) + "300", blancs(2) + "250", ""}));
    attend_enregistrement(d.calage[0], 100, 50, 0, 1, 10);
    attend_enregistrement(d.calage[1], 100, 250, 0, 0, 30);
    attend_enregistrement(d.calage[2], 300, 250, 1, 0, 20);

    EXPECT_EQ(p.messages(), std::vector<std::string>{rappel});
    EXPECT_EQ(vue.nombre("montre_table_points"), 1);
    EXPECT_EQ(vue.appels.back(), "cache_panel2");
    EXPECT_EQ(vue.nombre("redessiner_calque"), 1);

    long double X = 0, Y = 0;
    d.repere_carte(200, 150, X, Y);
    EXPECT_EQ(X, 0.5L);
    EXPECT_EQ(Y, 0.5L);
}

TEST_P(Calibration, DeuxPointsHorizontauxOrthonormes) {
    for (int r = 1; r <= 3; ++r) d.StringGrid2.set_cell(5, r, std::to_string(10 * r));
    clique(100, 200, MethodeCalage::horizontaux_orthonorme, true);
    clique(300, 260, MethodeCalage::horizontaux_orthonorme, true);
    EXPECT_EQ(d.nb_calage, 3);

    // First click the origin, the second levelled to (300, 200), the built one at (100, 0).
    EXPECT_EQ(ligne(d.StringGrid2, 1),
              (std::vector<std::string>{"1", "0", "cal 1", "0", "1", "30", blancs(2) + "100", blancs(6) + "0", ""}));
    EXPECT_EQ(ligne(d.StringGrid2, 2),
              (std::vector<std::string>{"2", "0", "cal 2", "0", "0", "10", blancs(2) + "100", blancs(2) + "200", ""}));
    EXPECT_EQ(ligne(d.StringGrid2, 3),
              (std::vector<std::string>{"3", "0", "cal 3", "1", "0", "20", blancs(2) + "300", blancs(2) + "200", ""}));
    attend_enregistrement(d.calage[0], 100, 0, 0, 1, 30);
    attend_enregistrement(d.calage[1], 100, 200, 0, 0, 10);
    attend_enregistrement(d.calage[2], 300, 200, 1, 0, 20);
    EXPECT_EQ(p.messages(), std::vector<std::string>{rappel});
    EXPECT_EQ(p.nombre("bip"), 3); // tablet: each of the three points

    // Equal scales on both axes: 200 pixels a unit either way.
    long double X = 0, Y = 0;
    d.repere_carte(200, 100, X, Y);
    EXPECT_EQ(X, 0.5L);
    EXPECT_EQ(Y, 0.5L);
}

TEST_P(Calibration, ConstructionRefuseeGardeLesDeuxClics) {
    // Two clicks on one image row: the hypotenuse corner is the first click itself.
    const auto defaut2 = ligne(d.StringGrid2, 2);
    const auto defaut3 = ligne(d.StringGrid2, 3);
    clique(100, 50, MethodeCalage::hypotenuse);
    clique(300, 50, MethodeCalage::hypotenuse);
    EXPECT_EQ(d.nb_calage, 2);
    EXPECT_EQ(p.nombre("bip"), 1);
    EXPECT_TRUE(p.messages().empty());
    auto attendu2 = defaut2;
    attendu2[6] = blancs(2) + "300";
    attendu2[7] = blancs(4) + "50";
    EXPECT_EQ(ligne(d.StringGrid2, 2), attendu2);
    EXPECT_EQ(ligne(d.StringGrid2, 3), defaut3);
    attend_enregistrement(d.calage[1], 300, 50, 0, 0, 0);
    EXPECT_EQ(vue.nombre("montre_table_points"), 0);
    EXPECT_EQ(vue.nombre("redessiner_calque"), 0);

    // The next click completes the calibration as a plain third point.
    clique(300, 400, MethodeCalage::hypotenuse);
    EXPECT_EQ(d.nb_calage, 3);
    EXPECT_EQ(d.StringGrid2.cell(3, 3), blancs(12) + num("1.0000"));
    EXPECT_EQ(vue.nombre("montre_table_points"), 1);
}

TEST_P(Calibration, OrthonormeRefuseSurUneVerticale) {
    // Two clicks on one image column: the second, levelled, lands on the first.
    const auto defaut3 = ligne(d.StringGrid2, 3);
    clique(100, 50, MethodeCalage::horizontaux_orthonorme);
    const auto clic2 = [&] {
        auto r = ligne(d.StringGrid2, 2);
        r[6] = blancs(2) + "100";
        r[7] = blancs(2) + "300";
        return r;
    }();
    clique(100, 300, MethodeCalage::horizontaux_orthonorme);
    EXPECT_EQ(d.nb_calage, 2);
    EXPECT_EQ(ligne(d.StringGrid2, 2), clic2);
    EXPECT_EQ(ligne(d.StringGrid2, 3), defaut3);
    attend_enregistrement(d.calage[1], 100, 300, 0, 0, 0);
    EXPECT_EQ(p.nombre("bip"), 1);
    EXPECT_TRUE(p.messages().empty());
}

TEST_P(Calibration, NouveauPoint) {
    clique(100, 100);
    clique(100, 300);
    clique(400, 300);
    d.stocke_xy(1, 2, 250, 200);
    d.stocke_xy(2, 2, 400, 100);
    EXPECT_EQ(ligne(d.StringGrid1, 1),
              (std::vector<std::string>{blancs(4) + "1", blancs(2) + "2", "", num("0.50000000"), num("0.50000000"),
                                        num("0.00000000"), blancs(2) + "250", blancs(2) + "200", ""}));
    EXPECT_EQ(d.StringGrid1.cell(3, 2), num("1.00000000"));
    EXPECT_EQ(d.StringGrid1.row(), 2);
    EXPECT_EQ(vue.statuts, (std::vector<std::string>{"1:Suite 2  point 1 ", "1:Suite 2  point 2 "}));
    int x = 0, y = 0;
    d.extrait_xy(2, x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 100);
}

TEST_P(Calibration, RecalculApresModificationDeCal3) {
    clique(100, 100);
    clique(100, 300);
    clique(400, 300);
    d.stocke_xy(1, 1, 250, 200);
    d.stocke_xy(2, 1, 400, 300);
    d.stocke_xy(3, 2, 100, 300);
    d.nb_points = 3;
    d.StringGrid1.set_cell(2, 1, "borne");
    d.StringGrid1.set_cell(5, 1, num("12.5"));

    d.StringGrid2.set_cell(3, 3, num("3.0")); // typed by the user
    d.calcul_nouveaux_calage();
    EXPECT_EQ(d.calage[2].X, 3.0L);
    EXPECT_EQ(ligne(d.StringGrid1, 1),
              (std::vector<std::string>{blancs(4) + "1", blancs(2) + "1", "borne", num("1.50000000"),
                                        num("0.50000000"), num("12.50000000"), blancs(2) + "250",
                                        blancs(2) + "200", ""}));
    EXPECT_EQ(d.StringGrid1.cell(3, 2), num("3.00000000"));
    EXPECT_EQ(d.StringGrid1.cell(5, 2), num("0.00000000"));
    EXPECT_EQ(d.StringGrid1.cell(1, 3), blancs(2) + "2");
    EXPECT_EQ(d.StringGrid1.cell(3, 3), num("0.00000000"));
    EXPECT_TRUE(p.echanges().empty());
}

TEST_P(Calibration, CalibrationDegeneree) {
    // Fewer than three points: a new point gets zeros rather than whatever was there.
    d.stocke_xy(1, 1, 250, 200);
    EXPECT_EQ(d.StringGrid1.cell(3, 1), num("0.00000000"));
    EXPECT_EQ(d.StringGrid1.cell(4, 1), num("0.00000000"));

    // Three collinear clicks: a recompute keeps what each row had.
    clique(0, 0);
    clique(10, 10);
    clique(20, 20);
    ASSERT_EQ(d.nb_calage, 3);
    d.affecte_en(1, 1, "", 0, 6.0L, 5.0L, 200, 250);
    d.nb_points = 1;
    d.calcul_nouveaux_calage();
    EXPECT_EQ(d.StringGrid1.cell(3, 1), num("5.00000000"));
    EXPECT_EQ(d.StringGrid1.cell(4, 1), num("6.00000000"));
    d.stocke_xy(2, 1, 30, 40);
    EXPECT_EQ(d.StringGrid1.cell(3, 2), num("0.00000000"));
}

TEST_P(Calibration, TexteDuCalage) {
    EXPECT_EQ(d.val_calage(), num("(0.000   1.000)   (0.000   0.000)  (1.000   0.000) "));
    d.StringGrid2.set_cell(3, 1, "");
    d.StringGrid2.set_cell(4, 1, "-");
    d.StringGrid2.set_cell(3, 2, num("-2.5"));
    d.StringGrid2.set_cell(4, 3, "651 200,1256");
    EXPECT_EQ(d.val_calage(), num("(0.000   0.000)   (-2.500   0.000)  (1.000   651200.126) "));
}

TEST_P(Calibration, MessageDeTableADigitaliser) {
    d.nb_points = 12;
    d.num_ligne = 4;
    d.mess_3_calage_svp_et_init(false);
    EXPECT_EQ(d.nb_points, 0);
    EXPECT_EQ(d.num_ligne, 1);
    EXPECT_TRUE(p.messages().empty());
    d.mess_3_calage_svp_et_init(true);
    EXPECT_EQ(p.textes("information"),
              std::vector<std::string>{
                  "Les 3 premiers points cliqués sont les points de calage \n\n    entrez leur coordonnée"});
}

INSTANTIATE_TEST_SUITE_P(Calage, Calibration, ::testing::Values('.', ','),
                         [](const ::testing::TestParamInfo<char>& i) { return test::nom_separateur(i.param); });

} // namespace
} // namespace vuv
