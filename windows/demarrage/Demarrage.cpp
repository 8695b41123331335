#include "windows/demarrage/Demarrage.h"

#include "core/reglages/DossierProgramme.h"
#include "core/reglages/FichiersReglages.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Textes.h"
#include "windows/conversion/Convert.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/demarrage/Splash.h"
#include "windows/question/Unit6.h"
#include "windows/metafichier/emf.h"
#include "windows/metafichier/emf_view.h"
#include "windows/principale/scroll.h"
#include "windows/points/scroll2.h"
#include "windows/apropos/scrollab.h"
#include "windows/apropos/scrollf1.h"
#include "windows/graphe3d/scrollrep.h"

#include <QApplication>

namespace vuv {

Programme::Programme(const QStringList& arguments) {
    fenetres() = Fenetres{};
    splash = std::make_unique<TSplashForm>();
    fenetres().SplashForm = splash.get();
    splash->show();
    splash->repaint();

    TSplashForm* second = nullptr;
    try {
        Form1 = std::make_unique<TForm1>(document, arguments);
        fenetres().Form1 = Form1.get();
        document.attache_vue(Form1.get());
        Form2 = std::make_unique<TForm2>(document);
        fenetres().Form2 = Form2.get();
        Form3 = std::make_unique<TForm3>();
        fenetres().Form3 = Form3.get();
        Form4 = std::make_unique<TForm4>(document);
        fenetres().Form4 = Form4.get();
        Form5 = std::make_unique<TForm5>();
        fenetres().Form5 = Form5.get();
        Form6 = std::make_unique<TForm6>();
        fenetres().Form6 = Form6.get();
        Form7 = std::make_unique<TForm7>();
        fenetres().Form7 = Form7.get();
        second = new TSplashForm();
        fenetres().SplashForm = second;
        Form_emf = std::make_unique<TForm_emf>();
        fenetres().Form_emf = Form_emf.get();
        Form_view_emf = std::make_unique<TForm_view_emf>();
        fenetres().Form_view_emf = Form_view_emf.get();
    } catch (...) {
        fin_du_splash(second);
        throw;
    }
    fin_du_splash(second);

    const std::string& avertissement = avertissement_dossier_programme();
    if (!avertissement.empty()) {
        // The splash, always on top, would cover the message.
        splash->close();
        Form1->show();
        port().information(avertissement);
    }
    // Work taken back replaces the project of the command line: reading that would lose it.
    if (!demarre_recuperation() && !arguments.isEmpty()) {
        // Opening the project may ask questions: the splash, always on top, would cover them.
        splash->close();
        Form1->show();
        Form1->traite_param();
    }
    Form1->show();
    Form1->raise();
    Form1->activateWindow();
    // Where the platform never activated the splash, the main window has taken over now.
    if (splash->isVisible() && !splash->a_ete_active()) splash->FormDeactivate();
}

bool Programme::demarre_recuperation() {
    const std::string version = ss(QCoreApplication::applicationVersion());
    auto r = std::make_unique<Recuperation>(document, dossier_recuperation(), version);
    r->projet = [this] { return ss(Form2->chemin_projet); };
    r->avec_fond = [this] { return Form1->avec_fond(); };
    r->suit(Form1->annulation);
    std::string message;
    if (!r->demarre(message)) {
        port().information(message);
        return false;
    }
    recuperation = std::move(r);
    suivi_recuperation = std::make_unique<SuiviRecuperation>(*recuperation, intervalle_recuperation());
    return offre_recuperation(*recuperation, *Form2, version, [this] {
        splash->close();
        Form1->show();
    });
}

// The splash variable holds the second, hidden instance: repainted, closed and released.
void Programme::fin_du_splash(TSplashForm* second) {
    TSplashForm* s = second ? second : splash.get();
    s->repaint();
    s->close();
    if (second) {
        delete second;
        fenetres().SplashForm = splash.get();
    }
}

Programme::~Programme() {
    // A clean end: the recovery file goes, before the windows it asks go.
    suivi_recuperation.reset();
    recuperation.reset();
    if (Form1) document.attache_vue(nullptr);
    fenetres() = Fenetres{};
}

} // namespace vuv
