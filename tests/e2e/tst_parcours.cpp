// A user's road: a background, three calibration clicks, real values typed in the calibration
// table, two lines digitized with the mouse, a label typed, the project saved; the program
// started again on that project finds the same work, and saves it stably.
#include "tests/support/Banc.h"
#include "tests/support/Tableaux.h"

#include "core/document/Document.h"
#include "core/text/separateur.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"
#include "windows/principale/carte/scroll_image.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

namespace {

// What a first reading changes in a file it did not write: empty labels become one space,
// line rows are renumbered with padding.
QByteArray apres_lecture(const QByteArray& fichier, int nb_lignes) {
    QList<QByteArray> lignes = fichier.split('\n');
    lignes.removeLast(); // after the last CR LF
    for (QByteArray& l : lignes)
        if (l.startsWith("\"  ")) l.replace("\",,", "\",\" \",");
    for (int L = 1; L <= nb_lignes; ++L) {
        QByteArray& l = lignes[lignes.size() - nb_lignes + L - 1];
        l = "\"  " + QByteArray::number(L) + "\"" + l.mid(l.indexOf(','));
    }
    return lignes.join('\n') + '\n';
}

} // namespace

class TestParcours : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void carte_calee_digitalisee_enregistree_relue();

private:
    QPoint clic(double fx, double fy) {
        ZoneImage* z = t_->programme->Form1->Image1;
        return QPoint(static_cast<int>(z->width() * fx), static_cast<int>(z->height() * fy));
    }
    // The overlay pixel a click there reaches.
    QPoint pixel(QPoint p) {
        TForm1& f1 = *t_->programme->Form1;
        int x = 0, y = 0;
        f1.calque.vue.repere_image_bitmap(p.x(), p.y(), f1.Image1->width(), f1.Image1->height(), x, y);
        return {x, y};
    }
    void clique(QPoint p) { QTest::mouseClick(t_->programme->Form1->Image1, Qt::LeftButton, {}, p); }
    void entree() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

    std::unique_ptr<SeparateurLocal> point_;
    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<DialoguesScriptes> d_;
    std::unique_ptr<ProgrammeTest> t_;
};

void TestParcours::init() {
    point_ = std::make_unique<SeparateurLocal>('.');
    dossier_ = std::make_unique<DossierProgrammeTest>();
    d_ = std::make_unique<DialoguesScriptes>();
    installe_dialogues(d_.get());
    t_ = demarre();
}

void TestParcours::cleanup() {
    t_.reset();
    installe_dialogues(nullptr);
    d_.reset();
    dossier_.reset();
    point_.reset();
}

void TestParcours::carte_calee_digitalisee_enregistree_relue() {
    TForm1* f1 = t_->programme->Form1.get();
    TForm2* f2 = t_->programme->Form2.get();
    Document* doc = &t_->programme->document;

    QImage carte(1200, 900, QImage::Format_RGB32);
    for (int y = 0; y < carte.height(); ++y)
        for (int x = 0; x < carte.width(); ++x) carte.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    const QString image = dossier_->fichier(QStringLiteral("carte.bmp"));
    QVERIFY(carte.save(image, "BMP"));
    f1->installe_fond(carte.convertToFormat(QImage::Format_RGB555));
    doc->fichier_image = image.toStdString();
    QApplication::processEvents(); // the scroll bars shown with the background take their room

    // Calibration: three clicks, then the real values typed.
    const QPoint cal[3] = {clic(0.1, 0.1), clic(0.1, 0.9), clic(0.9, 0.9)};
    for (const QPoint& p : cal) clique(p);
    QCOMPARE(doc->nb_calage, 3);
    QCOMPARE(doc->calage[2].x, pixel(cal[2]).x());
    f1->tab_points();
    QVERIFY(active(f2));
    vuv::test::tape(f2->StringGrid2, 4, 1, QStringLiteral("100"));
    entree();
    vuv::test::tape(f2->StringGrid2, 3, 3, QStringLiteral("200"));
    entree();

    // Back to the map: the first click only brings it back.
    QVERIFY(active(f1));
    clique(clic(0.5, 0.5));
    QCOMPARE(doc->nb_points, 0);
    clique(clic(0.3, 0.3));
    clique(clic(0.4, 0.35));
    d_->repond_couleur(QColor(0, 128, 0));
    f1->SpeedButton2->click();
    for (const QPoint& p : {clic(0.6, 0.6), cal[2], clic(0.7, 0.2)}) clique(p);
    QCOMPARE(doc->nb_points, 5);
    QCOMPARE(doc->num_ligne, 2);
    QCOMPARE(doc->StringGrid3.cell(2, 2), std::string("32768"));
    LignePoint p4;
    QVERIFY(doc->liste_extrait_Lxy(4, p4));
    QCOMPARE(static_cast<double>(p4.X), 200.0); // on cal 3
    QCOMPARE(static_cast<double>(p4.Y), 0.0);
    QCOMPARE(p4.L, 2);

    QVERIFY(active(f2));
    vuv::test::tape(f2->StringGrid1, 2, 2, QStringLiteral("borne 7"));
    entree();
    QVERIFY(active(f1));

    d_->repond_fichier(dossier_->fichier(QStringLiteral("parcours")));
    f1->Speed6->click();
    const QString a = dossier_->fichier(QStringLiteral("parcours.trl"));
    const QByteArray octets_a = lit_octets(a);
    QVERIFY(octets_a.contains("\"borne 7\""));
    const Grille points = doc->StringGrid1;
    const auto calage = doc->calage;

    // A fresh program on the command line.
    t_.reset();
    t_ = demarre({a});
    doc = &t_->programme->document;
    QCOMPARE(doc->nb_points, 5);
    QCOMPARE(doc->num_ligne, 2);
    QCOMPARE(doc->nb_calage, 3);
    for (std::size_t k = 0; k < 3; ++k) {
        QCOMPARE(doc->calage[k].x, calage[k].x);
        QCOMPARE(doc->calage[k].y, calage[k].y);
        QCOMPARE(static_cast<double>(doc->calage[k].X), static_cast<double>(calage[k].X));
        QCOMPARE(static_cast<double>(doc->calage[k].Y), static_cast<double>(calage[k].Y));
    }
    for (int r = 1; r <= 5; ++r)
        for (int c : {0, 1, 3, 4, 5, 6, 7}) QCOMPARE(doc->StringGrid1.cell(c, r), points.cell(c, r));
    QCOMPARE(doc->StringGrid1.cell(2, 2), std::string("borne 7"));
    QCOMPARE(doc->StringGrid3.cell(2, 2), std::string("32768"));
    QCOMPARE(t_->programme->Form1->calque.fond.size(), QSize(1200, 900));

    d_->repond_fichier(dossier_->fichier(QStringLiteral("b.trl")));
    t_->programme->Form1->Enregistrer1Click();
    const QByteArray octets_b = lit_octets(dossier_->fichier(QStringLiteral("b.trl")));
    QCOMPARE(octets_b, apres_lecture(octets_a, 2));

    t_.reset();
    t_ = demarre({dossier_->fichier(QStringLiteral("b.trl"))});
    d_->repond_fichier(dossier_->fichier(QStringLiteral("c.trl")));
    t_->programme->Form1->Enregistrer1Click();
    QCOMPARE(lit_octets(dossier_->fichier(QStringLiteral("c.trl"))), octets_b);
}

QTEST_MAIN(TestParcours)
#include "tst_parcours.moc"
