// Writes the sample map: vuviviva_sample [output.jpg] (default samples/carte_exemple.jpg
// relative to the current folder). Runs without a display.
#include "imaging/EncodageImage.h"
#include "samples/CarteExemple.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString sortie = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("samples/carte_exemple.jpg");
    // A light grain keeps the file small; the benchmarks use a coarser one.
    const QImage carte = vuv::exemple::dessine_carte({.grain = 0});
    const vuv::ResultatEcriture r = vuv::ecrit_jpeg(carte, sortie);
    if (!r) {
        std::fprintf(stderr, "%s\n", qPrintable(r.message));
        return 1;
    }
    std::printf("%s : %d x %d\n", qPrintable(sortie), carte.width(), carte.height());
    return 0;
}
