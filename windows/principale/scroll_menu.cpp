// The main menu: every command of the program is present from the start; those whose
// features are not in this build yet stay disabled.
#include "windows/principale/scroll.h"

#include "core/document/Document.h"
#include "windows/conversion/Convert.h"
#include "windows/demarrage/Fenetres.h"
#include "windows/points/scroll2.h"
#include "windows/apropos/scrollab.h"
#include "windows/apropos/scrollf1.h"
#include "windows/graphe3d/scrollrep.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace vuv {
namespace {

// A command of a menu. touche: a key of the main window's key table, shown after the
// caption but not registered, so that the table keeps its order.
QAction* commande(QWidget* fenetre, QMenu* menu, const char* nom, const QString& texte, bool actif,
                  const QString& touche = {}) {
    auto* a = new QAction(touche.isEmpty() ? texte : texte + QLatin1Char('\t') + touche, fenetre);
    a->setObjectName(QString::fromLatin1(nom));
    a->setEnabled(actif);
    if (menu) menu->addAction(a);
    return a;
}

QAction* case_a_cocher(QWidget* fenetre, QMenu* menu, const char* nom, const QString& texte, bool actif,
                       bool coche) {
    QAction* a = commande(fenetre, menu, nom, texte, actif);
    a->setCheckable(true);
    a->setChecked(coche);
    return a;
}

} // namespace

void TForm1::construit_menu() {
    QMenuBar* barre = menuBar();
    const bool a_venir = false; // commands whose features come with later work

    Fichier1 = barre->addMenu(QStringLiteral("&Fichier"));
    Fichier1->setObjectName(QStringLiteral("Fichier1"));
    ouvrir_un_tableau = commande(this, Fichier1, "ouvrir_un_tableau",
                                 QStringLiteral("===> Ouvrir un fichier *.trl  (points et image associés)"), a_venir);
    ouvrir_un_tableau->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F2));
    Enregistrer1 = commande(this, Fichier1, "Enregistrer1",
                            QStringLiteral("&Enregistrer les points et le nom de l'image  => *.trl"), a_venir);
    Fichier1->addSeparator();
    Enregistrerlescoordonnes1 = commande(this, Fichier1, "Enregistrerlescoordonnes1",
                                         QStringLiteral("Enregistrer les coordonnées digitalisées"), a_venir);
    Exporterlescoordonnes1 = commande(this, Fichier1, "Exporterlescoordonnes1",
                                      QStringLiteral("Exporter les coordonnées digitalisées via le presse-papier"),
                                      a_venir);
    Fichier1->addSeparator();
    Ouvrir1 = commande(this, Fichier1, "Ouvrir1", QStringLiteral("=> &Charger une image de fond seule"), a_venir);
    Imagedupressepapier1 = commande(this, Fichier1, "Imagedupressepapier1",
                                    QStringLiteral("=> Charger l'image présente dans le presse-papier"), a_venir);
    ChargerunTAB1 = commande(this, Fichier1, "ChargerunTAB1", QStringLiteral("=> Charger un *.TAB MapInfo"), a_venir);
    Charger1 = commande(this, Fichier1, "Charger1", QStringLiteral("=> Charger  un fichier *.hdr ARC/INFO "), a_venir);
    Nouvellesaisie1 = commande(this, Fichier1, "Nouvellesaisie1",
                               QStringLiteral("&Nouvelle saisie avec table à digitaliser "), a_venir);
    Fichier1->addSeparator();
    Enregistrerlimage1 = commande(this, Fichier1, "Enregistrerlimage1",
                                  QStringLiteral("Enregistrer l'image BITMAP  *.bmp ou *.jpg SANS les lignes"), a_venir);
    Enregistrerlimagelignes1 = commande(this, Fichier1, "Enregistrerlimagelignes1",
                                        QStringLiteral("Enregistrer l'image avec les lignes ou les points (*.jpg)"),
                                        a_venir);
    Fichier1->addSeparator();
    Conversionemf1 = commande(this, Fichier1, "Conversionemf1",
                              QStringLiteral("Conversion  emf, wmf, bmp -> TIF, JPEG, BMP"), a_venir);
    Fichier1->addSeparator();
    Quitter1 = commande(this, Fichier1, "Quitter1", QStringLiteral("&Quitter"), true, QStringLiteral("F12"));

    Edition1 = barre->addMenu(QStringLiteral("&Edition"));
    Edition1->setObjectName(QStringLiteral("Edition1"));
    Tableaudepoints1 = commande(this, Edition1, "Tableaudepoints1",
                                QStringLiteral("Tableau de points et calages  F4"), true);
    Copierdanslepressepaier1 = commande(this, Edition1, "Copierdanslepressepaier1",
                                        QStringLiteral("&Copier dans le presse-papier (->Excel)"), a_venir);
    Edition1->addSeparator();
    Nouvellesuitedepoints1 = commande(this, Edition1, "Nouvellesuitedepoints1",
                                      QStringLiteral("&Nouvelle suite de points [espace]"), a_venir);
    Effacerledernierpoint1 = commande(this, Edition1, "Effacerledernierpoint1",
                                      QStringLiteral("&Effacer le dernier point  F6"), a_venir);
    Edition1->addSeparator();
    Rajoutdepointsdigitalisspartirduntrl1 =
        commande(this, Edition1, "Rajoutdepointsdigitalisspartirduntrl1",
                 QStringLiteral("Rajout de points digitalisés à partir d'un *trl  associé à la même image"), a_venir);
    RajoutdepointsTXT1 =
        commande(this, Edition1, "RajoutdepointsTXT1",
                 QStringLiteral("Rajout de points (X,Y,Lib) à partir d'un fichier *.TXT (2 ou 3 colonnes)"), a_venir);
    RajoutdepointsXLS1 = commande(this, Edition1, "RajoutdepointsXLS1",
                                  QStringLiteral("Rajout de points (X,Y,Lib) à partir d'un fichier *.XLS"), a_venir);
    Rcuprationdevaleurs1 = commande(this, Edition1, "Rcuprationdevaleurs1",
                                    QStringLiteral("Récupération de valeurs  réelles (X,Y,Z) de calibration"), a_venir);
    Valeursdecalibration1 =
        commande(this, Edition1, "Valeursdecalibration1",
                 QStringLiteral("Valeurs de calibration réelles (X,Y,Z) à partir du presse-papier"), a_venir);
    Edition1->addSeparator();
    AltitudedeltaZ1 = commande(this, Edition1, "AltitudedeltaZ1", QStringLiteral("Altitude + delta Z"), a_venir);
    AltitudedeltaZ1->setShortcut(QKeySequence(Qt::Key_F3));
    AltitudedeltaZ2 = commande(this, Edition1, "AltitudedeltaZ2", QStringLiteral("Altitude - delta Z"), a_venir);
    AltitudedeltaZ2->setShortcut(QKeySequence(Qt::Key_F2));

    Affichage1 = barre->addMenu(QStringLiteral("&Affichage"));
    Affichage1->setObjectName(QStringLiteral("Affichage1"));
    GarderlesproportionsLxH1 = case_a_cocher(this, Affichage1, "GarderlesproportionsLxH1",
                                             QStringLiteral("Garder les proportions L x H"), true, true);
    Pleincran1 = case_a_cocher(this, Affichage1, "Pleincran1", QStringLiteral("&Plein écran"), true, false);
    Pleincran1->setShortcut(QKeySequence(Qt::Key_F11));
    Affichage1->addSeparator();
    Agrandir1 = commande(this, Affichage1, "Agrandir1", QStringLiteral("&Agrandir  [Maj] ou [+]"), a_venir);
    Rtrcir1 = commande(this, Affichage1, "Rtrcir1", QStringLiteral("&Rétrécir  [Ctrl] ou [-]"), a_venir);
    Cartecomplte1 = commande(this, Affichage1, "Cartecomplte1", QStringLiteral("&Carte complète"), a_venir);
    Cartecomplte1->setShortcut(QKeySequence(Qt::Key_F10));
    Redessiner1 = commande(this, Affichage1, "Redessiner1", QStringLiteral("&Redessiner"), a_venir);
    Affichage1->addSeparator();
    Points1 = case_a_cocher(this, Affichage1, "Points1", QStringLiteral("Points"), true, false);
    Lignes1 = case_a_cocher(this, Affichage1, "Lignes1", QStringLiteral("Lignes"), true, true);
    groupe_trace = new QActionGroup(this);
    groupe_trace->addAction(Points1);
    groupe_trace->addAction(Lignes1);
    Affichage1->addSeparator();
    Graphe1 = commande(this, Affichage1, "Graphe1", QStringLiteral("&Graphe"), a_venir);
    Graphe1->setShortcut(QKeySequence(Qt::Key_F7));

    Options1 = barre->addMenu(QStringLiteral("&Options"));
    Options1->setObjectName(QStringLiteral("Options1"));
    rouletteinverse1 = case_a_cocher(this, Options1, "rouletteinverse1", QStringLiteral("roulette inversée"), true, false);
    Tabledigitaliser1 = case_a_cocher(this, Options1, "Tabledigitaliser1", QStringLiteral("&Table à digitaliser"),
                                      a_venir, false);
    uneannulationcolore1 = case_a_cocher(this, Options1, "uneannulationcolore1",
                                         QStringLiteral("une annulation colorée"), true, true);
    Options1->addSeparator();
    UTMLat1 = commande(this, Options1, "UTMLat1", QStringLiteral("UTM <-> Lat"), true);
    emfwmfbmp1 = commande(this, Options1, "emfwmfbmp1", QStringLiteral("emf, wmf, bmp -> TIF, JPG, BMP"), a_venir);

    Apropos0 = barre->addMenu(QStringLiteral("?"));
    Apropos0->setObjectName(QStringLiteral("Apropos0"));
    Aide1 = commande(this, Apropos0, "Aide1", QStringLiteral("&Aide"), true);
    Aide1->setShortcut(QKeySequence(Qt::Key_F1));
    // F1 also closes the help window while it has the focus.
    Aide1->setShortcutContext(Qt::ApplicationShortcut);
    Apropos1 = commande(this, Apropos0, "Apropos1", QStringLiteral("A &propos ..."), true);

    // Two commands of the bar itself. F1 belongs to Aide1: one key cannot serve two actions.
    Aide2 = commande(this, nullptr, "Aide2", QStringLiteral("Aide"), true);
    barre->addAction(Aide2);
    Quitter2 = commande(this, nullptr, "Quitter2", QStringLiteral("Quitter"), true);
    barre->addAction(Quitter2);

    connect(Quitter1, &QAction::triggered, this, &TForm1::touche_quitter);
    connect(Quitter2, &QAction::triggered, this, &TForm1::touche_quitter);
    connect(Tableaudepoints1, &QAction::triggered, this, &TForm1::tab_points);
    connect(GarderlesproportionsLxH1, &QAction::triggered, this, &TForm1::GarderlesproportionsLxH1Click);
    connect(Pleincran1, &QAction::triggered, this, &TForm1::Pleincran1Click);
    connect(Points1, &QAction::triggered, this, &TForm1::Points1Click);
    connect(Lignes1, &QAction::triggered, this, &TForm1::Lignes1Click);
    connect(Graphe1, &QAction::triggered, this, &TForm1::Graphe1Click);
    connect(UTMLat1, &QAction::triggered, this, [] {
        if (TForm7* f = fenetres().Form7) {
            f->show();
            f->raise();
            f->activateWindow();
        }
    });
    connect(rouletteinverse1, &QAction::triggered, this, &TForm1::rouletteinverse1Click);
    connect(Aide1, &QAction::triggered, this, &TForm1::Aide1Click);
    connect(Aide2, &QAction::triggered, this, &TForm1::Aide2Click);
    connect(Apropos1, &QAction::triggered, this, &TForm1::Apropos1Click);
}

void TForm1::tab_points() {
    if (TForm2* f = fenetres().Form2) {
        f->show();
        f->raise();
        f->activateWindow();
        f->setFocus();
    }
}

void TForm1::GarderlesproportionsLxH1Click() {
    // The action has already toggled its check mark.
    if (GarderlesproportionsLxH1->isChecked()) fenetre_proportionnelle();
    else grande_fenetre();
}

void TForm1::Pleincran1Click() {
    const bool etait_coche = !Pleincran1->isChecked();
    if (en_mode_tablette()) {
        Pleincran1->setChecked(etait_coche);
        return;
    }
    if (!etait_coche) {
        grande_fenetre();
        Pleincran1->setChecked(true);
    } else {
        Pleincran1->setChecked(false);
    }
}

void TForm1::Apropos1Click() {
    if (TForm3* f = fenetres().Form3) {
        f->show();
        f->raise();
        f->activateWindow();
        f->setFocus();
    }
}

void TForm1::Graphe1Click() {
    if (doc.nb_points < 1) return;
    if (TForm4* f = fenetres().Form4) {
        f->show();
        f->raise();
        f->activateWindow();
    }
}

void TForm1::Aide1Click() {
    TForm5* f = fenetres().Form5;
    if (!f) return;
    if (f->isActiveWindow()) {
        f->hide();
        activateWindow();
        setFocus();
        update();
        centralWidget()->update();
    } else {
        f->show();
        f->raise();
        f->activateWindow();
        f->setFocus();
    }
}

void TForm1::Aide2Click() {
    if (TForm5* f = fenetres().Form5) f->setVisible(!f->isVisible());
}

void TForm1::rouletteinverse1Click() { sens_roulette = rouletteinverse1->isChecked() ? -1 : 1; }

void TForm1::Points1Click() {
    mode_trace(false);
    change_trace();
}

void TForm1::Lignes1Click() {
    mode_trace(true);
    change_trace();
}

void TForm1::change_trace() {
    if (!calque.existe()) return;
    redessiner_calque();
    calque.vue.marque_sale();
    redessiner();
    af_efface_der_ligne_xor();
}

void TForm1::traite_param() {
    chemin_en_attente = ligne_commande;
    if (lecture_projet) lecture_projet();
}

} // namespace vuv
