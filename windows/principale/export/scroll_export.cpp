// The main window's side of the coordinate export: the export panel Panel7, the text editor
// at the end of a save, the two clipboard commands of the menu and the GIS export dialog.
#include "windows/principale/scroll.h"

#include "core/export/PressePapier.h"
#include "core/projet/Projet.h"
#include "core/reglages/DossierProgramme.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Dialogues.h"
#include "windows/principale/export/DialogueExportSig.h"
#include "windows/principale/export/PanneauExport.h"
#include "windows/commun/Textes.h"

#include <QAction>
#include <QDir>
#include <QMenuBar>

#include <exception>

namespace vuv {

void TForm1::construit_export() {
    Panel7 = new PanneauExport(options_export, doc, this);
    connect(Panel7, &PanneauExport::traiter, this, &TForm1::Button8Click);

    for (QAction* a : {Enregistrerlescoordonnes1, Exporterlescoordonnes1, Copierdanslepressepaier1, ExporterSig1})
        a->setEnabled(true);
    connect(Enregistrerlescoordonnes1, &QAction::triggered, this, &TForm1::affiche_panel_sauve);
    connect(Exporterlescoordonnes1, &QAction::triggered, this, &TForm1::Exporterlescoordonnes1Click);
    connect(Copierdanslepressepaier1, &QAction::triggered, this, &TForm1::Copierdanslepressepaier1Click);
    connect(ExporterSig1, &QAction::triggered, this, &TForm1::ExporterSig1Click);
    connect(Panel7, &PanneauExport::export_sig, this, &TForm1::ExporterSig1Click);
}

bool TForm1::panel7_visible() const { return Panel7 && !Panel7->isHidden(); }

void TForm1::affiche_panel_sauve() {
    // Below the menu bar, which stays reachable.
    Panel7->move(10, menuBar()->geometry().bottom() + 11);
    Panel7->show();
    Panel7->raise();
    try {
        rafraichit_panel_sauve(doc, options_export);
    } catch (const std::exception& e) {
        // A cell that is not a number stops the refresh; what was found is still shown.
        Panel7->affiche();
        port().erreur(e.what());
        return;
    }
    Panel7->affiche();
}

void TForm1::Button8Click() {
    if (!sauve_fic_points) {
        port().bip();
        return;
    }
    try {
        sauve_fic_points();
    } catch (const std::exception& e) {
        port().erreur(e.what());
    }
    // The writer updates the X indicators and the exported line.
    Panel7->affiche();
}

void TForm1::ouvre_fichiers_sauves(const ResultatSauve& r) {
    for (const std::string& f : r.a_ouvrir) dialogues().ouvre_document(qs(f));
}

void TForm1::Copierdanslepressepaier1Click() {
    try {
        // Named whole, so the message can say in which folder it is.
        const std::string chemin = ss(QDir::current().absoluteFilePath(QStringLiteral("~tmp.txt")));
        const ResultatSauve r = [&] {
            const PileAnnulation::Rattachement rattachement(&annulation);
            return copie_presse_papier(doc, options_export, calque.presence_fond(), chemin);
        }();
        ouvre_fichiers_sauves(r);
    } catch (const std::exception& e) {
        port().erreur(e.what());
    }
    Panel7->affiche();
}

void TForm1::ExporterSig1Click() {
    // One dialog for the whole run: the format, file and choices stay as last used.
    auto* d = findChild<DialogueExportSig*>();
    if (!d) {
        const QString nom = qs(chemin_base(ss(nom_court_image)));
        d = new DialogueExportSig(doc, nom.isEmpty() ? QStringLiteral("export") : nom, this);
    }
    d->rafraichit();
    d->open();
    d->raise();
}

void TForm1::Exporterlescoordonnes1Click() {
    try {
        export_presse_papier(doc, vuv::dossier_programme());
    } catch (const std::exception& e) {
        port().erreur(e.what());
    }
}

} // namespace vuv
