// The menu commands the main window handles itself (MenuPrincipal builds the menu).
#include "windows/principale/scroll.h"

#include "core/document/Document.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"
#include "windows/apropos/scrollab.h"
#include "windows/conversion/Convert.h"
#include "windows/apropos/scrollf1.h"
#include "windows/graphe3d/scrollrep.h"

#include <QAction>

namespace vuv {

void TForm1::tab_points() {
    if (TForm2* f = fenetres().Form2) {
        f->show();
        f->raise();
        f->activateWindow();
        f->setFocus();
    }
}

void TForm1::UTMLat1Click() {
    if (TForm7* f = fenetres().Form7) {
        f->show();
        f->raise();
        f->activateWindow();
    }
}

void TForm1::GarderlesproportionsLxH1Click() {
    // The action has already toggled its check mark.
    if (GarderlesproportionsLxH1->isChecked()) fenetre_proportionnelle();
    else grande_fenetre();
}

void TForm1::Pleincran1Click() {
    const bool etait_coche = !Pleincran1->isChecked();
    if (en_mode_tablette()) {
        Pleincran1->setChecked(etait_coche);
        return;
    }
    if (!etait_coche) {
        grande_fenetre();
        Pleincran1->setChecked(true);
    } else {
        Pleincran1->setChecked(false);
    }
}

void TForm1::Apropos1Click() {
    if (TForm3* f = fenetres().Form3) {
        f->show();
        f->raise();
        f->activateWindow();
        f->setFocus();
    }
}

void TForm1::Graphe1Click() {
    if (doc.nb_points < 1) return;
    if (TForm4* f = fenetres().Form4) {
        f->show();
        f->raise();
        f->activateWindow();
    }
}

void TForm1::Aide1Click() {
    TForm5* f = fenetres().Form5;
    if (!f) return;
    if (f->isActiveWindow()) {
        f->hide();
        activateWindow();
        setFocus();
        update();
        centralWidget()->update();
    } else {
        f->show();
        f->raise();
        f->activateWindow();
        f->setFocus();
    }
}

void TForm1::Aide2Click() {
    if (TForm5* f = fenetres().Form5) f->setVisible(!f->isVisible());
}

void TForm1::rouletteinverse1Click() { sens_roulette = rouletteinverse1->isChecked() ? -1 : 1; }

void TForm1::Points1Click() {
    mode_trace(false);
    change_trace();
}

void TForm1::Lignes1Click() {
    mode_trace(true);
    change_trace();
}

void TForm1::change_trace() {
    if (!calque.existe()) return;
    redessiner_calque();
    calque.vue.marque_sale();
    redessiner();
    af_efface_der_ligne_xor();
}

void TForm1::traite_param() {
    chemin_en_attente = ligne_commande;
    if (lecture_projet) lecture_projet();
}

} // namespace vuv
