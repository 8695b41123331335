#include "platform/ClasseurXls.h"

#include "core/text/separateur.h"

#include <freexl.h>

#include <cstdio>
#include <cstring>

namespace vuv {
namespace {

std::string raison(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND: return "fichier introuvable ou illisible";
    case FREEXL_INSUFFICIENT_MEMORY: return "mémoire insuffisante";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return "ce n'est pas un classeur .xls (Excel 97-2003) ; un classeur .xlsx doit d'abord être "
               "enregistré au format .xls";
    case FREEXL_CFBF_READ_ERROR:
    case FREEXL_CFBF_SEEK_ERROR: return "fichier tronqué, ou qui n'est pas un classeur .xls";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND: return "le fichier ne contient pas de classeur";
    default: return "classeur endommagé (code FreeXL " + std::to_string(code) + ")";
    }
}

// "yyyy-mm-dd..." as "dd/mm/yyyy...".
std::string date_francaise(const char* t) {
    const std::string s = t ? t : "";
    if (s.size() < 10 || s[4] != '-' || s[7] != '-') return s;
    return s.substr(8, 2) + "/" + s.substr(5, 2) + "/" + s.substr(0, 4) + s.substr(10);
}

} // namespace

std::unique_ptr<ClasseurXls> ClasseurXls::ouvre(const std::string& chemin, std::string& erreur) {
    std::unique_ptr<ClasseurXls> c(new ClasseurXls);
    auto refus = [&](const std::string& pourquoi) {
        erreur = "Le classeur <" + chemin + "> n'a pas pu être lu : " + pourquoi + ".";
        return nullptr;
    };
    if (const int r = freexl_open(chemin.c_str(), &c->classeur_); r != FREEXL_OK) return refus(raison(r));
    unsigned protege = 0;
    if (freexl_get_info(c->classeur_, FREEXL_BIFF_PASSWORD, &protege) == FREEXL_OK && protege == FREEXL_BIFF_OBFUSCATED)
        return refus("classeur protégé par un mot de passe");
    if (const int r = freexl_select_active_worksheet(c->classeur_, 0); r != FREEXL_OK) return refus(raison(r));
    if (const int r = freexl_worksheet_dimensions(c->classeur_, &c->lignes_, &c->colonnes_); r != FREEXL_OK)
        return refus(raison(r));
    return c;
}

ClasseurXls::~ClasseurXls() {
    if (classeur_) freexl_close(classeur_);
}

std::string ClasseurXls::cellule(int colonne, int ligne) const {
    if (colonne < 1 || ligne < 1 || static_cast<unsigned>(colonne) > colonnes_ ||
        static_cast<unsigned>(ligne) > lignes_)
        return {};
    FreeXL_CellValue v;
    if (freexl_get_cell_value(classeur_, static_cast<unsigned>(ligne - 1), static_cast<unsigned short>(colonne - 1),
                              &v) != FREEXL_OK)
        return {};
    switch (v.type) {
    case FREEXL_CELL_INT: return std::to_string(v.value.int_value);
    case FREEXL_CELL_DOUBLE: {
        char t[64];
        std::snprintf(t, sizeof t, "%.15g", v.value.double_value);
        if (char* point = std::strchr(t, '.')) *point = separateur_decimal();
        return t;
    }
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME: return v.value.text_value ? v.value.text_value : "";
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: return date_francaise(v.value.text_value);
    default: return {};
    }
}

} // namespace vuv
