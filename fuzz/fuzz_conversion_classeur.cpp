// The conversion window's spreadsheet import on arbitrary bytes, through the reader it uses: an
// .xls or .xlsx workbook when the bytes start as one, a Tab-separated .txt otherwise. Both
// layouts are imported from the cells and converted; a workbook that cannot be read gives the
// message naming it. Never a crash or a hang.
#include "fuzz/fichier_temporaire.h"
#include "fuzz/fuzz_conversion.h"

#include "core/fichiers/EcritureSure.h"
#include "platform/Classeur.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const bool zip = taille >= 4 && std::memcmp(donnees, "PK\x03\x04", 4) == 0;
    const bool xls = zip || (taille >= 4 && std::memcmp(donnees, "\xD0\xCF\x11\xE0", 4) == 0);
    const std::string chemin = fuzz::ecrit_temporaire(zip ? ".xlsx" : xls ? ".xls" : ".txt", donnees, taille);
    for (const char sep : {',', '.'}) {
        const vuv::SeparateurLocal local(sep);
        vuv::Cellules cellules;
        try {
            cellules = vuv::lit_classeur(chemin, 1002);
        } catch (const vuv::ErreurFichier& e) {
            if (!xls || std::string(e.what()).rfind("Le classeur <" + chemin + ">", 0) != 0) std::abort();
            break;
        }
        if (cellules.size() > 1002) std::abort();
        fuzz::FeuilleConversion utm;
        utm.verifie_import(vuv::importe_classeur_utm(utm.g, utm.c, cellules), 1);
        utm.convertit({vuv::Calcul::UTMVersLatLon, vuv::Calcul::XY});
        fuzz::FeuilleConversion latlon;
        latlon.verifie_import(vuv::importe_classeur_latlon(latlon.g, latlon.c, cellules), 1);
        latlon.convertit({vuv::Calcul::AnglesVersDecimal, vuv::Calcul::DecimalVersAngles, vuv::Calcul::AnglesVersUTM});
    }
    std::remove(chemin.c_str());
    return 0;
}
