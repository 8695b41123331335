// The grid over the sample map: off at first, through the menu and F5, where the calibration
// puts round coordinates, and never in the overlay that is saved.
#include "tests/support/TravailCarte.h"

#include "core/document/Document.h"
#include "core/vue/Quadrillage.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/grille/TraceQuadrillage.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QTest>

#include <cmath>

using namespace vuv;
using namespace vuv::test;

static int pixels_grille(const QImage& im, QRect zone) {
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x) n += im.pixelColor(x, y) == TraceQuadrillage::couleur();
    return n;
}

class TestQuadrillage : public QObject {
    Q_OBJECT

private slots:
    void suitLeCalageEtResteHorsDuCalque() {
        TravailCarte c(0, TravailCarte::Depart::carte_exemple);
        QAction* a = c.f1().quadrillage->action();
        ZoneImage* zone = c.f1().Image1;
        QVERIFY(!a->isChecked());
        QCOMPARE(pixels_grille(zone->grab().toImage(), zone->rect()), 0);
        a->trigger();
        QVERIFY(a->isChecked());
        const QImage vu = zone->grab().toImage();
        // The step from the map extent of the view, as the grid picks it.
        const Rect v = c.f1().calque.vue.vue();
        long double X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
        c.doc().repere_carte(v.x0, v.y0, X0, Y0);
        c.doc().repere_carte(v.x1 + 1, v.y1 + 1, X1, Y1);
        const long double pas = pas_quadrillage(std::hypot(X1 - X0, Y1 - Y0) / std::hypot(v.largeur(), v.hauteur()));
        const long double X = (std::ceil(std::min(X0, X1) / pas) + 1) * pas;
        const long double Y = (std::ceil(std::min(Y0, Y1) / pas) + 1) * pas;
        const auto ecran = [&](long double A, long double B) {
            int x = 0, y = 0;
            c.doc().repere_image(A, B, x, y);
            return QPoint(x - v.x0, y - v.y0) - QPoint(2, 2); // one screen pixel per image pixel
        };
        for (const long double t : {0.25L, 0.5L, 0.75L}) {
            QVERIFY(pixels_grille(vu, QRect(ecran(X, Y + t * pas), QSize(5, 5))) > 0);
            QVERIFY(pixels_grille(vu, QRect(ecran(X + t * pas, Y), QSize(5, 5))) > 0);
        }
        QCOMPARE(pixels_grille(vu, QRect(ecran(X + pas / 2, Y + pas / 2) - QPoint(13, 13), QSize(31, 31))), 0);
        QCOMPARE(pixels_grille(c.f1().calque.image, c.f1().calque.image.rect()), 0);
        c.touche(Qt::Key_F5);
        QVERIFY(!a->isChecked());
        QCOMPARE(pixels_grille(zone->grab().toImage(), zone->rect()), 0);
    }
};

QTEST_MAIN(TestQuadrillage)
#include "tst_quadrillage.moc"
