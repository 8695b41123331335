#include "core/reglages/DossierProgramme.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace vuv {
namespace {
namespace fs = std::filesystem;

std::string dossier = "./";
std::string avertissement_dossier;

fs::path dossier_courant() {
    std::error_code ec;
    fs::path p = fs::current_path(ec);
    return ec ? fs::path("/") : p;
}

// Taken while the program loads, before anything can change the current folder.
const fs::path depart = dossier_courant();

} // namespace

const std::string& dossier_programme() { return dossier; }

void fixe_dossier_programme(std::string d, std::string avertissement) {
    if (d.empty()) d = "./";
    if (d.back() != '/') d += '/';
    dossier = std::move(d);
    avertissement_dossier = std::move(avertissement);
}

const std::string& avertissement_dossier_programme() { return avertissement_dossier; }

std::string chemin_programme(std::string_view nom) { return dossier + std::string(nom); }

std::string chemin_absolu(std::string_view chemin) {
    const fs::path p(chemin);
    if (chemin.empty() || p.is_absolute()) return std::string(chemin);
    std::string r = (depart / p).lexically_normal().string();
    // "." and "dir/" keep their meaning of a folder.
    if (r.size() > 1 && r.back() == '/' && chemin.back() != '/') r.pop_back();
    return r;
}

DossierProgrammeLocal::DossierProgrammeLocal(std::string d) : precedent_(dossier_programme()) {
    fixe_dossier_programme(std::move(d));
}

DossierProgrammeLocal::~DossierProgrammeLocal() { fixe_dossier_programme(precedent_); }

} // namespace vuv
