// The "e m f" window through its five steps, with real metafiles and the dialogs answered.
#include "tests/support/Banc.h"
#include "tests/support/DialoguesScriptes.h"

#include "imaging/EncodageImage.h"
#include "windows/metafichier/emf.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

namespace {

struct Fenetre {
    Fenetre() {
        installe_dialogues(&dialogues);
        t->programme->Form1->findChild<QAction*>(QStringLiteral("Conversionemf1"))->trigger();
        t->port.oublie();
    }
    ~Fenetre() {
        installe_dialogues(nullptr);
        QDir::setCurrent(ancien);
    }
    void clic(QWidget* b) { QTest::mouseClick(b, Qt::LeftButton); }
    QString genere(const QString& nom, const QStringList& arguments) {
        const QString c = dossier.fichier(nom);
        QProcess::execute(QStringLiteral(GENERE_METAFICHIERS), QStringList{nom.right(3), c} + arguments);
        return c;
    }
    void ouvre(const QString& chemin) {
        dialogues.repond_fichier(chemin);
        clic(f.SpeedButton3);
    }
    QStringList lignes(QPlainTextEdit* m) const { return m->toPlainText().split(QLatin1Char('\n')); }

    QString ancien = QDir::currentPath();
    DossierProgrammeTest dossier;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm_emf& f = *t->programme->Form_emf;
    DialoguesScriptes dialogues;
};

} // namespace

class TestEmf : public QObject {
    Q_OBJECT

private slots:
    void bothMenuEntriesOpenTheWindowAtStepOne() {
        Fenetre w;
        QVERIFY(w.f.isVisible());
        QCOMPARE(w.f.windowTitle(), QStringLiteral("e m f"));
        w.f.hide();
        w.t->programme->Form1->findChild<QAction*>(QStringLiteral("emfwmfbmp1"))->trigger();
        QVERIFY(w.f.isVisible());
        QCOMPARE(w.f.Edit4->text(), QStringLiteral("1063"));
        QCOMPARE(w.f.etape_en_gras(), 1);
        QVERIFY(w.f.SpeedButton3->font().bold());
        QVERIFY(!w.f.SpeedButton2->font().bold());
        QVERIFY(w.f.RadioBmp->isChecked());
        const QStringList textes = [&] {
            QStringList l;
            for (const QLabel* e : w.f.findChildren<QLabel*>()) l << e->text();
            return l;
        }();
        QVERIFY(textes.contains(QStringLiteral("Largeur actuelle en pixxels")));
        QVERIFY(textes.contains(QStringLiteral("Largeur résultante en pixels - > ")));
    }

    void targetWidthRoundsAndRejectsNonIntegers() {
        Fenetre w;
        w.f.Edit2->clear();
        QTest::keyClicks(w.f.Edit2, QStringLiteral("10"));
        w.f.ComboBox1->setCurrentText(QStringLiteral("300"));
        QCOMPARE(w.f.Edit4->text(), QStringLiteral("1181"));
        w.f.Edit2->setText(QStringLiteral("1"));
        w.f.ComboBox1->setCurrentText(QStringLiteral("76"));
        QCOMPARE(w.f.Edit4->text(), QStringLiteral("30"));
        w.f.Edit2->clear();
        QTest::keyClicks(w.f.Edit2, QStringLiteral("x"));
        QCOMPARE(w.t->port.textes("erreur"), std::vector<std::string>{"'x' n'est pas une valeur entière correcte"});
        QCOMPARE(w.f.Edit4->text(), QStringLiteral("30"));
    }

    // 18510 units at 1440 per inch: 1234 pixels; 1063 / 1234 gives zoom 86, hence 1061.
    void placeableWmfScalesToTheTarget() {
        Fenetre w;
        const QString wmf = w.genere(QStringLiteral("plan.wmf"), {"18510", "4320", "1440"});
        w.ouvre(wmf);
        QCOMPARE(w.f.etape_en_gras(), 2);
        QCOMPARE(w.f.Edit5->text(), QStringLiteral("1234"));
        QCOMPARE(w.lignes(w.f.Memo1), (QStringList{wmf, "picture LxHxb=1234x288", "image   LxHxb=1234x288"}));
        QVERIFY(w.f.Label1->text().endsWith(QStringLiteral("/plan.wmf  LxH=1234x288")));
        QVERIFY(w.f.Label1->fontMetrics().horizontalAdvance(w.f.Label1->text()) <= w.f.Label1->width());
        w.dialogues.repond_couleur(QColor(0, 255, 0));
        QTest::mouseClick(w.f.Panel2, Qt::LeftButton);
        QCOMPARE(w.f.etape_en_gras(), 3);
        w.clic(w.f.SpeedButton6);
        QCOMPARE(w.f.etape_en_gras(), 4);
        QCOMPARE(w.f.zoom(), 86);
        QCOMPARE(w.f.resultat().width(), 1061);
        QCOMPARE(w.f.resultat().format(), QImage::Format_RGB32);
        QCOMPARE(w.f.resultat().pixel(1059, 2), qRgb(0, 255, 0));
        QCOMPARE(w.lignes(w.f.Memo2), (QStringList{wmf + " => Bitmap", "picture LxHxb=1061x247", "image   LxHxb=1061x247"}));
    }

    // 32000 units at 10 per inch is 307200 pixels, 289 times the target: zoom 0 would leave nothing.
    void veryWideDrawingStillGivesAnImage() {
        Fenetre w;
        w.ouvre(w.genere(QStringLiteral("large.wmf"), {"32000", "10", "10"}));
        QCOMPARE(w.f.Edit5->text(), QStringLiteral("307200"));
        w.clic(w.f.SpeedButton6);
        QCOMPARE(w.f.zoom(), 1);
        QCOMPARE(w.f.resultat().width(), 3072);
    }

    void bitmapSourceKeepsZoom100() {
        Fenetre w;
        QImage im(40, 30, QImage::Format_RGB32);
        im.fill(Qt::blue);
        const QString bmp = w.dossier.fichier(QStringLiteral("petit.bmp"));
        QVERIFY(ecrit_bmp(im, bmp));
        w.ouvre(bmp);
        QCOMPARE(w.f.source(), TForm_emf::Source::bitmap);
        w.clic(w.f.SpeedButton6);
        QCOMPARE(w.f.zoom(), 100);
        QCOMPARE(w.f.resultat().size(), QSize(40, 30));
    }

    void tifUnderAJpgNameWritesTif() {
        Fenetre w;
        w.ouvre(w.genere(QStringLiteral("plan.emf"), {"32650", "21167"}));
        w.clic(w.f.SpeedButton6);
        QTest::mouseClick(w.f.RadioTif, Qt::LeftButton, {}, QPoint(6, w.f.RadioTif->height() / 2));
        const QString jpg = w.dossier.fichier(QStringLiteral("plan.jpg"));
        w.dialogues.repond_fichier(jpg);
        w.clic(w.f.SpeedButton8);
        const DemandeFichier& d = w.dialogues.demandes().last();
        QCOMPARE(d.titre, QStringLiteral("ENREGISTRER l'image BITMAP"));
        QCOMPARE(d.filtre, QStringLiteral("Fichiers image (*.bmp;*.jpg;*.tif)|*.bmp;*.jpg;*.tif|Tous les fichiers (*.*)|*.*"));
        QCOMPARE(d.nom, QStringLiteral("plan.tif"));
        QCOMPARE(w.f.etape_en_gras(), 5);
        QVERIFY(!existe(jpg));
        QCOMPARE(lit_octets(w.dossier.fichier(QStringLiteral("plan.tif"))).left(4), QByteArray("II*\0", 4));
        QVERIFY(w.t->port.messages().empty());
    }

    // A folder with a dot of its own does not stop the extension.
    void nameWithoutDotGetsTheExtension() {
        Fenetre w;
        QDir(w.dossier.chemin()).mkdir(QStringLiteral("plans.v2"));
        w.ouvre(w.genere(QStringLiteral("plan.emf"), {"32650", "21167"}));
        w.clic(w.f.SpeedButton6);
        w.dialogues.repond_fichier(w.dossier.fichier(QStringLiteral("plans.v2/carte")));
        w.clic(w.f.SpeedButton8);
        QVERIFY(existe(w.dossier.fichier(QStringLiteral("plans.v2/carte.bmp"))));
    }

    void lectureTestIsInertUntilSomethingIsSaved() {
        Fenetre w;
        const QString titre = w.t->programme->Form1->windowTitle();
        w.clic(w.f.SpeedButton2);
        QCOMPARE(w.t->programme->Form1->windowTitle(), titre);
        QCOMPARE(w.f.etape_en_gras(), 1);
        QVERIFY(w.t->port.messages().empty());
    }

    void emfToTiffThenOpenedAsBackground() {
        Fenetre w;
        w.ouvre(w.genere(QStringLiteral("dessin.emf"), {"32650", "21167"}));
        w.dialogues.repond_couleur(QColor(255, 255, 0));
        QTest::mouseClick(w.f.Panel2, Qt::LeftButton);
        w.clic(w.f.SpeedButton6);
        QCOMPARE(w.f.resultat().size(), QSize(1061, 688));
        QTest::mouseClick(w.f.RadioTif, Qt::LeftButton, {}, QPoint(6, w.f.RadioTif->height() / 2));
        w.dialogues.repond_fichier(w.dossier.fichier(QStringLiteral("dessin.tif")));
        w.clic(w.f.SpeedButton8);
        w.clic(w.f.SpeedButton2);
        QCOMPARE(w.f.etape_en_gras(), 1);
        TForm1& f1 = *w.t->programme->Form1;
        QVERIFY2(f1.windowTitle().startsWith(QStringLiteral("1061 x 688  dessin.tif")), qPrintable(f1.windowTitle()));
        QVERIFY(!f1.LxHxC().isEmpty());
        // The main window's own question after a new background, and nothing else.
        QCOMPARE(w.t->port.messages().size(), 1u);
        QVERIFY(w.t->port.messages()[0].starts_with("Voulez-vous d'abord choisir vos points de calibrage ?"));
    }

    void refusalsKeepSourceAndFiles() {
        Fenetre w;
        const QString emf = w.genere(QStringLiteral("plan.emf"), {"32650", "21167"});
        w.ouvre(emf);
        w.clic(w.f.SpeedButton6);
        const QImage avant = w.f.resultat();
        const QString enorme = w.genere(QStringLiteral("enorme.emf"), {"2645834", "2645834"});
        w.ouvre(enorme);
        QCOMPARE(w.t->port.textes("erreur"),
                 std::vector<std::string>{"Impossible de lire le dessin " + enorme.toStdString() +
                                          " : le dessin demande 100000 x 100000 pixels, au-delà de la limite de 400 mégapixels"});
        QCOMPARE(w.lignes(w.f.Memo1).first(), emf);
        QCOMPARE(w.f.resultat(), avant);

        // A target under a regular file cannot exist.
        w.t->port.oublie();
        QTest::mouseClick(w.f.RadioTif, Qt::LeftButton, {}, QPoint(6, w.f.RadioTif->height() / 2));
        const QString sous_fichier = emf + QStringLiteral("/x.tif");
        w.dialogues.repond_fichier(sous_fichier);
        w.clic(w.f.SpeedButton8);
        QCOMPARE(w.t->port.nombre("erreur"), 1);
        QVERIFY(w.t->port.textes("erreur")[0].find(sous_fichier.toStdString()) != std::string::npos);
        const QString titre = w.t->programme->Form1->windowTitle();
        w.clic(w.f.SpeedButton2);  // nothing was saved
        QCOMPARE(w.t->programme->Form1->windowTitle(), titre);
    }

    // The office suite's two purples come out exact, and a record this renderer does not draw
    // (a path widened, put before the end) is named in the memo.
    void exportedDrawingKeepsItsColoursAndNamesWhatItSkips() {
        Fenetre w;
        QByteArray emf = lit_octets(QStringLiteral(CORPUS_METAFICHIERS "/violets_lo.emf"));
        emf.insert(emf.size() - 20, QByteArray("\x42\0\0\0\x08\0\0\0", 8));  // EOF is 20 bytes
        const QString c = w.dossier.fichier(QStringLiteral("violets.emf"));
        ecrit_octets(c, emf);
        w.ouvre(c);
        QCOMPARE(w.lignes(w.f.Memo1).last(), QStringLiteral("enregistrements non dessinés : EMR_WIDENPATH (1)"));
        w.clic(w.f.SpeedButton6);
        const QImage r = w.f.resultat().convertToFormat(QImage::Format_RGB32);
        int violets[2] = {0, 0};
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x) {
                violets[0] += r.pixel(x, y) == qRgb(160, 80, 190);
                violets[1] += r.pixel(x, y) == qRgb(200, 50, 215);
            }
        QVERIFY(violets[0] > r.width() * r.height() / 10);
        QVERIFY(violets[1] > r.width() * r.height() / 10);
    }

    void nothingToSaveIsSaid() {
        Fenetre w;
        const QString c = w.dossier.fichier(QStringLiteral("vide.bmp"));
        w.dialogues.repond_fichier(c);
        w.clic(w.f.SpeedButton8);
        QCOMPARE(w.t->port.textes("erreur"),
                 std::vector<std::string>{"Impossible d'enregistrer " + c.toStdString() +
                                          " : l'image est vide, aucun pixel à enregistrer"});
        QVERIFY(!existe(c));
    }

    void quitterAsksThroughTheMainWindow() {
        Fenetre w;
        w.clic(w.f.SpeedButton1);
        QCOMPARE(w.t->port.nombre("question"), 1);
        QVERIFY(!w.t->port.termine());
    }
};

QTEST_MAIN(TestEmf)
#include "tst_emf.moc"
