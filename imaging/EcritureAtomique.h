#pragma once
// A file written so that a failure never destroys the previous one: the bytes go to a
// temporary file beside the target, every write's count is checked, the data is synced, and
// only then is it renamed over the target. Streams, so a large image needs no whole copy
// in memory.
#include <QString>
#include <cstddef>
#include <vector>

namespace vuv {

class EcritureAtomique {
public:
    explicit EcritureAtomique(QString cible);
    ~EcritureAtomique();  // abandons (removes the temporary file) unless valide() succeeded
    EcritureAtomique(const EcritureAtomique&) = delete;
    EcritureAtomique& operator=(const EcritureAtomique&) = delete;

    // Buffered; false once anything has failed (later calls do nothing).
    bool ecrit(const void* octets, std::size_t n);
    // Flushes, syncs, closes and renames over the target.
    bool valide();
    // Gives up: the target is left as it was.
    void abandonne();
    // After a failure records its own reason (French); earlier failures are kept.
    void echoue(const QString& raison);

    bool ok() const { return raison_.isEmpty(); }
    // French, empty while everything went well.
    const QString& raison() const { return raison_; }
    // "Impossible d'enregistrer <quoi> <cible> : <raison>", and whether the old file survives.
    QString message(const QString& quoi) const;
    const QString& cible() const { return cible_; }

private:
    bool vide_tampon();
    void echoue_systeme(int code);

    QString cible_;
    QString temporaire_;
    int fd_ = -1;
    bool cible_existait_ = false;
    std::vector<unsigned char> tampon_;
    QString raison_;
};

} // namespace vuv
