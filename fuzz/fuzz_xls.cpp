// The spreadsheet reader on arbitrary bytes, through a file as FreeXL takes a path: a message
// naming the file, or cells read and points placed; never a crash or a hang.
#include "fuzz_compagnon.h"

#include "core/document/Digitalisation.h"
#include "core/import/Import.h"
#include "platform/ClasseurXls.h"

namespace {

class PortTableur : public fuzz::PortMuet {
public:
    void information(const std::string&) override {} // the count of points outside the image
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    static PortTableur port;
    vuv::installe_port(&port);
    const std::string chemin = fuzz::ecrit_temporaire(".xls", donnees, taille);
    std::string erreur;
    const auto classeur = vuv::ClasseurXls::ouvre(chemin, erreur);
    if (!classeur) {
        if (erreur.rfind("Le classeur <" + chemin + ">", 0) != 0) std::abort();
    } else {
        for (int r = 1; r <= 40; ++r)
            for (int c = 1; c <= 256; c += 5) (void)classeur->cellule(c, r);
        vuv::Document d;
        d.mess_3_calage_svp_et_init(false);
        const int px[3][2] = {{0, 0}, {0, 800}, {1200, 800}};
        const long double reel[3][2] = {{0, 799}, {0, 0}, {1199, 0}};
        for (int k = 0; k < 3; ++k) d.calage[static_cast<std::size_t>(k)] = {true, px[k][0], px[k][1], reel[k][0], reel[k][1], 0};
        d.nb_calage = 3;
        const vuv::BilanTexte b = vuv::importe_points_tableur(d, *classeur, {});
        if (d.nb_points != b.ajoutes) std::abort();
    }
    std::remove(chemin.c_str());
    return 0;
}
