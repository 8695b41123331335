#include "platform/Classeur.h"

#include "platform/ClasseurXls.h"
#include "platform/ClasseurZip.h"

#include "core/fichiers/EcritureSure.h"
#include "core/text/encodage.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace vuv {
namespace {

bool extension_classeur(const std::string& chemin) {
    const std::size_t point = chemin.find_last_of("./");
    if (point == std::string::npos || chemin[point] != '.') return false;
    std::string ext = chemin.substr(point + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "xls" || ext == "xlsx" || ext == "ods";
}

} // namespace

std::unique_ptr<FeuilleClasseur> ouvre_classeur(const std::string& chemin, std::string& erreur) {
    std::string pourquoi;
    bool zip = false;
    auto f = lit_classeur_zip(chemin, pourquoi, zip);
    if (f) return f;
    if (zip) {
        erreur = "Le classeur <" + chemin + "> n'a pas pu être lu : " + pourquoi + ".";
        return nullptr;
    }
    // The import's reader: FreeXL runs in a child process, so a damaged workbook gives a message.
    return ClasseurXls::ouvre(chemin, erreur);
}

Cellules lit_classeur(const std::string& chemin, int lignes_max) {
    if (!extension_classeur(chemin)) {
        Cellules c = cellules_tabulees(cp1252_vers_utf8(lit_fichier(chemin)));
        if (static_cast<int>(c.size()) > lignes_max) c.resize(static_cast<std::size_t>(lignes_max));
        return c;
    }
    std::string erreur;
    const std::unique_ptr<FeuilleClasseur> x = ouvre_classeur(chemin, erreur);
    if (!x) throw ErreurFichier(erreur);
    Cellules c(static_cast<std::size_t>(std::clamp(x->lignes(), 0, std::max(lignes_max, 0))));
    for (std::size_t r = 0; r < c.size(); ++r) {
        c[r].resize(static_cast<std::size_t>(x->colonnes()));
        for (int k = 0; k < x->colonnes(); ++k)
            c[r][static_cast<std::size_t>(k)] = x->cellule(k + 1, static_cast<int>(r) + 1);
    }
    return c;
}

} // namespace vuv
