#include "imaging/FormatImage.h"

#include <QFileInfo>
#include <cstring>

namespace vuv {

FormatImage format_des_octets(const unsigned char* o, std::size_t n) {
    auto commence = [&](const char* sig, std::size_t k) {
        return n >= k && std::memcmp(o, sig, k) == 0;
    };
    if (commence("\xFF\xD8\xFF", 3)) return FormatImage::jpeg;
    if (commence("BM", 2)) return FormatImage::bmp;
    // Classic TIFF, then BigTIFF, each in both byte orders.
    if (commence("II*\0", 4) || commence("MM\0*", 4) || commence("II+\0", 4) || commence("MM\0+", 4))
        return FormatImage::tiff;
    if (commence("GIF87a", 6) || commence("GIF89a", 6)) return FormatImage::gif;
    if (commence("\x89PNG\r\n\x1A\n", 8)) return FormatImage::png;
    return FormatImage::inconnu;
}

QString nom_format(FormatImage format) {
    switch (format) {
    case FormatImage::jpeg: return QStringLiteral("JPEG");
    case FormatImage::bmp: return QStringLiteral("BMP");
    case FormatImage::tiff: return QStringLiteral("TIFF");
    case FormatImage::gif: return QStringLiteral("GIF");
    case FormatImage::png: return QStringLiteral("PNG");
    case FormatImage::inconnu: break;
    }
    return {};
}

FormatEnregistrement format_enregistrement(const QString& chemin) {
    const QString extension = QFileInfo(chemin).suffix().toLower();
    if (extension == QStringLiteral("jpg") || extension == QStringLiteral("jpeg")) return FormatEnregistrement::jpeg;
    return FormatEnregistrement::bmp;
}

} // namespace vuv
