// The points window's tables: where typing goes, the edit check and its tone, the cells the
// lines table protects silently, the colour swatch, leaving the window, and its keys.
// Mouse moves without a button go through the platform layer, as a real pointer's do.
#define QTEST_QPA_MOUSE_HANDLING
#include "tests/support/Banc.h"
#include "tests/support/Tableaux.h"

#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "tests/support/DialoguesScriptes.h"
#include "windows/commun/ModeleGrille.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/points/scroll2_controles.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace vuv;
using namespace vuv::test;

class TestPoints : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void edition_des_points_et_du_calage_data();
    void edition_des_points_et_du_calage();
    void pas_de_saisie_fenetre_inactive();
    void lignes_restaurees_sans_son();
    void couleur_par_clic_gauche_ou_droit();
    void couleur_illisible_demandee_une_fois();
    void aide_de_la_table_des_lignes();
    void quitter_recalcule_apres_saisie_du_calage();
    void quitter_sans_saisie_ne_recalcule_pas();
    void premier_clic_ramene_la_fenetre_principale();
    void aClickOnTheToolBarBringsTheWindowBackAndTheMapClickCounts();
    void ligne_choisie_pointee_sur_la_carte();
    void echap_et_f4_en_mode_tablette();
    void decimales();
    void boutons_simples();
    void modele_suit_la_table_sans_copie();

private:
    Document& doc() { return t_->programme->document; }
    QRect rect(GrilleChaines* g, int col, int row) {
        return g->visualRect(g->model()->index(ModeleGrille::ligne_modele(row), col));
    }

    std::unique_ptr<DossierProgrammeTest> dossier_;
    std::unique_ptr<ProgrammeTest> t_;
    std::unique_ptr<DialoguesScriptes> d_;
    TForm1* f1_ = nullptr;
    TForm2* f2_ = nullptr;
};

void TestPoints::init() {
    dossier_ = std::make_unique<DossierProgrammeTest>();
    t_ = demarre();
    d_ = std::make_unique<DialoguesScriptes>();
    installe_dialogues(d_.get());
    f1_ = t_->programme->Form1.get();
    f2_ = t_->programme->Form2.get();
    f2_->montre_table_points();
}

void TestPoints::cleanup() {
    installe_dialogues(nullptr);
    t_.reset();
    dossier_.reset();
    d_.reset();
}

void TestPoints::edition_des_points_et_du_calage_data() {
    QTest::addColumn<bool>("calage");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("tape");
    QTest::addColumn<bool>("garde"); // else the entry value comes back
    QTest::addColumn<int>("tons");
    QTest::newRow("Z lettre") << false << 5 << "12a" << false << 1;
    QTest::newRow("Z réel en cours") << false << 5 << "12.5x" << true << 0;
    QTest::newRow("Z virgule") << false << 5 << "3,5" << true << 0;
    QTest::newRow("Z signe seul") << false << 5 << "-" << true << 0;
    QTest::newRow("Z entier signé") << false << 5 << "-42" << true << 0;
    // Each text is checked as it grows: "0x" is refused before a digit can follow.
    QTest::newRow("Z hexadécimal tapé") << false << 5 << "0x" << false << 1;
    QTest::newRow("libellé libre") << false << 2 << "a b!" << true << 0;
    QTest::newRow("X non saisissable") << false << 3 << "7" << false << 0;
    QTest::newRow("calage X lettre") << true << 3 << "1a" << false << 1;
    QTest::newRow("calage Y entier") << true << 4 << "-25" << true << 0;
    QTest::newRow("calage libellé") << true << 2 << "borne 3" << true << 0;
    QTest::newRow("calage x non saisissable") << true << 6 << "7" << false << 0;
}

void TestPoints::edition_des_points_et_du_calage() {
    QFETCH(bool, calage);
    QFETCH(int, col);
    QFETCH(QString, tape);
    QFETCH(bool, garde);
    QFETCH(int, tons);
    remplit(doc(), {2});
    QVERIFY(active(f2_));
    GrilleChaines* g = calage ? f2_->StringGrid2 : f2_->StringGrid1;
    Grille& table = calage ? doc().StringGrid2 : doc().StringGrid1;
    const std::string avant{table.cell(col, 1)};
    doc().sauve = true;

    vuv::test::tape(g, col, 1, tape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QCOMPARE(QString::fromStdString(std::string(table.cell(col, 1))), garde ? tape : QString::fromStdString(avant));
    // A typed change is work to save: quitting must ask.
    if (garde && tape != QString::fromStdString(avant)) QVERIFY(!doc().sauve);
    QCOMPARE(t_->port.nombre("ton"), tons);
    if (tons > 0) QCOMPARE(t_->port.textes("ton").front(), std::string("1400/250"));
    QCOMPARE(t_->port.nombre("bip"), 0);
}

void TestPoints::pas_de_saisie_fenetre_inactive() {
    remplit(doc(), {2});
    f2_->show();
    QVERIFY(active(f1_));
    const std::string avant{doc().StringGrid1.cell(5, 2)};
    f2_->StringGrid1->choisit(5, 2);
    QTest::keyClick(f2_->StringGrid1, '9');
    QCOMPARE(doc().StringGrid1.cell(5, 2), avant);
    QVERIFY(!f2_->StringGrid1->editeur());
}

void TestPoints::lignes_restaurees_sans_son() {
    remplit(doc(), {1, 1});
    QVERIFY(active(f2_));
    GrilleChaines* g = f2_->StringGrid3;
    vuv::test::tape(g, 1, 2, QStringLiteral("5a"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(doc().StringGrid3.cell(1, 2), std::string("4"));
    vuv::test::tape(g, 4, 2, QStringLiteral("rivière 2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(doc().StringGrid3.cell(4, 2), std::string("rivière 2"));
    QCOMPARE(t_->port.nombre("ton") + t_->port.nombre("bip"), 0);

    // A click on the colour or "OK" column forbids typing there.
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rect(g, 0, 2).center());
    QTest::keyClick(g, '7');
    QCOMPARE(doc().StringGrid3.cell(0, 2), std::string("2"));
}

void TestPoints::couleur_par_clic_gauche_ou_droit() {
    remplit(doc(), {1, 1});
    QVERIFY(active(f2_));
    GrilleChaines* g = f2_->StringGrid3;
    QTest::mouseClick(g->viewport(), Qt::MiddleButton, {}, rect(g, 2, 2).center());
    QCOMPARE(d_->demandes_couleur(), 0);

    d_->repond_couleur(QColor(0, 255, 0));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, rect(g, 2, 2).center());
    QCOMPARE(doc().StringGrid3.cell(2, 2), std::string("65280"));

    d_->repond_couleur_annule();
    QTest::mouseClick(g->viewport(), Qt::RightButton, {}, rect(g, 2, 1).center());
    QCOMPARE(d_->demandes_couleur(), 2);
    QCOMPARE(doc().StringGrid3.cell(2, 1), std::string("255"));

    // The colour offered for a new line is written as the line's colour.
    d_->repond_couleur(QColor(0, 0, 255));
    QVERIFY(f2_->choisit_couleur_ligne(2));
    QCOMPARE(doc().StringGrid3.cell(2, 2), std::string("16711680"));
    QVERIFY(!f2_->choisit_couleur_ligne(2));
}

void TestPoints::couleur_illisible_demandee_une_fois() {
    remplit(doc(), {1});
    doc().StringGrid3.set_cell(2, 1, "rouge");
    QVERIFY(active(f2_));
    for (int i = 0; i < 3; ++i) {
        f2_->StringGrid3->viewport()->repaint();
        QApplication::processEvents();
    }
    QCOMPARE(t_->port.textes("oui_non"),
             std::vector<std::string>{"<rouge> n'est pas une valeur entière err=1\n Sauver automatiquement pour relancer "
                                      "l'application et recharger le projet ? "});
}

void TestPoints::aide_de_la_table_des_lignes() {
    remplit(doc(), {1});
    QVERIFY(active(f2_));
    GrilleChaines* g = f2_->StringGrid3;
    QTest::mouseMove(g->viewport(), rect(g, 1, 1).center());
    QCOMPARE(f2_->Label12->text(), QStringLiteral(" épaisseur de la ligne"));
    QTest::mouseMove(g->viewport(), rect(g, 2, 1).center());
    QCOMPARE(f2_->Label12->text(), QStringLiteral(" clikck pour modifier la couleur de la ligne"));
    QTest::mouseMove(g->viewport(), rect(g, 3, 1).center());
    QCOMPARE(f2_->Label12->text(), QStringLiteral(" double click pour afficher ou non la ligne"));
    QTest::mouseMove(f2_->Label8, QPoint(2, 2));
    QCOMPARE(f2_->Label12->text(), QString());
}

void TestPoints::quitter_recalcule_apres_saisie_du_calage() {
    remplit(doc(), {3});
    QVERIFY(active(f2_));
    // X of cal 3 typed, never confirmed by Enter.
    vuv::test::tape(f2_->StringGrid2, 3, 3, QStringLiteral("5"));
    QVERIFY(f2_->calage_modifie);
    QVERIFY(active(f1_));
    LignePoint p;
    QVERIFY(doc().liste_extrait_Lxy(1, p));
    QCOMPARE(static_cast<double>(p.X), 0.5); // pixel (10, 20) in the frame
    QCOMPARE(static_cast<double>(p.Y), 0.8);
    QCOMPARE(static_cast<double>(p.Z), 101.0);
    QVERIFY(f1_->ignore_clic_suivant);
    // Activation clears the mark.
    QVERIFY(active(f2_));
    QVERIFY(!f2_->calage_modifie);
}

void TestPoints::quitter_sans_saisie_ne_recalcule_pas() {
    remplit(doc(), {3});
    QVERIFY(active(f2_));
    doc().StringGrid2.set_cell(3, 3, "5");
    QVERIFY(active(f1_));
    LignePoint p;
    QVERIFY(doc().liste_extrait_Lxy(1, p));
    QCOMPARE(static_cast<double>(p.X), 1.0);
    QVERIFY(f1_->ignore_clic_suivant);
}

void TestPoints::premier_clic_ramene_la_fenetre_principale() {
    QImage fond(200, 200, QImage::Format_RGB555);
    fond.fill(Qt::white);
    f1_->installe_fond(fond);
    remplit(doc(), {1});
    QVERIFY(active(f2_));
    QVERIFY(active(f1_));
    const QPoint centre = f1_->Image1->rect().center();
    QTest::mouseClick(f1_->Image1, Qt::LeftButton, {}, centre);
    QCOMPARE(doc().nb_points, 1);
    QVERIFY(!f1_->ignore_clic_suivant);
    QTest::mouseClick(f1_->Image1, Qt::LeftButton, {}, centre);
    QCOMPARE(doc().nb_points, 2);
}

// Leaving the points window by a tool-bar button (Nouvelle ligne, a colouring mode): the
// first click on the map was swallowed as if it had brought the window back.
void TestPoints::aClickOnTheToolBarBringsTheWindowBackAndTheMapClickCounts() {
    QImage fond(200, 200, QImage::Format_RGB555);
    fond.fill(Qt::white);
    f1_->installe_fond(fond);
    remplit(doc(), {1});
    QVERIFY(active(f2_));
    QVERIFY(active(f1_));
    QVERIFY(f1_->ignore_clic_suivant);
    QTest::mouseClick(f1_->Panel1, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(f1_->Image1, Qt::LeftButton, {}, f1_->Image1->rect().center());
    QCOMPARE(doc().nb_points, 2);
}

void TestPoints::ligne_choisie_pointee_sur_la_carte() {
    QImage fond(200, 200, QImage::Format_RGB555);
    fond.fill(Qt::white);
    f1_->installe_fond(fond);
    remplit(doc(), {3});
    QVERIFY(active(f2_));
    GrilleChaines* g1 = f2_->StringGrid1;
    QTest::mouseClick(g1->viewport(), Qt::LeftButton, {}, rect(g1, 3, 2).center());
    QCOMPARE(f1_->ligne_pointee, 2);
    QCOMPARE(doc().StringGrid1.row(), 2);
    GrilleChaines* g2 = f2_->StringGrid2;
    QTest::mouseClick(g2->viewport(), Qt::LeftButton, {}, rect(g2, 2, 1).center());
    QCOMPARE(f1_->ligne_pointee, -1);
}

void TestPoints::echap_et_f4_en_mode_tablette() {
    QVERIFY(active(f2_));
    QTest::keyClick(f2_->StringGrid1, Qt::Key_Escape);
    QVERIFY(f2_->isVisible());
    f1_->Tabledigitaliser1->setChecked(true);
    QTest::keyClick(f2_->StringGrid1, Qt::Key_Escape);
    QVERIFY(!f2_->isVisible());
    QVERIFY(active(f2_));
    QTest::keyClick(f2_->Edit4, Qt::Key_F4);
    QVERIFY(!f2_->isVisible());
}

void TestPoints::decimales() {
    QVERIFY(active(f2_));
    f2_->Edit4->clear();
    QTest::keyClicks(f2_->Edit4, QStringLiteral("1x2"));
    QCOMPARE(f2_->Edit4->text(), QStringLiteral("12"));
    QCOMPARE(doc().texte_decimales, std::string("12"));
    QCOMPARE(f1_->options_export.Edit15, std::string("12"));
    QTest::keyClick(f2_->Edit4, Qt::Key_Return);
    QCOMPARE(doc().ndecimale, 12);
    QCOMPARE(f2_->Label4->text(), QString::fromStdString(texte_X(doc(), 0)));
    QCOMPARE(f2_->Label4->text(), QStringLiteral("X= 0.000000000000"));

    // Emptied: the message once, 8 decimals.
    f2_->Edit4->clear();
    QTest::keyClick(f2_->Edit4, Qt::Key_Return);
    QCOMPARE(doc().ndecimale, 8);
    QCOMPARE(t_->port.textes("information"),
             std::vector<std::string>{"le nombre de décimale est illisible =<>\n on affecte donc 8 décimales par défaut"});
}

void TestPoints::boutons_simples() {
    f2_->Button5->click();
    QCOMPARE(t_->port.textes("information"),
             std::vector<std::string>{" Pour changer le facteur d'échelle il faut générer une ligne de 2 points,\r\r "
                                      "calculer la distance (Touche d) et mettre à l'échelle"});
    f1_->Panel5->hide();
    f2_->Button3->click();
    QVERIFY(!f1_->Panel5->isHidden());
    QCOMPARE(f2_->Button3->toolTip(), QStringLiteral("Nouvelle calibration"));
    QVERIFY(!t_->port.termine());
    f2_->Button1->click();
    QVERIFY(t_->port.termine());
    QCOMPARE(t_->port.nombre("question") + t_->port.nombre("oui_non"), 0);
}

void TestPoints::modele_suit_la_table_sans_copie() {
    Grille& g = doc().StringGrid1;
    ModeleGrille& m = *f2_->modele1;
    QCOMPARE(m.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Libellé"));
    QSignalSpy inseres(&m, &QAbstractItemModel::rowsInserted);
    QSignalSpy remises(&m, &QAbstractItemModel::modelReset);
    g.set_row_count(100'001);
    QCOMPARE(m.rowCount(), 100'000);
    doc().affecte_en(100'001, 3, "fin", 0, 0, 0, 1, 1);
    QCOMPARE(m.rowCount(), 100'001);
    QCOMPARE(inseres.count(), 2);
    QCOMPARE(remises.count(), 0);
    QCOMPARE(m.index(100'000, 2).data().toString(), QStringLiteral("fin"));

    // The table's selection moves the view, without running the user's cell handlers.
    QSignalSpy choix(f2_->StringGrid1, &GrilleChaines::cellule_choisie);
    g.set_row(100'001);
    QCOMPARE(f2_->StringGrid1->row(), 100'001);
    QCOMPARE(choix.count(), 0);
    g.set_row_count(2);
    QCOMPARE(m.rowCount(), 1);
}

QTEST_MAIN(TestPoints)
#include "tst_points.moc"
