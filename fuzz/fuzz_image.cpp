// The background loader on arbitrary bytes, through the file as the program opens it: the
// decoder chosen by content gives a 15-bit image within the cap, or a French message naming the
// file; never a crash or a hang.
#include "fuzz/fichier_temporaire.h"
#include "imaging/DecodageImage.h"

#include <QtGlobal>

namespace {

// Small enough that a header claiming the most the cap allows still decodes quickly.
constexpr std::int64_t cap = 1'000'000;

void silencieux(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    static const bool une_fois = (qInstallMessageHandler(silencieux), true);
    (void)une_fois;
    const std::string chemin = fuzz::ecrit_temporaire(".img", donnees, taille);
    const QString nom = QString::fromStdString(chemin);
    const vuv::ImageDecodee r = vuv::decode_image(nom, {cap});
    if (r.ok()) {
        const QImage& i = r.image;
        if (i.isNull() || i.format() != QImage::Format_RGB555 || r.format == vuv::FormatImage::inconnu ||
            std::int64_t{i.width()} * i.height() > cap || !r.message.isEmpty())
            std::abort();
    } else if (!r.image.isNull() ||
               (!r.message.startsWith(QStringLiteral("Impossible de lire l'image ") + nom + QStringLiteral(" : ")) &&
                !r.message.startsWith(QStringLiteral("L'image ") + nom + QStringLiteral(" est trop grande : ")))) {
        std::abort();
    }
    std::remove(chemin.c_str());
    return 0;
}
