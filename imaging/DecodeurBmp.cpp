// Windows bitmaps: 1, 4, 8, 16, 24 and 32 bits, bottom-up or top-down, RLE4/RLE8 and bit
// fields; JPEG or PNG payloads inside a BMP are refused.
#include "imaging/Canaux555.h"
#include "imaging/DecodeursInternes.h"
#include "core/fichiers/PetitBoutiste.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <sys/stat.h>
#include <vector>

namespace vuv::detail {

static_assert(std::endian::native == std::endian::little,
              "16-bit bitmap rows are copied as native words");

namespace {

enum : std::uint32_t { bi_rgb = 0, bi_rle8 = 1, bi_rle4 = 2, bi_bitfields = 3, bi_jpeg = 4,
                       bi_png = 5, bi_alphabitfields = 6 };


// One channel of a bit-field pixel, widened or narrowed to 5 bits.
struct Champ {
    std::uint32_t masque = 0;
    int decalage = 0;
    int bits = 0;

    explicit Champ(std::uint32_t m) : masque(m) {
        if (m == 0) return;
        decalage = std::countr_zero(m);
        bits = std::bit_width(m >> decalage);
    }
    unsigned canal5(std::uint32_t v) const {
        if (bits == 0) return 0;
        const std::uint32_t x = (v & masque) >> decalage;
        if (bits >= 5) return x >> (bits - 5);
        return x * 31 / ((1u << bits) - 1);
    }
};

struct Entete {
    std::int64_t largeur = 0;
    std::int64_t hauteur = 0;  // negative: top-down
    int bits = 0;
    std::uint32_t compression = bi_rgb;
    std::uint32_t couleurs = 0;
    std::uint32_t masques[3] = {0, 0, 0};
    bool noyau = false;  // 12-byte OS/2 header: 3-byte palette entries
    std::int64_t debut_palette = 0;
};

class LecteurBmp {
public:
    LecteurBmp(std::FILE* f, const Decodage& d) : f_(f), d_(d) {}
    ImageDecodee lit();

private:
    bool lit_octets(void* dst, std::size_t n) { return std::fread(dst, 1, n, f_) == n; }
    ImageDecodee lit_sans_compression(QImage& image, std::int64_t debut);
    ImageDecodee lit_rle(QImage& image, std::int64_t debut);
    void convertit_ligne(const unsigned char* src, std::uint16_t* dst, int largeur) const;

    std::FILE* f_;
    const Decodage& d_;
    Entete e_;
    std::int64_t taille_fichier_ = 0;
    std::array<std::uint16_t, 256> palette_{};
};

ImageDecodee LecteurBmp::lit() {
    struct stat st {};
    if (::fstat(fileno(f_), &st) != 0) return d_.echec(EchecImage::illisible, raison_lecture(errno));
    taille_fichier_ = st.st_size;

    unsigned char fichier[14];
    unsigned char info[124] = {};
    if (!lit_octets(fichier, sizeof fichier) || !lit_octets(info, 4)) return d_.endommage();
    const std::uint32_t offset_pixels = lit32(fichier + 10);
    const std::uint32_t taille_info = lit32(info);
    if (taille_info < 12 || (taille_info > 12 && taille_info < 16) || taille_info > 0x10000)
        return d_.endommage();
    const std::size_t a_lire = std::min<std::uint32_t>(taille_info, sizeof info) - 4;
    if (!lit_octets(info + 4, a_lire)) return d_.endommage();

    e_.noyau = taille_info == 12;
    if (e_.noyau) {
        e_.largeur = lit16(info + 4);
        e_.hauteur = lit16(info + 6);
        e_.bits = static_cast<int>(lit16(info + 10));
    } else {
        e_.largeur = static_cast<std::int32_t>(lit32(info + 4));
        e_.hauteur = static_cast<std::int32_t>(lit32(info + 8));
        e_.bits = static_cast<int>(lit16(info + 14));
        e_.compression = lit32(info + 16);
        e_.couleurs = lit32(info + 32);
    }
    e_.debut_palette = 14 + std::int64_t{taille_info};
    if (e_.compression == bi_bitfields || e_.compression == bi_alphabitfields) {
        if (taille_info >= 52) {
            for (int i = 0; i < 3; ++i) e_.masques[i] = lit32(info + 40 + 4 * i);
        } else {
            // The masks follow a 40-byte header.
            const int n = e_.compression == bi_alphabitfields ? 16 : 12;
            unsigned char m[16];
            if (std::fseek(f_, static_cast<long>(e_.debut_palette), SEEK_SET) != 0 || !lit_octets(m, n))
                return d_.endommage();
            for (int i = 0; i < 3; ++i) e_.masques[i] = lit32(m + 4 * i);
            e_.debut_palette += n;
        }
    }

    const std::int64_t hauteur = e_.hauteur < 0 ? -e_.hauteur : e_.hauteur;
    switch (e_.compression) {
    case bi_rgb:
        if (e_.bits != 1 && e_.bits != 4 && e_.bits != 8 && e_.bits != 16 && e_.bits != 24 &&
            e_.bits != 32)
            return d_.non_pris_en_charge(QStringLiteral("BMP de ") + QString::number(e_.bits) + QStringLiteral(" bits par pixel"));
        break;
    case bi_rle8:
    case bi_rle4:
        if (e_.bits != (e_.compression == bi_rle8 ? 8 : 4) || e_.hauteur < 0) return d_.endommage();
        break;
    case bi_bitfields:
    case bi_alphabitfields:
        if (e_.bits != 16 && e_.bits != 32) return d_.endommage();
        break;
    case bi_jpeg: return d_.non_pris_en_charge(QStringLiteral("BMP contenant du JPEG"));
    case bi_png: return d_.non_pris_en_charge(QStringLiteral("BMP contenant du PNG"));
    default:
        return d_.non_pris_en_charge(QStringLiteral("BMP compressé (type ") + QString::number(e_.compression) + u')');
    }
    ImageDecodee refus;
    if (!d_.accepte(e_.largeur, hauteur, &refus)) return refus;

    std::int64_t debut_pixels = offset_pixels;
    if (e_.bits <= 8) {
        const std::uint32_t max = 1u << e_.bits;
        std::uint32_t n = e_.couleurs != 0 && e_.couleurs < max ? e_.couleurs : max;
        const int taille_entree = e_.noyau ? 3 : 4;
        const std::int64_t fin_palette = e_.debut_palette + std::int64_t{n} * taille_entree;
        // Some writers leave out the unused entries: the pixel offset bounds the palette.
        if (offset_pixels >= e_.debut_palette + taille_entree && offset_pixels < fin_palette)
            n = static_cast<std::uint32_t>((offset_pixels - e_.debut_palette) / taille_entree);
        else if (offset_pixels < e_.debut_palette)
            debut_pixels = fin_palette;
        unsigned char brute[256 * 4];
        if (std::fseek(f_, static_cast<long>(e_.debut_palette), SEEK_SET) != 0 ||
            !lit_octets(brute, std::size_t{n} * taille_entree))
            return d_.endommage();
        for (std::uint32_t i = 0; i < n; ++i) {
            const unsigned char* p = brute + i * taille_entree;
            palette_[i] = rgb555(p[2], p[1], p[0]);
        }
    }

    if (e_.compression == bi_rle8 || e_.compression == bi_rle4) {
        if (debut_pixels >= taille_fichier_) return d_.endommage();
    } else {
        // Refused before allocating: a short file cannot hold the rows its header claims.
        const std::int64_t pas = ((e_.largeur * e_.bits + 31) / 32) * 4;
        const std::int64_t derniere = (e_.largeur * e_.bits + 7) / 8;
        if (debut_pixels + pas * (hauteur - 1) + derniere > taille_fichier_) return d_.endommage();
    }
    QImage image = d_.alloue(e_.largeur, hauteur, &refus);
    if (image.isNull()) return refus;
    ImageDecodee r = e_.compression == bi_rle8 || e_.compression == bi_rle4
                         ? lit_rle(image, debut_pixels)
                         : lit_sans_compression(image, debut_pixels);
    if (!r.ok()) return r;
    return d_.reussite(std::move(image));
}

void LecteurBmp::convertit_ligne(const unsigned char* src, std::uint16_t* dst, int largeur) const {
    switch (e_.bits) {
    case 1:
        for (int x = 0; x < largeur; ++x) dst[x] = palette_[(src[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    case 4:
        for (int x = 0; x < largeur; ++x) dst[x] = palette_[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
        break;
    case 8:
        for (int x = 0; x < largeur; ++x) dst[x] = palette_[src[x]];
        break;
    case 24:
        for (int x = 0; x < largeur; ++x, src += 3) dst[x] = rgb555(src[2], src[1], src[0]);
        break;
    case 16:
    case 32: {
        const bool champs = e_.compression != bi_rgb;
        if (e_.bits == 16 && !champs) {
            // 5-5-5 already: the rows were read in place; only the unused top bit is cleared.
            for (int x = 0; x < largeur; ++x) dst[x] &= 0x7FFF;
            break;
        }
        if (e_.bits == 32 && (!champs || (e_.masques[0] == 0xFF0000 && e_.masques[1] == 0xFF00 &&
                                          e_.masques[2] == 0xFF))) {
            for (int x = 0; x < largeur; ++x, src += 4) dst[x] = rgb555(src[2], src[1], src[0]);
            break;
        }
        if (e_.bits == 16 && e_.masques[0] == 0xF800 && e_.masques[1] == 0x7E0 && e_.masques[2] == 0x1F) {
            for (int x = 0; x < largeur; ++x) {
                const std::uint32_t v = lit16(src + 2 * x);
                dst[x] = static_cast<std::uint16_t>(((v >> 1) & 0x7FE0) | (v & 0x1F));
            }
            break;
        }
        const Champ r(e_.masques[0]), g(e_.masques[1]), b(e_.masques[2]);
        for (int x = 0; x < largeur; ++x) {
            const std::uint32_t v = e_.bits == 16 ? lit16(src + 2 * x) : lit32(src + 4 * x);
            dst[x] = static_cast<std::uint16_t>((r.canal5(v) << 10) | (g.canal5(v) << 5) | b.canal5(v));
        }
        break;
    }
    default: break;
    }
}

ImageDecodee LecteurBmp::lit_sans_compression(QImage& image, std::int64_t debut) {
    const int largeur = image.width();
    const int hauteur = image.height();
    const std::size_t pas = static_cast<std::size_t>(((std::int64_t{largeur} * e_.bits + 31) / 32) * 4);
    const std::size_t utiles = static_cast<std::size_t>((std::int64_t{largeur} * e_.bits + 7) / 8);
    const bool en_place = e_.bits == 16 && e_.compression == bi_rgb;
    std::vector<unsigned char> ligne(en_place ? pas - utiles : pas);
    if (::fseeko(f_, debut, SEEK_SET) != 0) return d_.endommage();
    for (int i = 0; i < hauteur; ++i) {
        const int y = e_.hauteur > 0 ? hauteur - 1 - i : i;
        auto* dst = reinterpret_cast<std::uint16_t*>(image.scanLine(y));
        const std::size_t bourrage = i + 1 < hauteur ? pas - utiles : 0;
        if (en_place) {
            if (!lit_octets(dst, utiles) || !lit_octets(ligne.data(), bourrage)) return d_.endommage();
        } else if (!lit_octets(ligne.data(), utiles + bourrage)) {
            return d_.endommage();
        }
        convertit_ligne(ligne.data(), dst, largeur);
    }
    return d_.reussite({});
}

ImageDecodee LecteurBmp::lit_rle(QImage& image, std::int64_t debut) {
    const std::int64_t largeur = image.width();
    const std::int64_t hauteur = image.height();
    std::vector<unsigned char> donnees(static_cast<std::size_t>(taille_fichier_ - debut));
    if (::fseeko(f_, debut, SEEK_SET) != 0 || !lit_octets(donnees.data(), donnees.size()))
        return d_.endommage();
    // Pixels that the deltas skip keep palette entry 0.
    for (int y = 0; y < image.height(); ++y) {
        auto* dst = reinterpret_cast<std::uint16_t*>(image.scanLine(y));
        std::fill(dst, dst + largeur, palette_[0]);
    }
    const bool rle4 = e_.compression == bi_rle4;
    std::int64_t x = 0, ligne = 0;
    auto pose = [&](unsigned index) {
        if (x < largeur && ligne < hauteur)
            reinterpret_cast<std::uint16_t*>(image.scanLine(static_cast<int>(hauteur - 1 - ligne)))[x] =
                palette_[index];
        ++x;
    };
    const std::size_t n = donnees.size();
    std::size_t p = 0;
    while (ligne < hauteur) {
        if (p + 2 > n) {
            if (ligne == hauteur - 1 && x >= largeur) break;
            return d_.endommage();
        }
        const unsigned a = donnees[p], b = donnees[p + 1];
        p += 2;
        if (a > 0) {
            const std::int64_t reste = largeur - x;
            const unsigned compte = reste <= 0 ? 0 : static_cast<unsigned>(std::min<std::int64_t>(a, reste));
            for (unsigned k = 0; k < compte; ++k) pose(rle4 ? (k & 1 ? b & 0xF : b >> 4) : b);
            x += a - compte;
        } else if (b == 0) {
            x = 0;
            ++ligne;
        } else if (b == 1) {
            break;
        } else if (b == 2) {
            if (p + 2 > n) return d_.endommage();
            x = std::min<std::int64_t>(x + donnees[p], largeur);
            ligne = std::min<std::int64_t>(ligne + donnees[p + 1], hauteur);
            p += 2;
        } else {
            const std::size_t octets = rle4 ? (b + 1) / 2 : b;
            if (p + octets > n) return d_.endommage();
            for (unsigned k = 0; k < b; ++k) {
                const unsigned o = donnees[p + (rle4 ? k / 2 : k)];
                pose(rle4 ? (k & 1 ? o & 0xF : o >> 4) : o);
            }
            p += octets + (octets & 1);
        }
        x = std::min(x, largeur);
    }
    return d_.reussite({});
}

} // namespace

ImageDecodee decode_bmp(std::FILE* f, const Decodage& d) { return LecteurBmp(f, d).lit(); }

} // namespace vuv::detail
