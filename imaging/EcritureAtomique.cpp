#include "imaging/EcritureAtomique.h"

#include "imaging/DecodeursInternes.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vuv {

namespace {

constexpr std::size_t taille_tampon = std::size_t{1} << 20;

QByteArray natif(const QString& chemin) { return QFile::encodeName(chemin); }

} // namespace

EcritureAtomique::EcritureAtomique(QString cible) : cible_(std::move(cible)) {
    const QFileInfo info(cible_);
    if (info.isDir()) {
        raison_ = QStringLiteral("le chemin désigne un dossier");
        return;
    }
    struct stat st {};
    cible_existait_ = ::stat(natif(cible_).constData(), &st) == 0;
    temporaire_ = cible_ + QStringLiteral(".~enr");
    fd_ = ::open(natif(temporaire_).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd_ < 0) {
        echoue_systeme(errno);
        return;
    }
    // A replaced file keeps its permissions.
    if (cible_existait_ && S_ISREG(st.st_mode)) ::fchmod(fd_, st.st_mode & 07777);
    tampon_.reserve(taille_tampon);
}

EcritureAtomique::~EcritureAtomique() { abandonne(); }

void EcritureAtomique::echoue(const QString& raison) {
    if (raison_.isEmpty()) raison_ = raison.isEmpty() ? QStringLiteral("erreur d'écriture") : raison;
    abandonne();
}

void EcritureAtomique::echoue_systeme(int code) {
    // When creating a file, a missing path means a missing folder.
    echoue(code == ENOENT ? QStringLiteral("le dossier n'existe pas") : detail::raison_systeme(code));
}

void EcritureAtomique::abandonne() {
    tampon_.clear();
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(natif(temporaire_).constData());
    if (raison_.isEmpty()) raison_ = QStringLiteral("enregistrement abandonné");
}

bool EcritureAtomique::vide_tampon() {
    std::size_t fait = 0;
    while (fait < tampon_.size()) {
        const ssize_t n = ::write(fd_, tampon_.data() + fait, tampon_.size() - fait);
        if (n < 0) {
            if (errno == EINTR) continue;
            echoue_systeme(errno);
            return false;
        }
        // A short count is retried; the retry reports the reason (ENOSPC, EFBIG).
        if (n == 0) {
            echoue_systeme(ENOSPC);
            return false;
        }
        fait += static_cast<std::size_t>(n);
    }
    tampon_.clear();
    return true;
}

bool EcritureAtomique::ecrit(const void* octets, std::size_t n) {
    if (fd_ < 0) return false;
    const auto* p = static_cast<const unsigned char*>(octets);
    while (n > 0) {
        const std::size_t k = std::min(n, taille_tampon - tampon_.size());
        tampon_.insert(tampon_.end(), p, p + k);
        p += k;
        n -= k;
        if (tampon_.size() == taille_tampon && !vide_tampon()) return false;
    }
    return true;
}

bool EcritureAtomique::valide() {
    if (fd_ < 0) return false;
    if (!vide_tampon()) return false;
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) {
        echoue_systeme(errno);
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(natif(temporaire_).constData());
        echoue_systeme(code);
        return false;
    }
    if (::rename(natif(temporaire_).constData(), natif(cible_).constData()) != 0) {
        const int code = errno;
        ::unlink(natif(temporaire_).constData());
        echoue_systeme(code);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    const QByteArray dossier = natif(QFileInfo(cible_).absolutePath());
    const int fd_dossier = ::open(dossier.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_dossier >= 0) {
        ::fsync(fd_dossier);
        ::close(fd_dossier);
    }
    return true;
}

QString EcritureAtomique::message(const QString& quoi) const {
    if (ok()) return {};
    QString m = QStringLiteral("Impossible d'enregistrer ");
    if (!quoi.isEmpty()) m += quoi + u' ';
    m += cible_ + QStringLiteral(" : ") + raison_;
    if (cible_existait_) m += QStringLiteral(" ; le fichier existant n'a pas été modifié");
    return m;
}

} // namespace vuv
