#pragma once
// A lock file held with flock while the object lives. The kernel drops the lock when the
// process ends, however it ends: a file whose lock is free belongs to no running program.
#include <string>

namespace vuv {

class Verrou {
public:
    Verrou() = default;
    ~Verrou();
    Verrou(Verrou&& autre) noexcept;
    Verrou& operator=(Verrou&& autre) noexcept;
    Verrou(const Verrou&) = delete;
    Verrou& operator=(const Verrou&) = delete;

    // Opens (creating it when missing; with `nouveau`, only a file that did not exist) and locks
    // without waiting. On failure nothing is held and `code` is the errno value: EWOULDBLOCK
    // when a running program holds it.
    static Verrou prend(const std::string& chemin, bool nouveau, int& code);

    bool tenu() const { return fd_ >= 0; }
    // Replaces what the lock file holds; false when not held or not written.
    bool ecrit(const std::string& texte);
    // Deletes the file while still holding it, then lets go.
    void supprime();
    void relache();

private:
    int fd_ = -1;
    std::string chemin_;
};

} // namespace vuv
