#include "core/reglages/DossierProgramme.h"

#include <utility>

namespace vuv {
namespace {
std::string dossier = "./";
}

const std::string& dossier_programme() { return dossier; }

void fixe_dossier_programme(std::string d) {
    if (d.empty()) d = "./";
    if (d.back() != '/') d += '/';
    dossier = std::move(d);
}

std::string chemin_programme(std::string_view nom) { return dossier + std::string(nom); }

DossierProgrammeLocal::DossierProgrammeLocal(std::string d) : precedent_(dossier_programme()) {
    fixe_dossier_programme(std::move(d));
}

DossierProgrammeLocal::~DossierProgrammeLocal() { fixe_dossier_programme(precedent_); }

} // namespace vuv
