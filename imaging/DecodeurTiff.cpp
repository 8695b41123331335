// TIFF through libtiff, first directory only. Common scans (grey, palette, RGB, CMYK in
// contiguous strips) are read scanline by scanline; anything else goes through libtiff's RGBA
// reader one strip or tile at a time. libtiff's messages never reach stderr: the first error
// becomes part of ours.
#include "imaging/Canaux555.h"
#include "imaging/DecodeursInternes.h"

#include <QFile>
#include <array>
#include <cstdarg>
#include <memory>
#include <mutex>
#include <vector>

#include <tiffio.h>

namespace vuv::detail {

namespace {

struct Messages {
    QString erreur;
};

int note_erreur(TIFF*, void* donnees, const char* module, const char* format, va_list args) {
    auto* m = static_cast<Messages*>(donnees);
    if (m->erreur.isEmpty()) {
        char texte[512];
        std::vsnprintf(texte, sizeof texte, format, args);
        m->erreur = QString::fromLocal8Bit(texte);
        if (module && *module) m->erreur = QString::fromLocal8Bit(module) + QStringLiteral(": ") + m->erreur;
    }
    return 1;  // handled: libtiff's global handler stays silent
}

int ignore_avertissement(TIFF*, void*, const char*, const char*, va_list) { return 1; }

void silence_global() {
    static std::once_flag une_fois;
    std::call_once(une_fois, [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
    });
}

struct FermeTiff {
    void operator()(TIFF* t) const { TIFFClose(t); }
};

// A sample of 1 to 8 bits, MSB first; those of 3, 5, 6 or 7 bits may straddle two bytes, so
// the row buffer holds one byte past the row.
unsigned echantillon(const unsigned char* ligne, std::size_t index, int bits) {
    const std::size_t bit = index * static_cast<std::size_t>(bits);
    const unsigned deux = (unsigned{ligne[bit >> 3]} << 8) | ligne[(bit >> 3) + 1];
    return (deux >> (16 - bits - static_cast<int>(bit & 7))) & ((1u << bits) - 1);
}

class LecteurTiff {
public:
    LecteurTiff(TIFF* t, const Decodage& d, Messages& m) : t_(t), d_(d), m_(m) {}
    ImageDecodee lit();

private:
    enum class Genre { gris, palette, rgb, cmjn };
    bool ligne_par_ligne_possible();
    void sans_premultiplication();
    ImageDecodee lit_lignes(QImage& image);
    ImageDecodee lit_rgba(QImage& image);
    void convertit(const unsigned char* src, std::uint16_t* dst, int largeur) const;
    ImageDecodee endommage() const { return d_.endommage(m_.erreur); }

    TIFF* t_;
    const Decodage& d_;
    Messages& m_;
    std::uint16_t bits_ = 1, echantillons_ = 1, photometrie_ = 0;
    Genre genre_ = Genre::gris;
    std::array<std::uint16_t, 256> table_{};  // sample value to pixel for grey and palette
};

ImageDecodee LecteurTiff::lit() {
    std::uint32_t largeur = 0, hauteur = 0;
    if (!TIFFGetField(t_, TIFFTAG_IMAGEWIDTH, &largeur) || !TIFFGetField(t_, TIFFTAG_IMAGELENGTH, &hauteur))
        return endommage();
    ImageDecodee refus;
    if (!d_.accepte(largeur, hauteur, &refus)) return refus;
    // Rows and columns as stored whatever the Orientation tag says, as the JPEG path ignores
    // EXIF's: the calibration absorbs a turn or a mirror, and the rows of every layout, read
    // by either reader, stay in one order.
    TIFFSetField(t_, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    sans_premultiplication();
    const bool par_lignes = ligne_par_ligne_possible();
    if (!par_lignes) {
        char raison[1024] = "";
        if (!TIFFRGBAImageOK(t_, raison))
            return d_.non_pris_en_charge(QStringLiteral("TIFF (") + QString::fromLocal8Bit(raison) + u')');
    }
    QImage image = d_.alloue(largeur, hauteur, &refus);
    if (image.isNull()) return refus;
    ImageDecodee r = par_lignes ? lit_lignes(image) : lit_rgba(image);
    if (!r.ok()) return r;
    return d_.reussite(std::move(image));
}

bool LecteurTiff::ligne_par_ligne_possible() {
    std::uint16_t planar = PLANARCONFIG_CONTIG, format = SAMPLEFORMAT_UINT, encre = INKSET_CMYK,
                  compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(t_, TIFFTAG_BITSPERSAMPLE, &bits_);
    TIFFGetFieldDefaulted(t_, TIFFTAG_SAMPLESPERPIXEL, &echantillons_);
    TIFFGetFieldDefaulted(t_, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(t_, TIFFTAG_SAMPLEFORMAT, &format);
    TIFFGetFieldDefaulted(t_, TIFFTAG_INKSET, &encre);
    TIFFGetFieldDefaulted(t_, TIFFTAG_COMPRESSION, &compression);
    if (!TIFFGetField(t_, TIFFTAG_PHOTOMETRIC, &photometrie_)) return false;
    if (TIFFIsTiled(t_) || planar != PLANARCONFIG_CONTIG || format != SAMPLEFORMAT_UINT) return false;
    if (photometrie_ == PHOTOMETRIC_YCBCR && compression == COMPRESSION_JPEG) {
        // libjpeg converts to RGB while decoding.
        TIFFSetField(t_, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        photometrie_ = PHOTOMETRIC_RGB;
    }
    switch (photometrie_) {
    case PHOTOMETRIC_MINISBLACK:
    case PHOTOMETRIC_MINISWHITE: {
        if (bits_ != 1 && bits_ != 2 && bits_ != 4 && bits_ != 8 && bits_ != 16) return false;
        genre_ = Genre::gris;
        if (bits_ <= 8) {
            const unsigned max = (1u << bits_) - 1;
            for (unsigned v = 0; v <= max; ++v) {
                unsigned g = v * 255 / max;
                if (photometrie_ == PHOTOMETRIC_MINISWHITE) g = 255 - g;
                table_[v] = rgb555(g, g, g);
            }
        }
        return true;
    }
    case PHOTOMETRIC_PALETTE: {
        std::uint16_t *r = nullptr, *g = nullptr, *b = nullptr;
        if (bits_ > 8 || echantillons_ != 1 || !TIFFGetField(t_, TIFFTAG_COLORMAP, &r, &g, &b))
            return false;
        const unsigned n = 1u << bits_;
        // Some writers store 8-bit values in the 16-bit colour map.
        bool huit_bits = true;
        for (unsigned i = 0; i < n; ++i)
            if (r[i] > 255 || g[i] > 255 || b[i] > 255) huit_bits = false;
        const int decalage = huit_bits ? 0 : 8;
        for (unsigned i = 0; i < n; ++i)
            table_[i] = rgb555(r[i] >> decalage, g[i] >> decalage, b[i] >> decalage);
        genre_ = Genre::palette;
        return true;
    }
    case PHOTOMETRIC_RGB:
        genre_ = Genre::rgb;
        return (bits_ == 8 || bits_ == 16) && echantillons_ >= 3;
    case PHOTOMETRIC_SEPARATED:
        genre_ = Genre::cmjn;
        return encre == INKSET_CMYK && bits_ == 8 && echantillons_ >= 4;
    default: return false;
    }
}

// Every path shows the stored colour and ignores alpha (strips here, PNG, BMP, GIF), but the
// RGBA reader premultiplies unassociated alpha: it is told the samples are associated already.
void LecteurTiff::sans_premultiplication() {
    std::uint16_t n = 0;
    const std::uint16_t* genres = nullptr;
    if (!TIFFGetField(t_, TIFFTAG_EXTRASAMPLES, &n, &genres) || n == 0) return;
    std::vector<std::uint16_t> associes(genres, genres + n);  // libtiff frees the old array
    for (std::uint16_t& g : associes)
        if (g == EXTRASAMPLE_UNASSALPHA) g = EXTRASAMPLE_ASSOCALPHA;
    TIFFSetField(t_, TIFFTAG_EXTRASAMPLES, n, associes.data());
}

void LecteurTiff::convertit(const unsigned char* src, std::uint16_t* dst, int largeur) const {
    const std::size_t n = echantillons_;
    const auto* src16 = reinterpret_cast<const std::uint16_t*>(src);  // libtiff swaps to native order
    switch (genre_) {
    case Genre::gris:
        if (bits_ == 16) {
            const bool inverse = photometrie_ == PHOTOMETRIC_MINISWHITE;
            for (int x = 0; x < largeur; ++x) {
                unsigned g = src16[x * n] >> 8;
                if (inverse) g = 255 - g;
                dst[x] = rgb555(g, g, g);
            }
        } else if (bits_ == 8) {
            for (int x = 0; x < largeur; ++x) dst[x] = table_[src[x * n]];
        } else {
            for (int x = 0; x < largeur; ++x) dst[x] = table_[echantillon(src, x * n, bits_)];
        }
        break;
    case Genre::palette:
        if (bits_ == 8) {
            for (int x = 0; x < largeur; ++x) dst[x] = table_[src[x]];
        } else {
            for (int x = 0; x < largeur; ++x) dst[x] = table_[echantillon(src, x, bits_)];
        }
        break;
    case Genre::rgb:
        if (bits_ == 16) {
            for (int x = 0; x < largeur; ++x) {
                const std::uint16_t* p = src16 + x * n;
                dst[x] = rgb555(p[0] >> 8, p[1] >> 8, p[2] >> 8);
            }
        } else {
            for (int x = 0; x < largeur; ++x) {
                const unsigned char* p = src + x * n;
                dst[x] = rgb555(p[0], p[1], p[2]);
            }
        }
        break;
    case Genre::cmjn:
        for (int x = 0; x < largeur; ++x) {
            const unsigned char* p = src + x * n;
            const unsigned k = 255 - p[3];
            dst[x] = rgb555((255 - p[0]) * k / 255, (255 - p[1]) * k / 255, (255 - p[2]) * k / 255);
        }
        break;
    }
}

ImageDecodee LecteurTiff::lit_lignes(QImage& image) {
    const std::uint64_t taille = TIFFScanlineSize64(t_);
    const std::uint64_t necessaire =
        (std::uint64_t{static_cast<unsigned>(image.width())} * echantillons_ * bits_ + 7) / 8;
    if (taille < necessaire) return endommage();
    std::vector<unsigned char> ligne(taille + 1);
    for (int y = 0; y < image.height(); ++y) {
        if (TIFFReadScanline(t_, ligne.data(), static_cast<std::uint32_t>(y), 0) < 0) return endommage();
        convertit(ligne.data(), reinterpret_cast<std::uint16_t*>(image.scanLine(y)), image.width());
    }
    return d_.reussite({});
}

std::uint16_t pixel_rgba(std::uint32_t v) {
    return rgb555(TIFFGetR(v), TIFFGetG(v), TIFFGetB(v));
}

ImageDecodee LecteurTiff::lit_rgba(QImage& image) {
    const std::uint32_t largeur = static_cast<std::uint32_t>(image.width());
    const std::uint32_t hauteur = static_cast<std::uint32_t>(image.height());
    // libtiff hands back each strip or tile bottom row first.
    if (TIFFIsTiled(t_)) {
        std::uint32_t tl = 0, th = 0;
        if (!TIFFGetField(t_, TIFFTAG_TILEWIDTH, &tl) || !TIFFGetField(t_, TIFFTAG_TILELENGTH, &th) ||
            tl == 0 || th == 0 || std::uint64_t{tl} * th > std::uint64_t(d_.pixels_max))
            return endommage();
        std::vector<std::uint32_t> tuile(std::size_t{tl} * th);
        for (std::uint32_t ty = 0; ty < hauteur; ty += th) {
            for (std::uint32_t tx = 0; tx < largeur; tx += tl) {
                if (!TIFFReadRGBATile(t_, tx, ty, tuile.data())) return endommage();
                const std::uint32_t nl = std::min(th, hauteur - ty), nc = std::min(tl, largeur - tx);
                for (std::uint32_t r = 0; r < nl; ++r) {
                    const std::uint32_t* src = tuile.data() + std::size_t{th - 1 - r} * tl;
                    auto* dst = reinterpret_cast<std::uint16_t*>(image.scanLine(static_cast<int>(ty + r))) + tx;
                    for (std::uint32_t c = 0; c < nc; ++c) dst[c] = pixel_rgba(src[c]);
                }
            }
        }
        return d_.reussite({});
    }
    std::uint32_t par_bande = hauteur;
    TIFFGetFieldDefaulted(t_, TIFFTAG_ROWSPERSTRIP, &par_bande);
    par_bande = std::clamp<std::uint32_t>(par_bande, 1, hauteur);
    if (std::uint64_t{largeur} * par_bande > std::uint64_t(d_.pixels_max)) return endommage();
    std::vector<std::uint32_t> bande(std::size_t{largeur} * par_bande);
    for (std::uint32_t y = 0; y < hauteur; y += par_bande) {
        if (!TIFFReadRGBAStrip(t_, y, bande.data())) return endommage();
        const std::uint32_t n = std::min(par_bande, hauteur - y);
        for (std::uint32_t r = 0; r < n; ++r) {
            const std::uint32_t* src = bande.data() + std::size_t{n - 1 - r} * largeur;
            auto* dst = reinterpret_cast<std::uint16_t*>(image.scanLine(static_cast<int>(y + r)));
            for (std::uint32_t c = 0; c < largeur; ++c) dst[c] = pixel_rgba(src[c]);
        }
    }
    return d_.reussite({});
}

} // namespace

ImageDecodee decode_tiff(const Decodage& d) {
    silence_global();
    Messages messages;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, note_erreur, &messages);
    TIFFOpenOptionsSetWarningHandlerExtR(options, ignore_avertissement, nullptr);
    // Memory-mapped reading: libtiff 4.5's RGBA tile reader fails on unmapped files.
    std::unique_ptr<TIFF, FermeTiff> t(TIFFOpenExt(QFile::encodeName(d.chemin).constData(), "r", options));
    TIFFOpenOptionsFree(options);
    if (!t) return d.endommage(messages.erreur);
    return LecteurTiff(t.get(), d, messages).lit();
}

} // namespace vuv::detail
