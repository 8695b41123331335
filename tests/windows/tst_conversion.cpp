// The conversion window opened from the main menu: "UTM --> Lat,Long" on the sample sheet under
// both conventions, the export file and clipboard byte for byte, one message for a run with bad
// values, the text import, copy-down and the ellipsoid chooser.
#include "tests/support/Banc.h"
#include "tests/support/Tableaux.h"

#include "core/text/encodage.h"
#include "core/text/separateur.h"
#include "windows/conversion/Convert.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/question/Unit6.h"
#include "windows/conversion/GrilleConversion.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace vuv;
using namespace vuv::test;

namespace {

struct Fenetre {
    explicit Fenetre(char sep = ',') : separateur(sep) {
        installe_dialogues(&dialogues);
        t->programme->Form1->findChild<QAction*>(QStringLiteral("UTMLat1"))->trigger();
        t->port.oublie();
    }
    ~Fenetre() {
        installe_dialogues(nullptr);
        QDir::setCurrent(ancien);
    }
    std::string at(int col, int row) const { return std::string(f.grille.cell(col, row)); }
    void clic(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

    QString ancien = QDir::currentPath();
    SeparateurLocal separateur;
    DossierProgrammeTest dossier;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm7& f = *t->programme->Form7;
    const ColonnesFeuille& c = f.colonnes;
    DialoguesScriptes dialogues;
};

// Types into the current cell key by key, to whatever has the focus, as a user does.
void tape(const QString& texte) {
    for (QChar ch : texte) QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor's text is kept by a queued call
}

std::string local(std::string t, char sep) {
    for (char& ch : t)
        if (ch == ',') ch = sep;
    return t;
}

} // namespace

class TestConversion : public QObject {
    Q_OBJECT

private slots:
    void leMenuOuvreLaFenetre() {
        Fenetre w;
        QVERIFY(w.f.isVisible());
        QCOMPARE(w.f.windowTitle(), QStringLiteral("Convertions"));
        QCOMPARE(w.f.BitBtn3->text(), QStringLiteral("°lat,°long °'\"--> UTM (vide) "));
        QCOMPARE(w.f.BitBtn3->toolTip(), QStringLiteral("SI les colonnes Est ET Nord sont vides ALORS Calcul"));
        QCOMPARE(w.f.Label10->text(), QStringLiteral("< , >"));
        QCOMPARE(w.f.ComboBox1->itemText(0), QStringLiteral("WGS 84"));
        QCOMPARE(w.f.ComboBox1->itemText(22), QStringLiteral("Airy"));
        QCOMPARE(w.f.StringGrid1->model()->rowCount(), 100);
        QCOMPARE(w.f.StringGrid1->model()->columnCount(), 14);
        w.clic(w.f.SpeedButton1);
        QVERIFY(!w.f.isVisible());
    }

    void utmVersLatLongEtExport_data() {
        QTest::addColumn<char>("sep");
        QTest::newRow("virgule") << ',';
        QTest::newRow("point") << '.';
    }
    void utmVersLatLongEtExport() {
        QFETCH(char, sep);
        Fenetre w(sep);
        w.clic(w.f.BitBtn2);
        QVERIFY(w.t->port.messages().empty());
        for (int r : {1, 2, 7}) {
            QCOMPARE(w.at(w.c.lat, r), local("48,5999598581", sep));
            QCOMPARE(w.at(w.c.lon, r), local("7,7367236722", sep));
            QCOMPARE(w.at(w.c.dlat, r), local("48° 35' 59,8555\"", sep));
            QCOMPARE(w.at(w.c.dlon, r), local("7° 44' 12,2052\"", sep));
            QCOMPARE(w.at(w.c.lettre, r), std::string("U"));
            QCOMPARE(w.at(w.c.x, r), std::string("  407"));
            QCOMPARE(w.at(w.c.y, r), std::string("5\u00A0384"));
        }
        QCOMPARE(w.at(w.c.lat, 13), local("0,0000000000", sep));
        QCOMPARE(w.at(w.c.lon, 13), local("3,9999999920", sep));
        QCOMPARE(w.at(w.c.lettre, 13), std::string("M"));

        w.t->port.repond_oui();
        w.clic(w.f.SpeedButton_presse_papier);
        const QString fichier = w.dossier.fichier(QStringLiteral("UTMpresse_papier.txt"));
        const QByteArray octets = lit_octets(fichier);
        const QList<QByteArray> lignes = octets.split('\n');
        QCOMPARE(lignes.size(), 102); // 101 lines and the empty rest after the last LF
        QVERIFY(lignes.last().isEmpty());
        for (int i = 0; i < 101; ++i) {
            QVERIFY(lignes[i].endsWith("\t\r"));
            QCOMPARE(lignes[i].count('\t'), 14);
        }
        QCOMPARE(lignes[0], QByteArray("n\xB0\tLibell\xE9\tEst (X)\tNord (Y)\tZone\tUTM lettre\tH\xE9misph\xE8re\t"
                                       "Ellipso\xEF" "de\tLatitude\tLongitude\t\xB0latitude\t\xB0longitude\t x / 1000\t"
                                       " y / 1000\t\r"));
        QCOMPARE(lignes[1], QByteArray::fromStdString(local("1\t\t406864\t5383757\t32\tU\tN\tWGS 84\t48,5999598581\t"
                                                            "7,7367236722\t48\xB0 35' 59,8555\"\t7\xB0 44' 12,2052\"\t"
                                                            "  407\t5\xA0" "384\t\r",
                                                            sep)));
        QCOMPARE(w.t->port.textes("presse_papier"), std::vector<std::string>{cp1252_vers_utf8(octets.toStdString())});
        QCOMPARE(w.t->port.textes("information"),
                 std::vector<std::string>{"Le presse-papier est à jour  \r ainsi que le fichier <" + fichier.toStdString() +
                                          ">"});
    }

    void unExportImpossibleLeDitEtRemplitLePressePapier() {
        Fenetre w;
        const QString fichier = w.dossier.fichier(QStringLiteral("UTMpresse_papier.txt"));
        QVERIFY(QDir().mkdir(fichier)); // a folder where the file should go
        w.t->port.repond_oui();
        w.clic(w.f.SpeedButton_presse_papier);
        QCOMPARE(w.t->port.nombre("presse_papier"), 1);
        QCOMPARE(w.t->port.nombre("information"), 0);
        const auto erreurs = w.t->port.textes("erreur");
        QCOMPARE(erreurs.size(), std::size_t(1));
        QVERIFY(erreurs[0].starts_with("Le presse-papier est à jour, mais pas le fichier <" + fichier.toStdString() + "> :\r"));
    }

    void desValeursIllisiblesDonnentUnSeulMessage() {
        Fenetre w;
        QVERIFY(active(&w.f));
        w.f.StringGrid1->setFocus();
        w.f.StringGrid1->choisit(w.c.nord, 1);
        tape(QStringLiteral("12-3"));
        QCOMPARE(QString::fromStdString(w.at(w.c.nord, 1)), QStringLiteral("12-3"));
        w.f.grille.set_cell(w.c.zone, 2, "61");
        w.f.grille.set_cell(w.c.lat, 20, "-90,5");
        w.clic(w.f.BitBtn2);
        QCOMPARE(w.t->port.messages(),
                 std::vector<std::string>{"3 lignes n'ont pas été converties (valeurs illisibles ou hors limites) :"
                                          "\rn° 1  Nord (Y)  <12-3>\rn° 2  Zone  <61>\rn° 20  Latitude  <-90,5>"});
        QCOMPARE(w.at(w.c.lat, 1), std::string());
        QCOMPARE(w.at(w.c.lat, 2), std::string());
        QCOMPARE(w.at(w.c.x, 20), std::string());
        QCOMPARE(w.at(w.c.lat, 7), std::string("48,5999598581"));
    }

    // A bad Latitude left its row's good Longitude unconverted too.
    void latLongVersAnglesCelluleParCellule() {
        Fenetre w;
        QVERIFY(active(&w.f));
        w.f.StringGrid1->setFocus();
        w.f.StringGrid1->choisit(w.c.lat, 5);
        tape(QStringLiteral("abc"));
        w.f.StringGrid1->choisit(w.c.lon, 5);
        tape(QStringLiteral("-0,5"));
        w.f.grille.set_cell(w.c.lat, 6, "45");
        w.f.grille.set_cell(w.c.lon, 6, "181");
        w.clic(w.f.BitBtn6);
        QCOMPARE(w.t->port.messages(),
                 std::vector<std::string>{"2 valeurs n'ont pas été converties (illisibles ou hors limites), leurs "
                                          "angles sont vidés :\rn° 5  Latitude  <abc>\rn° 6  Longitude  <181>"});
        QCOMPARE(w.at(w.c.dlat, 5), std::string());
        QCOMPARE(w.at(w.c.dlon, 5), std::string("-0° 30' 0,0000\""));
        QCOMPARE(w.at(w.c.dlat, 6), std::string("45° 0' 0,0000\""));
        QCOMPARE(w.at(w.c.dlon, 6), std::string());
    }

    void importTexte() {
        Fenetre w;
        const QString source = w.dossier.fichier(QStringLiteral("points.csv"));
        ecrit_octets(source, "P1;a;b;5383757;406864;\r\n\r\nP\xE9;;;1;2;\r\n");
        w.t->port.repond_oui();
        w.dialogues.repond_fichier(source);
        w.t->programme->Form6->pilote = [](TForm6& f) { QTest::mousePress(f.Button2, Qt::LeftButton); };
        w.clic(w.f.SpeedButton_ajouter);
        QCOMPARE(w.t->port.textes("question"),
                 std::vector<std::string>{"Importer un fichier texte UTM WGS 84 (séparatuer=Tab)|le fichier doit contenir "
                                          "les colonnes \n(Lib)  en colonne 1                   \n(Nord) en colonne 4     "
                                          "              \n(Est)  en colonne 5                   |OE|importer|annuler"});
        QCOMPARE(w.dialogues.demandes().at(0).titre, QStringLiteral("Ouvrir un fichier UTM  Lib[1] Nord[4]  Est[5]"));
        QCOMPARE(w.f.grille.row_count(), 3);
        QCOMPARE(w.at(w.c.lib, 1), std::string("P1"));
        QCOMPARE(w.at(w.c.nord, 1), std::string("5383757"));
        QCOMPARE(w.at(w.c.est, 1), std::string("406864"));
        QCOMPARE(w.at(w.c.zone, 1), std::string("37"));
        QCOMPARE(w.at(w.c.lib, 2), std::string("Pé"));
        QCOMPARE(w.f.Label1->text(), QStringLiteral("2 positions"));
        QVERIFY(w.t->programme->Form6->Memo1->toPlainText().isEmpty());
    }

    void importClasseurs() {
        Fenetre w;
        const QString modeles = QStringLiteral(VUVIVIVA_SAMPLES "/../app/modeles/");
        const QString utm = w.dossier.fichier(QStringLiteral("utm.xls"));
        QVERIFY(QFile::copy(modeles + QStringLiteral("Exemple UTM to LatLong.xl0"), utm));
        w.t->port.repond_oui();
        w.dialogues.repond_fichier(utm);
        w.clic(w.f.SpeedButton4);
        QCOMPARE(w.dialogues.demandes().at(0).titre, QStringLiteral("Ouvrir un fichier UTM  Lib[1] X ou Est[2] Y ou Nord[3]"));
        QCOMPARE(w.f.Label6->text(), utm);
        QCOMPARE(w.f.Label1->text(), QStringLiteral("2 points"));
        QCOMPARE(w.at(w.c.lib, 2), std::string("Kehl"));
        QCOMPARE(w.at(w.c.est, 2), std::string("410\u00A0000"));
        QCOMPARE(w.at(w.c.nord, 2), std::string("5\u00A0383\u00A0000"));
        QCOMPARE(w.at(w.c.ellipsoide, 2), std::string("WGS 84"));
        w.clic(w.f.BitBtn2);
        QCOMPARE(w.at(w.c.lat, 1), std::string("48,5999598581"));

        const QString ll = w.dossier.fichier(QStringLiteral("ll.xls"));
        QVERIFY(QFile::copy(modeles + QStringLiteral("Exemple LatLog to UTM.xl0"), ll));
        w.t->port.repond_oui();
        w.dialogues.repond_fichier(ll);
        w.clic(w.f.SpeedButton7);
        QCOMPARE(w.f.Label1->text(), QStringLiteral("4 points"));
        QCOMPARE(w.at(w.c.lat, 2), std::string("48,5999598581"));
        QCOMPARE(w.at(w.c.lon, 4), std::string("-2,25 "));
        QCOMPARE(w.at(w.c.hemi, 3), std::string("S"));
        w.t->port.oublie();
        w.clic(w.f.BitBtn1);
        QVERIFY(w.t->port.messages().empty());
        QCOMPARE(w.at(w.c.est, 1), std::string("406\u00A0864,00"));
        QCOMPARE(w.at(w.c.est, 3), std::string("259\u00A0583,22"));
    }

    void importClasseurFormats_data() {
        QTest::addColumn<QString>("format");
        for (const char* f : {"xlsx", "ods"}) QTest::newRow(f) << QString::fromLatin1(f);
    }

    // The office suite's workbook (tests/platform/classeurs), Kehl's coordinates computed.
    void importClasseurFormats() {
        QFETCH(QString, format);
        Fenetre w;
        w.t->port.repond_oui();
        w.dialogues.repond_fichier(QStringLiteral(VUVIVIVA_DONNEES_TESTS "/../../platform/classeurs/utm.") + format);
        w.clic(w.f.SpeedButton4);
        QCOMPARE(w.dialogues.demandes().at(0).filtre,
                 QStringLiteral("Fichiers (*.xls; *.xlsx; *.ods; *.txt)|*.xls;*.xlsx;*.ods;*.txt"));
        QCOMPARE(w.f.Label1->text(), QStringLiteral("2 points"));
        QCOMPARE(w.at(w.c.est, 2), std::string("410\u00A0000"));
        QCOMPARE(w.at(w.c.nord, 2), std::string("5\u00A0383\u00A0000"));
    }

    void classeurExemple() {
        Fenetre w;
        const QString nom = QStringLiteral("Exemple UTM to LatLong");
        w.t->port.repond_non();
        w.clic(w.f.SpeedButton4);
        QCOMPARE(w.t->port.textes("information"),
                 std::vector<std::string>{"Le fichier < " + w.dossier.fichier(nom).toStdString() + ".xl0 > n'a pas été trouvé"});
        QVERIFY(QFile::copy(QStringLiteral(VUVIVIVA_SAMPLES "/../app/modeles/") + nom + QStringLiteral(".xl0"),
                            w.dossier.fichier(nom + QStringLiteral(".xl0"))));
        w.t->port.repond_non();
        w.clic(w.f.SpeedButton4);
        const QString xls = w.dossier.fichier(nom + QStringLiteral(".xls"));
        QCOMPARE(w.dialogues.documents_ouverts(), QStringList{xls});
        ecrit_octets(xls, "changé");
        w.t->port.oublie();
        w.t->port.repond_non();
        w.t->port.repond_non(); // keeps the changed workbook
        w.clic(w.f.SpeedButton4);
        QCOMPARE(w.t->port.textes("question").back(),
                 "Importer un fichier Excel XLS|Le fichier " + xls.toStdString() +
                     "\r\rexiste déjà\r\racceptez-vous d'en perdre le contenu ?|ON|Ecraser|");
        QCOMPARE(lit_octets(xls), QByteArray("changé"));
        QCOMPARE(w.dialogues.documents_ouverts().size(), 1);
    }

    void collerPuisAnnulerUnLongCalcul() {
        Fenetre w;
        QVERIFY(active(&w.f));
        std::string texte;
        for (int i = 0; i < 20000; ++i) texte += "45\t3\r\n";
        w.t->port.presse_papier_ecrit(texte);
        w.f.StringGrid1->setFocus();
        w.f.StringGrid1->choisit(w.c.dlat, 1);
        QTest::keyClick(w.f.StringGrid1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.f.grille.row_count(), 20001);
        QCOMPARE(w.f.StringGrid1->model()->rowCount(), 20000);
        QCOMPARE(w.at(0, 20000), std::string("20000"));
        QCOMPARE(w.at(w.c.dlon, 20000), std::string("3"));

        QPointer<QProgressDialog> barre;
        QString libelle;
        QTimer guet;
        connect(&guet, &QTimer::timeout, [&] {
            if (!barre) barre = w.f.findChild<QProgressDialog*>();
            if (!barre) return;
            libelle = barre->labelText();
            if (barre->value() >= 4096) barre->cancel();
        });
        guet.start(0);
        w.clic(w.f.BitBtn1);
        guet.stop();
        QCOMPARE(libelle, QStringLiteral("Conversion en cours..."));
        QVERIFY(!barre); // gone with the run
        QVERIFY(w.t->port.messages().empty());
        int faites = 0;
        for (int r = 1; r <= 20000; ++r) {
            const bool faite = !w.at(w.c.est, r).empty();
            QCOMPARE(faite, !w.at(w.c.x, r).empty());
            QCOMPARE(faite, !w.at(w.c.lat, r).empty());
            faites += faite;
        }
        QVERIFY(faites >= 4096 && faites < 20000);
    }

    void recopieParF5() {
        Fenetre w;
        QVERIFY(active(&w.f));
        w.f.StringGrid1->setFocus();
        w.f.StringGrid1->choisit(w.c.ellipsoide, 95);
        w.f.grille.set_cell(w.c.ellipsoide, 95, "Hough");
        w.t->port.repond_oui();
        QTest::keyClick(&w.f, Qt::Key_F5);
        QCOMPARE(w.t->port.textes("question"),
                 std::vector<std::string>{"recopie|copier <Hough>  j'usqu'à la fin|ON|recopier|annuler"});
        QCOMPARE(w.at(w.c.ellipsoide, 100), std::string("Hough"));
        QCOMPARE(w.at(w.c.ellipsoide, 94), std::string());
    }

    void leChoixDEllipsoideSePoseSurLaCellule() {
        Fenetre w;
        QVERIFY(active(&w.f));
        w.f.StringGrid1->scrollTo(w.f.StringGrid1->model()->index(2, w.c.ellipsoide));
        const QRect cellule = w.f.StringGrid1->visualRect(w.f.StringGrid1->model()->index(2, w.c.ellipsoide));
        QTest::mousePress(w.f.StringGrid1->viewport(), Qt::RightButton, Qt::NoModifier, cellule.center());
        QVERIFY(w.f.ComboBox1->isVisible());
        QCOMPARE(w.f.ComboBox1->pos(), cellule.topLeft());
        w.f.ComboBox1->setCurrentIndex(12); // "GRS 1980"
        QTest::keyClick(w.f.ComboBox1, Qt::Key_Return);
        QCOMPARE(w.at(w.c.ellipsoide, 3), std::string("GRS 1980"));
        QVERIFY(!w.f.ComboBox1->isVisible());
    }

    void aideEtGuide() {
        Fenetre w;
        w.clic(w.f.SpeedButton6);
        QVERIFY(w.f.Memo2->isVisible());
        QCOMPARE(w.f.SpeedButton6->text(), QStringLiteral("Fermer l'aide"));
        QVERIFY(w.f.Memo2->toPlainText().startsWith(QStringLiteral("Longitude ou E\tLatitude ou N\tSystème de coordonnées\n")));
        w.clic(w.f.SpeedButton6);
        QCOMPARE(w.f.SpeedButton6->text(), QStringLiteral("Aide"));

        QDir::setCurrent(w.dossier.chemin());
        w.clic(w.f.SpeedButton9);
        QCOMPARE(w.t->port.textes("information"), std::vector<std::string>{"<Projection_UTM.pdf> introuvable"});
        ecrit_octets(w.dossier.fichier(QStringLiteral("Projection_UTM.pdf")), "%PDF");
        w.clic(w.f.SpeedButton9);
        QCOMPARE(w.dialogues.documents_ouverts(), QStringList{w.dossier.fichier(QStringLiteral("Projection_UTM.pdf"))});
    }
};

QTEST_MAIN(TestConversion)
#include "tst_conversion.moc"
