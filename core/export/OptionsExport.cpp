#include "core/export/OptionsExport.h"

#include "core/document/Document.h"
#include "core/export/LectureExport.h"
#include "core/text/extraitUTIL.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"

#include <algorithm>
#include <cmath>

namespace vuv {
namespace {

std::optional<long double> compte_pour_pas(const OptionsExport& o, long double pas) {
    const long double x_mini = val_reel(o.Edit_x_mini);
    const long double x_maxi = lit_reel_local(o.Edit_x_maxi, "X maxi");
    const long double q = (x_maxi - x_mini) / pas;
    if (!std::isfinite(q)) return std::nullopt;
    return arrondi_pair_reel(q) + 1;
}

} // namespace

bool OptionsExport::colonne(int index) const {
    switch (index) {
    case 0: return CheckBox_n;
    case 1: return CheckBox_ligne;
    case 2: return CheckBox_libelle;
    case 3: return CheckBox_Xr;
    case 4: return CheckBox_Yr;
    case 5: return CheckBox_Zr;
    case 6: return CheckBox_ximg;
    case 7: return CheckBox_yimg;
    case 8: return CheckBox_zimg;
    default: return false;
    }
}

void CheckBox_ficClick(OptionsExport& o) { o.CheckBox_pas_norme = !o.CheckBox_fic; }

void CheckBox_pas_normeClick(OptionsExport& o) { o.CheckBox_fic = !o.CheckBox_pas_norme; }

void RadioGroup_extentionClick(OptionsExport& o) {
    if (o.RadioGroup_extention != OptionsExport::ext_bln) return;
    if (o.Edit9.empty()) o.Edit9 = "0";
    o.RadioGroup_separateur = OptionsExport::donnees_virgule_espace;
    o.CheckBox_nb_points = true;
}

void RadioGroup_separateurClick(OptionsExport& o) {
    if (o.RadioGroup_separateur != OptionsExport::donnees_virgule_espace) return;
    if (o.Edit9.empty()) o.Edit9 = "0";
    o.CheckBox_nb_points = true;
    o.RadioGroup_extention = OptionsExport::ext_bln;
}

void options_enregistrer_projet(OptionsExport& o) {
    o.CheckBox_trl = true;
    o.CheckBox_fic = false;
    CheckBox_ficClick(o);
}

int nb_croix_stringgrid3(const Document& d) {
    const Grille& g = d.StringGrid3;
    for (int r = 1; r < g.row_count(); ++r)
        if (g.cell(3, r) == "x") return r;
    return -1;
}

std::string nom_premiere_ligne(const Document& d) {
    const int r = nb_croix_stringgrid3(d);
    return r < 0 ? std::string() : std::string(d.StringGrid3.cell(4, r));
}

std::string texte_Label24(const Document& d) { return "<" + nom_premiere_ligne(d) + ">"; }

std::string texte_Label14() { return separateur_decimal() == ',' ? "la virgule" : "le point"; }

std::string separateur_donnees(const OptionsExport& o) {
    switch (o.RadioGroup_separateur) {
    case OptionsExport::donnees_virgule_espace: return ", ";
    case OptionsExport::donnees_perso: return o.Edit_separateur;
    default: return "\t";
    }
}

std::string extension_choisie(const OptionsExport& o) {
    switch (o.RadioGroup_extention) {
    case OptionsExport::ext_xls: return ".xls";
    case OptionsExport::ext_bln: return ".bln";
    case OptionsExport::ext_perso: return o.Edit3;
    default: return ".txt";
    }
}

std::optional<long double> compte_normalise(const OptionsExport& o) {
    const long double pas = val_reel(o.Edit_pas_extraction);
    if (pas == 0) return std::nullopt;
    return compte_pour_pas(o, pas);
}

std::string texte_compte(long double n) { return nombres::fixe(n, 18, 0, '.'); }

void rafraichit_indicateurs(const Document& d, OptionsExport& o) {
    if (d.nb_points < 1) return;
    long double mini = X_du_point(d, 1), maxi = mini;
    for (int r = 2; r <= d.nb_points; ++r) {
        const long double X = X_du_point(d, r);
        mini = std::min(mini, X);
        maxi = std::max(maxi, X);
    }
    o.Edit12 = reel_en_texte_point(mini);
    o.Edit13 = reel_en_texte_point(maxi);
}

void change_extraction(const Document& d, OptionsExport& o) {
    const long double pas = val_reel(o.Edit_pas_extraction);
    if (pas == 0) return;
    rafraichit_indicateurs(d, o);
    if (const auto n = compte_pour_pas(o, pas)) o.Label35 = texte_compte(*n) + " points";
}

void rafraichit_panel_sauve(const Document& d, OptionsExport& o) {
    o.Label14 = texte_Label14();
    o.Label24 = texte_Label24(d);
    rafraichit_indicateurs(d, o);
    change_extraction(d, o);
}

} // namespace vuv
