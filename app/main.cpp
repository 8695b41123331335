// Vuviviva: a digitizer for scanned maps, plans and graphs.
#include "app/commande/LigneCommande.h"
#include "core/ui/PortUtilisateur.h"
#include "platform/Plateforme.h"
#include "windows/commun/ApplicationVuviviva.h"
#include "windows/demarrage/Demarrage.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/PortFenetres.h"

int main(int argc, char** argv) {
    // "--exporte", "--mesure"...: a batch, run before anything of the windows exists.
    if (const auto statut = vuv::commande::ligne_commande(argc, argv)) return *statut;

    vuv::ApplicationVuviviva application(argc, argv);
    vuv::initialise_plateforme();

    vuv::PortFenetres port;
    vuv::PortInstalle port_installe(port);
    vuv::DialoguesQt dialogues;
    vuv::installe_dialogues(&dialogues);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    int resultat = 0;
    {
        vuv::Programme programme(arguments);
        resultat = QApplication::exec();
    }
    vuv::installe_dialogues(nullptr);
    return resultat;
}
