// The imports through the points window: its buttons and the "Edition" menu, the questions
// answered through the user port, the file dialogs and the question box's text check.
#include "tests/support/Banc.h"

#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/projet/Projet.h"
#include "core/text/separateur.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"
#include "windows/question/Unit6.h"

#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

class TestImport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void texte_par_le_bouton_data();
    void texte_par_le_bouton();
    void texte_refuse_ou_abandonne();
    void projet_et_presse_papier();
    void tableur_par_le_panneau_data();
    void tableur_par_le_panneau();
    void tableur_formules_data();
    void tableur_formules();
    void tableur_refuse();
    void de_la_prose_au_lieu_de_nombres();
    void tableur_exposants_data();
    void tableur_exposants();

private:
    Document& doc() { return t_->programme->document; }
    TForm1& f1() { return *t_->programme->Form1; }
    TForm2& f2() { return *t_->programme->Form2; }
    QString fichier(const QString& nom) const { return dossier_->fichier(nom); }
    QString cellule(const char* nom, int r) {
        return QString::fromStdString(std::string(doc().StringGrid1.cell(doc().indice_col(nom), r)));
    }
    // A 1200 x 800 image loaded without proportions, two points digitized on line 1.
    void image_et_deux_points();

    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    std::unique_ptr<DialoguesScriptes> d_;
    QString courant_;
};

void TestImport::init() {
    courant_ = QDir::currentPath();
    dossier_ = std::make_unique<DossierProgrammeTest>();
    d_ = std::make_unique<DialoguesScriptes>();
    installe_dialogues(d_.get());
    t_ = demarre();
}

void TestImport::cleanup() {
    t_.reset();
    installe_dialogues(nullptr);
    d_.reset();
    dossier_.reset();
    QDir::setCurrent(courant_);
}

void TestImport::image_et_deux_points() {
    f1().GarderlesproportionsLxH1->setChecked(false);
    QImage im(1200, 800, QImage::Format_RGB32);
    im.fill(Qt::white);
    QVERIFY(im.save(fichier(QStringLiteral("plan.bmp")), "BMP"));
    QVERIFY(f1().Ouvrir_fichier_image(fichier(QStringLiteral("plan.bmp"))));
    clic_digitaliser(doc(), 100, 100, MethodeCalage::trois_points, false);
    clic_digitaliser(doc(), 200, 150, MethodeCalage::trois_points, false);
    doc().sauve = true;
    t_->port.oublie();
}

void TestImport::texte_par_le_bouton_data() {
    QTest::addColumn<char>("sep");
    QTest::newRow("point") << '.';
    QTest::newRow("virgule") << ',';
}

void TestImport::texte_par_le_bouton() {
    QFETCH(char, sep);
    const SeparateurLocal separateur(sep);
    const auto loc = [sep](QString t) { return t.replace(QLatin1Char('.'), QLatin1Char(sep)); };
    image_et_deux_points();
    const QString source = fichier(QStringLiteral("pts.txt"));
    ecrit_octets(source, "0.23 111.5 pointA\r\n1.25 215.6 pointB\r\n");
    t_->port.repond_oui();
    t_->port.repond("O");
    d_->repond_fichier(source);
    t_->programme->Form6->pilote = [&](TForm6& f) {
        QCOMPARE(f.titre, QStringLiteral("contenu de ") + source + QStringLiteral("\r"));
        QCOMPARE(f.lettres, QStringLiteral("OE"));
        QCOMPARE(f.Button2->text(), QStringLiteral("traiter"));
        QCOMPARE(f.Memo1->toPlainText(), QStringLiteral("0.23 111.5 pointA\n1.25 215.6 pointB"));
        QTest::mousePress(f.Button2, Qt::LeftButton);
    };
    QVERIFY(f2().SpeedButton6->isEnabled());
    QTest::mouseClick(f2().SpeedButton6, Qt::LeftButton);

    const DemandeFichier& q = d_->demandes().last();
    QCOMPARE(q.titre, QStringLiteral("Ouvrir un fichier X  Y"));
    QCOMPARE(q.filtre, QStringLiteral("Fichiers (*.txt)|*.txt"));
    QCOMPARE(q.index_filtre, 2);
    const auto& e = t_->port.echanges();
    QCOMPARE(e.size(), std::size_t{2});
    QVERIFY(e[0].texte.starts_with("Rajout de points X,Y à partir d'un fichier texte\n\n"));
    QCOMPARE(e[1].texte, std::string("Le fichier TEXTE contient 2 ou 3 colonnes, X  Y et éventuellement Libellé| "
                                     "exemple :\n0.23 111.5 pointA\n1.25 215.6 pointB\n    etc...\n le séparateur "
                                     "peut-être l'espace ou la tabulation\n les valeurs sont recalculées par rapport "
                                     "au nombre de pixels!\n les ligne commençant par ' seront ignorées|ON|Continuer|"
                                     "annuler"));

    QCOMPARE(doc().nb_points, 4);
    QCOMPARE(cellule("n", 3), QStringLiteral("    3"));
    QCOMPARE(cellule("L", 4), QStringLiteral("  2"));
    QCOMPARE(cellule("X", 3), loc(QStringLiteral("0.00000000")));
    QCOMPARE(cellule("X", 4), loc(QStringLiteral("0.99916667")));
    QCOMPARE(cellule("Y", 3), loc(QStringLiteral("111.86000000")));
    QCOMPARE(cellule("Y", 4), loc(QStringLiteral("215.73000000")));
    QCOMPARE(cellule("Z", 4), loc(QStringLiteral("0.00000000")));
    QCOMPARE(cellule("x", 4), QStringLiteral("      1"));
    QCOMPARE(cellule("y", 3), QStringLiteral("  688"));
    QCOMPARE(cellule("Libellé", 4), QStringLiteral("pointB"));
    QVERIFY(!doc().sauve);
    QCOMPARE(f2().Label8->text(), QStringLiteral("4 points"));
    QCOMPARE(lit_octets(fichier(QStringLiteral("~memo.txt"))), QByteArray("0.23 111.5 pointA\r\n1.25 215.6 pointB\r\n"));
    QVERIFY(t_->programme->Form6->Memo1->toPlainText().isEmpty());
    QCOMPARE(lit_octets(fichier(QStringLiteral("~vuviviva.~i"))), dossier_->chemin().toUtf8() + "\r\n");
}

void TestImport::texte_refuse_ou_abandonne() {
    image_et_deux_points();
    const QString source = fichier(QStringLiteral("pts.txt"));
    ecrit_octets(source, "5 5 p\r\n");
    // "~memo.txt" cannot be written (a folder holds its name): the import still goes on.
    QVERIFY(QDir(dossier_->chemin()).mkdir(QStringLiteral("~memo.txt")));
    t_->port.repond_oui();
    t_->port.repond("O");
    d_->repond_fichier(source);
    t_->programme->Form6->pilote = [](TForm6& f) { QTest::mousePress(f.Button2, Qt::LeftButton); };
    f1().RajoutdepointsTXT1->trigger();
    QCOMPARE(doc().nb_points, 3);
    QCOMPARE(cellule("Libellé", 3), QStringLiteral("p"));
    QVERIFY(t_->port.textes("erreur").empty());

    // "annuler" in the text check, then "annuler" in the second question: nothing more.
    t_->port.repond_oui();
    t_->port.repond("O");
    d_->repond_fichier(source);
    t_->programme->Form6->pilote = [](TForm6& f) { QTest::mousePress(f.Button3, Qt::LeftButton); };
    QTest::mouseClick(f2().SpeedButton6, Qt::LeftButton);
    t_->port.repond_oui();
    t_->port.repond("N");
    QTest::mouseClick(f2().SpeedButton6, Qt::LeftButton);
    QCOMPARE(d_->demandes().size(), 2);
    QCOMPARE(doc().nb_points, 3);

    // A file with a NUL byte is not shown.
    ecrit_octets(source, QByteArray("1 2\0 3", 6));
    t_->port.repond_oui();
    t_->port.repond("O");
    d_->repond_fichier(source);
    t_->port.oublie();
    QTest::mouseClick(f2().SpeedButton6, Qt::LeftButton);
    QCOMPARE(t_->port.textes("information"),
             std::vector<std::string>{"Le fichier <" + source.toStdString() +
                                      "> n'est pas un fichier texte (octet nul à la position 4)."});
    QCOMPARE(doc().nb_points, 3);
}

void TestImport::projet_et_presse_papier() {
    const SeparateurLocal separateur('.');
    image_et_deux_points();
    const QString projet = fichier(QStringLiteral("autre.trl"));
    ecrit_projet(doc(), projet.toStdString(), true);
    doc().sauve = true;

    t_->port.repond_oui();
    d_->repond_fichier(projet);
    QVERIFY(f1().Rajoutdepointsdigitalisspartirduntrl1->isEnabled());
    QTest::mouseClick(f2().SpeedButton4, Qt::LeftButton);
    QCOMPARE(d_->demandes().last().titre, QStringLiteral("Compléter avec une série de points associés à la même image"));
    QCOMPARE(doc().nb_points, 4);
    QCOMPARE(doc().num_ligne, 2);
    QCOMPARE(cellule("L", 3), QStringLiteral("  2"));
    QCOMPARE(cellule("Libellé", 4), QStringLiteral("b"));
    QCOMPARE(cellule("x", 4), QStringLiteral("  200"));
    QVERIFY(!doc().sauve);

    // Calibration values from the clipboard, shown over the points table while asked.
    doc().sauve = true;
    t_->port.presse_papier_ecrit("1\t799\t5\n0\t0\n2398\t0\n");
    t_->port.repond_oui();
    QTest::mouseClick(f2().SpeedButton10, Qt::LeftButton);
    QCOMPARE(f2().Memo2->geometry(), f2().StringGrid1->geometry());
    QVERIFY(!f2().Memo2->isVisible());
    const Grille& cal = doc().StringGrid2;
    QCOMPARE(cal.cell(doc().indice_col_cal("X"), 3), std::string("2398"));
    QCOMPARE(cal.cell(doc().indice_col_cal("Z"), 1), std::string("5"));
    QCOMPARE(cellule("X", 4), QStringLiteral("400.47916667")); // 200/1200 of 2398, plus 650/800 of 1
    QVERIFY(!doc().sauve);

    // And back from the project saved before.
    t_->port.repond_oui();
    d_->repond_fichier(projet);
    f1().Rcuprationdevaleurs1->trigger();
    QCOMPARE(cal.cell(doc().indice_col_cal("X"), 3), std::string("      1199.0000"));
    QCOMPARE(cellule("X", 4), QStringLiteral("199.83333333"));
}

void TestImport::tableur_par_le_panneau_data() { texte_par_le_bouton_data(); }

// The workbooks were written by xlwt (donnees/fabrique_xls.py).
void TestImport::tableur_par_le_panneau() {
    QFETCH(char, sep);
    const SeparateurLocal separateur(sep);
    const auto loc = [sep](QString t) { return t.replace(QLatin1Char('.'), QLatin1Char(sep)); };
    image_et_deux_points();
    const QString classeur = QStringLiteral(VUVIVIVA_DONNEES_TESTS "/points.xls");
    t_->port.repond_oui();
    d_->repond_fichier(classeur);
    QTest::mouseClick(f2().SpeedButton5, Qt::LeftButton);
    const TForm2::PanneauTableur& p = f2().tableur;
    QCOMPARE(d_->demandes().last().titre, QStringLiteral("Ouvrir un fichier X  Y Lib ..."));
    QVERIFY(p.Panel6->isVisibleTo(&f1()));
    QCOMPARE(p.Label12->text(), QStringLiteral("points.xls"));
    QCOMPARE(p.Panel6->windowTitle(), QStringLiteral("Indices des colonnes du fichier"));
    QTest::mouseClick(p.Button6, Qt::LeftButton);

    QCOMPARE(t_->port.textes("information"), std::vector<std::string>{"nombre de points rajoutés : 3"});
    QCOMPARE(p.Label6->text(), QStringLiteral("3"));
    QVERIFY(!p.Panel6->isVisibleTo(&f1()));
    QCOMPARE(doc().nb_points, 5);
    QCOMPARE(cellule("Z", 3), loc(QStringLiteral("12.00000000")));
    QCOMPARE(cellule("Z", 4), loc(QStringLiteral("0.00000000")));
    QCOMPARE(cellule("Libellé", 4), QStringLiteral("Église"));
    QCOMPARE(cellule("x", 5), QStringLiteral("1001"));
    QCOMPARE(cellule("y", 5), QStringLiteral("  801"));
    QCOMPARE(cellule("X", 5), loc(QStringLiteral("1000.16583333")));
    QCOMPARE(cellule("Y", 5), loc(QStringLiteral("-0.99875000")));
    QCOMPARE(cellule("Libellé", 5), QStringLiteral("3"));

    // X from column 30, past Z: its third cell is empty, which ends the sheet.
    p.Edit5->setText(QStringLiteral("30"));
    QTest::mouseClick(p.Button6, Qt::LeftButton);
    QCOMPARE(doc().nb_points, 7);
    QCOMPARE(cellule("x", 7), QStringLiteral("      1"));
}

void TestImport::tableur_formules_data() {
    QTest::addColumn<QString>("format");
    for (const char* f : {"xls", "xlsx", "ods"}) QTest::newRow(f) << QString::fromLatin1(f);
}

// The office suite's workbook (tests/platform/classeurs): Y, Z and the label are formulas; its
// last row, a sum, has no Y.
void TestImport::tableur_formules() {
    QFETCH(QString, format);
    image_et_deux_points();
    const QString classeur = QStringLiteral(VUVIVIVA_DONNEES_TESTS "/../../platform/classeurs/formules.") + format;
    t_->port.repond_oui();
    d_->repond_fichier(classeur);
    QTest::mouseClick(f2().SpeedButton5, Qt::LeftButton);
    QCOMPARE(d_->demandes().last().filtre, QStringLiteral("Fichiers (*.xls; *.xlsx; *.ods)|*.xls;*.xlsx;*.ods"));
    const TForm2::PanneauTableur& p = f2().tableur;
    const std::pair<QLineEdit*, const char*> colonnes[] = {
        {p.Edit4, "5"}, {p.Edit5, "2"}, {p.Edit6, "4"}, {p.Edit7, "3"}, {p.Edit8, "2"}};
    for (const auto& [e, v] : colonnes) e->setText(QString::fromLatin1(v));
    QTest::mouseClick(p.Button6, Qt::LeftButton);
    QCOMPARE(t_->port.textes("information"), std::vector<std::string>{"nombre de points rajoutés : 6"});
    QCOMPARE(doc().nb_points, 8);
    QCOMPARE(cellule("Libellé", 4), QStringLiteral("Point n°3 – P2"));
    QCOMPARE(cellule("Z", 4), QStringLiteral("510.00000000"));
    QCOMPARE(cellule("x", 7), QStringLiteral("  556"));
    QCOMPARE(cellule("y", 4), QStringLiteral("  717"));
}

void TestImport::tableur_refuse() {
    image_et_deux_points();
    const QString faux = fichier(QStringLiteral("faux.xls"));
    ecrit_octets(faux, "PK\x03\x04 ceci est un xlsx" + QByteArray(1000, 'x'));
    t_->port.repond_oui();
    d_->repond_fichier(faux);
    f1().RajoutdepointsXLS1->trigger();
    const TForm2::PanneauTableur& p = f2().tableur;
    p.Edit8->setText(QStringLiteral("0"));
    QTest::mouseClick(p.Button6, Qt::LeftButton);
    p.Edit8->setText(QStringLiteral("5"));
    QTest::mouseClick(p.Button6, Qt::LeftButton);
    QCOMPARE(t_->port.textes("information"),
             (std::vector<std::string>{"La ligne de début vaut 0 : elle commence à 1.",
                                       "Le classeur <" + faux.toStdString() +
                                           "> n'a pas pu être lu : archive tronquée ou endommagée (un classeur "
                                           ".xlsx ou .ods est une archive zip)."}));
    ecrit_octets(faux, "court");
    t_->port.oublie();
    QTest::mouseClick(p.Button6, Qt::LeftButton);
    QCOMPARE(t_->port.textes("information"),
             std::vector<std::string>{"Le classeur <" + faux.toStdString() +
                                      "> n'a pas pu être lu : fichier tronqué, ou qui n'est pas un classeur .xls."});
    QCOMPARE(doc().nb_points, 2);
    QVERIFY(p.Panel6->isVisibleTo(&f1()));
    QVERIFY(doc().sauve);
}

// Prose on the clipboard wrote "," into a calibration Y and moved every point; prose in a text
// file was placed at X = Y = 0 and said to fall outside the image.
void TestImport::de_la_prose_au_lieu_de_nombres() {
    const SeparateurLocal separateur(',');
    image_et_deux_points();
    const std::string calage = doc().val_calage();
    const QString X2 = cellule("X", 2);
    t_->port.presse_papier_ecrit("1 2 3\nBonjour Pierre, voici le relevé\n");
    t_->port.repond_oui();
    QTest::mouseClick(f2().SpeedButton10, Qt::LeftButton);

    const QString source = fichier(QStringLiteral("lettre.txt"));
    ecrit_octets(source, "Bonjour Pierre,\r\nvoici le relev\xE9 du 7 d\xE9" "cembre.\r\n");
    t_->port.repond_oui();
    t_->port.repond("O");
    d_->repond_fichier(source);
    t_->programme->Form6->pilote = [](TForm6& f) { QTest::mousePress(f.Button2, Qt::LeftButton); };
    QTest::mouseClick(f2().SpeedButton6, Qt::LeftButton);
    QCOMPARE(t_->port.textes("information"),
             (std::vector<std::string>{"La ligne 2 du presse-papier <Bonjour Pierre, voici le relevé> : son champ 1 "
                                       "<Bonjour> n'est pas un nombre.\n\nLes valeurs de calibration n'ont pas été "
                                       "remplacées.",
                                       "2 ligne(s) ne contiennent pas de nombres X Y (ligne 1 : <Bonjour Pierre,>) : "
                                       "elles n'ont pas été rajoutées."}));
    QCOMPARE(doc().val_calage(), calage);
    QCOMPARE(cellule("X", 2), X2);
    QCOMPARE(doc().nb_points, 2);
}

void TestImport::tableur_exposants_data() { texte_par_le_bouton_data(); }

// Cells of exponent form came from the reader as "1e-07": not numbers, so the Z or the row was lost.
void TestImport::tableur_exposants() {
    QFETCH(char, sep);
    const SeparateurLocal separateur(sep);
    const auto loc = [sep](QString t) { return t.replace(QLatin1Char('.'), QLatin1Char(sep)); };
    image_et_deux_points();
    t_->port.repond_oui();
    d_->repond_fichier(QStringLiteral(VUVIVIVA_DONNEES_TESTS "/exposants.xls"));
    QTest::mouseClick(f2().SpeedButton5, Qt::LeftButton);
    QTest::mouseClick(f2().tableur.Button6, Qt::LeftButton);
    QCOMPARE(t_->port.textes("information"), std::vector<std::string>{"nombre de points rajoutés : 3"});
    QCOMPARE(cellule("Z", 3), loc(QStringLiteral("0.00000010")));
    QCOMPARE(cellule("x", 4), QStringLiteral("      0"));
    QCOMPARE(cellule("Libellé", 4), QStringLiteral("infime"));
    QCOMPARE(cellule("Z", 5), loc(QStringLiteral("2.5E20")));
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
