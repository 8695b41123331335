// Every kind of TIFF we write, read back by libtiff and by its tiffinfo tool.
#include "core/tiff/Bmp2Tiff.h"

#include <gtest/gtest.h>

#include <tiffio.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace vuv;
namespace fs = std::filesystem;

namespace {

struct Relu {
    int largeur = 0, hauteur = 0;
    std::vector<std::uint32_t> abgr;  // libtiff's packed RGBA, top row first
};

Relu relit(const std::string& chemin) {
    Relu r;
    TIFFSetWarningHandler(nullptr);
    TIFF* t = TIFFOpen(chemin.c_str(), "r");
    if (!t) return r;
    std::uint32_t w = 0, h = 0;
    TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(t, TIFFTAG_IMAGELENGTH, &h);
    r.abgr.resize(static_cast<std::size_t>(w) * h);
    if (TIFFReadRGBAImageOriented(t, w, h, r.abgr.data(), ORIENTATION_TOPLEFT, 0)) {
        r.largeur = static_cast<int>(w);
        r.hauteur = static_cast<int>(h);
    }
    TIFFClose(t);
    return r;
}

std::uint32_t rgba(unsigned r, unsigned g, unsigned b) { return 0xFF000000u | (b << 16) | (g << 8) | r; }

// tiffinfo's output (stdout and stderr) and exit code.
std::pair<std::string, int> tiffinfo(const std::string& options, const std::string& chemin) {
    std::string sortie;
    FILE* p = ::popen(("tiffinfo " + options + " '" + chemin + "' 2>&1").c_str(), "r");
    if (!p) return {"", -1};
    std::array<char, 4096> b{};
    std::size_t n;
    while ((n = std::fread(b.data(), 1, b.size(), p)) > 0) sortie.append(b.data(), n);
    return {sortie, ::pclose(p)};
}

class TiffRelu : public ::testing::Test {
protected:
    void SetUp() override {
        dossier = fs::path(::testing::TempDir()) / ("tiffrelu_" + std::to_string(::getpid()));
        fs::create_directories(dossier);
    }
    void TearDown() override { fs::remove_all(dossier); }

    // Writes, reads back with the same pixels, and passes tiffinfo with only the Software warning;
    // `octets_bande` is tiffinfo's dump of the strip, a line per row.
    void verifie(const char* nom, const ImageTiff& im, const std::vector<std::uint32_t>& attendu,
                 const std::string& octets_bande) {
        const std::string c = (dossier / nom).string();
        WriteTiffToFile(c, im);
        const Relu r = relit(c);
        ASSERT_EQ(r.largeur, im.pixels.largeur) << nom;
        ASSERT_EQ(r.hauteur, im.pixels.hauteur) << nom;
        EXPECT_EQ(r.abgr, attendu) << nom;

        const auto [info, code] = tiffinfo("-D", c);
        EXPECT_EQ(code, 0) << info;
        EXPECT_NE(info.find("Image Width: " + std::to_string(im.pixels.largeur) +
                            " Image Length: " + std::to_string(im.pixels.hauteur)),
                  std::string::npos) << info;
        EXPECT_NE(info.find("Resolution: 87.7, 87.7 pixels/inch"), std::string::npos) << info;
        std::size_t debut = 0;
        for (std::size_t fin; (fin = info.find('\n', debut)) != std::string::npos; debut = fin + 1) {
            const std::string ligne = info.substr(debut, fin - debut);
            if (ligne.find("arning") != std::string::npos || ligne.find("rror") != std::string::npos)
            {
                EXPECT_EQ(ligne, "TIFFFetchNormalTag: Warning, ASCII value for tag \"Software\" does not end in null byte.");
            }
        }
        const auto [bande, code_d] = tiffinfo("-d", c);
        EXPECT_EQ(code_d, 0);
        EXPECT_NE(bande.find("Strip 0:\n" + octets_bande), std::string::npos) << bande;
    }
    fs::path dossier;
};

} // namespace

TEST_F(TiffRelu, EveryDepthReadsBackWithItsColours) {
    std::vector<std::uint8_t> p32 = {3, 2, 1, 0, 6, 5, 4, 0, 9, 8, 7, 0, 12, 11, 10, 0};
    ImageTiff rgb{VuePixels{p32.data(), 2, 2, 8, FormatPixels::rgb32}, 32, nullptr, 0};
    verifie("rgb32.tif", rgb, {rgba(1, 2, 3), rgba(4, 5, 6), rgba(7, 8, 9), rgba(10, 11, 12)},
            " 01 02 03 04 05 06\n 07 08 09 0a 0b 0c");

    std::vector<std::uint8_t> p24 = {3, 2, 1, 6, 5, 4, 9, 8, 7, 0};
    ImageTiff rgb24{VuePixels{p24.data(), 3, 1, 10, FormatPixels::rgb32}, 24, nullptr, 0};
    verifie("rgb24.tif", rgb24, {rgba(1, 2, 3), rgba(4, 5, 6), rgba(7, 8, 9)}, " 01 02 03 04 05 06 07 08 09");

    const std::uint8_t table[] = {255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0};  // blue, green, red
    std::vector<std::uint8_t> p8 = {0, 1, 2, 1, 0, 9, 9, 9, 2, 2, 2, 2, 2, 9, 9, 9};
    ImageTiff pal8{VuePixels{p8.data(), 5, 2, 8, FormatPixels::indexe8}, 8, table, 3};
    const std::uint32_t b = rgba(0, 0, 255), g = rgba(0, 255, 0), r = rgba(255, 0, 0);
    verifie("pal8.tif", pal8, {b, g, r, g, b, r, r, r, r, r}, " 00 01 02 01 00\n 02 02 02 02 02");

    std::vector<std::uint8_t> p4 = {0x01, 0x21, 0x00, 0x20};
    ImageTiff pal4{VuePixels{p4.data(), 7, 1, 4, FormatPixels::indexe8}, 4, table, 3};
    verifie("pal4.tif", pal4, {b, g, r, g, b, b, r}, " 01 21 00 20");

    std::vector<std::uint8_t> p1 = {0xA0, 0, 0, 0, 0x40, 0, 0, 0};
    ImageTiff bilevel{VuePixels{p1.data(), 3, 2, 4, FormatPixels::indexe8}, 1, nullptr, 0};
    const std::uint32_t noir = rgba(0, 0, 0), blanc = rgba(255, 255, 255);
    verifie("bilevel.tif", bilevel, {blanc, noir, blanc, noir, blanc, noir}, " a0\n 40");
}

TEST_F(TiffRelu, LongSizesAboveSixtyFiveThousand) {
    std::vector<std::uint8_t> p(70000 * 4 * 2);
    for (std::size_t i = 0; i < p.size(); i += 4) p[i + 2] = 200;
    ImageTiff large{VuePixels{p.data(), 70000, 2, 70000 * 4, FormatPixels::rgb32}, 32, nullptr, 0};
    const std::string c = (dossier / "large.tif").string();
    WriteTiffToFile(c, large);
    const Relu r = relit(c);
    ASSERT_EQ(r.largeur, 70000);
    ASSERT_EQ(r.hauteur, 2);
    EXPECT_EQ(r.abgr.front(), rgba(200, 0, 0));
    EXPECT_EQ(r.abgr.back(), rgba(200, 0, 0));
    EXPECT_EQ(tiffinfo("-D", c).second, 0);
}
