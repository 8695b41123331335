// Both metafile readers on arbitrary bytes: a drawing or a French message, never a crash.
#include "imaging/Metafichier.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const QByteArray octets(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    // A small cap keeps every run quick; the refusal path is exercised as well.
    const vuv::Metafichier m = vuv::Metafichier::depuis_octets(octets, QStringLiteral("f.emf"), 4'000'000);
    if (m.ok()) {
        if (m.largeur() < 0 || m.hauteur() < 0) std::abort();
        (void)m.rasterise(32, 24, Qt::white);
    } else if (!m.message().startsWith(QStringLiteral("Impossible de lire le dessin f.emf : "))) {
        std::abort();
    }
    return 0;
}
