#pragma once
// TForm2, the points window "Points digitalisés": the three tables of the document, shown
// beside the main window, and what is typed, chosen or deleted in them. Its sources:
//   scroll2.cpp           creation, activation, the window's keys, the shared dialogs
//   scroll2_grilles.cpp   the editing rules of the three tables
//   scroll2_lignes.cpp    lines: colours, selection, deleting a line; the altitude copy
//   scroll2_reglages.cpp  decimals, label settings, image offset and the plain buttons
//   scroll2_projet.cpp    reading a project file
//   scroll2_import.cpp    the imports of points and calibration values
//   scroll2_tableur.cpp   the spreadsheet import and its panel on the main window
//   scroll2_annulation.cpp  Ctrl+Z and Ctrl+Y, the typed cells made undo steps
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QAction;
class QCheckBox;
class QDockWidget;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace vuv {

class Document;
class GrilleChaines;
class PileAnnulation;
class ModeleGrille;
class PanneauCouleur;
class TForm1;
struct ReglagesTrace;

class TForm2 : public QWidget {
    Q_OBJECT

public:
    explicit TForm2(Document& document, QWidget* parent = nullptr);
    ~TForm2() override;

    Document& doc;

    // --- The three tables ---
    ModeleGrille* modele1 = nullptr;
    ModeleGrille* modele2 = nullptr;
    ModeleGrille* modele3 = nullptr;
    GrilleChaines* StringGrid1 = nullptr; // points
    GrilleChaines* StringGrid2 = nullptr; // calibration
    GrilleChaines* StringGrid3 = nullptr; // lines

    // --- Controls, by their design names ---
    QPushButton* SpeedButton3 = nullptr; // export panel
    QPushButton* Button2 = nullptr;      // clipboard export
    QCheckBox* CheckBox1 = nullptr;      // labels on the map
    QLineEdit* Edit3 = nullptr;          // label font height
    PanneauCouleur* Panel1 = nullptr;    // label colour
    PanneauCouleur* Panel2 = nullptr;    // label background
    QPushButton* SpeedButton8 = nullptr; // 3D graph
    QLabel* Label_calage = nullptr;      // "Points de calibration"
    QPushButton* Button3 = nullptr;      // "Calibration"
    QPushButton* Button5 = nullptr;      // "échelle"
    QPushButton* SpeedButton9 = nullptr;
    QPushButton* SpeedButton10 = nullptr;
    QLineEdit* Edit_dx0 = nullptr;
    QLineEdit* Edit_dy0 = nullptr;
    QPushButton* SpeedButton1 = nullptr; // "Supprimer le point"
    QCheckBox* CheckBox_z = nullptr;
    QLabel* Label8 = nullptr;            // the points count
    QLabel* Label9 = nullptr;
    QPushButton* Deselection_Button4 = nullptr; // every line shown
    QPushButton* All_select_Button5 = nullptr;  // every line hidden
    QLabel* Label12 = nullptr;           // help line of the lines table
    QPushButton* Button_sup_ligne = nullptr;
    QPushButton* SpeedButton4 = nullptr;
    QPushButton* SpeedButton6 = nullptr;
    QPushButton* SpeedButton5 = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* Label4 = nullptr;            // X under the pointer
    QLabel* Label5 = nullptr;            // Y under the pointer
    QLineEdit* Edit4 = nullptr;          // decimals
    QLabel* Label3 = nullptr;
    QPushButton* Button1 = nullptr;      // "Quit direct"
    QPushButton* SpeedButton2 = nullptr; // hidden from here on
    QPushButton* SpeedButton7 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;

    // The main window's panel Panel6 of the spreadsheet import, with its design names.
    struct PanneauTableur {
        QDockWidget* Panel6 = nullptr;
        QLabel* Label12 = nullptr; // the file name
        QLabel* Label13 = nullptr; // its full path, hidden
        QLineEdit* Edit4 = nullptr; // "Libellé"
        QLineEdit* Edit5 = nullptr; // "X"
        QLineEdit* Edit6 = nullptr; // "Y"
        QLineEdit* Edit7 = nullptr; // "Z"
        QLineEdit* Edit8 = nullptr; // "n° de ligne de début"
        QPushButton* Button6 = nullptr; // "Traiter le fichier"
        QPushButton* Button7 = nullptr; // "Annuler"
        QLabel* Label6 = nullptr;  // the running count
    } tableur;

    // --- Window state ---
    std::string entree1, entree2, entree3; // entry value of each table
    bool calage_modifie = false;           // a key was typed in the calibration table
    bool aide_affichee = false;            // the help line shows a column's help
    QString chemin_projet;                 // the last project file read

    bool est_active() const;

    // One-line settings files of the program folder (core/reglages/FichiersReglages.h).
    bool premiere_ligne_enregistre(const QString& nom, const QString& texte);
    QString premiere_ligne_lecture(const QString& nom);

    // The question box 605 wide; Memo1 is hidden once it has answered.
    QString dlg_titre_message_ONEK_large(const QString& titre, const QString& message, const QString& lettres,
                                         const QString& oui, const QString& non);

    // Shows the file in the question box's Memo1 for checking and editing. Accepted: the
    // text as it stands is written to fichier_travail and the result is true.
    bool af_fic_txt_memo(const QString& fichier, const QString& fichier_travail, const QString& extra);
    // The same check; the accepted text is returned rather than written.
    std::optional<QString> texte_controle(const QString& fichier, const QString& extra);
    // The lines in Windows-1252, one CR LF after each; false when the file cannot be written.
    static bool ecrit_lignes(const QString& chemin, const QString& texte);

    // --- Tables (scroll2_grilles.cpp) ---
    // The edit check of the points and calibration tables: true when the text may stay.
    static bool saisie_acceptable(int col, const std::string& texte);
    void StringGrid1SelectCell(int col, int row);
    void StringGrid1MouseDown(int col, int row);
    void StringGrid1Enter();
    void StringGrid1SetEditText(QLineEdit* editeur, int col, int row, const QString& texte);
    void StringGrid1KeyDown(int touche);
    void StringGrid1Exit();
    void StringGrid2SelectCell(int col, int row);
    void StringGrid2Enter();
    void StringGrid2SetEditText(QLineEdit* editeur, int col, int row, const QString& texte);
    void StringGrid2Exit();
    void StringGrid3SelectCell(int col, int row);
    void StringGrid3MouseDown(Qt::MouseButton bouton, int col, int row);
    void StringGrid3Enter();
    void StringGrid3SetEditText(QLineEdit* editeur, int col, int row, const QString& texte);
    void StringGrid3DblClick(int col, int row);
    void StringGrid3MouseMove(int col);
    void StringGrid3Exit();
    void FormMouseMove();
    // Recomputes every point from the calibration table, as one user operation.
    void calcul_nouveaux_calage();
    void montre_table_points();

    // --- Lines (scroll2_lignes.cpp) ---
    void Deselection_Button4Click();
    void All_select_Button5Click();
    void Button_sup_ligneClick();
    // F9 in the points table: the current row's Z down the rest of its line.
    void recopie_altitude();
    // Offered when line L starts; a chosen colour becomes its "couleur". True when chosen.
    bool choisit_couleur_ligne(int L);
    void change_couleur_ligne(int row);

    // --- Settings and buttons (scroll2_reglages.cpp) ---
    void Edit4Change();
    void Edit4Entree();
    void Edit3Entree();
    void CheckBox1Click();
    void Panel1Click();
    void Panel2Click();
    void Edit_dx0Entree();
    void Edit_dy0Entree();
    void Button3Click();
    void Button5Click();
    void Button1Click();
    void SpeedButton1Click();
    // The drawing's label settings, read from CheckBox1, Edit3, Panel1 and Panel2.
    void reglages_libelles(ReglagesTrace& r) const;
    void affiche_nb_points();

    // --- Traverse (scroll2_traverse.cpp) ---
    void SpeedButton7Click();

    // --- Project file (scroll2_projet.cpp) ---
    void Liredespoints1Click();
    // Project bytes read in place of the work, as a project file is: `fichier` names them in the
    // messages, `projet` becomes the project read (the background is looked for beside it).
    bool lit_projet_octets_de(std::string_view octets, const QString& fichier, const QString& projet);

    // --- Imports (scroll2_import.cpp) ---
    void SpeedButton4Click_completer(); // points of another project of the same image
    void SpeedButton9Click();           // calibration values of a project
    void SpeedButton10Click();          // calibration values of the clipboard
    void SpeedButton6Click();           // points of a text file
    void SpeedButton5Click();           // a spreadsheet: its panel shown
    void Button4Click();                // the spreadsheet read with the panel's columns

    // --- Undo (scroll2_annulation.cpp) ---
    QAction* Annuler2 = nullptr;  // Ctrl+Z
    QAction* Retablir2 = nullptr; // Ctrl+Y
    // The main window's undo list; null without a main window.
    PileAnnulation* pile() const;

    // Redraws through the main window: "Redessiner", or the overlay rebuilt and shown.
    void Redessiner();
    void redessine_calque();

protected:
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* objet, QEvent* e) override;

private:
    void construit();
    void construit_haut(QVBoxLayout* l);
    void construit_tables(QVBoxLayout* l);
    void construit_bas(QVBoxLayout* l);
    void branche_tables();
    void branche_reglages();
    void branche_fenetre_principale();
    void branche_imports();
    void branche_annulation();
    void construit_panneau_tableur();
    std::optional<QString> choisit_fichier_import(const QString& titre, const QString& filtre);
    void fin_import();
    void FormActivate();
    void FormDeactivate();
    void apres_selection_lignes();
    void recharge_decalage(QLineEdit* edit, int& valeur);
    TForm1* form1() const;

    // The main window whose hooks this window filled; they are emptied when it goes.
    QPointer<TForm1> f1_;
    QStringList couleurs_illisibles_; // "couleur" texts already asked about
};

} // namespace vuv
