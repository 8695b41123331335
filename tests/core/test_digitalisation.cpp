// The digitizing click, new lines, deleting the last point and the nearest-point search.
#include "core/document/Digitalisation.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

using namespace vuv;

namespace {

class Digitalisation : public ::testing::Test {
protected:
    void SetUp() override {
        doc.mess_3_calage_svp_et_init(false); // as after loading an image
        // Unit frame on (100,100), (100,300), (400,300).
        for (auto [x, y] : {std::pair{100, 100}, {100, 300}, {400, 300}})
            EXPECT_EQ(clic_digitaliser(doc, x, y, MethodeCalage::trois_points, false), ResultatClic::calage);
        ASSERT_EQ(doc.nb_calage, 3);
        doc.sauve = true;
    }
    std::string_view cellule(const char* col, int row) { return doc.StringGrid1.cell(doc.indice_col(col), row); }
    void clic(int x, int y) { clic_digitaliser(doc, x, y, MethodeCalage::trois_points, false); }

    SeparateurLocal sep{'.'};
    PortScripte port_;
    PortInstalle installe{port_};
    Document doc;
};

} // namespace

TEST_F(Digitalisation, ClicksAppendPointsToTheCurrentLine) {
    clic(250, 200);
    clic(400, 100);
    clic(100, 300);
    EXPECT_EQ(doc.nb_points, 3);
    EXPECT_FALSE(doc.sauve);
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(cellule("L", r), "  1") << r;
    EXPECT_EQ(cellule("n", 3), "    3");
    EXPECT_EQ(cellule("X", 1), "0.50000000");
    EXPECT_EQ(cellule("Y", 1), "0.50000000");
    EXPECT_EQ(cellule("X", 2), "1.00000000");
    EXPECT_EQ(cellule("Y", 2), "1.00000000");
    EXPECT_EQ(cellule("Z", 1), "0.00000000");
    EXPECT_EQ(cellule("x", 2), "  400");
    EXPECT_EQ(doc.StringGrid1.row(), 3);
}

TEST_F(Digitalisation, NewLineCopiesTheLookOfThePreviousLine) {
    EXPECT_FALSE(nouvelle_suite_de_points(doc)) << "no point: nothing";
    EXPECT_EQ(doc.StringGrid3.row_count(), 2);

    doc.StringGrid3.set_cell(1, 1, "7");
    doc.StringGrid3.set_cell(2, 1, "65280");
    clic(110, 110);
    clic(120, 120);
    clic(130, 130);
    ASSERT_TRUE(nouvelle_suite_de_points(doc));
    EXPECT_EQ(doc.num_ligne, 2);
    EXPECT_TRUE(doc.nouvelle_ligne);
    const Grille& lignes = doc.StringGrid3;
    EXPECT_EQ(lignes.row_count(), 3);
    EXPECT_EQ(lignes.cell(0, 2), "2");
    EXPECT_EQ(lignes.cell(1, 2), "7");
    EXPECT_EQ(lignes.cell(2, 2), "65280");
    EXPECT_EQ(lignes.cell(3, 2), "x");
    EXPECT_EQ(lignes.row(), 2);
    clic(140, 140);
    EXPECT_EQ(cellule("L", 4), "  2");
}

TEST_F(Digitalisation, DeletingTheFirstPointOfALineContinuesThePreviousOne) {
    clic(110, 110);
    clic(120, 120);
    nouvelle_suite_de_points(doc);
    clic(130, 130);
    doc.efface_tab_et_point(false);
    EXPECT_EQ(doc.nb_points, 2);
    EXPECT_EQ(doc.num_ligne, 1);
    clic(140, 140);
    EXPECT_EQ(cellule("L", 3), "  1");
}

TEST_F(Digitalisation, NearestPointSkipsUnselectedLinesAndKeepsTheFirstOfEquals) {
    clic(110, 100);
    clic(90, 100); // same distance from (100, 100) as the first
    nouvelle_suite_de_points(doc);
    clic(101, 100);
    int L = -1, row = -1;
    cherche_proche_indice_ligne_point(doc, 100, 100, L, row);
    EXPECT_EQ(L, 2);
    EXPECT_EQ(row, 3);

    doc.StringGrid3.set_cell(3, 2, "");
    cherche_proche_indice_ligne_point(doc, 100, 100, L, row);
    EXPECT_EQ(L, 1);
    EXPECT_EQ(row, 1) << "first of equally near points wins";

    doc.StringGrid3.set_cell(3, 1, " x");
    L = row = -1;
    cherche_proche_indice_ligne_point(doc, 100, 100, L, row);
    EXPECT_EQ(L, -1) << "\" x\" is not exactly \"x\"";
    EXPECT_EQ(row, -1);
}

TEST_F(Digitalisation, CoordinateTextsUseWidthEightAndTheDecimals) {
    doc.ndecimale = 2;
    EXPECT_EQ(texte_X(doc, 1.5L), "X=     1.50");
    EXPECT_EQ(texte_Y(doc, -12345678.125L), "Y= -12345678.13");
    SeparateurLocal virgule{','};
    EXPECT_EQ(texte_X(doc, 0.25L), "X=     0,25");
}

TEST_F(Digitalisation, NearestPointFollowsEveryEditOfTheTable) {
    clic(110, 100);
    clic(300, 100);
    int L = -1, row = -1;
    cherche_proche_indice_ligne_point(doc, 290, 100, L, row);
    EXPECT_EQ(row, 2);
    // Moving point 1 next to the mouse must be seen by the very next search.
    doc.StringGrid1.set_cell(doc.indice_col("x"), 1, "  291");
    cherche_proche_indice_ligne_point(doc, 290, 100, L, row);
    EXPECT_EQ(row, 1);
    doc.efface_tab_et_point(false);
    cherche_proche_indice_ligne_point(doc, 300, 100, L, row);
    EXPECT_EQ(row, 1);

    // An unreadable cell still asks its question, as every integer read does.
    doc.StringGrid1.set_cell(doc.indice_col("y"), 1, "1O0");
    cherche_proche_indice_ligne_point(doc, 290, 100, L, row);
    EXPECT_EQ(port_.nombre("oui_non"), 1);
}

// Symptom: deleting a point after saving let the program quit without asking, losing the edit.
TEST_F(Digitalisation, DeletingAPointLeavesTheWorkUnsaved) {
    clic(110, 100);
    doc.sauve = true;
    doc.efface_tab_et_point(false);
    EXPECT_FALSE(doc.sauve);
    doc.sauve = true;
    doc.efface_tab_et_point(false); // nothing left to delete
    EXPECT_TRUE(doc.sauve);
}

TEST_F(Digitalisation, PointOfARowReadsBothTablesAndNothingPastTheLastPoint) {
    clic(250, 200);
    clic(400, 100);
    const auto p = point_de_table(doc, 2);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, 400);
    EXPECT_EQ(p->y, 100);
    EXPECT_EQ(p->X, 1.0L);
    EXPECT_EQ(p->Y, 1.0L);
    const auto calage = point_de_table(doc, -3);
    ASSERT_TRUE(calage);
    EXPECT_EQ(calage->x, 400);
    EXPECT_EQ(calage->y, 300);
    EXPECT_FALSE(point_de_table(doc, 3)) << "a row past nb_points";
    EXPECT_FALSE(point_de_table(doc, 0));
}

TEST_F(Digitalisation, PromptFollowsCalibrationThenTheCurrentLine) {
    EXPECT_EQ(invite_saisie(doc), "Suite 1  point ... ");
    clic(250, 200);
    clic(300, 200);
    EXPECT_EQ(invite_saisie(doc), "Suite 1  point 2 ");
    doc.nb_calage = 1;
    EXPECT_EQ(invite_saisie(doc), "Cliquer le DEUXIEME POINT DE CALAGE");
    doc.nb_calage = -1;
    EXPECT_EQ(invite_saisie(doc), "Cliquer le PREMIER POINT DE CALAGE");
}
