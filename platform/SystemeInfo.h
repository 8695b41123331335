#pragma once
// What the about box reads from the running system.
#include "core/apropos/APropos.h"

#include <string>

namespace vuv {

// "Linux" and the kernel's major.minor.
std::string ligne_systeme();
// /proc/meminfo and the process's own size; zeros where they cannot be read.
EtatMemoire memoire_systeme();

} // namespace vuv
