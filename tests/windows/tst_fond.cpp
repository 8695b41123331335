// Background images through the main window: loading by content, placement and margins, the
// clearing of an earlier digitizing, refused files, the clipboard, the tablet sheet, saving
// the overlay, and the image a project cannot find.
#include "tests/support/Banc.h"

#include "LimiteTaille.h"
#include "core/document/Document.h"
#include "core/projet/Projet.h"
#include "core/text/extraitUTIL.h"
#include "imaging/DecodageImage.h"
#include "imaging/EncodageImage.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <csignal>
#include <sys/resource.h>
#include <tiffio.h>

using namespace vuv;
using namespace vuv::test;

namespace {

using Cellules = std::vector<std::string>;

QRgb motif(int x, int y) { return qRgb(x * 7 % 256, y * 5 % 256, (x + y) % 256); }

QImage image_motif(int w, int h) {
    QImage im(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) im.setPixel(x, y, motif(x, y));
    return im;
}

bool ecrit_tiff(const QString& chemin, const QImage& source) {
    TIFF* t = TIFFOpen(QFile::encodeName(chemin).constData(), "w");
    if (!t) return false;
    const QImage im = source.convertToFormat(QImage::Format_RGB888);
    TIFFSetField(t, TIFFTAG_IMAGEWIDTH, im.width());
    TIFFSetField(t, TIFFTAG_IMAGELENGTH, im.height());
    TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 16);
    bool ok = true;
    for (int y = 0; y < im.height() && ok; ++y)
        ok = TIFFWriteScanline(t, const_cast<uchar*>(im.constScanLine(y)), static_cast<uint32_t>(y), 0) >= 0;
    TIFFClose(t);
    return ok;
}

Cellules ligne_de(const Grille& g, int row) {
    Cellules c;
    for (int i = 0; i < g.col_count(); ++i) c.emplace_back(g.cell(i, row));
    return c;
}


} // namespace

class TestFond : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void chargement_frais_sans_proportions();
    void proportions_et_marges_sarcelle_data();
    void proportions_et_marges_sarcelle();
    void second_chargement_efface_la_saisie();
    void fichier_refuse_laisse_le_travail_data();
    void fichier_refuse_laisse_le_travail();
    void format_lu_dans_le_contenu();
    void tiff_garde_son_fichier();
    void ouvrir_par_le_dialogue();
    void presse_papier();
    void feuille_vierge_de_tablette();
    void enregistre_l_image();
    void decalage();
    void projet_a_image_introuvable();
    void projectStartedElsewhereFindsTheImageBesideIt();

private:
    Document& doc() { return t_->programme->document; }
    TForm1& f1() { return *t_->programme->Form1; }
    TForm2& f2() { return *t_->programme->Form2; }
    QString fichier(const QString& nom) const { return dossier_->fichier(nom); }
    QString bmp(const QString& nom, const QImage& im) const {
        const QString c = fichier(nom);
        return im.save(c, "BMP") ? c : QString();
    }
    // A fresh load, proportions off, calibration declined.
    void charge(const QString& chemin) {
        f1().GarderlesproportionsLxH1->setChecked(false);
        QVERIFY(f1().Ouvrir_fichier_image(chemin));
    }

    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    std::unique_ptr<DialoguesScriptes> d_;
    QString courant_;
};

void TestFond::init() { ouvre_seance({dossier_, d_, t_, courant_}); }

void TestFond::cleanup() { ferme_seance({dossier_, d_, t_, courant_}); }

void TestFond::chargement_frais_sans_proportions() {
    const QString c = bmp(QStringLiteral("carte.bmp"), image_motif(1200, 800));
    charge(c);
    const QImage& fond = f1().calque.fond;
    QCOMPARE(fond.size(), QSize(1200, 800));
    QCOMPARE(fond.format(), QImage::Format_RGB555);
    QCOMPARE(f1().calque.image.size(), QSize(1200, 800));
    QCOMPARE(fond, image_motif(1200, 800).convertToFormat(QImage::Format_RGB555));
    QCOMPARE(doc().dx0, 0);
    QCOMPARE(doc().dy0, 0);
    QCOMPARE(doc().fichier_image, ss(c));
    QCOMPARE(f1().texte_statut(1), QStringLiteral("1200x800x15=1757 "));
    QCOMPARE(f1().windowTitle(), QStringLiteral("1200 x 800  carte.bmp    v u v i v i v a                  "));
    QVERIFY(!f1().peindre_fond_au_redimensionnement);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);

    // Default calibration: (0, 799) at (0, 0), (0, 0) at (0, 800), (1199, 0) at (1200, 800).
    const Grille& cal = doc().StringGrid2;
    QCOMPARE(ligne_de(cal, 1), (Cellules{"1", "0", "cal 1", "0", "        799.0000", "0", "      0", "      0", ""}));
    QCOMPARE(ligne_de(cal, 2), (Cellules{"2", "0", "cal 2", "0", "0", "0", "      0", "  800", ""}));
    QCOMPARE(ligne_de(cal, 3), (Cellules{"3", "0", "cal 3", "      1199.0000", "0", "0", "1200", "  800", ""}));
    QCOMPARE(doc().nb_calage, 3);
    const EnregistrementCalage& e3 = doc().calage[2];
    QVERIFY(e3.valide && e3.x == 1200 && e3.y == 800 && e3.X == 1199 && e3.Y == 0);
    QVERIFY(doc().calage[0].Y == 799 && doc().calage[1].y == 800);
    QCOMPARE(doc().nb_points, 0);
    QCOMPARE(doc().num_ligne, 1);
    QVERIFY(f2().StringGrid1->isVisibleTo(&f2()));

    QCOMPARE(t_->port.textes("oui_non"), Cellules{"Voulez-vous d'abord choisir vos points de calibrage ? "});
    QVERIFY(f1().Panel5->isHidden());
    t_->port.repond_oui();
    charge(c);
    QVERIFY(!f1().Panel5->isHidden());
}

void TestFond::proportions_et_marges_sarcelle_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QRect>("attendu"); // dx0, dy0, background size
    QTest::newRow("BMP carré") << "carre.bmp" << QSize(1000, 1000) << QRect(388, 0, 1777, 1000);
    QTest::newRow("JPEG large") << "large.jpg" << QSize(1000, 500) << QRect(0, 31, 1000, 562);
}

void TestFond::proportions_et_marges_sarcelle() {
    QFETCH(QString, nom);
    QFETCH(QSize, image);
    QFETCH(QRect, attendu);
    f1().showNormal();
    QApplication::processEvents();
    f1().taille_client_reference = QSize(1600, 900);
    QImage rouge(image, QImage::Format_RGB32);
    rouge.fill(Qt::red);
    QVERIFY(rouge.save(fichier(nom)));
    QVERIFY(f1().Ouvrir_fichier_image(fichier(nom)));

    const QImage& fond = f1().calque.fond;
    QCOMPARE(fond.size(), attendu.size());
    QCOMPARE(doc().dx0, attendu.x());
    QCOMPARE(doc().dy0, attendu.y());
    const QColor sarcelle(0, 132, 132); // RGB(0, 128, 128) at 5 bits a channel
    QCOMPARE(fond.pixelColor(0, 0), sarcelle);
    QCOMPARE(fond.pixelColor(fond.width() - 1, fond.height() - 1), sarcelle);
    QVERIFY(fond.pixelColor(attendu.x() + 2, attendu.y() + 2).red() > 240);
    QVERIFY(fond.pixelColor(attendu.x() + image.width() - 3, attendu.y() + image.height() - 3).green() < 30);
    QCOMPARE(doc().calage[2].x, attendu.x() + image.width());
    QCOMPARE(doc().calage[2].y, attendu.y() + image.height());
}

void TestFond::second_chargement_efface_la_saisie() {
    charge(bmp(QStringLiteral("a.bmp"), image_motif(300, 200)));
    Document& d = doc();
    for (int r = 1; r <= 3; ++r) d.stocke_xy(r, r, 10 * r, 10 * r);
    d.nb_points = 3;
    Grille& l = d.StringGrid3;
    l.set_row_count(5);
    for (int r = 2; r <= 4; ++r)
        for (int c = 0; c < 5; ++c) l.set_cell(c, r, "v" + std::to_string(c));
    d.num_ligne = 3;
    f1().calque.dernier_x = 7;

    charge(bmp(QStringLiteral("b.bmp"), image_motif(400, 100)));
    QCOMPARE(f1().calque.fond.size(), QSize(400, 100));
    QCOMPARE(d.StringGrid1.row_count(), 4);
    for (int r = 1; r <= 3; ++r) QCOMPARE(ligne_de(d.StringGrid1, r), Cellules(9));
    QCOMPARE(ligne_de(l, 1), (Cellules{"1", "4", "255", "x", ""}));
    for (int r = 2; r <= 3; ++r) QCOMPARE(ligne_de(l, r), (Cellules{"", "", "", "x", "nom"}));
    QCOMPARE(ligne_de(l, 4), (Cellules{"v0", "v1", "v2", "v3", "v4"})); // beyond the current line
    QCOMPARE(d.nb_points, 0);
    QCOMPARE(d.num_ligne, 1);
    QCOMPARE(f1().calque.dernier_x, 0);
}

void TestFond::fichier_refuse_laisse_le_travail_data() {
    QTest::addColumn<QByteArray>("octets"); // empty name: a folder
    QTest::addColumn<QString>("raison");
    QByteArray jpeg;
    {
        QBuffer b(&jpeg);
        b.open(QIODevice::WriteOnly);
        image_motif(200, 200).save(&b, "JPEG");
    }
    QByteArray geant("BM", 2);
    geant += QByteArray(12, '\0');
    geant += QByteArray::fromHex("28000000a0860100a086010001001800");
    geant += QByteArray(24, '\0');
    geant[10] = 54;
    QTest::newRow("JPEG tronqué") << jpeg.left(jpeg.size() / 3) << "tronqué";
    QTest::newRow("vide") << QByteArray() << "fichier vide";
    QTest::newRow("dossier") << QByteArray("/") << "dossier";
    QTest::newRow("100000 x 100000") << geant << "100000 x 100000";
}

void TestFond::fichier_refuse_laisse_le_travail() {
    QFETCH(QByteArray, octets);
    QFETCH(QString, raison);
    const QString bon = bmp(QStringLiteral("bon.bmp"), image_motif(300, 200));
    charge(bon);
    doc().stocke_xy(1, 1, 30, 40);
    doc().nb_points = 1;
    const qint64 cle = f1().calque.fond.cacheKey();
    const QString titre = f1().windowTitle();
    t_->port.oublie();

    const QString mauvais = fichier(QStringLiteral("mauvais.jpg"));
    if (octets == "/") QDir().mkpath(mauvais);
    else ecrit_octets(mauvais, octets);
    QVERIFY(!f1().Ouvrir_fichier_image(mauvais));

    const Cellules erreurs = t_->port.textes("erreur");
    QCOMPARE(erreurs.size(), std::size_t{1});
    QVERIFY2(qs(erreurs[0]).contains(mauvais) && qs(erreurs[0]).contains(raison), erreurs[0].c_str());
    QCOMPARE(t_->port.nombre("oui_non"), 0);
    QCOMPARE(f1().calque.fond.cacheKey(), cle);
    QCOMPARE(doc().fichier_image, ss(bon));
    QCOMPARE(doc().nb_points, 1);
    QCOMPARE(doc().StringGrid1.cell(6, 1), _format(4, 0, 30));
    QCOMPARE(f1().windowTitle(), titre);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
}

void TestFond::format_lu_dans_le_contenu() {
    const QImage source = image_motif(64, 48);
    QVERIFY(ecrit_jpeg(source, fichier(QStringLiteral("photo.jpeg"))));
    charge(fichier(QStringLiteral("photo.jpeg")));
    QCOMPARE(f1().calque.fond.size(), QSize(64, 48));

    QDir().mkpath(fichier(QStringLiteral("x.jpg")));
    for (const QString& nom : {QStringLiteral("plan.jpg"), QStringLiteral("x.jpg/plan.bmp")}) {
        charge(bmp(nom, source));
        QCOMPARE(f1().calque.fond, source.convertToFormat(QImage::Format_RGB555));
    }
    const QString exemple = QStringLiteral(VUVIVIVA_SAMPLES "/carte_exemple.jpg");
    charge(exemple);
    QCOMPARE(f1().calque.fond, decode_image(exemple).image);
    QCOMPARE(t_->port.nombre("erreur"), 0);
}

// A project made on a TIFF names the TIFF itself: loading another TIFF meanwhile changes
// nothing of it, and reopening it decodes the file again without a question.
void TestFond::tiff_garde_son_fichier() {
    const QImage plan = image_motif(90, 70), autre = image_motif(60, 50).mirrored();
    QVERIFY(ecrit_tiff(fichier(QStringLiteral("plan.TIFF")), plan));
    QVERIFY(ecrit_tiff(fichier(QStringLiteral("autre.tif")), autre));
    f1().GarderlesproportionsLxH1->setChecked(false);
    d_->repond_fichier(fichier(QStringLiteral("plan.TIFF")));
    f1().Ouvrir1->trigger();
    QCOMPARE(doc().fichier_image, ss(fichier(QStringLiteral("plan.TIFF"))));
    QVERIFY(f1().windowTitle().startsWith(QStringLiteral("90 x 70  plan.TIFF    ")));
    QVERIFY(!existe(fichier(QStringLiteral("~tmp.bmp"))));
    d_->repond_fichier(fichier(QStringLiteral("plan.trl")));
    f1().Enregistrer1->trigger();
    QVERIFY(lit_octets(fichier(QStringLiteral("plan.trl")))
                .startsWith("/VUVIVIVA\r\n" + fichier(QStringLiteral("plan.TIFF")).toUtf8() + "\r\n"));

    d_->repond_fichier(fichier(QStringLiteral("autre.tif")));
    f1().Ouvrir1->trigger();
    QCOMPARE(f1().calque.fond, autre.convertToFormat(QImage::Format_RGB555));
    t_->port.oublie();
    t_->port.repond("O"); // the project's image differs from the one shown
    d_->repond_fichier(fichier(QStringLiteral("plan.trl")));
    f1().ouvrir_un_tableau->trigger();
    QCOMPARE(t_->port.nombre("oui_non"), 0);
    QCOMPARE(doc().fichier_image, ss(fichier(QStringLiteral("plan.TIFF"))));
    QCOMPARE(f1().calque.fond, plan.convertToFormat(QImage::Format_RGB555));

    // An older project naming a converted "~tmp.bmp" still asks where the image is.
    const QString tmp = fichier(QStringLiteral("~tmp.bmp"));
    QVERIFY(autre.save(tmp, "BMP"));
    QVERIFY(!f1().Ouvrir_fichier_image(tmp, TForm1::ModeChargement::relecture));
    QCOMPARE(t_->port.nombre("oui_non"), 1);
    QVERIFY(doc().fichier_image.empty());
    QCOMPARE(f1().calque.fond.size(), QSize(90, 70));
}

void TestFond::ouvrir_par_le_dialogue() {
    d_->repond_fichier_annule();
    f1().SpeedButton5->click();
    const DemandeFichier& q = d_->demandes().last();
    QCOMPARE(q.titre, QStringLiteral(" Ouvrir un fichier image"));
    QCOMPARE(q.filtre, QStringLiteral("Fichiers (*.jpg, *.bmp, *.gif, *.tif)|*.jpg;*.gif;*.bmp;*.tif|"
                                      "Fichiers Bitmap (*.bmp)|*.bmp;Tous (*.*)|*.*"));
    QCOMPARE(q.index_filtre, 1);
    QVERIFY(q.doit_exister);
    QCOMPARE(q.dossier, dossier_->chemin() + QLatin1Char('/'));
    QVERIFY(!f1().calque.existe());

    QDir().mkpath(fichier(QStringLiteral("cartes")));
    const QString c = bmp(QStringLiteral("cartes/a.bmp"), image_motif(50, 40));
    d_->repond_fichier(c);
    f1().Ouvrir1->trigger();
    QCOMPARE(lit_octets(fichier(QStringLiteral("~vuviviva.~i"))), fichier(QStringLiteral("cartes")).toUtf8() + "\r\n");
    QCOMPARE(doc().fichier_image, ss(c));
    QVERIFY(f2().isVisible()); // "Carte + Tableau"
    QCOMPARE(t_->port.nombre("oui_non"), 1);
}

void TestFond::presse_papier() {
    QApplication::clipboard()->clear();
    f1().Imagedupressepapier1->trigger();
    QCOMPARE(t_->port.textes("information"),
             Cellules{"   Pas d'image dans le presse-papier\n\n Pour capturer un écran appuyer sur la touche "
                      "[Imp écran]\n\n en maximisant au préalable la résolution de l'écran pour plus de détails"});
    QVERIFY(d_->demandes().isEmpty());

    QApplication::clipboard()->setImage(image_motif(120, 80));
    const QStringList avant = QDir(dossier_->chemin()).entryList(QDir::Files);
    d_->repond_fichier_annule();
    f1().Imagedupressepapier1Click();
    const QString dossier = dossier_->chemin() + QLatin1Char('/');
    QCOMPARE(d_->demandes().last().titre,
             QStringLiteral(" Nom de l'image issue du presse-papier  (init Rép: ") + dossier + QLatin1Char(')'));
    QCOMPARE(d_->demandes().last().dossier, dossier);
    QCOMPARE(QDir(dossier_->chemin()).entryList(QDir::Files), avant);
    QVERIFY(!f1().calque.existe());

    d_->repond_fichier(fichier(QStringLiteral("capture.jpg")));
    f1().GarderlesproportionsLxH1->setChecked(false);
    f1().Imagedupressepapier1Click();
    const QString ecrit = fichier(QStringLiteral("capture.jpg.bmp"));
    QVERIFY(lit_octets(ecrit).startsWith("BM"));
    QCOMPARE(doc().fichier_image, ss(ecrit));
    QCOMPARE(f1().calque.fond.size(), QSize(120, 80));
    QVERIFY(f2().isVisible()); // "Carte + Tableau"
}

void TestFond::feuille_vierge_de_tablette() {
    f1().ouvrir_sans_bmp();
    QCOMPARE(f1().calque.image.size(), QSize(2100, 1485));
    QCOMPARE(f1().calque.image.pixelColor(5, 5), QColor(140, 231, 198)); // RGB(139, 231, 195), 5 bits a channel
    QVERIFY(f1().calque.fond.isNull());
    QVERIFY(f1().texte_statut(1).isEmpty());
    QVERIFY(f1().Tabledigitaliser1->isChecked());
    QVERIFY(f1().ScrollBar1->isHidden());
    QVERIFY(f2().isVisible());
    QVERIFY(t_->port.messages().empty()); // not yet in tablet mode when the counters were reset
    QCOMPARE(doc().num_ligne, 1);

    // Already in tablet mode: it stays so, and the calibration clicks are announced.
    f1().ouvrir_sans_bmp();
    QVERIFY(f1().Tabledigitaliser1->isChecked());
    QCOMPARE(t_->port.textes("information"),
             Cellules{"Les 3 premiers points cliqués sont les points de calage \n\n    entrez leur coordonnée"});

    // Saved as an 8-bit bitmap.
    d_->repond_fichier(fichier(QStringLiteral("feuille")));
    f1().Enregistrerlimage1Click();
    const QByteArray b = lit_octets(fichier(QStringLiteral("feuille.bmp")));
    QCOMPARE(int(b.at(28)), 8);
    QCOMPARE(decode_image(fichier(QStringLiteral("feuille.bmp"))).image, f1().calque.image);
}

void TestFond::enregistre_l_image() {
    charge(bmp(QStringLiteral("carte.bmp"), image_motif(300, 200)));
    d_->repond_fichier(fichier(QStringLiteral("sortie")));
    f1().Enregistrerlimage1->trigger();
    const QByteArray b = lit_octets(fichier(QStringLiteral("sortie.bmp")));
    QCOMPARE(int(b.at(28)), 16);
    QCOMPARE(decode_image(fichier(QStringLiteral("sortie.bmp"))).image, f1().calque.image);

    // By the extension only: a folder named "JPG" does not make JPEG bytes.
    QDir().mkpath(fichier(QStringLiteral("JPG")));
    d_->repond_fichier(fichier(QStringLiteral("JPG/plan.bmp")));
    f1().Enregistrerlimage1Click();
    QVERIFY(lit_octets(fichier(QStringLiteral("JPG/plan.bmp"))).startsWith("BM"));
    d_->repond_fichier(fichier(QStringLiteral("photo.JPG")));
    f1().Enregistrerlimage1Click();
    QVERIFY(lit_octets(fichier(QStringLiteral("photo.JPG"))).startsWith("\xff\xd8"));
    d_->repond_fichier(fichier(QStringLiteral("lignes")));
    f1().SpeedButton11->click();
    QVERIFY(lit_octets(fichier(QStringLiteral("lignes.jpg"))).startsWith("\xff\xd8"));
    QCOMPARE(d_->demandes().last().titre, QStringLiteral("  Enregistrer l'image : indiquer .bmp (par défaut)  ou  .jpg"));

    // A failed write keeps the previous file and says so.
    ecrit_octets(fichier(QStringLiteral("ancien.bmp")), "ancien");
    d_->repond_fichier(fichier(QStringLiteral("ancien.bmp")));
    {
        const LimiteTaille limite(1000);
        f1().Enregistrerlimage1Click();
    }
    QCOMPARE(lit_octets(fichier(QStringLiteral("ancien.bmp"))), QByteArray("ancien"));
    QCOMPARE(t_->port.nombre("erreur"), 1);
    QVERIFY(qs(t_->port.textes("erreur")[0]).contains(fichier(QStringLiteral("ancien.bmp"))));
}

void TestFond::decalage() {
    const QString c = bmp(QStringLiteral("carte.bmp"), image_motif(300, 200));
    charge(c);
    doc().nb_calage = 0;
    t_->port.oublie();
    // No stored size: the image and its offset.
    doc().largeur_fond = doc().hauteur_fond = 0;
    f2().Edit_dx0->setText(QStringLiteral("30"));
    QTest::keyClick(f2().Edit_dx0, Qt::Key_Return);
    QCOMPARE(f1().calque.fond.size(), QSize(330, 200));
    QCOMPARE(f1().calque.fond.pixelColor(5, 5), QColor(0, 132, 132));
    const QImage source = image_motif(300, 200).convertToFormat(QImage::Format_RGB555);
    QCOMPARE(f1().calque.fond.pixel(31, 1), source.pixel(1, 1));
    QCOMPARE(doc().nb_calage, 0); // no default calibration on a reload
    QCOMPARE(t_->port.nombre("oui_non"), 1);
    // The stored size wins.
    doc().largeur_fond = 500;
    doc().hauteur_fond = 250;
    f2().Edit_dy0->setText(QStringLiteral("10"));
    QTest::keyClick(f2().Edit_dy0, Qt::Key_Return);
    QCOMPARE(f1().calque.fond.size(), QSize(500, 250));
    QCOMPARE(doc().dx0, 30);
    QCOMPARE(doc().dy0, 10);
}

void TestFond::projet_a_image_introuvable() {
    charge(bmp(QStringLiteral("plan.bmp"), image_motif(300, 200)));
    const QString projet = fichier(QStringLiteral("projet.trl"));
    ecrit_projet(doc(), ss(projet), true);
    QDir().mkpath(fichier(QStringLiteral("ailleurs")));
    QVERIFY(QDir().rename(fichier(QStringLiteral("plan.bmp")), fichier(QStringLiteral("ailleurs/plan.bmp"))));
    ecrit_octets(fichier(QStringLiteral("projet.tif")), "");
    t_.reset();
    t_ = demarre();
    const QString question = QStringLiteral("Dans le fichier ") + projet + "\n    l'image <" + fichier("plan.bmp") +
                             "> est introuvable\n    ainsi que l'image <plan.bmp> dans le répertoire courant\n"
                             "           Voulez-vous la chercher sur le poste actuel ?";

    // Non: the reading stops.
    d_->repond_fichier(projet);
    f2().Liredespoints1Click();
    QCOMPARE(t_->port.textes("oui_non"), Cellules{ss(question)});
    QVERIFY(doc().fichier_image.empty());
    QVERIFY(!f1().calque.existe());

    // Oui: chosen in a dialog, then read on.
    t_->port.oublie();
    t_->port.repond_oui();
    d_->repond_fichier(projet);
    d_->repond_fichier(fichier(QStringLiteral("ailleurs/plan.bmp")));
    f2().Liredespoints1Click();
    const DemandeFichier& q = d_->demandes().last();
    QCOMPARE(q.titre, QStringLiteral(" Rechercher le fichier plan.bmp"));
    QCOMPARE(q.filtre, QStringLiteral("Fichiers (*.jpg, *.bmp, *.gif, *.tif)|*.jpg;*.gif;*.bmp;*.tif|"
                                      "Fichiers Bitmap (*.bmp)|*.bmp"));
    QCOMPARE(q.nom, QStringLiteral("projet.tif"));
    QVERIFY(q.doit_exister);
    QCOMPARE(doc().fichier_image, ss(fichier(QStringLiteral("ailleurs/plan.bmp"))));
    QCOMPARE(f1().calque.fond.size(), QSize(300, 200));
    QCOMPARE(doc().nb_calage, 3);
    QCOMPARE(t_->port.nombre("oui_non"), 1); // no calibration question on a reading

    // Found in the current folder (the dialog's), without a question.
    t_->port.oublie();
    QVERIFY(f1().Ouvrir_fichier_image(QStringLiteral("/nulle/part/plan.bmp"), TForm1::ModeChargement::relecture));
    QCOMPARE(doc().fichier_image, ss(fichier(QStringLiteral("ailleurs/plan.bmp"))));
    QCOMPARE(t_->port.nombre("oui_non"), 0);
}

QTEST_MAIN(TestFond)
#include "tst_fond.moc"

// A project folder copied elsewhere and opened from the command line in another folder: the
// stored path is gone and the current folder is not the project's, but the image lies beside it.
void TestFond::projectStartedElsewhereFindsTheImageBesideIt() {
    QDir().mkpath(fichier(QStringLiteral("original")));
    charge(bmp(QStringLiteral("original/plan.bmp"), image_motif(300, 200)));
    ecrit_projet(doc(), ss(fichier(QStringLiteral("original/projet.trl"))), true);
    QVERIFY(QDir().rename(fichier(QStringLiteral("original")), fichier(QStringLiteral("copie"))));
    QDir().mkpath(fichier(QStringLiteral("ailleurs")));
    QVERIFY(QDir::setCurrent(fichier(QStringLiteral("ailleurs"))));
    t_.reset();
    t_ = demarre({fichier(QStringLiteral("copie/projet.trl"))});
    QCOMPARE(t_->port.nombre("oui_non"), 0);
    QCOMPARE(doc().fichier_image, ss(fichier(QStringLiteral("copie/plan.bmp"))));
    QCOMPARE(f1().calque.fond.size(), QSize(300, 200));
}
