#include "platform/SystemeInfo.h"

#include <fstream>
#include <sstream>
#include <string>

#include <sys/utsname.h>

namespace vuv {
namespace {

std::string lit(const char* chemin) {
    std::ifstream f(chemin);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

} // namespace

std::string ligne_systeme() {
    utsname u{};
    int majeur = 0, mineur = 0;
    if (uname(&u) == 0) version_noyau(u.release, majeur, mineur);
    return GetOSInfo(FamilleSysteme::linux_, majeur, mineur, 0, {});
}

EtatMemoire memoire_systeme() {
    std::uint64_t vmsize = 0;
    const std::string statut = lit("/proc/self/status");
    if (const auto p = statut.find("VmSize:"); p != std::string::npos) {
        std::istringstream s(statut.substr(p + 7));
        s >> vmsize;
    }
    // A 64-bit process has 128 TiB of user address space on x86-64 and most others.
    const std::uint64_t espace = sizeof(void*) == 8 ? (std::uint64_t{1} << 47) : (std::uint64_t{3} << 30);
    return etat_memoire_linux(lit("/proc/meminfo"), vmsize, espace);
}

} // namespace vuv
