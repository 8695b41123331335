// Signatures, the status text of a background, and views over image memory.
#include "Generateurs.h"

#include "imaging/FormatImage.h"
#include "imaging/Pixels.h"

#include <gtest/gtest.h>

using namespace vuv;

namespace {

FormatImage format_de(const std::string& octets) {
    return format_des_octets(reinterpret_cast<const unsigned char*>(octets.data()), octets.size());
}

} // namespace

TEST(Signatures, FirstBytesOnly) {
    EXPECT_EQ(format_de("\xFF\xD8\xFF\xE0"), FormatImage::jpeg);
    EXPECT_EQ(format_de("\xFF\xD8\xFF"), FormatImage::jpeg);
    EXPECT_EQ(format_de("\xFF\xD8\x00"), FormatImage::inconnu);
    EXPECT_EQ(format_de("BM\x36"), FormatImage::bmp);
    EXPECT_EQ(format_de(std::string("II*\0", 4)), FormatImage::tiff);
    EXPECT_EQ(format_de(std::string("MM\0*", 4)), FormatImage::tiff);
    EXPECT_EQ(format_de(std::string("II+\0", 4)), FormatImage::tiff);  // BigTIFF
    EXPECT_EQ(format_de(std::string("MM\0+", 4)), FormatImage::tiff);
    EXPECT_EQ(format_de(std::string("II\0+", 4)), FormatImage::inconnu);
    EXPECT_EQ(format_de("GIF87a"), FormatImage::gif);
    EXPECT_EQ(format_de("GIF89a"), FormatImage::gif);
    EXPECT_EQ(format_de("GIF90a"), FormatImage::inconnu);
    EXPECT_EQ(format_de("\x89PNG\r\n\x1A\n"), FormatImage::png);
    EXPECT_EQ(format_de("\x89PNG"), FormatImage::inconnu);
    EXPECT_EQ(format_de(""), FormatImage::inconnu);
    EXPECT_EQ(format_de("bm"), FormatImage::inconnu);
}

TEST(LxHxC, BitsAndKilobytes) {
    EXPECT_EQ(LxHxC(QImage(1000, 800, QImage::Format_RGB555)), "1000x800x15=1464 ");
    EXPECT_EQ(LxHxC(QImage(2100, 1485, QImage::Format_Indexed8)), "2100x1485x8=3045 ");
    EXPECT_EQ(LxHxC(QImage(64, 64, QImage::Format_Mono)), "64x64x1=0 ");
    EXPECT_EQ(LxHxC(QImage(100, 100, QImage::Format_RGB16)), "100x100x16=19 ");
    EXPECT_EQ(LxHxC(QImage(100, 100, QImage::Format_RGB888)), "100x100x24=29 ");
    EXPECT_EQ(LxHxC(QImage(100, 100, QImage::Format_RGB32)), "100x100x32=39 ");
    EXPECT_EQ(LxHxC(QImage(100, 100, QImage::Format_RGBA64)), "100x100x0=0 ");
    EXPECT_EQ(LxHxC(QImage()), "");
}

TEST(LxHxC, NoOverflowOnLargeBackgrounds) {
    // 20000 × 20000 × 32 bits overflows 32-bit arithmetic; only the header is needed here.
    EXPECT_EQ(bits_par_pixel(QImage(1, 1, QImage::Format_ARGB32)), 32);
    const long long ko = 20000LL * 20000 * 32 / 8192;
    QImage image = nouvelle_image(20000, 20000, QImage::Format_RGB32);
    if (image.isNull()) GTEST_SKIP() << "not enough memory for 1.6 GB";
    EXPECT_EQ(LxHxC(image), "20000x20000x32=" + QString::number(ko) + " ");
}

TEST(VuePixels, SharesTheImageMemory) {
    QImage image = nouvelle_image(30, 20, QImage::Format_RGB555);
    ASSERT_FALSE(image.isNull());
    image.fill(0);
    const VuePixels v = vue_pixels(image);
    EXPECT_EQ(v.format, FormatPixels::rgb555);
    EXPECT_EQ(v.largeur, 30);
    EXPECT_EQ(v.hauteur, 20);
    EXPECT_EQ(v.octets_par_ligne, image.bytesPerLine());
    reinterpret_cast<std::uint16_t*>(v.ligne(19))[29] = rgb555(255, 0, 0);
    EXPECT_EQ(image.pixel(29, 19), qRgb(255, 0, 0));

    QImage copie = image;  // shared: the view detaches it first, leaving the copy untouched
    const VuePixels w = vue_pixels(image);
    reinterpret_cast<std::uint16_t*>(w.ligne(0))[0] = 0x7FFF;
    EXPECT_EQ(copie.pixel(0, 0), qRgb(0, 0, 0));

    QImage indexe(4, 4, QImage::Format_Indexed8);
    EXPECT_EQ(vue_pixels(indexe).format, FormatPixels::indexe8);
    QImage autre(4, 4, QImage::Format_RGB888);
    EXPECT_FALSE(vue_pixels(autre).valide());
    QImage nulle;
    EXPECT_FALSE(vue_pixels(nulle).valide());
}
