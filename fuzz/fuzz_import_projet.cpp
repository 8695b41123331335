// The points window's imports of another project on arbitrary bytes: its points and lines
// appended after the work's, or its calibration values taken; a refusal leaves the work as it
// was. Never a crash, a hang or a question beyond the two the imports may ask.
#include "core/document/Document.h"
#include "core/import/Import.h"
#include "core/projet/Projet.h"
#include "fuzz/document_de_depart.h"
#include "fuzz/port_muet.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Refusals are told; the other image is accepted, and the save-and-stop question over an
// unreadable line number, asked at most once, is declined.
class PortImport : public fuzz::PortMuet {
public:
    int questions = 0;
    void information(const std::string&) override {}
    bool oui_non(const std::string& q) override {
        if (q.rfind(" L'image de fond <", 0) == 0) return true;
        if (q.find("n'est pas une valeur entière") == std::string::npos || ++questions > 1) std::abort();
        return false;
    }
};

// After a refusal the work is byte for byte what it was; after an import it still saves.
void verifie(vuv::Document& d, vuv::ResultatImport r, const std::string& avant) {
    if (r == vuv::ResultatImport::fait) {
        if (d.sauve || d.nb_points < 2 || d.num_ligne < 1 || d.num_ligne > 99 ||
            d.StringGrid1.row_count() < d.nb_points + 1)
            std::abort();
        (void)vuv::texte_projet(d, true);
    } else if (!d.sauve || vuv::texte_projet(d, true) != avant) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    static PortImport port;
    vuv::installe_port(&port);
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    vuv::Document points, calage;
    for (vuv::Document* d : {&points, &calage}) {
        fuzz::document_de_depart(*d);
        d->fichier_image = "plan.jpg";
        d->sauve = true;
    }
    const std::string avant = vuv::texte_projet(points, true);

    port.questions = 0;
    verifie(points, vuv::importe_points_projet(points, octets, "autre.trl"), avant);
    port.questions = 0;
    verifie(calage, vuv::importe_calage_projet(calage, octets, "autre.trl"), avant);
    return 0;
}
