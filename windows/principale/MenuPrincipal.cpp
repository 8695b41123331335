#include "windows/principale/MenuPrincipal.h"

#include "windows/principale/scroll.h"
#include "windows/metafichier/emf.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace vuv {
namespace {

// The items of one menu, parented to the window. A key written after a tab in the caption is
// shown but not registered, so that the key table keeps its order.
struct Menu {
    TForm1* f;
    QMenu* menu;

    QAction* commande(const char* nom, const char* texte, bool actif, const QKeySequence& raccourci = {}) const {
        auto* a = new QAction(QString::fromUtf8(texte), f);
        a->setObjectName(QString::fromLatin1(nom));
        a->setEnabled(actif);
        if (!raccourci.isEmpty()) a->setShortcut(raccourci);
        if (menu) menu->addAction(a);
        return a;
    }
    QAction* case_a_cocher(const char* nom, const char* texte, bool actif, bool coche,
                           const QKeySequence& raccourci = {}) const {
        QAction* a = commande(nom, texte, actif, raccourci);
        a->setCheckable(true);
        a->setChecked(coche);
        return a;
    }
    void separateur() const { menu->addSeparator(); }
};

Menu nouveau_menu(TForm1& f, const char* nom, const QString& titre) {
    QMenu* m = f.menuBar()->addMenu(titre);
    m->setObjectName(QString::fromLatin1(nom));
    return {&f, m};
}

} // namespace

void construit_menu_principal(TForm1& f) {
    const bool a_venir = false; // commands whose features come with later work

    Menu m = nouveau_menu(f, "Fichier1", QStringLiteral("&Fichier"));
    f.Fichier1 = m.menu;
    f.ouvrir_un_tableau = m.commande("ouvrir_un_tableau", "===> Ouvrir un fichier *.trl  (points et image associés)", a_venir, Qt::SHIFT | Qt::Key_F2);
    f.Enregistrer1 = m.commande("Enregistrer1", "&Enregistrer les points et le nom de l'image  => *.trl", a_venir);
    m.separateur();
    f.Enregistrerlescoordonnes1 = m.commande("Enregistrerlescoordonnes1", "Enregistrer les coordonnées digitalisées", a_venir);
    f.Exporterlescoordonnes1 = m.commande("Exporterlescoordonnes1", "Exporter les coordonnées digitalisées via le presse-papier", a_venir);
    f.ExporterSig1 = m.commande("ExporterSig1", "Exporter vers un SIG (GeoPackage, Shapefile, GeoJSON, KML, DXF, CSV) ...", a_venir);
    m.separateur();
    f.Ouvrir1 = m.commande("Ouvrir1", "=> &Charger une image de fond seule", a_venir);
    f.Imagedupressepapier1 = m.commande("Imagedupressepapier1", "=> Charger l'image présente dans le presse-papier", a_venir);
    f.ChargerunTAB1 = m.commande("ChargerunTAB1", "=> Charger un *.TAB MapInfo", a_venir);
    f.Charger1 = m.commande("Charger1", "=> Charger  un fichier *.hdr ARC/INFO ", a_venir);
    f.Nouvellesaisie1 = m.commande("Nouvellesaisie1", "&Nouvelle saisie avec table à digitaliser ", a_venir);
    m.separateur();
    f.Enregistrerlimage1 = m.commande("Enregistrerlimage1", "Enregistrer l'image BITMAP  *.bmp ou *.jpg SANS les lignes", a_venir);
    f.Enregistrerlimagelignes1 = m.commande("Enregistrerlimagelignes1", "Enregistrer l'image avec les lignes ou les points (*.jpg)", a_venir);
    m.separateur();
    f.Conversionemf1 = m.commande("Conversionemf1", "Conversion  emf, wmf, bmp -> TIF, JPEG, BMP", true);
    m.separateur();
    f.Quitter1 = m.commande("Quitter1", "&Quitter\tF12", true);

    m = nouveau_menu(f, "Edition1", QStringLiteral("&Edition"));
    f.Edition1 = m.menu;
    // Alt+Backspace: Ctrl alone is a digitizing click in this window, Ctrl+Z would click first.
    f.Annuler1 = m.commande("Annuler1", "Annuler", false, Qt::ALT | Qt::Key_Backspace);
    f.Retablir1 = m.commande("Retablir1", "Rétablir", false, Qt::ALT | Qt::SHIFT | Qt::Key_Backspace);
    m.separateur();
    f.Tableaudepoints1 = m.commande("Tableaudepoints1", "Tableau de points et calages  F4", true);
    f.Copierdanslepressepaier1 = m.commande("Copierdanslepressepaier1", "&Copier dans le presse-papier (->Excel)", a_venir);
    m.separateur();
    f.Nouvellesuitedepoints1 = m.commande("Nouvellesuitedepoints1", "&Nouvelle suite de points [espace]", a_venir);
    f.Effacerledernierpoint1 = m.commande("Effacerledernierpoint1", "&Effacer le dernier point  F6", a_venir);
    m.separateur();
    f.Rajoutdepointsdigitalisspartirduntrl1 = m.commande("Rajoutdepointsdigitalisspartirduntrl1", "Rajout de points digitalisés à partir d'un *trl  associé à la même image", a_venir);
    f.RajoutdepointsTXT1 = m.commande("RajoutdepointsTXT1", "Rajout de points (X,Y,Lib) à partir d'un fichier *.TXT (2 ou 3 colonnes)", a_venir);
    f.RajoutdepointsXLS1 = m.commande("RajoutdepointsXLS1", "Rajout de points (X,Y,Lib) à partir d'un fichier *.XLS", a_venir);
    f.Rcuprationdevaleurs1 = m.commande("Rcuprationdevaleurs1", "Récupération de valeurs  réelles (X,Y,Z) de calibration", a_venir);
    f.Valeursdecalibration1 = m.commande("Valeursdecalibration1", "Valeurs de calibration réelles (X,Y,Z) à partir du presse-papier", a_venir);
    m.separateur();
    f.AltitudedeltaZ1 = m.commande("AltitudedeltaZ1", "Altitude + delta Z", a_venir, Qt::Key_F3);
    f.AltitudedeltaZ2 = m.commande("AltitudedeltaZ2", "Altitude - delta Z", a_venir, Qt::Key_F2);

    m = nouveau_menu(f, "Affichage1", QStringLiteral("&Affichage"));
    f.Affichage1 = m.menu;
    f.GarderlesproportionsLxH1 = m.case_a_cocher("GarderlesproportionsLxH1", "Garder les proportions L x H", true, true);
    f.Pleincran1 = m.case_a_cocher("Pleincran1", "&Plein écran", true, false, Qt::Key_F11);
    m.separateur();
    f.Agrandir1 = m.commande("Agrandir1", "&Agrandir  [Maj] ou [+]", a_venir);
    f.Rtrcir1 = m.commande("Rtrcir1", "&Rétrécir  [Ctrl] ou [-]", a_venir);
    f.Cartecomplte1 = m.commande("Cartecomplte1", "&Carte complète", a_venir, Qt::Key_F10);
    f.Redessiner1 = m.commande("Redessiner1", "&Redessiner", a_venir);
    m.separateur();
    f.Points1 = m.case_a_cocher("Points1", "Points", true, false);
    f.Lignes1 = m.case_a_cocher("Lignes1", "Lignes", true, true);
    m.separateur();
    f.Graphe1 = m.commande("Graphe1", "&Graphe", true, Qt::Key_F7);

    m = nouveau_menu(f, "Options1", QStringLiteral("&Options"));
    f.Options1 = m.menu;
    f.rouletteinverse1 = m.case_a_cocher("rouletteinverse1", "roulette inversée", true, false);
    f.Tabledigitaliser1 = m.case_a_cocher("Tabledigitaliser1", "&Table à digitaliser", a_venir, false);
    f.uneannulationcolore1 = m.case_a_cocher("uneannulationcolore1", "une annulation colorée", true, true);
    m.separateur();
    f.UTMLat1 = m.commande("UTMLat1", "UTM <-> Lat", true);
    f.emfwmfbmp1 = m.commande("emfwmfbmp1", "emf, wmf, bmp -> TIF, JPG, BMP", true);
    m.separateur();
    f.Systemedecoordonnees1 = m.commande("Systemedecoordonnees1", "Système de coordonnées du projet...", a_venir);

    m = nouveau_menu(f, "Apropos0", QStringLiteral("?"));
    f.Apropos0 = m.menu;
    f.Aide1 = m.commande("Aide1", "&Aide", true, Qt::Key_F1);
    f.Apropos1 = m.commande("Apropos1", "A &propos ...", true);

    // Two commands of the bar itself. F1 belongs to Aide1: one key cannot serve two actions.
    m = Menu{&f, nullptr};
    f.Aide2 = m.commande("Aide2", "Aide", true);
    f.Quitter2 = m.commande("Quitter2", "Quitter", true);
    f.menuBar()->addAction(f.Aide2);
    f.menuBar()->addAction(f.Quitter2);

    // F1 also closes the help window while it has the focus.
    f.Aide1->setShortcutContext(Qt::ApplicationShortcut);
    f.groupe_trace = new QActionGroup(&f);
    f.groupe_trace->addAction(f.Points1);
    f.groupe_trace->addAction(f.Lignes1);

    QObject::connect(f.Quitter1, &QAction::triggered, &f, &TForm1::touche_quitter);
    QObject::connect(f.Quitter2, &QAction::triggered, &f, &TForm1::touche_quitter);
    QObject::connect(f.Tableaudepoints1, &QAction::triggered, &f, &TForm1::tab_points);
    QObject::connect(f.GarderlesproportionsLxH1, &QAction::triggered, &f, &TForm1::GarderlesproportionsLxH1Click);
    QObject::connect(f.Pleincran1, &QAction::triggered, &f, &TForm1::Pleincran1Click);
    QObject::connect(f.Points1, &QAction::triggered, &f, &TForm1::Points1Click);
    QObject::connect(f.Lignes1, &QAction::triggered, &f, &TForm1::Lignes1Click);
    QObject::connect(f.Graphe1, &QAction::triggered, &f, &TForm1::Graphe1Click);
    QObject::connect(f.UTMLat1, &QAction::triggered, &f, &TForm1::UTMLat1Click);
    QObject::connect(f.Conversionemf1, &QAction::triggered, &f, ouvre_conversion_emf);
    QObject::connect(f.emfwmfbmp1, &QAction::triggered, &f, ouvre_conversion_emf);
    QObject::connect(f.rouletteinverse1, &QAction::triggered, &f, &TForm1::rouletteinverse1Click);
    QObject::connect(f.Aide1, &QAction::triggered, &f, &TForm1::Aide1Click);
    QObject::connect(f.Aide2, &QAction::triggered, &f, &TForm1::Aide2Click);
    QObject::connect(f.Apropos1, &QAction::triggered, &f, &TForm1::Apropos1Click);
}

} // namespace vuv
