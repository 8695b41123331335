#include "core/text/separateur.h"

namespace vuv {
namespace {
char separateur = '.';
}

char separateur_decimal() { return separateur; }

void fixe_separateur_decimal(char sep) { separateur = (sep == ',') ? ',' : '.'; }

} // namespace vuv
