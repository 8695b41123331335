// The splash screen: its look, the hourglass while it stands, closing on a mouse move and
// hiding once the main window has taken the activation.
#include "windows/demarrage/Splash.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

using namespace vuv;

class TestSplash : public QObject {
    Q_OBJECT

private slots:
    void init() { TSplashForm::attente_ms = 0; }
    void aspect();
    void sablier_puis_fleche();
    void fermee_par_un_mouvement_de_souris();
    void cachee_apres_la_perte_d_activation();
};

void TestSplash::aspect() {
    TSplashForm s;
    QCOMPARE(s.size(), QSize(418, 345));
    const QRect e = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(s.pos(), QPoint((e.width() - 418) / 2, (e.height() - 345) / 2));
    QVERIFY(s.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(s.windowFlags() & Qt::WindowStaysOnTopHint);
    const QImage im = s.grab().toImage();
    QCOMPARE(im.pixelColor(200, 95), QColor(255, 150, 100));
    // The raised bevel: light top-left edge, dark bottom-right edge.
    QVERIFY(im.pixelColor(0, 100).lightness() > im.pixelColor(417, 100).lightness());
    QVERIFY(s.close());
}

void TestSplash::sablier_puis_fleche() {
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    {
        TSplashForm premier;
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        TSplashForm second; // one screen cursor: no second layer
        second.close();
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        premier.close();
    }
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void TestSplash::fermee_par_un_mouvement_de_souris() {
    TSplashForm s;
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QMouseEvent e(QEvent::MouseMove, QPointF(50, 50), QPointF(s.mapToGlobal(QPoint(50, 50))), Qt::NoButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&s, &e);
    QVERIFY(!s.isVisible());
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void TestSplash::cachee_apres_la_perte_d_activation() {
    TSplashForm s;
    s.show();
    QWidget autre;
    autre.show();
    s.activateWindow();
    QTRY_VERIFY(s.isActiveWindow());
    QVERIFY(s.a_ete_active());
    autre.activateWindow();
    QTRY_VERIFY(!s.isVisible());
    s.close();
}

QTEST_MAIN(TestSplash)
#include "tst_splash.moc"
