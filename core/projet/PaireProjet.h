#pragma once
// The record that ties a project to its coordinate-system side file: "<base>.paire" holds the
// sum and size of the ".trl" and of the ".prj" (or says there is none), written with them and
// renamed over the old record after both. A save cut between its renames leaves the new record
// in its temporary file, and the new ".prj" in its own: opening finds the system that belongs
// to the ".trl" among those files, and says so when none does. A project without a record, or
// whose record names other bytes (written by another program), opens as before.
#include <string>
#include <string_view>

namespace vuv {

// base path + ".paire"
std::string chemin_paire(const std::string& projet);

// The record for these bytes; `prj` null when the project has no system.
std::string texte_paire(std::string_view trl, const std::string* prj);

struct SystemeApparie {
    bool connu = false;   // a record names these bytes: `chemin` belongs to them
    std::string chemin;   // the file to read the system from; empty: none
    std::string message;  // French: the record names a system no file holds
};

// For the bytes of the project at `projet`, as a save of this program named it.
SystemeApparie systeme_apparie(const std::string& projet, std::string_view octets_trl);

// Before a save writes its temporary files over those of a save cut between its renames:
// that save is finished (its system and record put in place) when the project in place is the
// one it wrote, so that the project never loses the only copy of its system.
void acheve_paire_interrompue(const std::string& projet);

} // namespace vuv
