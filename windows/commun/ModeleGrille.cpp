#include "windows/commun/ModeleGrille.h"

#include "windows/commun/Textes.h"

#include <algorithm>

namespace vuv {

ModeleGrille::ModeleGrille(Grille& grille, QObject* parent)
    : QAbstractTableModel(parent), grille_(grille), lignes_(std::max(grille.row_count() - 1, 0)),
      colonnes_(grille.col_count()) {
    grille_.set_observateur(this);
}

ModeleGrille::~ModeleGrille() { grille_.set_observateur(nullptr); }

int ModeleGrille::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : lignes_; }

int ModeleGrille::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colonnes_; }

QVariant ModeleGrille::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= lignes_ || index.column() >= colonnes_) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return qs(grille_.cell(index.column(), ligne_grille(index.row())));
}

bool ModeleGrille::setData(const QModelIndex& index, const QVariant& valeur, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= lignes_ || index.column() >= colonnes_)
        return false;
    const std::string texte = ss(valeur.toString());
    if (grille_.cell(index.column(), ligne_grille(index.row())) != texte) {
        grille_.set_cell(index.column(), ligne_grille(index.row()), texte);
        if (edite) edite();
    }
    return true;
}

QVariant ModeleGrille::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= colonnes_) return {};
    return qs(grille_.cell(section, 0));
}

Qt::ItemFlags ModeleGrille::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // Fixed columns can be neither selected nor typed into.
    if (index.column() < grille_.fixed_cols()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void ModeleGrille::cellules_changees(int premiere, int derniere) {
    if (colonnes_ == 0) return;
    if (premiere <= 0) emit headerDataChanged(Qt::Horizontal, 0, colonnes_ - 1);
    const int debut = std::max(ligne_modele(premiere), 0);
    const int fin = std::min(ligne_modele(derniere), lignes_ - 1);
    if (debut <= fin) emit dataChanged(index(debut, 0), index(fin, colonnes_ - 1));
}

void ModeleGrille::structure_changee() {
    const int lignes = std::max(grille_.row_count() - 1, 0);
    if (grille_.col_count() != colonnes_) {
        beginResetModel();
        lignes_ = lignes;
        colonnes_ = grille_.col_count();
        endResetModel();
        return;
    }
    if (lignes > lignes_) {
        beginInsertRows({}, lignes_, lignes - 1);
        lignes_ = lignes;
        endInsertRows();
    } else if (lignes < lignes_) {
        beginRemoveRows({}, lignes, lignes_ - 1);
        lignes_ = lignes;
        endRemoveRows();
    }
    // A batch that changed the size may also have rewritten cells and the header.
    if (colonnes_ > 0) {
        emit headerDataChanged(Qt::Horizontal, 0, colonnes_ - 1);
        if (lignes_ > 0) emit dataChanged(index(0, 0), index(lignes_ - 1, colonnes_ - 1));
    }
}

void ModeleGrille::ligne_selectionnee(int ligne) { emit ligne_choisie(ligne); }

} // namespace vuv
