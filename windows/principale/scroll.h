#pragma once
// TForm1, the main window: the image area, the tool bar Panel1, the status bar, the two
// scroll bars and the main menu. Its sources, by concern (folders under windows/principale):
//   scroll.cpp                creation (FormCreate), the image area's layout
//   MenuPrincipal.cpp         builds the menu bar
//   BarreOutils.cpp           builds the tool bar
//   scroll_menu.cpp           the menu commands the window handles itself
//   scroll_barre.cpp          the status bar and the floating panels
//   scroll_fenetre.cpp        laying the main and points windows out on the screen
//   scroll_touches.cpp        the key table
//   scroll_fin.cpp            the question box entry point and the end of the program
//   scroll_annulation.cpp     undo and redo of the document's edits: the Edition menu's items
//   carte/scroll_vue.cpp      the map view: overlay rebuilds, transient marks, scroll bars
//   carte/scroll_digit.cpp    the mouse over the map, the mouse mode, digitizing, coordinates
//   carte/scroll_calage.cpp   the calibration panel and the wiring of the view commands
//   mesure/scroll_mesure.cpp  the Surface mode and the results panel Panel3
//   export/scroll_export.cpp  the export panel Panel7, the clipboard commands, the GIS export
//   coloriage/scroll_coloriage.cpp  the coloured surfaces: fills, pen, brush, undo, threshold
//   projet/scroll_projet.cpp  saving and reading a project
//   fond/scroll_fond.cpp      loading the background image, saving the overlay
//   fond/scroll_georef.cpp    backgrounds calibrated by a .tab, a .hdr, GeoTIFF keys or a world
//                             file; the project's coordinate system and its status-bar label
#include "core/annulation/PileAnnulation.h"
#include "core/document/VueDocument.h"
#include "core/document/Document.h"
#include "core/export/SauveDans.h"
#include "windows/principale/carte/Calque.h"

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QActionGroup;
class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QToolButton;
class QWidget;

namespace vuv {

class Document;
struct CalageCompagnon;
class ZoneImage;
class PanneauExport;
class PanneauResultats;
class TForm2;
class ModeEdition;
class ModeSuivi;
class TraceQuadrillage;

class TForm1 : public QMainWindow, public VueDocument, private PileAnnulation::Observateur {
    Q_OBJECT

public:
    // arguments: the command-line arguments, without the program's own name.
    TForm1(Document& document, const QStringList& arguments, QWidget* parent = nullptr);
    ~TForm1() override;

    Document& doc;
    // Every edit of the document, undone and redone from either window.
    PileAnnulation annulation;

    // --- State set at creation ---
    bool ignore_clic_suivant = false;        // the click that brings the window back
    QColor couleur_fond{100, 100, 100};      // window and image area around the image
    QColor couleur_calque_vide{139, 231, 195};
    bool peindre_fond_au_redimensionnement = true; // cleared once an image is loaded
    int marge_barre_taches = 40;
    QString dossier_programme;               // ends with '/'
    int sens_roulette = 1;                   // -1: wheel inverted
    int largeur_stylo_elastique = 4;
    int ligne_depart_cap = 1;                // bearing start row
    bool choisir_depart = true;              // the next bearing click chooses the start
    long double distance_cumulee = 0;
    QString ligne_commande;                  // the project named on the command line (chemin_argument)
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
    QAction* ExporterSig1 = nullptr; // "Exporter vers un SIG ..."
    QAction* Ouvrir1 = nullptr;
    QAction* Imagedupressepapier1 = nullptr;
    QAction* ChargerunTAB1 = nullptr;
    QAction* Charger1 = nullptr;
    QAction* Nouvellesaisie1 = nullptr;
    QAction* Enregistrerlimage1 = nullptr;
    QAction* Enregistrerlimagelignes1 = nullptr;
    QAction* Conversionemf1 = nullptr;
    QAction* Quitter1 = nullptr;
    QAction* Annuler1 = nullptr;  // "Annuler : <nom>", Alt+Backspace
    QAction* Retablir1 = nullptr; // "Rétablir : <nom>", Alt+Shift+Backspace
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
    QAction* Systemedecoordonnees1 = nullptr; // Options: the project's coordinate system
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
    QButtonGroup* groupe_outils = nullptr; // the mouse modes, ids as ModeSouris
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
    void UTMLat1Click();
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
    // The width a status-bar panel needs to show the text whole.
    static int largeur_panneau(const QLabel* p, const QString& texte);

    // Outer rectangle of a top-level window, as the layout rules count it.
    static void place_fenetre(QWidget* w, int x, int y, int largeur, int hauteur);

    // --- Map view and digitizing (scroll_vue.cpp, scroll_digit.cpp, scroll_touches.cpp) ---
    Calque calque;               // background, overlay and the view over them
    int souris_x = 0, souris_y = 0; // last mouse position in the image area (for Ctrl)
    int courant_x = 0, courant_y = 0; // current mouse position in overlay pixels (rubber band)
    // False until the mouse moves over a new overlay: the rubber band needs a real end.
    bool souris_connue = false;
    int ligne_pointee = 0;       // highlighted row: >0 points table, <0 calibration table
    bool glissement = false;     // right-button drag
    int glisse_x = 0, glisse_y = 0;
    bool barres_changees = false; // the scroll bars moved the view once: arrows stop acting as keys

    ReglagesTrace reglages_trace() const;
    void redessiner();           // shows the view when it changed or something was drawn
    void redessiner_calque() override;
    void rafraichir() override;
    void af_croix_calage(int x, int y) override;
    void af_efface_der_ligne_xor() override;
    void af_ligne_xor_move(int x, int y);
    void pointer_selection() override;
    void pointer_dans_form1(int row);
    void depointer_i_sel_anc_puis_pointer(int row);
    void montre_table_points() override;
    void cache_panel2() override;
    void position_scrollbar();
    void image1_peindre_fond_uni();
    bool presence_fond_dans_img() const;
    QString LxHxC() const;
    void affecte_bitmap_img();
    void init_calque_a_b_pen();
    void SpeedButton10Click(); // "Redessiner"
    void Carte_complete();
    // Fits the view to the image area's proportions, so that a pixel of the overlay is as wide
    // as high on screen: the whole overlay stays whole, a zoomed view keeps its scale.
    void proportionne_vue();
    // Installs a decoded background (RGB555) and its overlay, viewed whole.
    void installe_fond(const QImage& fond);

    // What a left click on the map does: one value per button of the tool group, in its order
    // (the buttons' ids), the colouring tools last. Checking a button sets it; choisit_mode_souris
    // checks the button.
    enum class ModeSouris { digitaliser, surface, cap, colorer_surface, colorer_bordee, choix_bord, choix_fond,
                            seuil_gris, pinceau, gomme, modifier, suivre };
    ModeSouris mode_souris() const { return mode_souris_; }
    void choisit_mode_souris(ModeSouris m);
    bool mode_coloration() const {
        return mode_souris_ >= ModeSouris::colorer_surface && mode_souris_ <= ModeSouris::gomme;
    }
    // The "Modifier" mode: moving, inserting and removing digitized points with the mouse.
    std::unique_ptr<ModeEdition> mode_edition;
    std::unique_ptr<ModeSuivi> suivi; // "Suivre un trait" (trace/ModeSuivi)
    // The grid over the map ("Quadrillage" in Options, F5).
    TraceQuadrillage* quadrillage = nullptr;

    void Image1MouseDown(Qt::MouseButton bouton, int mx, int my, Qt::KeyboardModifiers etat);
    void Image1MouseMove(int mx, int my);
    void Image1MouseUp();
    void Image1Wheel(int delta);
    void clic_digitaliser(int x, int y);
    void valide_point(int n, int L, int x, int y);
    void Nouvelle_suite_de_points();
    void devalide_point();
    void DigitaliserClick();
    void Tabledigitaliser1Click();
    void affiche_XYc(int panneau, long double Y, long double X);
    // The status bar's panels 1 and 2 for the digitizing state: the calibration prompt, or the
    // line and last point; the calibration values. Returns panel 1's text.
    QString statut_saisie();
    void SpeedButton14Click(); // "Calibrer ->"
    // The key table; true when the key went through it (handled).
    bool FormKeyDown(int touche, Qt::KeyboardModifiers etat, bool pave_numerique);
    // The hooks the measuring tools fill: the surface click (D, S keys and Surface mode).
    std::function<void(int x, int y)> calcul_surface;
    // The points window fills these: label settings of the drawing, showing its points table.
    std::function<void(ReglagesTrace&)> reglages_libelles;
    std::function<void()> montre_points;
    QLabel* Panel2 = nullptr;      // calibration prompt beside the pointer
    QLabel* Panel4 = nullptr;      // floating X and Y
    QCheckBox* CheckBox2_af_XY = nullptr; // "X et Y   flottants"
    QFrame* RadioGroup1 = nullptr; // calibration method, in Panel5
    QButtonGroup* groupe_calage = nullptr;
    QToolButton* SpeedButton14 = nullptr; // "Calibrer ->"
    QToolButton* SpeedButton15 = nullptr; // "Retour"
    MethodeCalage methode_calage() const;
    bool elastique_actif() const;
    void remet_barres();
    void barre_deplacee(Qt::Orientation sens, int valeur);
    void barre_action(Qt::Orientation sens, int action);
    // A blank overlay (the tablet sheet), viewed whole.
    void installe_feuille_vierge(int largeur, int hauteur);
    void termine_nouveau_calque();
    void construit_vue();
    void construit_panneau_calage();
    void change_trace(); // after a switch between "Points" and "Lignes"
    bool fenetre_points_active() const;
    // The points window's colour dialog when a line starts; true when a colour was chosen.
    std::function<bool(int L)> choisit_couleur_ligne;

    // --- Measurements and export (scroll_mesure.cpp, scroll_export.cpp) ---
    // The export panel's options; the points window copies its decimals box into Edit15.
    OptionsExport options_export;
    PanneauExport* Panel7 = nullptr;
    PanneauResultats* panneau_resultats() const; // Panel3
    void construit_mesures(); // Panel3 and Memo1, the Surface mode
    void construit_export();  // Panel7 and the export commands of the menu
    void SurfacerClick();
    // The surface click at overlay pixel (x, y): fills calcul_surface.
    void Surface1Click(int x, int y);
    void masque_panel3();
    void montre_panel3(); // a measurement shows it (tag 1)
    // --- Bearing mode (mesure/scroll_cap.cpp) ---
    void construit_cap();
    void CapClick();
    // Options "Déclinaison et epsilon du cap ...": the points window's two boxes shown.
    QAction* Declinaisonetepsilon1 = nullptr;
    QAction* Rajoutdepointscap1 = nullptr; // Edition: the points window's traverse
    void Declinaisonetepsilon1Click();
    // Declination + epsilon of the points window, read at each use.
    long double correction_cap() const;
    static long double correction_cap_defaut();
    // True when the next click chooses the start (none yet, or it lies beyond the table).
    bool depart_cap_a_choisir();
    // Mouse at image-area (mx, my), overlay pixel (x, y).
    void Image1MouseMoveCap(int mx, int my, int x, int y);
    void clic_cap(int x, int y);
    // --- Scale and altitude panels (mesure/scroll_echelle.cpp) ---
    long double distance_calculee = 0; // the last two-point line measured
    QLabel* Label26 = nullptr;
    QLabel* Label27 = nullptr;
    QLabel* Label25 = nullptr;
    QLineEdit* Edit14 = nullptr;   // real distance
    QPushButton* Button10 = nullptr; // "mise à l'échelle ->"
    QPushButton* Button11 = nullptr; // "Retour"
    QLabel* Label17_n = nullptr;
    QLabel* Label16 = nullptr;
    QLineEdit* Edit12_z = nullptr;
    QLineEdit* Edit11 = nullptr;   // decimals
    QLineEdit* Edit10 = nullptr;   // delta Z
    QToolButton* SpeedButton16 = nullptr; // "+ (F3)"
    QToolButton* SpeedButton20 = nullptr; // "- (F2)"
    void construit_echelle();
    // The points window's altitude check box and current row drive Panel_z.
    void branche_altitude(TForm2& f2);
    void ouvre_echelle(int L, long double D);
    void Button10Click();
    void Button11Click();
    void altitude_pm(int signe);
    void Edit12_zKeyPress();
    void synchronise_altitude();
    int ligne_altitude() const; // the current row when it holds a point, else 0
    bool ouvert_masque() const; // hidden but still marked as open: the next mouse move closes it
    void Panel3Fermer();        // "Fermer"
    void Button5Click();        // "Bloc note"
    // Opens the file in the text editor and puts its whole text on the clipboard.
    void blocnote(const QString& chemin);
    // The files the writer leaves for the text editor (its clipboard copy is already done).
    void ouvre_fichiers_sauves(const ResultatSauve& r);
    void affiche_panel_sauve();
    bool panel7_visible() const;
    void Button8Click();  // "Traiter"
    void Copierdanslepressepaier1Click();
    void Exporterlescoordonnes1Click();
    // The GIS export dialog, opened without blocking (window-modal).
    void ExporterSig1Click();

    // --- Undo and redo (scroll_annulation.cpp) ---
    void construit_annulation();
    void Annuler1Click();
    void Retablir1Click();
    // The map, the status bar and the points count after the document went back or forth.
    void apres_annulation();

    // --- Coloured surfaces (coloriage/scroll_coloriage.cpp) ---
    QColor couleur_fond_coloriage{0, 128, 0}; // Coul_fond_Panel6
    QColor couleur_bord{0, 0, 0};             // Coul_Bord_Panel5
    bool peinture_en_cours = false;           // a pen or brush press: a left drag goes on painting
    bool annulation_signalee = false;         // a failed undo copy is said once
    void construit_coloriage();
    void montre_outils_coloriage();
    void Color_surf_fond_SpeedButton14Click();
    void Color_surf_bord_SpeedButton15Click();
    void Choix_bord_SpeedButton16Click();
    void Coul_fond_Panel6Click();
    void Sans_ligne_SpeedButtonClick();
    void Annuler_SpeedButton14Click();
    // The measurement (sender SpeedButton12) or the grey threshold (SpeedButton17).
    void SpeedButton12Click(QObject* sender);
    // A left press in a colouring mode at overlay pixel (x, y).
    void presse_coloriage(int x, int y);
    // The pointer moved to (mx, my), overlay pixel (x, y): true when a pen or brush drag painted.
    bool mouvement_coloriage(int mx, int my, int x, int y);
    void sauve_annulation();
    // A new overlay: the previous one's undo copy goes.
    void oublie_annulation_coloree();
    std::string chemin_annulation_coloree() const;

    // --- Project file (scroll_projet.cpp) ---
    // Reloads the background at the new dx0/dy0 ("décalage"); filled by the image loader.
    std::function<void()> recharge_decalage;
    // Menu items, tool buttons, the save and read hooks and the emergency save; run once the
    // points window exists.
    void branche_projet();
    void debranche_projet();
    void commande_sauve_fic_points(); // what the sauve_fic_points hook runs
    void Enregistrer1Click();
    void Speed6Click();
    void ouvrir_un_tableauClick();
    bool avec_fond() const; // a background bitmap exists: the project names its image
    void recharge_fond_decale();

    // --- Background image (scroll_fond.cpp) ---
    // No mode: a fresh load; "relecture": the project reader's; "décalage": the offset edits'.
    enum class ModeChargement { aucun, relecture, decalage };
    // A calibration the file itself brings (a georeferenced scan), given the image's size in
    // pixels: true once it replaced the default one, and then no calibration question is asked.
    using CalageFourni = std::function<bool(int largeur, int hauteur)>;
    // Loads the file as background. False when nothing changed: not found and not replaced,
    // or unreadable (the user was told why).
    bool Ouvrir_fichier_image(const QString& chemin, ModeChargement mode = ModeChargement::aucun,
                              const CalageFourni& calage = {});
    // A background found, decoded and placed, not shown yet: the work is untouched until it is
    // installed.
    struct FondPrepare {
        QImage fond;
        QString chemin; // the file decoded: the one named, found beside or chosen
        int largeur_image = 0, hauteur_image = 0;
        int dx0 = 0, dy0 = 0;
    };
    // Where a reload puts the image: the stored background size and offset.
    struct PlacementStocke {
        int largeur = 0, hauteur = 0;
        int dx0 = 0, dy0 = 0;
    };
    // Steps up to the decoded, placed image. Empty when not found and not replaced (then
    // `abandonne` is set), or unreadable (the user was told why).
    std::optional<FondPrepare> prepare_fond(const QString& chemin, ModeChargement mode, PlacementStocke stocke,
                                            bool* abandonne = nullptr);
    // The previous digitizing and bitmaps go, the prepared background takes their place.
    void installe_fond_prepare(FondPrepare f, ModeChargement mode, const CalageFourni& calage = {});
    void Ouvrir_bmp();
    void Imagedupressepapier1Click();
    void ouvrir_sans_bmp();
    void Enregistrerlimage1Click();
    void SpeedButton11Click();
    void construit_fond();
    // The image area's size, taken while the window is maximized: the proportions of a
    // background placed with "Garder les proportions L x H".
    QSize taille_client_reference;
    QString texte_dimension;   // "W x H" of the last image loaded
    QString nom_court_image;   // its file name, without the folder
    bool feuille_tablette = false; // the overlay is a blank tablet sheet, saved at 8 bits

    // --- Georeferenced backgrounds (scroll_georef.cpp) ---
    void construit_georef();
    void ChargerunTAB1Click(); // "=> Charger un *.TAB MapInfo"
    void Charger1Click();      // "=> Charger  un fichier *.hdr ARC/INFO "
    void charge_georeference(const QString& titre, const QString& filtre,
                             CalageCompagnon (*lecteur)(const std::string&));
    // A scan with its own georeference (GeoTIFF keys or a world file) calibrated at once and
    // its system taken; any other image, or a refused georeference, loads as usual.
    bool Ouvrir_image_georeferencee(const QString& chemin);
    // The overlay just saved as `chemin` gets its world file, .prj and .aux.xml.
    void georeference_image_enregistree(const QString& chemin);

    // --- The project's coordinate system (fond/scroll_georef.cpp, windows/systeme) ---
    QLabel* etiquette_systeme = nullptr; // status bar, right: the system's name, hidden without one
    void affiche_systeme();
    // Opens the choice window-modal; its OK sets the system and marks the work unsaved.
    void Systemedecoordonnees1Click();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void pile_changee() override; // the Edition menu's texts follow the undo list
    void construit_zone_centrale();
    void construit_barre_etat();
    void construit_panneaux();
    void mode_trace(bool lignes);
    void retient_taille_max();
    bool en_mode_tablette() const;

    bool sortie_faite_ = false;
    ModeSouris mode_souris_ = ModeSouris::digitaliser;
    // Map and table were laid side by side before the window was on screen: the window
    // manager may still place it over the table, so the layout is made again once shown.
    bool cote_a_cote_en_attente_ = false;
    bool vue_entiere_ = true; // the view shows the whole overlay, whatever the area's size
    QSize aire_vue_;          // the image area the view was last fitted to
    const QEvent* derniere_touche_vue_ = nullptr;
    quint64 dernier_horodatage_ = 0;
    QPointer<QWidget> dernier_receveur_;
};

} // namespace vuv
