// Drawing on the overlay: points, segments, markers, crosses, and the rebuild from the tables.
#include "core/document/Digitalisation.h"
#include "tests/support/PortScripte.h"
#include "windows/principale/carte/Calque.h"

#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

using namespace vuv;

class TestCalque : public QObject {
    Q_OBJECT

    static bool rouge(const QImage& im, int x, int y) {
        const QColor c = im.pixelColor(x, y);
        return c.red() > 200 && c.green() < 60 && c.blue() < 60;
    }

    // A calibrated document with a white 400 x 300 background.
    void prepare(Document& d, Calque& c) {
        c.fond = QImage(400, 300, QImage::Format_RGB555);
        c.fond.fill(Qt::white);
        c.creer_calque_de_bitmap();
        d.mess_3_calage_svp_et_init(false);
        for (auto [x, y] : {std::pair{10, 10}, {10, 290}, {390, 290}})
            clic_digitaliser(d, x, y, MethodeCalage::trois_points, false);
    }

private slots:
    void segmentsJoinPointsOnlyInLinesMode() {
        PortScripte port_;
        PortInstalle installe(port_);
        Document d;
        Calque c;
        prepare(d, c);
        clic_digitaliser(d, 100, 150, MethodeCalage::trois_points, false);
        clic_digitaliser(d, 200, 150, MethodeCalage::trois_points, false);
        ReglagesTrace r;
        c.redessiner_calque(d, r);
        QVERIFY(rouge(c.image, 150, 150));
        QVERIFY(rouge(c.image, 100, 150 + 3)); // the dot is wider than the segment
        QCOMPARE(c.image.pixelColor(99, 149), QColor(0, 0, 0)); // marker
        QCOMPARE(c.image.pixelColor(99, 150), QColor(198, 198, 198)); // silver in 15 bits
        QCOMPARE(d.nb_points, 2);
        QCOMPARE(c.dernier_x, 200);

        r.mode_lignes = false;
        c.redessiner_calque(d, r);
        QVERIFY(!rouge(c.image, 150, 150));
        QVERIFY(rouge(c.image, 200, 153));
    }

    void aHiddenLineKeepsOnlyItsMarkers() {
        PortScripte port_;
        PortInstalle installe(port_);
        Document d;
        Calque c;
        prepare(d, c);
        clic_digitaliser(d, 100, 150, MethodeCalage::trois_points, false);
        clic_digitaliser(d, 200, 150, MethodeCalage::trois_points, false);
        d.StringGrid3.set_cell(3, 1, "");
        c.redessiner_calque(d, ReglagesTrace{});
        QVERIFY(!rouge(c.image, 150, 150));
        QVERIFY(!rouge(c.image, 100, 153));
        QCOMPARE(c.image.pixelColor(199, 149), QColor(0, 0, 0));
    }

    void crossesMarkTheCalibrationPoints() {
        PortScripte port_;
        PortInstalle installe(port_);
        Document d;
        Calque c;
        prepare(d, c);
        c.redessiner_calque(d, ReglagesTrace{});
        QVERIFY(rouge(c.image, 20, 290)); // right side of the square around (10, 290)
        QVERIFY(rouge(c.image, 385, 285)); // on a diagonal of (390, 290)

        ReglagesTrace nu;
        nu.sans_lignes = true;
        c.redessiner_calque(d, nu);
        QCOMPARE(c.image.pixelColor(20, 290), QColor(Qt::white));
    }

    void theNewLineFlagSurvivesARebuild() {
        PortScripte port_;
        PortInstalle installe(port_);
        Document d;
        Calque c;
        prepare(d, c);
        clic_digitaliser(d, 100, 100, MethodeCalage::trois_points, false);
        clic_digitaliser(d, 150, 100, MethodeCalage::trois_points, false);
        nouvelle_suite_de_points(d);
        clic_digitaliser(d, 100, 200, MethodeCalage::trois_points, false);
        d.nouvelle_ligne = true;
        c.redessiner_calque(d, ReglagesTrace{});
        QVERIFY(d.nouvelle_ligne);
        QVERIFY2(!rouge(c.image, 125, 150), "no segment between two lines");
    }

    // An edit redraws a zone; the pixels must be those of a whole rebuild, whatever crosses it.
    void aZoneRedrawMatchesAWholeRebuild_data() {
        QTest::addColumn<bool>("lignes");
        QTest::addColumn<QRect>("zone");
        QTest::newRow("segments through the zone") << true << QRect(120, 120, 60, 60);
        QTest::newRow("points only") << false << QRect(120, 120, 60, 60);
        QTest::newRow("zone past the edge") << true << QRect(350, 250, 200, 200);
    }
    void aZoneRedrawMatchesAWholeRebuild() {
        QFETCH(bool, lignes);
        QFETCH(QRect, zone);
        PortScripte port_;
        PortInstalle installe(port_);
        Document d;
        Calque c;
        prepare(d, c);
        for (auto [x, y] : {std::pair{100, 100}, {300, 250}, {150, 140}, {380, 280}}) clic_digitaliser(d, x, y, MethodeCalage::trois_points, false);
        nouvelle_suite_de_points(d);
        for (auto [x, y] : {std::pair{100, 250}, {200, 100}}) clic_digitaliser(d, x, y, MethodeCalage::trois_points, false);
        ReglagesTrace r;
        r.mode_lignes = lignes;
        c.redessiner_calque(d, r);
        // The overlay, stale inside the zone only, then the zone redrawn.
        QPainter(&c.image).fillRect(zone, Qt::blue);
        c.redessiner_zone(d, r, zone);
        const QImage partiel = c.image.copy();
        c.redessiner_calque(d, r);
        QCOMPARE(partiel, c.image);
        QCOMPARE(c.dernier_x, 200);
    }
};

QTEST_MAIN(TestCalque)
#include "tst_calque.moc"
