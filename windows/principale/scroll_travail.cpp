#include "windows/principale/scroll_travail.h"

#include "core/annulation/PileAnnulation.h"
#include "core/document/Document.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"
#include "windows/principale/scroll.h"

namespace vuv {

bool demande_enregistrer(TForm1& f) {
    if (f.doc.sauve) return true;
    const std::string r = port().oui_non_annuler(" Voulez-vous enregistrer le tableau de points ? ");
    if (r == "N") return true;
    if (r != "O") return false;
    if (f.sauve_fic_points) f.sauve_fic_points();
    // A save cancelled or failed: the work stays, and so does the user.
    return f.doc.sauve;
}

void nouveau_travail(TForm1& f) {
    // Line 1 goes on into the new work, without the old one's name.
    f.doc.StringGrid3.set_cell(4, 1, std::string());
    f.annulation.vide();
    f.doc.sauve = true;
    if (TForm2* f2 = fenetres().Form2) f2->affiche_nb_points();
}

} // namespace vuv
