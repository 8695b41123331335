#include "core/table/Grille.h"

#include <algorithm>
#include <utility>

namespace vuv {
namespace {
const std::string vide;
unsigned long long derniere_version = 0;
unsigned long long nouvelle_version() { return ++derniere_version; }
} // namespace

Grille::Grille(int colonnes, int lignes)
    : colonnes_(std::max(colonnes, 0)), lignes_(std::max(lignes, 0)),
      cellules_(static_cast<std::size_t>(colonnes_) * static_cast<std::size_t>(lignes_)),
      largeurs_(static_cast<std::size_t>(colonnes_), 64), version_(nouvelle_version()) {}

void Grille::set_row_count(int n) {
    n = std::max(n, 0);
    if (n == lignes_) return;
    if (journal_.j) journal_.j->avant_lignes(*this, n);
    lignes_ = n;
    cellules_.resize(static_cast<std::size_t>(lignes_) * static_cast<std::size_t>(colonnes_));
    ligne_selectionnee_ = std::min(ligne_selectionnee_, std::max(lignes_ - 1, 0));
    signale_structure();
}

void Grille::set_col_count(int n) {
    n = std::max(n, 0);
    if (n == colonnes_) return;
    if (journal_.j) journal_.j->avant_colonnes(*this, n);
    std::vector<std::string> nouvelles(static_cast<std::size_t>(lignes_) * static_cast<std::size_t>(n));
    const int garde = std::min(n, colonnes_);
    for (int r = 0; r < lignes_; ++r)
        for (int c = 0; c < garde; ++c)
            nouvelles[static_cast<std::size_t>(r) * n + c] =
                std::move(cellules_[static_cast<std::size_t>(r) * colonnes_ + c]);
    cellules_ = std::move(nouvelles);
    colonnes_ = n;
    largeurs_.resize(static_cast<std::size_t>(n), 64);
    signale_structure();
}

void Grille::reserve_lignes(int n) {
    cellules_.reserve(static_cast<std::size_t>(std::max(n, 0)) * static_cast<std::size_t>(colonnes_));
}

void Grille::ajoute_ligne(const std::string_view* textes, int n) {
    if (journal_.j) journal_.j->avant_lignes(*this, lignes_ + 1);
    for (int c = 0; c < colonnes_; ++c) cellules_.emplace_back(c < n ? textes[c] : std::string_view());
    ++lignes_;
    signale_structure();
}

const std::string& Grille::cell(int col, int row) const {
    if (col < 0 || col >= colonnes_ || row < 0 || row >= lignes_) return vide;
    return cellules_[static_cast<std::size_t>(row) * colonnes_ + col];
}

void Grille::set_cell(int col, int row, std::string texte) {
    if (col < 0 || col >= colonnes_ || row < 0 || row >= lignes_) return;
    std::string& c = cellules_[static_cast<std::size_t>(row) * colonnes_ + col];
    if (journal_.j && c != texte) journal_.j->avant_cellule(*this, col, row);
    c = std::move(texte);
    signale(row, row);
}

void Grille::assigne_cell(int col, int row, std::string_view texte) {
    if (col < 0 || col >= colonnes_ || row < 0 || row >= lignes_) return;
    std::string& c = cellules_[static_cast<std::size_t>(row) * colonnes_ + col];
    if (journal_.j && c != texte) journal_.j->avant_cellule(*this, col, row);
    c.assign(texte);
    signale(row, row);
}

void Grille::copie_ligne(int de, int vers) {
    if (de < 0 || de >= lignes_ || vers < 0 || vers >= lignes_ || de == vers) return;
    for (int c = 0; c < colonnes_; ++c) {
        std::string& cible = cellules_[static_cast<std::size_t>(vers) * colonnes_ + c];
        const std::string& source = cellules_[static_cast<std::size_t>(de) * colonnes_ + c];
        if (journal_.j && cible != source) journal_.j->avant_cellule(*this, c, vers);
        cible = source;
    }
    signale(vers, vers);
}

void Grille::retire_lignes(int premiere, int nombre) {
    if (premiere < 0 || nombre <= 0 || premiere + nombre > lignes_) return;
    if (journal_.j) journal_.j->avant_retrait(*this, premiere, nombre);
    const auto debut = cellules_.begin() + static_cast<std::ptrdiff_t>(premiere) * colonnes_;
    cellules_.erase(debut, debut + static_cast<std::ptrdiff_t>(nombre) * colonnes_);
    lignes_ -= nombre;
    ligne_selectionnee_ = std::min(ligne_selectionnee_, std::max(lignes_ - 1, 0));
    signale_structure();
}

void Grille::insere_lignes(int premiere, int nombre) {
    if (premiere < 0 || nombre <= 0 || premiere > lignes_) return;
    if (journal_.j) journal_.j->avant_insertion(*this, premiere, nombre);
    cellules_.insert(cellules_.begin() + static_cast<std::ptrdiff_t>(premiere) * colonnes_,
                     static_cast<std::size_t>(nombre) * colonnes_, std::string());
    lignes_ += nombre;
    signale_structure();
}

void Grille::echange_lignes(int a, int b) {
    if (a < 0 || a >= lignes_ || b < 0 || b >= lignes_ || a == b) return;
    for (int c = 0; c < colonnes_; ++c) {
        if (journal_.j && cell(c, a) != cell(c, b)) {
            journal_.j->avant_cellule(*this, c, a);
            journal_.j->avant_cellule(*this, c, b);
        }
        std::swap(cellules_[static_cast<std::size_t>(a) * colonnes_ + c],
                  cellules_[static_cast<std::size_t>(b) * colonnes_ + c]);
    }
    signale(std::min(a, b), std::max(a, b));
}

void Grille::vide_ligne(int row) {
    if (row < 0 || row >= lignes_) return;
    for (int c = 0; c < colonnes_; ++c) {
        std::string& cible = cellules_[static_cast<std::size_t>(row) * colonnes_ + c];
        if (journal_.j && !cible.empty()) journal_.j->avant_cellule(*this, c, row);
        cible.clear();
    }
    signale(row, row);
}

void Grille::set_row(int row) {
    if (row < 0 || row >= lignes_) return;
    ligne_selectionnee_ = row;
    if (observateur_) observateur_->ligne_selectionnee(row);
}

int Grille::col_width(int col) const {
    if (col < 0 || col >= colonnes_) return 0;
    return largeurs_[static_cast<std::size_t>(col)];
}

void Grille::set_col_width(int col, int largeur) {
    if (col < 0 || col >= colonnes_) return;
    largeurs_[static_cast<std::size_t>(col)] = largeur;
}

void Grille::debut_lot() { ++lot_; }

void Grille::fin_lot() {
    if (lot_ == 0 || --lot_ > 0) return;
    if (!observateur_) {
        lot_premiere_ = lot_derniere_ = -1;
        lot_structure_ = false;
        return;
    }
    if (lot_structure_)
        observateur_->structure_changee();
    else if (lot_premiere_ >= 0)
        observateur_->cellules_changees(lot_premiere_, lot_derniere_);
    lot_premiere_ = lot_derniere_ = -1;
    lot_structure_ = false;
}

void Grille::signale(int premiere, int derniere) {
    version_ = nouvelle_version();
    if (!observateur_) return;
    if (lot_ > 0) {
        lot_premiere_ = lot_premiere_ < 0 ? premiere : std::min(lot_premiere_, premiere);
        lot_derniere_ = std::max(lot_derniere_, derniere);
        return;
    }
    observateur_->cellules_changees(premiere, derniere);
}

void Grille::signale_structure() {
    version_ = nouvelle_version();
    if (!observateur_) return;
    if (lot_ > 0) {
        lot_structure_ = true;
        return;
    }
    observateur_->structure_changee();
}

} // namespace vuv
