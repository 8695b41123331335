// The points window's settings and plain buttons: decimals, label display, image offset,
// calibration and scale buttons, deleting a point and the direct exit.
#include "windows/points/scroll2.h"

#include "core/document/Digitalisation.h"
#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/principale/carte/Calque.h"
#include "windows/commun/Dialogues.h"
#include "windows/principale/export/PanneauExport.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2_controles.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vuv {

void TForm2::branche_reglages() {
    connect(Edit4, &QLineEdit::textChanged, this, &TForm2::Edit4Change);
    connect(Edit4, &QLineEdit::returnPressed, this, &TForm2::Edit4Entree);
    connect(Edit3, &QLineEdit::returnPressed, this, &TForm2::Edit3Entree);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm2::CheckBox1Click);
    connect(Panel1, &PanneauCouleur::clic, this, &TForm2::Panel1Click);
    connect(Panel2, &PanneauCouleur::clic, this, &TForm2::Panel2Click);
    connect(Edit_dx0, &QLineEdit::returnPressed, this, &TForm2::Edit_dx0Entree);
    connect(Edit_dy0, &QLineEdit::returnPressed, this, &TForm2::Edit_dy0Entree);
    connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
    connect(Button5, &QPushButton::clicked, this, &TForm2::Button5Click);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm2::SpeedButton1Click);
    connect(Deselection_Button4, &QPushButton::clicked, this, &TForm2::Deselection_Button4Click);
    connect(All_select_Button5, &QPushButton::clicked, this, &TForm2::All_select_Button5Click);
    connect(Button_sup_ligne, &QPushButton::clicked, this, &TForm2::Button_sup_ligneClick);
    connect(SpeedButton3, &QPushButton::clicked, this, [this] {
        if (TForm1* f1 = form1()) f1->affiche_panel_sauve();
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        if (TForm1* f1 = form1()) f1->Exporterlescoordonnes1Click();
    });
}

void TForm2::Edit4Change() {
    doc.texte_decimales = ss(Edit4->text());
    // The export panel writes with the same number of decimals.
    TForm1* f1 = form1();
    if (!f1) return;
    f1->options_export.Edit15 = doc.texte_decimales;
    if (f1->panel7_visible()) f1->Panel7->affiche();
}

void TForm2::Edit4Entree() {
    {
        Document::Operation op(doc);
        doc.affecte_ndecimale();
    }
    // A preview of the new decimals.
    Label4->setText(qs(texte_X(doc, 0)));
    Label5->setText(qs(texte_Y(doc, 0)));
    if (TForm1* f1 = form1()) f1->affiche_XYc(1, 0, 0);
    Label4->repaint();
    Label5->repaint();
}

void TForm2::Edit3Entree() { Redessiner(); }

void TForm2::CheckBox1Click() { Redessiner(); }

void TForm2::Panel1Click() {
    if (const auto c = dialogues().couleur(Panel1->couleur(), false)) Panel1->fixe_couleur(*c);
    Redessiner();
}

void TForm2::Panel2Click() {
    if (const auto c = dialogues().couleur(Panel2->couleur(), false)) Panel2->fixe_couleur(*c);
    Redessiner();
}

void TForm2::reglages_libelles(ReglagesTrace& r) const {
    r.libelles = CheckBox1->isChecked();
    const LectureEntier h = lit_entier(ss(Edit3->text()));
    if (h.erreur == 0) r.hauteur_police = h.valeur;
    r.couleur_libelle = Panel1->couleur();
    r.fond_libelle = Panel2->couleur();
}

void TForm2::Edit_dx0Entree() { recharge_decalage(Edit_dx0, doc.dx0); }

void TForm2::Edit_dy0Entree() { recharge_decalage(Edit_dy0, doc.dy0); }

void TForm2::recharge_decalage(QLineEdit* edit, int& valeur) {
    const std::string t = ss(edit->text());
    const LectureEntier v = lit_entier(t);
    if (v.erreur != 0) {
        port().erreur("'" + t + "' n'est pas une valeur entière correcte");
        return;
    }
    valeur = v.valeur;
    if (TForm1* f1 = form1()) f1->recharge_fond_decale();
    Redessiner();
}

void TForm2::Button3Click() {
    TForm1* f1 = form1();
    if (!f1 || !f1->Panel5) return;
    f1->Panel5->show();
    f1->Panel5->raise();
}

void TForm2::Button5Click() {
    port().information(" Pour changer le facteur d'échelle il faut générer une ligne de 2 points,\r\r calculer la "
                       "distance (Touche d) et mettre à l'échelle");
}

void TForm2::Button1Click() { port().termine_application(); }

void TForm2::SpeedButton1Click() {
    const bool active = est_active();
    {
        const PileAnnulation::Edition edition(pile(), noms_editions::suppression_point);
        Document::Operation op(doc);
        doc.efface_tab_et_point(active);
    }
    affiche_nb_points();
    TForm1* f1 = form1();
    if (!active || !f1) return;
    f1->redessiner_calque();
    f1->redessiner();
    f1->af_efface_der_ligne_xor();
    f1->pointer_selection();
}

void TForm2::affiche_nb_points() { Label8->setText(QStringLiteral("%1 points").arg(doc.nb_points)); }

} // namespace vuv
