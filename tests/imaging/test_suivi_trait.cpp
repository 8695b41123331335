// Tracing lines of a map the test draws: antialiased roads of three colours, contour lines, a
// dashed track, labels over lines, crossings from 20 to 90 degrees; clean, then through our own
// JPEG encoder and decoder at quality 90 and 60.
#include "core/pixels/SuiviTrait.h"
#include "imaging/DecodageImage.h"
#include "imaging/EncodageImage.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

namespace {

using vuv::PointTrait;

// Each line is traced once, between clicks at the fractions `de` and `a` of its length.
struct Ligne {
    const char* nom;
    QColor couleur;
    double largeur;
    std::vector<PointTrait> centre; // dense, 0.5 px apart at most
    double de = 0.02, a = 0.98;
    bool tirets = false;
};

std::vector<PointTrait> courbe(int n, const std::function<PointTrait(double)>& f) {
    std::vector<PointTrait> p;
    for (int i = 0; i <= n; ++i) p.push_back(f(double(i) / n));
    return p;
}

// An arc from angle `de` to `a_deg`, degrees.
std::vector<PointTrait> ellipse(double cx, double cy, double a, double b, double de, double a_deg) {
    return courbe(3000, [=](double t) {
        const double th = (de + (a_deg - de) * t) * M_PI / 180;
        return PointTrait{cx + a * std::cos(th), cy + b * std::sin(th)};
    });
}
std::vector<PointTrait> droite(double x0, double y0, double x1, double y1) {
    return courbe(3000, [=](double t) { return PointTrait{x0 + (x1 - x0) * t, y0 + (y1 - y0) * t}; });
}

// In drawing order: a line is cut where a later one crosses it.
const std::vector<Ligne>& lignes() {
    static const std::vector<Ligne> l = {
        {"route_rouge_7px", QColor(200, 30, 30), 7, courbe(3000, [](double t) {
             const double x = 40 + 720 * t;
             return PointTrait{x, 150 + 40 * std::sin(x / 70)};
         })},
        {"route_bleue_5px_etiquette", QColor(30, 70, 200), 5, droite(60, 560, 740, 220)},
        {"courbe_1_5px", QColor(150, 90, 40), 1.5, ellipse(260, 360, 200, 120, 200, 340)},
        {"courbe_1px", QColor(150, 90, 40), 1, ellipse(260, 360, 240, 150, 190, 350)},
        {"trait_vert_2px_20deg", QColor(40, 150, 60), 2, droite(100, 470, 740, 396)},
        {"route_orange_3px", QColor(230, 140, 0), 3, courbe(3000, [](double t) {
             const double y = 20 + 560 * t;
             return PointTrait{420 + 25 * std::sin(y / 90), y};
         })},
        {"piste_tiretee", QColor(60, 60, 60), 2, droite(60, 40, 760, 280), 0.005, 0.9995, true},
    };
    return l;
}

// Labels over lines: a haloed one on the blue road, a bare one on the red road.
const QRectF etiquettes[] = {QRectF(552, 262, 18, 10), QRectF(640, 178, 20, 9)};

QImage dessine_carte() {
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(QColor(246, 240, 226));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0.5, 0.5); // pixel (i, j) is the point (i, j), as the tracer counts
    for (const Ligne& l : lignes()) {
        QPen stylo(l.couleur, l.largeur, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
        if (l.tirets) stylo.setDashPattern({5, 2.5}); // in pen widths: 10 px on, 5 off
        p.setPen(stylo);
        QPainterPath chemin(QPointF(l.centre[0].x, l.centre[0].y));
        for (const PointTrait& q : l.centre) chemin.lineTo(q.x, q.y);
        p.drawPath(chemin);
    }
    p.setPen(Qt::NoPen);
    p.fillRect(etiquettes[0], QColor(255, 255, 255));
    for (const QRectF& e : etiquettes)
        for (double x = e.left() + 1; x < e.right() - 1; x += 4) p.fillRect(QRectF(x, e.top() + 1, 2, e.height() - 2), Qt::black);
    return img;
}

// The map as the program holds it: clean, or through a JPEG file of the given quality.
const QImage& carte(int qualite) {
    static std::map<int, QImage> faites;
    if (faites.count(qualite)) return faites[qualite];
    const QImage c = dessine_carte();
    if (qualite == 0) return faites[qualite] = c.convertToFormat(QImage::Format_RGB555);
    const QTemporaryDir d;
    EXPECT_TRUE(vuv::ecrit_jpeg(c, d.filePath("carte.jpg"), qualite).ok());
    return faites[qualite] = vuv::decode_image(d.filePath("carte.jpg")).image;
}

// To the nearest sample: at most 0.13 px more than to the line itself.
double distance_a(const std::vector<PointTrait>& l, PointTrait q) {
    double m = 1e9;
    for (const PointTrait& c : l) m = std::min(m, std::hypot(q.x - c.x, q.y - c.y));
    return m;
}

struct Cas {
    std::size_t ligne;
    int qualite; // 0: no JPEG
};

class SuiviTraitCorpus : public ::testing::TestWithParam<Cas> {};

TEST_P(SuiviTraitCorpus, theTracedPointsFollowTheCentreAndStepOverCrossings) {
    const Cas c = GetParam();
    const QImage& img = carte(c.qualite);
    const vuv::VuePixels v{const_cast<std::uint8_t*>(img.constBits()), img.width(), img.height(),
                           img.bytesPerLine(), vuv::FormatPixels::rgb555};
    const Ligne& l = lignes()[c.ligne];
    const auto i0 = std::size_t(l.de * double(l.centre.size() - 1)), i1 = std::size_t(l.a * double(l.centre.size() - 1));
    const int x0 = int(std::lround(l.centre[i0].x)), y0 = int(std::lround(l.centre[i0].y)),
              x1 = int(std::lround(l.centre[i1].x)), y1 = int(std::lround(l.centre[i1].y));
    const vuv::ReglagesSuivi r;
    const vuv::ResultatSuivi res = vuv::suit_trait(v, vuv::couleur_sous(v, x0, y0), x0, y0, x1, y1, r);
    ASSERT_TRUE(res.ok()) << res.message;

    double pire = 0;
    int sur_croisement = 0;
    for (const PointTrait& q : res.points) {
        pire = std::max(pire, distance_a(l.centre, q));
        for (std::size_t k = c.ligne + 1; k < lignes().size(); ++k)
            if (distance_a(lignes()[k].centre, q) < lignes()[k].largeur / 2) ++sur_croisement;
        for (const QRectF& e : etiquettes)
            if (e.contains(q.x, q.y)) ++sur_croisement;
    }
    const std::size_t minimum =
        vuv::simplifie({l.centre.begin() + long(i0), l.centre.begin() + long(i1) + 1}, r.tolerance_simplification).size();
    std::printf("[corpus] %-26s q%-2d  %3zu points (fewest %3zu)  worst %.2f px  %d px of path\n", l.nom,
                c.qualite, res.points.size(), minimum, pire, res.pixels);
    EXPECT_LE(pire, 1.0);
    EXPECT_EQ(sur_croisement, 0);
    EXPECT_LE(res.points.size(), 2 * minimum);
}

std::vector<Cas> corpus() {
    std::vector<Cas> v;
    for (int q : {0, 90, 60})
        for (std::size_t k = 0; k < lignes().size(); ++k) v.push_back({k, q});
    return v;
}

INSTANTIATE_TEST_SUITE_P(Carte, SuiviTraitCorpus, ::testing::ValuesIn(corpus()), [](const auto& i) {
    return std::string(lignes()[i.param.ligne].nom) + "_q" + std::to_string(i.param.qualite);
});

} // namespace
