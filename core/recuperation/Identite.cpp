#include "core/recuperation/Identite.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vuv {
namespace {

std::string premiere_ligne(const std::string& chemin) {
    std::ifstream f(chemin);
    std::string l;
    std::getline(f, l);
    return l;
}

std::string machine() {
    char nom[256] = {};
    if (::gethostname(nom, sizeof nom - 1) != 0) return {};
    return nom;
}

// Field 22 of /proc/<pid>/stat, in clock ticks since boot; empty when there is no such process.
std::string debut_processus(const std::string& pid) {
    const std::string stat = premiere_ligne("/proc/" + pid + "/stat");
    const std::size_t fin_nom = stat.rfind(')');
    if (fin_nom == std::string::npos) return {};
    std::istringstream champs(stat.substr(fin_nom + 1));
    std::string c;
    for (int i = 0; i < 20 && champs >> c; ++i) {}
    return c;
}

} // namespace

std::string identite_programme() {
    const std::string pid = std::to_string(static_cast<long>(::getpid()));
    return machine() + ' ' + premiere_ligne("/proc/sys/kernel/random/boot_id") + ' ' + pid + ' ' +
           debut_processus(pid);
}

bool programme_vivant(std::string_view identite) {
    std::istringstream l{std::string(identite)};
    std::string hote, demarrage, pid, debut;
    if (!(l >> hote >> demarrage >> pid >> debut) || pid.find_first_not_of("0123456789") != std::string::npos)
        return false;
    if (hote != machine() || demarrage != premiere_ligne("/proc/sys/kernel/random/boot_id")) return false;
    return debut_processus(pid) == debut;
}

} // namespace vuv
