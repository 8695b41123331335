#include "core/fichiers/EcritureSure.h"

#include "core/fichiers/RaisonSysteme.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vuv {

namespace {

constexpr std::size_t taille_tampon = std::size_t{1} << 20;

std::string dossier_de(const std::string& chemin) {
    const std::size_t barre = chemin.find_last_of('/');
    if (barre == std::string::npos) return ".";
    return barre == 0 ? "/" : chemin.substr(0, barre);
}

} // namespace

EcritureSure::EcritureSure(std::string cible) : cible_(std::move(cible)) {
    struct stat st {};
    const bool existe = ::stat(cible_.c_str(), &st) == 0;
    if (existe && S_ISDIR(st.st_mode)) {
        echoue_systeme(EISDIR);
        return;
    }
    cible_existait_ = existe;
    temporaire_ = cible_ + ".~enr";
    fd_ = ::open(temporaire_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd_ < 0) {
        echoue_systeme(errno);
        return;
    }
    if (cible_existait_ && S_ISREG(st.st_mode)) ::fchmod(fd_, st.st_mode & 07777);
}

EcritureSure::~EcritureSure() { abandonne(); }

void EcritureSure::echoue(std::string raison) {
    if (raison_.empty()) raison_ = raison.empty() ? "erreur d'écriture" : std::move(raison);
    abandonne();
}

void EcritureSure::echoue_systeme(int code) { echoue(raison_systeme(code, Acces::ecriture)); }

void EcritureSure::abandonne() {
    tampon_.clear();
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temporaire_.c_str());
    if (raison_.empty()) raison_ = "enregistrement abandonné";
}

bool EcritureSure::ecrit_tout(const unsigned char* octets, std::size_t n) {
    std::size_t fait = 0;
    while (fait < n) {
        const ssize_t k = ::write(fd_, octets + fait, n - fait);
        if (k < 0) {
            if (errno == EINTR) continue;
            echoue_systeme(errno);
            return false;
        }
        // A short count is retried; the retry reports the reason (ENOSPC, EFBIG).
        if (k == 0) {
            echoue_systeme(ENOSPC);
            return false;
        }
        fait += static_cast<std::size_t>(k);
    }
    return true;
}

bool EcritureSure::ecrit(const void* octets, std::size_t n) {
    if (fd_ < 0) return false;
    const auto* p = static_cast<const unsigned char*>(octets);
    // Big blocks go straight to the file: copying them into the buffer first costs a pass.
    if (n >= taille_tampon / 4) {
        if (!tampon_.empty()) {
            if (!ecrit_tout(tampon_.data(), tampon_.size())) return false;
            tampon_.clear();
        }
        return ecrit_tout(p, n);
    }
    while (n > 0) {
        if (tampon_.capacity() < taille_tampon) tampon_.reserve(taille_tampon);
        const std::size_t k = std::min(n, taille_tampon - tampon_.size());
        tampon_.insert(tampon_.end(), p, p + k);
        p += k;
        n -= k;
        if (tampon_.size() == taille_tampon) {
            if (!ecrit_tout(tampon_.data(), tampon_.size())) return false;
            tampon_.clear();
        }
    }
    return true;
}

bool EcritureSure::acheve() {
    if (fd_ < 0) return false;
    if (!ecrit_tout(tampon_.data(), tampon_.size())) return false;
    tampon_.clear();
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) {
        echoue_systeme(errno);
        return false;
    }
    return true;
}

bool EcritureSure::valide() {
    if (!acheve()) return false;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(temporaire_.c_str(), cible_.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporaire_.c_str());
        echoue_systeme(code);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const int fd_dossier = ::open(dossier_de(cible_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_dossier >= 0) {
        ::fsync(fd_dossier);
        ::close(fd_dossier);
    }
    return true;
}

std::string EcritureSure::message(std::string_view quoi, bool dit_si_intact) const {
    if (ok()) return {};
    std::string m = "Impossible d'enregistrer ";
    if (!quoi.empty()) (m += quoi) += ' ';
    m += cible_ + " : " + raison_;
    if (dit_si_intact && cible_existait_) m += " ; le fichier existant n'a pas été modifié";
    return m;
}

void ecrit_fichier_sur(const std::string& chemin, std::string_view octets) {
    EcritureSure sortie(chemin);
    sortie.ecrit(octets);
    if (!sortie.valide()) throw ErreurFichier(sortie.message());
}

std::string lit_fichier(const std::string& chemin) {
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f) throw ErreurFichier("Impossible de lire " + chemin + " : " + raison_systeme(errno, Acces::lecture));
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
