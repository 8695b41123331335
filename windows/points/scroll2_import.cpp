// The imports of the points window and their items of the main window's "Edition" menu.
#include "windows/points/scroll2.h"

#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/import/Import.h"
#include "core/projet/Projet.h"
#include "core/reglages/FichiersReglages.h"
#include "core/ui/PortUtilisateur.h"
#include "windows/commun/Dialogues.h"
#include "windows/commun/Sablier.h"
#include "windows/commun/Textes.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2_controles.h"
#include "windows/principale/scroll.h"
#include "windows/question/Unit6.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vuv {
namespace {

const QString dernier_dossier = QString::fromLatin1(fichier_dernier_dossier.data(),
                                                    static_cast<qsizetype>(fichier_dernier_dossier.size()));

// The file's bytes, or empty with the reason shown.
std::optional<std::string> octets_de(const QString& chemin) {
    try {
        return lit_fichier(ss(chemin));
    } catch (const ErreurFichier& e) {
        port().information(e.what());
        return std::nullopt;
    }
}

} // namespace

void TForm2::branche_imports() {
    construit_panneau_tableur();
    for (QPushButton* b : {SpeedButton4, SpeedButton6, SpeedButton9, SpeedButton10}) b->setEnabled(true);
    connect(SpeedButton4, &QPushButton::clicked, this, &TForm2::SpeedButton4Click_completer);
    connect(SpeedButton6, &QPushButton::clicked, this, &TForm2::SpeedButton6Click);
    connect(SpeedButton9, &QPushButton::clicked, this, &TForm2::SpeedButton9Click);
    connect(SpeedButton10, &QPushButton::clicked, this, &TForm2::SpeedButton10Click);
    TForm1* f1 = form1();
    if (!f1) return;
    const std::pair<QAction*, void (TForm2::*)()> menus[] = {
        {f1->Rajoutdepointsdigitalisspartirduntrl1, &TForm2::SpeedButton4Click_completer},
        {f1->RajoutdepointsTXT1, &TForm2::SpeedButton6Click},
        {f1->Rcuprationdevaleurs1, &TForm2::SpeedButton9Click},
        {f1->Valeursdecalibration1, &TForm2::SpeedButton10Click},
    };
    for (const auto& [action, commande] : menus) {
        if (!action) continue;
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, commande);
    }
}

std::optional<QString> TForm2::choisit_fichier_import(const QString& titre, const QString& filtre) {
    DemandeFichier d;
    d.titre = titre;
    d.dossier = premiere_ligne_lecture(dernier_dossier);
    d.filtre = filtre;
    d.index_filtre = 2;
    d.doit_exister = true;
    const auto choisi = dialogues().ouvrir(d);
    if (!choisi || choisi->isEmpty()) return std::nullopt;
    premiere_ligne_enregistre(dernier_dossier, qs(dossier_de(ss(*choisi))));
    return choisi;
}

void TForm2::fin_import() {
    if (doc.nb_points > 0) montre_table_points();
    affiche_nb_points();
    redessine_calque();
}

void TForm2::SpeedButton4Click_completer() {
    if (!port().oui_non("Lors du rajout des points image (x,y) du fichier *.trl  ,\n\n1- les points de calibration "
                        "sont ignorés \n2- les points digitalisés sont importés avec leurs coordonnées image x,y\n   "
                        "et non leur coordonnées réelles X,Y \n   => la calibration courante éventuellement "
                        "différente ne modifiera pas l'import (le polygone)\n   => à faire de préférence sur une "
                        "même image de fond"))
        return;
    const auto chemin = choisit_fichier_import(QStringLiteral("Compléter avec une série de points associés à la même image"),
                                               QStringLiteral("Fichiers (*.trl)|*.trl"));
    if (!chemin) return;
    const Sablier sablier;
    const auto octets = octets_de(*chemin);
    if (!octets) return;
    {
        const PileAnnulation::Edition edition(pile(), noms_editions::rajout_trl);
        if (importe_points_projet(doc, *octets, ss(*chemin)) != ResultatImport::fait) return;
    }
    fin_import();
}

void TForm2::SpeedButton9Click() {
    if (!port().oui_non("A partir d'un fichier *.trl , \nremplacement au maximum des 9 valeurs réelles (X,Y,Z) des 3 "
                        "points de calibration  \n\n1- les autres points digitalisés sont ignorés \n2- seules les "
                        "coordonnées réelles (X,Y,Z) sont importées\n   et non les coordonnées image (x,y)\n   => les 3 "
                        "points de calibration peuvent provenir d'une autre vue, c'est à dire d'une autre image \n    "
                        "      traitant des mêmes sites de calibration"))
        return;
    const auto chemin = choisit_fichier_import(
        QStringLiteral("Remplacer les valeurs réelles (X,Y) des 3 points de calibration"),
        QStringLiteral("Fichiers (*.trl)|*.trl"));
    if (!chemin) return;
    const Sablier sablier;
    const auto octets = octets_de(*chemin);
    if (!octets) return;
    {
        const PileAnnulation::Edition edition(pile(), noms_editions::calage_trl);
        if (importe_calage_projet(doc, *octets, ss(*chemin)) != ResultatImport::fait) return;
    }
    fin_import();
}

void TForm2::SpeedButton10Click() {
    // Over the points table, so that the calibration table stays in sight beside it.
    Memo2->setParent(StringGrid1->parentWidget());
    Memo2->setGeometry(StringGrid1->geometry());
    Memo2->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #00ffff; }"));
    Memo2->clear();
    Memo2->setPlainText(qs(port().presse_papier_lit()));
    Memo2->raise();
    Memo2->show();
    if (port().oui_non(" Voulez-vous remplacer les valeurs réelles des calibrations (X,Y,Z) \n\n avec le contenu du "
                       "presse-papier visible de côté ?  ==> ")) {
        const PileAnnulation::Edition edition(pile(), noms_editions::calage_presse_papier);
        importe_calage_texte(doc, ss(Memo2->toPlainText()));
    }
    Memo2->hide();
}

void TForm2::SpeedButton6Click() {
    if (!port().oui_non("Rajout de points X,Y à partir d'un fichier texte\n\n Les coordonnées importées sont réelles "
                        "X,Y, c'est à dire que les coordonnées image x,y\n sont recalculées à partir des réelles avec "
                        "le calibrage courant\n\n Puis une fois déposés sur l'image on recalcule les réelles dont les "
                        "valeurs seront\n un peu différentes de celles importées à cause du nombre limité de pixels "
                        "(LxH) de l'image"))
        return;
    if (port().question("Le fichier TEXTE contient 2 ou 3 colonnes, X  Y et éventuellement Libellé",
                        " exemple :\n0.23 111.5 pointA\n1.25 215.6 pointB\n    etc...\n le séparateur peut-être "
                        "l'espace ou la tabulation\n les valeurs sont recalculées par rapport au nombre de pixels!\n "
                        "les ligne commençant par ' seront ignorées",
                        "ON", "Continuer", "annuler") == "N")
        return;
    DemandeFichier d;
    d.titre = QStringLiteral("Ouvrir un fichier X  Y");
    d.dossier = premiere_ligne_lecture(dernier_dossier);
    d.filtre = QStringLiteral("Fichiers (*.txt)|*.txt");
    d.index_filtre = 2;
    d.doit_exister = true;
    const auto chemin = dialogues().ouvrir(d);
    if (!chemin || chemin->isEmpty()) return;
    const std::optional<QString> texte = texte_controle(*chemin, {});
    if (!texte) return;
    // The text as accepted is kept beside the file for the user; the import does not need it,
    // so a folder that cannot be written does not stop it.
    ecrit_lignes(QDir::current().filePath(QStringLiteral("~memo.txt")), *texte);
    premiere_ligne_enregistre(dernier_dossier, qs(dossier_de(ss(*chemin))));
    const Sablier sablier;
    BilanTexte b;
    {
        const PileAnnulation::Edition edition(pile(), noms_editions::rajout_txt);
        b = importe_points_texte(doc, ss(*texte));
    }
    if (TForm6* f6 = fenetres().Form6) f6->Memo1->clear();
    if (b.resultat == ResultatImport::fait) fin_import();
}

} // namespace vuv
