// TIFF files compared byte for byte with layouts built here from the format's tables.
#include "LimiteTaille.h"
#include "core/fichiers/EcritureSure.h"
#include "core/tiff/Bmp2Tiff.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

using namespace vuv;
namespace fs = std::filesystem;

namespace {

using Octets = std::string;

Octets le16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
Octets le32(unsigned long v) { return le16(v & 0xFFFF) + le16((v >> 16) & 0xFFFF); }
Octets entree(unsigned tag, unsigned type, unsigned long n, unsigned long v) {
    return le16(tag) + le16(type) + le32(n) + (type == 3 ? le16(v) + le16(0) : le32(v));
}
const Octets resolution = le32(877) + le32(10);
const Octets texte = "Tiffwriter";

Octets repertoire_rgb(unsigned w, unsigned h, unsigned long pixels) {
    return le16(15) + entree(254, 4, 1, 0) + entree(256, 3, 1, w) + entree(257, 3, 1, h) + entree(258, 3, 3, 24) +
           entree(259, 3, 1, 1) + entree(262, 3, 1, 2) + entree(273, 4, 1, 40) + entree(277, 3, 1, 3) +
           entree(278, 4, 1, h) + entree(279, 4, 1, pixels) + entree(282, 5, 1, 8) + entree(283, 5, 1, 16) +
           entree(284, 3, 1, 1) + entree(296, 3, 1, 2) + entree(305, 2, 10, 30) + le32(0);
}

Octets ecrit(const ImageTiff& im) {
    std::ostringstream flux;
    WriteTiffToStream(flux, im);
    return flux.str();
}

ImageTiff image(std::vector<std::uint8_t>& octets, int w, int h, long pas, int bits) {
    ImageTiff im;
    im.pixels = VuePixels{octets.data(), w, h, pas, FormatPixels::rgb32};
    im.bits_par_pixel = bits;
    return im;
}

} // namespace

TEST(Tiff, TwoByTwoRgbFrom24And32Bits) {
    // Blue, green, red stored; rows padded to 8 bytes in the 24-bit view.
    std::vector<std::uint8_t> p24 = {3, 2, 1, 6, 5, 4, 0xEE, 0xEE, 9, 8, 7, 12, 11, 10, 0xEE, 0xEE};
    const Octets pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const Octets attendu = "II" + le16(42) + le32(52) + resolution + resolution + le16(8) + le16(8) + le16(8) + texte +
                           pixels + repertoire_rgb(2, 2, 12);
    ASSERT_EQ(attendu.size(), 238u);
    EXPECT_EQ(ecrit(image(p24, 2, 2, 8, 24)), attendu);

    std::vector<std::uint8_t> p32 = {3, 2, 1, 0xFF, 6, 5, 4, 0xFF, 9, 8, 7, 0xFF, 12, 11, 10, 0xFF};
    EXPECT_EQ(ecrit(image(p32, 2, 2, 8, 32)), attendu);
}

TEST(Tiff, DirectoryMayStartAtAnOddOffset) {
    std::vector<std::uint8_t> p(12, 0x40);
    const Octets f = ecrit(image(p, 3, 1, 12, 24));
    EXPECT_EQ(f.size(), 235u);
    EXPECT_EQ(f.substr(4, 4), le32(49));
    EXPECT_EQ(f.substr(49), repertoire_rgb(3, 1, 9));
}

TEST(Tiff, EightBitPaletteWithAShortColourTable) {
    std::vector<std::uint8_t> p = {0, 1, 2, 3, 4, 0xEE, 0xEE, 0xEE, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE};
    ImageTiff im = image(p, 5, 2, 8, 8);
    const std::uint8_t table[] = {10, 20, 30, 0, 11, 21, 31, 0};  // two entries only
    im.palette = table;
    im.entrees_palette = 2;
    Octets carte(1536, '\0');
    for (int i = 0; i < 2; ++i) {
        carte[2 * i + 1] = static_cast<char>(30 + i);
        carte[2 * (256 + i) + 1] = static_cast<char>(20 + i);
        carte[2 * (512 + i) + 1] = static_cast<char>(10 + i);
    }
    const Octets attendu = "II" + le16(42) + le32(1580) + carte + resolution + resolution + texte +
                           Octets{0, 1, 2, 3, 4, 5, 6, 7, 8, 9} + le16(15) + entree(254, 4, 1, 0) +
                           entree(256, 3, 1, 5) + entree(257, 3, 1, 2) + entree(258, 3, 1, 8) + entree(259, 3, 1, 1) +
                           entree(262, 3, 1, 3) + entree(273, 4, 1, 1570) + entree(277, 3, 1, 1) +
                           entree(278, 4, 1, 2) + entree(279, 4, 1, 10) + entree(282, 5, 1, 1544) +
                           entree(283, 5, 1, 1552) + entree(296, 3, 1, 2) + entree(305, 2, 10, 1560) +
                           entree(320, 3, 768, 8) + le32(0);
    ASSERT_EQ(attendu.size(), 1766u);
    EXPECT_EQ(ecrit(im), attendu);
}

// Width 7 keeps its seventh pixel: four bytes per row, ImageWidth 7.
TEST(Tiff, FourBitOddWidthKeepsEveryColumn) {
    std::vector<std::uint8_t> p = {0x12, 0x34, 0x56, 0x70};
    ImageTiff im = image(p, 7, 1, 4, 4);
    const std::uint8_t table[] = {0, 0, 255, 0};
    im.palette = table;
    im.entrees_palette = 1;
    Octets carte(96, '\0');
    carte[1] = static_cast<char>(255);  // entry 0 is pure red
    const Octets attendu = "II" + le16(42) + le32(134) + carte + resolution + resolution + texte +
                           Octets{0x12, 0x34, 0x56, 0x70} + le16(15) + entree(254, 4, 1, 0) + entree(256, 3, 1, 7) +
                           entree(257, 3, 1, 1) + entree(258, 3, 1, 4) + entree(259, 3, 1, 1) +
                           entree(262, 3, 1, 3) + entree(273, 4, 1, 130) + entree(277, 3, 1, 1) +
                           entree(278, 4, 1, 1) + entree(279, 4, 1, 4) + entree(282, 5, 1, 104) +
                           entree(283, 5, 1, 112) + entree(296, 3, 1, 2) + entree(305, 2, 10, 120) +
                           entree(320, 3, 48, 8) + le32(0);
    ASSERT_EQ(attendu.size(), 320u);
    EXPECT_EQ(ecrit(im), attendu);
}

TEST(Tiff, BilevelPixelsComeFirst) {
    std::vector<std::uint8_t> p = {0x80, 0, 0, 0, 0x40, 0, 0, 0};
    const Octets attendu = "II" + le16(42) + le32(36) + Octets{'\x80', 0x40} + resolution + resolution + texte +
                           le16(14) + entree(254, 4, 1, 0) + entree(256, 3, 1, 2) + entree(257, 3, 1, 2) +
                           entree(258, 3, 1, 1) + entree(259, 3, 1, 1) + entree(262, 3, 1, 1) +
                           entree(273, 4, 1, 8) + entree(277, 3, 1, 1) + entree(278, 4, 1, 2) +
                           entree(279, 4, 1, 2) + entree(282, 5, 1, 10) + entree(283, 5, 1, 18) +
                           entree(296, 3, 1, 2) + entree(305, 2, 10, 26) + le32(0);
    ASSERT_EQ(attendu.size(), 210u);
    EXPECT_EQ(ecrit(image(p, 2, 2, 4, 1)), attendu);
}

// Pixels are converted in bands: a tall image crosses several of them in order.
TEST(Tiff, WideAndTallImages) {
    std::vector<std::uint8_t> large(70000 * 4 * 2, 7);
    const Octets f = ecrit(image(large, 70000, 2, 70000 * 4, 32));
    EXPECT_EQ(f.substr(40 + 420000 + 2 + 12, 24), entree(256, 4, 1, 70000) + entree(257, 4, 1, 2));
    EXPECT_EQ(f.size(), 40u + 420000 + 186);

    std::vector<std::uint8_t> haute(1 * 4 * 1000);
    for (std::size_t y = 0; y < 1000; ++y) haute[4 * y + 2] = static_cast<std::uint8_t>(y);
    const Octets g = ecrit(image(haute, 1, 1000, 4, 32));
    for (std::size_t y = 0; y < 1000; ++y) ASSERT_EQ(static_cast<std::uint8_t>(g[40 + 3 * y]), y % 256) << y;
}

TEST(Tiff, RefusalsAreFrench) {
    std::vector<std::uint8_t> p(64);
    std::ostringstream flux;
    EXPECT_THROW(
        try { WriteTiffToStream(flux, image(p, 2, 2, 8, 16)); } catch (const ErreurFichier& e) {
            EXPECT_STREQ(e.what(), "une image de 16 bits par pixel ne peut pas être écrite en TIFF");
            throw;
        },
        ErreurFichier);
    EXPECT_TRUE(flux.str().empty());
    // A 4 GiB file cannot be addressed; refused before any byte is read.
    EXPECT_THROW(WriteTiffToStream(flux, image(p, 65536, 65536, 65536L * 4, 32)), ErreurFichier);
    flux << "x";
    EXPECT_THROW(WriteTiffToStream(flux, image(p, 2, 2, 8, 32)), ErreurFichier);
}

class TiffFichier : public ::testing::Test {
protected:
    void SetUp() override {
        dossier = fs::path(::testing::TempDir()) / ("tiff_" + std::to_string(::getpid()));
        fs::remove_all(dossier);
        fs::create_directories(dossier);
    }
    void TearDown() override { fs::remove_all(dossier); }
    std::size_t fichiers() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()));
    }
    fs::path dossier;
};

TEST_F(TiffFichier, FailedWritesKeepTheOldFile) {
    const std::string c = (dossier / "plan.tif").string();
    ecrit_fichier_sur(c, "ancien");
    try {
        WriteTiffToFile(c, ImageTiff{});
        FAIL();
    } catch (const ErreurFichier& e) {
        EXPECT_EQ(std::string(e.what()), "Impossible d'enregistrer " + c + " : l'image est vide, aucun pixel à enregistrer");
    }
    std::vector<std::uint8_t> p(400 * 400 * 4, 1);
    {
        test::LimiteTaille limite(1000);
        ASSERT_TRUE(limite.posee());
        try {
            WriteTiffToFile(c, image(p, 400, 400, 1600, 32));
            FAIL();
        } catch (const ErreurFichier& e) {
            EXPECT_NE(std::string(e.what()).find(c), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(lit_fichier(c), "ancien");
    EXPECT_EQ(fichiers(), 1u);

    WriteTiffToFile(c, image(p, 400, 400, 1600, 32));
    EXPECT_EQ(lit_fichier(c).size(), 40u + 480000 + 186);
}
