#pragma once
// Saving without ever destroying the previous file: the bytes go to a temporary file beside
// the target, every write is checked, the data is synced, and only then renamed over it.
#include <stdexcept>
#include <string>
#include <string_view>

namespace vuv {

// An input/output failure; its message is French and names the file.
class ErreurFichier : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes `octets` as the whole content of `chemin`; throws ErreurFichier on any failure,
// leaving a previous file intact and no temporary file behind.
void ecrit_fichier_sur(const std::string& chemin, std::string_view octets);

// Reads a whole file; throws ErreurFichier when it cannot be read.
std::string lit_fichier(const std::string& chemin);

// French words for an errno value.
std::string raison_systeme(int code);

} // namespace vuv
