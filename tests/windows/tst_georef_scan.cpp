// Scans that carry their georeference, opened through the main window's "Charger une image de
// fond" and the file dialog: GeoTIFFs and world-file JPEGs made here through GDAL, north-up and
// turned, calibrated at once at their four corners; the refused ones load as usual; and the
// overlay saved with the files that let a GIS place it.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "core/text/separateur.h"
#include "sig/SystemeCoordonnees.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <cpl_string.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <array>

using namespace vuv;
using namespace vuv::test;

namespace {

using Cellules = std::vector<std::string>;
using GT = std::array<double, 6>;

const GT nord{652000.0, 2.5, 0.0, 6862000.0, 0.0, -2.5};
// 30 degrees, pixels of 0.5 m by 0.75 m.
const GT tourne{700123.25, 0.4330127018922193, 0.375, 6600456.5, 0.25, -0.649519052838329};
constexpr int largeur = 400, hauteur = 300;
const char* const question_calage = "Voulez-vous d'abord choisir vos points de calibrage ? ";
const char* const calage_par_defaut = "\n\nL'image est chargée avec le calage par défaut.";

std::string wkt_de(const char* code) {
    std::string wkt, erreur;
    sig::systeme_vers_wkt(code, wkt, erreur);
    return wkt;
}

std::pair<double, double> par(const GT& gt, double col, double lig) {
    double X = 0, Y = 0;
    GDALApplyGeoTransform(const_cast<double*>(gt.data()), col, lig, &X, &Y);
    return {X, Y};
}

} // namespace

class TestGeorefScan : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { GDALAllRegister(); }
    void init();
    void cleanup();

    void scan_cale_a_ses_quatre_coins_data();
    void scan_cale_a_ses_quatre_coins();
    void georeference_refusee_chargement_habituel_data();
    void georeference_refusee_chargement_habituel();
    void calque_enregistre_avec_sa_georeference();

private:
    Document& doc() { return t_->programme->document; }
    TForm1& f1() { return *t_->programme->Form1; }
    QString fichier(const QString& nom) const { return dossier_->fichier(nom); }
    // An orange image made by GDAL's own driver, with its transform and system when given.
    QString image(const QString& nom, const char* pilote, const GT* gt, const std::string& wkt = {},
                  CSLConstList options = nullptr) {
        GDALDatasetH mem = GDALCreate(GDALGetDriverByName("MEM"), "", largeur, hauteur, 3, GDT_Byte, nullptr);
        for (int b = 1; b <= 3; ++b) GDALFillRaster(GDALGetRasterBand(mem, b), b == 1 ? 255 : b == 2 ? 128 : 0, 0);
        if (gt) GDALSetGeoTransform(mem, const_cast<double*>(gt->data()));
        if (!wkt.empty()) GDALSetProjection(mem, wkt.c_str());
        const QString chemin = fichier(nom);
        GDALDatasetH copie = GDALCreateCopy(GDALGetDriverByName(pilote), ss(chemin).c_str(), mem, FALSE,
                                            const_cast<char**>(options), nullptr, nullptr);
        GDALClose(copie);
        GDALClose(mem);
        return chemin;
    }
    void ouvre(const QString& chemin) {
        d_->repond_fichier(chemin);
        f1().Ouvrir1->trigger();
    }
    // The calibrated document at the image's pixel position (col, lig), margins included.
    std::pair<double, double> reel_de(int col, int lig) {
        long double X = 0, Y = 0;
        doc().repere_carte(col + doc().dx0, lig + doc().dy0, X, Y);
        return {static_cast<double>(X), static_cast<double>(Y)};
    }
    void proportions() {
        f1().GarderlesproportionsLxH1->setChecked(true);
        f1().showNormal();
        QApplication::processEvents();
        f1().taille_client_reference = QSize(1600, 900);
    }

    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    std::unique_ptr<DialoguesScriptes> d_;
    QString courant_;
};

void TestGeorefScan::init() { ouvre_seance({dossier_, d_, t_, courant_}); }

void TestGeorefScan::cleanup() { ferme_seance({dossier_, d_, t_, courant_}); }

void TestGeorefScan::scan_cale_a_ses_quatre_coins_data() {
    QTest::addColumn<QString>("genre");
    QTest::addColumn<bool>("est_tourne");
    QTest::addColumn<char>("sep");
    for (const char* genre : {"geotiff", "jpeg"})
        for (bool t : {false, true})
            QTest::addRow("%s %s", genre, t ? "tourné" : "nord") << QString::fromLatin1(genre) << t << (t ? ',' : '.');
}

void TestGeorefScan::scan_cale_a_ses_quatre_coins() {
    QFETCH(QString, genre);
    QFETCH(bool, est_tourne);
    QFETCH(char, sep);
    const SeparateurLocal separateur(sep);
    const GT& gt = est_tourne ? tourne : nord;
    proportions();
    QString chemin;
    if (genre == QLatin1String("geotiff")) {
        chemin = image(QStringLiteral("scan.tif"), "GTiff", &gt, wkt_de("2154"));
    } else {
        // The north-up one through GDAL's own .wld, the turned one through a .jgw and a .prj.
        const char* const avec_wld[] = {"WORLDFILE=YES", nullptr};
        chemin = image(QStringLiteral("scan.jpg"), "JPEG", est_tourne ? nullptr : &gt, {}, avec_wld);
        if (est_tourne) {
            QVERIFY(GDALWriteWorldFile(ss(chemin).c_str(), "jgw", const_cast<double*>(gt.data())));
            QFile::remove(fichier(QStringLiteral("scan.wld")));
            ecrit_octets(fichier(QStringLiteral("scan.prj")), QByteArray::fromStdString(wkt_de("2154")));
        }
    }
    doc().sauve = true;
    ouvre(chemin);

    QCOMPARE(t_->port.messages(), Cellules{});
    QVERIFY2(t_->port.textes("oui_non").empty(), "a calibrated scan asks for no calibration points");
    QCOMPARE(doc().fichier_image, ss(chemin));
    QVERIFY(doc().dx0 > 0);
    QCOMPARE(f1().calque.fond.pixelColor(doc().dx0 + 5, doc().dy0 + 5).red(), 255);
    QCOMPARE(doc().nb_calage, 3);
    QVERIFY(!doc().sauve);
    for (const auto& [col, lig] : {std::pair{0, 0}, {largeur, 0}, {0, hauteur}, {largeur, hauteur}}) {
        const auto [X, Y] = reel_de(col, lig);
        const auto [Xt, Yt] = par(gt, col, lig);
        QVERIFY2(std::abs(X - Xt) <= 1e-6 && std::abs(Y - Yt) <= 1e-6,
                 qPrintable(QStringLiteral("coin %1,%2 : %3 %4 au lieu de %5 %6")
                                .arg(col).arg(lig).arg(X, 0, 'f', 9).arg(Y, 0, 'f', 9).arg(Xt, 0, 'f', 9).arg(Yt, 0, 'f', 9)));
    }
    const bool avec_systeme = genre == QLatin1String("geotiff") || est_tourne;
    QCOMPARE(sig::nom_systeme(doc().systeme_wkt), std::string(avec_systeme ? "RGF93 v1 / Lambert-93 (EPSG:2154)" : ""));
    QCOMPARE(f1().etiquette_systeme->isHidden(), !avec_systeme);
    if (avec_systeme) QCOMPARE(f1().etiquette_systeme->text(), QStringLiteral("Système : RGF93 v1 / Lambert-93 (EPSG:2154)"));
}

void TestGeorefScan::georeference_refusee_chargement_habituel_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("monde");   // empty: a GeoTIFF that cannot be inverted
    QTest::addColumn<QString>("message");    // %1: the folder
    QTest::newRow("pixel nul") << "z.jpg" << QByteArray("0\n0\n0\n-2.5\n652001.25\n6861998.75\n")
                               << "Fichier <%1/z.jgw>, ligne 1 : la taille du pixel en largeur est nulle";
    QTest::newRow("pas un nombre") << "n.jpg" << QByteArray("2.5\n0\n0\n-2.5\nsept cent mille\n6861998.75\n")
                                   << "Fichier <%1/n.jgw>, ligne 5 : <sept cent mille> n'est pas un nombre";
    QTest::newRow("cinq lignes") << "c.jpg" << QByteArray("2.5\r\n0\r\n0\r\n-2.5\r\n652001.25\r\n")
                                 << "Fichier <%1/c.jgw> : un fichier de géoréférence tient six nombres, un par ligne ; "
                                    "celui-ci n'en a que 5";
    QTest::newRow("geotiff plat") << "p.tif" << QByteArray()
                                  << "Fichier <%1/p.tif> : la transformation n'est pas inversible : les lignes et les "
                                     "colonnes de l'image tombent sur une même droite";
}

void TestGeorefScan::georeference_refusee_chargement_habituel() {
    QFETCH(QString, nom);
    QFETCH(QByteArray, monde);
    QFETCH(QString, message);
    f1().GarderlesproportionsLxH1->setChecked(false);
    const std::string l93 = wkt_de("2154");
    doc().systeme_wkt = l93;
    QString chemin;
    if (monde.isEmpty()) {
        const GT plat{1000, 1, 2, 2000, 0.5, 1};
        chemin = image(nom, "GTiff", &plat);
    } else {
        chemin = image(nom, "JPEG", nullptr);
        ecrit_octets(fichier(nom.left(1) + QStringLiteral(".jgw")), monde);
    }
    ouvre(chemin);

    QCOMPARE(t_->port.textes("information"), Cellules{ss(message.arg(dossier_->chemin())) + calage_par_defaut});
    QCOMPARE(t_->port.textes("oui_non"), Cellules{question_calage});
    QCOMPARE(doc().fichier_image, ss(chemin));
    QCOMPARE(f1().calque.fond.size(), QSize(largeur, hauteur));
    // The default calibration: pixels as units, Y upwards.
    long double X = 0, Y = 0;
    doc().repere_carte(largeur, hauteur, X, Y);
    QCOMPARE(static_cast<double>(X), largeur - 1.0);
    QCOMPARE(static_cast<double>(Y), 0.0);
    QCOMPARE(doc().systeme_wkt, l93);
}

void TestGeorefScan::calque_enregistre_avec_sa_georeference() {
    proportions();
    const QString scan = image(QStringLiteral("scan.tif"), "GTiff", &tourne, wkt_de("2154"));
    ouvre(scan);
    QCOMPARE(doc().nb_calage, 3);
    const QString option = QStringLiteral("Avec son géoréférencement : fichier world (.bpw, .jgw) et système (.prj)");

    d_->repond_fichier(fichier(QStringLiteral("calque.jpg")));
    f1().Enregistrerlimage1->trigger();
    QCOMPARE(d_->demandes().last().option, option);
    QVERIFY(d_->demandes().last().option_cochee);
    QCOMPARE(t_->port.messages(), Cellules{});
    for (const char* nom : {"calque.jgw", "calque.prj", "calque.jpg.aux.xml"})
        QVERIFY2(existe(fichier(QString::fromLatin1(nom))), nom);

    // GDAL places the saved overlay: the scan's corners, past the margins, where they were.
    GDALDatasetH ds = GDALOpen(ss(fichier(QStringLiteral("calque.jpg"))).c_str(), GA_ReadOnly);
    QVERIFY(ds);
    GT lu{};
    QCOMPARE(GDALGetGeoTransform(ds, lu.data()), CE_None);
    OGRSpatialReferenceH s = GDALGetSpatialRef(ds);
    QVERIFY(s);
    QCOMPARE(QString::fromUtf8(OSRGetName(s)), QStringLiteral("RGF93 v1 / Lambert-93"));
    GDALClose(ds);
    for (const auto& [col, lig] : {std::pair{0, 0}, {largeur, 0}, {0, hauteur}, {largeur, hauteur}}) {
        const auto [X, Y] = par(lu, col + doc().dx0, lig + doc().dy0);
        const auto [Xt, Yt] = par(tourne, col, lig);
        QVERIFY(std::abs(X - Xt) <= 1e-6 && std::abs(Y - Yt) <= 1e-6);
    }

    // The box unchecked: the overlay alone.
    d_->repond_fichier(fichier(QStringLiteral("seul.jpg")));
    d_->repond_option(false);
    f1().SpeedButton11->click();
    QVERIFY(existe(fichier(QStringLiteral("seul.jpg"))));
    QVERIFY(!existe(fichier(QStringLiteral("seul.jgw"))));
    QVERIFY(!existe(fichier(QStringLiteral("seul.prj"))));

    // Without a system the box starts unchecked; checked, a bitmap gets its world file only.
    doc().systeme_wkt.clear();
    d_->repond_fichier(fichier(QStringLiteral("plan.bmp")));
    d_->repond_option(true);
    f1().Enregistrerlimage1Click();
    QVERIFY(!d_->demandes().last().option_cochee);
    QVERIFY(existe(fichier(QStringLiteral("plan.bpw"))));
    QVERIFY(!existe(fichier(QStringLiteral("plan.prj"))));
    QCOMPARE(t_->port.messages(), Cellules{});
}

QTEST_MAIN(TestGeorefScan)
#include "tst_georef_scan.moc"
