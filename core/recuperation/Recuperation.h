#pragma once
// Recovery after a crash. While the work is unsaved it is kept in a file of this program's own
// in the recovery folder, never over the user's project: a full copy through the project writer
// and the safe write, then each edit appended to it as it happens (Journal.h), and a new full
// copy on the timer. The file and its lock carry one name per program: a file whose lock is
// free was left by a program that did not end cleanly, and is offered back at the next start
// to the same user.
#include "core/annulation/PileAnnulation.h"
#include "core/recuperation/FichierRecuperation.h"
#include "core/recuperation/Verrou.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vuv {

class Document;

// A file left by a program that is no longer running. Its lock is held while this object
// lives, so no other program starting at the same time offers it too.
class RecuperationAbandonnee {
public:
    const std::string& fichier() const { return fichier_; }
    // The date its last lines give once read, else the file's modification time.
    std::time_t date() const { return date_; }
    const PiedRecuperation& pied() const { return pied_; }

    // Reads the file and checks it as a project is read (its last lines, version, then the whole
    // project into a scratch document, its journal replayed). On failure the reader's messages
    // have been shown, the file is set aside under the name they give, and false is returned.
    bool verifie(const std::string& version);
    // The project bytes, journal included, once verifie() succeeded.
    std::string_view octets_projet() const { return std::string_view(octets_).substr(0, taille_projet_); }
    // The name the file is kept under when set aside: "<name>.illisible".
    std::string nom_mis_de_cote() const;

    // The file and its lock deleted: the offer was declined, or the work taken over.
    void efface();
    // Renamed to nom_mis_de_cote(); false when it could not be.
    bool met_de_cote();

private:
    friend class Recuperation;
    std::string fichier_;
    Verrou verrou_;
    std::time_t date_ = 0;
    PiedRecuperation pied_;
    std::string octets_;
    std::size_t taille_projet_ = 0;
};

class Recuperation : private PileAnnulation::Observateur {
public:
    // `dossier`: the recovery folder (dossier_recuperation()); `version`: the program's.
    Recuperation(Document& d, std::string dossier, std::string version);
    // A clean end: this program's file and lock are deleted.
    ~Recuperation() override;
    Recuperation(const Recuperation&) = delete;
    Recuperation& operator=(const Recuperation&) = delete;

    // Creates the folder and this program's lock. False when the folder cannot be written:
    // `message` then says so in French, and recovery stays off for this run.
    bool demarre(std::string& message);
    bool active() const { return verrou_.tenu(); }
    // This program's recovery file (present only while unsaved work has been written).
    const std::string& fichier() const { return fichier_; }

    // What a save would write, asked of the windows at each write: the project the work came
    // from, and whether the image line is written.
    std::function<std::string()> projet;
    std::function<bool()> avec_fond;

    // The document's undo list, which says which rows each edit changed: without it every
    // edit writes a full copy. It must outlive this object.
    void suit(PileAnnulation& pile);

    // A look at the document, cheap enough for every input event and done after every undo
    // step: a change since the last look goes to the journal at once (a full copy when there
    // is none yet, or the change is not one of the tables and counters), and a clean save
    // deletes the file.
    void suit_document();
    // The periodic write: a full copy in place of the journal, when unsaved and changed.
    void echeance();
    // A full copy now, when recovery is on; false when it could not (the previous file stays).
    bool ecrit();

    // Files of programs no longer running, newest first, each locked for the caller.
    std::vector<RecuperationAbandonnee> abandonnees() const;

private:
    // What changes with every edit of the work, read in a few steps.
    struct Empreinte {
        std::uint64_t points = 0, calage = 0, lignes = 0;
        int nb_points = 0, num_ligne = 0, nb_calage = 0;
        int dx0 = 0, dy0 = 0, largeur = 0, hauteur = 0;
        std::string image, systeme;
        bool operator==(const Empreinte&) const = default;
    };
    Empreinte empreinte() const;
    void pile_changee() override { suit_document(); }
    // The change since the last write appended to the file; false when it needs a full copy.
    bool journalise(const Empreinte& e);
    bool ajoute(const std::string& enregistrement);
    void ferme_journal();
    void efface_fichier();

    Document& d_;
    PileAnnulation* pile_ = nullptr;
    std::string dossier_;
    std::string version_;
    std::string fichier_;
    Verrou verrou_;
    bool ecrit_ = false;  // the file exists
    int journal_ = -1;    // the file open for appending, after a full copy
    std::size_t taille_copie_ = 0, taille_journal_ = 0;
    Empreinte ecrite_;    // at the last write, or the last attempt
};

} // namespace vuv
