#include "core/annulation/PileAnnulation.h"

#include "core/annulation/NomsEditions.h"
#include "core/document/Document.h"

#include <algorithm>

namespace vuv {

// --- Recording ---

int PileAnnulation::Enregistreur::indice(const Grille& g) {
    Document& d = pile_.d_;
    const int i = &g == &d.StringGrid1 ? 0 : &g == &d.StringGrid2 ? 1 : 2;
    if (modifs.vide()) pile_.constate_sauve();
    // What the tables hold is what a save writes (its own cutting of the tables keeps the
    // flag): any change leaves the work unsaved.
    d.sauve = false;
    if (!touchee_[i]) {
        touchee_[i] = true;
        plancher_[i] = g.row_count();
    }
    return i;
}

void PileAnnulation::Enregistreur::touche(const Grille& g, int row) {
    const Document& d = pile_.d_;
    const std::size_t i = &g == &d.StringGrid1 ? 0 : &g == &d.StringGrid2 ? 1 : 2;
    touchees[i] = std::min(touchees[i], std::max(row, 0));
}

void PileAnnulation::Enregistreur::avant_cellule(const Grille& g, int col, int row) {
    touche(g, row);
    if (!actif) return;
    const int i = indice(g);
    if (row >= plancher_[i] || modifs.derniere_est_cellule(i, col, row)) return;
    modifs.cellule(i, col, row, g.cell(col, row));
}

void PileAnnulation::Enregistreur::avant_lignes(const Grille& g, int nombre) {
    touche(g, std::min(nombre, g.row_count()));
    if (!actif) return;
    const int i = indice(g);
    plancher_[i] = std::min(plancher_[i], nombre);
    modifs.lignes(i, g, nombre);
}

void PileAnnulation::Enregistreur::avant_colonnes(const Grille& g, int nombre) {
    touche(g, 0);
    if (!actif) return;
    modifs.colonnes(indice(g), g, nombre);
}

void PileAnnulation::Enregistreur::avant_retrait(const Grille& g, int premiere, int nombre) {
    touche(g, premiere);
    if (!actif) return;
    const int i = indice(g);
    plancher_[i] = std::min(plancher_[i], g.row_count() - nombre);
    modifs.retrait(i, g, premiere, nombre);
}

void PileAnnulation::Enregistreur::avant_insertion(const Grille& g, int premiere, int nombre) {
    touche(g, premiere);
    if (!actif) return;
    const int i = indice(g);
    // The rows pushed down were there before: only those past them are new.
    if (premiere < plancher_[i]) plancher_[i] += nombre;
    modifs.insertion(i, premiere, nombre);
}

void PileAnnulation::Enregistreur::recommence() {
    modifs.efface();
    std::fill(std::begin(touchee_), std::end(touchee_), false);
}

// --- The list ---

std::size_t PileAnnulation::Pas::mesure() const { return sizeof(Pas) + nom.capacity() + modifs.octets(); }

PileAnnulation::PileAnnulation(Document& d) : PileAnnulation(d, Limites{}) {}

PileAnnulation::PileAnnulation(Document& d, Limites limites)
    : d_(d), limites_(limites), enregistreur_(*this), base_(EtatDocument::de(d)), nom_attente_(noms_editions::modification) {
    for (Grille* g : grilles()) g->set_journal(&enregistreur_);
}

PileAnnulation::~PileAnnulation() {
    for (Grille* g : grilles()) g->set_journal(nullptr);
}

Modifications::Grilles PileAnnulation::grilles() { return {&d_.StringGrid1, &d_.StringGrid2, &d_.StringGrid3}; }

std::string PileAnnulation::nom_annulation() const {
    if (!enregistreur_.modifs.vide()) return nom_attente_;
    return index_ > 0 ? pas_[index_ - 1]->nom : std::string();
}

std::string PileAnnulation::nom_retablissement() const {
    return peut_retablir() ? pas_[index_]->nom : std::string();
}

void PileAnnulation::ajoute_observateur(Observateur* o) {
    if (o && std::find(observateurs_.begin(), observateurs_.end(), o) == observateurs_.end())
        observateurs_.push_back(o);
}

void PileAnnulation::retire_observateur(Observateur* o) {
    observateurs_.erase(std::remove(observateurs_.begin(), observateurs_.end(), o), observateurs_.end());
}

std::array<int, 3> PileAnnulation::prend_lignes_touchees() {
    const std::array<int, 3> r = enregistreur_.touchees;
    enregistreur_.touchees.fill(aucune_ligne);
    return r;
}

void PileAnnulation::signale(Action a) {
    derniere_ = a;
    // An observer may leave during the call.
    const std::vector<Observateur*> tous = observateurs_;
    for (Observateur* o : tous)
        if (std::find(observateurs_.begin(), observateurs_.end(), o) != observateurs_.end()) o->pile_changee();
}

void PileAnnulation::constate_sauve() {
    if (d_.sauve && !propre(index_)) {
        propre_ = true;
        propre_debut_ = propre_fin_ = index_;
    }
}

void PileAnnulation::nomme_attente(std::string nom) { nom_attente_ = std::move(nom); }

void PileAnnulation::valide_attente(const std::string& nom) {
    if (profondeur_ > 0 || suspension_ > 0) return;
    nom_attente_ = nom;
    clot_attente();
}

void PileAnnulation::clot_attente() {
    if (enregistreur_.modifs.vide()) {
        base_ = EtatDocument::de(d_);
        enregistreur_.recommence();
    } else {
        clot(nom_attente_, false);
    }
    nom_attente_ = noms_editions::modification;
}

void PileAnnulation::clot(const std::string& nom, bool edition) {
    const EtatDocument apres = EtatDocument::de(d_);
    Modifications& m = enregistreur_.modifs;
    if ((m.vide() || m.sans_effet(grilles())) && meme_contenu(base_, apres)) {
        base_ = apres;
        enregistreur_.recommence();
        return;
    }
    // The counts decide which rows a save writes (a new line, a new calibration).
    if (base_.nb_points != apres.nb_points || base_.num_ligne != apres.num_ligne || base_.nb_calage != apres.nb_calage)
        d_.sauve = false;
    auto p = std::make_unique<Pas>();
    p->nom = nom;
    p->modifs = std::move(m);
    p->avant = base_;
    p->apres = apres;
    p->octets = p->mesure();
    enregistreur_.recommence();
    base_ = apres;

    // A new step after undoing: the steps undone are gone.
    while (pas_.size() > index_) {
        octets_ -= pas_.back()->octets;
        pas_.pop_back();
    }
    if (propre_ && propre_debut_ > index_) propre_ = false;
    if (propre_) propre_fin_ = std::min(propre_fin_, index_);
    // A command that left the flag set changed nothing the file cares about; typed changes
    // clear it at once, so for them a set flag means a save came since.
    const bool neutre = edition && propre_ && propre_fin_ == index_;

    octets_ += p->octets;
    pas_.push_back(std::move(p));
    ++index_;
    if (d_.sauve) {
        if (neutre) {
            propre_fin_ = index_;
        } else {
            propre_ = true;
            propre_debut_ = propre_fin_ = index_;
        }
    }
    respecte_limites();
    signale(Action::faite);
}

void PileAnnulation::rejoue(Pas& p, bool annuler) {
    enregistreur_.actif = false;
    {
        Grille::Lot l1(d_.StringGrid1), l2(d_.StringGrid2), l3(d_.StringGrid3);
        p.modifs.rejoue(grilles(), annuler);
        (annuler ? p.avant : p.apres).applique(d_);
    }
    (annuler ? p.avant : p.apres).choisit_lignes(d_);
    enregistreur_.actif = true;
    octets_ -= p.octets;
    p.octets = p.mesure();
    octets_ += p.octets;
}

bool PileAnnulation::annuler() {
    if (profondeur_ > 0 || suspension_ > 0) return false;
    clot_attente();
    if (index_ == 0) return false;
    constate_sauve();
    rejoue(*pas_[index_ - 1], true);
    --index_;
    d_.sauve = propre(index_);
    base_ = EtatDocument::de(d_);
    respecte_limites();
    signale(Action::annulee);
    return true;
}

bool PileAnnulation::retablir() {
    if (profondeur_ > 0 || suspension_ > 0) return false;
    clot_attente();
    if (index_ >= pas_.size()) return false;
    constate_sauve();
    rejoue(*pas_[index_], false);
    ++index_;
    d_.sauve = propre(index_);
    base_ = EtatDocument::de(d_);
    respecte_limites();
    signale(Action::retablie);
    return true;
}

void PileAnnulation::retire_premier() {
    octets_ -= pas_.front()->octets;
    pas_.pop_front();
    --index_;
    if (!propre_) return;
    if (propre_fin_ == 0) {
        propre_ = false;
        return;
    }
    if (propre_debut_ > 0) --propre_debut_;
    --propre_fin_;
}

void PileAnnulation::respecte_limites() {
    while (!pas_.empty() && (pas_.size() > limites_.pas || octets_ > limites_.octets)) {
        if (index_ > 0) {
            retire_premier();
        } else {
            // Only redo steps are left: the farthest goes first.
            octets_ -= pas_.back()->octets;
            pas_.pop_back();
        }
    }
}

void PileAnnulation::vide() {
    pas_.clear();
    index_ = 0;
    octets_ = 0;
    propre_ = false;
    enregistreur_.recommence();
    base_ = EtatDocument::de(d_);
    nom_attente_ = noms_editions::modification;
    signale(Action::videe);
}

// --- Editions and suspensions ---

void PileAnnulation::commence(bool avec_attente) {
    if (profondeur_++ > 0) return;
    if (!avec_attente) clot_attente();
    if (enregistreur_.modifs.vide()) {
        constate_sauve();
        base_ = EtatDocument::de(d_);
    }
}

void PileAnnulation::termine() {
    if (--profondeur_ > 0) return;
    clot(nom_edition_, true);
}

void PileAnnulation::suspend() {
    if (suspension_++ > 0) return;
    if (profondeur_ == 0) clot_attente();
    const Modifications::Grilles g = grilles();
    for (int i = 0; i < 3; ++i) versions_suspension_[i] = g[static_cast<std::size_t>(i)]->version();
    etat_suspension_ = EtatDocument::de(d_);
    enregistreur_.actif = false;
}

void PileAnnulation::reprend() {
    if (--suspension_ > 0) return;
    enregistreur_.actif = true;
    const Modifications::Grilles g = grilles();
    bool change = !meme_contenu(etat_suspension_, EtatDocument::de(d_));
    for (int i = 0; i < 3; ++i) change = change || versions_suspension_[i] != g[static_cast<std::size_t>(i)]->version();
    if (change) vide();
}

PileAnnulation::Edition::Edition(PileAnnulation* pile, std::string nom, bool avec_attente) : pile_(pile) {
    if (!pile_ || pile_->suspension_ > 0) {
        pile_ = nullptr;
        return;
    }
    if (pile_->profondeur_ == 0) pile_->nom_edition_ = std::move(nom);
    pile_->commence(avec_attente);
}

PileAnnulation::Edition::~Edition() {
    if (!pile_) return;
    try {
        pile_->termine();
    } catch (...) {
        // No memory left to keep the step: an undo could no longer trust the list.
        pile_->profondeur_ = 0;
        pile_->vide();
    }
}

void PileAnnulation::Edition::renomme(std::string nom) {
    if (pile_) pile_->nom_edition_ = std::move(nom);
}

void PileAnnulation::rattache() {
    if (profondeur_ > 0 || suspension_ > 0 || enregistreur_.modifs.vide()) return;
    if (index_ < pas_.size()) {
        clot_attente();
        return;
    }
    if (index_ > 0) {
        Pas& p = *pas_[index_ - 1];
        p.modifs.ajoute(std::move(enregistreur_.modifs));
        p.apres = EtatDocument::de(d_);
        octets_ -= p.octets;
        p.octets = p.mesure();
        octets_ += p.octets;
    }
    // With no step at all the changes simply become the starting point.
    enregistreur_.recommence();
    base_ = EtatDocument::de(d_);
    nom_attente_ = noms_editions::modification;
    respecte_limites();
}

PileAnnulation::Rattachement::Rattachement(PileAnnulation* pile) : pile_(pile) {
    // Typing still open is a step of its own, not part of the save.
    if (pile_ && pile_->profondeur_ == 0 && pile_->suspension_ == 0) pile_->clot_attente();
}

PileAnnulation::Rattachement::~Rattachement() {
    if (pile_) pile_->rattache();
}

PileAnnulation::Suspension::Suspension(PileAnnulation* pile) : pile_(pile) {
    if (pile_) pile_->suspend();
}

PileAnnulation::Suspension::~Suspension() {
    if (pile_) pile_->reprend();
}

} // namespace vuv
