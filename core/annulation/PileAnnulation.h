#pragma once
// The undo list of a document. The three tables tell it every change (Grille::Journal) and it
// keeps, per step, only what the step overwrote, plus the counters before and after
// (EtatDocument): an undone click costs one row, not a copy of the tables.
//
// A step is what one user command does, from the start to the end of an Edition. Changes made
// outside any Edition (a cell being typed into) wait and become one step of their own, under
// the name given with nomme_attente, when the next step starts, when an undo or redo comes, or
// at valide_attente. Loading a new project or background is no step: inside a Suspension
// nothing is kept, and the list is emptied when the document changed.
//
// The saved flag follows the states the user moves between: undoing back to the state last
// saved (or loaded) sets it, any other state clears it. A save is noticed by the flag being
// set when the next step, undo or redo begins.
//
// Bounded: at most `pas` steps and `octets` bytes, the oldest dropped first.
#include "core/annulation/EtatDocument.h"
#include "core/annulation/Modifications.h"

#include <array>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace vuv {

class Document;

class PileAnnulation {
public:
    struct Limites {
        std::size_t pas = 1000;
        std::size_t octets = 64u * 1024u * 1024u;
    };

    // What happened last, for the observers.
    enum class Action { aucune, faite, annulee, retablie, videe };

    // Told after every step recorded, undone or redone, and when the list is emptied.
    class Observateur {
    public:
        virtual ~Observateur() = default;
        virtual void pile_changee() = 0;
    };

    explicit PileAnnulation(Document& d);
    PileAnnulation(Document& d, Limites limites);
    ~PileAnnulation();
    PileAnnulation(const PileAnnulation&) = delete;
    PileAnnulation& operator=(const PileAnnulation&) = delete;

    // One user command for the length of a scope; editions inside another one join it. A null
    // list makes it do nothing. `avec_attente`: the changes waiting belong to this step (the
    // calibration values typed before the recomputation they cause).
    class Edition {
    public:
        Edition(PileAnnulation* pile, std::string nom, bool avec_attente = false);
        ~Edition();
        Edition(const Edition&) = delete;
        Edition& operator=(const Edition&) = delete;
        // The name once the command knows what it did.
        void renomme(std::string nom);

    private:
        PileAnnulation* pile_;
    };

    // A save cuts the tables to their counts: what it changes joins the last step instead of
    // making one the user never asked for (a new step only when there are steps to redo).
    class Rattachement {
    public:
        explicit Rattachement(PileAnnulation* pile);
        ~Rattachement();
        Rattachement(const Rattachement&) = delete;
        Rattachement& operator=(const Rattachement&) = delete;

    private:
        PileAnnulation* pile_;
    };

    // Changes that are no step (a new project, a new background); the list is emptied when
    // the document changed meanwhile.
    class Suspension {
    public:
        explicit Suspension(PileAnnulation* pile);
        ~Suspension();
        Suspension(const Suspension&) = delete;
        Suspension& operator=(const Suspension&) = delete;

    private:
        PileAnnulation* pile_;
    };

    bool peut_annuler() const { return index_ > 0 || !enregistreur_.modifs.vide(); }
    bool peut_retablir() const { return index_ < pas_.size() && enregistreur_.modifs.vide(); }
    // The names of the next undo and redo; empty when there is none.
    std::string nom_annulation() const;
    std::string nom_retablissement() const;

    // False when there is nothing to undo or redo, or a command is under way.
    bool annuler();
    bool retablir();
    // Forgets every step (the document was replaced).
    void vide();

    // The name the waiting changes take when they become a step.
    void nomme_attente(std::string nom);
    // The waiting changes become a step now, under that name.
    void valide_attente(const std::string& nom);

    std::size_t nombre_annulations() const { return index_; }
    std::size_t nombre_retablissements() const { return pas_.size() - index_; }
    std::size_t octets() const { return octets_; }
    const Limites& limites() const { return limites_; }
    Action derniere_action() const { return derniere_; }

    void ajoute_observateur(Observateur* o);
    void retire_observateur(Observateur* o);

    // Per table, the first row changed since the last call (recorded, undone, redone or not
    // recorded at all), aucune_ligne when none; a change of columns or of the whole document
    // gives 0. Rows from there to the end are all a journal of the edits needs to write.
    static constexpr int aucune_ligne = 0x7fffffff;
    std::array<int, 3> prend_lignes_touchees();

private:
    struct Pas {
        std::string nom;
        Modifications modifs;
        EtatDocument avant, apres;
        std::size_t octets = 0;
        std::size_t mesure() const;
    };

    // What the three tables tell while they change.
    class Enregistreur final : public Grille::Journal {
    public:
        explicit Enregistreur(PileAnnulation& pile) : pile_(pile) {}
        void avant_cellule(const Grille& g, int col, int row) override;
        void avant_lignes(const Grille& g, int nombre) override;
        void avant_colonnes(const Grille& g, int nombre) override;
        void avant_retrait(const Grille& g, int premiere, int nombre) override;
        void avant_insertion(const Grille& g, int premiere, int nombre) override;
        // A new step: nothing recorded, no row known as added.
        void recommence();

        Modifications modifs;
        bool actif = true;
        std::array<int, 3> touchees{aucune_ligne, aucune_ligne, aucune_ligne};

    private:
        void touche(const Grille& g, int row);
        // The table's index, and a first change of this step noticed.
        int indice(const Grille& g);
        // Rows at or past it were added during this step: their texts need no record, the
        // growth that made them keeps them when it is undone.
        int plancher_[3] = {0, 0, 0};
        bool touchee_[3] = {false, false, false};
        PileAnnulation& pile_;
    };

    void commence(bool avec_attente);
    void termine();
    void suspend();
    void reprend();
    void rattache();
    // The waiting changes become a step under nom_attente_; nothing waiting: the counters
    // as they are become the starting point.
    void clot_attente();
    void clot(const std::string& nom, bool edition);
    void constate_sauve();
    bool propre(std::size_t i) const { return propre_ && i >= propre_debut_ && i <= propre_fin_; }
    void rejoue(Pas& p, bool annuler);
    void retire_premier();
    void respecte_limites();
    void signale(Action a);
    Modifications::Grilles grilles();

    Document& d_;
    Limites limites_;
    Enregistreur enregistreur_;
    std::deque<std::unique_ptr<Pas>> pas_;
    std::size_t index_ = 0; // pas_[0, index_) can be undone, the rest redone
    std::size_t octets_ = 0;
    EtatDocument base_;     // the counters when the waiting changes began
    std::string nom_attente_;
    std::string nom_edition_;
    int profondeur_ = 0;
    int suspension_ = 0;
    unsigned long long versions_suspension_[3] = {0, 0, 0};
    EtatDocument etat_suspension_;
    // States propre_debut_ .. propre_fin_ are the one last saved (steps that left the flag
    // set join it).
    bool propre_ = false;
    std::size_t propre_debut_ = 0, propre_fin_ = 0;
    Action derniere_ = Action::aucune;
    std::vector<Observateur*> observateurs_;
};

} // namespace vuv
