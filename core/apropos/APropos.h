#pragma once
// The about box's texts: the operating-system line and the memory figures.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vuv {

enum class FamilleSysteme {
    windows_95, // the 95/98 family: the build is the low 16 bits
    windows_nt,
    autre,      // any other Windows: name and version only
    linux_,     // a live Linux system: "Linux" and the kernel's major.minor
};

std::string GetOSInfo(FamilleSysteme famille, int majeur, int mineur, std::uint32_t build,
                      std::string_view service_pack);

// The kernel release ("6.1.0-13-amd64") as major and minor; 0 for what cannot be read.
void version_noyau(std::string_view release, int& majeur, int& mineur);

// Memory figures in bytes, as the system's memory status gives them.
struct EtatMemoire {
    std::uint64_t total_physique = 0;
    std::uint64_t charge = 0; // percent in use
    std::uint64_t physique_libre = 0;
    std::uint64_t virtuel_libre = 0;
    std::uint64_t pagination_totale = 0;
    std::uint64_t pagination_libre = 0;
    std::uint64_t virtuel_total = 0;
};
inline constexpr std::uint64_t taille_etat_memoire = 32; // sizeof(MEMORYSTATUS)

// The "#,###" pattern: digits grouped by three with the thousands separator, nothing for 0.
std::string diese_groupe(std::uint64_t v);

// Label4 to Label11 in order.
std::array<std::string, 8> libelles_memoire(const EtatMemoire& m);

// Reads /proc/meminfo's text and the process's size (VmSize, KB) into the status record; the
// comments of the definition give the mapping.
EtatMemoire etat_memoire_linux(std::string_view meminfo, std::uint64_t vmsize_ko, std::uint64_t espace_adresses);

} // namespace vuv
