// The sample project against the map it was digitized on: the showcase a newcomer opens first
// must put its road on the road.
#include "core/document/Document.h"
#include "core/projet/Projet.h"
#include "imaging/DecodageImage.h"
#include "samples/CarteExemple.h"

#include <QLineF>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

class LigneCentrale {
public:
    explicit LigneCentrale(const QPainterPath& route) {
        constexpr int n = 20000;
        for (int i = 0; i <= n; ++i) points_.push_back(route.pointAtPercent(double(i) / n));
    }
    double distance(QPointF p) const {
        double d = std::numeric_limits<double>::max();
        for (std::size_t i = 1; i < points_.size(); ++i) {
            const QPointF a = points_[i - 1], ab = points_[i] - a;
            const double l2 = QPointF::dotProduct(ab, ab);
            const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / l2, 0.0, 1.0) : 0.0;
            d = std::min(d, QLineF(p, a + t * ab).length());
        }
        return d;
    }

private:
    std::vector<QPointF> points_;
};

int ecart_couleur(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

TEST(CarteExemple, LaRouteDuProjetEstSurLaRouteDessinee) {
    vuv::Document d;
    vuv::ActionsLecture sans_fenetres;
    ASSERT_EQ(vuv::lit_projet(d, VUVIVIVA_SAMPLES "/carte_exemple.trl", sans_fenetres), vuv::ResultatLecture::lu);
    const vuv::ImageDecodee carte = vuv::decode_image(QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.jpg"));
    ASSERT_TRUE(carte) << carte.message.toStdString();
    ASSERT_EQ(QSize(d.largeur_fond, d.hauteur_fond), carte.image.size());
    ASSERT_EQ(d.nb_calage, 3);
    ASSERT_GE(d.nb_points, 2);
    const LigneCentrale centre(vuv::exemple::route_nationale(carte.image.width(), carte.image.height()));

    std::vector<QPoint> pixels;
    for (int row = 1; row <= d.nb_points; ++row) {
        SCOPED_TRACE(row);
        vuv::LignePoint p;
        ASSERT_TRUE(d.liste_extrait_Lxy(row, p));
        EXPECT_EQ(p.L, 1);
        // The saved real coordinates, back to pixels through the calibration.
        int x = -1, y = -1;
        d.repere_image(p.X, p.Y, x, y);
        EXPECT_EQ(QPoint(x, y), QPoint(p.x, p.y));
        // On the centre line whether a pixel is read by its corner or by its centre.
        EXPECT_LE(centre.distance(QPointF(x, y)), 1.0);
        EXPECT_LE(centre.distance(QPointF(x + 0.5, y + 0.5)), 1.0);
        // Where the road shows, as the program shows the map.
        EXPECT_LE(ecart_couleur(carte.image.pixel(x, y), vuv::exemple::couleur_nationale), 24);
        pixels.emplace_back(x, y);
    }

    // The whole road, and the line drawn between the points stays well inside its 8 pixels.
    EXPECT_LE(pixels.front().x(), 4);
    EXPECT_GE(pixels.back().x(), carte.image.width() - 5);
    for (std::size_t i = 1; i < pixels.size(); ++i)
        for (double t = 0; t <= 1; t += 0.05)
            EXPECT_LE(centre.distance(QPointF(pixels[i - 1]) + t * QPointF(pixels[i] - pixels[i - 1])), 1.5)
                << "segment " << i;
}

} // namespace
