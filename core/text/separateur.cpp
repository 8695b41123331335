#include "core/text/separateur.h"

namespace vuv {
namespace {
char separateur = '.';
char32_t milliers = U'\u00A0';
} // namespace

char separateur_decimal() { return separateur; }

void fixe_separateur_decimal(char sep) { separateur = (sep == ',') ? ',' : '.'; }

char32_t separateur_milliers() { return milliers; }

void fixe_separateur_milliers(char32_t sep) { milliers = sep == U' ' ? U' ' : U'\u00A0'; }

} // namespace vuv
