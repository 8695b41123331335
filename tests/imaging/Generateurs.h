#pragma once
// Test images written byte by byte or through the codec libraries themselves, so that the
// decoders are checked against files they did not produce.
#include "imaging/Canaux555.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gif_lib.h>
#include <tiffio.h>
extern "C" {
#include <jpeglib.h>
}

#include <ostream>

// Readable QString in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace test {

inline void ecrit_octets(const QString& chemin, const std::string& octets) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write test file");
    f.write(octets.data(), static_cast<qint64>(octets.size()));
}

inline std::string lit_octets(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray a = f.readAll();
    return std::string(a.constData(), static_cast<std::size_t>(a.size()));
}

// A colourful pattern whose neighbours differ, so that swapped channels, flipped rows or
// shifted columns show.
inline QRgb motif(int x, int y) {
    return qRgb((x * 37 + y * 11) & 255, (x * 5 + y * 29 + 64) & 255, ((x * 13) ^ (y * 7)) & 255);
}

inline std::uint16_t en555(QRgb c) { return vuv::rgb555(qRed(c), qGreen(c), qBlue(c)); }

inline std::uint16_t pixel(const QImage& image, int x, int y) {
    return reinterpret_cast<const std::uint16_t*>(image.constScanLine(y))[x];
}

// A palette of n distinct colours.
inline std::vector<QRgb> palette(int n) {
    std::vector<QRgb> p;
    for (int i = 0; i < n; ++i) p.push_back(qRgb((i * 67) & 255, (i * 151 + 30) & 255, (255 - i * 23) & 255));
    return p;
}

inline void pose16(std::string& s, std::uint32_t v) {
    s += static_cast<char>(v & 255);
    s += static_cast<char>((v >> 8) & 255);
}
inline void pose32(std::string& s, std::uint32_t v) {
    pose16(s, v & 0xFFFF);
    pose16(s, v >> 16);
}

// A Windows bitmap assembled field by field.
struct Bmp {
    int largeur = 0;
    int hauteur = 0;  // rows; stored negative when haut_en_bas
    int bits = 24;
    std::uint32_t compression = 0;
    bool haut_en_bas = false;
    int taille_info = 40;  // 12 (OS/2), 40, 108 or 124
    std::vector<QRgb> couleurs;
    std::uint32_t masques[3] = {0, 0, 0};
    // Packs image row y (0 = top) without padding.
    std::function<std::string(int y)> ligne;
    // Replaces the rows (RLE).
    std::string donnees;

    std::string octets() const {
        std::string info;
        if (taille_info == 12) {
            pose32(info, 12);
            pose16(info, static_cast<std::uint32_t>(largeur));
            pose16(info, static_cast<std::uint32_t>(hauteur));
            pose16(info, 1);
            pose16(info, static_cast<std::uint32_t>(bits));
        } else {
            pose32(info, static_cast<std::uint32_t>(taille_info));
            pose32(info, static_cast<std::uint32_t>(largeur));
            pose32(info, static_cast<std::uint32_t>(haut_en_bas ? -hauteur : hauteur));
            pose16(info, 1);
            pose16(info, static_cast<std::uint32_t>(bits));
            pose32(info, compression);
            pose32(info, 0);
            pose32(info, 2835);
            pose32(info, 2835);
            pose32(info, static_cast<std::uint32_t>(couleurs.size()));
            pose32(info, 0);
            if (taille_info >= 52)
                for (std::uint32_t m : masques) pose32(info, m);
            info.resize(static_cast<std::size_t>(taille_info), '\0');
        }
        std::string apres;  // masks after a 40-byte header, then the palette
        if (taille_info == 40 && compression == 3)
            for (std::uint32_t m : masques) pose32(apres, m);
        for (QRgb c : couleurs) {
            apres += static_cast<char>(qBlue(c));
            apres += static_cast<char>(qGreen(c));
            apres += static_cast<char>(qRed(c));
            if (taille_info != 12) apres += '\0';
        }
        std::string pixels = donnees;
        if (pixels.empty()) {
            const std::size_t pas = ((static_cast<std::size_t>(largeur) * bits + 31) / 32) * 4;
            for (int i = 0; i < hauteur; ++i) {
                std::string l = ligne(haut_en_bas ? i : hauteur - 1 - i);
                l.resize(pas, '\0');
                pixels += l;
            }
        }
        std::string f = "BM";
        const std::size_t debut = 14 + info.size() + apres.size();
        pose32(f, static_cast<std::uint32_t>(debut + pixels.size()));
        pose32(f, 0);
        pose32(f, static_cast<std::uint32_t>(debut));
        return f + info + apres + pixels;
    }
};

// Palette indexes packed MSB first at 1, 4 or 8 bits.
inline std::string indexes(const std::vector<int>& v, int bits) {
    std::string s((v.size() * bits + 7) / 8, '\0');
    for (std::size_t i = 0; i < v.size(); ++i) {
        const std::size_t bit = i * bits;
        s[bit / 8] = static_cast<char>(s[bit / 8] | (v[i] << (8 - bits - bit % 8)));
    }
    return s;
}

// An RGB TIFF written through libtiff with the given layout.
struct Tiff {
    int largeur = 0;
    int hauteur = 0;
    std::uint16_t photometrie = PHOTOMETRIC_RGB;
    std::uint16_t bits = 8;
    std::uint16_t echantillons = 3;
    std::uint16_t compression = COMPRESSION_LZW;
    std::uint32_t lignes_par_bande = 7;
    std::uint32_t tuile = 0;  // tiles of tuile × tuile when non-zero
    std::uint16_t plans = PLANARCONFIG_CONTIG;
    std::uint16_t alpha = EXTRASAMPLE_UNASSALPHA;  // the fourth sample of an RGB image
    std::uint16_t orientation = 0;  // the tag is written when non-zero
    const char* mode = "w";  // libtiff's: "w8" BigTIFF, "wb" big-endian
    std::vector<std::uint16_t> carte[3];  // colour map for palette images
    // Packs image row y, samples interleaved.
    std::function<std::string(int y)> ligne;

    bool ecrit(const QString& chemin) const {
        TIFF* t = TIFFOpen(QFile::encodeName(chemin).constData(), mode);
        if (!t) return false;
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, largeur);
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, hauteur);
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, bits);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, echantillons);
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, photometrie);
        TIFFSetField(t, TIFFTAG_PLANARCONFIG, plans);
        TIFFSetField(t, TIFFTAG_COMPRESSION, compression);
        if (orientation) TIFFSetField(t, TIFFTAG_ORIENTATION, orientation);
        if (compression == COMPRESSION_JPEG && photometrie == PHOTOMETRIC_YCBCR) {
            TIFFSetField(t, TIFFTAG_JPEGQUALITY, 95);
            TIFFSetField(t, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);  // we hand it RGB rows
        }
        if (photometrie == PHOTOMETRIC_PALETTE)
            TIFFSetField(t, TIFFTAG_COLORMAP, carte[0].data(), carte[1].data(), carte[2].data());
        if (echantillons == 4 && photometrie == PHOTOMETRIC_RGB) TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &alpha);
        const bool separes = plans == PLANARCONFIG_SEPARATE;
        const std::size_t octets_echantillon = bits / 8;
        const std::size_t octets_pixel = separes ? octets_echantillon : echantillons * octets_echantillon;
        // Row y of plane s (the whole row when samples are interleaved).
        auto rangee = [&](int y, std::uint16_t s) {
            const std::string l = ligne(y);
            if (!separes) return l;
            std::string p;
            for (std::size_t i = s * octets_echantillon; i < l.size(); i += echantillons * octets_echantillon)
                p.append(l, i, octets_echantillon);
            return p;
        };
        const std::uint16_t nombre_plans = separes ? echantillons : 1;
        bool ok = true;
        if (tuile == 0) {
            TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, lignes_par_bande);
            for (std::uint16_t s = 0; s < nombre_plans; ++s)
                for (int y = 0; y < hauteur && ok; ++y) {
                    std::string l = rangee(y, s);
                    ok = TIFFWriteScanline(t, l.data(), static_cast<std::uint32_t>(y), s) >= 0;
                }
        } else {
            TIFFSetField(t, TIFFTAG_TILEWIDTH, tuile);
            TIFFSetField(t, TIFFTAG_TILELENGTH, tuile);
            std::string bloc(tuile * tuile * octets_pixel, '\0');
            for (std::uint16_t s = 0; s < nombre_plans; ++s)
                for (std::uint32_t ty = 0; ty < static_cast<std::uint32_t>(hauteur); ty += tuile)
                    for (std::uint32_t tx = 0; tx < static_cast<std::uint32_t>(largeur); tx += tuile) {
                        std::fill(bloc.begin(), bloc.end(), '\0');
                        for (std::uint32_t r = 0; r < tuile && ty + r < static_cast<std::uint32_t>(hauteur); ++r) {
                            const std::string l = rangee(static_cast<int>(ty + r), s);
                            const std::size_t debut = tx * octets_pixel;
                            const std::size_t n = std::min(tuile * octets_pixel, l.size() - debut);
                            std::copy_n(l.begin() + static_cast<std::ptrdiff_t>(debut), n,
                                        bloc.begin() + static_cast<std::ptrdiff_t>(r * tuile * octets_pixel));
                        }
                        ok = ok && TIFFWriteTile(t, bloc.data(), tx, ty, 0, s) >= 0;
                    }
        }
        TIFFClose(t);
        return ok;
    }
};

// A GIF written through giflib: one frame of palette indexes at (gauche, haut) on a screen.
struct Gif {
    int ecran_l = 0, ecran_h = 0;
    int gauche = 0, haut = 0, largeur = 0, hauteur = 0;
    bool entrelace = false;
    int fond = 0;
    std::vector<QRgb> couleurs;  // a power of two, at most 256
    std::function<int(int x, int y)> index;
    bool extension_transparence = false;

    bool ecrit(const QString& chemin) const {
        int erreur = 0;
        GifFileType* g = EGifOpenFileName(QFile::encodeName(chemin).constData(), false, &erreur);
        if (!g) return false;
        std::vector<GifColorType> c;
        for (QRgb q : couleurs)
            c.push_back({static_cast<GifByteType>(qRed(q)), static_cast<GifByteType>(qGreen(q)),
                         static_cast<GifByteType>(qBlue(q))});
        ColorMapObject* carte = GifMakeMapObject(static_cast<int>(c.size()), c.data());
        bool ok = EGifPutScreenDesc(g, ecran_l, ecran_h, 8, fond, carte) != GIF_ERROR;
        if (extension_transparence) {
            const GifByteType gce[4] = {1, 0, 0, 0};  // index 0 transparent
            ok = ok && EGifPutExtension(g, GRAPHICS_EXT_FUNC_CODE, 4, gce) != GIF_ERROR;
        }
        ok = ok && EGifPutImageDesc(g, gauche, haut, largeur, hauteur, entrelace, nullptr) != GIF_ERROR;
        std::vector<GifPixelType> l(static_cast<std::size_t>(largeur));
        auto ecrit_ligne = [&](int y) {
            for (int x = 0; x < largeur; ++x) l[x] = static_cast<GifPixelType>(index(x, y));
            return EGifPutLine(g, l.data(), largeur) != GIF_ERROR;
        };
        if (entrelace) {
            const int depart[] = {0, 4, 2, 1}, pas[] = {8, 8, 4, 2};
            for (int p = 0; p < 4; ++p)
                for (int y = depart[p]; y < hauteur; y += pas[p]) ok = ok && ecrit_ligne(y);
        } else {
            for (int y = 0; y < hauteur; ++y) ok = ok && ecrit_ligne(y);
        }
        GifFreeMapObject(carte);
        ok = EGifCloseFile(g, &erreur) != GIF_ERROR && ok;
        return ok;
    }
};

// A JPEG written through libjpeg from rows of `composantes` bytes per pixel.
inline bool ecrit_jpeg_brut(const QString& chemin, int largeur, int hauteur, J_COLOR_SPACE espace,
                            int composantes, const std::function<std::string(int y)>& ligne,
                            int qualite = 95) {
    std::FILE* f = std::fopen(QFile::encodeName(chemin).constData(), "wb");
    if (!f) return false;
    jpeg_compress_struct c{};
    jpeg_error_mgr e{};
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = static_cast<JDIMENSION>(largeur);
    c.image_height = static_cast<JDIMENSION>(hauteur);
    c.input_components = composantes;
    c.in_color_space = espace;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, qualite, TRUE);
    jpeg_start_compress(&c, TRUE);
    for (int y = 0; y < hauteur; ++y) {
        std::string l = ligne(y);
        JSAMPROW r = reinterpret_cast<JSAMPROW>(l.data());
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    return std::fclose(f) == 0;
}

} // namespace test
