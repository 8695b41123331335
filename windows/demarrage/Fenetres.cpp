#include "windows/demarrage/Fenetres.h"

namespace vuv {

Fenetres& fenetres() {
    static Fenetres f;
    return f;
}

} // namespace vuv
