// Saving BMP and JPEG: formats, round trips, and saves that fail without harm.
#include "Generateurs.h"
#include "LimiteTaille.h"
#include "tests/support/LectureJpeg.h"

#include "imaging/DecodageImage.h"
#include "imaging/EncodageImage.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>

#include <jpeglib.h>
#include <sys/resource.h>

using namespace vuv;
using ::test::motif;
using ::test::pixel;

namespace {

class Encodage : public ::testing::Test {
protected:
    QString chemin(const QString& nom) const { return dossier.filePath(nom); }
    QTemporaryDir dossier;
};

QImage image555(int l, int h) {
    QImage image(l, h, QImage::Format_RGB555);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x)
            reinterpret_cast<std::uint16_t*>(image.scanLine(y))[x] = ::test::en555(motif(x, y));
    return image;
}

std::uint32_t le(const std::string& s, std::size_t i, int n) {
    std::uint32_t v = 0;
    for (int k = n - 1; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(s[i + k]);
    return v;
}

// The libjpeg tables of a file's first two quantization slots.
std::vector<std::vector<unsigned>> tables_du_fichier(const QString& chemin) {
    ::test::LectureJpeg j(chemin);
    std::vector<std::vector<unsigned>> t;
    for (int i = 0; i < 2; ++i) {
        t.emplace_back();
        if (j.ok() && j.d.quant_tbl_ptrs[i])
            for (unsigned v : j.d.quant_tbl_ptrs[i]->quantval) t.back().push_back(v);
    }
    return t;
}

std::vector<std::vector<unsigned>> tables_de_libjpeg(int qualite) {
    jpeg_compress_struct c{};
    jpeg_error_mgr e{};
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    c.in_color_space = JCS_RGB;
    c.input_components = 3;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, qualite, TRUE);
    std::vector<std::vector<unsigned>> t;
    for (int i = 0; i < 2; ++i) {
        t.emplace_back();
        for (unsigned v : c.quant_tbl_ptrs[i]->quantval) t.back().push_back(v);
    }
    jpeg_destroy_compress(&c);
    return t;
}


} // namespace

TEST_F(Encodage, Bmp555RoundTripIsExact) {
    const QImage source = image555(37, 23);  // odd width: rows padded to 4 bytes
    const QString c = chemin("carte.bmp");
    ASSERT_TRUE(ecrit_bmp(source, c).ok());
    const std::string octets = ::test::lit_octets(c);
    EXPECT_EQ(le(octets, 28, 2), 16u);  // bits per pixel
    EXPECT_EQ(le(octets, 30, 4), 0u);   // BI_RGB: 5-5-5
    EXPECT_EQ(static_cast<std::int32_t>(le(octets, 22, 4)), 23);  // bottom-up
    EXPECT_EQ(octets.size(), 54u + 76u * 23u);
    EXPECT_EQ(le(octets, 2, 4), octets.size());

    const ImageDecodee r = decode_image(c);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    EXPECT_EQ(r.image, source);
}

TEST_F(Encodage, BmpIndexedKeepsItsPalette) {
    // The blank tablet sheet is an 8-bit image.
    QImage feuille(21, 9, QImage::Format_Indexed8);
    const std::vector<QRgb> p = ::test::palette(5);
    feuille.setColorTable(QList<QRgb>(p.begin(), p.end()));
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 21; ++x) feuille.setPixel(x, y, static_cast<uint>((x + y) % 5));
    const QString c = chemin("feuille.bmp");
    ASSERT_TRUE(ecrit_bmp(feuille, c).ok());
    const std::string octets = ::test::lit_octets(c);
    EXPECT_EQ(le(octets, 28, 2), 8u);
    EXPECT_EQ(le(octets, 46, 4), 5u);  // colours used
    const ImageDecodee r = decode_image(c);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 21; ++x) ASSERT_EQ(pixel(r.image, x, y), ::test::en555(p[(x + y) % 5]));
}

TEST_F(Encodage, OtherFormatsBecome24BitBmp) {
    QImage source(70, 130, QImage::Format_ARGB32);  // more rows than one conversion band
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 70; ++x) source.setPixel(x, y, motif(x, y));
    const QString c = chemin("vraies.bmp");
    ASSERT_TRUE(ecrit_bmp(source, c).ok());
    EXPECT_EQ(le(::test::lit_octets(c), 28, 2), 24u);
    const ImageDecodee r = decode_image(c);
    ASSERT_TRUE(r.ok());
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 70; ++x) ASSERT_EQ(pixel(r.image, x, y), ::test::en555(motif(x, y)));
}

TEST_F(Encodage, JpegAtQuality90) {
    QImage source(64, 48, QImage::Format_RGB555);
    source.fill(QColor(200, 120, 40));
    const QString c = chemin("carte.jpg");
    ASSERT_TRUE(ecrit_jpeg(source, c).ok());
    EXPECT_EQ(tables_du_fichier(c), tables_de_libjpeg(90));
    EXPECT_NE(tables_du_fichier(c), tables_de_libjpeg(75));

    const ImageDecodee r = decode_image(c);
    ASSERT_TRUE(r.ok()) << r.message.toStdString();
    ASSERT_EQ(r.image.size(), source.size());
    const std::uint16_t attendu = pixel(source, 0, 0);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const std::uint16_t p = pixel(r.image, x, y);
            ASSERT_LE(std::abs(int(rouge555(p)) - int(rouge555(attendu))), 16);
            ASSERT_LE(std::abs(int(vert555(p)) - int(vert555(attendu))), 16);
            ASSERT_LE(std::abs(int(bleu555(p)) - int(bleu555(attendu))), 16);
        }

    // Grey and indexed images take their own paths into the encoder.
    QImage gris(9, 9, QImage::Format_Grayscale8);
    gris.fill(100);
    ASSERT_TRUE(ecrit_jpeg(gris, chemin("gris.jpg")).ok());
    const ImageDecodee g = decode_image(chemin("gris.jpg"));
    ASSERT_TRUE(g.ok());
    EXPECT_NEAR(rouge555(pixel(g.image, 4, 4)), 100, 8);
    QImage indexe(9, 9, QImage::Format_Indexed8);
    indexe.setColorTable({qRgb(0, 0, 255)});
    indexe.fill(0);
    ASSERT_TRUE(ecrit_jpeg(indexe, chemin("indexe.jpg")).ok());
    EXPECT_GE(bleu555(pixel(decode_image(chemin("indexe.jpg")).image, 4, 4)), 230u);
}

TEST_F(Encodage, TheExtensionChoosesTheEncoder) {
    const QImage image = image555(8, 8);
    ASSERT_TRUE(QDir(dossier.path()).mkpath("JPG"));
    ASSERT_TRUE(QDir(dossier.path()).mkpath("scan.jpg"));
    const std::pair<QString, std::string> cas[] = {
        {"JPG/plan.bmp", "BM"}, {"photo.jpeg", "\xFF\xD8"}, {"PHOTO.JPG", "\xFF\xD8"},
        {"x.JpEg", "\xFF\xD8"}, {"sans_point", "BM"}, {"carte.jpg.bmp", "BM"},
        {"plan.jpgx", "BM"}, {"scan.jpg/plan", "BM"},
    };
    for (const auto& [nom, signature] : cas) {
        const QString c = chemin(nom);
        ASSERT_TRUE(enregistre_image(image, c).ok()) << nom.toStdString();
        EXPECT_EQ(::test::lit_octets(c).substr(0, 2), signature) << nom.toStdString();
    }
}

TEST_F(Encodage, AFailedSaveLeavesThePreviousFileIntact) {
    const QString c = chemin("carte.bmp");
    const QImage grande = image555(300, 200);  // 120 KB
    for (const char* nom : {"carte.bmp", "carte.jpg"}) {
        const QString cible = chemin(nom);
        ::test::ecrit_octets(cible, "ancien contenu");
        ResultatEcriture r;
        {
            vuv::test::LimiteTaille limite(10000);
            r = enregistre_image(grande, cible);
        }
        ASSERT_FALSE(r.ok()) << nom;
        EXPECT_EQ(r.message, "Impossible d'enregistrer l'image " + cible +
                                 " : le fichier dépasse la taille permise ; le fichier existant "
                                 "n'a pas été modifié");
        EXPECT_EQ(::test::lit_octets(cible), "ancien contenu");
        EXPECT_TRUE(QDir(dossier.path()).entryList({"*.~enr"}, QDir::Files | QDir::Hidden).isEmpty())
            << "a temporary file was left behind";
    }
    // With room again, the same save replaces the file.
    ASSERT_TRUE(enregistre_image(grande, c).ok());
    EXPECT_EQ(decode_image(c).image, grande);
}

TEST_F(Encodage, SavesThatCannotStart) {
    const QImage image = image555(4, 4);
    const QString sans_dossier = chemin("absent/carte.bmp");
    EXPECT_EQ(ecrit_bmp(image, sans_dossier).message,
              "Impossible d'enregistrer l'image " + sans_dossier + " : le dossier n'existe pas");
    ASSERT_TRUE(QDir(dossier.path()).mkpath("x.jpg"));
    EXPECT_EQ(enregistre_image(image, chemin("x.jpg")).message,
              "Impossible d'enregistrer l'image " + chemin("x.jpg") + " : le chemin désigne un dossier");
    EXPECT_FALSE(ecrit_jpeg(QImage(), chemin("rien.jpg")).ok());
    EXPECT_FALSE(QFile::exists(chemin("rien.jpg")));
}

TEST_F(Encodage, AReplacedFileKeepsItsPermissions) {
    const QString c = chemin("p.bmp");
    ::test::ecrit_octets(c, "x");
    QFile::setPermissions(c, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(ecrit_bmp(image555(2, 2), c).ok());
    EXPECT_EQ(QFile::permissions(c) & (QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther),
              QFile::ReadOwner | QFile::WriteOwner);
}

// Quality 90 means libjpeg's own scaling of its standard tables, not some other encoder's.
TEST(EncodageJpeg, QuantizationTablesAreLibjpegsAtQuality90) {
    const QString chemin = QString::fromStdString(::testing::TempDir()) + QStringLiteral("qualite90.jpg");
    QImage image(64, 48, QImage::Format_RGB555);
    image.fill(QColor(120, 160, 200));
    ASSERT_TRUE(ecrit_jpeg(image, chemin).ok());

    const auto lues = tables_du_fichier(chemin);
    const auto reference = tables_de_libjpeg(90);
    for (std::size_t t = 0; t < 2; ++t) {
        ASSERT_EQ(lues[t].size(), std::size_t{DCTSIZE2}) << t;
        for (int i = 0; i < DCTSIZE2; ++i) EXPECT_EQ(lues[t][i], reference[t][i]) << t << "," << i;
    }
    std::remove(chemin.toLocal8Bit().constData());
}
