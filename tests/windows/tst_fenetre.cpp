// Laying the main and points windows out, and the commands of the main window that show,
// hide and toggle windows.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "windows/question/Unit6.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/apropos/scrollab.h"
#include "windows/apropos/scrollf1.h"
#include "windows/graphe3d/scrollrep.h"

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

class TestFenetre : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void grande_fenetre_seule();
    void grande_fenetre_avec_le_tableau();
    void proportions_d_une_image();
    void carte_plus_tableau_puis_carte_seule();
    void plein_ecran_bascule();
    void garder_les_proportions();
    void points_ou_lignes();
    void fenetres_auxiliaires();
    void graphe_seulement_avec_des_points();
    void uneImagePuisLeProjetLaissentLaFenetreSurToutLEcran();
    void leTitreDuPanneauTableurEstEntier();

private:
    QRect ecran() const { return QGuiApplication::primaryScreen()->geometry(); }
    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    TForm1* f1_ = nullptr;
    TForm2* f2_ = nullptr;
};

void TestFenetre::init() {
    dossier_ = std::make_unique<DossierProgrammeTest>();
    t_ = demarre();
    f1_ = t_->programme->Form1.get();
    f2_ = t_->programme->Form2.get();
}

void TestFenetre::cleanup() {
    t_.reset();
    dossier_.reset();
}

void TestFenetre::grande_fenetre_seule() {
    f1_->grande_fenetre();
    QVERIFY(!f1_->isMaximized());
    QCOMPARE(f1_->frameGeometry(), QRect(0, 0, ecran().width(), ecran().height() - 40));
    QVERIFY(!f1_->Pleincran1->isChecked());
}

void TestFenetre::grande_fenetre_avec_le_tableau() {
    f2_->show();
    TForm1::place_fenetre(f2_, 500, 77, 300, 400);
    f1_->grande_fenetre();
    const int largeur = ecran().width() - 300;
    QCOMPARE(f1_->frameGeometry(), QRect(0, 0, largeur, ecran().height() - 40));
    // The points window stands right of it, as high, tops aligned.
    QCOMPARE(f2_->frameGeometry(), QRect(largeur, 0, 300, ecran().height() - 40));
}

void TestFenetre::proportions_d_une_image() {
    // A 2000 x 1000 image in a main window 500 wide: the map keeps its proportions inside its
    // view, the window its whole height (cut to 250, it left the screen below it empty).
    f2_->show();
    TForm1::place_fenetre(f2_, 500, 30, 300, 100);
    TForm1::place_fenetre(f1_, 0, 12, 640, 700);
    f1_->taille_image = QSize(2000, 1000);
    f1_->grande_fenetre();
    QCOMPARE(f1_->frameGeometry(), QRect(0, 0, 500, ecran().height() - 40));
    QCOMPARE(f2_->frameGeometry(), QRect(500, 0, 300, ecran().height() - 40));

    // Without the proportions kept, the full layout applies.
    f1_->GarderlesproportionsLxH1->setChecked(false);
    f1_->grande_fenetre();
    QCOMPARE(f1_->frameGeometry(), QRect(0, 0, 500, ecran().height() - 40));
}

void TestFenetre::carte_plus_tableau_puis_carte_seule() {
    QTest::mouseClick(f1_->SpeedButton7, Qt::LeftButton);
    QVERIFY(f2_->isVisible());
    const int l2 = f2_->frameGeometry().width();
    QCOMPARE(f2_->frameGeometry(), QRect(ecran().width() - l2, 0, l2, ecran().height()));
    QCOMPARE(f1_->frameGeometry().left(), 0);
    QCOMPARE(f1_->frameGeometry().width(), ecran().width() - l2);
    QVERIFY(f1_->SpeedButton7->isChecked());
    QVERIFY(!f1_->SpeedButton9->isChecked());

    QTest::mouseClick(f1_->SpeedButton9, Qt::LeftButton);
    QVERIFY(!f2_->isVisible());
    QCOMPARE(f1_->frameGeometry().width(), ecran().width());
    QVERIFY(f1_->SpeedButton9->isChecked());
}

void TestFenetre::plein_ecran_bascule() {
    f1_->Pleincran1->trigger();
    QVERIFY(f1_->Pleincran1->isChecked());
    QCOMPARE(f1_->frameGeometry(), QRect(0, 0, ecran().width(), ecran().height() - 40));
    // The second use only clears the check mark.
    TForm1::place_fenetre(f1_, 10, 10, 300, 300);
    f1_->Pleincran1->trigger();
    QVERIFY(!f1_->Pleincran1->isChecked());
    QCOMPARE(f1_->frameGeometry(), QRect(10, 10, 300, 300));
}

void TestFenetre::garder_les_proportions() {
    f1_->GarderlesproportionsLxH1->trigger(); // unchecked: the full layout
    QVERIFY(!f1_->GarderlesproportionsLxH1->isChecked());
    QCOMPARE(f1_->frameGeometry(), QRect(0, 0, ecran().width(), ecran().height() - 40));
    TForm1::place_fenetre(f1_, 40, 40, 300, 300);
    f1_->GarderlesproportionsLxH1->trigger(); // checked: the remembered maximal size
    QVERIFY(f1_->GarderlesproportionsLxH1->isChecked());
    QCOMPARE(f1_->frameGeometry(), QRect(QPoint(0, 0), f1_->taille_max_fenetre));
}

void TestFenetre::points_ou_lignes() {
    f1_->Points1->trigger();
    QVERIFY(f1_->Points1->isChecked());
    QVERIFY(!f1_->Lignes1->isChecked());
    QVERIFY(f1_->SpeedButton6->isChecked());
    QVERIFY(!f1_->SpeedButton8->isChecked());
    QTest::mouseClick(f1_->SpeedButton8, Qt::LeftButton);
    QVERIFY(f1_->Lignes1->isChecked());
    QVERIFY(!f1_->Points1->isChecked());
    QVERIFY(f1_->SpeedButton8->isChecked());
    QVERIFY(!f1_->SpeedButton6->isChecked());
}

void TestFenetre::fenetres_auxiliaires() {
    Programme& p = *t_->programme;
    f1_->Tableaudepoints1->trigger();
    QVERIFY(f2_->isVisible());
    f1_->Apropos1->trigger();
    QVERIFY(p.Form3->isVisible());
    QTest::keyClick(p.Form3.get(), Qt::Key_A); // any key hides it
    QVERIFY(!p.Form3->isVisible());

    f1_->Aide2->trigger();
    QVERIFY(p.Form5->isVisible());
    f1_->Aide2->trigger();
    QVERIFY(!p.Form5->isVisible());
    f1_->Aide1->trigger();
    QVERIFY(p.Form5->isVisible());
}

void TestFenetre::graphe_seulement_avec_des_points() {
    // Without a point neither the menu nor F7 opens the graph; with one, both do.
    Programme& p = *t_->programme;
    QVERIFY(f1_->Graphe1->isEnabled());
    QVERIFY(f2_->SpeedButton8->isEnabled());
    f1_->Graphe1->trigger();
    QTest::keyClick(f1_, Qt::Key_F7);
    QVERIFY(!p.Form4->isVisible());
    p.document.nb_points = 1;
    f1_->Graphe1->trigger();
    QVERIFY(p.Form4->isVisible());
}

void TestFenetre::uneImagePuisLeProjetLaissentLaFenetreSurToutLEcran() {
    DialoguesScriptes dialogues;
    installe_dialogues(&dialogues);
    QImage im(1061, 688, QImage::Format_RGB32);
    im.fill(Qt::yellow);
    QVERIFY(im.save(dossier_->fichier(QStringLiteral("carte1061.bmp")), "BMP"));
    for (const char* nom : {"carte_exemple.trl", "carte_exemple.jpg"})
        QVERIFY(QFile::copy(QStringLiteral(VUVIVIVA_SAMPLES "/") + QLatin1String(nom), dossier_->fichier(QLatin1String(nom))));
    t_->port.repond_non(); // no calibration first
    t_->port.repond_oui(); // the project's image replaces the one shown
    dialogues.repond_fichier(dossier_->fichier(QStringLiteral("carte1061.bmp")));
    f1_->Ouvrir1->trigger();
    dialogues.repond_fichier(dossier_->fichier(QStringLiteral("carte_exemple.trl")));
    f1_->ouvrir_un_tableau->trigger();
    installe_dialogues(nullptr);
    QCOMPARE(t_->programme->document.nb_points, 21);
    const QRect place(0, 0, ecran().width() - f2_->frameGeometry().width(), ecran().height() - 40);
    QCOMPARE(f1_->frameGeometry(), place);
    f1_->Cartecomplte1->trigger();
    QCOMPARE(f1_->frameGeometry(), place);
}

void TestFenetre::leTitreDuPanneauTableurEstEntier() {
    DialoguesScriptes dialogues;
    installe_dialogues(&dialogues);
    t_->port.repond_oui();
    dialogues.repond_fichier(dossier_->fichier(QStringLiteral("points.xls")));
    f1_->RajoutdepointsXLS1->trigger();
    installe_dialogues(nullptr);
    const auto* dock = f1_->findChild<QDockWidget*>(QStringLiteral("Panel6"));
    QVERIFY(dock->isVisible());
    // The title and, beside it, its two buttons, each about as wide as the bar is high.
    const int barre = dock->widget()->geometry().top();
    QVERIFY(dock->width() >= dock->fontMetrics().horizontalAdvance(dock->windowTitle()) + 2 * barre);
}

QTEST_MAIN(TestFenetre)
#include "tst_fenetre.moc"
