// View rectangle arithmetic: zoom, pan, limits, mouse mapping and scroll bars.
#include "core/vue/VueCarte.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vuv;

namespace {
VueCarte vue_entiere(int w, int h) {
    VueCarte v;
    v.init(w, h);
    return v;
}
} // namespace

TEST(VueCarte, ZoomInAroundTheMouseUsesIntegerArithmetic) {
    VueCarte v = vue_entiere(1000, 800);
    ASSERT_TRUE(v.navigue(ToucheNavigation::plus, 500, 400));
    EXPECT_EQ(v.vue().x0, 23);  // 500 - 100 * 501 div 105
    EXPECT_EQ(v.vue().x1, 974); // width 952
    EXPECT_EQ(v.vue().largeur(), 952);
    EXPECT_EQ(v.vue().hauteur(), 761);
}

TEST(VueCarte, ZoomStopsAtItsLimitsAndKeepsTheView) {
    VueCarte v = vue_entiere(1000, 800);
    int refus = 0;
    for (int i = 0; i < 200 && refus == 0; ++i)
        if (!v.navigue(ToucheNavigation::plus, 500, 400)) ++refus;
    ASSERT_EQ(refus, 1);
    const Rect avant = v.vue();
    EXPECT_LT(std::min(avant.largeur(), avant.hauteur()) * 100 / 105, 5);
    EXPECT_FALSE(v.navigue(ToucheNavigation::plus, 500, 400));
    EXPECT_EQ(v.vue(), avant);

    VueCarte loin = vue_entiere(1000, 800);
    int pas = 0;
    while (loin.navigue(ToucheNavigation::moins, 500, 400)) ++pas;
    EXPECT_GT(pas, 0);
    EXPECT_LE(loin.vue().hauteur(), 10000);
    EXPECT_GT(loin.vue().hauteur() * 105 / 100, 10000);
    EXPECT_TRUE(loin.presence_fond_dans_img()) << "a view larger than the image shows the background around it";
}

// Symptom: zoomed in to the limit, keypad minus and the wheel did nothing (19 * 105 / 100 = 19).
TEST(VueCarte, ZoomOutGrowsEvenATinyView) {
    VueCarte v = vue_entiere(1000, 800);
    v.fixe_vue({500, 400, 505, 404});
    ASSERT_TRUE(v.navigue(ToucheNavigation::moins, 502, 402));
    EXPECT_EQ(v.vue().largeur(), 7);
    EXPECT_EQ(v.vue().hauteur(), 6);
}

TEST(VueCarte, ZoomOutFormula) {
    VueCarte v = vue_entiere(1000, 800);
    v.fixe_vue({100, 100, 199, 199});
    ASSERT_TRUE(v.navigue(ToucheNavigation::moins, 150, 150));
    EXPECT_EQ(v.vue().x0, 150 - 105 * 51 / 100 + 2);
    EXPECT_EQ(v.vue().largeur(), 105);
}

TEST(VueCarte, ArrowsStopAtTheEdgesAndBeep) {
    VueCarte v = vue_entiere(1000, 800);
    v.fixe_vue({900, 0, 999, 99}); // at the right edge
    EXPECT_FALSE(v.navigue(ToucheNavigation::droite, 0, 0));
    EXPECT_EQ(v.vue(), (Rect{900, 0, 999, 99}));
    EXPECT_FALSE(v.navigue(ToucheNavigation::haut, 0, 0));
    EXPECT_TRUE(v.navigue(ToucheNavigation::gauche, 0, 0));
    EXPECT_EQ(v.vue(), (Rect{896, 0, 995, 99})) << "step (x1 - x0) div 20, opposite edge follows";
    EXPECT_TRUE(v.navigue(ToucheNavigation::bas, 0, 0));
    EXPECT_EQ(v.vue().y0, 4);

    v.fixe_vue({2, 0, 101, 99});
    EXPECT_FALSE(v.navigue(ToucheNavigation::gauche, 0, 0));
    EXPECT_EQ(v.vue().x0, 0) << "stops at the edge it would pass";
    EXPECT_EQ(v.vue().x1, 99);
}

TEST(VueCarte, HomeEndAndWholeMap) {
    VueCarte v = vue_entiere(1000, 800);
    v.fixe_vue({300, 200, 399, 299});
    v.navigue(ToucheNavigation::fin, 0, 0);
    EXPECT_EQ(v.vue(), (Rect{900, 700, 999, 799}));
    v.navigue(ToucheNavigation::debut, 0, 0);
    EXPECT_EQ(v.vue(), (Rect{0, 0, 99, 99}));
    v.carte_complete();
    EXPECT_EQ(v.vue(), (Rect{0, 0, 999, 799}));
    EXPECT_FALSE(v.presence_fond_dans_img());
}

TEST(VueCarte, MouseMappingRoundsHalvesToEven) {
    VueCarte v = vue_entiere(200, 100);
    ASSERT_TRUE(v.a_afficher());
    int bx = 0, by = 0;
    v.repere_image_bitmap(1, 1, 400, 200, bx, by); // 0.5 -> 0
    EXPECT_EQ(bx, 0);
    EXPECT_EQ(by, 0);
    v.repere_image_bitmap(3, 3, 400, 200, bx, by); // 1.5 -> 2
    EXPECT_EQ(bx, 2);
    v.repere_image_bitmap(400, 200, 400, 200, bx, by);
    EXPECT_EQ(bx, 200);
    EXPECT_EQ(by, 100);
    EXPECT_EQ(arrondi_pair(-2.5L), -2);
    EXPECT_EQ(arrondi_pair(1e30L), 2147483647);
}

TEST(VueCarte, TheViewIsShownOnlyWhenChangedOrDirty) {
    VueCarte v = vue_entiere(200, 100);
    EXPECT_TRUE(v.a_afficher());
    EXPECT_FALSE(v.a_afficher());
    v.marque_sale();
    EXPECT_TRUE(v.a_afficher());
    v.navigue(ToucheNavigation::plus, 100, 50);
    EXPECT_TRUE(v.a_afficher());
    EXPECT_EQ(v.source(), v.vue());
}

TEST(VueCarte, DragMovesTheImageWithTheMouse) {
    VueCarte v = vue_entiere(1000, 800);
    v.fixe_vue({100, 100, 199, 199});
    v.glisse(150, 150, 160, 140);
    EXPECT_EQ(v.vue(), (Rect{90, 110, 189, 209}));
}

TEST(VueCarte, ScrollBarsFollowTheViewInside) {
    VueCarte v = vue_entiere(1000, 800);
    v.fixe_vue({300, 200, 599, 499});
    BarresDefilement b;
    ASSERT_TRUE(v.position_scrollbar(b));
    EXPECT_EQ(b.max_h, 700);
    EXPECT_EQ(b.position_h, 300);
    EXPECT_EQ(b.max_v, 500);
    EXPECT_EQ(b.grand_pas_h, 100);

    v.carte_complete();
    ASSERT_TRUE(v.position_scrollbar(b));
    EXPECT_EQ(b.max_h, 1000) << "no room to scroll: the maximum is the width";

    v.fixe_vue({-10, 0, 1100, 799});
    EXPECT_FALSE(v.position_scrollbar(b));

    v.fixe_vue({0, 0, 99, 99});
    v.barre_horizontale(250);
    EXPECT_EQ(v.vue(), (Rect{250, 0, 349, 99}));
}
