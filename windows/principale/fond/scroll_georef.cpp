// Georeferenced backgrounds: an image loaded with the calibration its companion file gives
// (a MapInfo .tab or an ARC/INFO .hdr), or that the scan carries itself (GeoTIFF keys, a world
// file). The georeference is read and checked whole before the image is loaded, so a bad one
// changes nothing but the calibration question. Also the project's coordinate system.
#include "windows/principale/scroll.h"

#include "core/calage/CalageEtendu.h"
#include "core/fichiers/EcritureSure.h"
#include "core/georef/Compagnon.h"
#include "core/georef/Monde.h"
#include "core/reglages/FichiersReglages.h"
#include "core/ui/PortUtilisateur.h"
#include "sig/ImageGeoreferencee.h"
#include "sig/SystemeCoordonnees.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/Textes.h"
#include "windows/principale/scroll_travail.h"
#include "windows/systeme/Systeme.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

namespace vuv {
namespace {

constexpr int largeur_max_systeme = 320; // pixels of the status bar the system's name may take

} // namespace

void TForm1::construit_georef() {
    for (QAction* a : {ChargerunTAB1, Charger1, Systemedecoordonnees1}) a->setEnabled(true);
    connect(ChargerunTAB1, &QAction::triggered, this, &TForm1::ChargerunTAB1Click);
    connect(Charger1, &QAction::triggered, this, &TForm1::Charger1Click);
    connect(Systemedecoordonnees1, &QAction::triggered, this, &TForm1::Systemedecoordonnees1Click);
    etiquette_systeme = new QLabel(statusBar());
    etiquette_systeme->setObjectName(QStringLiteral("etiquette_systeme"));
    etiquette_systeme->setContentsMargins(2, 0, 2, 0);
    statusBar()->addPermanentWidget(etiquette_systeme);
    affiche_systeme();
}

void TForm1::affiche_systeme() {
    if (!etiquette_systeme) return;
    // Only a project with a system takes room from the status bar's last panel.
    const std::string nom = sig::nom_systeme(doc.systeme_wkt);
    const QString texte = nom.empty() ? QString() : QStringLiteral("Système : ") + qs(nom);
    etiquette_systeme->setToolTip(texte);
    etiquette_systeme->setText(etiquette_systeme->fontMetrics().elidedText(texte, Qt::ElideMiddle, largeur_max_systeme));
    etiquette_systeme->setVisible(!nom.empty());
}

void TForm1::Systemedecoordonnees1Click() {
    auto* d = new DialogueSysteme(doc.systeme_wkt, this);
    d->setAttribute(Qt::WA_DeleteOnClose);
    connect(d, &QDialog::accepted, this, [this, d] {
        if (d->wkt() == doc.systeme_wkt) return;
        doc.systeme_wkt = d->wkt();
        doc.sauve = false;
        affiche_systeme();
    });
    d->open();
}

bool TForm1::Ouvrir_image_georeferencee(const QString& chemin) {
    const sig::GeoreferenceImage g = sig::lit_georeference(ss(chemin));
    if (!g.erreur.empty()) port().information(g.erreur + "\n\nL'image est chargée avec le calage par défaut.");
    if (!g.trouvee) return Ouvrir_fichier_image(chemin);
    return Ouvrir_fichier_image(chemin, ModeChargement::aucun, [this, &g](int largeur, int hauteur) {
        const CalageCompagnon c = calage_affine(g.t, largeur, hauteur);
        const std::string e = c ? applique_calage(doc, c) : "Fichier <" + g.source + "> : " + c.erreur;
        if (!e.empty()) {
            port().information(e + "\n\nL'image est chargée avec le calage par défaut.");
            return false;
        }
        if (!g.avertissement.empty()) port().information(g.avertissement);
        if (!g.wkt.empty()) doc.systeme_wkt = g.wkt;
        affiche_systeme();
        return true;
    });
}

void TForm1::georeference_image_enregistree(const QString& chemin) {
    const auto t = transformation_calage(doc, calque.image.width(), calque.image.height());
    if (!t) {
        port().information("Le calage n'est pas complet : " + ss(chemin) +
                           " est enregistrée sans fichier de géoréférence.");
        return;
    }
    try {
        sig::ecrit_georeference(ss(chemin), *t, doc.systeme_wkt);
        if (const std::string m = message_fichier_monde(doc.controle); !m.empty()) port().information(m);
    } catch (const ErreurFichier& e) {
        port().erreur(e.what());
    }
}

void TForm1::ChargerunTAB1Click() {
    charge_georeference(QStringLiteral(" Ouvrir un fichier MapInfo  *.tab"),
                        QStringLiteral("Fichiers (*.tab)|*.tab|Tous les fichiers|*.*"), lit_tab);
}

void TForm1::Charger1Click() {
    charge_georeference(QStringLiteral(" Ouvrir un fichier Arc/Info  *.hdr"),
                        QStringLiteral("Fichiers (*.hdr)|*.hdr|Tous les fichiers|*.*"), lit_hdr);
}

void TForm1::charge_georeference(const QString& titre, const QString& filtre,
                                 CalageCompagnon (*lecteur)(const std::string&)) {
    // A second background over the first is not supported by the load sequence.
    if (calque.presence_fond()) {
        port().information("Pour l'instant sortir de l'application et relancer (sinon Bug!)");
        return;
    }
    if (!demande_enregistrer(*this)) return;
    DemandeFichier d;
    d.titre = titre;
    d.filtre = filtre;
    d.index_filtre = 1;
    d.dossier = qs(premiere_ligne_lecture(fichier_dernier_dossier));
    d.doit_exister = true;
    const auto choisi = dialogues().ouvrir(d);
    if (!choisi || choisi->isEmpty()) {
        image1_peindre_fond_uni();
        return;
    }
    SpeedButtonCartTablClick();

    const std::string compagnon = ss(*choisi);
    const CalageCompagnon calage = lecteur(compagnon);
    if (!calage) {
        port().information(calage.erreur);
        image1_peindre_fond_uni();
        return;
    }
    const bool tab = lecteur == lit_tab;
    const std::string image = tab ? chemin_image_tab(compagnon, calage.image) : image_hdr(compagnon);
    if (image.empty() || !QFileInfo(qs(image)).isFile()) {
        port().information(tab ? "<" + image + "> impossible à ouvrir"
                               : image_hdr_manquante(compagnon) + " impossible à ouvrir");
        image1_peindre_fond_uni();
        return;
    }
    // The loader's calibration question comes first; the companion's values win.
    const PileAnnulation::Suspension suspension(&annulation);
    if (!Ouvrir_fichier_image(qs(image))) return;
    if (const std::string e = applique_calage(doc, calage); !e.empty()) port().information(e);
}

} // namespace vuv
