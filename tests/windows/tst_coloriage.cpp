// Coloured surfaces through the main window's buttons: filling a lake, measuring it, the
// question that removes the contour, undo, the grey threshold and the colour choices.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "core/text/separateur.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

namespace {

const QColor lac(0, 0, 248);
const QColor vert(0, 128, 0);

// A white map with a 10 x 10 lake at (300, 200), viewed one screen pixel per image pixel,
// with a calibration of one real unit per pixel.
struct Carte {
    SeparateurLocal sep{'.'};
    DossierProgrammeTest dossier;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm1& f = *t->programme->Form1;
    Document& d = t->programme->document;
    DialoguesScriptes dialogues;
    QString dossier_courant = QDir::currentPath();

    explicit Carte(const QColor& eau = lac) {
        QDir::setCurrent(dossier.chemin()); // where the measurement copy goes
        installe_dialogues(&dialogues);
        f.installe_fond(carte(eau));
        d.calage[0] = {true, 0, 0, 0, 100, 0};
        d.calage[1] = {true, 0, 100, 0, 0, 0};
        d.calage[2] = {true, 100, 100, 100, 0, 0};
        // The colouring tools take room in the bar: the image area is measured with them shown.
        f.montre_outils_coloriage();
        QCoreApplication::processEvents();
        f.calque.vue.fixe_vue({0, 0, f.Image1->width() - 1, f.Image1->height() - 1});
        f.redessiner();
    }
    ~Carte() {
        installe_dialogues(nullptr);
        QDir::setCurrent(dossier_courant);
    }

    static QImage carte(const QColor& eau) {
        QImage fond(1000, 800, QImage::Format_RGB555);
        fond.fill(Qt::white);
        for (int y = 200; y < 210; ++y)
            for (int x = 300; x < 310; ++x) fond.setPixelColor(x, y, eau);
        return fond;
    }
    void clic(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(f.Image1, b, Qt::NoModifier, p); }
    // As the overlay stores it: 5-bit channels times 8.
    QColor px(int x, int y) const {
        const QColor c = f.calque.image.pixelColor(x, y);
        return QColor(c.red() & 0xF8, c.green() & 0xF8, c.blue() & 0xF8);
    }
    int compte(const QColor& c) const {
        int n = 0;
        for (int y = 0; y < f.calque.image.height(); ++y)
            for (int x = 0; x < f.calque.image.width(); ++x) n += px(x, y) == c;
        return n;
    }
};

} // namespace

class TestColoriage : public QObject {
    Q_OBJECT

private slots:
    void remplirLeLacLeMesurerPuisAnnuler() {
        Carte c;
        QTest::mouseClick(c.f.Color_surf_fond_SpeedButton14, Qt::LeftButton);
        QVERIFY(c.f.Sans_ligne_SpeedButton->isChecked());
        QVERIFY(c.f.Pinceau_SpeedButton20->isVisible());
        c.clic({305, 205});
        QCOMPARE(c.px(300, 200), vert);
        QCOMPARE(c.compte(vert), 100);

        c.t->port.repond_oui();
        QTest::mouseClick(c.f.SpeedButton12, Qt::LeftButton);
        const QStringList attendu = {
            QStringLiteral(" Surface raster = \t1.000 E+02    \t    100.000000000"),
            QStringLiteral(" L raster = \t4.124 E+01    \t    41.242640687"),
        };
        QCOMPARE(c.f.Memo1->toPlainText().split(QLatin1Char('\n')), attendu);
        QCOMPARE(c.t->port.textes("oui_non"),
                 std::vector<std::string>{"OK pour enlever les contours bleus ( L Raster ) et retrouver la figure "
                                          "juste colorée en vert"});
        QCOMPARE(c.compte(QColor(0, 248, 248)), 0); // Oui took the contour away
        QCOMPARE(c.compte(vert), 100);

        // A pan does not replace the copy: undo still brings the lake back.
        QTest::mousePress(c.f.Image1, Qt::RightButton, Qt::NoModifier, {50, 50});
        QTest::mouseRelease(c.f.Image1, Qt::RightButton, Qt::NoModifier, {50, 50});
        QTest::mouseClick(c.f.Annuler_SpeedButton14, Qt::LeftButton);
        QCOMPARE(c.f.calque.image, c.f.calque.fond);
    }

    void leContourResteSurNonEtUnSecondClicRepeintEnBlanc() {
        Carte c;
        QTest::mouseClick(c.f.Color_surf_fond_SpeedButton14, Qt::LeftButton);
        c.clic({305, 205});
        c.t->port.repond_non();
        QTest::mouseClick(c.f.SpeedButton12, Qt::LeftButton);
        QCOMPARE(c.compte(QColor(0, 248, 248)), 40);
        c.clic({305, 205});
        QCOMPARE(c.px(305, 205), QColor(248, 248, 248));
        QCOMPARE(c.compte(vert), 0);
    }

    void uneNouvelleImageEffaceLaCopieDAnnulation() {
        Carte c;
        QTest::mouseClick(c.f.Color_surf_bord_SpeedButton15, Qt::LeftButton);
        c.clic({305, 205});
        QVERIFY(existe(c.dossier.fichier(QStringLiteral("~vuviviva.~bmp"))));
        c.f.installe_fond(Carte::carte(Qt::red));
        QVERIFY(!existe(c.dossier.fichier(QStringLiteral("~vuviviva.~bmp"))));
        QTest::mouseClick(c.f.Annuler_SpeedButton14, Qt::LeftButton);
        QCOMPARE(c.f.calque.image, c.f.calque.fond);
        QVERIFY(c.t->port.messages().empty());
    }

    void uneCopieDAnnulationImpossibleEstSignaleeUneFois() {
        Carte c;
        DossierProgrammeTest ailleurs(QStringLiteral("/proc/vuviviva-sans-dossier"));
        QTest::mouseClick(c.f.Color_surf_fond_SpeedButton14, Qt::LeftButton);
        c.clic({305, 205});
        c.clic({10, 10});
        QCOMPARE(c.px(305, 205), vert);
        QCOMPARE(c.px(10, 10), vert);
        QCOMPARE(c.t->port.nombre("erreur"), 1);
    }

    void unSeuilIllisibleNeToucheARienPuisDouzeEtDemi() {
        Carte c(QColor(192, 192, 184));
        QTest::mouseClick(c.f.Color_surf_fond_SpeedButton14, Qt::LeftButton);
        c.clic({10, 10});
        c.f.Edit2->setText(QStringLiteral("abc"));
        QTest::mouseClick(c.f.SpeedButton17, Qt::LeftButton);
        QCOMPARE(c.t->port.textes("erreur"),
                 std::vector<std::string>{"ErreurConversion\n'abc' n'est pas une valeur à virgule flottante correcte"});
        QCOMPARE(c.px(10, 10), vert);

        c.f.Edit2->setText(QStringLiteral("12.5"));
        QTest::keyClick(c.f.Edit2, Qt::Key_Return); // Enter with the threshold button down
        QCOMPARE(c.px(10, 10), QColor(248, 248, 248)); // rebuilt first, then white
        QCOMPARE(c.px(305, 205), QColor(0, 0, 0));     // grey 189 stays under 12.5
        QVERIFY(c.f.ProgressBar1->isHidden());
    }

    void lesCouleursDeFondEtDeBord() {
        Carte c(QColor(248, 0, 0));
        c.dialogues.repond_couleur(QColor(0, 255, 255));
        QTest::mouseClick(c.f.Choix_fond_SpeedButton20, Qt::LeftButton);
        QCOMPARE(c.dialogues.demandes_couleur(), 1);
        QVERIFY(c.f.Color_surf_fond_SpeedButton14->isChecked());
        c.clic({10, 10});
        QCOMPARE(c.px(10, 10), QColor(0, 248, 248)); // the stored colour
        QTest::mouseClick(c.f.SpeedButton12, Qt::LeftButton);
        QCOMPARE(c.t->port.nombre("erreur"), 1); // aqua would count the contour as fill
        QVERIFY(c.f.Memo1->toPlainText().isEmpty());

        QTest::mouseClick(c.f.Choix_bord_SpeedButton16, Qt::LeftButton);
        QCOMPARE(c.f.Panel4->text(), QStringLiteral(" prélever la couleur de bordure"));
        c.clic({305, 205});
        QCOMPARE(c.f.couleur_bord, QColor(248, 0, 0));
        QVERIFY(c.f.Panel4->styleSheet().contains(QStringLiteral("color: #07ffff")));
    }

    void lePinceauEtLaGommeGlissent() {
        Carte c;
        QTest::mouseClick(c.f.Pinceau_SpeedButton20, Qt::LeftButton);
        QTest::mousePress(c.f.Image1, Qt::LeftButton, Qt::NoModifier, {50, 50});
        QTest::mouseMove(c.f.Image1, {60, 60});
        QTest::mouseRelease(c.f.Image1, Qt::LeftButton, Qt::NoModifier, {60, 60});
        QTest::mouseMove(c.f.Image1, {70, 70});
        QCOMPARE(c.compte(QColor(0, 0, 0)), 2);
        QCOMPARE(c.px(59, 59), QColor(0, 0, 0));
        QTest::mouseClick(c.f.Gomme_SpeedButton21, Qt::LeftButton);
        c.clic({1, 1}); // (0, 0) would be the centre for QTest
        QCOMPARE(c.px(0, 0), vert);
        QCOMPARE(c.px(3, 1), vert);
        QCOMPARE(c.px(4, 1), QColor(248, 248, 248));
    }
};

QTEST_MAIN(TestColoriage)
#include "tst_coloriage.moc"
