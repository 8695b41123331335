#include "platform/ClasseurZip.h"

#include "platform/ArchiveXml.h"

#include <fstream>
#include <string_view>

namespace vuv {

std::unique_ptr<FeuilleClasseur> lit_classeur_zip(const std::string& chemin, std::string& pourquoi, bool& zip) {
    const auto a = ArchiveXml::ouvre(chemin);
    zip = a != nullptr;
    if (!a) {
        std::ifstream f(chemin, std::ios::binary);
        char debut[4] = {};
        zip = f.read(debut, 4) && std::string_view(debut, 4) == std::string_view("PK\x03\x04", 4);
        if (zip) pourquoi = "archive tronquée ou endommagée (un classeur .xlsx ou .ods est une archive zip)";
        return nullptr;
    }
    if (a->contient("xl/workbook.xml")) return classeur_zip::lit_xlsx(*a, pourquoi);
    if (a->contient("content.xml")) return classeur_zip::lit_ods(*a, pourquoi);
    pourquoi = "cette archive n'est ni un classeur .xlsx ni un classeur .ods";
    return nullptr;
}

} // namespace vuv
