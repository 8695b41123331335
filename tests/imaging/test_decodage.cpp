// Decoding every format into 15-bit images, and every way a file can be wrong.
#include "Generateurs.h"
#include "tests/support/LectureJpeg.h"

#include "imaging/DecodageImage.h"
#include "imaging/EncodageImage.h"

#include <gtest/gtest.h>

#include <QImageWriter>

#include <cstdlib>

using namespace vuv;
using test::Bmp;
using test::en555;
using test::motif;
using test::pixel;

namespace {

class Decodage : public ::testing::Test {
protected:
    QString chemin(const QString& nom) const { return dossier.filePath(nom); }
    QString ecrit(const QString& nom, const std::string& octets) const {
        const QString c = chemin(nom);
        test::ecrit_octets(c, octets);
        return c;
    }

    QTemporaryDir dossier;
};

// Every pixel equals the expected one.
void compare(const QImage& image, int l, int h, const std::function<std::uint16_t(int, int)>& attendu) {
    ASSERT_EQ(image.format(), QImage::Format_RGB555);
    ASSERT_EQ(image.width(), l);
    ASSERT_EQ(image.height(), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x)
            ASSERT_EQ(pixel(image, x, y), attendu(x, y)) << "pixel (" << x << ", " << y << ")";
}

// Channel distance in 8-bit levels, for lossy formats.
int ecart(std::uint16_t a, QRgb b) {
    return std::max({std::abs(int(rouge555(a)) - qRed(b)), std::abs(int(vert555(a)) - qGreen(b)),
                     std::abs(int(bleu555(a)) - qBlue(b))});
}

std::string ligne_bgr(int l, int y, int octets_pixel) {
    std::string s;
    for (int x = 0; x < l; ++x) {
        const QRgb c = motif(x, y);
        s += static_cast<char>(qBlue(c));
        s += static_cast<char>(qGreen(c));
        s += static_cast<char>(qRed(c));
        if (octets_pixel == 4) s += '\x7f';
    }
    return s;
}

} // namespace

TEST_F(Decodage, BmpTrueColourBottomUpAndTopDown) {
    for (int octets : {3, 4})
        for (bool haut_en_bas : {false, true}) {
            Bmp b;
            b.largeur = 5;  // odd, so 24-bit rows are padded
            b.hauteur = 4;
            b.bits = octets * 8;
            b.haut_en_bas = haut_en_bas;
            b.ligne = [&](int y) { return ligne_bgr(5, y, octets); };
            const ImageDecodee r = decode_image(ecrit("a.bmp", b.octets()));
            ASSERT_TRUE(r.ok()) << r.message.toStdString();
            EXPECT_EQ(r.format, FormatImage::bmp);
            compare(r.image, 5, 4, [](int x, int y) { return en555(motif(x, y)); });
        }
}

TEST_F(Decodage, BmpPaletteDepths) {
    for (int bits : {1, 4, 8}) {
        const int n = 1 << bits;
        Bmp b;
        b.largeur = 13;  // not a multiple of 8: partial bytes at the end of rows
        b.hauteur = 3;
        b.bits = bits;
        b.couleurs = test::palette(n);
        auto index = [&](int x, int y) { return (x + 3 * y) % n; };
        b.ligne = [&](int y) {
            std::vector<int> v;
            for (int x = 0; x < 13; ++x) v.push_back(index(x, y));
            return test::indexes(v, bits);
        };
        const ImageDecodee r = decode_image(ecrit("p.bmp", b.octets()));
        ASSERT_TRUE(r.ok()) << bits << ": " << r.message.toStdString();
        compare(r.image, 13, 3, [&](int x, int y) { return en555(b.couleurs[index(x, y)]); });
    }
}

TEST_F(Decodage, BmpIndexBeyondAShortPaletteIsBlack) {
    Bmp b;
    b.largeur = 4;
    b.hauteur = 1;
    b.bits = 8;
    b.couleurs = {qRgb(255, 0, 0), qRgb(0, 255, 0)};
    b.ligne = [](int) { return std::string("\x00\x01\xc8\xff", 4); };
    const ImageDecodee r = decode_image(ecrit("p.bmp", b.octets()));
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(pixel(r.image, 0, 0), rgb555(255, 0, 0));
    EXPECT_EQ(pixel(r.image, 1, 0), rgb555(0, 255, 0));
    EXPECT_EQ(pixel(r.image, 2, 0), 0);
    EXPECT_EQ(pixel(r.image, 3, 0), 0);
}

TEST_F(Decodage, BmpSixteenBitsAndBitFields) {
    auto mot16 = [](std::string& s, std::uint32_t v) { test::pose16(s, v); };
    {  // 5-5-5 words with the unused top bit set by a careless writer
        Bmp b;
        b.largeur = 3;
        b.hauteur = 2;
        b.bits = 16;
        b.ligne = [&](int y) {
            std::string s;
            for (int x = 0; x < 3; ++x) mot16(s, 0x8000u | en555(motif(x, y)));
            return s;
        };
        const ImageDecodee r = decode_image(ecrit("a.bmp", b.octets()));
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        compare(r.image, 3, 2, [](int x, int y) { return en555(motif(x, y)); });
    }
    {  // 5-6-5 bit fields
        Bmp b;
        b.largeur = 3;
        b.hauteur = 2;
        b.bits = 16;
        b.compression = 3;
        b.masques[0] = 0xF800, b.masques[1] = 0x07E0, b.masques[2] = 0x001F;
        b.ligne = [&](int y) {
            std::string s;
            for (int x = 0; x < 3; ++x) {
                const QRgb c = motif(x, y);
                mot16(s, ((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3));
            }
            return s;
        };
        const ImageDecodee r = decode_image(ecrit("b.bmp", b.octets()));
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        compare(r.image, 3, 2, [](int x, int y) { return en555(motif(x, y)); });
    }
    {  // 10-10-10 fields in a V5 header: the generic path
        Bmp b;
        b.largeur = 3;
        b.hauteur = 2;
        b.bits = 32;
        b.compression = 3;
        b.taille_info = 124;
        b.masques[0] = 0x3FF00000, b.masques[1] = 0x000FFC00, b.masques[2] = 0x000003FF;
        b.ligne = [&](int y) {
            std::string s;
            for (int x = 0; x < 3; ++x) {
                const QRgb c = motif(x, y);
                test::pose32(s, (std::uint32_t(qRed(c)) << 22) | (std::uint32_t(qGreen(c)) << 12) |
                                    (std::uint32_t(qBlue(c)) << 2));
            }
            return s;
        };
        const ImageDecodee r = decode_image(ecrit("c.bmp", b.octets()));
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        compare(r.image, 3, 2, [](int x, int y) { return en555(motif(x, y)); });
    }
}

TEST_F(Decodage, BmpOs2CoreHeader) {
    Bmp b;
    b.taille_info = 12;
    b.largeur = 6;
    b.hauteur = 2;
    b.bits = 8;
    b.couleurs = test::palette(256);
    b.ligne = [](int y) { return std::string{static_cast<char>(y), 1, 2, 3, 4, static_cast<char>(200)}; };
    const ImageDecodee r = decode_image(ecrit("os2.bmp", b.octets()));
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(pixel(r.image, 0, 1), en555(b.couleurs[1]));
    EXPECT_EQ(pixel(r.image, 5, 0), en555(b.couleurs[200]));
}

TEST_F(Decodage, BmpRunLengthEncoded) {
    const std::vector<QRgb> couleurs = test::palette(16);
    const std::uint16_t fond = en555(couleurs[0]);
    {  // RLE8: a run, an absolute run with its pad byte, end of line, a delta, end of bitmap
        Bmp b;
        b.largeur = 6;
        b.hauteur = 3;
        b.bits = 8;
        b.compression = 1;
        b.couleurs = couleurs;
        b.donnees = std::string("\x03\x05" "\x00\x03\x07\x08\x09\x00" "\x00\x00"
                                "\x00\x02\x02\x01" "\x02\x0b" "\x00\x01", 18);
        const ImageDecodee r = decode_image(ecrit("r8.bmp", b.octets()));
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        const std::vector<std::vector<int>> attendu = {
            {0, 0, 11, 11, 0, 0},   // after the delta (+2, +1) from the start of the middle row
            {0, 0, 0, 0, 0, 0},     // skipped: palette entry 0
            {5, 5, 5, 7, 8, 9},     // bottom row first
        };
        compare(r.image, 6, 3, [&](int x, int y) { return en555(couleurs[attendu[y][x]]); });
    }
    {  // RLE4: alternating nibbles in runs and in an absolute run of odd length
        Bmp b;
        b.largeur = 7;
        b.hauteur = 1;
        b.bits = 4;
        b.compression = 2;
        b.couleurs = couleurs;
        b.donnees = std::string("\x04\x12" "\x00\x03\x34\x50" "\x00\x01", 8);
        const ImageDecodee r = decode_image(ecrit("r4.bmp", b.octets()));
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        const int attendu[] = {1, 2, 1, 2, 3, 4, 5};
        compare(r.image, 7, 1, [&](int x, int) { return en555(couleurs[attendu[x]]); });
    }
    {  // runs longer than the row and deltas far outside are clipped, not written
        Bmp b;
        b.largeur = 2;
        b.hauteur = 2;
        b.bits = 8;
        b.compression = 1;
        b.couleurs = couleurs;
        b.donnees = std::string("\xff\x03" "\x00\x02\xff\xff" "\x00\x02\xff\xff" "\x00\x01", 12);
        const ImageDecodee r = decode_image(ecrit("r.bmp", b.octets()));
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        EXPECT_EQ(pixel(r.image, 1, 1), en555(couleurs[3]));
        EXPECT_EQ(pixel(r.image, 1, 0), fond);
    }
}

TEST_F(Decodage, JpegColourGreyAndCmyk) {
    const int l = 48, h = 32;
    // Flat 8×8 blocks survive compression almost intact.
    auto bloc = [](int x, int y) { return motif(x / 8 * 8, y / 8 * 8); };
    auto compare_jpeg = [&](const QImage& image, const std::function<QRgb(int, int)>& attendu) {
        ASSERT_EQ(image.format(), QImage::Format_RGB555);
        ASSERT_EQ(image.size(), QSize(l, h));
        int pire = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < l; ++x)
                if (x % 8 > 1 && x % 8 < 6 && y % 8 > 1 && y % 8 < 6)
                    pire = std::max(pire, ecart(pixel(image, x, y), attendu(x, y)));
        EXPECT_LE(pire, 24);
    };
    {
        const QString c = chemin("couleur.jpg");
        ASSERT_TRUE(test::ecrit_jpeg_brut(c, l, h, JCS_RGB, 3, [&](int y) {
            std::string s;
            for (int x = 0; x < l; ++x) s += {char(qRed(bloc(x, y))), char(qGreen(bloc(x, y))), char(qBlue(bloc(x, y)))};
            return s;
        }));
        const ImageDecodee r = decode_image(c);
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        EXPECT_EQ(r.format, FormatImage::jpeg);
        compare_jpeg(r.image, bloc);
    }
    {
        const QString c = chemin("gris.jpg");
        ASSERT_TRUE(test::ecrit_jpeg_brut(c, l, h, JCS_GRAYSCALE, 1, [&](int y) {
            std::string s;
            for (int x = 0; x < l; ++x) s += char(qRed(bloc(x, y)));
            return s;
        }));
        const ImageDecodee r = decode_image(c);
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        compare_jpeg(r.image, [&](int x, int y) { const int g = qRed(bloc(x, y)); return qRgb(g, g, g); });
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < l; ++x) {
                const std::uint16_t p = pixel(r.image, x, y);
                ASSERT_TRUE(rouge555(p) == vert555(p) && vert555(p) == bleu555(p));
            }
    }
    {
        // libjpeg marks CMYK files as Adobe's, whose samples are inverted (255 = no ink).
        const QString c = chemin("cmjn.jpg");
        auto encres = [&](int x, int y) {
            const QRgb q = bloc(x, y);
            return std::array<int, 4>{qRed(q), qGreen(q), qBlue(q), 255 - (x / 16) * 60};
        };
        ASSERT_TRUE(test::ecrit_jpeg_brut(c, l, h, JCS_CMYK, 4, [&](int y) {
            std::string s;
            for (int x = 0; x < l; ++x)
                for (int v : encres(x, y)) s += char(v);
            return s;
        }));
        const ImageDecodee r = decode_image(c);
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        compare_jpeg(r.image, [&](int x, int y) {
            const auto e = encres(x, y);
            return qRgb(e[0] * e[3] / 255, e[1] * e[3] / 255, e[2] * e[3] / 255);
        });
    }
}

TEST_F(Decodage, JpegMatchesLibjpegAccurateDecodeExactly) {
    // libjpeg itself, with the accurate integer DCT and the decoder's other settings, is the
    // reference: the 15-bit image must hold exactly its RGB truncated to 5 bits (any width, so
    // both the 8-pixel steps and the tail of each row are checked). Fine hatching at quality
    // 100 is where the fast DCT drifts by a 5-bit step.
    const int l = 61, h = 43;
    auto hachure = [](int x, int y) { return (x + y) % 3 == 0 ? qRgb(40, 60, 30) : motif(x, y) | 0xC0C0C0; };
    for (const int qualite : {80, 100}) {
        const QString c = chemin(QStringLiteral("ref%1.jpg").arg(qualite));
        ASSERT_TRUE(test::ecrit_jpeg_brut(c, l, h, JCS_RGB, 3, [&](int y) {
            std::string s;
            for (int x = 0; x < l; ++x) {
                const QRgb q = hachure(x, y);
                s += {char(qRed(q)), char(qGreen(q)), char(qBlue(q))};
            }
            return s;
        }, qualite));
        std::vector<std::string> lignes;
        {
            test::LectureJpeg j(c);
            ASSERT_TRUE(j.ok());
            j.demarre(JCS_RGB, JDCT_ISLOW);
            std::string tampon(static_cast<std::size_t>(l) * 3, '\0');
            while (j.d.output_scanline < j.d.output_height) {
                JSAMPROW r = reinterpret_cast<JSAMPROW>(tampon.data());
                jpeg_read_scanlines(&j.d, &r, 1);
                lignes.push_back(tampon);
            }
            jpeg_finish_decompress(&j.d);
        }

        const ImageDecodee r = decode_image(c);
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        ASSERT_EQ(r.image.size(), QSize(l, h));
        int differents = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < l; ++x) {
                const auto* p = reinterpret_cast<const unsigned char*>(lignes[y].data()) + 3 * x;
                differents += pixel(r.image, x, y) != rgb555(p[0], p[1], p[2]);
            }
        EXPECT_EQ(differents, 0) << "quality " << qualite;
    }
}

TEST_F(Decodage, TiffLayouts) {
    const int l = 11, h = 17;
    auto rgb = [&](int y, int bits, int echantillons) {
        std::string s;
        for (int x = 0; x < l; ++x) {
            const QRgb c = motif(x, y);
            const int canaux[] = {qRed(c), qGreen(c), qBlue(c), 200};
            for (int i = 0; i < echantillons; ++i) {
                const int v = canaux[i];
                if (bits == 16) test::pose16(s, static_cast<std::uint32_t>(v * 257));
                else s += static_cast<char>(v);
            }
        }
        return s;
    };
    auto verifie = [&](const test::Tiff& t, const QString& nom) {
        const QString c = chemin(nom);
        ASSERT_TRUE(t.ecrit(c));
        const ImageDecodee r = decode_image(c);
        ASSERT_TRUE(r.ok()) << nom.toStdString() << ": " << r.message.toStdString();
        EXPECT_EQ(r.format, FormatImage::tiff);
        compare(r.image, l, h, [](int x, int y) { return en555(motif(x, y)); });
    };
    test::Tiff t;
    t.largeur = l;
    t.hauteur = h;
    t.ligne = [&](int y) { return rgb(y, 8, 3); };
    verifie(t, "bandes.tif");  // several LZW strips of 7 rows
    t.compression = COMPRESSION_NONE;
    t.lignes_par_bande = static_cast<std::uint32_t>(h);
    verifie(t, "une_bande.tif");
    t.echantillons = 4;  // RGB + alpha: alpha ignored
    t.ligne = [&](int y) { return rgb(y, 8, 4); };
    verifie(t, "alpha.tif");
    t.echantillons = 3;
    t.bits = 16;
    t.ligne = [&](int y) { return rgb(y, 16, 3); };
    verifie(t, "seize.tif");
    t.bits = 8;
    t.tuile = 16;  // libtiff's RGBA path, tile by tile, edge tiles partial
    t.ligne = [&](int y) { return rgb(y, 8, 3); };
    verifie(t, "tuiles.tif");
    for (const char* mode : {"w8", "w8b"}) {  // BigTIFF, both byte orders, strips and tiles
        t.mode = mode;
        for (const std::uint32_t tuile : {0u, 16u}) {
            t.tuile = tuile;
            verifie(t, "big.tif");
            EXPECT_EQ(test::lit_octets(chemin("big.tif")).substr(0, 4),
                      std::string(mode[2] ? "MM\0+" : "II+\0", 4));
        }
    }
}

TEST_F(Decodage, TiffJpegCompressedYCbCr) {
    // What many scanners write: JPEG inside TIFF, in YCbCr, rows in strips of 16.
    const int l = 48, h = 32;
    auto bloc = [](int x, int y) { return motif(x / 8 * 8, y / 8 * 8); };
    test::Tiff t;
    t.largeur = l;
    t.hauteur = h;
    t.photometrie = PHOTOMETRIC_YCBCR;
    t.compression = COMPRESSION_JPEG;
    t.lignes_par_bande = 16;
    t.ligne = [&](int y) {
        std::string s;
        for (int x = 0; x < l; ++x) s += {char(qRed(bloc(x, y))), char(qGreen(bloc(x, y))), char(qBlue(bloc(x, y)))};
        return s;
    };
    const QString c = chemin("jpeg.tif");
    ASSERT_TRUE(t.ecrit(c));
    const ImageDecodee r = decode_image(c);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    ASSERT_EQ(r.image.size(), QSize(l, h));
    for (int y = 2; y < h; y += 8)
        for (int x = 2; x < l; x += 8) EXPECT_LE(ecart(pixel(r.image, x + 2, y + 2), bloc(x, y)), 24);
}

TEST_F(Decodage, TiffPaletteGreyAndCmyk) {
    const int l = 9, h = 5;
    const std::vector<QRgb> couleurs = test::palette(256);
    {
        for (int bits : {4, 8}) {
            test::Tiff t;
            t.largeur = l;
            t.hauteur = h;
            t.photometrie = PHOTOMETRIC_PALETTE;
            t.bits = static_cast<std::uint16_t>(bits);
            t.echantillons = 1;
            for (int i = 0; i < (1 << bits); ++i) {
                t.carte[0].push_back(static_cast<std::uint16_t>(qRed(couleurs[i]) * 257));
                t.carte[1].push_back(static_cast<std::uint16_t>(qGreen(couleurs[i]) * 257));
                t.carte[2].push_back(static_cast<std::uint16_t>(qBlue(couleurs[i]) * 257));
            }
            auto index = [&](int x, int y) { return (x * 3 + y) % (1 << bits); };
            t.ligne = [&](int y) {
                std::vector<int> v;
                for (int x = 0; x < l; ++x) v.push_back(index(x, y));
                return test::indexes(v, bits);
            };
            const QString c = chemin("palette.tif");
            ASSERT_TRUE(t.ecrit(c));
            const ImageDecodee r = decode_image(c);
            ASSERT_TRUE(r.ok()) << r.message.toStdString();
            compare(r.image, l, h, [&](int x, int y) { return en555(couleurs[index(x, y)]); });
        }
    }
    {  // 1-bit min-is-white: 0 is white
        test::Tiff t;
        t.largeur = l;
        t.hauteur = h;
        t.photometrie = PHOTOMETRIC_MINISWHITE;
        t.bits = 1;
        t.echantillons = 1;
        t.compression = COMPRESSION_CCITTFAX4;
        t.ligne = [&](int y) {
            std::vector<int> v;
            for (int x = 0; x < l; ++x) v.push_back((x + y) % 2);
            return test::indexes(v, 1);
        };
        const QString c = chemin("fax.tif");
        ASSERT_TRUE(t.ecrit(c));
        const ImageDecodee r = decode_image(c);
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        compare(r.image, l, h, [](int x, int y) { return (x + y) % 2 ? 0 : 0x7FFF; });
    }
    {  // CMYK ink: cyan only gives (0, 255, 255)
        test::Tiff t;
        t.largeur = l;
        t.hauteur = h;
        t.photometrie = PHOTOMETRIC_SEPARATED;
        t.echantillons = 4;
        t.ligne = [&](int) {
            std::string s;
            for (int x = 0; x < l; ++x) s += std::string{char(255), 0, 0, char(x == 0 ? 255 : 0)};
            return s;
        };
        const QString c = chemin("cmjn.tif");
        ASSERT_TRUE(t.ecrit(c));
        const ImageDecodee r = decode_image(c);
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        compare(r.image, l, h, [](int x, int) { return x == 0 ? 0 : rgb555(0, 255, 255); });
    }
}

TEST_F(Decodage, TiffPaletteOfAnyDepthUpToEightBitsReadsEveryPixel) {
    // Indexes of 3, 5, 6 or 7 bits straddle bytes; 13 columns leave a partial last byte.
    const int l = 13, h = 3;
    const std::vector<QRgb> couleurs = test::palette(256);
    for (int bits = 1; bits <= 8; ++bits) {
        SCOPED_TRACE(std::to_string(bits) + " bits");
        test::Tiff t;
        t.largeur = l;
        t.hauteur = h;
        t.photometrie = PHOTOMETRIC_PALETTE;
        t.bits = static_cast<std::uint16_t>(bits);
        t.echantillons = 1;
        for (int i = 0; i < (1 << bits); ++i) {
            t.carte[0].push_back(static_cast<std::uint16_t>(qRed(couleurs[i]) * 257));
            t.carte[1].push_back(static_cast<std::uint16_t>(qGreen(couleurs[i]) * 257));
            t.carte[2].push_back(static_cast<std::uint16_t>(qBlue(couleurs[i]) * 257));
        }
        auto index = [&](int x, int y) { return (x * 5 + y * 3 + 1) % (1 << bits); };
        t.ligne = [&](int y) {
            std::string s((l * bits + 7) / 8, '\0');
            for (int x = 0; x < l; ++x)
                for (int b = 0; b < bits; ++b)
                    if (index(x, y) >> (bits - 1 - b) & 1) {
                        const int bit = x * bits + b;
                        s[bit / 8] = static_cast<char>(s[bit / 8] | 0x80 >> bit % 8);
                    }
            return s;
        };
        ASSERT_TRUE(t.ecrit(chemin("palette.tif")));
        const ImageDecodee r = decode_image(chemin("palette.tif"));
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        compare(r.image, l, h, [&](int x, int y) { return en555(couleurs[index(x, y)]); });
    }
}

TEST_F(Decodage, TiffAlphaIsIgnoredInEveryLayoutAsInPng) {
    // Transparent and half-transparent pixels show their stored colour, never blended on black,
    // whichever of libtiff's readers the layout needs; Qt's PNG path does the same.
    const int l = 19, h = 13;
    auto alpha = [](int x, int y) { return std::array{0, 128, 255}[(x + 2 * y) % 3]; };
    auto rgba = [&](int y, int bits) {
        std::string s;
        for (int x = 0; x < l; ++x) {
            const QRgb c = motif(x, y);
            for (const int v : {qRed(c), qGreen(c), qBlue(c), alpha(x, y)}) {
                if (bits == 16) test::pose16(s, static_cast<std::uint32_t>(v * 257));
                else s += static_cast<char>(v);
            }
        }
        return s;
    };
    struct Cas {
        const char* nom;
        std::uint32_t tuile;
        std::uint16_t plans, bits, alpha;
    };
    const Cas cas[] = {
        {"bandes.tif", 0, PLANARCONFIG_CONTIG, 8, EXTRASAMPLE_UNASSALPHA},
        {"tuiles.tif", 16, PLANARCONFIG_CONTIG, 8, EXTRASAMPLE_UNASSALPHA},
        {"tuiles16.tif", 16, PLANARCONFIG_CONTIG, 16, EXTRASAMPLE_UNASSALPHA},
        {"plans.tif", 0, PLANARCONFIG_SEPARATE, 8, EXTRASAMPLE_UNASSALPHA},
        {"plans16.tif", 0, PLANARCONFIG_SEPARATE, 16, EXTRASAMPLE_UNASSALPHA},
        {"plans_tuiles.tif", 16, PLANARCONFIG_SEPARATE, 8, EXTRASAMPLE_UNASSALPHA},
        {"tuiles_associe.tif", 16, PLANARCONFIG_CONTIG, 8, EXTRASAMPLE_ASSOCALPHA},
        {"plans_associe.tif", 0, PLANARCONFIG_SEPARATE, 8, EXTRASAMPLE_ASSOCALPHA},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.nom);
        test::Tiff t;
        t.largeur = l;
        t.hauteur = h;
        t.echantillons = 4;
        t.tuile = k.tuile;
        t.plans = k.plans;
        t.bits = k.bits;
        t.alpha = k.alpha;
        t.ligne = [&](int y) { return rgba(y, k.bits); };
        ASSERT_TRUE(t.ecrit(chemin(k.nom)));
        const ImageDecodee r = decode_image(chemin(k.nom));
        ASSERT_TRUE(r.ok()) << r.message.toStdString();
        compare(r.image, l, h, [](int x, int y) { return en555(motif(x, y)); });
    }
    QImage png(l, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) png.setPixel(x, y, (motif(x, y) & 0xFFFFFF) | QRgb(alpha(x, y)) << 24);
    ASSERT_TRUE(png.save(chemin("alpha.png"), "PNG"));
    const ImageDecodee r = decode_image(chemin("alpha.png"));
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    compare(r.image, l, h, [](int x, int y) { return en555(motif(x, y)); });
}

TEST_F(Decodage, TiffOrientationTagIsIgnoredForEveryValue) {
    // Rows and columns as stored, as JPEG's EXIF orientation is: the calibration absorbs a turn
    // or a mirror. Not square, so that a turn would show in the size.
    const int l = 11, h = 17;
    test::Tiff t;
    t.largeur = l;
    t.hauteur = h;
    t.ligne = [&](int y) {
        std::string s;
        for (int x = 0; x < l; ++x) s += {char(qRed(motif(x, y))), char(qGreen(motif(x, y))), char(qBlue(motif(x, y)))};
        return s;
    };
    for (std::uint16_t orientation = ORIENTATION_TOPLEFT; orientation <= ORIENTATION_LEFTBOT; ++orientation)
        for (const std::uint32_t tuile : {0u, 16u}) {  // strips of 7 rows, then tiles
            SCOPED_TRACE("orientation " + std::to_string(orientation) + ", tile " + std::to_string(tuile));
            t.orientation = orientation;
            t.tuile = tuile;
            ASSERT_TRUE(t.ecrit(chemin("tourne.tif")));
            const ImageDecodee r = decode_image(chemin("tourne.tif"));
            ASSERT_TRUE(r.ok()) << r.message.toStdString();
            compare(r.image, l, h, [](int x, int y) { return en555(motif(x, y)); });
        }
}

TEST_F(Decodage, GifInterlacedFrameOnLargerScreen) {
    const std::vector<QRgb> couleurs = test::palette(16);
    test::Gif g;
    g.ecran_l = 12, g.ecran_h = 23;
    g.gauche = 2, g.haut = 1, g.largeur = 7, g.hauteur = 21;  // rows in every interlace pass
    g.entrelace = true;
    g.fond = 15;
    g.couleurs = couleurs;
    g.extension_transparence = true;
    g.index = [](int x, int y) { return (x + y * 2) % 15; };
    const QString c = chemin("carte.gif");
    ASSERT_TRUE(g.ecrit(c));
    const ImageDecodee r = decode_image(c);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(r.format, FormatImage::gif);
    compare(r.image, 12, 23, [&](int x, int y) {
        const int fx = x - 2, fy = y - 1;
        if (fx < 0 || fy < 0 || fx >= 7 || fy >= 21) return en555(couleurs[15]);
        return en555(couleurs[g.index(fx, fy)]);  // index 0 is transparent: ignored
    });

    g.entrelace = false;  // the frame beyond the screen grows the canvas
    g.ecran_l = 4, g.ecran_h = 4;
    ASSERT_TRUE(g.ecrit(c));
    const ImageDecodee r2 = decode_image(c);
    ASSERT_TRUE(r2.ok()) << r2.message.toStdString();
    EXPECT_EQ(r2.image.size(), QSize(9, 22));
    EXPECT_EQ(pixel(r2.image, 8, 21), en555(couleurs[g.index(6, 20)]));
}

TEST_F(Decodage, PngThroughQt) {
    QImage source(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) source.setPixel(x, y, motif(x, y) & (x == 0 ? 0x00FFFFFF : 0xFFFFFFFF));
    const QString c = chemin("image.png");
    ASSERT_TRUE(source.save(c, "PNG"));
    const ImageDecodee r = decode_image(c);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(r.format, FormatImage::png);
    ASSERT_EQ(r.image.format(), QImage::Format_RGB555);
    for (int y = 0; y < 5; ++y)
        for (int x = 1; x < 7; ++x) EXPECT_LE(ecart(pixel(r.image, x, y), motif(x, y)), 8);
}

// ---- The decoder is chosen by content, never by name -------------------------------------

TEST_F(Decodage, ContentDecidesNotTheName) {
    Bmp b;
    b.largeur = 2;
    b.hauteur = 2;
    b.ligne = [](int y) { return ligne_bgr(2, y, 3); };
    const ImageDecodee bmp_en_jpg = decode_image(ecrit("carte.jpg", b.octets()));
    ASSERT_TRUE(bmp_en_jpg.ok()) << bmp_en_jpg.message.toStdString();
    EXPECT_EQ(bmp_en_jpg.format, FormatImage::bmp);

    ASSERT_TRUE(QDir(dossier.path()).mkpath("scan.jpg"));
    const QString dans_dossier_jpg = dossier.filePath("scan.jpg/plan.bmp");
    test::ecrit_octets(dans_dossier_jpg, b.octets());
    EXPECT_EQ(decode_image(dans_dossier_jpg).format, FormatImage::bmp);

    const QString photo = chemin("photo.jpeg");
    ASSERT_TRUE(test::ecrit_jpeg_brut(photo, 8, 8, JCS_GRAYSCALE, 1, [](int) { return std::string(8, 'x'); }));
    const ImageDecodee jpeg = decode_image(photo);
    ASSERT_TRUE(jpeg.ok()) << jpeg.message.toStdString();
    EXPECT_EQ(jpeg.format, FormatImage::jpeg);
    const QString tif = chemin("sans_extension");
    ASSERT_TRUE(QFile::copy(photo, tif));
    EXPECT_EQ(decode_image(tif).format, FormatImage::jpeg);
}

TEST_F(Decodage, FilesThatAreNotImages) {
    const QString absent = chemin("absent.jpg");
    ImageDecodee r = decode_image(absent);
    EXPECT_EQ(r.echec, EchecImage::introuvable);
    EXPECT_EQ(r.message, "Impossible de lire l'image " + absent + " : fichier introuvable");
    EXPECT_TRUE(r.image.isNull());

    ASSERT_TRUE(QDir(dossier.path()).mkpath("x.jpg"));
    r = decode_image(chemin("x.jpg"));
    EXPECT_EQ(r.echec, EchecImage::dossier);
    EXPECT_EQ(r.message, "Impossible de lire l'image " + chemin("x.jpg") +
                             " : le chemin désigne un dossier, pas un fichier");

    r = decode_image(ecrit("vide.bmp", ""));
    EXPECT_EQ(r.echec, EchecImage::vide);
    EXPECT_EQ(r.message, "Impossible de lire l'image " + chemin("vide.bmp") + " : fichier vide");

    r = decode_image(ecrit("texte.bmp", "Bonjour, ceci n'est pas une image"));
    EXPECT_EQ(r.echec, EchecImage::format_inconnu);
    EXPECT_EQ(r.message, "Impossible de lire l'image " + chemin("texte.bmp") +
                             " : format d'image non reconnu (JPEG, BMP, TIFF, GIF ou PNG attendu)");

    // One byte of a signature is not a signature.
    EXPECT_EQ(decode_image(ecrit("b.bmp", "B")).echec, EchecImage::format_inconnu);
    EXPECT_EQ(decode_image(ecrit("b.bmp", "\xFF\xD8")).echec, EchecImage::format_inconnu);
}

// ---- Damaged files: a message, never a crash (also run under ASan) ----------------------

class Endommages : public Decodage {
protected:
    // A valid small file of each format, as bytes.
    std::vector<std::pair<QString, std::string>> echantillons() {
        std::vector<std::pair<QString, std::string>> v;
        Bmp b;
        b.largeur = 9;
        b.hauteur = 7;
        b.ligne = [](int y) { return ligne_bgr(9, y, 3); };
        v.emplace_back("BMP", b.octets());
        Bmp p = b;
        p.bits = 8;
        p.couleurs = test::palette(256);
        p.ligne = [](int y) { return std::string(9, static_cast<char>(y * 30)); };
        v.emplace_back("BMP", p.octets());
        Bmp rle = p;
        rle.compression = 1;
        rle.donnees = std::string("\x09\x01\x00\x00\x00\x04\x01\x02\x03\x04\x05\x07\x00\x00\x02\x05\x00\x01", 18);
        rle.hauteur = 2;
        v.emplace_back("BMP", rle.octets());

        const QString j = chemin("s.jpg");
        test::ecrit_jpeg_brut(j, 40, 24, JCS_RGB, 3, [](int y) { return ligne_bgr(40, y, 3); });
        v.emplace_back("JPEG", test::lit_octets(j));

        test::Tiff t;
        t.largeur = 9;
        t.hauteur = 7;
        t.lignes_par_bande = 2;
        t.ligne = [](int y) { return ligne_bgr(9, y, 3); };
        const QString tf = chemin("s.tif");
        t.ecrit(tf);
        v.emplace_back("TIFF", test::lit_octets(tf));
        t.tuile = 16;
        t.ecrit(tf);
        v.emplace_back("TIFF", test::lit_octets(tf));
        t.mode = "w8";  // BigTIFF in separate planes
        t.plans = PLANARCONFIG_SEPARATE;
        t.ecrit(tf);
        v.emplace_back("TIFF", test::lit_octets(tf));

        test::Gif g;
        g.ecran_l = g.largeur = 9;
        g.ecran_h = g.hauteur = 7;
        g.entrelace = true;
        g.couleurs = test::palette(8);
        g.index = [](int x, int y) { return (x * y) % 8; };
        const QString gf = chemin("s.gif");
        g.ecrit(gf);
        v.emplace_back("GIF", test::lit_octets(gf));

        QImage png(9, 7, QImage::Format_RGB32);
        png.fill(Qt::darkCyan);
        const QString pf = chemin("s.png");
        png.save(pf, "PNG");
        v.emplace_back("PNG", test::lit_octets(pf));
        return v;
    }
};

TEST_F(Endommages, EveryTruncationGivesAMessage) {
    for (const auto& [format, octets] : echantillons()) {
        ASSERT_TRUE(decode_image(ecrit("entier", octets)).ok()) << format.toStdString();
        // Cuts after the signature, inside headers, palettes and data; the last byte too.
        for (std::size_t n = 8; n < octets.size(); n += (n < 64 ? 1 : n < 400 ? 5 : 61)) {
            const QString c = ecrit("coupe", octets.substr(0, n));
            const ImageDecodee r = decode_image(c);
            if (r.ok()) continue;  // some cuts only remove trailing bytes a decoder never needs
            EXPECT_TRUE(r.image.isNull());
            EXPECT_TRUE(r.message.startsWith("Impossible de lire l'image " + c + " : "))
                << r.message.toStdString();
        }
    }
}

TEST_F(Endommages, TruncationThatLosesPixelsIsAnError) {
    for (const auto& [format, octets] : echantillons()) {
        const QString c = ecrit("moitie", octets.substr(0, octets.size() / 2));
        const ImageDecodee r = decode_image(c);
        ASSERT_FALSE(r.ok()) << format.toStdString();
        EXPECT_EQ(r.echec, EchecImage::endommage) << format.toStdString();
        EXPECT_TRUE(r.message.startsWith("Impossible de lire l'image " + c + " : fichier " + format +
                                         " tronqué ou endommagé"))
            << r.message.toStdString();
    }
    // The exact text of the most common case.
    const auto jpeg = echantillons()[3].second;
    const QString c = ecrit("coupe.jpg", jpeg.substr(0, jpeg.size() - 40));
    EXPECT_EQ(decode_image(c).message,
              "Impossible de lire l'image " + c + " : fichier JPEG tronqué ou endommagé");
}

TEST_F(Endommages, CorruptBytesNeverCrash) {
    std::uint32_t graine = 12345;
    auto hasard = [&] { return graine = graine * 1103515245u + 12345u, graine >> 8; };
    for (const auto& [format, octets] : echantillons()) {
        for (int essai = 0; essai < 60; ++essai) {
            std::string abime = octets;
            const int n = 1 + static_cast<int>(hasard() % 6);
            for (int k = 0; k < n; ++k) {
                // Mostly the headers, where lengths and sizes live.
                const std::size_t zone = hasard() % 2 ? std::min<std::size_t>(abime.size(), 160) : abime.size();
                abime[8 + hasard() % (zone - 8)] = static_cast<char>(hasard());
            }
            const ImageDecodee r = decode_image(ecrit("abime", abime), {.pixels_max = 4'000'000});
            if (!r.ok()) {
                EXPECT_FALSE(r.message.isEmpty());
                EXPECT_TRUE(r.image.isNull());
            } else {
                EXPECT_EQ(r.image.format(), QImage::Format_RGB555);
            }
        }
    }
}

// ---- The pixel cap ---------------------------------------------------------------------

TEST_F(Decodage, HugeHeadersAreRefusedBeforeAllocating) {
    // A BMP header claiming 100000 × 100000 pixels in a file of a few bytes.
    Bmp b;
    b.largeur = 100000;
    b.hauteur = 100000;
    b.bits = 1;
    b.couleurs = test::palette(2);
    b.donnees = "x";
    const QString c = ecrit("enorme.bmp", b.octets());
    ImageDecodee r = decode_image(c);
    EXPECT_EQ(r.echec, EchecImage::trop_grande);
    EXPECT_EQ(r.message, "L'image " + c + " est trop grande : 100000 x 100000 pixels (limite : 400 mégapixels)");

    // Within the cap, a short file is found short before 800 MB are reserved for it.
    b.largeur = 20000;
    b.hauteur = 20000;
    r = decode_image(ecrit("court.bmp", b.octets()));
    EXPECT_EQ(r.echec, EchecImage::endommage);

    // A JPEG frame header patched to 65000 × 65000.
    const QString j = chemin("petit.jpg");
    ASSERT_TRUE(test::ecrit_jpeg_brut(j, 16, 16, JCS_GRAYSCALE, 1, [](int) { return std::string(16, 'a'); }));
    std::string octets = test::lit_octets(j);
    const std::size_t sof = octets.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    octets.replace(sof + 5, 4, "\xFD\xE8\xFD\xE8");
    r = decode_image(ecrit("enorme.jpg", octets));
    EXPECT_EQ(r.echec, EchecImage::trop_grande);
    EXPECT_TRUE(r.message.contains("65000 x 65000 pixels")) << r.message.toStdString();

    // A GIF frame of 65535 × 65535.
    test::Gif g;
    g.ecran_l = g.largeur = 65535;
    g.ecran_h = g.hauteur = 1;
    g.couleurs = test::palette(2);
    g.index = [](int, int) { return 0; };
    ASSERT_TRUE(g.ecrit(chemin("large.gif")));
    octets = test::lit_octets(chemin("large.gif"));
    octets[8] = octets[9] = '\xFF';  // the screen's height
    const std::size_t desc = octets.find(',');
    octets[desc + 7] = octets[desc + 8] = '\xFF';  // the frame's height
    r = decode_image(ecrit("enorme.gif", octets));
    EXPECT_EQ(r.echec, EchecImage::trop_grande) << r.message.toStdString();
}

TEST_F(Decodage, TheCapIsSettable) {
    Bmp b;
    b.largeur = 100;
    b.hauteur = 50;
    b.ligne = [](int y) { return ligne_bgr(100, y, 3); };
    const QString c = ecrit("a.bmp", b.octets());
    EXPECT_TRUE(decode_image(c, {.pixels_max = 5000}).ok());
    ImageDecodee r = decode_image(c, {.pixels_max = 4999});
    EXPECT_EQ(r.echec, EchecImage::trop_grande);
    EXPECT_EQ(r.message, "L'image " + c + " est trop grande : 100 x 50 pixels (limite : 4999 pixels)");

    const std::int64_t avant = limite_pixels();
    fixe_limite_pixels(2'000'000);
    EXPECT_EQ(OptionsDecodage{}.pixels_max, 2'000'000);
    fixe_limite_pixels(avant);

    // Every decoder consults it before allocating.
    test::Tiff t;
    t.largeur = 100, t.hauteur = 50;
    t.ligne = [](int y) { return ligne_bgr(100, y, 3); };
    ASSERT_TRUE(t.ecrit(chemin("a.tif")));
    EXPECT_EQ(decode_image(chemin("a.tif"), {.pixels_max = 4999}).echec, EchecImage::trop_grande);
    test::Gif g;
    g.ecran_l = g.largeur = 100, g.ecran_h = g.hauteur = 50;
    g.couleurs = test::palette(2);
    g.index = [](int, int) { return 1; };
    ASSERT_TRUE(g.ecrit(chemin("a.gif")));
    EXPECT_EQ(decode_image(chemin("a.gif"), {.pixels_max = 4999}).echec, EchecImage::trop_grande);
    ASSERT_TRUE(ecrit_jpeg(decode_image(c).image, chemin("a.jpg")).ok());
    EXPECT_EQ(decode_image(chemin("a.jpg"), {.pixels_max = 4999}).echec, EchecImage::trop_grande);
    ASSERT_TRUE(QImage(100, 50, QImage::Format_RGB32).save(chemin("a.png")));
    EXPECT_EQ(decode_image(chemin("a.png"), {.pixels_max = 4999}).echec, EchecImage::trop_grande);
}

TEST_F(Decodage, UnsupportedVariantsAreNamed) {
    Bmp b;
    b.largeur = 2;
    b.hauteur = 2;
    b.bits = 24;
    b.compression = 4;  // a JPEG inside a bitmap
    b.donnees = "xxxx";
    const QString c = ecrit("jpeg_dans.bmp", b.octets());
    ImageDecodee r = decode_image(c);
    EXPECT_EQ(r.echec, EchecImage::non_pris_en_charge);
    EXPECT_EQ(r.message, "Impossible de lire l'image " + c +
                             " : BMP contenant du JPEG : variante non prise en charge");
    b.compression = 0;
    b.bits = 2;
    b.couleurs = test::palette(4);
    b.donnees.clear();
    b.ligne = [](int) { return std::string(1, '\x1b'); };
    EXPECT_EQ(decode_image(ecrit("deux.bmp", b.octets())).echec, EchecImage::non_pris_en_charge);
    b.bits = 24;
    b.largeur = 0;
    r = decode_image(ecrit("zero.bmp", b.octets()));
    EXPECT_EQ(r.echec, EchecImage::dimensions);
    EXPECT_TRUE(r.message.endsWith("dimensions invalides (0 x 2 pixels)")) << r.message.toStdString();
}
