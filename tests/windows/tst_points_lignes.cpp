// Lines in the points window: deleting the current line in each of its cases, showing and
// hiding lines, and F9 copying an altitude down a line.
#include "tests/support/Banc.h"
#include "tests/support/Tableaux.h"

#include "core/document/Document.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/commun/ModeleGrille.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

namespace {

std::vector<std::string> colonne(const Grille& g, int col) {
    std::vector<std::string> r;
    for (int row = 1; row < g.row_count(); ++row) r.emplace_back(g.cell(col, row));
    return r;
}

} // namespace

class TestPointsLignes : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void supprime_une_ligne_du_milieu();
    void derniere_ligne_vide_sans_question();
    void seule_ligne();
    void suppression_annulee_ou_impossible();
    void tout_afficher_tout_deselectionner_double_clic();
    void f9_recopie_l_altitude_vers_le_bas();

private:
    Document& doc() { return t_->programme->document; }
    void choisit_ligne(int row) { f2_->StringGrid3->choisit(0, row); }

    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    std::unique_ptr<DialoguesScriptes> d_;
    TForm2* f2_ = nullptr;
};

void TestPointsLignes::init() {
    dossier_ = std::make_unique<DossierProgrammeTest>();
    t_ = demarre();
    d_ = std::make_unique<DialoguesScriptes>();
    installe_dialogues(d_.get());
    f2_ = t_->programme->Form2.get();
    f2_->montre_table_points();
}

void TestPointsLignes::cleanup() {
    installe_dialogues(nullptr);
    t_.reset();
    dossier_.reset();
    d_.reset();
}

void TestPointsLignes::supprime_une_ligne_du_milieu() {
    remplit(doc(), {2, 3, 2});
    choisit_ligne(2);
    QCOMPARE(f2_->Button_sup_ligne->text(), QStringLiteral("Supprimer la ligne courante n° 2"));
    t_->port.repond("O");
    QTest::mouseClick(f2_->Button_sup_ligne, Qt::LeftButton);

    QCOMPARE(t_->port.textes("question"),
             std::vector<std::string>{"Supprimer la ligne 2 en inverse video du tableau de lignes|"
                                      "TOTAL :3 ligne(s) / 7 points\n\n Effacer la ligne sélectionnée n° 2  composée "
                                      "de 3 points ?|OE|supprimer|"});
    const Grille& p = doc().StringGrid1;
    QCOMPARE(doc().nb_points, 4);
    QCOMPARE(p.row_count(), 5);
    QCOMPARE(colonne(p, 0), (std::vector<std::string>{"    1", "    2", "    3", "    4"}));
    QCOMPARE(colonne(p, 1), (std::vector<std::string>{"  1", "  1", "  3", "  3"}));
    QCOMPARE(p.cell(7, 3), std::string("  120")); // former point 6, y = 20·6
    // The line keeps its row, without colour; the others keep their numbers.
    const Grille& l = doc().StringGrid3;
    QCOMPARE(doc().num_ligne, 3);
    QCOMPARE(colonne(l, 2), (std::vector<std::string>{"255", "", "255"}));
    QCOMPARE(colonne(l, 0), (std::vector<std::string>{"1", "2", "3"}));
    QCOMPARE(f2_->Label8->text(), QStringLiteral("4 points"));
}

void TestPointsLignes::derniere_ligne_vide_sans_question() {
    remplit(doc(), {2, 0});
    choisit_ligne(2);
    f2_->Button_sup_ligneClick();
    QCOMPARE(t_->port.nombre("question"), 0);
    QCOMPARE(doc().StringGrid3.row_count(), 2);
    QCOMPARE(doc().num_ligne, 1);
    QCOMPARE(doc().nb_points, 2);

    // The last line with points is asked about, then removed with them.
    remplit(doc(), {2, 1});
    choisit_ligne(2);
    t_->port.repond("O");
    f2_->Button_sup_ligneClick();
    QCOMPARE(doc().nb_points, 2);
    QCOMPARE(doc().num_ligne, 1);
    QCOMPARE(doc().StringGrid3.row_count(), 2);
    QCOMPARE(doc().StringGrid1.row_count(), 3);
}

void TestPointsLignes::seule_ligne() {
    remplit(doc(), {3});
    choisit_ligne(1);
    t_->port.repond("O");
    f2_->Button_sup_ligneClick();
    QCOMPARE(doc().nb_points, 0);
    QCOMPARE(doc().num_ligne, 1);
    const Grille& p = doc().StringGrid1;
    QCOMPARE(p.row_count(), 2);
    for (int c : {2, 3, 4}) QCOMPARE(p.cell(c, 1), std::string());
    QCOMPARE(p.cell(1, 1), std::string("  1"));
    QCOMPARE(doc().StringGrid3.cell(2, 1), std::string("255"));
    QCOMPARE(f2_->Label8->text(), QStringLiteral("0 points"));
}

void TestPointsLignes::suppression_annulee_ou_impossible() {
    remplit(doc(), {2, 2});
    choisit_ligne(1);
    t_->port.repond("E");
    f2_->Button_sup_ligneClick();
    QCOMPARE(t_->port.nombre("question"), 1);
    QCOMPARE(doc().nb_points, 4);
    QCOMPARE(doc().StringGrid3.cell(2, 1), std::string("255"));

    // The only row of the lines table, without points: nothing at all.
    t_->port.oublie();
    remplit(doc(), {0});
    choisit_ligne(1);
    f2_->Button_sup_ligneClick();
    QCOMPARE(t_->port.nombre("question"), 0);
    QCOMPARE(doc().StringGrid3.row_count(), 2);
    QCOMPARE(doc().StringGrid3.cell(0, 1), std::string("1"));
}

void TestPointsLignes::tout_afficher_tout_deselectionner_double_clic() {
    remplit(doc(), {1, 1, 1});
    QTest::mouseClick(f2_->All_select_Button5, Qt::LeftButton);
    QCOMPARE(colonne(doc().StringGrid3, 3), (std::vector<std::string>{"", "", ""}));
    QTest::mouseClick(f2_->Deselection_Button4, Qt::LeftButton);
    QCOMPARE(colonne(doc().StringGrid3, 3), (std::vector<std::string>{"x", "x", "x"}));

    QVERIFY(active(f2_));
    GrilleChaines* g = f2_->StringGrid3;
    const QPoint ok = g->visualRect(g->model()->index(ModeleGrille::ligne_modele(2), 3)).center();
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, ok);
    QCOMPARE(colonne(doc().StringGrid3, 3), (std::vector<std::string>{"x", "", "x"}));
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, ok);
    QCOMPARE(doc().StringGrid3.cell(3, 2), std::string("x"));
    QVERIFY(!g->editeur()); // no typing in "OK"
}

void TestPointsLignes::f9_recopie_l_altitude_vers_le_bas() {
    remplit(doc(), {5, 2});
    QVERIFY(active(f2_));
    Grille& p = doc().StringGrid1;
    p.set_cell(5, 2, "  7.5");
    f2_->StringGrid1->setFocus();
    f2_->StringGrid1->choisit(5, 2);
    QTest::keyClick(f2_->StringGrid1, Qt::Key_F9); // no answer: cancelled
    QCOMPARE(p.cell(5, 3), std::string("103.00000000"));
    QCOMPARE(t_->port.textes("question"),
             std::vector<std::string>{"\rrecopier l'altitude Z =   7.5\r\rsur le reste des points de la ligne n°  1||OE|"
                                      "recopier|"});

    t_->port.repond("O");
    QTest::keyClick(f2_->StringGrid1, Qt::Key_F9);
    QCOMPARE(colonne(p, 5), (std::vector<std::string>{"101.00000000", "  7.5", "  7.5", "  7.5", "  7.5",
                                                       "106.00000000", "107.00000000"}));

    // While a Z is being typed: asked once, about the text typed so far.
    t_->port.oublie();
    vuv::test::tape(f2_->StringGrid1, 5, 6, QStringLiteral("9"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F9);
    QCOMPARE(t_->port.textes("question"),
             std::vector<std::string>{"\rrecopier l'altitude Z = 9\r\rsur le reste des points de la ligne n°  2||OE|"
                                      "recopier|"});
}

QTEST_MAIN(TestPointsLignes)
#include "tst_points_lignes.moc"
