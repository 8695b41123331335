// Undo in the points window: Ctrl+Z and Ctrl+Y (Ctrl is no click here), and what is typed into
// a cell made one step when its editor closes.
#include "windows/points/scroll2.h"

#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Document.h"
#include "windows/commun/ModeleGrille.h"
#include "windows/points/scroll2_controles.h"
#include "windows/principale/scroll.h"

#include <QAction>

namespace vuv {

PileAnnulation* TForm2::pile() const {
    TForm1* f1 = form1();
    return f1 ? &f1->annulation : nullptr;
}

void TForm2::branche_annulation() {
    Annuler2 = new QAction(QStringLiteral("Annuler"), this);
    Annuler2->setObjectName(QStringLiteral("Annuler2"));
    Annuler2->setShortcut(Qt::CTRL | Qt::Key_Z);
    Retablir2 = new QAction(QStringLiteral("Rétablir"), this);
    Retablir2->setObjectName(QStringLiteral("Retablir2"));
    Retablir2->setShortcut(Qt::CTRL | Qt::Key_Y);
    addAction(Annuler2);
    addAction(Retablir2);
    // Its Ctrl went to the calibration table as a key typed there; the tables are now a state
    // already reached, and recomputing them on leaving would only rewrite typed texts as a new
    // step and lose the redo list.
    connect(Annuler2, &QAction::triggered, this, [this] {
        if (TForm1* f1 = form1()) f1->Annuler1Click();
        calage_modifie = false;
    });
    connect(Retablir2, &QAction::triggered, this, [this] {
        if (TForm1* f1 = form1()) f1->Retablir1Click();
        calage_modifie = false;
    });

    // A cell follows its editor key by key: the keys become one step when the editor closes.
    // The calibration table's values join the recomputation they cause (calcul_nouveaux_calage).
    const std::pair<ModeleGrille*, const char*> saisies[] = {{modele1, noms_editions::saisie_points},
                                                             {modele2, noms_editions::valeur_de_calage},
                                                             {modele3, noms_editions::saisie_lignes}};
    for (const auto& [modele, nom] : saisies)
        modele->edite = [this, nom = nom] {
            doc.sauve = false;
            if (PileAnnulation* p = pile()) p->nomme_attente(nom);
        };
    for (const auto& [grille, nom] : {std::pair{StringGrid1, noms_editions::saisie_points},
                                      std::pair{StringGrid3, noms_editions::saisie_lignes}})
        connect(grille->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this, nom = nom] {
            if (PileAnnulation* p = pile()) p->valide_attente(nom);
        });
}

} // namespace vuv
