// A user's road through measuring and exporting: the sample map loaded, calibrated by three
// clicks with real values typed, a closed polygon and a second line digitized, the polygon
// measured in "Surface" mode, the points exported as a blanking file through the export panel.
#include "tests/support/Banc.h"
#include "tests/support/Tableaux.h"

#include "core/document/Document.h"
#include "core/mesure/FormatNombre.h"
#include "core/text/separateur.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/principale/export/PanneauExport.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"
#include "windows/principale/carte/scroll_image.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <cmath>

using namespace vuv;
using namespace vuv::test;

class TestMesureExport : public QObject {
    Q_OBJECT

private slots:
    void carte_mesuree_et_exportee();

private:
    TForm1& f1() { return *t_->programme->Form1; }
    QPoint ecran(double fx, double fy) {
        return {static_cast<int>(f1().Image1->width() * fx), static_cast<int>(f1().Image1->height() * fy)};
    }
    QPoint pixel(QPoint p) {
        int x = 0, y = 0;
        f1().calque.vue.repere_image_bitmap(p.x(), p.y(), f1().Image1->width(), f1().Image1->height(), x, y);
        return {x, y};
    }
    void clique(QPoint p) { QTest::mouseClick(f1().Image1, Qt::LeftButton, {}, p); }
    void entree() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

    std::unique_ptr<ProgrammeTest> t_;
};

void TestMesureExport::carte_mesuree_et_exportee() {
    SeparateurLocal virgule(','); // the export writes points whatever the local convention
    DossierProgrammeTest dossier;
    DialoguesScriptes dialogues;
    installe_dialogues(&dialogues);
    t_ = demarre();
    TForm2& f2 = *t_->programme->Form2;
    Document& doc = t_->programme->document;

    const QString carte = dossier.fichier(QStringLiteral("carte.jpg"));
    QVERIFY(QFile::copy(QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.jpg"), carte));
    QVERIFY(f1().Ouvrir_fichier_image(carte));
    QApplication::processEvents();
    QCOMPARE(doc.nb_calage, 3); // the default frame in pixels

    // A new calibration by three clicks, each given its pixel position as real value, so that
    // real coordinates are the pixels themselves.
    f1().Panel5->show();
    f1().SpeedButton14->click();
    const QPoint cal[3] = {ecran(0.1, 0.1), ecran(0.1, 0.9), ecran(0.9, 0.9)};
    for (const QPoint& p : cal) clique(p);
    QCOMPARE(doc.nb_calage, 3);
    f1().tab_points();
    QVERIFY(active(&f2));
    for (int k = 0; k < 3; ++k) {
        const QPoint px = pixel(cal[k]);
        vuv::test::tape(f2.StringGrid2, 3, k + 1, QString::number(px.x()));
        entree();
        vuv::test::tape(f2.StringGrid2, 4, k + 1, QString::number(px.y()));
        entree();
    }
    QVERIFY(active(&f1()));
    clique(ecran(0.5, 0.5)); // only brings the map back

    // A closed square, then a second line of two points.
    const QPoint carre[5] = {ecran(0.3, 0.3), ecran(0.5, 0.3), ecran(0.5, 0.6), ecran(0.3, 0.6), ecran(0.3, 0.3)};
    for (const QPoint& p : carre) clique(p);
    dialogues.repond_couleur_annule();
    f1().SpeedButton2->click();
    const QPoint route[2] = {ecran(0.7, 0.2), ecran(0.8, 0.4)};
    for (const QPoint& p : route) clique(p);
    QCOMPARE(doc.nb_points, 7);
    QCOMPARE(doc.num_ligne, 2);

    // The polygon measured: its surface is its pixel area.
    f1().Surfacer->click();
    clique(ecran(0.4, 0.3));
    const QPoint a = pixel(carre[0]), c = pixel(carre[2]);
    const long double surface = std::fabs(static_cast<long double>(c.x() - a.x()) * (c.y() - a.y()));
    const QString resultats = f1().Memo1->toPlainText();
    QVERIFY2(resultats.contains(QStringLiteral(" Suite(1)= \t5\t points")), qPrintable(resultats));
    QVERIFY2(resultats.contains(QString::fromStdString(formate_nombre("### ### ### ### ##0.000000000", surface))),
             qPrintable(resultats));

    // The export panel: a blanking file beside the project.
    f1().affiche_panel_sauve();
    f1().Panel7->RadioGroup_extention->item(2)->click();
    dialogues.repond_fichier(dossier.fichier(QStringLiteral("plan")));
    f1().Panel7->Button8->click();
    QByteArray attendu = "7, 0\r\n";
    for (const QPoint& p : carre)
        attendu += QByteArray::number(pixel(p).x()) + ".00000000, " + QByteArray::number(pixel(p).y()) + ".00000000\r\n";
    for (const QPoint& p : route)
        attendu += QByteArray::number(pixel(p).x()) + ".00000000, " + QByteArray::number(pixel(p).y()) + ".00000000\r\n";
    QCOMPARE(lit_octets(dossier.fichier(QStringLiteral("plan.bln"))), attendu);
    QVERIFY(existe(dossier.fichier(QStringLiteral("plan.trl"))));
    QVERIFY(doc.sauve);

    t_.reset();
    installe_dialogues(nullptr);
}

QTEST_MAIN(TestMesureExport)
#include "tst_mesure_export.moc"
