// The editing rules of the three tables: where typing is allowed, what a typed value may
// look like, and what each table does on Enter, on a click and when it is left.
#include "windows/points/scroll2.h"

#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/ModeleGrille.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2_controles.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vuv {
namespace {

bool colonne_points_saisissable(int col) { return col == 2 || col == 5; }

// A rejected text goes back to the entry value, in the editor and in the cell.
void remet(GrilleChaines* g, QLineEdit* editeur, int col, int row, const std::string& entree) {
    editeur->setText(qs(entree));
    g->modele().grille().set_cell(col, row, entree);
}

const char* const aides[5] = {" indice de la ligne", " épaisseur de la ligne",
                              " clikck pour modifier la couleur de la ligne",
                              " double click pour afficher ou non la ligne", " nom de la ligne"};

} // namespace

void TForm2::branche_tables() {
    GrilleChaines* g1 = StringGrid1;
    connect(g1, &GrilleChaines::cellule_choisie, this, &TForm2::StringGrid1SelectCell);
    connect(g1, &GrilleChaines::souris_enfoncee, this,
            [this](Qt::MouseButton, int col, int row) { StringGrid1MouseDown(col, row); });
    connect(g1, &GrilleChaines::entree, this, &TForm2::StringGrid1Enter);
    connect(g1, &GrilleChaines::texte_edite, this, &TForm2::StringGrid1SetEditText);
    connect(g1, &GrilleChaines::touche, this, [this](int touche, Qt::KeyboardModifiers) { StringGrid1KeyDown(touche); });
    connect(g1, &GrilleChaines::touche_entree, this, &TForm2::Redessiner);
    connect(g1, &GrilleChaines::sortie, this, &TForm2::StringGrid1Exit);

    GrilleChaines* g2 = StringGrid2;
    connect(g2, &GrilleChaines::cellule_choisie, this, &TForm2::StringGrid2SelectCell);
    connect(g2, &GrilleChaines::entree, this, &TForm2::StringGrid2Enter);
    connect(g2, &GrilleChaines::texte_edite, this, &TForm2::StringGrid2SetEditText);
    connect(g2, &GrilleChaines::frappe, this, [this] { calage_modifie = true; });
    connect(g2, &GrilleChaines::touche_entree, this, &TForm2::calcul_nouveaux_calage);
    connect(g2, &GrilleChaines::sortie, this, &TForm2::StringGrid2Exit);

    GrilleChaines* g3 = StringGrid3;
    connect(g3, &GrilleChaines::cellule_choisie, this, &TForm2::StringGrid3SelectCell);
    connect(g3, &GrilleChaines::souris_enfoncee, this, &TForm2::StringGrid3MouseDown);
    connect(g3, &GrilleChaines::entree, this, &TForm2::StringGrid3Enter);
    connect(g3, &GrilleChaines::texte_edite, this, &TForm2::StringGrid3SetEditText);
    connect(g3, &GrilleChaines::touche_entree, this, &TForm2::redessine_calque);
    connect(g3, &GrilleChaines::double_clic, this, &TForm2::StringGrid3DblClick);
    connect(g3, &GrilleChaines::souris_deplacee, this, &TForm2::StringGrid3MouseMove);
    connect(g3, &GrilleChaines::sortie, this, &TForm2::StringGrid3Exit);
    // Met while painting: the question of val_entier waits until the painting is over, and
    // comes once per text, or every repaint would ask again.
    connect(
        g3, &GrilleChaines::couleur_illisible, this,
        [this](const QString& t) {
            if (couleurs_illisibles_.contains(t)) return;
            couleurs_illisibles_ << t;
            val_entier(ss(t));
        },
        Qt::QueuedConnection);
    StringGrid3->colonne_saisissable = [](int) { return true; };
}

bool TForm2::saisie_acceptable(int col, const std::string& texte) {
    if (texte.empty() || col == 2 || texte == "+" || texte == "-") return true;
    // A real number being typed: read later by the table's readers.
    if (texte.find_first_of(".,") != std::string::npos) return true;
    return lit_entier(texte).erreur == 0;
}

void TForm2::calcul_nouveaux_calage() {
    // The values typed since the last recomputation and the points it moves: one step.
    const PileAnnulation::Edition edition(pile(), noms_editions::valeur_de_calage, true);
    Document::Operation op(doc);
    doc.calcul_nouveaux_calage();
    // The status bar shows the calibration as typed, not the clicked pixels.
    if (doc.nb_calage > 0)
        if (TForm1* f1 = form1()) f1->statut(2, doc.val_calage());
}

// --- Points table ---

void TForm2::StringGrid1SelectCell(int col, int row) {
    // The grid's click comes with the selection.
    StringGrid1Enter();
    entree1 = doc.StringGrid1.cell(col, row);
    if (!est_active()) {
        StringGrid1->saisie = false;
        return;
    }
    if (row <= doc.nb_points)
        if (TForm1* f1 = form1()) f1->depointer_i_sel_anc_puis_pointer(row);
}

void TForm2::StringGrid1Enter() {
    entree1 = doc.StringGrid1.cell(StringGrid1->col(), StringGrid1->row());
    StringGrid1->saisie = colonne_points_saisissable(StringGrid1->col());
}

void TForm2::StringGrid1MouseDown(int col, int row) {
    entree1 = doc.StringGrid1.cell(StringGrid1->col(), StringGrid1->row());
    if (row > 0) StringGrid1->saisie = colonne_points_saisissable(col);
}

void TForm2::StringGrid1SetEditText(QLineEdit* editeur, int col, int row, const QString& texte) {
    if (saisie_acceptable(col, ss(texte))) return;
    port().ton(1400, 250);
    remet(StringGrid1, editeur, col, row, entree1);
}

void TForm2::StringGrid1KeyDown(int touche) {
    if (touche == Qt::Key_F9) recopie_altitude();
}

void TForm2::StringGrid1Exit() { StringGrid1->saisie = false; }

// --- Calibration table ---

void TForm2::StringGrid2SelectCell(int col, int row) {
    entree2 = doc.StringGrid2.cell(col, row);
    if (est_active() && row <= doc.nb_calage)
        if (TForm1* f1 = form1()) f1->depointer_i_sel_anc_puis_pointer(-row);
    // The click: values typed so far are applied first.
    calcul_nouveaux_calage();
    StringGrid2Enter();
}

void TForm2::StringGrid2Enter() {
    entree2 = doc.StringGrid2.cell(StringGrid2->col(), StringGrid2->row());
    StringGrid2->saisie = true;
}

void TForm2::StringGrid2SetEditText(QLineEdit* editeur, int col, int row, const QString& texte) {
    if (saisie_acceptable(col, ss(texte))) return;
    port().ton(1400, 250);
    remet(StringGrid2, editeur, col, row, entree2);
}

void TForm2::StringGrid2Exit() { calcul_nouveaux_calage(); }

// --- Lines table ---

void TForm2::StringGrid3SelectCell(int col, int row) {
    entree3 = doc.StringGrid3.cell(col, row);
    Button_sup_ligne->setText(QStringLiteral("Supprimer la ligne courante n° %1").arg(row));
    StringGrid3->saisie = true;
    redessine_calque();
}

void TForm2::StringGrid3Enter() {
    entree3 = doc.StringGrid3.cell(StringGrid3->col(), StringGrid3->row());
    StringGrid3->saisie = true;
}

void TForm2::StringGrid3MouseDown(Qt::MouseButton bouton, int col, int row) {
    entree3 = doc.StringGrid3.cell(StringGrid3->col(), StringGrid3->row());
    StringGrid3->saisie = row > 0 && (col == 1 || col == 4);
    if (row > 0 && col == 2 && (bouton == Qt::LeftButton || bouton == Qt::RightButton)) change_couleur_ligne(row);
}

void TForm2::StringGrid3SetEditText(QLineEdit* editeur, int col, int row, const QString& texte) {
    if (col == 4 || texte.isEmpty() || lit_entier(ss(texte)).erreur == 0) return;
    remet(StringGrid3, editeur, col, row, entree3);
}

void TForm2::StringGrid3DblClick(int col, int row) {
    if (col != 3 || row < 1) return;
    Grille& g = doc.StringGrid3;
    const bool affichee = g.cell(3, row) != "x";
    {
        const PileAnnulation::Edition edition(
            pile(), affichee ? noms_editions::selection_ligne : noms_editions::deselection_ligne);
        g.set_cell(3, row, affichee ? "x" : "");
    }
    apres_selection_lignes();
}

void TForm2::StringGrid3MouseMove(int col) {
    Label12->setText(col >= 0 && col < 5 ? QString::fromUtf8(aides[col]) : QString());
    aide_affichee = true;
}

void TForm2::StringGrid3Exit() {
    StringGrid3->saisie = false;
    Label12->clear();
    redessine_calque();
}

void TForm2::FormMouseMove() {
    if (!aide_affichee) return;
    Label12->clear();
    aide_affichee = false;
}

// --- Redrawing through the main window ---

void TForm2::Redessiner() {
    if (TForm1* f1 = form1()) f1->SpeedButton10Click();
}

void TForm2::redessine_calque() {
    TForm1* f1 = form1();
    if (!f1) return;
    f1->redessiner_calque();
    f1->redessiner();
    f1->af_efface_der_ligne_xor();
}

} // namespace vuv
