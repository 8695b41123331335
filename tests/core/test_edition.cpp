// Editing digitized points: what the mouse reaches, where an insertion goes, removal,
// calibration points, the snap to a colour.
#include "core/document/Digitalisation.h"
#include "core/edition/EditionPoints.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vuv;

namespace {

class Edition : public ::testing::Test {
protected:
    void SetUp() override {
        doc.mess_3_calage_svp_et_init(false);
        for (auto [x, y] : {std::pair{100, 100}, {100, 300}, {400, 300}})
            clic_digitaliser(doc, x, y, MethodeCalage::trois_points, false);
        // Line 1: (200, 200) (240, 200) (240, 260); line 2: (300, 100) (300, 140).
        for (auto [x, y] : {std::pair{200, 200}, {240, 200}, {240, 260}}) clic(x, y);
        nouvelle_suite_de_points(doc);
        for (auto [x, y] : {std::pair{300, 100}, {300, 140}}) clic(x, y);
    }
    void clic(int x, int y) { clic_digitaliser(doc, x, y, MethodeCalage::trois_points, false); }
    int L(int row) { return val_entier(doc.StringGrid1.cell(doc.indice_col("L"), row)); }

    SeparateurLocal sep{'.'};
    PortScripte port_;
    PortInstalle installe{port_};
    Document doc;
};

TEST_F(Edition, WhatThePointerReaches) {
    struct Cas {
        int x, y;
        double rayon;
        int row; // 0: nothing
    };
    for (const Cas& c : std::vector<Cas>{{203, 204, 8, 1},   // a point
                                        {205, 205, 7, 0},    // just beyond the radius
                                        {102, 299, 8, -2},   // a calibration point
                                        {220, 200, 8, 0}}) { // a segment is no point
        const auto t = edition::point_sous(doc, c.x, c.y, c.rayon);
        EXPECT_EQ(t ? t->row : 0, c.row) << c.x << "," << c.y;
    }
    EXPECT_EQ(edition::point_sous(doc, 236, 200, 40, 2)->row, 1); // the dragged row is skipped
}

TEST_F(Edition, InsertionGoesOnTheNearestSegmentOfItsLine) {
    struct Cas {
        int x, y, rang;
    };
    // No segment joins the end of line 1 to the start of line 2.
    for (const Cas& c : std::vector<Cas>{{220, 203, 2}, {243, 230, 3}, {300, 120, 5}, {270, 180, 0}})
        EXPECT_EQ(edition::rang_insertion(doc, c.x, c.y, 8), c.rang) << c.x << "," << c.y;
    edition::insere_point(doc, 3, 240, 230);
    EXPECT_EQ(doc.nb_points, 6);
    EXPECT_EQ(L(3), 1);
    EXPECT_EQ(val_entier(doc.StringGrid1.cell(doc.indice_col("n"), 6)), 6);
    EXPECT_EQ(point_de_table(doc, 4)->y, 260);
}

TEST_F(Edition, RemovingAMiddlePointKeepsTheLines) {
    edition::supprime_point(doc, 2);
    EXPECT_EQ(doc.nb_points, 4);
    EXPECT_EQ(point_de_table(doc, 2)->y, 260);
    EXPECT_EQ(L(4), 2);
    EXPECT_EQ(doc.num_ligne, 2);
    EXPECT_FALSE(doc.sauve);
}

TEST_F(Edition, ACalibrationPointRewritesEveryPointUnlessAligned) {
    const long double X1 = point_de_table(doc, 1)->X;
    EXPECT_TRUE(edition::calage_degenere(doc, 3, 100, 500));
    EXPECT_FALSE(edition::deplace_calage(doc, 3, 100, 500));
    EXPECT_EQ(point_de_table(doc, 1)->X, X1);
    ASSERT_TRUE(edition::deplace_calage(doc, 3, 700, 300));
    EXPECT_EQ(doc.calage[2].x, 700);
    EXPECT_NE(point_de_table(doc, 1)->X, X1);
}

TEST(EditionCouleur, TheNearestPixelOfTheInkWithinTheRadius) {
    std::vector<std::uint16_t> pixels(20 * 20, 0x7FFF);
    pixels[5 * 20 + 14] = 0x001F;
    pixels[9 * 20 + 9] = 0x001F;
    const VuePixels v{reinterpret_cast<std::uint8_t*>(pixels.data()), 20, 20, 40, FormatPixels::rgb555};
    EXPECT_EQ(edition::pixel_de_couleur(v, 10, 10, 3, 0x001F)->x, 9);
    EXPECT_FALSE(edition::pixel_de_couleur(v, 2, 2, 3, 0x001F));
    EXPECT_EQ(edition::pixel_de_couleur(v, 14, 3, 3, 0x001F)->y, 5);
}

} // namespace
