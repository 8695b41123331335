#pragma once
// TForm1, the main window: the image area, the tool bar Panel1, the status bar, the two
// scroll bars and the main menu. Its sources are split by concern:
//   scroll.cpp          creation (FormCreate) and the window's own events
//   scroll_menu.cpp     the main menu and the commands of the start-up window
//   scroll_barre.cpp    tool bar, status bar and the floating panels
//   scroll_fenetre.cpp  laying the main and points windows out on the screen
//   scroll_fin.cpp      the question box entry point and the end of the program
#include "core/document/VueDocument.h"

#include <QColor>
#include <QMainWindow>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QActionGroup;
class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QScrollBar;
class QToolButton;
class QWidget;

namespace vuv {

class Document;
class ZoneImage;

class TForm1 : public QMainWindow, public VueDocument {
    Q_OBJECT

public:
    // arguments: the command-line arguments, without the program's own name.
    TForm1(Document& document, const QStringList& arguments, QWidget* parent = nullptr);
    ~TForm1() override;

    Document& doc;

    // --- State set at creation ---
    bool ignore_clic_suivant = false;        // the click that brings the window back
    QColor couleur_fond{100, 100, 100};      // window and image area around the image
    QColor couleur_calque_vide{139, 231, 195};
    bool peindre_fond_au_redimensionnement = true; // cleared once an image is loaded
    int marge_barre_taches = 40;
    QString dossier_programme;               // ends with '/'
    int sens_roulette = 1;                   // -1: wheel inverted
    int largeur_stylo_elastique = 4;
    int ligne_depart_cap = 1;
    bool choisir_depart = true;
    long double distance_cumulee = 0;
    QString ligne_commande;                  // the arguments joined by single spaces
    // The project the reader opens instead of asking for a file; it forgets it after.
    QString chemin_en_attente;
    QSize taille_max_fenetre;                // outer size when maximized
    QSize taille_max_client;                 // client size when maximized
    QSize taille_image;                      // the loaded background image; empty: none

    // --- Seams to the parts that come with their own features ---
    std::function<void()> sauve_fic_points; // the project save, asked about at exit
    std::function<void()> lecture_projet;   // the project reader, run by traite_param

    // --- Menu ---
    QMenu* Fichier1 = nullptr;
    QMenu* Edition1 = nullptr;
    QMenu* Affichage1 = nullptr;
    QMenu* Options1 = nullptr;
    QMenu* Apropos0 = nullptr; // "?"
    QAction* ouvrir_un_tableau = nullptr;
    QAction* Enregistrer1 = nullptr;
    QAction* Enregistrerlescoordonnes1 = nullptr;
    QAction* Exporterlescoordonnes1 = nullptr;
    QAction* Ouvrir1 = nullptr;
    QAction* Imagedupressepapier1 = nullptr;
    QAction* ChargerunTAB1 = nullptr;
    QAction* Charger1 = nullptr;
    QAction* Nouvellesaisie1 = nullptr;
    QAction* Enregistrerlimage1 = nullptr;
    QAction* Enregistrerlimagelignes1 = nullptr;
    QAction* Conversionemf1 = nullptr;
    QAction* Quitter1 = nullptr;
    QAction* Tableaudepoints1 = nullptr;
    QAction* Copierdanslepressepaier1 = nullptr;
    QAction* Nouvellesuitedepoints1 = nullptr;
    QAction* Effacerledernierpoint1 = nullptr;
    QAction* Rajoutdepointsdigitalisspartirduntrl1 = nullptr;
    QAction* RajoutdepointsTXT1 = nullptr;
    QAction* RajoutdepointsXLS1 = nullptr;
    QAction* Rcuprationdevaleurs1 = nullptr;
    QAction* Valeursdecalibration1 = nullptr;
    QAction* AltitudedeltaZ1 = nullptr;
    QAction* AltitudedeltaZ2 = nullptr;
    QAction* GarderlesproportionsLxH1 = nullptr;
    QAction* Pleincran1 = nullptr;
    QAction* Agrandir1 = nullptr;
    QAction* Rtrcir1 = nullptr;
    QAction* Cartecomplte1 = nullptr;
    QAction* Redessiner1 = nullptr;
    QAction* Points1 = nullptr;
    QAction* Lignes1 = nullptr;
    QAction* Graphe1 = nullptr;
    QAction* rouletteinverse1 = nullptr;
    QAction* Tabledigitaliser1 = nullptr;
    QAction* uneannulationcolore1 = nullptr;
    QAction* UTMLat1 = nullptr;
    QAction* emfwmfbmp1 = nullptr;
    QAction* Aide1 = nullptr;
    QAction* Apropos1 = nullptr;
    QAction* Aide2 = nullptr;
    QAction* Quitter2 = nullptr;
    QActionGroup* groupe_trace = nullptr; // Points1, Lignes1

    // --- Image area, scroll bars, tool bar, status bar ---
    ZoneImage* Image1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr; // horizontal, bottom
    QScrollBar* ScrollBar2 = nullptr; // vertical, right
    QWidget* Panel1 = nullptr;        // the tool bar
    QToolButton* SpeedButton1 = nullptr;  // read a project
    QToolButton* Speed6 = nullptr;        // save the points
    QToolButton* SpeedButton5 = nullptr;  // load a background image
    QToolButton* SpeedButton4 = nullptr;  // new tablet sheet
    QToolButton* SpeedButton11 = nullptr; // save the image with the lines
    QToolButton* SpeedButton7 = nullptr;  // "Carte + Tableau"
    QToolButton* SpeedButton9 = nullptr;  // "Carte seule"
    QToolButton* SpeedButton6 = nullptr;  // "Points"
    QToolButton* SpeedButton8 = nullptr;  // "Lignes"
    QToolButton* SpeedButton2 = nullptr;  // "Nouvelle ligne"
    QToolButton* SpeedButton3 = nullptr;  // "Supr. points"
    QToolButton* SpeedButton19 = nullptr; // whole map
    QToolButton* SpeedButton10 = nullptr; // "Redessiner"
    QToolButton* Digitaliser = nullptr;
    QToolButton* Surfacer = nullptr;
    QToolButton* Cap = nullptr;
    QToolButton* Color_surf_fond_SpeedButton14 = nullptr;
    QToolButton* Color_surf_bord_SpeedButton15 = nullptr;
    QToolButton* Choix_bord_SpeedButton16 = nullptr;
    QFrame* Coul_Bord_Panel5 = nullptr;
    QToolButton* Choix_fond_SpeedButton20 = nullptr;
    QFrame* Coul_fond_Panel6 = nullptr;
    QToolButton* Pinceau_SpeedButton20 = nullptr;
    QToolButton* Gomme_SpeedButton21 = nullptr;
    QToolButton* Annuler_SpeedButton14 = nullptr;
    QToolButton* SpeedButton12 = nullptr; // coloured-surface measurement
    QToolButton* SpeedButton17 = nullptr; // grey threshold
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QToolButton* Sans_ligne_SpeedButton = nullptr;
    QToolButton* SpeedButton18 = nullptr; // "avec les lignes"
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QToolButton* SpeedButton13 = nullptr; // "Quitter"
    QButtonGroup* groupe_fenetres = nullptr; // SpeedButton7, SpeedButton9
    QButtonGroup* groupe_trace_boutons = nullptr; // SpeedButton6, SpeedButton8
    QButtonGroup* groupe_outils = nullptr; // tool group 3
    QButtonGroup* groupe_lignes = nullptr; // Sans_ligne_SpeedButton, SpeedButton18
    QLabel* StatusBar1_panneaux[3] = {nullptr, nullptr, nullptr};

    // --- Floating panels ---
    QFrame* Panel5 = nullptr;  // calibration
    QFrame* Panel8 = nullptr;  // scale
    QFrame* Panel_z = nullptr; // altitude
    QFrame* Panel3 = nullptr;  // results
    QPlainTextEdit* Memo1 = nullptr;

    // --- Creation, events ---
    void FormCreate();
    void FormResize();
    void FormPaint();
    // Runs on every close request; false cancels it.
    bool FormClose();
    void sortie();
    bool sortie_faite() const { return sortie_faite_; }

    // --- Layout ---
    void grande_fenetre();
    void fenetre_proportionnelle();
    void SpeedButtonCartTablClick();
    void SpeedButtonCarteClick();

    // --- Commands ---
    void traite_param();
    void tab_points();
    void GarderlesproportionsLxH1Click();
    void Pleincran1Click();
    void Apropos1Click();
    void Graphe1Click();
    void Aide1Click();
    void Aide2Click();
    void rouletteinverse1Click();
    void Points1Click();
    void Lignes1Click();
    // Escape / F12 of the key table: recentres the pointer and asks to close.
    void touche_quitter();

    // The program's question box, 455 x 213. Answers "O", "N" or "E".
    QString dlg_titre_message_ONEK_oui_non(const QString& titre, const QString& message,
                                           const QString& lettres, const QString& oui,
                                           const QString& non);

    // The status bar's panels 0, 1, 2.
    void statut(int panneau, const std::string& texte) override;
    QString texte_statut(int panneau) const;

    // Outer rectangle of a top-level window, as the layout rules count it.
    static void place_fenetre(QWidget* w, int x, int y, int largeur, int hauteur);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void construit_menu();
    void construit_zone_centrale();
    void construit_barre_outils();
    void construit_barre_etat();
    void construit_panneaux();
    void mode_trace(bool lignes);
    void retient_taille_max();
    bool en_mode_tablette() const;

    bool sortie_faite_ = false;
};

} // namespace vuv
