// The grid over the sample map: off at first, through the menu and F6, where the calibration
// puts round coordinates, and never in the overlay that is saved.
#include "tests/support/CarteExemple.h"

#include "core/vue/Quadrillage.h"
#include "windows/principale/grille/TraceQuadrillage.h"

#include <QAction>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

namespace {

int pixels_grille(const QImage& im, QRect zone) {
    int n = 0;
    zone &= im.rect();
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x) n += im.pixelColor(x, y) == TraceQuadrillage::couleur();
    return n;
}

} // namespace

class TestQuadrillage : public QObject {
    Q_OBJECT

private slots:
    void suitLeCalageEtResteHorsDuCalque() {
        CarteExemple c;
        QAction* a = c.f->quadrillage->action();
        ZoneImage* zone = c.f->Image1;
        QVERIFY(!a->isChecked());
        QCOMPARE(pixels_grille(zone->grab().toImage(), zone->rect()), 0);

        a->trigger();
        QVERIFY(a->isChecked());
        const QImage vu = zone->grab().toImage();
        // The step from the map extent of the view, as the grid picks it.
        const Rect v = c.f->calque.vue.vue();
        long double X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
        c.d->repere_carte(v.x0, v.y0, X0, Y0);
        c.d->repere_carte(v.x1 + 1, v.y1 + 1, X1, Y1);
        const double sx = double(zone->width()) / v.largeur(), sy = double(zone->height()) / v.hauteur();
        const long double pas = pas_quadrillage(std::hypot(X1 - X0, Y1 - Y0) /
                                                std::hypot(zone->width(), double(zone->height())));
        QVERIFY(pas > 0);
        const long double X = std::ceil(std::min(X0, X1) / pas) * pas + pas;
        const long double Y = std::ceil(std::min(Y0, Y1) / pas) * pas + pas;
        const auto ecran = [&](long double A, long double B) {
            int x = 0, y = 0;
            c.d->repere_image(A, B, x, y);
            return QPoint(int(std::lround((x - v.x0) * sx)), int(std::lround((y - v.y0) * sy)));
        };
        for (const long double t : {0.25L, 0.5L, 0.75L}) {
            const QPoint px = ecran(X, Y + t * pas), py = ecran(X + t * pas, Y);
            QVERIFY2(pixels_grille(vu, QRect(px - QPoint(2, 2), QSize(5, 5))) > 0, "ligne X ronde absente");
            QVERIFY2(pixels_grille(vu, QRect(py - QPoint(2, 2), QSize(5, 5))) > 0, "ligne Y ronde absente");
        }
        const QPoint milieu = ecran(X + pas / 2, Y + pas / 2);
        QCOMPARE(pixels_grille(vu, QRect(milieu - QPoint(15, 15), QSize(31, 31))), 0);
        QCOMPARE(pixels_grille(c.f->calque.image, c.f->calque.image.rect()), 0);

        QTest::keyClick(c.f, Qt::Key_F6);
        QVERIFY(!a->isChecked());
        QCOMPARE(pixels_grille(zone->grab().toImage(), zone->rect()), 0);
        QTest::keyClick(c.f, Qt::Key_F6);
        QVERIFY(a->isChecked());
    }
};

QTEST_MAIN(TestQuadrillage)
#include "tst_quadrillage.moc"
