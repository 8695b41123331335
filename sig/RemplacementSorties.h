#pragma once
// An export's files replace the previous ones as a set. They are written in a hidden folder
// beside the target, checked, synced, then moved in under a record of the moves: an export
// killed while moving is completed by the next export into that folder, which also removes
// the folders of runs that died before moving anything. A run holds a lock on its folder for
// its life, so a live run's folder is never taken for a dead one's.
#include <string>
#include <vector>

namespace vuv::sig {

class DossierExport {
public:
    // Tidies `dossier` of dead runs first. Throws ErreurFichier when nothing can be written there.
    explicit DossierExport(const std::string& dossier);
    ~DossierExport(); // removes the folder and what it still holds
    DossierExport(const DossierExport&) = delete;
    DossierExport& operator=(const DossierExport&) = delete;

    const std::string& chemin() const { return chemin_; }
    // The files written in the folder, by name, without the journals a database leaves.
    std::vector<std::string> ecrits() const;

    // Moves every written file into the target folder and removes `a_retirer` (old files of
    // the set that this one no longer has, by name), as described above. Throws ErreurFichier.
    void remplace(const std::vector<std::string>& a_retirer);

private:
    std::string dossier_, chemin_;
    int verrou_ = -1;
};

// Completes the switch a dead run began, or removes what it wrote, for every leftover folder.
void range_exports_morts(const std::string& dossier);

} // namespace vuv::sig
