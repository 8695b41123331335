// A user's road through a georeferenced scan: an ARC/INFO header calibrates the map, surveyed
// points come in from a text file through the preview, the project is saved, and the program,
// started again, reads back the same points on the same map.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/commun/Textes.h"
#include "windows/points/scroll2.h"
#include "windows/principale/scroll.h"
#include "windows/question/Unit6.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace vuv;
using namespace vuv::test;

class TestGeorefImport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aHeaderCalibratesTheImportLandsAndTheProjectComesBack();

private:
    Document& doc() { return t_->programme->document; }
    TForm1& f1() { return *t_->programme->Form1; }
    TForm2& f2() { return *t_->programme->Form2; }
    QString fichier(const QString& nom) const { return dossier_->fichier(nom); }
    std::string point(const char* colonne, int r) { return std::string(doc().StringGrid1.cell(doc().indice_col(colonne), r)); }

    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    std::unique_ptr<DialoguesScriptes> d_;
    QString courant_;
};

void TestGeorefImport::init() { ouvre_seance({dossier_, d_, t_, courant_}); }

void TestGeorefImport::cleanup() { ferme_seance({dossier_, d_, t_, courant_}); }

void TestGeorefImport::aHeaderCalibratesTheImportLandsAndTheProjectComesBack() {
    f1().GarderlesproportionsLxH1->setChecked(false);
    QImage plan(2000, 1000, QImage::Format_RGB32);
    plan.fill(Qt::white);
    QVERIFY(plan.save(fichier(QStringLiteral("plan.bmp")), "BMP"));
    ecrit_octets(fichier(QStringLiteral("plan.hdr")),
                 "xdim 0.5\r\nydim -0.25\r\nncols 2000\r\nnrows 1000\r\nulxmap 651234.25\r\nulymap 1800000.75\r\n");

    // The header: its three corners calibrate the map, no click needed.
    d_->repond_fichier(fichier(QStringLiteral("plan.hdr")));
    f1().Charger1->trigger();
    QCOMPARE(doc().nb_calage, 3);

    // Surveyed points in real coordinates, through the preview of the text import.
    const QString releve = fichier(QStringLiteral("releve.txt"));
    ecrit_octets(releve, "' borne relevee\r\n651734.25 1799875.75 centre\r\n651234.25 1800000.75 coin\r\n");
    t_->port.repond_oui();
    t_->port.repond("O");
    d_->repond_fichier(releve);
    t_->programme->Form6->pilote = [](TForm6& f) { QTest::mousePress(f.Button2, Qt::LeftButton); };
    QTest::mouseClick(f2().SpeedButton6, Qt::LeftButton);
    QCOMPARE(doc().nb_points, 2);
    QCOMPARE(point("x", 1), std::string("1000"));
    QCOMPARE(point("y", 1), std::string("  500"));
    QCOMPARE(point("x", 2), std::string("      0"));
    QCOMPARE(point("Libellé", 2), std::string("coin"));
    QVERIFY(!doc().sauve);

    const QString projet = fichier(QStringLiteral("releve.trl"));
    d_->repond_fichier(projet);
    f1().Enregistrer1->trigger();
    QVERIFY(doc().sauve);

    // Started again, opened through the menu: the same map, calibration and points.
    t_.reset();
    t_ = demarre();
    d_->repond_fichier(projet);
    f1().ouvrir_un_tableau->trigger();
    QCOMPARE(doc().nb_points, 2);
    QCOMPARE(doc().nb_calage, 3);
    QCOMPARE(doc().fichier_image, ss(fichier(QStringLiteral("plan.bmp"))));
    QCOMPARE(point("x", 1), std::string("1000"));
    QCOMPARE(point("Libellé", 1), std::string("centre"));
    long double X = 0, Y = 0;
    doc().repere_carte(1000, 500, X, Y);
    QCOMPARE(static_cast<double>(X), 651734.25);
    QCOMPARE(static_cast<double>(Y), 1799875.75);
    QVERIFY(doc().sauve);
}

QTEST_MAIN(TestGeorefImport)
#include "tst_georef_import.moc"
