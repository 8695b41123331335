#include "core/annulation/Modifications.h"

#include <algorithm>

namespace vuv {

std::string_view Modifications::Textes::texte(std::size_t i) const {
    const std::size_t debut = i == 0 ? 0 : fins[i - 1];
    return std::string_view(caracteres).substr(debut, fins[i] - debut);
}

void Modifications::Textes::ajoute(std::string_view t) {
    caracteres.append(t);
    fins.push_back(caracteres.size());
}

void Modifications::Textes::ajoute_lignes(const Grille& g, int premiere, int fin) {
    for (int r = premiere; r < fin; ++r)
        if (const Grille::Rangee ligne = g.ligne(r))
            for (int c = 0; c < g.col_count(); ++c) ajoute(ligne[c]);
}

void Modifications::Textes::ajoute_colonnes(const Grille& g, int premiere, int fin) {
    for (int r = 0; r < g.row_count(); ++r)
        for (int c = premiere; c < fin; ++c) ajoute(g.cell(c, r));
}

Modifications::Entree& Modifications::nouvelle(Genre genre, int g, int a, int b) {
    Entree& e = entrees_.emplace_back();
    e.genre = genre;
    e.grille = static_cast<std::uint8_t>(g);
    e.a = a;
    e.b = b;
    e.premier_texte = textes_.nombre();
    return e;
}

void Modifications::cellule(int g, int col, int row, std::string_view ancien) {
    Entree& e = nouvelle(Genre::cellule, g, col, row);
    textes_.ajoute(ancien);
    e.nombre_textes = 1;
}

void Modifications::lignes(int g, const Grille& grille, int nombre) {
    const int avant = grille.row_count();
    if (nombre >= avant && !entrees_.empty()) {
        // Rows added one by one make one growth.
        Entree& d = entrees_.back();
        if (d.genre == Genre::lignes && d.grille == g && d.b == avant && d.b > d.a) {
            d.b = nombre;
            return;
        }
    }
    Entree& e = nouvelle(Genre::lignes, g, avant, nombre);
    if (nombre < avant) {
        textes_.ajoute_lignes(grille, nombre, avant);
        e.nombre_textes = static_cast<std::uint32_t>(textes_.nombre() - e.premier_texte);
    }
}

void Modifications::colonnes(int g, const Grille& grille, int nombre) {
    const int avant = grille.col_count();
    Entree& e = nouvelle(Genre::colonnes, g, avant, nombre);
    if (nombre < avant) {
        textes_.ajoute_colonnes(grille, nombre, avant);
        e.nombre_textes = static_cast<std::uint32_t>(textes_.nombre() - e.premier_texte);
    }
}

void Modifications::retrait(int g, const Grille& grille, int premiere, int nombre) {
    Entree& e = nouvelle(Genre::retrait, g, premiere, nombre);
    textes_.ajoute_lignes(grille, premiere, premiere + nombre);
    e.nombre_textes = static_cast<std::uint32_t>(textes_.nombre() - e.premier_texte);
}

void Modifications::insertion(int g, int premiere, int nombre) { nouvelle(Genre::insertion, g, premiere, nombre); }

bool Modifications::derniere_est_cellule(int g, int col, int row) const {
    if (entrees_.empty()) return false;
    const Entree& e = entrees_.back();
    return e.genre == Genre::cellule && e.grille == g && e.a == col && e.b == row;
}

void Modifications::remplit_lignes(Grille& g, int premiere, int fin, const Entree& e) const {
    std::size_t i = e.premier_texte;
    const std::size_t bout = e.premier_texte + e.nombre_textes;
    for (int r = premiere; r < fin; ++r)
        for (int c = 0; c < g.col_count(); ++c, ++i) {
            if (i >= bout) return;
            g.set_cell(c, r, std::string(textes_.texte(i)));
        }
}

void Modifications::remplit_colonnes(Grille& g, int premiere, int fin, const Entree& e) const {
    std::size_t i = e.premier_texte;
    const std::size_t bout = e.premier_texte + e.nombre_textes;
    for (int r = 0; r < g.row_count(); ++r)
        for (int c = premiere; c < fin; ++c, ++i) {
            if (i >= bout) return;
            g.set_cell(c, r, std::string(textes_.texte(i)));
        }
}

void Modifications::bascule(Entree& e, Grille& g, bool annuler, Textes& nouveaux) const {
    const std::size_t debut = nouveaux.nombre();
    // A growth recorded before its rows were written holds no texts yet: they stay empty.
    switch (e.genre) {
    case Genre::cellule:
        nouveaux.ajoute(g.cell(e.a, e.b));
        g.set_cell(e.a, e.b, std::string(textes_.texte(e.premier_texte)));
        break;
    case Genre::lignes:
    case Genre::colonnes: {
        const bool lignes = e.genre == Genre::lignes;
        const int de = annuler ? e.b : e.a, vers = annuler ? e.a : e.b;
        if (vers < de) {
            if (lignes) {
                nouveaux.ajoute_lignes(g, vers, de);
                g.set_row_count(vers);
            } else {
                nouveaux.ajoute_colonnes(g, vers, de);
                g.set_col_count(vers);
            }
        } else if (lignes) {
            g.set_row_count(vers);
            remplit_lignes(g, de, vers, e);
        } else {
            g.set_col_count(vers);
            remplit_colonnes(g, de, vers, e);
        }
        break;
    }
    case Genre::retrait:
    case Genre::insertion:
        if ((e.genre == Genre::retrait) != annuler) {
            nouveaux.ajoute_lignes(g, e.a, e.a + e.b);
            g.retire_lignes(e.a, e.b);
        } else {
            g.insere_lignes(e.a, e.b);
            remplit_lignes(g, e.a, e.a + e.b, e);
        }
        break;
    }
    e.premier_texte = debut;
    e.nombre_textes = static_cast<std::uint32_t>(nouveaux.nombre() - debut);
}

void Modifications::rejoue(const Grilles& grilles, bool annuler) {
    Textes nouveaux;
    nouveaux.caracteres.reserve(textes_.caracteres.size());
    nouveaux.fins.reserve(textes_.fins.size());
    if (annuler) {
        for (auto e = entrees_.rbegin(); e != entrees_.rend(); ++e) bascule(*e, *grilles[e->grille], true, nouveaux);
    } else {
        for (Entree& e : entrees_) bascule(e, *grilles[e.grille], false, nouveaux);
    }
    textes_ = std::move(nouveaux);
}

bool Modifications::sans_effet(const Grilles& grilles) const {
    constexpr std::size_t court = 64;
    if (entrees_.size() > court) return false;
    for (std::size_t i = 0; i < entrees_.size(); ++i) {
        const Entree& e = entrees_[i];
        if (e.genre != Genre::cellule) return false;
        const bool deja_vue = std::any_of(entrees_.begin(), entrees_.begin() + static_cast<std::ptrdiff_t>(i),
                                          [&](const Entree& p) { return p.grille == e.grille && p.a == e.a && p.b == e.b; });
        if (!deja_vue && grilles[e.grille]->cell(e.a, e.b) != textes_.texte(e.premier_texte)) return false;
    }
    return true;
}

void Modifications::ajoute(Modifications&& suite) {
    const std::size_t decalage = textes_.nombre();
    const std::size_t caracteres = textes_.caracteres.size();
    for (Entree e : suite.entrees_) {
        e.premier_texte += decalage;
        entrees_.push_back(e);
    }
    textes_.caracteres += suite.textes_.caracteres;
    for (std::size_t f : suite.textes_.fins) textes_.fins.push_back(f + caracteres);
    suite.efface();
}

std::size_t Modifications::octets() const {
    return entrees_.capacity() * sizeof(Entree) + textes_.caracteres.capacity() +
           textes_.fins.capacity() * sizeof(std::size_t);
}

void Modifications::efface() {
    entrees_.clear();
    textes_ = Textes{};
}

} // namespace vuv
