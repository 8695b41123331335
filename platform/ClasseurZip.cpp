#include "platform/ClasseurZip.h"

#include "platform/ArchiveXml.h"

namespace vuv {

std::unique_ptr<FeuilleClasseur> lit_classeur_zip(const std::string& chemin, std::string& pourquoi, bool& zip) {
    const auto a = ArchiveXml::ouvre(chemin);
    zip = a != nullptr;
    if (!a) return nullptr;
    if (a->contient("xl/workbook.xml")) return classeur_zip::lit_xlsx(*a, pourquoi);
    if (a->contient("content.xml")) return classeur_zip::lit_ods(*a, pourquoi);
    pourquoi = "cette archive n'est ni un classeur .xlsx ni un classeur .ods";
    return nullptr;
}

} // namespace vuv
