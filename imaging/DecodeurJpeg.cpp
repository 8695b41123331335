// JPEG through the IJG API, with the fastest settings but the accurate integer DCT: the fast
// one drifts by a 5-bit step on fine hatching at high quality, and saves only 2-4 % of
// libjpeg's own time, lost in the spread of a whole load (bench_imaging).
#include "imaging/Canaux555.h"
#include "imaging/DecodeursInternes.h"
#include "imaging/JpegCommun.h"

#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vuv::detail {

namespace {

// Scanlines asked of libjpeg per call; its merged upsampler yields two at a time.
constexpr int lignes_par_appel = 2;

// Everything the error jump may cross lives here, outside the frame that calls setjmp.
struct EtatDecodage {
    jpeg_decompress_struct info{};
    ErreurJpeg erreur{};
    std::FILE* fichier = nullptr;
    const Decodage* d = nullptr;
    QImage image;
    std::vector<unsigned char> tampon;
    ImageDecodee refus;
    bool refuse = false;
};

// The hot loop of a colour load: eight pixels per step with SSE2, the x86-64 baseline.
void convertit_rgbx(const unsigned char* src, std::uint16_t* dst, int n) {
    int x = 0;
#ifdef __SSE2__
    const __m128i masque_r = _mm_set1_epi32(0xF8), masque_v = _mm_set1_epi32(0xF800),
                  masque_b = _mm_set1_epi32(0xF80000);
    auto quatre = [&](__m128i p) {
        return _mm_or_si128(_mm_or_si128(_mm_slli_epi32(_mm_and_si128(p, masque_r), 7),
                                         _mm_srli_epi32(_mm_and_si128(p, masque_v), 6)),
                            _mm_srli_epi32(_mm_and_si128(p, masque_b), 19));
    };
    for (; x + 8 <= n; x += 8, src += 32) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 16));
        // Every word is below 0x8000, so signed saturation leaves it unchanged.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), _mm_packs_epi32(quatre(a), quatre(b)));
    }
#endif
    for (; x < n; ++x, src += 4) dst[x] = rgb555(src[0], src[1], src[2]);
}

void convertit_gris(const unsigned char* src, std::uint16_t* dst, int n) {
    for (int x = 0; x < n; ++x) dst[x] = rgb555(src[x], src[x], src[x]);
}

unsigned multiplie255(unsigned a, unsigned b) {
    const unsigned t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

// Adobe writes CMYK inverted (0 = full ink); plain CMYK files store ink directly.
void convertit_cmjn(const unsigned char* src, std::uint16_t* dst, int n, bool inverse) {
    for (int x = 0; x < n; ++x, src += 4) {
        unsigned c = src[0], m = src[1], j = src[2], k = src[3];
        if (!inverse) c = 255 - c, m = 255 - m, j = 255 - j, k = 255 - k;
        dst[x] = rgb555(multiplie255(c, k), multiplie255(m, k), multiplie255(j, k));
    }
}

// No object with a destructor may be alive in this frame across a libjpeg call.
bool decode(EtatDecodage* e) {
    jpeg_decompress_struct* info = &e->info;
    info->err = prepare_erreur_jpeg(&e->erreur);
    if (setjmp(e->erreur.saut)) return false;
    jpeg_create_decompress(info);
    jpeg_stdio_src(info, e->fichier);
    jpeg_read_header(info, TRUE);

    enum class Sortie { rgbx, gris, cmjn } sortie = Sortie::rgbx;
    switch (info->jpeg_color_space) {
    case JCS_GRAYSCALE:
        info->out_color_space = JCS_GRAYSCALE;
        sortie = Sortie::gris;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info->out_color_space = JCS_CMYK;
        sortie = Sortie::cmjn;
        break;
    default: info->out_color_space = JCS_EXT_RGBX; break;
    }
    info->dct_method = JDCT_ISLOW;
    info->do_fancy_upsampling = FALSE;
    info->do_block_smoothing = FALSE;
    info->quantize_colors = FALSE;
    jpeg_calc_output_dimensions(info);

    e->image = e->d->alloue(info->output_width, info->output_height, &e->refus);
    if (e->image.isNull()) {
        e->refuse = true;
        return false;
    }
    jpeg_start_decompress(info);
    const int largeur = static_cast<int>(info->output_width);
    const std::size_t pas = static_cast<std::size_t>(largeur) * info->output_components;
    e->tampon.resize(pas * lignes_par_appel);
    JSAMPROW lignes[lignes_par_appel];
    for (int i = 0; i < lignes_par_appel; ++i) lignes[i] = e->tampon.data() + pas * i;
    const bool inverse = info->saw_Adobe_marker;

    while (info->output_scanline < info->output_height) {
        const int y0 = static_cast<int>(info->output_scanline);
        const int n = static_cast<int>(jpeg_read_scanlines(info, lignes, lignes_par_appel));
        for (int i = 0; i < n; ++i) {
            auto* dst = reinterpret_cast<std::uint16_t*>(e->image.scanLine(y0 + i));
            switch (sortie) {
            case Sortie::rgbx: convertit_rgbx(lignes[i], dst, largeur); break;
            case Sortie::gris: convertit_gris(lignes[i], dst, largeur); break;
            case Sortie::cmjn: convertit_cmjn(lignes[i], dst, largeur, inverse); break;
            }
        }
    }
    jpeg_finish_decompress(info);
    return true;
}

} // namespace

ImageDecodee decode_jpeg(std::FILE* f, const Decodage& d) {
    EtatDecodage e;
    e.fichier = f;
    e.d = &d;
    const bool ok = decode(&e);
    jpeg_destroy_decompress(&e.info);
    if (e.refuse) return e.refus;
    if (!ok) {
        switch (e.erreur.pub.msg_code) {
        case JERR_BAD_PRECISION:  // 12-bit samples
        case JERR_CONVERSION_NOTIMPL:  // an unusual colour space
        case JERR_NOT_COMPILED:
            return d.non_pris_en_charge(QStringLiteral("JPEG (") + QString::fromLocal8Bit(e.erreur.message) + u')');
        default: return d.endommage();
        }
    }
    return d.reussite(std::move(e.image));
}

} // namespace vuv::detail
