#pragma once
// The program folder: where the settings and work files live ("~vuviviva.~i",
// "~vuviviva_roulette_inv.cfg", "~vuviviva.~bmp", "~tmp.bmp", "vuviviva.hep").
// The platform layer decides it at start; core only reads it.
#include <string>
#include <string_view>

namespace vuv {

// Always ends with '/'. "./" until the platform sets it.
const std::string& dossier_programme();
// A missing trailing '/' is added; an empty text means the current folder. avertissement:
// what the user is told once at start when nothing can be written there (else empty).
void fixe_dossier_programme(std::string dossier, std::string avertissement = {});
const std::string& avertissement_dossier_programme();
// dossier_programme() + nom.
std::string chemin_programme(std::string_view nom);

// A relative path taken from the folder that was current when the program started: files
// dialogs move the current folder, so a path kept relative would later point elsewhere.
std::string chemin_absolu(std::string_view chemin);

// Sets the folder for a scope, restoring the previous one after (tests).
class DossierProgrammeLocal {
public:
    explicit DossierProgrammeLocal(std::string dossier);
    ~DossierProgrammeLocal();
    DossierProgrammeLocal(const DossierProgrammeLocal&) = delete;
    DossierProgrammeLocal& operator=(const DossierProgrammeLocal&) = delete;

private:
    std::string precedent_;
};

} // namespace vuv
