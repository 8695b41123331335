#include "imaging/metafichier/Joueur.h"

#include <QByteArray>

#include <bit>

namespace vuv::mf {

namespace {

constexpr std::int64_t pixels_max = 100'000'000;

int decalage(std::uint32_t masque) { return masque ? std::countr_zero(masque) : 0; }
int bits(std::uint32_t masque) { return std::popcount(masque); }

int canal(std::uint32_t v, std::uint32_t masque) {
    if (!masque) return 0;
    const std::uint32_t x = (v & masque) >> decalage(masque);
    const int n = bits(masque);
    return n >= 8 ? static_cast<int>(x >> (n - 8)) : static_cast<int>(x * 255 / ((1u << n) - 1));
}

} // namespace

QImage dib_en_image(const unsigned char* bmi, std::size_t cb_bmi, const unsigned char* bits_, std::size_t cb_bits) {
    Champs h(bmi, cb_bmi);
    const std::uint32_t taille_entete = h.u32(0);
    if (taille_entete < 40 || taille_entete > cb_bmi) return {};
    const std::int32_t l = h.i32(4), hauteur = h.i32(8);
    const int bpp = h.u16(14);
    const std::uint32_t compression = h.u32(16);
    if (compression == 4 || compression == 5) {  // JPEG or PNG inside
        QImage im;
        im.loadFromData(bits_, static_cast<qsizetype>(cb_bits));
        return im.convertToFormat(QImage::Format_ARGB32);
    }
    if (l <= 0 || hauteur == 0 || hauteur == INT32_MIN) return {};
    const std::int64_t haut = hauteur < 0 ? -std::int64_t{hauteur} : hauteur;
    if (std::int64_t{l} * haut > pixels_max) return {};
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return {};
    if (compression != 0 && !(compression == 3 && (bpp == 16 || bpp == 32))) return {};
    const std::int64_t pas = (std::int64_t{l} * bpp + 31) / 32 * 4;
    // A bitmap never reads past its own bits.
    if (pas * haut > static_cast<std::int64_t>(cb_bits)) return {};
    std::vector<QRgb> palette;
    if (bpp <= 8) {
        std::uint32_t n = h.u32(32);
        if (n == 0 || n > (1u << bpp)) n = 1u << bpp;
        for (std::uint32_t k = 0; k < n && h.tient(taille_entete + 4 * k, 4); ++k) {
            const std::size_t i = taille_entete + 4 * k;
            palette.push_back(qRgb(h.u8(i + 2), h.u8(i + 1), h.u8(i)));
        }
        palette.resize(std::size_t{1} << bpp, qRgb(0, 0, 0));
    }
    std::uint32_t mr = 0xFF0000, mv = 0xFF00, mb = 0xFF;
    if (bpp == 16) mr = 0x7C00, mv = 0x3E0, mb = 0x1F;
    if (compression == 3) mr = h.u32(40), mv = h.u32(44), mb = h.u32(48);  // right after, or inside a V4 header
    QImage im(l, static_cast<int>(haut), QImage::Format_RGB32);
    if (im.isNull()) return {};
    for (std::int64_t y = 0; y < haut; ++y) {
        const unsigned char* s = bits_ + (hauteur > 0 ? haut - 1 - y : y) * pas;
        auto* d = reinterpret_cast<QRgb*>(im.scanLine(static_cast<int>(y)));
        for (std::int32_t x = 0; x < l; ++x) {
            switch (bpp) {
            case 1: d[x] = palette[(s[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: d[x] = palette[(s[x / 2] >> (x % 2 ? 0 : 4)) & 0xF]; break;
            case 8: d[x] = palette[s[x]]; break;
            case 16: {
                const std::uint32_t v = s[2 * x] | s[2 * x + 1] << 8;
                d[x] = qRgb(canal(v, mr), canal(v, mv), canal(v, mb));
                break;
            }
            case 24: d[x] = qRgb(s[3 * x + 2], s[3 * x + 1], s[3 * x]); break;
            default: {
                const std::uint32_t v = s[4 * x] | s[4 * x + 1] << 8 | s[4 * x + 2] << 16 | std::uint32_t{s[4 * x + 3]} << 24;
                d[x] = qRgb(canal(v, mr), canal(v, mv), canal(v, mb));
                break;
            }
            }
        }
    }
    return im;
}

QString texte_ansi(const unsigned char* o, std::size_t n, int jeu) {
    static const char16_t de_80[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                        0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    QString s;
    s.reserve(static_cast<qsizetype>(n));
    for (std::size_t k = 0; k < n; ++k) {
        const unsigned char b = o[k];
        if (b == 0) break;
        s += QChar(jeu != 2 && b >= 0x80 && b < 0xA0 ? de_80[b - 0x80] : static_cast<char16_t>(b));
    }
    return s;
}

} // namespace vuv::mf
