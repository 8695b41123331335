#include "core/tiff/Bmp2Tiff.h"

#include "core/fichiers/EcritureSure.h"
#include "core/fichiers/PetitBoutiste.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <ostream>
#include <vector>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace vuv {

namespace {

enum class Genre { bilevel, palette, rgb };
static_assert(std::endian::native == std::endian::little, "pixels are packed with little-endian stores");

constexpr std::uint16_t court = 3, long_ = 4, rationnel = 5, ascii = 2;
constexpr char logiciel[10] = {'T', 'i', 'f', 'f', 'w', 'r', 'i', 't', 'e', 'r'};
// 877/10 pixels per inch, twice (X then Y).
constexpr std::uint8_t resolution[8] = {0x6D, 0x03, 0, 0, 0x0A, 0, 0, 0};
constexpr std::uint8_t huit_huit_huit[6] = {8, 0, 8, 0, 8, 0};

// Where every block goes; known before the first byte, so a file needs no seek.
struct Plan {
    Genre genre = Genre::rgb;
    int largeur = 0, hauteur = 0, bits = 0;
    std::uint64_t octets_ligne = 0, octets_pixels = 0;
    std::uint64_t carte = 0, xres = 0, yres = 0, bps = 0, texte = 0, pixels = 0, repertoire = 0, fin = 0;
    int entrees = 0;
};

Plan planifie(const ImageTiff& im) {
    if (!im.pixels.valide()) throw ErreurFichier("l'image est vide, aucun pixel à enregistrer");
    Plan p;
    p.largeur = im.pixels.largeur;
    p.hauteur = im.pixels.hauteur;
    p.bits = im.bits_par_pixel;
    const std::uint64_t w = static_cast<std::uint64_t>(p.largeur);
    switch (p.bits) {
    case 1: p.genre = Genre::bilevel; p.octets_ligne = (w + 7) / 8; break;
    case 4: p.genre = Genre::palette; p.octets_ligne = (w + 1) / 2; break;
    case 8: p.genre = Genre::palette; p.octets_ligne = w; break;
    case 24:
    case 32: p.genre = Genre::rgb; p.octets_ligne = 3 * w; break;
    default:
        throw ErreurFichier("une image de " + std::to_string(p.bits) + " bits par pixel ne peut pas être écrite en TIFF");
    }
    p.octets_pixels = p.octets_ligne * static_cast<std::uint64_t>(p.hauteur);
    std::uint64_t pos = 8;
    auto place = [&pos](std::uint64_t taille) { const std::uint64_t o = pos; pos += taille; return o; };
    switch (p.genre) {
    case Genre::bilevel:
        p.pixels = place(p.octets_pixels);
        p.xres = place(8); p.yres = place(8); p.texte = place(10);
        p.entrees = 14;
        break;
    case Genre::palette:
        p.carte = place(6u << p.bits);
        p.xres = place(8); p.yres = place(8); p.texte = place(10);
        p.pixels = place(p.octets_pixels);
        p.entrees = 15;
        break;
    case Genre::rgb:
        p.xres = place(8); p.yres = place(8); p.bps = place(6); p.texte = place(10);
        p.pixels = place(p.octets_pixels);
        p.entrees = 15;
        break;
    }
    p.repertoire = pos;
    p.fin = pos + 2 + 12u * static_cast<unsigned>(p.entrees) + 4;
    if (p.fin > 0xFFFFFFFFu) throw ErreurFichier("l'image dépasse les 4 Go qu'un fichier TIFF peut adresser");
    return p;
}


std::vector<std::uint8_t> repertoire(const Plan& p) {
    std::vector<std::uint8_t> r(2 + 12u * static_cast<unsigned>(p.entrees) + 4, 0);
    pose16(r.data(), static_cast<std::uint32_t>(p.entrees));
    std::uint8_t* e = r.data() + 2;
    auto entree = [&e](std::uint16_t tag, std::uint16_t type, std::uint32_t n, std::uint64_t valeur) {
        pose16(e, tag);
        pose16(e + 2, type);
        pose32(e + 4, n);
        if (type == court) pose16(e + 8, static_cast<std::uint32_t>(valeur));
        else pose32(e + 8, static_cast<std::uint32_t>(valeur));
        e += 12;
    };
    // SHORT wraps above 65535; only such images get LONG sizes.
    const std::uint16_t taille = (p.largeur > 0xFFFF || p.hauteur > 0xFFFF) ? long_ : court;
    const bool rgb = p.genre == Genre::rgb;
    entree(254, long_, 1, 0);
    entree(256, taille, 1, static_cast<std::uint64_t>(p.largeur));
    entree(257, taille, 1, static_cast<std::uint64_t>(p.hauteur));
    if (rgb) entree(258, court, 3, p.bps);
    else entree(258, court, 1, static_cast<std::uint64_t>(p.bits));
    entree(259, court, 1, 1);
    entree(262, court, 1, p.genre == Genre::bilevel ? 1 : p.genre == Genre::palette ? 3 : 2);
    entree(273, long_, 1, p.pixels);
    entree(277, court, 1, rgb ? 3 : 1);
    entree(278, long_, 1, static_cast<std::uint64_t>(p.hauteur));
    entree(279, long_, 1, p.octets_pixels);
    entree(282, rationnel, 1, p.xres);
    entree(283, rationnel, 1, p.yres);
    if (rgb) entree(284, court, 1, 1);
    entree(296, court, 1, 2);
    entree(305, ascii, 10, p.texte);
    if (p.genre == Genre::palette) entree(320, court, 3u << p.bits, 8);
    return r;  // next directory offset stays 0
}

// 32-bit BGRA pixels to RGB triples; writes up to 4 bytes past the last triple (the caller's
// spare room) and returns the end of the triples.
std::uint8_t* bgra_vers_rgb_simple(const std::uint8_t* s, std::uint8_t* o, int n) {
    for (int x = 0; x < n; ++x, s += 4, o += 3) {
        const std::uint32_t rgb = static_cast<std::uint32_t>(s[2]) | static_cast<std::uint32_t>(s[1]) << 8 |
                                  static_cast<std::uint32_t>(s[0]) << 16;
        std::memcpy(o, &rgb, 4);  // little-endian: red, green, blue, then a byte overwritten next
    }
    return o;
}

#if defined(__x86_64__) && defined(__GNUC__)
// Four pixels per byte shuffle; the 16-byte store is why the caller keeps 4 spare bytes.
__attribute__((target("ssse3"))) std::uint8_t* bgra_vers_rgb_ssse3(const std::uint8_t* s, std::uint8_t* o, int n) {
    const __m128i ordre = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    int x = 0;
    for (; x + 4 <= n; x += 4, s += 16, o += 12)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o),
                         _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s)), ordre));
    return bgra_vers_rgb_simple(s, o, n - x);
}

std::uint8_t* bgra_vers_rgb(const std::uint8_t* s, std::uint8_t* o, int n) {
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    return ssse3 ? bgra_vers_rgb_ssse3(s, o, n) : bgra_vers_rgb_simple(s, o, n);
}
#else
std::uint8_t* bgra_vers_rgb(const std::uint8_t* s, std::uint8_t* o, int n) { return bgra_vers_rgb_simple(s, o, n); }
#endif

std::vector<std::uint8_t> carte_couleurs(const ImageTiff& im, int bits) {
    const int n = 1 << bits;
    std::vector<std::uint8_t> c(6u * static_cast<unsigned>(n), 0);
    const int connues = im.palette ? std::min(n, im.entrees_palette) : 0;
    for (int i = 0; i < connues; ++i) {
        const std::uint8_t* bgr = im.palette + 4 * i;
        // Component in the high byte: red plane, green plane, blue plane.
        c[2 * i + 1] = bgr[2];
        c[2 * (n + i) + 1] = bgr[1];
        c[2 * (2 * n + i) + 1] = bgr[0];
    }
    return c;
}

// Emits the blocks in file order; `ecrit` returns false once the output has failed.
template <class Ecrit>
bool ecrit_blocs(const ImageTiff& im, const Plan& p, std::uint32_t repertoire_en_tete, Ecrit&& ecrit) {
    std::uint8_t entete[8] = {'I', 'I', 42, 0};
    pose32(entete + 4, repertoire_en_tete);
    if (!ecrit(entete, 8)) return false;
    auto fixes = [&] {
        return ecrit(resolution, 8) && ecrit(resolution, 8) &&
               (p.genre != Genre::rgb || ecrit(huit_huit_huit, 6)) && ecrit(logiciel, 10);
    };
    auto pixels = [&]() -> bool {
        const VuePixels& v = im.pixels;
        if (p.genre != Genre::rgb) {
            for (int y = 0; y < p.hauteur; ++y)
                if (!ecrit(v.ligne(y), p.octets_ligne)) return false;
            return true;
        }
        // A band of rows at a time through one small reused buffer.
        const int pas = p.bits / 8;
        const int bande = static_cast<int>(std::clamp<std::uint64_t>((std::uint64_t{1} << 18) / p.octets_ligne, 1, 64));
        // Spare bytes: pixels are stored 4 or 16 bytes at a time, the next ones overwriting the excess.
        std::vector<std::uint8_t> tampon(static_cast<std::size_t>(p.octets_ligne) * static_cast<std::size_t>(std::min(bande, p.hauteur)) + 4);
        for (int y0 = 0; y0 < p.hauteur; y0 += bande) {
            const int y1 = std::min(p.hauteur, y0 + bande);
            std::uint8_t* o = tampon.data();
            for (int y = y0; y < y1; ++y) {
                const std::uint8_t* s = v.ligne(y);
                if (pas == 4) {
                    o = bgra_vers_rgb(s, o, p.largeur);
                    continue;
                }
                for (int x = 0; x < p.largeur; ++x, s += 3, o += 3) {
                    o[0] = s[2];
                    o[1] = s[1];
                    o[2] = s[0];
                }
            }
            if (!ecrit(tampon.data(), static_cast<std::size_t>(o - tampon.data()))) return false;
        }
        return true;
    };
    bool ok = true;
    switch (p.genre) {
    case Genre::bilevel: ok = pixels() && fixes(); break;
    case Genre::palette: {
        const std::vector<std::uint8_t> c = carte_couleurs(im, p.bits);
        ok = ecrit(c.data(), c.size()) && fixes() && pixels();
        break;
    }
    case Genre::rgb: ok = fixes() && pixels(); break;
    }
    if (!ok) return false;
    const std::vector<std::uint8_t> r = repertoire(p);
    return ecrit(r.data(), r.size());
}

} // namespace

void WriteTiffToStream(std::ostream& flux, const ImageTiff& image) {
    const Plan p = planifie(image);
    if (flux.tellp() != std::streampos(0))
        throw ErreurFichier("un fichier TIFF doit commencer au début du flux");
    const bool ok = ecrit_blocs(image, p, 8, [&flux](const void* o, std::size_t n) {
        flux.write(static_cast<const char*>(o), static_cast<std::streamsize>(n));
        return static_cast<bool>(flux);
    });
    if (ok) {
        std::uint8_t decalage[4];
        pose32(decalage, static_cast<std::uint32_t>(p.repertoire));
        flux.seekp(4);
        flux.write(reinterpret_cast<const char*>(decalage), 4);
        flux.seekp(static_cast<std::streamoff>(p.fin));
    }
    if (!ok || !flux) throw ErreurFichier("l'écriture du fichier TIFF a échoué");
}

void WriteTiffToFile(const std::string& nom, const ImageTiff& image) {
    EcritureSure sortie(nom);
    Plan p;
    try {
        p = planifie(image);
    } catch (const ErreurFichier& e) {
        sortie.echoue(e.what());
        throw ErreurFichier(sortie.message());
    }
    ecrit_blocs(image, p, static_cast<std::uint32_t>(p.repertoire),
                [&sortie](const void* o, std::size_t n) { return sortie.ecrit(o, n); });
    if (!sortie.valide()) throw ErreurFichier(sortie.message());
}

} // namespace vuv
