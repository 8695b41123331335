// Surface mode and the results panel: the measurement text of a clicked line, the triangles
// on the overlay, closing the panel, the copy buttons and "Bloc note".
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "core/text/separateur.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/principale/mesure/PanneauResultats.h"
#include "windows/principale/scroll.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

namespace {

// A started program with a white background viewed one screen pixel per image pixel and
// calibrated on the unit frame: X = (x - 100) / 300, Y = (300 - y) / 200.
struct Carte {
    SeparateurLocal sep{'.'};
    DossierProgrammeTest dossier;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm1& f = *t->programme->Form1;
    Document& d = t->programme->document;
    DialoguesScriptes dialogues;

    Carte() {
        installe_dialogues(&dialogues);
        QImage fond(1000, 800, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        d.mess_3_calage_svp_et_init(false);
        f.calque.vue.fixe_vue({0, 0, f.Image1->width() - 1, f.Image1->height() - 1});
        f.redessiner();
        for (QPoint p : {QPoint(100, 100), QPoint(100, 300), QPoint(400, 300)}) clic(p);
        t->port.oublie();
    }
    ~Carte() { installe_dialogues(nullptr); }

    void clic(QPoint p) { QTest::mouseClick(f.Image1, Qt::LeftButton, Qt::NoModifier, p); }
    // The square of side 0.5 from real (0, 0), counter-clockwise.
    void carre() {
        for (QPoint p : {QPoint(100, 300), QPoint(250, 300), QPoint(250, 200), QPoint(100, 200)}) clic(p);
    }
    QStringList lignes() const { return f.Memo1->toPlainText().split(QLatin1Char('\n')); }
    PanneauResultats& panneau() const { return *f.panneau_resultats(); }
};

bool couleur_proche(const QColor& c, int r, int g, int b) {
    return std::abs(c.red() - r) < 12 && std::abs(c.green() - g) < 12 && std::abs(c.blue() - b) < 12;
}

const QStringList carre_attendu = {
    QStringLiteral(" Suite(1)= \t4\t points"),
    QStringLiteral(" Surface  A = \t2.500 E-01    \t    0.250000000"),
    QStringLiteral(" Distance D = \t1.500 E+00    \t    1.500000000"),
    QStringLiteral(" Périmètre P = \t2.000 E+00    \t    2.000000000"),
    QStringLiteral(" Indice de compacité = P/(4.pi.A)^0.5 = \t1.12837916709551"),
};

} // namespace

class TestMesure : public QObject {
    Q_OBJECT

private slots:
    void unClicEnModeSurfaceMesureLeCarreEtDessineSesTriangles() {
        Carte c;
        c.carre();
        QTest::mouseClick(c.f.Surfacer, Qt::LeftButton);
        QVERIFY(c.f.Surfacer->isChecked());
        QVERIFY(c.f.Panel3->isHidden());
        c.clic({240, 210});
        QCOMPARE(c.lignes(), carre_attendu);
        QVERIFY(c.f.Panel3->isVisible());
        QCOMPARE(c.panneau().tag, 1);
        // Fan from (100, 300): the first side is drawn yellow, the closing side aqua.
        QVERIFY(couleur_proche(c.f.calque.image.pixelColor(175, 300), 234, 200, 62));
        QVERIFY(couleur_proche(c.f.calque.image.pixelColor(100, 250), 0, 255, 255));
        QVERIFY(couleur_proche(c.f.Image1->ecran().pixelColor(100, 250), 0, 255, 255));

        c.clic({240, 210}); // a second measurement appends
        QCOMPARE(c.lignes().size(), 2 * carre_attendu.size());
    }

    void plusieursLignesAjoutentLeReseauEtUneLigneDeDeuxPointsNEcritRien() {
        Carte c;
        c.carre();
        QTest::keyClick(&c.f, Qt::Key_Space);
        c.clic({100, 350});
        c.clic({400, 350}); // line 2: length 1
        QTest::mouseClick(c.f.Surfacer, Qt::LeftButton);
        c.f.calcul_surface(400, 345);
        QVERIFY2(c.f.Memo1->toPlainText().isEmpty(), "a two-point line goes to the scale tool");
        QVERIFY(c.f.Panel3->isHidden());

        c.f.calcul_surface(110, 290);
        const QStringList reseau = {
            QStringLiteral(" Longueur totale du réseau (sans le pourtour de la surface choisie définie par"),
            QStringLiteral("    la suite n°1  ( celle qui se trouve proche du clik de la souris ! )"),
            QStringLiteral("            L(réseau) = \t1.0000 E+00"),
            QStringLiteral(" Densité de drainage = longueur du réseau / A = \t4.0000 E+00"),
            QStringLiteral("     Distances (calage 1 à 2) = 1   (calage 2 à 3) = 1"),
        };
        QCOMPARE(c.lignes(), carre_attendu + reseau);
    }

    void sansPointUnBipEtRienDAutre() {
        Carte c;
        c.clic({150, 150});
        QTest::mouseClick(c.f.Surfacer, Qt::LeftButton);
        c.clic({150, 150});
        QCOMPARE(c.t->port.nombre("bip"), 1);
        QVERIFY(c.f.Panel3->isHidden());
    }

    void echapDansLeMemoFermeLePanneauEtEffaceLesTriangles() {
        Carte c;
        c.carre();
        QTest::mouseClick(c.f.Surfacer, Qt::LeftButton);
        c.clic({240, 210});
        QVERIFY(c.f.Panel3->isVisible());
        QTest::keyClick(c.f.Memo1, Qt::Key_Escape);
        QVERIFY(c.f.Panel3->isHidden());
        QCOMPARE(c.panneau().tag, 0);
        QVERIFY(!c.f.ouvert_masque());
        QVERIFY(!couleur_proche(c.f.calque.image.pixelColor(100, 250), 0, 255, 255));
        QVERIFY(!couleur_proche(c.f.Image1->ecran().pixelColor(100, 250), 0, 255, 255));
        QCOMPARE(c.t->port.nombre("question"), 0); // Escape does not ask to quit while the panel is shown
    }

    void fermerSelonLeMode() {
        Carte c;
        c.carre();
        QTest::mouseClick(c.f.Surfacer, Qt::LeftButton);
        c.clic({240, 210});
        QTest::mouseClick(c.panneau().Button1, Qt::LeftButton);
        QVERIFY(c.f.Panel3->isHidden());
        QCOMPARE(c.panneau().tag, 0);

        c.f.montre_panel3();
        c.f.Cap->setChecked(true);
        QTest::mouseClick(c.panneau().Button1, Qt::LeftButton);
        QVERIFY(c.f.Panel3->isHidden());
        QVERIFY2(c.f.ouvert_masque(), "other modes only hide it: the next mouse move closes it");
        c.f.masque_panel3();
        QVERIFY(!c.f.ouvert_masque());
    }

    void viderCopierRajouter() {
        Carte c;
        c.f.montre_panel3();
        c.panneau().ajoute_lignes({" a\tb", " é"});
        QTest::mouseClick(c.panneau().Button3, Qt::LeftButton);
        QCOMPARE(c.t->port.presse_papier_lit(), std::string(" a\tb\r\n é\r\n"));
        QCOMPARE(c.t->port.textes("information").back(), std::string("le texte à été copié dans le presse papier"));

        c.t->port.presse_papier_ecrit("avant");
        QTest::mouseClick(c.panneau().Button4, Qt::LeftButton);
        QCOMPARE(c.t->port.presse_papier_lit(), std::string("avant\r\n a\tb\r\n é\r\n"));
        QCOMPARE(c.t->port.textes("information").back(), std::string("le texte à été rajouté dans le presse papier"));

        c.t->port.presse_papier_ecrit("");
        QTest::mouseClick(c.panneau().Button4, Qt::LeftButton);
        // An empty clipboard: a plain copy.
        QCOMPARE(c.t->port.presse_papier_lit(), std::string(" a\tb\r\n é\r\n"));

        QTest::mouseClick(c.panneau().Button2, Qt::LeftButton);
        QVERIFY(c.f.Memo1->toPlainText().isEmpty());
    }

    void blocNoteEcritSurfaceTxtDansLeDossierCourantEtLOuvre() {
        Carte c;
        const QString ancien = QDir::currentPath();
        QDir::setCurrent(c.dossier.chemin());
        c.f.montre_panel3();
        c.panneau().ajoute_lignes({" Périmètre P = \t2", " x"});
        QTest::mouseClick(c.panneau().Button5, Qt::LeftButton);
        QDir::setCurrent(ancien);
        const QString fichier = c.dossier.fichier(QStringLiteral("surface.txt"));
        QCOMPARE(lit_octets(fichier), QByteArray(" P\xE9rim\xE8tre P = \t2\r\n x\r\n"));
        QCOMPARE(c.dialogues.documents_ouverts(), QStringList{fichier});
        QCOMPARE(c.t->port.presse_papier_lit(), std::string(" Périmètre P = \t2\r\n x\r\n"));
    }

    void blocNoteDansUnDossierSansDroitDEcriture() {
        Carte c;
        const QString ancien = QDir::currentPath();
        QDir::setCurrent(c.dossier.chemin());
        // A folder named like the file: writing it must fail whoever runs the test.
        QDir(c.dossier.chemin()).mkdir(QStringLiteral("surface.txt"));
        QTest::mouseClick(c.panneau().Button5, Qt::LeftButton);
        QDir::setCurrent(ancien);
        QCOMPARE(c.t->port.nombre("erreur"), 1);
        QVERIFY(c.dialogues.documents_ouverts().isEmpty());
    }

    void lePanneauSeDeplaceALaSouris() {
        Carte c;
        c.f.montre_panel3();
        const QPoint depart = c.f.Panel3->pos();
        QTest::mousePress(c.f.Panel3, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QMouseEvent glisse(QEvent::MouseMove, QPointF(55, 25), c.f.Panel3->mapToGlobal(QPointF(55, 25)),
                           Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(c.f.Panel3, &glisse);
        QCOMPARE(c.f.Panel3->pos(), depart + QPoint(50, 20));
        QMouseEvent avec_maj(QEvent::MouseMove, QPointF(25, 25), c.f.Panel3->mapToGlobal(QPointF(25, 25)),
                             Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
        QCoreApplication::sendEvent(c.f.Panel3, &avec_maj);
        QCOMPARE(c.f.Panel3->pos(), depart + QPoint(50, 20));
        QTest::mouseRelease(c.f.Panel3, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    }
};

QTEST_MAIN(TestMesure)
#include "tst_mesure.moc"
