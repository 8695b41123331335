// Writes the seed images of fuzz_image into the folder given: a small valid file for each layout
// the decoders know, made with the tests' own writers and the codec libraries.
//   ./fuzz-build/graines_images fuzz/corpus/image
#include "tests/imaging/Generateurs.h"

#include <cstdio>

namespace {

QString dossier;
int ecrits = 0;

QString chemin(const char* nom) { return dossier + u'/' + QLatin1String(nom); }

void garde(const char* nom, bool ok) {
    if (!ok) {
        std::fprintf(stderr, "échec : %s\n", nom);
        std::exit(1);
    }
    ++ecrits;
}

void octets(const char* nom, const std::string& o) {
    test::ecrit_octets(chemin(nom), o);
    garde(nom, true);
}

std::string rvb(int l, int y, int echantillons, int bits = 8) {
    std::string s;
    for (int x = 0; x < l; ++x) {
        const QRgb c = test::motif(x, y);
        const int canaux[] = {qRed(c), qGreen(c), qBlue(c), 200};
        for (int i = 0; i < echantillons; ++i) {
            if (bits == 16) test::pose16(s, static_cast<std::uint32_t>(canaux[i] * 257));
            else s += static_cast<char>(canaux[i]);
        }
    }
    return s;
}

std::string bvr(int l, int y, int octets_pixel) {
    std::string s;
    for (int x = 0; x < l; ++x) {
        const QRgb c = test::motif(x, y);
        s += {static_cast<char>(qBlue(c)), static_cast<char>(qGreen(c)), static_cast<char>(qRed(c))};
        if (octets_pixel == 4) s += '\x7f';
    }
    return s;
}

// Palette indexes packed MSB first at any depth up to 8 bits, straddling bytes when they must.
std::string indexes(int l, int y, int bits) {
    std::string s((static_cast<std::size_t>(l) * bits + 7) / 8, '\0');
    for (int x = 0; x < l; ++x) {
        const int v = (x * 3 + y) % (1 << bits);
        for (int b = 0; b < bits; ++b)
            if (v >> (bits - 1 - b) & 1) {
                const int bit = x * bits + b;
                s[bit / 8] = static_cast<char>(s[bit / 8] | 0x80 >> bit % 8);
            }
    }
    return s;
}

void graines_bmp() {
    const int l = 7, h = 5;
    test::Bmp b;
    b.largeur = l, b.hauteur = h;
    b.ligne = [&](int y) { return bvr(l, y, 3); };
    octets("bmp24.bmp", b.octets());
    b.haut_en_bas = true;
    octets("bmp24_haut_en_bas.bmp", b.octets());
    b.haut_en_bas = false;
    b.bits = 32;
    b.ligne = [&](int y) { return bvr(l, y, 4); };
    octets("bmp32.bmp", b.octets());
    for (const int bits : {1, 4, 8}) {
        b.bits = bits;
        b.couleurs = test::palette(1 << bits);
        b.ligne = [l, bits](int y) { return indexes(l, y, bits); };
        octets(("bmp" + std::to_string(bits) + ".bmp").c_str(), b.octets());
    }
    b.taille_info = 12;  // OS/2: three-byte palette entries
    octets("bmp8_os2.bmp", b.octets());
    b.taille_info = 40;

    b.bits = 16;
    b.couleurs.clear();
    b.ligne = [&](int y) {
        std::string s;
        for (int x = 0; x < l; ++x) test::pose16(s, test::en555(test::motif(x, y)));
        return s;
    };
    octets("bmp16.bmp", b.octets());
    b.compression = 3;
    b.masques[0] = 0xF800, b.masques[1] = 0x07E0, b.masques[2] = 0x001F;
    b.ligne = [&](int y) {
        std::string s;
        for (int x = 0; x < l; ++x) {
            const QRgb c = test::motif(x, y);
            test::pose16(s, ((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3));
        }
        return s;
    };
    octets("bmp16_565.bmp", b.octets());
    b.taille_info = 124;
    b.bits = 32;
    b.masques[0] = 0x3FF00000, b.masques[1] = 0x000FFC00, b.masques[2] = 0x000003FF;
    b.ligne = [&](int y) {
        std::string s;
        for (int x = 0; x < l; ++x) {
            const QRgb c = test::motif(x, y);
            test::pose32(s, (std::uint32_t(qRed(c)) << 22) | (std::uint32_t(qGreen(c)) << 12) |
                                (std::uint32_t(qBlue(c)) << 2));
        }
        return s;
    };
    octets("bmp32_v5_champs.bmp", b.octets());

    test::Bmp r;
    r.largeur = 6, r.hauteur = 3, r.bits = 8, r.compression = 1;
    r.couleurs = test::palette(16);
    r.donnees = std::string("\x03\x05" "\x00\x03\x07\x08\x09\x00" "\x00\x00" "\x00\x02\x02\x01" "\x02\x0b" "\x00\x01", 18);
    octets("bmp_rle8.bmp", r.octets());
    r.largeur = 7, r.hauteur = 1, r.bits = 4, r.compression = 2;
    r.donnees = std::string("\x04\x12" "\x00\x03\x34\x50" "\x00\x01", 8);
    octets("bmp_rle4.bmp", r.octets());
}

void graines_jpeg() {
    const int l = 19, h = 11;
    garde("jpeg_couleur.jpg", test::ecrit_jpeg_brut(chemin("jpeg_couleur.jpg"), l, h, JCS_RGB, 3,
                                                    [&](int y) { return rvb(l, y, 3); }, 75));
    garde("jpeg_gris.jpg", test::ecrit_jpeg_brut(chemin("jpeg_gris.jpg"), l, h, JCS_GRAYSCALE, 1,
                                                 [&](int y) { return rvb(l, y, 1); }, 75));
    garde("jpeg_cmjn.jpg", test::ecrit_jpeg_brut(chemin("jpeg_cmjn.jpg"), l, h, JCS_CMYK, 4,
                                                 [&](int y) { return rvb(l, y, 4); }, 75));
    // Progressive, with restart markers: the decoder's other road through libjpeg.
    std::FILE* f = std::fopen(QFile::encodeName(chemin("jpeg_progressif.jpg")).constData(), "wb");
    garde("jpeg_progressif.jpg", f != nullptr);
    jpeg_compress_struct c{};
    jpeg_error_mgr e{};
    c.err = jpeg_std_error(&e);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = l;
    c.image_height = h;
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 75, TRUE);
    jpeg_simple_progression(&c);
    c.restart_in_rows = 1;
    jpeg_start_compress(&c, TRUE);
    for (int y = 0; y < h; ++y) {
        std::string ligne = rvb(l, y, 3);
        JSAMPROW p = reinterpret_cast<JSAMPROW>(ligne.data());
        jpeg_write_scanlines(&c, &p, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(f);
}

void graines_tiff() {
    const int l = 9, h = 6;
    test::Tiff t;
    t.largeur = l, t.hauteur = h;
    t.lignes_par_bande = 4;
    t.ligne = [&](int y) { return rvb(l, y, 3); };
    garde("tiff_lzw.tif", t.ecrit(chemin("tiff_lzw.tif")));
    t.compression = COMPRESSION_NONE;
    garde("tiff_brut.tif", t.ecrit(chemin("tiff_brut.tif")));
    t.compression = COMPRESSION_PACKBITS;
    garde("tiff_packbits.tif", t.ecrit(chemin("tiff_packbits.tif")));
    t.compression = COMPRESSION_ADOBE_DEFLATE;
    garde("tiff_deflate.tif", t.ecrit(chemin("tiff_deflate.tif")));
    t.compression = COMPRESSION_NONE;
    t.mode = "wb";
    garde("tiff_gros_boutien.tif", t.ecrit(chemin("tiff_gros_boutien.tif")));
    t.mode = "w8";
    garde("tiff_big.tif", t.ecrit(chemin("tiff_big.tif")));
    t.mode = "w";
    t.bits = 16;
    t.ligne = [&](int y) { return rvb(l, y, 3, 16); };
    garde("tiff_seize.tif", t.ecrit(chemin("tiff_seize.tif")));
    t.bits = 8;
    t.echantillons = 4;
    t.ligne = [&](int y) { return rvb(l, y, 4); };
    garde("tiff_alpha.tif", t.ecrit(chemin("tiff_alpha.tif")));
    t.plans = PLANARCONFIG_SEPARATE;
    garde("tiff_plans.tif", t.ecrit(chemin("tiff_plans.tif")));
    t.plans = PLANARCONFIG_CONTIG;
    t.echantillons = 3;
    t.tuile = 16;
    t.ligne = [&](int y) { return rvb(l, y, 3); };
    garde("tiff_tuiles.tif", t.ecrit(chemin("tiff_tuiles.tif")));
    t.tuile = 0;

    t.photometrie = PHOTOMETRIC_SEPARATED;
    t.echantillons = 4;
    t.ligne = [&](int y) { return rvb(l, y, 4); };
    garde("tiff_cmjn.tif", t.ecrit(chemin("tiff_cmjn.tif")));

    t.photometrie = PHOTOMETRIC_MINISBLACK;
    t.echantillons = 1;
    t.ligne = [&](int y) { return rvb(l, y, 1); };
    garde("tiff_gris.tif", t.ecrit(chemin("tiff_gris.tif")));
    t.photometrie = PHOTOMETRIC_MINISWHITE;
    t.bits = 1;
    t.compression = COMPRESSION_CCITTFAX4;
    t.ligne = [&](int y) { return indexes(l, y, 1); };
    garde("tiff_fax4.tif", t.ecrit(chemin("tiff_fax4.tif")));

    t.photometrie = PHOTOMETRIC_PALETTE;
    t.compression = COMPRESSION_LZW;
    const std::vector<QRgb> couleurs = test::palette(256);
    for (const int bits : {3, 4, 8}) {
        t.bits = static_cast<std::uint16_t>(bits);
        for (auto& c : t.carte) c.clear();
        for (int i = 0; i < (1 << bits); ++i) {
            t.carte[0].push_back(static_cast<std::uint16_t>(qRed(couleurs[i]) * 257));
            t.carte[1].push_back(static_cast<std::uint16_t>(qGreen(couleurs[i]) * 257));
            t.carte[2].push_back(static_cast<std::uint16_t>(qBlue(couleurs[i]) * 257));
        }
        t.ligne = [l, bits](int y) { return indexes(l, y, bits); };
        const std::string nom = "tiff_palette" + std::to_string(bits) + ".tif";
        garde(nom.c_str(), t.ecrit(chemin(nom.c_str())));
    }

    test::Tiff j;  // JPEG in YCbCr strips, as scanners write
    j.largeur = 16, j.hauteur = 16;
    j.photometrie = PHOTOMETRIC_YCBCR;
    j.compression = COMPRESSION_JPEG;
    j.lignes_par_bande = 16;
    j.ligne = [&](int y) { return rvb(16, y, 3); };
    garde("tiff_jpeg.tif", j.ecrit(chemin("tiff_jpeg.tif")));
}

void graines_gif() {
    test::Gif g;
    g.ecran_l = 12, g.ecran_h = 11;
    g.gauche = 2, g.haut = 1, g.largeur = 7, g.hauteur = 9;
    g.entrelace = true;
    g.fond = 15;
    g.couleurs = test::palette(16);
    g.extension_transparence = true;
    g.index = [](int x, int y) { return (x + y * 2) % 15; };
    garde("gif_entrelace.gif", g.ecrit(chemin("gif_entrelace.gif")));
    g.entrelace = false;
    g.extension_transparence = false;
    g.ecran_l = 4, g.ecran_h = 4;  // the frame reaches beyond the screen
    garde("gif_hors_ecran.gif", g.ecrit(chemin("gif_hors_ecran.gif")));
}

void graines_png() {
    const int l = 7, h = 5;
    QImage argb(l, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < l; ++x) argb.setPixel(x, y, (test::motif(x, y) & 0xFFFFFF) | QRgb(x * 36) << 24);
    garde("png_alpha.png", argb.save(chemin("png_alpha.png"), "PNG"));
    garde("png_couleur.png", argb.convertToFormat(QImage::Format_RGB888).save(chemin("png_couleur.png"), "PNG"));
    garde("png_gris16.png", argb.convertToFormat(QImage::Format_Grayscale16).save(chemin("png_gris16.png"), "PNG"));
    garde("png_palette.png",
          argb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).save(chemin("png_palette.png"), "PNG"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage : %s <dossier>\n", argv[0]);
        return 2;
    }
    dossier = QString::fromLocal8Bit(argv[1]);
    graines_bmp();
    graines_jpeg();
    graines_tiff();
    graines_gif();
    graines_png();
    std::printf("%d images écrites dans %s\n", ecrits, argv[1]);
    return 0;
}
