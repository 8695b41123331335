// The conversion window's text import on arbitrary bytes, as the window reads them (checked as
// text, kept as Windows-1252 in "~memo.txt"): rows imported, then converted; never a crash.
#include "fuzz/fuzz_conversion.h"

#include "core/text/encodage.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    if (octets.find('\0') != std::string_view::npos) return 0; // refused before the import
    const std::string texte = vuv::cp1252_vers_utf8(vuv::utf8_vers_cp1252(vuv::texte_de_fichier(octets)));
    for (const char sep : {',', '.'}) {
        const vuv::SeparateurLocal local(sep);
        fuzz::FeuilleConversion f;
        const long n = vuv::importe_texte(f.g, f.c, texte);
        f.verifie_import(n);
        for (int r = 1; r <= n; ++r)
            if (f.g.cell(f.c.zone, r) != "37" || f.g.cell(f.c.hemi, r) != "N") std::abort();
        f.convertit({vuv::Calcul::UTMVersLatLon, vuv::Calcul::XY});
    }
    return 0;
}
