// Georeferenced backgrounds: an image loaded with the calibration its companion file gives
// (a MapInfo .tab or an ARC/INFO .hdr). The companion is read and checked whole before the
// image is loaded, so a bad one leaves the work as it was.
#include "windows/principale/scroll.h"

#include "core/georef/Compagnon.h"
#include "core/reglages/FichiersReglages.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/Textes.h"

#include <QAction>
#include <QFileInfo>

namespace vuv {

void TForm1::construit_georef() {
    for (QAction* a : {ChargerunTAB1, Charger1}) a->setEnabled(true);
    connect(ChargerunTAB1, &QAction::triggered, this, &TForm1::ChargerunTAB1Click);
    connect(Charger1, &QAction::triggered, this, &TForm1::Charger1Click);
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
