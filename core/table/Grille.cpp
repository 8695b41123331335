#include "core/table/Grille.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace vuv {
namespace {
unsigned long long derniere_version = 0;
unsigned long long nouvelle_version() { return ++derniere_version; }
} // namespace

namespace {

constexpr std::size_t entete_bloc = 3; // the width byte and the column count

std::size_t largeur_fins(const char* b) { return b[0] ? 4 : 2; }

int colonnes_bloc(const char* b) {
    std::uint16_t n;
    std::memcpy(&n, b + 1, 2);
    return n;
}

std::uint32_t fin(const char* fins, bool large, int col) {
    if (large) {
        std::uint32_t v;
        std::memcpy(&v, fins + 4 * static_cast<std::size_t>(col), 4);
        return v;
    }
    std::uint16_t v;
    std::memcpy(&v, fins + 2 * static_cast<std::size_t>(col), 2);
    return v;
}

std::size_t taille_bloc(const char* b) {
    const int colonnes = colonnes_bloc(b);
    return entete_bloc + largeur_fins(b) * static_cast<std::size_t>(colonnes) +
           (colonnes > 0 ? fin(b + entete_bloc, b[0] != 0, colonnes - 1) : 0);
}

} // namespace

Grille::Bloc::Bloc(const Bloc& o) {
    if (!o.p_) return;
    const std::size_t n = taille_bloc(o.p_.get());
    p_ = std::make_unique_for_overwrite<char[]>(n);
    std::memcpy(p_.get(), o.p_.get(), n);
}

Grille::Bloc& Grille::Bloc::operator=(const Bloc& o) {
    if (this != &o) *this = Bloc(o);
    return *this;
}

Grille::Rangee::Rangee(const char* bloc, int colonnes, bool valide) : colonnes_(colonnes), valide_(valide) {
    if (!bloc) return;
    colonnes_ = colonnes_bloc(bloc);
    large_ = bloc[0] != 0;
    fins_ = bloc + entete_bloc;
    textes_ = fins_ + largeur_fins(bloc) * static_cast<std::size_t>(colonnes_);
}

std::string_view Grille::Rangee::operator[](int col) const {
    if (!fins_ || col < 0 || col >= colonnes_) return {};
    const std::uint32_t debut = col == 0 ? 0 : fin(fins_, large_, col - 1);
    return {textes_ + debut, fin(fins_, large_, col) - debut};
}

Grille::Bloc Grille::bloc(const std::string_view* textes, int n, int colonnes) {
    n = std::clamp(n, 0, colonnes);
    std::size_t total = 0;
    for (int c = 0; c < n; ++c) total += textes[c].size();
    if (total == 0) return {};
    const bool large = total > 0xFFFF;
    const std::size_t w = large ? 4 : 2;
    const std::size_t debut_textes = entete_bloc + w * static_cast<std::size_t>(colonnes);
    auto b = std::make_unique_for_overwrite<char[]>(debut_textes + total);
    b[0] = large ? 1 : 0;
    const auto nc = static_cast<std::uint16_t>(colonnes);
    std::memcpy(b.get() + 1, &nc, 2);
    std::size_t pos = 0;
    for (int c = 0; c < colonnes; ++c) {
        if (c < n && !textes[c].empty()) {
            std::memcpy(b.get() + debut_textes + pos, textes[c].data(), textes[c].size());
            pos += textes[c].size();
        }
        char* f = b.get() + entete_bloc + w * static_cast<std::size_t>(c);
        if (large) {
            const auto v = static_cast<std::uint32_t>(pos);
            std::memcpy(f, &v, 4);
        } else {
            const auto v = static_cast<std::uint16_t>(pos);
            std::memcpy(f, &v, 2);
        }
    }
    return Bloc(std::move(b));
}

Grille::Grille(int colonnes, int lignes)
    : colonnes_(std::clamp(colonnes, 0, 0xFFFF)), lignes_(std::max(lignes, 0)), rangs_(static_cast<std::size_t>(lignes_)),
      largeurs_(static_cast<std::size_t>(colonnes_), 64), version_(nouvelle_version()) {}

void Grille::set_row_count(int n) {
    n = std::max(n, 0);
    if (n == lignes_) return;
    if (journal_.j) journal_.j->avant_lignes(*this, n);
    lignes_ = n;
    rangs_.resize(static_cast<std::size_t>(lignes_));
    ligne_selectionnee_ = std::min(ligne_selectionnee_, std::max(lignes_ - 1, 0));
    signale_structure();
}

void Grille::set_col_count(int n) {
    n = std::clamp(n, 0, 0xFFFF); // a row block counts its columns in 16 bits
    if (n == colonnes_) return;
    if (journal_.j) journal_.j->avant_colonnes(*this, n);
    const int garde = std::min(n, colonnes_);
    vues_.resize(static_cast<std::size_t>(std::max(garde, 1)));
    for (auto& r : rangs_) {
        if (!r.get()) continue;
        const Rangee l(r.get(), colonnes_, true);
        for (int c = 0; c < garde; ++c) vues_[static_cast<std::size_t>(c)] = l[c];
        r = bloc(vues_.data(), garde, n);
    }
    colonnes_ = n;
    largeurs_.resize(static_cast<std::size_t>(n), 64);
    signale_structure();
}

void Grille::reserve_lignes(int n) { rangs_.reserve(static_cast<std::size_t>(std::max(n, 0))); }

void Grille::ajoute_ligne(const std::string_view* textes, int n) {
    if (journal_.j) journal_.j->avant_lignes(*this, lignes_ + 1);
    rangs_.push_back(bloc(textes, n, colonnes_));
    ++lignes_;
    signale_structure();
}

std::string_view Grille::cell(int col, int row) const {
    if (col < 0 || col >= colonnes_ || row < 0 || row >= lignes_) return {};
    return Rangee(rangs_[static_cast<std::size_t>(row)].get(), colonnes_, true)[col];
}

void Grille::set_cell(int col, int row, std::string_view texte) {
    if (col < 0 || col >= colonnes_ || row < 0 || row >= lignes_) return;
    auto& r = rangs_[static_cast<std::size_t>(row)];
    vues_.resize(static_cast<std::size_t>(colonnes_));
    const Rangee l(r.get(), colonnes_, true);
    for (int c = 0; c < colonnes_; ++c) vues_[static_cast<std::size_t>(c)] = l[c];
    if (vues_[static_cast<std::size_t>(col)] == texte) {
        signale(row, row);
        return;
    }
    if (journal_.j) journal_.j->avant_cellule(*this, col, row);
    vues_[static_cast<std::size_t>(col)] = texte;
    // Built before the old block goes: the text may be a view into it.
    r = bloc(vues_.data(), colonnes_, colonnes_);
    signale(row, row);
}

void Grille::affecte_ligne(int row, const std::string_view* textes, int n) {
    if (row < 0 || row >= lignes_) return;
    if (journal_.j) journal_cellules_changees(row, [&](int c) { return c < n ? textes[c] : std::string_view(); });
    rangs_[static_cast<std::size_t>(row)] = bloc(textes, n, colonnes_);
    signale(row, row);
}

void Grille::copie_ligne(int de, int vers) {
    if (de < 0 || de >= lignes_ || vers < 0 || vers >= lignes_ || de == vers) return;
    if (journal_.j) {
        const Rangee source = ligne(de);
        journal_cellules_changees(vers, [&](int c) { return source[c]; });
    }
    rangs_[static_cast<std::size_t>(vers)] = rangs_[static_cast<std::size_t>(de)];
    signale(vers, vers);
}

void Grille::retire_lignes(int premiere, int nombre) {
    if (premiere < 0 || nombre <= 0 || premiere + nombre > lignes_) return;
    if (journal_.j) journal_.j->avant_retrait(*this, premiere, nombre);
    const auto debut = rangs_.begin() + premiere;
    rangs_.erase(debut, debut + nombre);
    lignes_ -= nombre;
    ligne_selectionnee_ = std::min(ligne_selectionnee_, std::max(lignes_ - 1, 0));
    signale_structure();
}

void Grille::insere_lignes(int premiere, int nombre) {
    if (premiere < 0 || nombre <= 0 || premiere > lignes_) return;
    if (journal_.j) journal_.j->avant_insertion(*this, premiere, nombre);
    rangs_.insert(rangs_.begin() + premiere, static_cast<std::size_t>(nombre), Bloc());
    lignes_ += nombre;
    signale_structure();
}

void Grille::echange_lignes(int a, int b) {
    if (a < 0 || a >= lignes_ || b < 0 || b >= lignes_ || a == b) return;
    if (journal_.j)
        for (int c = 0; c < colonnes_; ++c)
            if (cell(c, a) != cell(c, b)) {
                journal_.j->avant_cellule(*this, c, a);
                journal_.j->avant_cellule(*this, c, b);
            }
    std::swap(rangs_[static_cast<std::size_t>(a)], rangs_[static_cast<std::size_t>(b)]);
    signale(std::min(a, b), std::max(a, b));
}

void Grille::vide_ligne(int row) {
    if (row < 0 || row >= lignes_) return;
    if (journal_.j) journal_cellules_changees(row, [](int) { return std::string_view(); });
    rangs_[static_cast<std::size_t>(row)].reset();
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
