#include "imaging/DecodageImage.h"

#include "imaging/DecodeursInternes.h"
#include "imaging/Pixels.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <memory>

namespace vuv {

namespace {

std::int64_t limite_courante = limite_pixels_defaut;

struct FermeFichier {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

QString texte_limite(std::int64_t pixels) {
    if (pixels % 1'000'000 == 0) return QString::number(pixels / 1'000'000) + QStringLiteral(" mégapixels");
    return QString::number(pixels) + QStringLiteral(" pixels");
}

} // namespace

std::int64_t limite_pixels() { return limite_courante; }
void fixe_limite_pixels(std::int64_t pixels) { limite_courante = pixels; }

namespace detail {

ImageDecodee Decodage::echec(EchecImage e, const QString& raison) const {
    ImageDecodee r;
    r.format = format;
    r.echec = e;
    r.message = QStringLiteral("Impossible de lire l'image ") + chemin + QStringLiteral(" : ") + raison;
    return r;
}

ImageDecodee Decodage::endommage(const QString& detail) const {
    QString raison = QStringLiteral("fichier ") + nom_format(format) + QStringLiteral(" tronqué ou endommagé");
    if (!detail.isEmpty()) raison += QStringLiteral(" (") + detail + u')';
    return echec(EchecImage::endommage, raison);
}

ImageDecodee Decodage::non_pris_en_charge(const QString& quoi) const {
    return echec(EchecImage::non_pris_en_charge, quoi + QStringLiteral(" : variante non prise en charge"));
}

namespace {

QString texte_taille(std::int64_t largeur, std::int64_t hauteur) {
    return QString::number(largeur) + QStringLiteral(" x ") + QString::number(hauteur) + QStringLiteral(" pixels");
}

} // namespace

bool Decodage::accepte(std::int64_t largeur, std::int64_t hauteur, ImageDecodee* refus) const {
    const QString taille = texte_taille(largeur, hauteur);
    if (largeur <= 0 || hauteur <= 0) {
        *refus = echec(EchecImage::dimensions, QStringLiteral("dimensions invalides (") + taille + u')');
        return false;
    }
    constexpr std::int64_t cote_max = 0x7FFFFFFF;  // QImage sides are int
    if (largeur > cote_max || hauteur > cote_max || largeur > pixels_max / hauteur) {
        ImageDecodee r;
        r.format = format;
        r.echec = EchecImage::trop_grande;
        r.message = QStringLiteral("L'image ") + chemin + QStringLiteral(" est trop grande : ") + taille + QStringLiteral(" (limite : ") +
                    texte_limite(pixels_max) + u')';
        *refus = r;
        return false;
    }
    return true;
}

QImage Decodage::alloue(std::int64_t largeur, std::int64_t hauteur, ImageDecodee* refus) const {
    if (!accepte(largeur, hauteur, refus)) return {};
    QImage image = nouvelle_image(static_cast<int>(largeur), static_cast<int>(hauteur),
                                  QImage::Format_RGB555);
    if (image.isNull())
        *refus = echec(EchecImage::memoire,
                       QStringLiteral("mémoire insuffisante pour ") + texte_taille(largeur, hauteur));
    return image;
}

ImageDecodee Decodage::reussite(QImage image) const {
    ImageDecodee r;
    r.image = std::move(image);
    r.format = format;
    return r;
}

} // namespace detail

ImageDecodee decode_image(const QString& chemin, const OptionsDecodage& options) {
    detail::Decodage d{chemin, FormatImage::inconnu, options.pixels_max};
    const QFileInfo info(chemin);
    if (chemin.isEmpty() || !info.exists())
        return d.echec(EchecImage::introuvable, QStringLiteral("fichier introuvable"));
    if (info.isDir())
        return d.echec(EchecImage::dossier,
                       QStringLiteral("le chemin désigne un dossier, pas un fichier"));

    std::unique_ptr<std::FILE, FermeFichier> f(std::fopen(QFile::encodeName(chemin).constData(), "rbe"));
    if (!f) return d.echec(EchecImage::illisible, detail::raison_lecture(errno));
    // libjpeg asks for 4 KB at a time: let stdio read ahead in larger blocks.
    std::setvbuf(f.get(), nullptr, _IOFBF, std::size_t{256} << 10);
    unsigned char tete[octets_signature];
    const std::size_t n = std::fread(tete, 1, sizeof tete, f.get());
    if (n == 0) {
        if (std::ferror(f.get()))
            return d.echec(EchecImage::illisible, detail::raison_lecture(errno));
        return d.echec(EchecImage::vide, QStringLiteral("fichier vide"));
    }
    d.format = format_des_octets(tete, n);
    if (d.format == FormatImage::inconnu)
        return d.echec(EchecImage::format_inconnu,
                       QStringLiteral("format d'image non reconnu (JPEG, BMP, TIFF, GIF ou PNG attendu)"));
    std::rewind(f.get());

    switch (d.format) {
    case FormatImage::jpeg: return detail::decode_jpeg(f.get(), d);
    case FormatImage::bmp: return detail::decode_bmp(f.get(), d);
    case FormatImage::gif: return detail::decode_gif(f.get(), d);
    case FormatImage::tiff: f.reset(); return detail::decode_tiff(d);
    case FormatImage::png: f.reset(); return detail::decode_png(d);
    case FormatImage::inconnu: break;
    }
    return d.echec(EchecImage::format_inconnu, QStringLiteral("format d'image non reconnu"));
}

} // namespace vuv
