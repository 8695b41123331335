// The screen image drawn from the overlay shows, at each screen pixel, the overlay pixel a
// click there selects.
#include "core/vue/Echantillonnage.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vuv;

TEST(Echantillonnage, EachScreenPixelShowsTheOverlayPixelAClickSelects) {
    for (const Rect vue : {Rect{0, 0, 999, 799}, Rect{23, 19, 974, 779}, Rect{-50, -10, 1049, 809}, Rect{400, 300, 409, 307}}) {
        for (auto [aire_l, aire_h] : {std::pair{640, 480}, {1000, 800}, {333, 211}}) {
            VueCarte v;
            v.init(1000, 800);
            v.fixe_vue(vue);
            v.a_afficher();
            const auto colonnes = correspondance(vue.x0, vue.largeur(), aire_l);
            const auto lignes = correspondance(vue.y0, vue.hauteur(), aire_h);
            for (int i = 0; i < aire_l; i += 7) {
                int bx = 0, by = 0;
                v.repere_image_bitmap(i, i % aire_h, aire_l, aire_h, bx, by);
                ASSERT_EQ(colonnes[static_cast<std::size_t>(i)], bx) << i;
                ASSERT_EQ(lignes[static_cast<std::size_t>(i % aire_h)], by) << i;
            }
        }
    }
}

TEST(Echantillonnage, FillsOutsideTheOverlayWithTheBackground) {
    std::vector<std::uint16_t> source = {0x7C00, 0x03E0, 0x001F, 0x7FFF}; // red, green, blue, white
    const VuePixels calque{reinterpret_cast<std::uint8_t*>(source.data()), 2, 2, 4, FormatPixels::rgb555};
    std::vector<std::uint32_t> sortie(4 * 4, 0);
    const VuePixels ecran{reinterpret_cast<std::uint8_t*>(sortie.data()), 4, 4, 16, FormatPixels::rgb32};
    echantillonne_vue(calque, Rect{-1, -1, 2, 2}, ecran, 0xFF646464);
    EXPECT_EQ(sortie[0], 0xFF646464u);
    EXPECT_EQ(sortie[4 + 1], 0xFFFF0000u);
    EXPECT_EQ(sortie[4 + 2], 0xFF00FF00u);
    EXPECT_EQ(sortie[8 + 1], 0xFF0000FFu);
    EXPECT_EQ(sortie[8 + 2], 0xFFFFFFFFu);
    EXPECT_EQ(sortie[8 + 3], 0xFF646464u);
    EXPECT_EQ(sortie[12 + 2], 0xFF646464u);
}

TEST(Echantillonnage, ColourConversionsRoundTripThe15BitValues) {
    EXPECT_EQ(rgb555_de_bgr(0x0000FF), 0x7C00); // the lines' default red
    EXPECT_EQ(rgb555_de_bgr(0xFF0000), 0x001F);
    EXPECT_EQ(argb_de_rgb555(0x7C00), 0xFFFF0000u);
    for (std::uint16_t p = 0; p < 0x8000; p += 97) {
        const std::uint32_t a = argb_de_rgb555(p);
        const std::uint32_t bgr = ((a >> 16) & 0xFF) | (a & 0xFF00) | ((a & 0xFF) << 16);
        ASSERT_EQ(rgb555_de_bgr(bgr), p);
    }
}

TEST(Echantillonnage, OneToOneRunsConvertEveryColourExactly) {
    // 32768 colours on a row of 0x8000 + 7 pixels: the wide paths and their tail all run.
    const int n = 0x8000 + 7;
    std::vector<std::uint16_t> source(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) source[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(i & 0x7FFF);
    const VuePixels calque{reinterpret_cast<std::uint8_t*>(source.data()), n, 1, 2L * n, FormatPixels::rgb555};
    std::vector<std::uint32_t> sortie(static_cast<std::size_t>(n));
    const VuePixels ecran{reinterpret_cast<std::uint8_t*>(sortie.data()), n, 1, 4L * n, FormatPixels::rgb32};
    echantillonne_vue(calque, Rect{0, 0, n - 1, 0}, ecran, 0);
    for (int i = 0; i < n; ++i)
        ASSERT_EQ(sortie[static_cast<std::size_t>(i)], argb_de_rgb555(static_cast<std::uint16_t>(i & 0x7FFF))) << i;
}

TEST(Echantillonnage, ZoomedOutViewsSampleAReducedCopy) {
    EXPECT_EQ(facteur_reduction(Rect{0, 0, 9998, 6999}, 1600, 900), 6);
    EXPECT_EQ(facteur_reduction(Rect{0, 0, 1599, 899}, 1600, 900), 1);
    EXPECT_EQ(facteur_reduction(Rect{0, 0, 3199, 1799}, 1600, 900), 2);
    EXPECT_EQ(facteur_reduction(Rect{0, 0, 2399, 1349}, 1600, 900), 1);
    EXPECT_EQ(facteur_reduction(Rect{0, 0, 99999, 99999}, 100, 100), 16);

    // Where the overlay is constant over each 4 x 4 block, both ways show the same picture.
    const int l = 403, h = 301;
    std::vector<std::uint16_t> source(static_cast<std::size_t>(l) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x)
            source[static_cast<std::size_t>(y) * l + x] = static_cast<std::uint16_t>(((x / 4) * 37 + (y / 4) * 101) & 0x7FFF);
    const VuePixels calque{reinterpret_cast<std::uint8_t*>(source.data()), l, h, 2L * l, FormatPixels::rgb555};
    CopieReduite copie;
    reduit(calque, 4, copie);
    for (const Rect vue : {Rect{0, 0, l - 1, h - 1}, Rect{-40, -20, l + 39, h + 19}}) {
        std::vector<std::uint32_t> a(90 * 70), b(90 * 70);
        const VuePixels ea{reinterpret_cast<std::uint8_t*>(a.data()), 90, 70, 360, FormatPixels::rgb32};
        const VuePixels eb{reinterpret_cast<std::uint8_t*>(b.data()), 90, 70, 360, FormatPixels::rgb32};
        echantillonne_vue(calque, vue, ea, 0xFF646464);
        echantillonne_reduite(copie, vue, eb, 0xFF646464);
        EXPECT_EQ(a, b);
    }
}

// A paint samples only the part of the screen it uncovers: each part must match the same
// pixels of the whole screen, and nothing outside it may change.
TEST(Echantillonnage, APartMatchesTheWholeScreenAndTouchesNothingElse) {
    const int l = 803, h = 601, el = 200, eh = 150;
    std::vector<std::uint16_t> source(static_cast<std::size_t>(l) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x)
            source[static_cast<std::size_t>(y) * l + x] = static_cast<std::uint16_t>((x * 37 + y * 101) & 0x7FFF);
    const VuePixels calque{reinterpret_cast<std::uint8_t*>(source.data()), l, h, 2L * l, FormatPixels::rgb555};
    CopieReduite copie;
    reduit(calque, 3, copie);
    constexpr std::uint32_t temoin = 0x12345678;
    const Rect vues[] = {{0, 0, l - 1, h - 1}, {-30, -20, l + 29, h + 19}, {100, 50, 100 + el - 1, 50 + eh - 1},
                         {300, 200, 349, 237}, {-10, -5, 39, 32}};
    const Rect parties[] = {{0, 0, el - 1, eh - 1}, {17, 3, 120, 99}, {0, 140, el - 1, eh + 40}, {-5, -5, 3, 4}, {50, 50, 49, 60}};
    for (const bool reduite : {false, true}) {
        for (const Rect& vue : vues) {
            if (reduite && vue.largeur() < 2 * el) continue;
            std::vector<std::uint32_t> tout(el * eh), part(el * eh, temoin);
            const VuePixels et{reinterpret_cast<std::uint8_t*>(tout.data()), el, eh, 4L * el, FormatPixels::rgb32};
            const VuePixels ep{reinterpret_cast<std::uint8_t*>(part.data()), el, eh, 4L * el, FormatPixels::rgb32};
            auto echantillonne = [&](const VuePixels& e, const Rect& p) {
                if (reduite)
                    echantillonne_reduite(copie, vue, e, 0xFF646464, p);
                else
                    echantillonne_vue(calque, vue, e, 0xFF646464, p);
            };
            echantillonne(et, tout_l_ecran);
            for (const Rect& p : parties) {
                std::fill(part.begin(), part.end(), temoin);
                echantillonne(ep, p);
                for (int y = 0; y < eh; ++y)
                    for (int x = 0; x < el; ++x) {
                        const bool dedans = x >= p.x0 && x <= p.x1 && y >= p.y0 && y <= p.y1;
                        const std::size_t i = static_cast<std::size_t>(y) * el + x;
                        ASSERT_EQ(part[i], dedans ? tout[i] : temoin)
                            << "reduite " << reduite << " vue x0 " << vue.x0 << " partie x0 " << p.x0 << " at " << x << "," << y;
                    }
            }
        }
    }
}
