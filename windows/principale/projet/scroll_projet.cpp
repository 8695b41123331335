// The main window's project commands: saving the points (*.trl and the export files), reading
// a project, and the emergency save of val_entier.
#include "windows/principale/scroll.h"

#include "core/document/Document.h"
#include "core/export/SauveDans.h"
#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Dialogues.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/commun/Textes.h"
#include "windows/points/scroll2.h"

#include <QAction>
#include <QToolButton>

#include <exception>

namespace vuv {
namespace {

QString dernier_dossier() { return qs(premiere_ligne_lecture(fichier_dernier_dossier)); }

} // namespace

void TForm1::branche_projet() {
    for (QAction* a : {ouvrir_un_tableau, Enregistrer1}) a->setEnabled(true);
    for (QToolButton* b : {SpeedButton1, Speed6}) b->setEnabled(true);
    connect(ouvrir_un_tableau, &QAction::triggered, this, &TForm1::ouvrir_un_tableauClick, Qt::UniqueConnection);
    connect(Enregistrer1, &QAction::triggered, this, &TForm1::Enregistrer1Click, Qt::UniqueConnection);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::ouvrir_un_tableauClick, Qt::UniqueConnection);
    connect(Speed6, &QToolButton::clicked, this, &TForm1::Speed6Click, Qt::UniqueConnection);
    sauve_fic_points = [this] { commande_sauve_fic_points(); };
    lecture_projet = [this] { ouvrir_un_tableauClick(); };

    // The project itself, whatever the export options say: it is what a restart reads back.
    installe_sauvegarde_urgence([&d = doc](const std::string& chemin) {
        const TForm1* f1 = fenetres().Form1;
        ecrit_projet(d, chemin, f1 ? f1->avec_fond() : !d.fichier_image.empty());
    });
}

void TForm1::debranche_projet() {
    installe_sauvegarde_urgence(nullptr);
    sauve_fic_points = nullptr;
    lecture_projet = nullptr;
}

bool TForm1::avec_fond() const { return calque.presence_fond(); }

void TForm1::commande_sauve_fic_points() {
    const QString dossier = dernier_dossier();
    DemandeFichier d;
    d.titre = QStringLiteral(" Enregistrer pour VUVIVIVA, EXCEL et TEXTE  (initREP=") + dossier + QLatin1Char(')');
    d.dossier = dossier;
    d.filtre = QStringLiteral("Tous les fichiers (*.*)|*.*|Fichiers texte (*.trl,*.xls,*.txt,*.bln)|"
                              "*.trl;*.xls;*.txt;*.bln");
    d.index_filtre = 2;
    d.nom = qs(chemin_base(nom_de_fichier(doc.fichier_image)));
    const auto choisi = dialogues().enregistrer(d);
    if (!choisi || choisi->isEmpty()) {
        if (!calque.existe()) image1_peindre_fond_uni();
        return;
    }
    std::string nom = ss(*choisi);
    if (nom_de_fichier(nom).find('.') == std::string::npos) nom += ".trl";
    try {
        const PileAnnulation::Rattachement rattachement(&annulation);
        const ResultatSauve r = sauve_dans(doc, options_export, nom, avec_fond());
        ouvre_fichiers_sauves(r);
    } catch (const std::exception& e) {
        // The previous files are intact and the work is still unsaved.
        port().erreur(e.what());
        return;
    }
    premiere_ligne_enregistre(fichier_dernier_dossier, dossier_de(nom));
}

void TForm1::Enregistrer1Click() {
    options_enregistrer_projet(options_export);
    commande_sauve_fic_points();
}

void TForm1::Speed6Click() { commande_sauve_fic_points(); }

void TForm1::ouvrir_un_tableauClick() {
    if (TForm2* f2 = fenetres().Form2) f2->Liredespoints1Click();
}

void TForm1::recharge_fond_decale() {
    if (recharge_decalage) recharge_decalage();
}

} // namespace vuv
