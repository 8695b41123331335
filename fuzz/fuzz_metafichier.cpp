// The metafile reader and player on arbitrary bytes: a drawing, records named as not drawn, or
// a French message, never a crash. Built twice: EMF seeds, and WMF seeds (FUZZ_WMF).
#include "imaging/Metafichier.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace {

// Text is drawn with the application's fonts, offscreen. The application lives until the
// process ends: destroyed at exit, after Qt's own statics, it would crash.
void application() {
    static QGuiApplication* app = nullptr;
    if (app || QGuiApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char nom[] = "fuzz_metafichier";
    static char* argv[] = {nom, nullptr};
    app = new QGuiApplication(argc, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    application();
#ifdef FUZZ_WMF
    if (taille >= 4 && donnees[0] == 1 && donnees[1] == 0 && donnees[2] == 0 && donnees[3] == 0) return -1;  // EMF
    const QString nom = QStringLiteral("f.wmf");
#else
    const QString nom = QStringLiteral("f.emf");
#endif
    const QByteArray octets(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    // A small cap keeps every run quick; the refusal path is exercised as well.
    const vuv::Metafichier m = vuv::Metafichier::depuis_octets(octets, nom, 4'000'000);
    if (m.ok()) {
        if (m.largeur() < 0 || m.hauteur() < 0) std::abort();
        (void)m.rasterise(64, 48, Qt::white);
    } else if (!m.message().startsWith(QStringLiteral("Impossible de lire le dessin ") + nom + QStringLiteral(" : "))) {
        std::abort();
    }
    return 0;
}

// Fontconfig keeps its font caches for the life of the process; read by LeakSanitizer only.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\nleak:libfreetype\n"; }
