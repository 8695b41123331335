#include "imaging/Metafichier.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <cstring>

#include <emf2svg.h>
extern "C" {
#include <libwmf/api.h>
#include <libwmf/svg.h>
}

namespace vuv {

namespace {

std::uint32_t lit32(const QByteArray& o, int i) {
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<std::uint8_t>(o[i + k]);
    return v;
}
std::int32_t signe32(const QByteArray& o, int i) { return static_cast<std::int32_t>(lit32(o, i)); }
std::int16_t signe16(const QByteArray& o, int i) {
    return static_cast<std::int16_t>(static_cast<std::uint8_t>(o[i]) | (static_cast<std::uint8_t>(o[i + 1]) << 8));
}

int au_pixel(double v) { return static_cast<int>(std::lround(std::abs(v))); }

// EMF header: type 1, " EMF" at 40, rclFrame in 0.01 mm at 24.
bool est_emf(const QByteArray& o) { return o.size() >= 88 && lit32(o, 0) == 1 && lit32(o, 40) == 0x464D4520u; }
bool est_wmf_placable(const QByteArray& o) { return o.size() >= 22 && lit32(o, 0) == 0x9AC6CDD7u; }

QByteArray svg_emf(const QByteArray& o) {
    // libemf2svg reads past a record size that runs beyond the buffer: check every record first.
    const std::uint32_t n = static_cast<std::uint32_t>(o.size());
    for (std::uint32_t pos = 0;;) {
        if (n - pos < 8) return {};
        const std::uint32_t type = lit32(o, static_cast<int>(pos)), taille = lit32(o, static_cast<int>(pos) + 4);
        if (taille < 8 || taille % 4 != 0 || taille > n - pos) return {};
        pos += taille;
        if (type == 14) break;  // EMR_EOF
    }
    generatorOptions opt{};
    char ns[] = "svg";
    opt.nameSpace = ns;
    opt.svgDelimiter = true;
    opt.emfplus = false;
    char* sortie = nullptr;
    std::size_t longueur = 0;
    QByteArray copie = o;
    // libemf2svg reads the header's description (and pixel format) wherever its offset points,
    // a description of no length up to a null: what does not lie inside the header is dropped.
    const std::uint32_t entete = lit32(o, 4);
    auto dans_l_entete = [&](int compte, int decalage, std::uint32_t unite) {
        const std::uint64_t nombre = lit32(o, compte), debut = lit32(o, decalage);
        if (nombre != 0 && debut >= 88 && debut + nombre * unite <= entete) return;
        for (const int i : {compte, decalage})
            for (int k = 0; k < 4; ++k) copie[i + k] = '\0';
    };
    dans_l_entete(60, 64, 2);
    if (entete >= 100) dans_l_entete(72, 76, 1);
    const int ok = emf2svg(copie.data(), static_cast<std::size_t>(copie.size()), &sortie, &longueur, &opt);
    QByteArray svg = ok && sortie ? QByteArray(sortie, static_cast<qsizetype>(longueur)) : QByteArray();
    std::free(sortie);
    return svg;
}

struct Wmf {
    QByteArray svg;
    double largeur = 0, hauteur = 0;  // pixels at 96 per inch
};

Wmf svg_wmf(const QByteArray& o) {
    Wmf r;
    wmfAPI_Options opt{};
    opt.function = wmf_svg_function;
    wmfAPI* api = nullptr;
    if (wmf_api_create(&api, WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG, &opt) !=
        wmf_E_None) {
        if (api) wmf_api_destroy(api);
        return r;
    }
    QByteArray copie = o;
    // libwmf reserves the header's largest record (in 16-bit words) before reading any: a
    // 100-byte file could ask for gigabytes, yet no record is longer than the file.
    const int debut = est_wmf_placable(o) ? 22 : 0;
    if (copie.size() >= debut + 16 && lit32(copie, debut + 12) > copie.size() / 2) {
        const auto mots = static_cast<std::uint32_t>(copie.size() / 2);
        for (int k = 0; k < 4; ++k) copie[debut + 12 + k] = static_cast<char>(mots >> (8 * k));
    }
    wmfD_Rect boite{};
    unsigned int l = 0, h = 0;
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(copie.data()), copie.size()) == wmf_E_None &&
        wmf_scan(api, 0, &boite) == wmf_E_None && wmf_display_size(api, &l, &h, 96, 96) == wmf_E_None && l > 0 &&
        h > 0 && l < 1000000 && h < 1000000) {
        wmf_svg_t* d = WMF_SVG_GetData(api);
        d->out = wmf_stream_create(api, nullptr);
        d->Description = const_cast<char*>("");
        d->bbox = boite;
        d->width = l;
        d->height = h;
        if (d->out && wmf_play(api, 0, &boite) == wmf_E_None) {
            char* texte = nullptr;
            unsigned long n = 0;
            wmf_stream_destroy(api, d->out, &texte, &n);
            d->out = nullptr;
            if (texte) r.svg = QByteArray(texte, static_cast<qsizetype>(n));
        }
        r.largeur = l;
        r.hauteur = h;
    }
    wmf_mem_close(api);
    wmf_api_destroy(api);
    return r;
}

} // namespace

Metafichier Metafichier::charge(const QString& chemin, std::int64_t pixels_max) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) {
        Metafichier m;
        m.message_ = QStringLiteral("Impossible de lire %1 : %2").arg(chemin, f.errorString());
        return m;
    }
    return depuis_octets(f.readAll(), chemin, pixels_max);
}

Metafichier Metafichier::depuis_octets(const QByteArray& o, const QString& nom, std::int64_t pixels_max) {
    Metafichier m;
    auto refuse = [&m, &nom](const QString& raison) {
        m.rendu_.reset();
        m.message_ = QStringLiteral("Impossible de lire le dessin %1 : %2").arg(nom, raison);
        return m;
    };
    QByteArray svg;
    double l = 0, h = 0;
    if (est_emf(o)) {
        l = (signe32(o, 32) - static_cast<double>(signe32(o, 24))) / 2540.0 * 96.0;
        h = (signe32(o, 36) - static_cast<double>(signe32(o, 28))) / 2540.0 * 96.0;
    } else if (est_wmf_placable(o)) {
        const int pouce = static_cast<std::uint8_t>(o[14]) | (static_cast<std::uint8_t>(o[15]) << 8);
        if (pouce == 0) return refuse(QStringLiteral("unités par pouce nulles"));
        l = (signe16(o, 10) - signe16(o, 6)) / static_cast<double>(pouce) * 96.0;
        h = (signe16(o, 12) - signe16(o, 8)) / static_cast<double>(pouce) * 96.0;
    } else if (o.size() < 18 || (lit32(o, 0) & 0xFFFF) > 2) {
        return refuse(QStringLiteral("ce n'est pas un métafichier EMF ou WMF"));
    }
    // Refused before anything of that size exists.
    if (static_cast<double>(au_pixel(l)) * au_pixel(h) > static_cast<double>(pixels_max))
        return refuse(QStringLiteral("le dessin demande %1 x %2 pixels, au-delà de la limite de %3 mégapixels")
                          .arg(au_pixel(l)).arg(au_pixel(h)).arg(pixels_max / 1000000));
    if (est_emf(o)) {
        svg = svg_emf(o);
    } else {
        const Wmf w = svg_wmf(o);
        svg = w.svg;
        if (!est_wmf_placable(o)) {
            l = w.largeur;
            h = w.hauteur;
            if (static_cast<double>(l) * h > static_cast<double>(pixels_max))
                return refuse(QStringLiteral("le dessin demande %1 x %2 pixels, au-delà de la limite de %3 mégapixels")
                                  .arg(au_pixel(l)).arg(au_pixel(h)).arg(pixels_max / 1000000));
        }
    }
    if (svg.isEmpty()) return refuse(QStringLiteral("fichier endommagé"));
    auto rendu = std::make_shared<QSvgRenderer>();
    if (!rendu->load(svg) || !rendu->isValid()) return refuse(QStringLiteral("fichier endommagé"));
    rendu->setAspectRatioMode(Qt::IgnoreAspectRatio);
    m.rendu_ = std::move(rendu);
    m.largeur_ = au_pixel(l);
    m.hauteur_ = au_pixel(h);
    return m;
}

void Metafichier::dessine(QPainter& p, const QRectF& cible) const {
    if (rendu_) rendu_->render(&p, cible);
}

QImage Metafichier::rasterise(int l, int h, const QColor& fond) const {
    QImage im(l, h, QImage::Format_RGB32);
    if (im.isNull()) return im;
    im.fill(fond);
    QPainter p(&im);
    dessine(p, QRectF(0, 0, l, h));
    return im;
}

} // namespace vuv

// libemf2svg keeps a few bytes of every conversion; the sanitizer builds should not fail on the
// library's leak. Read by LeakSanitizer only.
extern "C" const char* __lsan_default_suppressions() { return "leak:emf2svg\n"; }
