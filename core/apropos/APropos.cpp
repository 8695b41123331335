#include "core/apropos/APropos.h"

#include "core/text/encodage.h"
#include "core/text/separateur.h"

#include <algorithm>
#include <cstdio>

namespace vuv {

std::string GetOSInfo(FamilleSysteme famille, int majeur, int mineur, std::uint32_t build,
                      std::string_view service_pack) {
    const char* nom = "Windows";
    std::uint32_t b = 0;
    switch (famille) {
    case FamilleSysteme::windows_95: nom = "Windows 95"; b = build & 0xFFFF; break;
    case FamilleSysteme::windows_nt: nom = "Windows NT"; b = build; break;
    case FamilleSysteme::autre: break;
    case FamilleSysteme::linux_: nom = "Linux"; break;
    }
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%s %d.%d", nom, majeur, mineur);
    std::string r = tampon;
    if (famille != FamilleSysteme::windows_95 && famille != FamilleSysteme::windows_nt) return r;
    r += " (Build " + std::to_string(b);
    if (!service_pack.empty()) {
        r += ": ";
        r += service_pack;
    }
    return r + ")";
}

void version_noyau(std::string_view release, int& majeur, int& mineur) {
    majeur = mineur = 0;
    std::size_t i = 0;
    auto nombre = [&](int& v) {
        while (i < release.size() && release[i] >= '0' && release[i] <= '9' && v < 100000) v = v * 10 + (release[i++] - '0');
    };
    nombre(majeur);
    if (i < release.size() && release[i] == '.') {
        ++i;
        nombre(mineur);
    }
}

std::string diese_groupe(std::uint64_t v) {
    if (v == 0) return {};
    const std::string chiffres = std::to_string(v);
    std::string r;
    const std::size_t n = chiffres.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) ajoute_caractere(r, separateur_milliers());
        r.push_back(chiffres[i]);
    }
    return r;
}

std::array<std::string, 8> libelles_memoire(const EtatMemoire& m) {
    const std::uint64_t ko = 1024;
    return {
        "Mémoire totale : " + diese_groupe(m.total_physique / ko) + " KB",
        "percent of memory in use " + diese_groupe(m.charge) + " %",
        "free physical memory     " + diese_groupe(m.physique_libre / ko) + " KB",
        "free user bytes          " + diese_groupe(m.virtuel_libre / ko) + " KB",
        "bytes of paging file     " + diese_groupe(m.pagination_totale / ko) + " KB",
        "sizeof(MEMORYSTATUS)     " + diese_groupe(taille_etat_memoire) + " octets",
        "free bytes of paging file    " + diese_groupe(m.pagination_libre / ko) + " KB",
        "user bytes of address space  " + diese_groupe(m.virtuel_total / ko) + " KB",
    };
}

namespace {

// A "Name:   1234 kB" line of /proc/meminfo, in KB; 0 when absent.
std::uint64_t champ_ko(std::string_view texte, std::string_view nom) {
    std::size_t p = 0;
    while ((p = texte.find(nom, p)) != std::string_view::npos) {
        if ((p == 0 || texte[p - 1] == '\n') && p + nom.size() < texte.size() && texte[p + nom.size()] == ':') break;
        p += nom.size();
    }
    if (p == std::string_view::npos) return 0;
    p += nom.size() + 1;
    while (p < texte.size() && texte[p] == ' ') ++p;
    std::uint64_t v = 0;
    while (p < texte.size() && texte[p] >= '0' && texte[p] <= '9' && v < (UINT64_MAX / 1024 - 9) / 10)
        v = v * 10 + static_cast<std::uint64_t>(texte[p++] - '0');
    return v;
}

} // namespace

// The status record on Linux:
//   total physical        MemTotal
//   memory load           (MemTotal - MemAvailable) / MemTotal, in percent
//   available physical    MemAvailable
//   total paging file     CommitLimit (what may be committed: RAM share + swap)
//   available paging file CommitLimit - Committed_AS, 0 when overcommitted
//   total virtual         the process's user address space
//   available virtual     that space less VmSize of the process
EtatMemoire etat_memoire_linux(std::string_view meminfo, std::uint64_t vmsize_ko, std::uint64_t espace_adresses) {
    EtatMemoire m;
    const std::uint64_t total = champ_ko(meminfo, "MemTotal"), libre = std::min(champ_ko(meminfo, "MemAvailable"), total);
    const std::uint64_t limite = champ_ko(meminfo, "CommitLimit"), engage = champ_ko(meminfo, "Committed_AS");
    m.total_physique = total * 1024;
    m.physique_libre = libre * 1024;
    m.charge = total ? (total - libre) * 100 / total : 0;
    m.pagination_totale = limite * 1024;
    m.pagination_libre = limite > engage ? (limite - engage) * 1024 : 0;
    m.virtuel_total = espace_adresses;
    const std::uint64_t utilise = std::min(vmsize_ko, espace_adresses / 1024) * 1024;
    m.virtuel_libre = espace_adresses - utilise;
    return m;
}

} // namespace vuv
