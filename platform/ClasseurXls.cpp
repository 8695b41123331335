#include "platform/ClasseurXls.h"

#include "platform/FormulesXls.h"

#include "core/fichiers/EcritureSure.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"

#include <freexl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace vuv {
namespace {

std::string raison(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND: return "fichier introuvable ou illisible";
    case FREEXL_INSUFFICIENT_MEMORY: return "mémoire insuffisante";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return "ce n'est pas un classeur .xls (Excel 97-2003), .xlsx ou .ods";
    case FREEXL_CFBF_READ_ERROR:
    case FREEXL_CFBF_SEEK_ERROR: return "fichier tronqué, ou qui n'est pas un classeur .xls";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND: return "le fichier ne contient pas de classeur";
    default: return "classeur endommagé (code FreeXL " + std::to_string(code) + ")";
    }
}

// "yyyy-mm-dd..." as "dd/mm/yyyy...".
std::string date_francaise(const char* t) {
    const std::string s = t ? t : "";
    if (s.size() < 10 || s[4] != '-' || s[7] != '-') return s;
    return s.substr(8, 2) + "/" + s.substr(5, 2) + "/" + s.substr(0, 4) + s.substr(10);
}

std::string texte(const FreeXL_CellValue& v) {
    switch (v.type) {
    case FREEXL_CELL_INT: return std::to_string(v.value.int_value);
    case FREEXL_CELL_DOUBLE: return texte_nombre_classeur(v.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_TIME: return v.value.text_value ? v.value.text_value : "";
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME: return date_francaise(v.value.text_value);
    default: return {};
    }
}

// What the child sends: 'C', row, column, length, bytes for each non-empty cell, then 'F';
// or 'E' and a FreeXL code.
void ajoute(std::string& o, const void* p, std::size_t n) { o.append(static_cast<const char*>(p), n); }

std::string lit_dans_l_enfant(const std::string& chemin) {
    std::string o;
    const void* h = nullptr;
    int r = freexl_open(chemin.c_str(), &h);
    unsigned protege = 0;
    if (r == FREEXL_OK && freexl_get_info(h, FREEXL_BIFF_PASSWORD, &protege) == FREEXL_OK &&
        protege == FREEXL_BIFF_OBFUSCATED)
        r = 1; // protected
    unsigned lignes = 0;
    unsigned short colonnes = 0;
    if (r == FREEXL_OK) r = freexl_select_active_worksheet(h, 0);
    if (r == FREEXL_OK) r = freexl_worksheet_dimensions(h, &lignes, &colonnes);
    if (r != FREEXL_OK) {
        o = "E";
        ajoute(o, &r, sizeof r);
    } else {
        for (unsigned l = 0; l < lignes; ++l)
            for (unsigned short c = 0; c < colonnes && c < 256; ++c) {
                FreeXL_CellValue v;
                if (freexl_get_cell_value(h, l, c, &v) != FREEXL_OK) continue;
                const std::string t = texte(v);
                if (t.empty()) continue;
                const auto n = static_cast<std::uint32_t>(t.size());
                o += 'C';
                ajoute(o, &l, sizeof l);
                ajoute(o, &c, sizeof c);
                ajoute(o, &n, sizeof n);
                o += t;
            }
        o += 'F';
    }
    if (h) freexl_close(h);
    return o;
}

bool ecrit_tout(int fd, const std::string& o) {
    std::size_t fait = 0;
    while (fait < o.size()) {
        const ssize_t n = ::write(fd, o.data() + fait, o.size() - fait);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        fait += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::unique_ptr<ClasseurXls> ClasseurXls::ouvre(const std::string& chemin, std::string& erreur) {
    auto refus = [&](const std::string& pourquoi) {
        erreur = "Le classeur <" + chemin + "> n'a pas pu être lu : " + pourquoi + ".";
        return nullptr;
    };
    int tube[2];
    if (::pipe(tube) != 0) return refus("impossible de lancer sa lecture");
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(tube[0]);
        ::close(tube[1]);
        return refus("impossible de lancer sa lecture");
    }
    if (pid == 0) {
        ::close(tube[0]);
        const bool ok = ecrit_tout(tube[1], lit_dans_l_enfant(chemin));
        ::_exit(ok ? 0 : 1);
    }
    ::close(tube[1]);
    std::string recu;
    char tampon[65536];
    for (;;) {
        const ssize_t n = ::read(tube[0], tampon, sizeof tampon);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        recu.append(tampon, static_cast<std::size_t>(n));
    }
    ::close(tube[0]);
    int etat = 0;
    while (::waitpid(pid, &etat, 0) < 0 && errno == EINTR) {
    }
    const bool fini = WIFEXITED(etat) && WEXITSTATUS(etat) == 0;
    if (!fini || recu.empty()) return refus("classeur endommagé (sa lecture a échoué)");

    if (recu[0] == 'E' && recu.size() >= 1 + sizeof(int)) {
        int code = 0;
        std::memcpy(&code, recu.data() + 1, sizeof code);
        return refus(code == 1 ? "classeur protégé par un mot de passe" : raison(code));
    }
    std::unique_ptr<ClasseurXls> c(new ClasseurXls);
    std::size_t p = 0;
    const std::size_t entete = 1 + sizeof(std::uint32_t) + sizeof(std::uint16_t) + sizeof(std::uint32_t);
    while (p < recu.size() && recu[p] == 'C' && p + entete <= recu.size()) {
        std::uint32_t l = 0, n = 0;
        std::uint16_t col = 0;
        std::memcpy(&l, recu.data() + p + 1, sizeof l);
        std::memcpy(&col, recu.data() + p + 1 + sizeof l, sizeof col);
        std::memcpy(&n, recu.data() + p + 1 + sizeof l + sizeof col, sizeof n);
        p += entete;
        if (n > recu.size() - p) break;
        c->pose(l, col, recu.substr(p, n));
        p += n;
    }
    if (p + 1 != recu.size() || recu[p] != 'F') return refus("classeur endommagé (sa lecture a échoué)");
    std::string octets;
    try {
        octets = lit_fichier(chemin);
    } catch (const ErreurFichier&) {
        return refus("fichier introuvable ou illisible");
    }
    for (const auto& [cle, f] : resultats_formules_xls(octets)) {
        const auto ligne = static_cast<std::uint32_t>(cle >> 16), colonne = static_cast<std::uint32_t>(cle & 0xFFFF);
        if (c->contient(ligne, colonne)) continue;
        if (f.sorte == ResultatFormule::Sorte::aucun) return refus(formule_sans_resultat(ligne, colonne));
        std::string t = f.texte;
        if (f.sorte == ResultatFormule::Sorte::booleen) {
            FreeXL_CellValue v{};
            v.type = FREEXL_CELL_INT;
            v.value.int_value = f.nombre != 0 ? 1 : 0;
            t = texte(v);
        } else if (f.sorte == ResultatFormule::Sorte::nombre) {
            const auto date = f.temps == SorteTemps::aucune ? std::nullopt : texte_serie(f.nombre, f.depuis_1904, f.temps);
            t = date ? *date : texte_nombre_classeur(f.nombre);
        }
        c->pose(ligne, colonne, std::move(t));
    }
    return c;
}

} // namespace vuv
