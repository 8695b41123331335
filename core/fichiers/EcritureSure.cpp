#include "core/fichiers/EcritureSure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vuv {

std::string raison_systeme(int code) {
    switch (code) {
    case ENOSPC: return "le disque est plein";
    case EDQUOT: return "le quota disque est dépassé";
    case EFBIG: return "le fichier dépasse la taille permise";
    case EACCES:
    case EPERM: return "l'accès est refusé";
    case ENOENT: return "le dossier n'existe pas";
    case ENOTDIR: return "un élément du chemin n'est pas un dossier";
    case EISDIR: return "le chemin désigne un dossier";
    case EROFS: return "le support est en lecture seule";
    case EIO: return "erreur d'entrée/sortie du support";
    case ENAMETOOLONG: return "le nom est trop long";
    default: return std::strerror(code);
    }
}

namespace {

[[noreturn]] void echec(const std::string& chemin, int code) {
    throw ErreurFichier("Impossible d'enregistrer " + chemin + " : " + raison_systeme(code));
}

} // namespace

void ecrit_fichier_sur(const std::string& chemin, std::string_view octets) {
    const std::string temporaire = chemin + ".~enr";
    const int fd = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) echec(chemin, errno);
    auto abandonne = [&](int code) {
        ::close(fd);
        ::unlink(temporaire.c_str());
        echec(chemin, code);
    };
    std::size_t ecrits = 0;
    while (ecrits < octets.size()) {
        // A short count without an error (disk full) is retried, and then reports ENOSPC.
        const ssize_t n = ::write(fd, octets.data() + ecrits, octets.size() - ecrits);
        if (n < 0) {
            if (errno == EINTR) continue;
            abandonne(errno);
        }
        if (n == 0) abandonne(ENOSPC);
        ecrits += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) abandonne(errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temporaire.c_str());
        echec(chemin, code);
    }
    if (::rename(temporaire.c_str(), chemin.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporaire.c_str());
        echec(chemin, code);
    }
}

std::string lit_fichier(const std::string& chemin) {
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f) throw ErreurFichier("Impossible de lire " + chemin + " : " + raison_systeme(errno));
    std::string octets;
    // Read in place at the size the file has now; a file still growing is read on to its end.
    struct stat etat {};
    if (::fstat(::fileno(f), &etat) == 0 && etat.st_size > 0)
        octets.resize(static_cast<std::size_t>(etat.st_size));
    std::size_t lus = 0;
    for (;;) {
        if (lus == octets.size()) octets.resize(lus + 65536);
        const std::size_t n = std::fread(octets.data() + lus, 1, octets.size() - lus, f);
        if (n == 0) break;
        lus += n;
    }
    octets.resize(lus);
    const bool erreur = std::ferror(f) != 0;
    std::fclose(f);
    if (erreur) throw ErreurFichier("Impossible de lire " + chemin + " : erreur d'entrée/sortie");
    return octets;
}

} // namespace vuv
