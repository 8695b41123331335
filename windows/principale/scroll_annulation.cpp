// Undo and redo in the main window: the Edition menu's first two items and their keys, and the
// map, the status bar and the points count brought back in line after the document moved.
#include "windows/principale/scroll.h"

#include "core/document/Digitalisation.h"
#include "windows/commun/Textes.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"
#include "windows/principale/carte/scroll_image.h"

#include <QAction>

namespace vuv {

void TForm1::construit_annulation() {
    annulation.ajoute_observateur(this);
    connect(Annuler1, &QAction::triggered, this, &TForm1::Annuler1Click);
    connect(Retablir1, &QAction::triggered, this, &TForm1::Retablir1Click);
    pile_changee();
}

void TForm1::pile_changee() {
    const bool annulable = annulation.peut_annuler(), retablissable = annulation.peut_retablir();
    Annuler1->setEnabled(annulable);
    Annuler1->setText(annulable ? QStringLiteral("Annuler : ") + qs(annulation.nom_annulation())
                                : QStringLiteral("Annuler"));
    Retablir1->setEnabled(retablissable);
    Retablir1->setText(retablissable ? QStringLiteral("Rétablir : ") + qs(annulation.nom_retablissement())
                                     : QStringLiteral("Rétablir"));
}

void TForm1::Annuler1Click() {
    if (annulation.annuler()) apres_annulation();
}

void TForm1::Retablir1Click() {
    if (annulation.retablir()) apres_annulation();
}

void TForm1::apres_annulation() {
    if (TForm2* f = fenetres().Form2) f->affiche_nb_points();
    if (calque.existe()) {
        redessiner_calque();
        // The rubber band starts again from the last point the tables now hold.
        const std::optional<PointDeTable> dernier = point_de_table(doc, doc.nb_points);
        calque.dernier_x = dernier ? dernier->x : 0;
        calque.dernier_y = dernier ? dernier->y : 0;
        calque.vue.marque_sale();
        redessiner();
    }
    statut_saisie();
}

} // namespace vuv
