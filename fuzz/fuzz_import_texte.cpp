// The text imports on arbitrary bytes: a file read as the preview reads it, points placed on one
// new line with pixels that read back, or nothing added; then the same text as the clipboard's
// calibration values. Never a crash, a question or a hang.
#include "core/document/Document.h"
#include "core/import/Import.h"
#include "core/projet/Projet.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "fuzz/document_de_depart.h"
#include "fuzz/port_muet.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Only the count of points outside the image may be told; a question is a fault.
class PortImport : public fuzz::PortMuet {
public:
    int informations = 0;
    void information(const std::string&) override { ++informations; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    static PortImport port;
    vuv::installe_port(&port);
    port.informations = 0;
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    if (octets.find('\0') != std::string_view::npos) return 0; // refused by the preview
    vuv::Document d;
    fuzz::document_de_depart(d);
    const vuv::BilanTexte b = vuv::importe_points_texte(d, vuv::texte_de_fichier(octets));
    if (b.resultat != vuv::ResultatImport::fait || d.nb_points != 2 + b.ajoutes) std::abort();
    if (port.informations != (b.hors_image > 0 || b.sans_nombres > 0 ? 1 : 0)) std::abort();
    if (b.ajoutes > 0 && d.num_ligne != 2) std::abort();
    for (int r = 3; r <= d.nb_points; ++r) {
        for (const char* nom : {"L", "x", "y"})
            if (vuv::lit_entier(d.StringGrid1.cell(d.indice_col(nom), r)).erreur != 0) std::abort();
    }

    // The same text pasted as calibration values: rows 1 to 3 only, the points recomputed
    // without a word, or refused with one and nothing changed; the work still written.
    vuv::Document c;
    fuzz::document_de_depart(c);
    port.informations = 0;
    const std::string avant = vuv::texte_projet_tel_quel(c, true);
    if (vuv::importe_calage_texte(c, octets) == vuv::ResultatImport::fait) {
        if (port.informations != 0 || c.StringGrid2.row_count() != 4 || c.sauve) std::abort();
    } else if (port.informations != 1 || vuv::texte_projet_tel_quel(c, true) != avant) {
        std::abort();
    }
    (void)vuv::texte_projet(c, true);
    return 0;
}
