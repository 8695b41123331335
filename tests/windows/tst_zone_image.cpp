// The image area paints its view straight into the window's image: what reaches the screen
// must be exactly the sampled view with its marks, and only inside the part being painted.
#include "windows/principale/carte/scroll_image.h"

#include <QPainter>
#include <QTest>

using namespace vuv;

namespace {

constexpr QRgb temoin = 0xFFFF00FF;

QImage calque_de_test() {
    QImage c(500, 400, QImage::Format_RGB555);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) c.setPixel(x, y, qRgb((x * 7) & 0xFF, (y * 5) & 0xFF, (x + y) & 0xFF));
    return c;
}

void avec_marques(ZoneImage& z) {
    z.bascule({ZoneImage::Marque::Genre::segment, QPoint(10, 10), QPoint(300, 200), Qt::blue, 1});
    z.bascule({ZoneImage::Marque::Genre::croix, QPoint(250, 120), QPoint(), Qt::red, 1});
}

} // namespace

class TestZoneImage : public QObject {
    Q_OBJECT

private slots:
    // Zoomed in, one to one and zoomed out (the reduced copy), with and without marks.
    void unePartiePeinteEgaleLaComposition_data() {
        QTest::addColumn<QRect>("vue");
        QTest::newRow("agrandie") << QRect(100, 80, 75, 50);
        QTest::newRow("un pour un") << QRect(-20, -10, 300, 200);
        QTest::newRow("réduite") << QRect(-200, -150, 900, 600);
    }
    void unePartiePeinteEgaleLaComposition() {
        QFETCH(QRect, vue);
        const QImage calque = calque_de_test();
        ZoneImage z;
        z.resize(300, 200);
        z.montre(calque, Rect{vue.left(), vue.top(), vue.right(), vue.bottom()});
        avec_marques(z);
        const QImage attendue = z.composition();
        QCOMPARE(attendue.size(), QSize(300, 200));

        // The area at (40, 30) of a bigger window image; only two rectangles are painted.
        QImage fenetre(400, 300, QImage::Format_RGB32);
        fenetre.fill(temoin);
        const QRegion region = QRegion(10, 5, 120, 60) + QRegion(200, 150, 100, 50);
        {
            QPainter p(&fenetre);
            p.translate(40, 30);
            p.setClipRegion(region); // as the paint event's clip
            z.peint(p, region);
        }
        for (int y = 0; y < fenetre.height(); ++y)
            for (int x = 0; x < fenetre.width(); ++x) {
                const QPoint q(x - 40, y - 30);
                const QRgb vu = fenetre.pixel(x, y);
                if (region.contains(q))
                    QVERIFY2(vu == attendue.pixel(q), qPrintable(QStringLiteral("%1,%2").arg(q.x()).arg(q.y())));
                else
                    QCOMPARE(vu, temoin);
            }
    }

    // A painter that scales cannot take the pixels directly: it draws the composition.
    void unPeintreQuiAgranditDessineLaComposition() {
        const QImage calque = calque_de_test();
        ZoneImage z;
        z.resize(300, 200);
        z.montre(calque, Rect{0, 0, 299, 199});
        avec_marques(z);
        QImage direct(600, 400, QImage::Format_RGB32), attendu(600, 400, QImage::Format_RGB32);
        {
            QPainter p(&direct);
            p.scale(2, 2);
            z.peint(p, QRegion(0, 0, 300, 200));
        }
        {
            QPainter p(&attendu);
            p.scale(2, 2);
            p.drawImage(0, 0, z.composition());
        }
        QCOMPARE(direct, attendu);
    }

    void uneCaptureMontreCeQueVoitLUtilisateur() {
        const QImage calque = calque_de_test();
        ZoneImage z;
        z.resize(300, 200);
        z.montre(calque, Rect{-200, -150, 699, 449});
        avec_marques(z);
        QCOMPARE(z.grab().toImage().convertToFormat(QImage::Format_RGB32), z.composition());
        z.oublie_calque();
        const QImage vide = z.grab().toImage();
        QCOMPARE(vide.pixelColor(150, 100), z.couleur_fond());
    }

    // The overlay is read when painting: a drawing made since shows at the next paint.
    void leCalqueEstLuAuMomentDePeindre() {
        QImage calque = calque_de_test();
        ZoneImage z;
        z.resize(300, 200);
        z.montre(calque, Rect{0, 0, 299, 199});
        calque.setPixel(5, 5, qRgb(255, 255, 255)); // in place: same image object
        z.montre(calque, Rect{0, 0, 299, 199});
        QCOMPARE(z.grab().toImage().pixel(5, 5), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TestZoneImage)
#include "tst_zone_image.moc"
