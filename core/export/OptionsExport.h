#pragma once
// The options of the export panel (Panel7) with their initial states, the rules that couple
// them, and the values the panel shows (count of the normalized file, X indicators, labels).
// Nothing here is saved: the options live as long as the program runs.
#include <optional>
#include <string>

namespace vuv {

class Document;

struct OptionsExport {
    // Items of the radio groups, by index.
    enum SepDecimal { sep_point = 0, sep_virgule = 1 };
    enum Extension { ext_txt = 0, ext_xls = 1, ext_bln = 2, ext_perso = 3 };
    enum SepDonnees { donnees_virgule_espace = 0, donnees_tabulation = 1, donnees_perso = 2 };
    enum Recherche { le_plus_proche = 0, regression_lineaire = 1 };

    bool CheckBox_trl = true;
    bool CheckBox_blocnote = false;
    bool CheckBox_fic = true;
    bool CheckBox_pas_norme = false;

    // The nine columns n, L, Libellé, X, Y, Z, x, y, z.
    bool CheckBox_n = false;
    bool CheckBox_ligne = false;
    bool CheckBox_libelle = false;
    bool CheckBox_Xr = true;
    bool CheckBox_Yr = true;
    bool CheckBox_Zr = false;
    bool CheckBox_ximg = false;
    bool CheckBox_yimg = false;
    bool CheckBox_zimg = false;

    bool CheckBox_dist = false;
    bool CheckBox_dist_cumul = false;
    bool CheckBox_3calib = false;
    bool CheckBox_juste_les_lignes = true;

    int RadioGroup_sep_decimal = sep_point;
    int RadioGroup_extention = ext_txt;
    std::string Edit3 = "txt";
    int RadioGroup_separateur = donnees_tabulation;
    std::string Edit_separateur = ", ";

    bool CheckBox_ligne_1 = true;
    bool CheckBox_nb_points = false;
    std::string Edit9;
    bool CheckBox_ligne_1_bis = true;
    std::string Edit16;

    std::string Edit_pas_extraction = "0.05";
    std::string Edit_x_mini = "0";
    std::string Edit_x_maxi = "1";
    std::string Edit12 = "0"; // smallest X found (read only)
    std::string Edit13 = "1"; // largest X found (read only)
    std::string Label35;      // N + " points"
    int RadioGroup2 = regression_lineaire;
    std::string Edit15 = "8";

    std::string Label24 = "<>"; // "<" + name of the first selected line + ">"
    std::string Label14 = "<>"; // "le point" or "la virgule"

    // The column choices in the order n, L, Libellé, X, Y, Z, x, y, z.
    bool colonne(int index) const;
};

// --- Coupling rules (called after the user changed the option named) ---
void CheckBox_ficClick(OptionsExport& o);
void CheckBox_pas_normeClick(OptionsExport& o);
void RadioGroup_extentionClick(OptionsExport& o);
void RadioGroup_separateurClick(OptionsExport& o);
// The menu "Enregistrer les points..." saves the project and the normalized choice.
void options_enregistrer_projet(OptionsExport& o);

// --- What the panel shows ---
// Row of the first line whose "OK" cell holds exactly "x", or -1.
int nb_croix_stringgrid3(const Document& d);
// Name (column 4) of the first selected line, empty when none.
std::string nom_premiere_ligne(const Document& d);
std::string texte_Label24(const Document& d);
std::string texte_Label14();

// The data separator and the extension chosen ("" never: the custom ones as typed).
std::string separateur_donnees(const OptionsExport& o);
std::string extension_choisie(const OptionsExport& o);

// X mini with val_reel and X maxi strictly in the local convention (ErreurExport when it is
// not a number), step with val_reel. Nothing when the step is 0 or the count is not finite;
// otherwise round-half-even((X maxi - X mini) / step) + 1, which may be 0 or negative.
std::optional<long double> compte_normalise(const OptionsExport& o);
// The count as the panel writes it.
std::string texte_compte(long double n);

// Edit12 / Edit13 from the X of the points rows 1..nb_points (unchanged when there is none).
void rafraichit_indicateurs(const Document& d, OptionsExport& o);

// Edit_pas_extractionChange, Edit_x_miniChange, Edit_x_maxiChange: the indicators and Label35,
// nothing at all when the step is 0.
void change_extraction(const Document& d, OptionsExport& o);

// affiche_panel_sauve, the core part: Label14, Label24, the indicators and the count.
void rafraichit_panel_sauve(const Document& d, OptionsExport& o);

} // namespace vuv
