// The map view and digitizing through the main window: keys, clicks, lines, deletion, the
// Ctrl click, tablet mode and the transient marks.
#include "tests/support/Banc.h"
#include "tests/support/Tableaux.h"

#include "core/document/Document.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDir>
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
    // The image-area position whose pixel is (x, y) in the current view.
    QPoint pointeur_sur(int x, int y) {
        QPoint p(-1, -1);
        const int l = f.Image1->width(), h = f.Image1->height();
        for (int m = 0; m < std::max(l, h); ++m) {
            int bx = 0, by = 0;
            f.calque.vue.repere_image_bitmap(m, m, l, h, bx, by);
            if (m < l && bx == x && p.x() < 0) p.setX(m);
            if (m < h && by == y && p.y() < 0) p.setY(m);
        }
        if (p.x() < 0 || p.y() < 0) qFatal("no screen position shows the pixel");
        return p;
    }
    QString cellule(const char* col, int row) const {
        return QString::fromStdString(std::string(d.StringGrid1.cell(d.indice_col(col), row)));
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

    void laBarreDEtatSuitLaSaisie() {
        Carte c(false);
        for (QPoint p : {QPoint(100, 100), QPoint(100, 300), QPoint(400, 300)}) {
            c.bouge(p);
            c.clic(p);
        }
        QCOMPARE(c.f.texte_statut(1), QStringLiteral("Suite 1  point ... "));
        QCOMPARE(c.f.texte_statut(2), QStringLiteral("(0.000   1.000)   (0.000   0.000)  (1.000   0.000) "));
        // The real X of the first calibration point, typed in the points window.
        TForm2& f2 = *c.t->programme->Form2;
        QVERIFY(active(&f2));
        tape(f2.StringGrid2, 3, 1, QStringLiteral("651250"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(c.f.texte_statut(2), QStringLiteral("(651250.000   1.000)   (0.000   0.000)  (1.000   0.000) "));
        QVERIFY(active(&c.f));
        c.f.ignore_clic_suivant = false;
        c.clic({200, 200});
        c.clic({300, 200});
        QCOMPARE(c.f.texte_statut(1), QStringLiteral("Suite 1  point 2 "));
        QTest::mouseClick(c.f.SpeedButton3, Qt::LeftButton);
        QCOMPARE(c.d.nb_points, 1);
        QCOMPARE(c.f.texte_statut(1), QStringLiteral("Suite 1  point 1 "));
    }

    void zoomEtDeplacementAuClavier() {
        Carte c;
        // The image area as large as the image, so every image pixel is under some screen pixel.
        c.f.setWindowState(Qt::WindowNoState);
        c.f.Image1->setFixedSize(1000, 800);
        c.f.resize(1200, 1100);
        QCoreApplication::processEvents();
        c.f.calque.vue.carte_complete();
        c.f.redessiner();
        c.bouge(c.pointeur_sur(500, 400));
        c.touche(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(c.f.calque.vue.vue().x0, 23);
        QCOMPARE(c.f.calque.vue.vue().x1, 974);
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

    void leZoomSArreteSousCinqPixels() {
        Carte c;
        c.bouge({200, 200});
        for (int i = 0; i < 200 && c.t->port.nombre("bip") == 0; ++i) c.touche(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(c.t->port.nombre("bip"), 1);
        const Rect garde = c.f.calque.vue.vue();
        c.touche(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(c.f.calque.vue.vue(), garde);
        c.f.Rtrcir1->trigger(); // the menu zooms out like keypad minus
        QVERIFY(c.f.calque.vue.vue().largeur() > garde.largeur());
    }

    void laRouletteSuitSonSens() {
        Carte c;
        c.bouge({200, 200});
        const int avant = c.f.calque.vue.vue().largeur();
        c.f.Image1Wheel(-120); // down: zoom in
        QVERIFY(c.f.calque.vue.vue().largeur() < avant);
        c.f.sens_roulette = -1;
        const int milieu = c.f.calque.vue.vue().largeur();
        c.f.Image1Wheel(-120);
        QVERIFY(c.f.calque.vue.vue().largeur() > milieu);
    }

    void constructionsADeuxPointsCliquees() {
        {
            Carte c(false);
            c.f.groupe_calage->button(1)->click(); // hypotenuse
            c.clic({100, 50});
            c.clic({300, 250});
            QCOMPARE(c.d.nb_calage, 3);
            QCOMPARE(c.d.calage[1].x, 100);
            QCOMPARE(c.d.calage[1].y, 250); // the corner is the origin
            QCOMPARE(c.t->port.textes("information").back(),
                     std::string("n'oubliez pas d'affecter les bonnes valeurs aux X Y des 3 points de calages !"));
        }
        {
            Carte c(false);
            c.f.groupe_calage->button(2)->click(); // orthonormal
            c.clic({100, 200});
            c.clic({300, 260});
            QCOMPARE(c.d.nb_calage, 3);
            QCOMPARE(c.d.calage[1].x, 100);
            QCOMPARE(c.d.calage[1].y, 200);
            QCOMPARE(c.d.calage[2].y, 200); // the second point is made level with the first
        }
    }

    void leProjetExempleSOuvreDepuisLaLigneDeCommande() {
        // As a newcomer runs it from the repository: ./run.sh samples/carte_exemple.trl
        const QString ici = QDir::currentPath();
        QDir::setCurrent(QStringLiteral(VUVIVIVA_SAMPLES "/.."));
        DossierProgrammeTest dossier;
        auto t = demarre({QStringLiteral("samples/carte_exemple.trl")});
        QDir::setCurrent(ici);
        const Document& d = t->programme->document;
        QCOMPARE(d.nb_points, 21);
        QCOMPARE(d.nb_calage, 3);
        QCOMPARE(t->programme->Form1->calque.fond.size(), QSize(1600, 1131));
        QVERIFY(t->port.textes("oui_non").empty());
        t->programme->Form1->Image1->composition().save(QDir::temp().filePath(QStringLiteral("vuviviva_exemple.png")));
    }

    void laVueEloigneeSuitChaqueDessin() {
        Carte c(false);
        QImage grand(4000, 3000, QImage::Format_RGB555);
        grand.fill(Qt::white);
        c.f.installe_fond(grand); // viewed whole: several image pixels per screen pixel
        QCOMPARE(c.f.Image1->composition().pixelColor(100, 100), QColor(Qt::white));
        // A drawing on the overlay must show at once, not the copy made before it.
        c.f.calque.af_croix_calage(2000, 1500);
        c.f.calque.image.fill(Qt::blue);
        c.f.redessiner();
        QCOMPARE(c.f.Image1->composition().pixelColor(100, 100), QColor(Qt::blue));
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

    void leModeDeLaSourisSuitSesBoutons() {
        Carte c;
        // "Cap et angle" without any point: the click only says so and digitizing comes back.
        c.f.Cap->setChecked(true);
        QCOMPARE(c.f.mode_souris(), TForm1::ModeSouris::cap);
        c.clic({250, 200});
        QCOMPARE(c.d.nb_points, 0);
        QCOMPARE(c.t->port.textes("information"), std::vector<std::string>{"pas de points digitalisés"});
        QCOMPARE(c.f.mode_souris(), TForm1::ModeSouris::digitaliser);
        QVERIFY(c.f.Digitaliser->isChecked() && !c.f.Cap->isChecked());
        c.clic({250, 200});
        QCOMPARE(c.d.nb_points, 1);

        // A colouring tool's click neither digitizes nor measures.
        c.f.choisit_mode_souris(TForm1::ModeSouris::gomme);
        QVERIFY(c.f.Gomme_SpeedButton21->isChecked() && !c.f.Digitaliser->isChecked());
        c.clic({300, 200});
        QCOMPARE(c.d.nb_points, 1);
        QVERIFY(c.f.Panel3->isHidden());
    }

    void lElastiqueSuitLaSouris() {
        Carte c;
        c.clic({250, 200});
        c.bouge({300, 250});
        QCOMPARE(c.f.Image1->marques().size(), std::size_t(1));
        QCOMPARE(c.f.Image1->marques()[0].b, QPoint(300, 250));
    }

    void polyligneEtiqueteeSurLaCarteExemple() {
        Carte c;
        QImage carte(QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.jpg"));
        QVERIFY(!carte.isNull());
        c.f.installe_fond(carte);
        c.un_pour_un();
        c.f.reglages_libelles = [](ReglagesTrace& r) {
            r.libelles = true;
            r.hauteur_police = 16;
        };
        const QPoint route[] = {{120, 420}, {200, 380}, {290, 400}, {380, 330}, {470, 300}};
        for (const QPoint p : route) c.clic(p);
        for (int row = 1; row <= 5; ++row)
            c.d.StringGrid1.set_cell(c.d.indice_col("Libellé"), row, "P" + std::to_string(row));
        c.f.SpeedButton10Click();
        c.bouge({540, 260});
        const QImage vue = c.f.Image1->composition();
        vue.save(QDir::temp().filePath(QStringLiteral("vuviviva_polyligne.png")));
        const QColor trait = c.f.calque.image.pixelColor(160, 400);
        QVERIFY2(trait.red() > 200 && trait.green() < 80, "the polyline is drawn on the map");

        // A hidden line shows neither its dots, nor its segments, nor its labels.
        c.d.StringGrid3.set_cell(3, 1, "");
        c.f.SpeedButton10Click();
        QCOMPARE(c.f.calque.image.pixelColor(160, 400), carte.convertToFormat(QImage::Format_RGB555).pixelColor(160, 400));
        QCOMPARE(c.f.calque.image.pixelColor(125, 425), carte.convertToFormat(QImage::Format_RGB555).pixelColor(125, 425));
    }
};

QTEST_MAIN(TestCarte)
#include "tst_carte.moc"
