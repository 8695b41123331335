// PNG through Qt's own reader, which the platform ships. Qt decodes into a format of its
// choosing, so this one path converts once after decoding; PNG is a convenience here, the
// program's backgrounds being JPEG, BMP, TIFF and GIF.
#include "imaging/DecodeursInternes.h"

#include <QImageReader>

namespace vuv::detail {

ImageDecodee decode_png(const Decodage& d) {
    QImageReader lecteur(d.chemin, "png");
    lecteur.setAutoTransform(false);
    const QSize taille = lecteur.size();
    if (!taille.isValid()) return d.endommage();
    ImageDecodee refus;
    if (!d.accepte(taille.width(), taille.height(), &refus)) return refus;
    // Qt's default 128 MB limit would refuse a 70-megapixel scan that our own cap accepts:
    // allow the widest decoding Qt may choose (64 bits per pixel) for what the cap accepts.
    const std::int64_t octets = std::int64_t{taille.width()} * taille.height() * 8;
    lecteur.setAllocationLimit(static_cast<int>(std::min<std::int64_t>(octets / (1 << 20) + 1, 1 << 30)));
    QImage image;
    if (!lecteur.read(&image)) return d.endommage();
    image.convertTo(QImage::Format_RGB555);
    if (image.isNull()) return d.echec(EchecImage::memoire, QStringLiteral("mémoire insuffisante"));
    return d.reussite(std::move(image));
}

} // namespace vuv::detail
