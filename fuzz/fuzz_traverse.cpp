// The traverse on arbitrary text: rows added inside the pixel limits, never a crash, a
// question or a hang. A message about an unreadable number is allowed.
#include "core/document/Document.h"
#include "core/mesure/Traverse.h"
#include "core/text/extraitUTIL.h"
#include "fuzz/port_muet.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Refusals and skipped points are told; a question is a fault.
class PortInformations : public fuzz::PortMuet {
public:
    void information(const std::string&) override {}
    void erreur(const std::string&) override {}
    void bip() override {}
    void ton(int, int) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    static PortInformations port;
    vuv::installe_port(&port);
    vuv::Document d;
    const int px[3][2] = {{0, 0}, {0, 1000}, {1000, 1000}};
    const long double reel[3][2] = {{900, 2120}, {900, 2020}, {1000, 2020}};
    for (int k = 0; k < 3; ++k) {
        d.affecte_calage(k + 1, 0, "cal", 0, 0, 0, reel[k][1], reel[k][0]);
        d.calage[static_cast<std::size_t>(k)] = {true, px[k][0], px[k][1], reel[k][0], reel[k][1], 0};
    }
    d.nb_calage = 3;
    d.num_ligne = 1;
    d.nb_points = 1;
    d.affecte_en(1, 1, "", 0, 2000, 1000, 1200, 1000);
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    const vuv::BilanTraverse b = vuv::ajoute_traverse(d, 1, texte, 4.5L);
    if (b.refus.empty() != (d.nb_points == 1 + b.ajoutes)) std::abort();
    for (int row = 2; row <= d.nb_points; ++row) {
        const vuv::LectureEntier x = vuv::lit_entier(vuv::enleve_blancs(d.StringGrid1.cell(d.indice_col("x"), row)));
        const vuv::LectureEntier y = vuv::lit_entier(vuv::enleve_blancs(d.StringGrid1.cell(d.indice_col("y"), row)));
        if (x.erreur != 0 || y.erreur != 0 || std::abs(x.valeur) > 9999 || std::abs(y.valeur) > 9999) std::abort();
    }
    return 0;
}
