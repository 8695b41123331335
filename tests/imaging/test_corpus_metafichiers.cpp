// EMF and WMF files exported by a drawing program and an office suite (corpus_metafichiers,
// made by fabrique.py), against that drawing program's own pictures of them at 96 px/inch.
#include "core/coloriage/Coloriage.h"
#include "imaging/Metafichier.h"
#include "imaging/Pixels.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QImageReader>

#include <cstdlib>
#include <map>

using namespace vuv;

namespace {

const QDir corpus(QStringLiteral(CORPUS_METAFICHIERS));

// Text needs the application's fonts.
class AvecPolices : public ::testing::Environment {
public:
    void SetUp() override {
        if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char nom_[16] = "tests_imaging";
    char* argv_[2] = {nom_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};
[[maybe_unused]] const auto* const polices = ::testing::AddGlobalTestEnvironment(new AvecPolices);

// The filled colours of each drawing (its SVG source).
const std::map<QString, std::vector<QRgb>> remplissages = {
    {"polygones", {qRgb(0x20, 0x80, 0xff), qRgb(0xff, 0xa0, 0x00), qRgb(0x10, 0xa0, 0x40), qRgb(0xe0, 0x20, 0x20)}},
    {"courbes", {qRgb(0xd0, 0x40, 0x80)}},
    {"image", {qRgb(0xff, 0xe0, 0x00), qRgb(0x00, 0x80, 0x80)}},
    {"a0", {qRgb(0x30, 0x70, 0xd0), qRgb(0xf0, 0x80, 0x20)}},
    {"violets", {qRgb(160, 80, 190), qRgb(200, 50, 215)}},
};

// The drawing program's picture of `fichier`, whatever reader limit another test left.
QImage reference(const QString& fichier) {
    const int limite = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(0);
    QImage r(corpus.filePath(QString(fichier).replace('.', '_') + ".png"));
    QImageReader::setAllocationLimit(limite);
    return r.convertToFormat(QImage::Format_RGB32);
}

// Each 4 × 4 block averaged.
QImage reduite(const QImage& im) {
    QImage r(im.width() / 4, im.height() / 4, QImage::Format_RGB32);
    std::vector<int> s(static_cast<std::size_t>(r.width()) * 3);
    for (int y = 0; y < r.height(); ++y) {
        std::fill(s.begin(), s.end(), 0);
        for (int dy = 0; dy < 4; ++dy) {
            const auto* ligne = reinterpret_cast<const QRgb*>(im.constScanLine(4 * y + dy));
            for (int x = 0; x < 4 * r.width(); ++x) {
                int* c = &s[static_cast<std::size_t>(x / 4) * 3];
                c[0] += qRed(ligne[x]), c[1] += qGreen(ligne[x]), c[2] += qBlue(ligne[x]);
            }
        }
        auto* d = reinterpret_cast<QRgb*>(r.scanLine(y));
        for (int x = 0; x < r.width(); ++x) d[x] = qRgb(s[3 * x] / 16, s[3 * x + 1] / 16, s[3 * x + 2] / 16);
    }
    return r;
}

double part_eloignee(const QImage& a, const QImage& b) {
    const QImage ra = reduite(a), rb = reduite(b);
    const int l = std::min(ra.width(), rb.width()), h = std::min(ra.height(), rb.height());
    long loin = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) {
            const QRgb p = ra.pixel(x, y), q = rb.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 64 || std::abs(qGreen(p) - qGreen(q)) > 64 || std::abs(qBlue(p) - qBlue(q)) > 64)
                ++loin;
        }
    return static_cast<double>(loin) / (static_cast<double>(l) * h);
}

long compte(const QImage& im, QRgb c) {
    long n = 0;
    for (int y = 0; y < im.height(); ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(im.constScanLine(y));
        for (int x = 0; x < im.width(); ++x) n += (ligne[x] & 0xFFFFFF) == (c & 0xFFFFFF);
    }
    return n;
}

struct Cas {
    const char* fichier;
    double part_max;  // of pixels off by more than 64 after both are reduced 4 times
    const char* pourquoi = "";
};

// Font rendering: the drawing program's import sets the office suite's bold line about 4 mm
// above the baseline the file gives, and drops the WMF's "œ" and "€" (Windows-1252 0x9C, 0x80).
constexpr const char* police = "font rendering: bold line lifted, œ and € dropped by the reference";
const Cas cas[] = {
    {"a0_ink.emf", 0.03},      {"a0_lo.emf", 0.03},       {"a0_lo.wmf", 0.03},       {"courbes_ink.emf", 0.03},
    {"courbes_ink.wmf", 0.03}, {"courbes_lo.emf", 0.03},  {"courbes_lo.wmf", 0.03},  {"image_ink.emf", 0.03},
    {"image_ink.wmf", 0.03},   {"image_lo.emf", 0.03},    {"image_lo.wmf", 0.03},    {"lignes_ink.emf", 0.03},
    {"lignes_ink.wmf", 0.03},  {"lignes_lo.emf", 0.03},   {"lignes_lo.wmf", 0.03},   {"polygones_ink.emf", 0.03},
    {"polygones_ink.wmf", 0.03}, {"polygones_lo.emf", 0.03}, {"polygones_lo.wmf", 0.03},
    {"texte_ink.emf", 0.03},   {"texte_ink.wmf", 0.03},   {"texte_lo.emf", 0.10, police}, {"texte_lo.wmf", 0.10, police},
    {"violets_ink.emf", 0.03}, {"violets_ink.wmf", 0.03}, {"violets_lo.emf", 0.03},  {"violets_lo.wmf", 0.03},
};

class CorpusMetafichiers : public ::testing::TestWithParam<Cas> {};

} // namespace

TEST_P(CorpusMetafichiers, DrawnAsTheDrawingProgramDrawsIt) {
    const Cas& c = GetParam();
    const QString chemin = corpus.filePath(c.fichier);
    const Metafichier m = Metafichier::charge(chemin, 400'000'000);
    ASSERT_TRUE(m.ok()) << m.message().toStdString();
    EXPECT_EQ(m.non_dessines(), QString());
    const QImage ref = reference(c.fichier);
    ASSERT_FALSE(ref.isNull());
    EXPECT_LE(std::abs(m.largeur() - ref.width()), 1);
    EXPECT_LE(std::abs(m.hauteur() - ref.height()), 1);
    const QImage im = m.rasterise(ref.width(), ref.height(), Qt::white);
    EXPECT_LE(part_eloignee(im, ref), c.part_max) << c.pourquoi;
    const auto r = remplissages.find(QString(c.fichier).section('_', 0, 0));
    if (r == remplissages.end()) return;
    for (const QRgb couleur : r->second) {
        const long attendus = compte(ref, couleur), vus = compte(im, couleur);
        EXPECT_GT(attendus, 0) << std::hex << couleur;
        EXPECT_GE(vus, attendus * 97 / 100) << std::hex << couleur;
        EXPECT_LE(vus, attendus * 103 / 100 + 50) << std::hex << couleur;
    }
}

INSTANTIATE_TEST_SUITE_P(Exportes, CorpusMetafichiers, ::testing::ValuesIn(cas), [](const auto& i) {
    return QString(i.param.fichier).replace('.', '_').toStdString();
});

// The two purples stay two colours once on the 15-bit overlay, so the coloured-surface count
// measures each region alone, as large as in the drawing program's picture.
TEST(CorpusMetafichiersViolets, EachPurpleIsItsOwnRegion) {
    for (const char* f : {"violets_ink.emf", "violets_ink.wmf", "violets_lo.emf", "violets_lo.wmf"}) {
        SCOPED_TRACE(f);
        const Metafichier m = Metafichier::charge(corpus.filePath(f), 400'000'000);
        ASSERT_TRUE(m.ok());
        const QImage ref = reference(f);
        QImage im = m.rasterise(ref.width(), ref.height(), Qt::white).convertToFormat(QImage::Format_RGB555);
        const VuePixels v = vue_pixels(im);
        const CadreImage cadre{0, 0, im.width() - 1, im.height() - 1};
        for (const QRgb c : remplissages.at("violets")) {
            const double attendu = static_cast<double>(compte(ref, c));
            const auto bgr = static_cast<std::uint32_t>(qRed(c) | qGreen(c) << 8 | qBlue(c) << 16);
            EXPECT_NEAR(static_cast<double>(compte_couleur(v, cadre, rgb555_de_bgr(bgr)).nombre), attendu, attendu * 0.02);
        }
    }
}
