#include "platform/Classeur.h"

#include "platform/ClasseurXls.h"

#include "core/fichiers/EcritureSure.h"
#include "core/text/encodage.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace vuv {
namespace {

bool extension_xls(const std::string& chemin) {
    if (chemin.size() < 4) return false;
    std::string fin = chemin.substr(chemin.size() - 4);
    for (char& c : fin) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return fin == ".xls";
}

} // namespace

Cellules lit_classeur(const std::string& chemin, int lignes_max) {
    if (!extension_xls(chemin)) {
        Cellules c = cellules_tabulees(cp1252_vers_utf8(lit_fichier(chemin)));
        if (static_cast<int>(c.size()) > lignes_max) c.resize(static_cast<std::size_t>(lignes_max));
        return c;
    }
    // The import's reader: FreeXL runs in a child process, so a damaged workbook gives a message.
    std::string erreur;
    const std::unique_ptr<ClasseurXls> x = ClasseurXls::ouvre(chemin, erreur);
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
