// Undo and redo as a user reaches them: Alt+Backspace and Alt+Shift+Backspace in the main
// window, Ctrl+Z and Ctrl+Y in the points window, the Edition menu naming the step, and the
// tables, the map and the counts following.
#include "tests/support/Banc.h"
#include "tests/support/Instantane.h"
#include "tests/support/Tableaux.h"

#include "core/document/Document.h"
#include "core/projet/Projet.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/commun/ModeleGrille.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"
#include "windows/principale/carte/scroll_image.h"
#include "windows/principale/scroll.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <functional>

using namespace vuv;
using namespace vuv::test;

namespace {

// A started program with a white 1000 x 800 background viewed one screen pixel per image pixel,
// calibrated by three clicks on the unit frame.
struct Carte {
    DossierProgrammeTest dossier;
    DialoguesScriptes dialogues;
    std::unique_ptr<ProgrammeTest> t = demarre();
    TForm1& f = *t->programme->Form1;
    TForm2& f2 = *t->programme->Form2;
    Document& d = t->programme->document;

    Carte() {
        installe_dialogues(&dialogues);
        QImage fond(1000, 800, QImage::Format_RGB555);
        fond.fill(Qt::white);
        f.installe_fond(fond);
        d.mess_3_calage_svp_et_init(false);
        f.calque.vue.fixe_vue({0, 0, f.Image1->width() - 1, f.Image1->height() - 1});
        f.redessiner();
        for (QPoint p : {QPoint(100, 100), QPoint(100, 300), QPoint(400, 300)}) clic(p);
        t->port.oublie();
    }
    ~Carte() { installe_dialogues(nullptr); }

    void clic(QPoint p) { QTest::mouseClick(f.Image1, Qt::LeftButton, Qt::NoModifier, p); }
    void annule_principale() {
        QVERIFY(active(&f));
        QTest::keyClick(&f, Qt::Key_Backspace, Qt::AltModifier);
    }
    void retablit_principale() {
        QVERIFY(active(&f));
        QTest::keyClick(&f, Qt::Key_Backspace, Qt::AltModifier | Qt::ShiftModifier);
    }
    void annule_points() {
        QVERIFY(active(&f2));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f2, Qt::Key_Z, Qt::ControlModifier);
    }
    void retablit_points() {
        QVERIFY(active(&f2));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &f2, Qt::Key_Y, Qt::ControlModifier);
    }
    bool blanc(int x, int y) const { return f.calque.image.pixelColor(x, y) == QColor(Qt::white); }
};

// Types the text into the cell key by key, then Enter, as a user does.
void tape_et_entree(GrilleChaines* g, int col, int row, const QString& texte) {
    vuv::test::tape(g, col, row, texte);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

} // namespace

class TestAnnulation : public QObject {
    Q_OBJECT

private slots:
    void altRetourArriereDefaitLeClicEtLeMenuLeNomme();
    void ctrlZEtCtrlYDansLaFenetreDesPoints();
    void chaqueEditionDesFenetresSeDefaitEtSeRefait();
    void unProjetLuRepartDUneListeVide();
};

void TestAnnulation::altRetourArriereDefaitLeClicEtLeMenuLeNomme() {
    Carte c;
    QCOMPARE(c.f.Annuler1->text(), QStringLiteral("Annuler : Point de calage"));
    QVERIFY(!c.f.Retablir1->isEnabled());
    QCOMPARE(c.f.Retablir1->text(), QStringLiteral("Rétablir"));
    QCOMPARE(c.f.Edition1->actions().first(), c.f.Annuler1);

    const Instantane avant = Instantane::de(c.d);
    c.clic({250, 200});
    const Instantane apres = Instantane::de(c.d);
    QCOMPARE(c.d.nb_points, 1);
    QVERIFY(!c.blanc(250, 200));
    QCOMPARE(c.f.Annuler1->text(), QStringLiteral("Annuler : Point digitalisé"));

    c.annule_principale();
    QCOMPARE(QString::fromStdString(difference(avant, Instantane::de(c.d))), QString());
    QVERIFY2(c.blanc(250, 200), "the point left the map");
    QCOMPARE(c.f2.Label8->text(), QStringLiteral("0 points"));
    QCOMPARE(c.f.texte_statut(1), QStringLiteral("Suite 1  point ... "));
    QCOMPARE(c.f.Retablir1->text(), QStringLiteral("Rétablir : Point digitalisé"));
    QCOMPARE(c.f.Annuler1->text(), QStringLiteral("Annuler : Point de calage"));

    c.retablit_principale();
    QCOMPARE(QString::fromStdString(difference(apres, Instantane::de(c.d))), QString());
    QVERIFY(!c.blanc(250, 200));
    QCOMPARE(c.f2.Label8->text(), QStringLiteral("1 points"));
    QVERIFY(!c.f.Retablir1->isEnabled());

    // Back over the third calibration click: the next click calibrates again.
    c.annule_principale();
    c.annule_principale();
    QCOMPARE(c.d.nb_calage, 2);
    QCOMPARE(c.f.texte_statut(1), QStringLiteral("Cliquer le TROISIEME POINT DE CALAGE"));
    c.clic({450, 300});
    QCOMPARE(c.d.nb_calage, 3);
    QVERIFY(!c.f.Retablir1->isEnabled()); // the new click cleared the redo list
}

void TestAnnulation::ctrlZEtCtrlYDansLaFenetreDesPoints() {
    Carte c;
    c.clic({250, 200});
    c.clic({300, 200});
    c.f2.montre_table_points();
    QVERIFY(active(&c.f2));
    tape_et_entree(c.f2.StringGrid1, 2, 1, QStringLiteral("borne"));
    QCOMPARE(c.d.StringGrid1.cell(2, 1), std::string("borne"));
    // The editor closes once the event loop turns.
    QTRY_COMPARE(c.f.Annuler1->text(), QStringLiteral("Annuler : Saisie dans le tableau des points"));

    c.annule_points();
    QCOMPARE(c.d.StringGrid1.cell(2, 1), std::string());
    QCOMPARE(c.f.Retablir1->text(), QStringLiteral("Rétablir : Saisie dans le tableau des points"));
    c.retablit_points();
    QCOMPARE(c.d.StringGrid1.cell(2, 1), std::string("borne"));

    // The points table's view follows the row the redone click selected, past its old end.
    c.annule_points();
    c.annule_points();
    QCOMPARE(c.d.nb_points, 1);
    c.retablit_points();
    QCOMPARE(c.d.nb_points, 2);
    QCOMPARE(c.f2.StringGrid1->row(), 2);
    c.annule_principale();
    c.retablit_principale();
    QCOMPARE(c.d.StringGrid1.row(), 2);
    QCOMPARE(c.f2.StringGrid1->row(), 2);
    c.annule_points();
    QCOMPARE(c.f2.Label8->text(), QStringLiteral("1 points"));
    QVERIFY(c.blanc(300, 200));
    QCOMPARE(c.f2.modele1->rowCount(), c.d.StringGrid1.row_count() - 1);
}

void TestAnnulation::chaqueEditionDesFenetresSeDefaitEtSeRefait() {
    Carte c;
    for (QPoint p : {QPoint(150, 150), QPoint(200, 150), QPoint(250, 150)}) c.clic(p);
    QTest::keyClick(&c.f, Qt::Key_Space);
    for (QPoint p : {QPoint(150, 250), QPoint(200, 250)}) c.clic(p);
    c.f2.montre_table_points();
    QVERIFY(active(&c.f2));
    tape_et_entree(c.f2.StringGrid1, 5, 1, QStringLiteral("7.5"));
    QTRY_COMPARE(c.f.Annuler1->text(), QStringLiteral("Annuler : Saisie dans le tableau des points"));
    Grille& lignes = c.d.StringGrid3;
    const auto bouton = [&](QAbstractButton* b) {
        QVERIFY(active(&c.f2));
        QTest::mouseClick(b, Qt::LeftButton);
    };

    struct Cas {
        QString nom;
        std::function<void()> edition;
    };
    const Cas cas[] = {
        {QStringLiteral("Nouvelle ligne"), [&] { QTest::keyClick(&c.f, Qt::Key_Space); }},
        {QStringLiteral("Suppression du point"), [&] { QTest::keyClick(&c.f, Qt::Key_Delete); }},
        {QStringLiteral("Suppression du point"),
         [&] {
             c.d.StringGrid1.set_row(2);
             bouton(c.f2.SpeedButton1);
         }},
        {QStringLiteral("Désélection de la ligne"),
         [&] {
             QVERIFY(active(&c.f2));
             GrilleChaines* g = c.f2.StringGrid3;
             const QPoint ok = g->visualRect(g->model()->index(ModeleGrille::ligne_modele(2), 3)).center();
             QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, ok);
         }},
        {QStringLiteral("Désélection de toutes les lignes"), [&] { bouton(c.f2.All_select_Button5); }},
        {QStringLiteral("Recopie de l'altitude"),
         [&] {
             QVERIFY(active(&c.f2));
             c.f2.StringGrid1->setFocus();
             c.f2.StringGrid1->choisit(5, 1);
             c.t->port.repond("O");
             QTest::keyClick(c.f2.StringGrid1, Qt::Key_F9);
         }},
        {QStringLiteral("Suppression de la ligne"),
         [&] {
             lignes.set_row(1);
             c.t->port.repond("O");
             bouton(c.f2.Button_sup_ligne);
         }},
        {QStringLiteral("Valeur de calage"),
         [&] {
             QVERIFY(active(&c.f2));
             tape_et_entree(c.f2.StringGrid2, 3, 3, QStringLiteral("5"));
         }},
        {QStringLiteral("Altitude + delta Z"),
         [&] {
             c.f2.CheckBox_z->setChecked(true);
             c.d.StringGrid1.set_row(2);
             QVERIFY(active(&c.f));
             QTest::keyClick(&c.f, Qt::Key_F3);
         }},
        {QStringLiteral("Mise à l'échelle"),
         [&] {
             c.f.ouvre_echelle(1, 100);
             c.f.Edit14->setText(QStringLiteral("250"));
             c.t->port.repond_oui();
             QTest::mouseClick(c.f.Button10, Qt::LeftButton);
         }},
        {QStringLiteral("Valeurs de calibration du presse-papier"),
         [&] {
             c.t->port.presse_papier_ecrit("2 3 4\n");
             c.t->port.repond_oui();
             bouton(c.f2.SpeedButton10);
         }},
        {QStringLiteral("Nouvelle calibration"), [&] { c.f.SpeedButton14->click(); }},
    };
    for (const Cas& e : cas) {
        const Instantane avant = Instantane::de(c.d);
        e.edition();
        const Instantane apres = Instantane::de(c.d);
        QVERIFY2(!difference(avant, apres).empty(), qPrintable(e.nom + QStringLiteral(" changed nothing")));
        QCOMPARE(c.f.Annuler1->text(), QStringLiteral("Annuler : ") + e.nom);
        // Undone from one window, redone from the other, and the other way round.
        c.annule_principale();
        QCOMPARE(QString::fromStdString(difference(avant, Instantane::de(c.d))), QString());
        c.retablit_points();
        QCOMPARE(QString::fromStdString(difference(apres, Instantane::de(c.d))), QString());
        c.annule_points();
        QCOMPARE(QString::fromStdString(difference(avant, Instantane::de(c.d))), QString());
        // Leaving the points window after Ctrl+Z recomputes nothing: the redo is still there.
        c.retablit_principale();
        QCOMPARE(QString::fromStdString(difference(apres, Instantane::de(c.d))), QString());
        QCOMPARE(c.f2.Label8->text(), QStringLiteral("%1 points").arg(c.d.nb_points));
    }
}

void TestAnnulation::unProjetLuRepartDUneListeVide() {
    Carte c;
    c.clic({250, 200});
    const QString projet = c.dossier.fichier(QStringLiteral("projet.trl"));
    ecrit_projet(c.d, projet.toStdString(), false);
    c.clic({300, 200});
    QVERIFY(c.f.Annuler1->isEnabled());
    c.f.chemin_en_attente = projet;
    c.t->port.repond("N"); // not saved: the project replaces the work
    c.f.lecture_projet();
    QCOMPARE(c.d.nb_points, 1);
    QVERIFY(!c.f.Annuler1->isEnabled());
    QCOMPARE(c.f.Annuler1->text(), QStringLiteral("Annuler"));
}

QTEST_MAIN(TestAnnulation)
#include "tst_annulation.moc"
