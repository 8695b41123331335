// The export panel Panel7 on the options the writer reads, "Traiter", and the two clipboard
// commands of the main menu.
#include "tests/support/Banc.h"

#include "core/document/Document.h"
#include "core/text/separateur.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/principale/export/PanneauExport.h"
#include "windows/principale/scroll.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

namespace {

// A started program, calibrated on the unit frame (X = (x - 100) / 300, Y = (300 - y) / 200),
// with the points (0.5, 0.5) and (1, 1) on line 1.
struct Carte {
    explicit Carte(char separateur = '.') : sep(separateur) {
        installe_dialogues(&dialogues);
        QImage fond(1000, 800, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        d.mess_3_calage_svp_et_init(false);
        f.calque.vue.fixe_vue({0, 0, f.Image1->width() - 1, f.Image1->height() - 1});
        f.redessiner();
        for (QPoint p : {QPoint(100, 100), QPoint(100, 300), QPoint(400, 300), QPoint(250, 200), QPoint(400, 100)})
            QTest::mouseClick(f.Image1, Qt::LeftButton, Qt::NoModifier, p);
        t->port.oublie();
    }
    ~Carte() { installe_dialogues(nullptr); }

    PanneauExport& p() const { return *f.Panel7; }
    // Selects the whole text and types another, as a user does.
    static void tape(QLineEdit* e, const QString& texte) {
        e->selectAll();
        QTest::keyClicks(e, texte);
    }

    SeparateurLocal sep;
    DossierProgrammeTest dossier;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm1& f = *t->programme->Form1;
    Document& d = t->programme->document;
    DialoguesScriptes dialogues;
};

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void lePanneauMontreLesOptionsEtLesValeursLues() {
        Carte c;
        QVERIFY(!c.f.panel7_visible());
        c.d.StringGrid3.set_cell(4, 1, "route");
        c.f.Enregistrerlescoordonnes1->trigger();
        QVERIFY(c.f.panel7_visible());
        // 10 pixels in from the left and below the menu bar.
        QCOMPARE(c.p().pos(), QPoint(10, c.f.menuBar()->geometry().bottom() + 11));
        QCOMPARE(c.p().CheckBox_trl->text(), QStringLiteral("Fichier n°1  *.trl => pour Vuviviva"));
        QVERIFY(c.p().CheckBox_trl->isChecked());
        QVERIFY(c.p().CheckBox_fic->isChecked() && !c.p().CheckBox_pas_norme->isChecked());
        QVERIFY(c.p().CheckBox_Xr->isChecked() && c.p().CheckBox_Yr->isChecked() && !c.p().CheckBox_Zr->isChecked());
        QVERIFY(c.p().CheckBox_juste_les_lignes->isChecked());
        QCOMPARE(c.p().RadioGroup_extention->ItemIndex(), 0);
        QCOMPARE(c.p().RadioGroup_separateur->ItemIndex(), 1);
        QCOMPARE(c.p().RadioGroup2->ItemIndex(), 1);
        QCOMPARE(c.p().Edit3->text(), QStringLiteral("txt"));
        QCOMPARE(c.p().Edit_separateur->text(), QStringLiteral(", "));
        QCOMPARE(c.p().Edit15->text(), QStringLiteral("8"));
        QCOMPARE(c.p().Label14->text(), QStringLiteral("le point"));
        QCOMPARE(c.p().Label24->text(), QStringLiteral("<route>"));
        QVERIFY(!c.p().Edit12->isEnabled());
        QCOMPARE(c.p().Edit12->text(), QStringLiteral("0.5"));
        QCOMPARE(c.p().Edit13->text(), QStringLiteral("1"));
        QCOMPARE(c.p().Label35->text(), QStringLiteral("21 points"));

        QTest::keyClick(&c.f, Qt::Key_Delete);
        QCOMPARE(c.d.nb_points, 2); // keys wait while the panel is shown
        QTest::mouseClick(c.p().Button9, Qt::LeftButton);
        QVERIFY(!c.f.panel7_visible());
    }

    void leSeparateurLocalVirgule() {
        Carte c(',');
        c.f.affiche_panel_sauve();
        QCOMPARE(c.p().Label14->text(), QStringLiteral("la virgule"));
    }

    void lesDeuxFichiersN2SontExclusifs() {
        Carte c;
        c.f.affiche_panel_sauve();
        QTest::mouseClick(c.p().CheckBox_fic, Qt::LeftButton);
        QVERIFY(!c.p().CheckBox_fic->isChecked());
        QVERIFY(c.p().CheckBox_pas_norme->isChecked());
        QVERIFY(c.f.options_export.CheckBox_pas_norme && !c.f.options_export.CheckBox_fic);
        QTest::mouseClick(c.p().CheckBox_pas_norme, Qt::LeftButton);
        QVERIFY(c.p().CheckBox_fic->isChecked() && !c.p().CheckBox_pas_norme->isChecked());
        QVERIFY(c.f.options_export.CheckBox_fic);
    }

    void leChoixBlnCoupleSeparateurEtEntete() {
        Carte c;
        c.f.affiche_panel_sauve();
        QTest::mouseClick(c.p().RadioGroup_extention->item(2), Qt::LeftButton);
        QCOMPARE(c.p().Edit9->text(), QStringLiteral("0"));
        QCOMPARE(c.p().RadioGroup_separateur->ItemIndex(), 0);
        QVERIFY(c.p().CheckBox_nb_points->isChecked());
        QCOMPARE(c.f.options_export.Edit9, std::string("0"));

        // The other way round, with a header text of the user's kept.
        QTest::mouseClick(c.p().RadioGroup_extention->item(0), Qt::LeftButton);
        QTest::mouseClick(c.p().RadioGroup_separateur->item(1), Qt::LeftButton);
        QTest::mouseClick(c.p().CheckBox_nb_points, Qt::LeftButton);
        Carte::tape(c.p().Edit9, QStringLiteral("A # B"));
        QTest::mouseClick(c.p().RadioGroup_separateur->item(0), Qt::LeftButton);
        QCOMPARE(c.p().RadioGroup_extention->ItemIndex(), 2);
        QVERIFY(c.p().CheckBox_nb_points->isChecked());
        QCOMPARE(c.p().Edit9->text(), QStringLiteral("A # B"));
        QCOMPARE(c.f.options_export.Edit9, std::string("A # B"));
    }

    void leCompteSuitLePasEtLesBornes() {
        Carte c;
        c.f.affiche_panel_sauve();
        Carte::tape(c.p().Edit_pas_extraction, QStringLiteral("0.1"));
        QCOMPARE(c.p().Label35->text(), QStringLiteral("11 points"));
        Carte::tape(c.p().Edit_x_maxi, QStringLiteral("2"));
        QCOMPARE(c.p().Label35->text(), QStringLiteral("21 points"));
        Carte::tape(c.p().Edit_pas_extraction, QStringLiteral("0"));
        QCOMPARE(c.p().Label35->text(), QStringLiteral("21 points")); // a step of 0 changes nothing
        QCOMPARE(c.t->port.nombre("erreur"), 0);

        QTest::keyClick(c.p().Edit_x_maxi, Qt::Key_X); // "2x"
        QCOMPARE(c.p().Edit_x_maxi->text(), QStringLiteral("2x"));
        QCOMPARE(c.t->port.nombre("erreur"), 0); // the step is still 0
        Carte::tape(c.p().Edit_pas_extraction, QStringLiteral("1"));
        QCOMPARE(c.t->port.nombre("erreur"), 1);
        QCOMPARE(c.p().Label35->text(), QStringLiteral("21 points"));
    }

    void lesOptionsChangeesAilleursSontMontrees() {
        Carte c;
        c.f.options_export.Edit15 = "3"; // the points window's decimals box
        options_enregistrer_projet(c.f.options_export);
        c.f.affiche_panel_sauve();
        QCOMPARE(c.p().Edit15->text(), QStringLiteral("3"));
        QVERIFY(c.p().CheckBox_pas_norme->isChecked() && !c.p().CheckBox_fic->isChecked());
    }

    void traiterLanceLaCommandeDEnregistrement() {
        Carte c;
        c.dialogues.repond_fichier(c.dossier.fichier(QStringLiteral("plan")));
        c.f.affiche_panel_sauve();
        QTest::mouseClick(c.p().RadioGroup_extention->item(2), Qt::LeftButton);
        c.f.options_export.Edit12 = "?"; // the writer sets the indicators again
        QTest::mouseClick(c.p().Button8, Qt::LeftButton);

        const QString bln = c.dossier.fichier(QStringLiteral("plan.bln"));
        QCOMPARE(lit_octets(bln), QByteArray("2, 0\r\n0.50000000, 0.50000000\r\n1.00000000, 1.00000000\r\n"));
        QVERIFY(existe(c.dossier.fichier(QStringLiteral("plan.trl"))));
        QCOMPARE(c.dialogues.documents_ouverts(), QStringList{bln});
        QCOMPARE(c.t->port.presse_papier_lit(), std::string("2, 0\r\n0.50000000, 0.50000000\r\n1.00000000, 1.00000000\r\n"));
        QCOMPARE(c.p().Edit12->text(), QStringLiteral("0.5"));
        QVERIFY(c.d.sauve);
        QVERIFY(c.f.panel7_visible());
    }

    void traiterAvecUneCelluleQuiNEstPasUnNombre() {
        Carte c;
        c.dialogues.repond_fichier(c.dossier.fichier(QStringLiteral("plan.trl")));
        c.d.StringGrid1.set_cell(3, 2, "abc");
        c.f.options_export.CheckBox_dist = true;
        c.f.affiche_panel_sauve(); // the X indicators read that cell first
        QCOMPARE(c.t->port.nombre("erreur"), 1);
        QVERIFY(c.f.panel7_visible());
        QTest::mouseClick(c.p().Button8, Qt::LeftButton);
        QCOMPARE(c.t->port.nombre("erreur"), 2);
        QVERIFY(c.dialogues.documents_ouverts().isEmpty());
        QVERIFY(!existe(c.dossier.fichier(QStringLiteral("plan.txt"))));
        QVERIFY(!c.d.sauve);

        c.f.sauve_fic_points = nullptr;
        QTest::mouseClick(c.p().Button8, Qt::LeftButton);
        QCOMPARE(c.t->port.nombre("bip"), 1);
    }

    void copierDansLePressePapierNeMarquePasLeTravailEnregistre() {
        Carte c;
        QVERIFY(!c.d.sauve);
        const QString ancien = QDir::currentPath();
        QDir::setCurrent(c.dossier.chemin());
        c.f.Copierdanslepressepaier1->trigger();
        QDir::setCurrent(ancien);
        QVERIFY2(!c.d.sauve, "quitting must still ask to save");
        const QByteArray attendu("X\tY\r\n0.50000000\t0.50000000\r\n1.00000000\t1.00000000\r\n");
        QCOMPARE(lit_octets(c.dossier.fichier(QStringLiteral("~tmp.txt"))), attendu);
        QCOMPARE(c.t->port.presse_papier_lit(), attendu.toStdString());
        QCOMPARE(c.t->port.textes("information").back(), std::string(" Presse papier... OK   "));
        const std::string cree = c.t->port.textes("information").front();
        QVERIFY2(cree.find("\n\n créé dans le répertoire => " + c.dossier.chemin().toStdString() + "\n\n") != std::string::npos,
                 cree.c_str());
    }

    void exporterViaLePressePapier() {
        Carte c;
        c.t->port.repond_oui();
        c.f.Exporterlescoordonnes1->trigger();
        const QString fichier = c.dossier.fichier(QStringLiteral("presse_papier.xls"));
        QVERIFY(existe(fichier));
        QVERIFY(c.t->port.presse_papier_lit().find("0.50000000\t0.50000000") != std::string::npos);
        QCOMPARE(c.t->port.textes("information").back(),
                 "Le presse-papier est à jour \r ainsi que le fichier <" + fichier.toStdString() + ">");

        c.t->port.repond_non();
        c.t->port.presse_papier_ecrit("gardé");
        c.f.Exporterlescoordonnes1->trigger();
        QCOMPARE(c.t->port.presse_papier_lit(), std::string("gardé"));
    }
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
