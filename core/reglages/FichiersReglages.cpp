#include "core/reglages/FichiersReglages.h"

#include "core/reglages/DossierProgramme.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace vuv {
namespace fs = std::filesystem;

namespace {

bool existe_fichier(const std::string& chemin) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(chemin), ec);
}

} // namespace

bool premiere_ligne_enregistre(std::string_view nom, const std::string& texte) {
    const std::string chemin = chemin_programme(nom);
    bool ok = false;
    {
        std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
        if (f) {
            f << utf8_vers_cp1252(texte) << "\r\n";
            f.flush();
            ok = static_cast<bool>(f);
        }
    }
    if (!ok) port().ton(1250, 100);
    return ok;
}

std::string premiere_ligne_lecture(std::string_view nom) {
    std::ifstream f(chemin_programme(nom), std::ios::binary);
    std::string ligne;
    if (f && std::getline(f, ligne)) {
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        if (!ligne.empty()) return chemin_absolu(cp1252_vers_utf8(ligne));
    }
    return dossier_programme();
}

int sens_roulette_enregistre() {
    return existe_fichier(chemin_programme(fichier_roulette_inversee)) ? -1 : 1;
}

void enregistre_sens_roulette(int sens) {
    const std::string chemin = chemin_programme(fichier_roulette_inversee);
    if (sens != -1) {
        efface_fichier_programme(fichier_roulette_inversee);
    } else if (!existe_fichier(chemin)) {
        std::ofstream f(chemin, std::ios::binary);
    }
}

int intervalle_recuperation() {
    std::ifstream f(chemin_programme(fichier_recuperation), std::ios::binary);
    std::string ligne;
    if (!f || !std::getline(f, ligne)) return intervalle_recuperation_par_defaut;
    while (!ligne.empty() && (ligne.back() == '\r' || ligne.back() == ' ')) ligne.pop_back();
    const LectureEntier n = lit_entier(ligne);
    if (n.erreur != 0 || n.valeur < 1 || n.valeur > 86400) return intervalle_recuperation_par_defaut;
    return n.valeur;
}

bool efface_fichier_programme(std::string_view nom) {
    std::error_code ec;
    const fs::path p(chemin_programme(nom));
    if (!fs::exists(p, ec)) return true;
    return fs::remove(p, ec);
}

} // namespace vuv
