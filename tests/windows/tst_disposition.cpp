// The main and points windows on a 1366 x 768 screen with the sample project: the map's
// proportions, both windows side by side, the status bar, the rubber band and what the
// points window and the export panel leave whole.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/principale/export/PanneauExport.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryFile>
#include <QTest>
#include <QToolButton>

#include <cmath>

using namespace vuv;
using namespace vuv::test;

class TestDisposition : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void projet_au_demarrage_carte_et_tableau();
    void projet_ouvert_par_le_menu_carte_et_tableau();
    void coordonnees_entieres_dans_la_barre_d_etat();
    void pas_d_elastique_avant_la_souris();
    void cellules_et_boutons_entiers();
    void menu_accessible_avec_le_panneau_d_export();
    void titleBarComesBackOnScreenWithTheTable();

private:
    // The sample project, its image named relative to the repository's root.
    static QString projet_exemple() { return QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.trl"); }
    QRect ecran() const { return QGuiApplication::primaryScreen()->geometry(); }
    void demarre_avec(const QStringList& arguments);
    // Map and table side by side, the whole map drawn as many pixels across as down per 250 m.
    void verifie_carte_et_tableau();
    void bouge(QPoint p);

    QString courant_;
    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<DialoguesScriptes> d_;
    std::unique_ptr<ProgrammeTest> t_;
    TForm1* f1_ = nullptr;
    TForm2* f2_ = nullptr;
};

void TestDisposition::init() {
    courant_ = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(VUVIVIVA_SAMPLES "/.."));
    dossier_ = std::make_unique<DossierProgrammeTest>();
    d_ = std::make_unique<DialoguesScriptes>();
    installe_dialogues(d_.get());
    demarre_avec({});
}

void TestDisposition::cleanup() {
    t_.reset();
    installe_dialogues(nullptr);
    d_.reset();
    dossier_.reset();
    QDir::setCurrent(courant_);
}

void TestDisposition::demarre_avec(const QStringList& arguments) {
    t_.reset();
    t_ = demarre(arguments);
    f1_ = t_->programme->Form1.get();
    f2_ = t_->programme->Form2.get();
}

void TestDisposition::bouge(QPoint p) {
    QMouseEvent e(QEvent::MouseMove, p, f1_->Image1->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f1_->Image1, &e);
}

void TestDisposition::verifie_carte_et_tableau() {
    QTRY_VERIFY(f1_->isVisible() && f2_->isVisible());
    QTRY_VERIFY(f1_->frameGeometry().right() < f2_->frameGeometry().left());
    QVERIFY(f1_->frameGeometry().left() >= 0);
    QVERIFY(f2_->frameGeometry().right() <= ecran().right());
    QVERIFY(f1_->SpeedButton7->isChecked());
    // 100 image pixels are 250 m on the sample map.
    const auto ecart = [this] {
        const Rect v = f1_->calque.vue.source();
        const double travers = 100.0 * f1_->Image1->width() / v.largeur();
        const double bas = 100.0 * f1_->Image1->height() / v.hauteur();
        return std::abs(travers - bas);
    };
    QTRY_VERIFY2(ecart() <= 1, qPrintable(QStringLiteral("écart %1 px").arg(ecart())));
    const Rect v = f1_->calque.vue.source();
    QVERIFY(v.x0 <= 0 && v.y0 <= 0 && v.x1 >= 1599 && v.y1 >= 1130);
}

void TestDisposition::projet_au_demarrage_carte_et_tableau() {
    demarre_avec({projet_exemple()});
    QCOMPARE(f1_->calque.fond.size(), QSize(1600, 1131));
    verifie_carte_et_tableau();
}

void TestDisposition::projet_ouvert_par_le_menu_carte_et_tableau() {
    f1_->show();
    QVERIFY(QTest::qWaitForWindowExposed(f1_));
    d_->repond_fichier(projet_exemple());
    f1_->ouvrir_un_tableau->trigger();
    QCOMPARE(t_->programme->document.nb_points, 21);
    verifie_carte_et_tableau();
    if (QTest::currentTestFailed()) return;
    // Again over the open project, and back from "Carte seule".
    QTest::mouseClick(f1_->SpeedButton9, Qt::LeftButton);
    d_->repond_fichier(projet_exemple());
    f1_->ouvrir_un_tableau->trigger();
    verifie_carte_et_tableau();
}

void TestDisposition::coordonnees_entieres_dans_la_barre_d_etat() {
    QCOMPARE(ecran().width(), 1366);
    demarre_avec({projet_exemple()});
    QTRY_VERIFY(f1_->isVisible() && f2_->isVisible());
    bouge(QPoint(f1_->Image1->width() / 2, f1_->Image1->height() / 2));
    const QLabel* l = f1_->StatusBar1_panneaux[0];
    QVERIFY2(QRegularExpression(QStringLiteral("^X= 65\\d{4}[.,]\\d{8} Y= 68\\d{5}[.,]\\d{8}$")).match(l->text()).hasMatch(),
             qPrintable(l->text()));
    QVERIFY(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width());
    QVERIFY(l->geometry().right() < f1_->statusBar()->width());
    QVERIFY(f1_->StatusBar1_panneaux[1]->geometry().right() < f1_->statusBar()->width());
}

void TestDisposition::pas_d_elastique_avant_la_souris() {
    demarre_avec({projet_exemple()});
    QVERIFY(f1_->Image1->marques().empty());
    d_->repond_fichier(projet_exemple());
    f1_->ouvrir_un_tableau->trigger();
    QVERIFY(f1_->Image1->marques().empty());
    // The first move starts the band from the last point of the road to the mouse.
    const QPoint p(200, 150);
    bouge(p);
    QCOMPARE(f1_->Image1->marques().size(), std::size_t(1));
    const ZoneImage::Marque& m = f1_->Image1->marques().front();
    QCOMPARE(m.a, QPoint(1596, 956));
    QCOMPARE(m.b, QPoint(f1_->courant_x, f1_->courant_y));
}

void TestDisposition::cellules_et_boutons_entiers() {
    demarre_avec({projet_exemple()});
    QTRY_VERIFY(f1_->isVisible() && f2_->isVisible());
    // The cell whose text does not fit its column, or an empty text.
    const auto coupee = [](const GrilleChaines* g) {
        const QAbstractItemModel* m = g->model();
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c) {
                const QString texte = m->index(r, c).data().toString();
                if (g->fontMetrics().horizontalAdvance(texte) + 6 > g->columnWidth(c)) return texte;
            }
        return QString();
    };
    QTRY_COMPARE(coupee(f2_->StringGrid1), QString());
    QTRY_COMPARE(coupee(f2_->StringGrid2), QString());
    const auto entier = [](const QWidget* b) {
        return b->isVisible() && b->visibleRegion().boundingRect() == b->rect() && b->width() >= b->sizeHint().width();
    };
    QVERIFY(entier(f2_->Button1));
    QVERIFY(f2_->Label3->width() >= f2_->Label3->sizeHint().width());
    // The three calibration rows, and the coordinates of the pointer at 8 decimals.
    const QRect cal3 = f2_->StringGrid2->visualRect(f2_->StringGrid2->model()->index(2, 0));
    QVERIFY(f2_->StringGrid2->viewport()->rect().contains(cal3));
    bouge(QPoint(f1_->Image1->width() / 2, f1_->Image1->height() / 2));
    for (const QLabel* l : {f2_->Label4, f2_->Label5})
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width(), qPrintable(l->text()));
    QTest::mouseClick(f1_->SpeedButton9, Qt::LeftButton);
    QTest::mouseClick(f1_->SpeedButton7, Qt::LeftButton);
    QTRY_VERIFY(entier(f2_->Button1));
    f1_->grande_fenetre();
    QTRY_VERIFY(entier(f2_->Button1));
}

void TestDisposition::menu_accessible_avec_le_panneau_d_export() {
    demarre_avec({projet_exemple()});
    f1_->Enregistrerlescoordonnes1->trigger();
    QVERIFY(f1_->panel7_visible());
    QMenuBar* barre = f1_->menuBar();
    QVERIFY(!f1_->Panel7->geometry().intersects(barre->geometry()));
    // The lowest row of the "Fichier" entry still belongs to the menu bar.
    const QRect fichier = barre->actionGeometry(f1_->Fichier1->menuAction());
    QCOMPARE(f1_->childAt(barre->mapTo(f1_, QPoint(fichier.center().x(), fichier.bottom()))), barre);
}

// A screen of 1366 x 768, the width the status bar must serve.
int main(int argc, char** argv) {
    QTemporaryFile ecran;
    if (!ecran.open()) return 1;
    ecran.write(R"({"screens": [{"name": "ecran", "x": 0, "y": 0, "width": 1366, "height": 768,
                                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    ecran.flush();
    if (qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + ecran.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestDisposition t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_disposition.moc"

// Placed before the window manager told its frame, the main window sat with its title bar
// above the screen, out of reach of the mouse.
void TestDisposition::titleBarComesBackOnScreenWithTheTable() {
    demarre_avec({projet_exemple()});
    QTRY_VERIFY(f1_->isVisible() && f2_->isVisible());
    const int hauteur = f1_->frameGeometry().height();
    f1_->move(0, -20);
    QCOMPARE(f1_->frameGeometry().top(), -20);
    f1_->SpeedButtonCartTablClick();
    QCOMPARE(f1_->frameGeometry().top(), ecran().top());
    QVERIFY(f1_->frameGeometry().bottom() <= ecran().bottom());
    QVERIFY(f1_->frameGeometry().height() <= hauteur);
}
