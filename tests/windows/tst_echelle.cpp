// The scale panel opened by a two-point line in Surface mode, and the altitude panel driven
// by the points window.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "core/text/separateur.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"
#include "windows/principale/scroll.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>
#include <QApplication>

#include <array>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

namespace {

// X = x, Y = 100 - y; line 1 from pixel (100, 500) to (250, 300), 250 long.
struct Carte {
    SeparateurLocal sep{'.'};
    DossierProgrammeTest dossier;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm1& f = *t->programme->Form1;
    TForm2& f2 = *fenetres().Form2;
    Document& d = t->programme->document;
    DialoguesScriptes dialogues;

    Carte() {
        installe_dialogues(&dialogues);
        QImage fond(1000, 800, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        const int px[3][2] = {{0, 0}, {0, 100}, {100, 100}};
        const long double reel[3][2] = {{0, 100}, {0, 0}, {100, 0}};
        for (int k = 0; k < 3; ++k) {
            d.affecte_calage(k + 1, 0, "cal " + std::to_string(k + 1), 0, 0, 0, reel[k][1], reel[k][0]);
            d.calage[static_cast<std::size_t>(k)] = {true, px[k][0], px[k][1], reel[k][0], reel[k][1], 0};
            d.StringGrid2.set_cell(d.indice_col_cal("x"), k + 1, std::to_string(px[k][0]));
            d.StringGrid2.set_cell(d.indice_col_cal("y"), k + 1, std::to_string(px[k][1]));
        }
        d.nb_calage = 3;
        for (auto [x, y] : {std::pair{100, 500}, {250, 300}}) {
            ++d.nb_points;
            d.affecte_en(d.nb_points, 1, "", 0, 100 - y, x, y, x);
        }
        for (int k = 0; k < 4; ++k) d.StringGrid3.set_cell(k, 1, std::array{"1", "4", "255", "x"}[k]);
        d.sauve = true;
        t->port.oublie();
    }
    ~Carte() { installe_dialogues(nullptr); }

    void ouvre_echelle() {
        QTest::mouseClick(f.Surfacer, Qt::LeftButton);
        f.calcul_surface(100, 500);

    }
    void tape(QLineEdit* e, const QString& texte) {
        e->clear();
        QTest::keyClicks(e, texte);
        QTest::keyClick(e, Qt::Key_Return);
    }
    std::string cal(const char* col, int row) const { return std::string(d.StringGrid2.cell(d.indice_col_cal(col), row)); }
    std::string cellule(const char* col, int row) const { return std::string(d.StringGrid1.cell(d.indice_col(col), row)); }
};

} // namespace

class TestEchelle : public QObject {
    Q_OBJECT

private slots:
    void uneLigneDeDeuxPointsMiseALEchelleParEntree() {
        Carte c;
        const std::string avant = c.cal("Y", 1);
        c.ouvre_echelle();
        QVERIFY(c.f.Panel8->isVisible());
        QCOMPARE(c.f.Label26->text(), QStringLiteral("La suite (1) ne contient que 2 points distants de 250"));
        QCOMPARE(c.f.Label27->text(), QStringLiteral("distance calculée = 250.000000 "));
        QVERIFY(c.f.Memo1->toPlainText().isEmpty());

        c.t->port.repond_non();
        c.tape(c.f.Edit14, QStringLiteral("1000"));
        QCOMPARE(c.t->port.textes("oui_non"),
                 std::vector<std::string>{" Mise à l'échelle = calcul des calibrations\n  distance calculée  = 250\n"
                                          "  distance réelle    = 1000\n  facteur d'échelle = 4"});
        QCOMPARE(c.cal("Y", 1), avant);
        QVERIFY(c.f.Panel8->isVisible());
        QVERIFY(c.d.sauve);

        c.t->port.repond_oui();
        QTest::mouseClick(c.f.Button10, Qt::LeftButton);
        QCOMPARE(c.cal("X", 1) + "/" + c.cal("Y", 1), std::string("0/400"));
        QCOMPARE(c.cal("X", 2) + "/" + c.cal("Y", 2), std::string("0/0"));
        QCOMPARE(c.cal("X", 3) + "/" + c.cal("Y", 3), std::string("400/0"));
        QCOMPARE(c.cellule("X", 1) + " " + c.cellule("Y", 1), std::string("400.00000000 -1600.00000000"));
        QCOMPARE(c.cellule("X", 2) + " " + c.cellule("Y", 2), std::string("1000.00000000 -800.00000000"));
        QVERIFY(c.f.Panel8->isHidden());
        QVERIFY(!c.d.sauve);
    }

    void uneDistanceNegativeEstRefuseeCommeZero() {
        Carte c;
        const std::string avant = c.cal("Y", 1);
        c.ouvre_echelle();
        c.tape(c.f.Edit14, QStringLiteral("-5"));
        QCOMPARE(c.t->port.messages(), std::vector<std::string>{"valeur <-5> non numérique ou distance nulle "});
        QCOMPARE(c.cal("Y", 1), avant);
        QTest::mouseClick(c.f.Button11, Qt::LeftButton);
        QVERIFY(c.f.Panel8->isHidden());
    }

    void lAltitudeSuitLaLigneCouranteEtLesTouchesF3F2() {
        Carte c;
        c.d.StringGrid1.set_cell(c.d.indice_col("Z"), 2, "100");
        c.d.StringGrid1.set_row(2);
        QApplication::setActiveWindow(&c.f);
        QVERIFY(QTest::qWaitForWindowActive(&c.f));
        QTest::keyClick(&c.f, Qt::Key_F3);
        QCOMPARE(c.cellule("Z", 2), std::string("100")); // the box unchecked: nothing

        c.f2.CheckBox_z->setChecked(true);
        QVERIFY(c.f.Panel_z->isVisible());
        QCOMPARE(c.f.Edit12_z->text(), QStringLiteral("100"));
        QCOMPARE(c.f.Label17_n->text().trimmed(), QStringLiteral("2"));
        c.d.sauve = true;
        for (int i = 0; i < 3; ++i) QTest::keyClick(&c.f, Qt::Key_F3);
        QCOMPARE(c.cellule("Z", 2), std::string("250"));
        QTest::mouseClick(c.f.SpeedButton20, Qt::LeftButton);
        QCOMPARE(c.cellule("Z", 2), std::string("200"));
        QCOMPARE(c.f.Edit12_z->text(), QStringLiteral("200"));
        QVERIFY(!c.d.sauve);

        c.f.Edit11->setText(QStringLiteral("1.5"));
        c.f.AltitudedeltaZ1->trigger();
        QCOMPARE(c.t->port.textes("erreur"), std::vector<std::string>{"'1.5' n'est pas une valeur entière correcte"});
        QCOMPARE(c.cellule("Z", 2), std::string("200"));

        c.tape(c.f.Edit12_z, QStringLiteral("12x"));
        QCOMPARE(c.t->port.nombre("ton"), 1);
        QCOMPARE(c.cellule("Z", 2), std::string("200"));
        c.tape(c.f.Edit12_z, QStringLiteral("-"));
        QCOMPARE(c.cellule("Z", 2), std::string("-"));
        c.f.Edit11->setText(QStringLiteral("0"));
        QTest::keyClick(&c.f, Qt::Key_F3);
        QCOMPARE(c.cellule("Z", 2), std::string("50"));

        // The header row holds no point: nothing is written there.
        c.d.StringGrid1.set_row(0);
        c.tape(c.f.Edit12_z, QStringLiteral("7"));
        QTest::keyClick(&c.f, Qt::Key_F3);
        QCOMPARE(c.cellule("Z", 0), std::string("Z"));
    }
};

QTEST_MAIN(TestEchelle)
#include "tst_echelle.moc"
