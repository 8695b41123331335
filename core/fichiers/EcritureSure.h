#pragma once
// Saving without ever destroying the previous file: the bytes go to a temporary file beside
// the target, every write's count is checked, the data is synced, and only then renamed over it.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vuv {

// An input/output failure; its message is French and names the file.
class ErreurFichier : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file written in pieces, so that a large one needs no whole copy in memory. Nothing reaches
// the target unless valide() succeeds; a replaced file keeps its permissions.
class EcritureSure {
public:
    explicit EcritureSure(std::string cible);
    ~EcritureSure();  // abandons unless valide() succeeded
    EcritureSure(const EcritureSure&) = delete;
    EcritureSure& operator=(const EcritureSure&) = delete;

    // Buffered; false once anything has failed (later calls do nothing).
    bool ecrit(const void* octets, std::size_t n);
    bool ecrit(std::string_view octets) { return ecrit(octets.data(), octets.size()); }
    // Flushes and syncs, the target untouched: files that go together are all complete
    // before the first is renamed.
    bool acheve();
    // Flushes, syncs, closes and renames over the target.
    bool valide();
    // Gives up: the target is left as it was.
    void abandonne();
    // Records the caller's own reason (French); an earlier failure is kept.
    void echoue(std::string raison);

    bool ok() const { return raison_.empty(); }
    // French, empty while everything went well.
    const std::string& raison() const { return raison_; }
    // "Impossible d'enregistrer [<quoi> ]<cible> : <raison>", empty when all went well; with
    // `dit_si_intact`, a target that existed is said to be untouched.
    std::string message(std::string_view quoi = {}, bool dit_si_intact = false) const;

private:
    bool ecrit_tout(const unsigned char* octets, std::size_t n);
    void echoue_systeme(int code);

    std::string cible_;
    std::string temporaire_;
    int fd_ = -1;
    bool cible_existait_ = false;
    std::vector<unsigned char> tampon_;
    std::string raison_;
};

// Writes `octets` as the whole content of `chemin`; throws ErreurFichier on any failure,
// leaving a previous file intact and no temporary file behind.
void ecrit_fichier_sur(const std::string& chemin, std::string_view octets);

// Reads a whole file; throws ErreurFichier when it cannot be read.
std::string lit_fichier(const std::string& chemin);

} // namespace vuv
