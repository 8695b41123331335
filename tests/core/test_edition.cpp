// Editing digitized points: the reach of the pointer, where an insertion goes, the snap to a
// colour.
#include "core/document/Digitalisation.h"
#include "core/edition/EditionPoints.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vuv;

namespace {

struct Cas {
    int x, y, attendu;
};

TEST(Edition, PointerReachAndInsertionStayOnTheirLine) {
    PortScripte port_;
    PortInstalle installe{port_};
    Document doc;
    doc.mess_3_calage_svp_et_init(false);
    const auto clic = [&doc](int x, int y) { clic_digitaliser(doc, x, y, MethodeCalage::trois_points, false); };
    for (auto [x, y] : {std::pair{100, 100}, {100, 300}, {400, 300}}) clic(x, y);
    // Line 1: (200, 200) (240, 200) (240, 260); line 2: (300, 100) (300, 140).
    for (auto [x, y] : {std::pair{200, 200}, {240, 200}, {240, 260}}) clic(x, y);
    nouvelle_suite_de_points(doc);
    for (auto [x, y] : {std::pair{300, 100}, {300, 140}}) clic(x, y);

    // Within 8 pixels, not 7.07 (5, 5); a segment is no point.
    for (const Cas& c : std::vector<Cas>{{205, 205, 0}, {220, 200, 0}, {204, 204, 1}}) {
        const auto t = edition::point_sous(doc, c.x, c.y, 7);
        EXPECT_EQ(t ? t->row : 0, c.attendu) << c.x << "," << c.y;
    }
    // No segment joins the end of line 1 to the start of line 2.
    for (const Cas& c : std::vector<Cas>{{220, 203, 2}, {243, 230, 3}, {300, 120, 5}, {270, 180, 0}})
        EXPECT_EQ(edition::rang_insertion(doc, c.x, c.y, 8), c.attendu) << c.x << "," << c.y;
}

TEST(Edition, TheNearestPixelOfTheInkWithinTheRadius) {
    std::vector<std::uint16_t> pixels(20 * 20, 0x7FFF);
    pixels[5 * 20 + 14] = pixels[9 * 20 + 9] = 0x001F;
    const VuePixels v{reinterpret_cast<std::uint8_t*>(pixels.data()), 20, 20, 40, FormatPixels::rgb555};
    EXPECT_EQ(edition::pixel_de_couleur(v, 10, 10, 3, 0x001F)->x, 9);
    EXPECT_FALSE(edition::pixel_de_couleur(v, 2, 2, 3, 0x001F));
    EXPECT_EQ(edition::pixel_de_couleur(v, 14, 3, 3, 0x001F)->y, 5);
}

} // namespace
