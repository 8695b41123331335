// The map view and digitizing through the main window: keys, clicks, lines, deletion, the
// Ctrl click, tablet mode and the transient marks.
#include "support/Banc.h"

#include "core/document/Document.h"
#include "windows/scroll.h"
#include "windows/scroll2.h"
#include "windows/scroll_image.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

namespace {

// A started program with a white 1000 x 800 background, viewed one screen pixel per image
// pixel from the top-left corner, and calibrated on the unit frame.
struct Carte {
    DossierProgrammeTest dossier;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm1& f = *t->programme->Form1;
    Document& d = t->programme->document;

    explicit Carte(bool calibrer = true) {
        QImage fond(1000, 800, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        d.mess_3_calage_svp_et_init(false);
        un_pour_un();
        if (calibrer)
            for (QPoint p : {QPoint(100, 100), QPoint(100, 300), QPoint(400, 300)}) clic(p);
        t->port.oublie();
    }
    void un_pour_un() {
        f.calque.vue.fixe_vue({0, 0, f.Image1->width() - 1, f.Image1->height() - 1});
        f.redessiner();
    }
    // A mouse move exactly at p (QTest::mouseMove may land a pixel off through the cursor).
    void bouge(QPoint p) {
        QMouseEvent e(QEvent::MouseMove, p, f.Image1->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(f.Image1, &e);
    }
    void clic(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(f.Image1, b, Qt::NoModifier, p); }
    void touche(int k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(&f, Qt::Key(k), m); }
    QString cellule(const char* col, int row) const {
        return QString::fromStdString(d.StringGrid1.cell(d.indice_col(col), row));
    }
};

} // namespace

class TestCarte : public QObject {
    Q_OBJECT

private slots:
    void cliquesDigitalisentUneLigne() {
        Carte c;
        QVERIFY(c.f.Image1->width() > 450 && c.f.Image1->height() > 350);
        c.clic({250, 200});
        c.clic({300, 200});
        c.clic({350, 250});
        QCOMPARE(c.d.nb_points, 3);
        QCOMPARE(c.cellule("L", 3), QStringLiteral("  1"));
        QCOMPARE(c.cellule("X", 1), QStringLiteral("0.50000000"));
        QCOMPARE(c.cellule("x", 2), QStringLiteral("  300"));
        QCOMPARE(c.t->programme->Form2->Label8->text(), QStringLiteral("3 points"));
        QVERIFY(!c.d.sauve);
        const QColor milieu = c.f.calque.image.pixelColor(275, 200);
        QVERIFY2(milieu.red() > 200 && milieu.green() < 60, "points joined in Lignes mode");
        QCOMPARE(c.f.texte_statut(1), QStringLiteral("Suite 1  point 3 "));
    }

    void enModePointsRienNeLesRelie() {
        Carte c;
        c.f.Points1->trigger();
        c.clic({250, 200});
        c.clic({300, 200});
        QCOMPARE(c.f.calque.image.pixelColor(275, 200), QColor(Qt::white));
        QVERIFY(c.f.Image1->marques().empty());
    }

    void espaceCommenceUneLigneEtSuppressionRevientALaPrecedente() {
        Carte c;
        c.touche(Qt::Key_Space);
        QCOMPARE(c.t->port.nombre("bip"), 0); // no point: nothing, no beep
        c.clic({250, 200});
        c.clic({300, 200});
        QCOMPARE(c.d.nb_points, 2);
        c.touche(Qt::Key_Space);
        QCOMPARE(c.d.num_ligne, 2);
        QCOMPARE(c.d.StringGrid3.cell(3, 2), std::string("x"));
        c.clic({250, 260});
        QCOMPARE(c.cellule("L", 3), QStringLiteral("  2"));
        QCOMPARE(c.f.calque.image.pixelColor(275, 230), QColor(Qt::white)); // no segment across lines
        c.touche(Qt::Key_Delete);
        QCOMPARE(c.d.nb_points, 2);
        c.clic({350, 200});
        QCOMPARE(c.cellule("L", 3), QStringLiteral("  1"));
        const QColor joint = c.f.calque.image.pixelColor(325, 200);
        QVERIFY2(joint.red() > 200 && joint.green() < 60, "the next click continues line 1");
    }

    void ctrlDigitaliseSousLePointeur() {
        Carte c;
        c.bouge({220, 180});
        c.touche(Qt::Key_Control);
        QCOMPARE(c.d.nb_points, 1);
        QCOMPARE(c.cellule("x", 1), QStringLiteral("  220"));
    }

    void leClicQuiRameneLaFenetreNeDigitalisePas() {
        Carte c;
        c.f.ignore_clic_suivant = true;
        c.clic({250, 200});
        QCOMPARE(c.d.nb_points, 0);
        c.clic({250, 200});
        QCOMPARE(c.d.nb_points, 1);
    }

    void tableADigitaliser() {
        Carte c;
        c.f.Tabledigitaliser1->trigger();
        QVERIFY(!c.f.ScrollBar1->isEnabled());
        c.clic({250, 200});
        QCOMPARE(c.t->port.nombre("bip"), 1); // each point beeps in tablet mode
        c.clic({300, 200}, Qt::RightButton);
        QCOMPARE(c.d.num_ligne, 2);
        const Rect avant = c.f.calque.vue.vue();
        c.touche(Qt::Key_Right);
        QCOMPARE(c.f.calque.vue.vue(), avant); // keys stop in tablet mode
    }

    void calibrationEnTroisClics() {
        Carte c(false);
        c.clic({100, 100});
        QCOMPARE(c.d.nb_calage, 1);
        c.clic({100, 100});
        QCOMPARE(c.d.nb_calage, 1);
        QCOMPARE(c.t->port.nombre("bip"), 1);
        c.bouge({150, 150});
        QCOMPARE(c.f.texte_statut(1), QStringLiteral("Cliquer le DEUXIEME POINT DE CALAGE"));
        QVERIFY(c.f.Panel2->isVisible());
        c.clic({100, 300});
        c.clic({400, 300});
        QCOMPARE(c.d.nb_calage, 3);
        c.bouge({250, 200});
        QVERIFY(!c.f.Panel2->isVisible());
        QCOMPARE(c.f.texte_statut(0), QStringLiteral("X= 0.50000000 Y= 0.50000000"));
    }

    void zoomEtDeplacementAuClavier() {
        Carte c;
        c.f.calque.vue.carte_complete();
        c.f.redessiner();
        c.bouge({c.f.Image1->width() / 2, c.f.Image1->height() / 2});
        c.touche(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(c.f.calque.vue.vue().largeur(), 952);
        c.touche(Qt::Key_Plus); // the main keyboard's plus does not zoom
        QCOMPARE(c.f.calque.vue.vue().largeur(), 952);
        c.touche(Qt::Key_End);
        QCOMPARE(c.f.calque.vue.vue().x1, 999);
        c.t->port.oublie();
        c.touche(Qt::Key_Right);
        QCOMPARE(c.t->port.nombre("bip"), 1);
        QCOMPARE(c.f.calque.vue.vue().x1, 999);
        c.f.Cartecomplte1->trigger();
        QCOMPARE(c.f.calque.vue.vue(), (Rect{0, 0, 999, 799}));
    }

    void sansFondLesTouchesBipent() {
        DossierProgrammeTest dossier;
        auto t = demarre();
        QTest::keyClick(t->programme->Form1.get(), Qt::Key_Right);
        QCOMPARE(t->port.nombre("bip"), 1);
        QTest::mouseClick(t->programme->Form1->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(t->programme->document.nb_points, 0);
    }

    void surlignerDeuxFoisRendLaCarteIntacte() {
        Carte c;
        c.clic({250, 200});
        const QImage avant = c.f.Image1->composition();
        c.f.pointer_dans_form1(1);
        QVERIFY(c.f.Image1->composition() != avant);
        c.f.pointer_dans_form1(1);
        QCOMPARE(c.f.Image1->composition(), avant);
    }

    void lElastiqueSuitLaSouris() {
        Carte c;
        c.clic({250, 200});
        c.bouge({300, 250});
        QCOMPARE(c.f.Image1->marques().size(), std::size_t(1));
        QCOMPARE(c.f.Image1->marques()[0].b, QPoint(300, 250));
        c.f.Image1->grab().save(QStringLiteral("/tmp/vuviviva_carte.png"));
    }
};

QTEST_MAIN(TestCarte)
#include "tst_carte.moc"
