// The text import on arbitrary bytes, read as the preview reads a file: points placed on one
// new line with pixels that read back, or nothing added; never a crash, a question or a hang.
#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/import/Import.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
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

// A 1200 x 800 image's own calibration and two points on line 1.
void document_de_depart(vuv::Document& d) {
    d.mess_3_calage_svp_et_init(false);
    const int px[3][2] = {{0, 0}, {0, 800}, {1200, 800}};
    const long double reel[3][2] = {{0, 799}, {0, 0}, {1199, 0}};
    for (int k = 0; k < 3; ++k) {
        d.affecte_calage(k + 1, 0, "cal", 0, 0, 0, reel[k][1], reel[k][0]);
        d.calage[static_cast<std::size_t>(k)] = {true, px[k][0], px[k][1], reel[k][0], reel[k][1], 0};
    }
    d.nb_calage = 3;
    vuv::clic_digitaliser(d, 100, 100, vuv::MethodeCalage::trois_points, false);
    vuv::clic_digitaliser(d, 200, 150, vuv::MethodeCalage::trois_points, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    static PortImport port;
    vuv::installe_port(&port);
    port.informations = 0;
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    if (octets.find('\0') != std::string_view::npos) return 0; // refused by the preview
    vuv::Document d;
    document_de_depart(d);
    const vuv::BilanTexte b = vuv::importe_points_texte(d, vuv::texte_de_fichier(octets));
    if (b.resultat != vuv::ResultatImport::fait || d.nb_points != 2 + b.ajoutes) std::abort();
    if (port.informations != (b.hors_image > 0 ? 1 : 0)) std::abort();
    if (b.ajoutes > 0 && d.num_ligne != 2) std::abort();
    for (int r = 3; r <= d.nb_points; ++r) {
        for (const char* nom : {"L", "x", "y"})
            if (vuv::lit_entier(d.StringGrid1.cell(d.indice_col(nom), r)).erreur != 0) std::abort();
    }
    return 0;
}
