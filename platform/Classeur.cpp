#include "platform/Classeur.h"

#include "core/fichiers/EcritureSure.h"
#include "core/text/encodage.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"

#include <freexl.h>

#include <algorithm>
#include <cctype>

namespace vuv {
namespace {

bool extension_xls(const std::string& chemin) {
    if (chemin.size() < 4) return false;
    std::string fin = chemin.substr(chemin.size() - 4);
    for (char& c : fin) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return fin == ".xls";
}

std::string texte_cellule(const FreeXL_CellValue& v) {
    switch (v.type) {
    case FREEXL_CELL_NULL: return {};
    case FREEXL_CELL_INT: return std::to_string(v.value.int_value);
    case FREEXL_CELL_DOUBLE: return nombres::general(v.value.double_value, 15, separateur_decimal());
    default: return v.value.text_value ? std::string(v.value.text_value) : std::string();
    }
}

class Classeur {
public:
    explicit Classeur(const std::string& chemin) : ouvert_(freexl_open(chemin.c_str(), &h_) == FREEXL_OK) {}
    ~Classeur() {
        if (h_) freexl_close(h_);
    }
    Classeur(const Classeur&) = delete;
    Classeur& operator=(const Classeur&) = delete;

    bool ouvert() const { return ouvert_; }
    const void* h() const { return h_; }

private:
    const void* h_ = nullptr;
    bool ouvert_;
};

} // namespace

Cellules lit_classeur(const std::string& chemin, int lignes_max) {
    if (!extension_xls(chemin)) {
        Cellules c = cellules_tabulees(cp1252_vers_utf8(lit_fichier(chemin)));
        if (static_cast<int>(c.size()) > lignes_max) c.resize(static_cast<std::size_t>(lignes_max));
        return c;
    }
    const Classeur x(chemin);
    unsigned int feuilles = 0;
    unsigned int lignes = 0;
    unsigned short colonnes = 0;
    if (!x.ouvert() || freexl_get_info(x.h(), FREEXL_BIFF_SHEET_COUNT, &feuilles) != FREEXL_OK || feuilles == 0 ||
        freexl_select_active_worksheet(x.h(), 0) != FREEXL_OK ||
        freexl_worksheet_dimensions(x.h(), &lignes, &colonnes) != FREEXL_OK)
        throw ErreurFichier("Le fichier <" + chemin + "> n'est pas un classeur Excel (.xls) lisible");
    Cellules c(std::min<std::size_t>(lignes, static_cast<std::size_t>(std::max(lignes_max, 0))));
    for (unsigned int r = 0; r < c.size(); ++r) {
        c[r].resize(colonnes);
        for (unsigned short k = 0; k < colonnes; ++k) {
            FreeXL_CellValue v;
            c[r][k] = freexl_get_cell_value(x.h(), r, k, &v) == FREEXL_OK ? texte_cellule(v) : "???";
        }
    }
    return c;
}

} // namespace vuv
