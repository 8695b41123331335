#include "core/coloriage/Coloriage.h"
#include "core/coloriage/CopieCalque.h"
#include "core/document/Document.h"
#include "core/text/separateur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace vuv {
namespace {

constexpr std::uint16_t vert = 0x0200;  // RGB(0, 128, 0)
constexpr std::uint16_t rouge = 0x7C00;
constexpr std::uint16_t gris = 0x4210;

struct Image {
    int w, h;
    std::vector<std::uint16_t> px;
    Image(int largeur, int hauteur, std::uint16_t fond = blanc555)
        : w(largeur), h(hauteur), px(static_cast<std::size_t>(largeur) * hauteur, fond) {}
    VuePixels vue() {
        return {reinterpret_cast<std::uint8_t*>(px.data()), w, h, static_cast<long>(w) * 2, FormatPixels::rgb555};
    }
    std::uint16_t& at(int x, int y) { return px[static_cast<std::size_t>(y) * w + x]; }
    void bloc(int x0, int y0, int lw, int lh, std::uint16_t c) {
        for (int y = y0; y < y0 + lh; ++y)
            for (int x = x0; x < x0 + lw; ++x) at(x, y) = c;
    }
    long compte(std::uint16_t c) const { return static_cast<long>(std::count(px.begin(), px.end(), c)); }
};

TEST(CouleurStockee, CinqBitsReviennentFoisHuit) {
    EXPECT_EQ(couleur_stockee(0xFFFFFF), 0xF8F8F8u);
    EXPECT_EQ(couleur_stockee(0x008000), 0x008000u);
    EXPECT_EQ(bgr_de_pixel555(rgb555_de_bgr(0x008000)), 0x008000u);
    EXPECT_EQ(bgr_de_pixel555(blanc555), 0xF8F8F8u);
    EXPECT_EQ(bgr_de_pixel555(contour555), 0xF8F800u);
}

TEST(Remplissage, SurfaceSArreteAToutAutreCouleurEtRepasseEnBlanc) {
    Image im(8, 6, gris);
    im.bloc(0, 3, 8, 1, rouge); // a wall: the lower part stays grey
    im.at(2, 1) = 0x0001;       // a nearly-grey pixel is another colour
    const auto b = remplit_surface(im.vue(), 0, 0, vert);
    EXPECT_EQ(b.peints, 8 * 3 - 1);
    EXPECT_EQ(im.compte(gris), 8 * 2);
    EXPECT_EQ(im.at(2, 1), 0x0001);
    // Same brush as the pressed colour: ends at once.
    EXPECT_EQ(remplit_surface(im.vue(), 0, 0, vert).peints, 0);
    EXPECT_EQ(remplit_surface(im.vue(), 1, 1, blanc555).peints, 23);
    EXPECT_EQ(im.compte(blanc555), 23);
}

TEST(Remplissage, BordeeTraverseLesCouleursEtPasseUneBordureCassee) {
    Image im(10, 10);
    for (int i = 2; i <= 7; ++i) im.at(i, 2) = im.at(i, 7) = im.at(2, i) = im.at(7, i) = noir555;
    im.at(4, 4) = rouge;
    im.at(5, 5) = vert; // already the brush colour: the map, not the colour, stops the fill
    EXPECT_EQ(remplit_bordee(im.vue(), 4, 5, noir555, vert).peints, 16);
    EXPECT_EQ(im.compte(vert), 16);
    EXPECT_EQ(im.at(0, 0), blanc555);
    im.at(7, 4) = blanc555; // broken: leaks everywhere but the border
    EXPECT_EQ(remplit_bordee(im.vue(), 4, 5, noir555, rouge).peints, 100 - 19);
    // A press on the border paints nothing.
    EXPECT_EQ(remplit_bordee(im.vue(), 2, 2, noir555, vert).peints, 0);
}

TEST(Remplissage, EscalierDiagonalRetientLeRemplissageEnQuatreConnexite) {
    Image im(6, 6);
    for (int i = 0; i < 6; ++i) im.at(i, i) = noir555;
    EXPECT_EQ(remplit_bordee(im.vue(), 5, 0, noir555, vert).peints, 15);
    EXPECT_EQ(im.at(0, 5), blanc555);
    Image s(6, 6);
    for (int i = 0; i < 6; ++i) s.at(i, i) = noir555;
    EXPECT_EQ(remplit_surface(s.vue(), 5, 0, vert).peints, 15);
}

TEST(Remplissage, GrandesImagesSansDebordementDePile) {
    // A serpent of one-pixel corridors: the worst case for a recursive fill.
    Image im(2001, 1501);
    for (int y = 1; y < im.h; y += 2)
        for (int x = 0; x < im.w; ++x)
            if (x != ((y / 2) % 2 ? 0 : im.w - 1)) im.at(x, y) = noir555;
    const auto b = remplit_bordee(im.vue(), 0, 0, noir555, vert);
    EXPECT_EQ(b.peints, im.compte(vert));
    EXPECT_EQ(im.compte(blanc555), 0);
    EXPECT_LE(b.octets_pile + b.octets_carte, im.px.size());
    Image plein(3000, 3000, gris);
    EXPECT_EQ(remplit_surface(plein.vue(), 1500, 1500, vert).peints, 9000000);
}

TEST(Remplissage, BordsCoinsEtHors) {
    Image un(1, 1);
    EXPECT_EQ(remplit_surface(un.vue(), 0, 0, vert).peints, 1);
    EXPECT_EQ(remplit_bordee(un.vue(), 0, 0, noir555, rouge).peints, 1);
    Image fin(1, 5), deux(2, 3);
    EXPECT_EQ(remplit_surface(fin.vue(), 0, 4, vert).peints, 5);
    EXPECT_EQ(remplit_bordee(deux.vue(), 1, 2, noir555, vert).peints, 6);
    EXPECT_EQ(remplit_surface(deux.vue(), 2, 0, rouge).peints, 0);
    EXPECT_EQ(remplit_surface(deux.vue(), -1, 0, rouge).peints, 0);
    EXPECT_EQ(remplit_surface(VuePixels{}, 0, 0, rouge).peints, 0);
}

TEST(StyloEtBrosse, ClippesAuCalque) {
    Image im(5, 5);
    stylo_presse(im.vue(), 1, 1, noir555);
    EXPECT_EQ(im.at(0, 0), noir555);
    stylo_presse(im.vue(), 1, 1, noir555);
    EXPECT_EQ(im.at(0, 0), blanc555);
    stylo_presse(im.vue(), 0, 0, noir555);
    stylo_presse(im.vue(), 6, 6, noir555);
    stylo_glisse(im.vue(), 5, 5, noir555);
    EXPECT_EQ(im.at(4, 4), noir555);
    EXPECT_EQ(im.compte(noir555), 1);
    brosse(im.vue(), 0, 0, false, vert);
    EXPECT_EQ(im.at(0, 0), vert);
    EXPECT_EQ(im.at(2, 0), vert);
    EXPECT_EQ(im.at(2, 2), blanc555);
    brosse(im.vue(), 2, 2, true, rouge);
    EXPECT_EQ(im.compte(rouge), 25);
}

ComptageRaster compte_bloc(int lw, int lh) {
    Image im(30, 30, gris);
    im.bloc(5, 5, lw, lh, vert);
    const ComptageRaster n = compte_couleur(im.vue(), cadre_image(im.vue(), 0, 0), vert);
    EXPECT_EQ(im.compte(contour555), 2 * lw + 2 * lh);
    return n;
}

TEST(CompteRaster, ExemplesDuBloc) {
    const ComptageRaster n = compte_bloc(10, 10);
    EXPECT_EQ(n.nombre, 100);
    EXPECT_EQ(n.ns, 37);
    EXPECT_EQ(n.nd, 3);
    const ComptageRaster b = compte_bloc(20, 5);
    EXPECT_EQ(b.ns, 47);
    EXPECT_EQ(b.nd, 3);
    const ComptageRaster p = compte_bloc(1, 1);
    EXPECT_EQ(p.ns, 0);
    EXPECT_EQ(p.nd, 3);
}

TEST(CompteRaster, MargesHorsDuCadreEtProgression) {
    Image im(40, 20, gris);
    im.bloc(0, 0, 3, 20, vert);   // left margin of a proportional load
    im.bloc(10, 5, 4, 4, vert);
    std::vector<int> positions;
    const ComptageRaster n =
        compte_couleur(im.vue(), cadre_image(im.vue(), 3, 0), vert, [&](int p) { positions.push_back(p); });
    EXPECT_EQ(n.nombre, 16);
    ASSERT_FALSE(positions.empty());
    EXPECT_LE(positions.back(), im.h);
    Image un(1, 1, vert), rien(3, 3);
    EXPECT_EQ(compte_couleur(un.vue(), cadre_image(un.vue(), 0, 0), vert).nombre, 1);
    EXPECT_EQ(compte_couleur(rien.vue(), cadre_image(rien.vue(), 2, 2), vert).nombre, 0);
}

TEST(ResultatRaster, LignesAuxDeuxConventions) {
    SeparateurLocal point('.');
    const ComptageRaster n{100, 37, 3};
    ResultatRaster r = resultat_raster(n, 1);
    EXPECT_EQ(r.lignes[0], " Surface raster = \t1.000 E+02    \t    100.000000000");
    EXPECT_EQ(r.lignes[1], " L raster = \t4.124 E+01    \t    41.242640687");
    r = resultat_raster(n, 0.25L);
    EXPECT_EQ(r.lignes[0], " Surface raster = \t2.500 E+01    \t    25.000000000");
    EXPECT_EQ(r.lignes[1], " L raster = \t2.062 E+01    \t    20.621320344");
    r = resultat_raster(n, 958001.0L / 960000.0L);
    EXPECT_EQ(r.lignes[1], " L raster = \t4.120 E+01    \t    41.199678707");
    EXPECT_NE(r.lignes[0].find("    99.791770833"), std::string::npos);
    SeparateurLocal virgule(',');
    EXPECT_EQ(resultat_raster(n, 1).lignes[0], " Surface raster = \t1,000 E+02    \t    100,000000000");
}

TEST(ResultatRaster, EchelleDuTriangleDeCalage) {
    Document d;
    d.calage[0] = {true, 0, 0, 0, 50, 0};
    d.calage[1] = {true, 0, 100, 0, 0, 0};
    d.calage[2] = {true, 100, 100, 50, 0, 0};
    EXPECT_EQ(echelle_surface(d), 0.25L);
    d.calage[2] = {true, 0, 50, 50, 0, 0};
    EXPECT_EQ(echelle_surface(d), 1);
}

TEST(Seuil, LectureDuTexte) {
    for (char sep : {'.', ','}) {
        SeparateurLocal s(sep);
        EXPECT_EQ(lit_seuil("12.5"), 12500000);
        EXPECT_EQ(lit_seuil("10"), 10000000);
        EXPECT_EQ(lit_seuil("-5"), -5000000);
        EXPECT_GT(lit_seuil("1E30"), 1e35L);
        EXPECT_THROW(lit_seuil(""), std::invalid_argument);
        EXPECT_THROW(lit_seuil("1 0"), std::invalid_argument);
    }
    SeparateurLocal virgule(',');
    EXPECT_EQ(lit_seuil("12,5"), 12500000);
    try {
        lit_seuil("abc");
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "'abc' n'est pas une valeur à virgule flottante correcte");
    }
}

std::uint16_t gris555(int r, int g, int b) { return static_cast<std::uint16_t>((r << 10) | (g << 5) | b); }

TEST(Seuil, NiveauxDeGrisEtPixelsIsoles) {
    Image im(6, 3);
    im.at(0, 0) = gris555(19, 19, 19);
    im.at(1, 0) = gris555(18, 18, 18);
    im.at(2, 0) = gris555(19, 19, 18);
    im.at(3, 0) = gris555(24, 24, 24);
    im.at(4, 0) = gris555(24, 24, 23);
    seuil_gris(im.vue(), cadre_image(im.vue(), 0, 0), lit_seuil("10"), noir555);
    EXPECT_EQ(im.at(0, 0), blanc555);
    EXPECT_EQ(im.at(1, 0), noir555);
    EXPECT_EQ(im.at(2, 0), noir555);
    EXPECT_EQ(im.at(3, 0), blanc555);
    Image b(2, 1);
    b.at(0, 0) = gris555(24, 24, 24);
    b.at(1, 0) = gris555(24, 24, 23);
    seuil_gris(b.vue(), cadre_image(b.vue(), 0, 0), lit_seuil("12.5"), noir555);
    EXPECT_EQ(b.at(0, 0), blanc555);
    EXPECT_EQ(b.at(1, 0), noir555);

    Image iso(9, 5);
    iso.at(2, 2) = noir555;                 // alone: whitened
    iso.at(5, 2) = iso.at(6, 2) = noir555;  // a pair: kept
    seuil_gris(iso.vue(), cadre_image(iso.vue(), 0, 0), lit_seuil("10"), noir555);
    EXPECT_EQ(iso.at(2, 2), blanc555);
    EXPECT_EQ(iso.compte(noir555), 2);
    Image tous(3, 3, gris555(31, 31, 31));
    seuil_gris(tous.vue(), cadre_image(tous.vue(), 0, 0), lit_seuil("1E30"), noir555);
    EXPECT_EQ(tous.compte(noir555), 9); // T beyond 64 bits: all black, no overflow
}

TEST(Copie, AllerRetourEtRefus) {
    Image im(7, 3, gris);
    im.at(6, 0) = vert;
    const std::string chemin = ::testing::TempDir() + "copie_coloriage.bmp";
    ecrit_copie(im.vue(), chemin);
    Image lu(7, 3);
    ASSERT_TRUE(relit_copie(lu.vue(), chemin));
    EXPECT_EQ(lu.px, im.px);
    Image autre(6, 3);
    EXPECT_FALSE(relit_copie(autre.vue(), chemin));
    EXPECT_EQ(autre.compte(blanc555), 18);
    {
        std::ofstream tronque(chemin, std::ios::binary | std::ios::trunc);
        tronque << "BM";
    }
    EXPECT_FALSE(relit_copie(lu.vue(), chemin));
    EXPECT_FALSE(relit_copie(lu.vue(), chemin + ".absent"));
    std::remove(chemin.c_str());
}

} // namespace
} // namespace vuv
