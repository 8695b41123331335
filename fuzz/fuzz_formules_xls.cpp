// The .xls formula results read from arbitrary bytes: the compound file's sectors, chains and
// directory, then the workbook's records. Never a crash, a hang or a read outside the bytes.
#include "platform/FormulesXls.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const auto r = vuv::resultats_formules_xls(std::string_view(reinterpret_cast<const char*>(donnees), taille));
    for (const auto& [cle, f] : r)
        if ((cle & 0xFFFF) > 0xFFFF || (cle >> 16) > 0xFFFF || f.texte.size() > taille * 3) std::abort();
    return 0;
}
