// The 3D graph window as a user drives it: opening, the picture, the keys and buttons, leaving.
#include "tests/support/Banc.h"
#include "tests/support/Tableaux.h"

#include "core/document/Document.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/graphe3d/scrollrep.h"
#include "windows/points/scroll2.h"
#include "windows/principale/scroll.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

class TestGraphe3D : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void ouvre_dessine_et_bloque_la_fenetre_principale();
    void figures_sur_un_dessin_de_640_sur_480();
    void touches();
    void boutons();
    void sortie_data();
    void sortie();
    void bouton_de_la_fenetre_des_points();
    void image_suit_la_taille();

private:
    QImage ouvre();
    QImage image() const { return f4_->Image1->image.copy(); }
    void cle(int touche, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(f4_, Qt::Key(touche), m); }

    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    TForm1* f1_ = nullptr;
    TForm4* f4_ = nullptr;
};

namespace {

void pose_exemple(Document& d) {
    remplit(d, {3});
    const char* pts[3][3] = {{"0", "0", "0"}, {"100", "0", "0"}, {"100", "50", "10"}};
    for (int r = 1; r <= 3; ++r) {
        d.StringGrid1.set_cell(d.indice_col("X"), r, pts[r - 1][0]);
        d.StringGrid1.set_cell(d.indice_col("Y"), r, pts[r - 1][1]);
        d.StringGrid1.set_cell(d.indice_col("Z"), r, pts[r - 1][2]);
    }
    const char* cal[3][2] = {{"0", "0"}, {"100", "0"}, {"0", "50"}};
    for (int r = 1; r <= 3; ++r) {
        d.StringGrid2.set_cell(d.indice_col_cal("X"), r, cal[r - 1][0]);
        d.StringGrid2.set_cell(d.indice_col_cal("Y"), r, cal[r - 1][1]);
    }
    d.StringGrid3.set_cell(2, 1, "16776960");
}

} // namespace

void TestGraphe3D::init() {
    dossier_ = std::make_unique<DossierProgrammeTest>();
    t_ = demarre();
    f1_ = fenetres().Form1;
    f4_ = fenetres().Form4;
    pose_exemple(t_->programme->document);
}

void TestGraphe3D::cleanup() {
    t_.reset();
    dossier_.reset();
}

QImage TestGraphe3D::ouvre() {
    f1_->Graphe1->trigger();
    if (!QTest::qWaitForWindowActive(f4_)) return {};
    return image();
}

void TestGraphe3D::ouvre_dessine_et_bloque_la_fenetre_principale() {
    const QImage im = ouvre();
    QVERIFY(!im.isNull());
    QVERIFY(f4_->isVisible());
    QVERIFY(!f1_->isEnabled());
    QCOMPARE(f4_->SpeedButton1->text(), QStringLiteral("Retour"));
    QCOMPARE(f4_->SpeedButton12->text(), QStringLiteral("initialisation"));
    QCOMPARE(f4_->Label3->text(), QStringLiteral("translation  [Ctr+flèches]"));
    // The picture is left of the buttons.
    QVERIFY(f4_->Image1->geometry().right() < f4_->SpeedButton1->mapTo(f4_, QPoint(0, 0)).x());
    QCOMPARE(im.pixel(0, 0), 0xFF000000u);
    QVERIFY(im.pixelColor(im.width() / 2, im.height() / 2) != QColor(Qt::black) || im != QImage());
}

void TestGraphe3D::figures_sur_un_dessin_de_640_sur_480() {
    QVERIFY(!ouvre().isNull());
    f4_->resize(640 + (f4_->width() - f4_->Image1->width()), 480);
    QTRY_COMPARE(image().size(), QSize(640, 480));
    QImage im = image();
    QCOMPARE(im.pixel(384, 229), 0xFFFF0000u);
    QCOMPARE(im.pixel(337, 200), 0xFF000080u);
    QCOMPARE(im.pixel(295, 196), 0xFF00FFFFu);
    for (int i = 0; i < 6; ++i) cle(Qt::Key_Left);
    im = image();
    // (100, 50, 10) now at (285, 138): the drop line below it is navy.
    QCOMPARE(im.pixel(285, 160), 0xFF000080u);
}

void TestGraphe3D::touches() {
    const QImage depart = ouvre();
    QVERIFY(!depart.isNull());
    cle(Qt::Key_Up, Qt::ControlModifier);
    QVERIFY(image() != depart);
    cle(Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(image(), depart);

    cle(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    const QImage tourne = image();
    QVERIFY(tourne != depart);
    cle(Qt::Key_Right);
    QCOMPARE(image(), depart);
    cle(Qt::Key_Left);
    QCOMPARE(image(), tourne);
    cle(Qt::Key_Right);

    cle(Qt::Key_Plus); // the main keyboard's + does nothing
    QCOMPARE(image(), depart);
    cle(Qt::Key_Plus, Qt::KeypadModifier);
    QVERIFY(image() != depart);
    cle(Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(image(), depart);
    cle(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier); // Ctrl alone
    QCOMPARE(image(), depart);
    cle(Qt::Key_Slash, Qt::KeypadModifier);
    QVERIFY(image() != depart);
    cle(Qt::Key_Asterisk, Qt::KeypadModifier);
    QCOMPARE(image(), depart);

    cle(Qt::Key_Up);
    cle(Qt::Key_Asterisk, Qt::KeypadModifier);
    QVERIFY(image() != depart);
    QTest::mouseClick(f4_->SpeedButton12, Qt::LeftButton);
    QCOMPARE(image(), depart);
    QVERIFY(f4_->isVisible());
}

void TestGraphe3D::boutons() {
    const QImage depart = ouvre();
    QVERIFY(!depart.isNull());
    const std::pair<QAbstractButton*, QAbstractButton*> paires[] = {
        {f4_->SpeedButton2, f4_->SpeedButton3}, {f4_->SpeedButton4, f4_->SpeedButton5},
        {f4_->SpeedButton9, f4_->SpeedButton10}, {f4_->SpeedButton7, f4_->SpeedButton8},
        {f4_->SpeedButton14, f4_->SpeedButton13}, {f4_->SpeedButton6, f4_->SpeedButton11}};
    for (auto [aller, retour] : paires) {
        QTest::mouseClick(aller, Qt::LeftButton);
        QVERIFY2(image() != depart, qPrintable(aller->objectName()));
        QTest::mouseClick(retour, Qt::LeftButton);
        QVERIFY2(image() == depart, qPrintable(retour->objectName()));
    }
}

void TestGraphe3D::sortie_data() {
    QTest::addColumn<int>("voie");
    QTest::newRow("Esc") << 0;
    QTest::newRow("F7") << 1;
    QTest::newRow("Retour") << 2;
    QTest::newRow("barre de titre") << 3;
    QTest::newRow("autre fenêtre") << 4;
}

void TestGraphe3D::sortie() {
    QFETCH(int, voie);
    QVERIFY(!ouvre().isNull());
    QVERIFY(!f1_->isEnabled());
    switch (voie) {
    case 0: cle(Qt::Key_Escape); break;
    case 1: cle(Qt::Key_F7, Qt::ShiftModifier); break;
    case 2: QTest::mouseClick(f4_->SpeedButton1, Qt::LeftButton); break;
    case 3: f4_->close(); break;
    case 4: QVERIFY(active(fenetres().Form2)); break;
    }
    QTRY_VERIFY(!f4_->isVisible());
    QVERIFY(f1_->isEnabled());
}

void TestGraphe3D::bouton_de_la_fenetre_des_points() {
    TForm2* f2 = fenetres().Form2;
    QVERIFY(active(f2));
    QTest::mouseClick(f2->SpeedButton8, Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(f4_));
    QTest::qWait(50);
    QVERIFY(f4_->isVisible());
    QVERIFY(!f1_->isEnabled());
}

void TestGraphe3D::image_suit_la_taille() {
    QVERIFY(!ouvre().isNull());
    f4_->resize(f4_->width() + 100, f4_->height() + 60);
    QTRY_COMPARE(image().size(), f4_->Image1->size());
    QCOMPARE(f4_->graphe.etat.W, f4_->Image1->width() - 1);
}

QTEST_MAIN(TestGraphe3D)
#include "tst_graphe3d.moc"
