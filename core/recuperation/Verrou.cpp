#include "core/recuperation/Verrou.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vuv {

Verrou::~Verrou() { relache(); }

Verrou::Verrou(Verrou&& autre) noexcept
    : fd_(std::exchange(autre.fd_, -1)), chemin_(std::move(autre.chemin_)) {}

Verrou& Verrou::operator=(Verrou&& autre) noexcept {
    if (this != &autre) {
        relache();
        fd_ = std::exchange(autre.fd_, -1);
        chemin_ = std::move(autre.chemin_);
    }
    return *this;
}

Verrou Verrou::prend(const std::string& chemin, bool nouveau, int& code) {
    Verrou v;
    // A lock is good only on the file the path still names: another program may have deleted
    // a dead program's lock between our open and our flock.
    for (int essai = 0; essai < 10; ++essai) {
        // Close-on-exec: a program started from here (a text editor) would otherwise keep the
        // lock alive after this one died, and its work would never be offered back.
        const int fd =
            ::open(chemin.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | (nouveau ? O_EXCL : 0), 0600);
        if (fd < 0) {
            code = errno;
            return v;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            code = errno;
            ::close(fd);
            return v;
        }
        struct stat tenu {}, nomme {};
        if (::fstat(fd, &tenu) == 0 && ::stat(chemin.c_str(), &nomme) == 0 && tenu.st_ino == nomme.st_ino &&
            tenu.st_dev == nomme.st_dev) {
            code = 0;
            v.fd_ = fd;
            v.chemin_ = chemin;
            return v;
        }
        ::close(fd);
    }
    code = EWOULDBLOCK;
    return v;
}

bool Verrou::ecrit(const std::string& texte) {
    if (fd_ < 0 || ::ftruncate(fd_, 0) != 0) return false;
    return ::pwrite(fd_, texte.data(), texte.size(), 0) == static_cast<ssize_t>(texte.size());
}

void Verrou::supprime() {
    if (fd_ < 0) return;
    ::unlink(chemin_.c_str());
    relache();
}

void Verrou::relache() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

} // namespace vuv
