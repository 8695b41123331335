// Georeferenced backgrounds through the main window's menu and the file dialog: a header and
// a table loaded beside generated images, the calibration they give, and the companions that
// must leave everything as it was.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "core/text/separateur.h"
#include "imaging/EncodageImage.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

namespace {

using Cellules = std::vector<std::string>;
using P = std::pair<long double, long double>;

const QByteArray hdr_second = "xdim 0.5\r\nydim -0.25\r\nncols 2000\r\nnrows 1000\r\n"
                              "ulxmap 651234.25\r\nulymap 1800000.75\r\n";

QImage uni(int w, int h, Qt::GlobalColor c) {
    QImage im(w, h, QImage::Format_RGB32);
    im.fill(c);
    return im;
}

} // namespace

class TestGeoref : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void hdr_par_le_menu_data();
    void hdr_par_le_menu();
    void hdr_avec_proportions();
    void tab_avec_proportions();
    void compagnon_refuse_ne_change_rien_data();
    void compagnon_refuse_ne_change_rien();

private:
    Document& doc() { return t_->programme->document; }
    TForm1& f1() { return *t_->programme->Form1; }
    QString fichier(const QString& nom) const { return dossier_->fichier(nom); }
    Cellules colonne(const char* nom) {
        const int c = doc().indice_col_cal(nom);
        return {std::string(doc().StringGrid2.cell(c, 1)), std::string(doc().StringGrid2.cell(c, 2)), std::string(doc().StringGrid2.cell(c, 3))};
    }
    P reel_de(int x, int y) {
        long double X = -1, Y = -1;
        doc().repere_carte(x, y, X, Y);
        return {X, Y};
    }
    void proportions(bool avec) {
        f1().GarderlesproportionsLxH1->setChecked(avec);
        if (!avec) return;
        f1().showNormal();
        QApplication::processEvents();
        f1().taille_client_reference = QSize(1600, 900);
    }

    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    std::unique_ptr<DialoguesScriptes> d_;
    QString courant_;
};

void TestGeoref::init() { ouvre_seance({dossier_, d_, t_, courant_}); }

void TestGeoref::cleanup() { ferme_seance({dossier_, d_, t_, courant_}); }

void TestGeoref::hdr_par_le_menu_data() {
    QTest::addColumn<char>("sep");
    QTest::newRow("point") << '.';
    QTest::newRow("virgule") << ',';
}

void TestGeoref::hdr_par_le_menu() {
    QFETCH(char, sep);
    const SeparateurLocal separateur(sep);
    const auto loc = [sep](std::string t) {
        for (char& c : t)
            if (c == '.') c = sep;
        return t;
    };
    proportions(false);
    ecrit_octets(fichier(QStringLiteral("plan.hdr")), hdr_second);
    // The bitmap wins over the JPEG, whatever the case of its name.
    QVERIFY(uni(2000, 1000, Qt::red).save(fichier(QStringLiteral("PLAN.Bmp")), "BMP"));
    QVERIFY(ecrit_jpeg(uni(2000, 1000, Qt::blue), fichier(QStringLiteral("plan.jpg"))));
    doc().sauve = true;

    d_->repond_fichier(fichier(QStringLiteral("plan.hdr")));
    QVERIFY(f1().Charger1->isEnabled());
    f1().Charger1->trigger();

    QCOMPARE(d_->demandes().size(), 1);
    const DemandeFichier& q = d_->demandes().last();
    QCOMPARE(q.titre, QStringLiteral(" Ouvrir un fichier Arc/Info  *.hdr"));
    QCOMPARE(q.filtre, QStringLiteral("Fichiers (*.hdr)|*.hdr|Tous les fichiers|*.*"));
    QCOMPARE(q.index_filtre, 1);
    QVERIFY(q.doit_exister);
    QVERIFY(q.nom.isEmpty());
    QCOMPARE(doc().fichier_image, ss(fichier(QStringLiteral("PLAN.Bmp"))));
    QCOMPARE(f1().calque.fond.pixelColor(5, 5), QColor(Qt::red));
    QCOMPARE(t_->port.textes("oui_non"), Cellules{"Voulez-vous d'abord choisir vos points de calibrage ? "});
    QVERIFY(t_->port.textes("information").empty());

    QCOMPARE(colonne("X"), (Cellules{loc("651234.25"), loc("651234.25"), loc("652234.25")}));
    QCOMPARE(colonne("Y"), (Cellules{loc("1800000.75"), loc("1799750.75"), loc("1799750.75")}));
    QCOMPARE(colonne("Z"), (Cellules{"0", "0", "0"}));
    QCOMPARE(colonne("x"), (Cellules{"0", "0", "2000"}));
    QCOMPARE(colonne("y"), (Cellules{"0", "1000", "1000"}));
    QCOMPARE(doc().nb_calage, 3);
    QVERIFY(!doc().sauve);
    QVERIFY(reel_de(1000, 500) == P(651734.25L, 1799875.75L));

    // A second georeferenced load is refused before any dialog.
    const int demandes = d_->demandes().size();
    f1().ChargerunTAB1->trigger();
    QCOMPARE(t_->port.textes("information"),
             Cellules{"Pour l'instant sortir de l'application et relancer (sinon Bug!)"});
    QCOMPARE(d_->demandes().size(), demandes);
}

void TestGeoref::hdr_avec_proportions() {
    proportions(true);
    ecrit_octets(fichier(QStringLiteral("p.hdr")), hdr_second);
    QVERIFY(uni(2000, 1000, Qt::red).save(fichier(QStringLiteral("p.bmp")), "BMP"));
    d_->repond_fichier(fichier(QStringLiteral("p.hdr")));
    f1().Charger1Click();
    QCOMPARE(doc().dy0, 62);
    QCOMPARE(colonne("x"), (Cellules{"0", "0", "2000"}));
    QCOMPARE(colonne("y"), (Cellules{"62", "1062", "1062"}));
    QVERIFY(reel_de(1000, 562) == P(651734.25L, 1799875.75L));
}

void TestGeoref::tab_avec_proportions() {
    proportions(true);
    QDir().mkpath(fichier(QStringLiteral("sub")));
    QVERIFY(ecrit_jpeg(uni(1000, 1000, Qt::green), fichier(QStringLiteral("sub/carte.jpg"))));
    ecrit_octets(fichier(QStringLiteral("carte.tab")),
                 "!table\r\n!version 300\r\n\r\nDefinition Table\r\n  File \"sub\\carte.jpg\"\r\n"
                 "  Type \"RASTER\"\r\n  (600000,2100000) (0,0) Label \"Pt 1\",\r\n"
                 "  (610000,2100000) (1000,0) Label \"Pt 2\",\r\n"
                 "  (610000,2090000) (1000,1000) Label \"Pt 3\"\r\n"
                 "  CoordSys Earth Projection 1, 104 Bounds (-10, -10) (10, 10)\r\n");
    d_->repond_fichier(fichier(QStringLiteral("carte.tab")));
    f1().ChargerunTAB1->trigger();

    QCOMPARE(d_->demandes().size(), 1);
    QCOMPARE(d_->demandes().last().titre, QStringLiteral(" Ouvrir un fichier MapInfo  *.tab"));
    QCOMPARE(d_->demandes().last().filtre, QStringLiteral("Fichiers (*.tab)|*.tab|Tous les fichiers|*.*"));
    QCOMPARE(doc().fichier_image, ss(fichier(QStringLiteral("sub/carte.jpg"))));
    QCOMPARE(doc().dx0, 388);
    QCOMPARE(colonne("X"), (Cellules{"600000", "610000", "610000"}));
    QCOMPARE(colonne("Y"), (Cellules{"2100000", "2100000", "2090000"}));
    QCOMPARE(colonne("x"), (Cellules{"388", "1388", "1388"}));
    QCOMPARE(colonne("y"), (Cellules{"0", "0", "1000"}));
    QVERIFY(reel_de(888, 500) == P(605000, 2095000));
    QVERIFY(t_->programme->Form2->isVisible()); // "Carte + Tableau"
}

void TestGeoref::compagnon_refuse_ne_change_rien_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("message"); // %1: the folder
    const QByteArray points = "Type \"RASTER\"\n(0,1) (0,0)\n(0,0) (0,10)\n(1,0) (10,10)\n";
    QTest::newRow("tab sans Type") << "a.tab" << QByteArray("File \"a.bmp\"\n(0,1) (0,0)\n")
                                   << "Fichier <%1/a.tab> : la clé Type est absente après File";
    QTest::newRow("tab image absente") << "a.tab" << QByteArray("File \"absente.bmp\"\n" + points)
                                       << "<%1/absente.bmp> impossible à ouvrir";
    QTest::newRow("hdr sans image") << "b.hdr" << hdr_second << "%1/b.TIF impossible à ouvrir";
    QTest::newRow("annulé") << QString() << QByteArray() << QString();
}

void TestGeoref::compagnon_refuse_ne_change_rien() {
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, message);
    proportions(false);
    QVERIFY(uni(2000, 1000, Qt::red).save(fichier(QStringLiteral("a.bmp")), "BMP"));
    doc().sauve = true;
    const Cellules X = colonne("X"), x = colonne("x");
    if (nom.isEmpty()) {
        d_->repond_fichier_annule();
    } else {
        ecrit_octets(fichier(nom), contenu);
        d_->repond_fichier(fichier(nom));
    }
    if (nom.endsWith(QStringLiteral(".tab"))) f1().ChargerunTAB1->trigger();
    else f1().Charger1->trigger();

    if (message.isEmpty()) QVERIFY(t_->port.messages().empty());
    else QCOMPARE(t_->port.messages(), Cellules{ss(message.arg(dossier_->chemin()))});
    QVERIFY(!f1().calque.existe());
    QVERIFY(doc().fichier_image.empty());
    QCOMPARE(colonne("X"), X);
    QCOMPARE(colonne("x"), x);
    QCOMPARE(doc().nb_calage, 0);
    QVERIFY(doc().sauve);
}

QTEST_MAIN(TestGeoref)
#include "tst_georef.moc"
