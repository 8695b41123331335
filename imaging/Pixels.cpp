#include "imaging/Pixels.h"

#include <cstdint>
#include <sys/mman.h>

namespace vuv {

VuePixels vue_pixels(QImage& image) {
    VuePixels v;
    switch (image.format()) {
    case QImage::Format_Indexed8: v.format = FormatPixels::indexe8; break;
    case QImage::Format_RGB555: v.format = FormatPixels::rgb555; break;
    case QImage::Format_RGB32: v.format = FormatPixels::rgb32; break;
    default: return v;
    }
    if (image.isNull()) return v;
    v.donnees = image.bits();
    v.largeur = image.width();
    v.hauteur = image.height();
    v.octets_par_ligne = static_cast<long>(image.bytesPerLine());
    return v;
}

QImage nouvelle_image(int largeur, int hauteur, QImage::Format format) {
    QImage image(largeur, hauteur, format);
    if (image.isNull()) return image;
    // QImage's own buffer is kept (rather than an mmap wrapped with a cleanup function) so the
    // image stays an ordinary owning QImage; glibc serves such sizes with a fresh mmap, and
    // only the partial 2 MB pages at both ends miss the advice.
    constexpr std::uintptr_t page_enorme = std::uintptr_t{2} << 20;
    const auto taille = static_cast<std::uintptr_t>(image.sizeInBytes());
    if (taille >= 4 * page_enorme) {
        const auto debut = reinterpret_cast<std::uintptr_t>(image.bits());
        const std::uintptr_t a = (debut + page_enorme - 1) & ~(page_enorme - 1);
        const std::uintptr_t b = (debut + taille) & ~(page_enorme - 1);
        if (b > a) ::madvise(reinterpret_cast<void*>(a), b - a, MADV_HUGEPAGE);
    }
    return image;
}

int bits_par_pixel(const QImage& image) {
    if (image.format() == QImage::Format_RGB555) return 15;
    switch (image.depth()) {
    case 1:
    case 8:
    case 16:
    case 24:
    case 32: return image.depth();
    default: return 0;
    }
}

QString LxHxC(const QImage& image) {
    if (image.isNull()) return {};
    const int bits = bits_par_pixel(image);
    // 64-bit: a 400-megapixel image at 32 bits overflows 32-bit arithmetic.
    const long long ko = static_cast<long long>(image.width()) * image.height() * bits / 8192;
    return QString::number(image.width()) + u'x' + QString::number(image.height()) + u'x' +
           QString::number(bits) + u'=' + QString::number(ko) + u' ';
}

} // namespace vuv
