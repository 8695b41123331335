#include "imaging/EncodageImage.h"

#include "core/fichiers/EcritureSure.h"
#include "imaging/Canaux555.h"
#include "imaging/FormatImage.h"
#include "imaging/JpegCommun.h"
#include "core/fichiers/PetitBoutiste.h"

#include <QFile>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace vuv {

namespace {

ResultatEcriture resultat(const EcritureSure& sortie) {
    return {QString::fromStdString(sortie.message("l'image", true))};
}

EcritureSure sortie_vers(const QString& chemin) { return EcritureSure(QFile::encodeName(chemin).toStdString()); }


// Rows of a format the writers do not take directly, converted a band at a time so that a
// large image is never copied whole.
class Bandes {
public:
    Bandes(const QImage& image, QImage::Format format) : image_(image), format_(format) {}
    const uchar* ligne(int y) {
        if (bande_.isNull() || y < debut_ || y >= debut_ + bande_.height()) {
            debut_ = y - y % hauteur_bande;
            const int n = std::min(hauteur_bande, image_.height() - debut_);
            bande_ = image_.copy(0, debut_, image_.width(), n).convertToFormat(format_);
        }
        return bande_.constScanLine(y - debut_);
    }

private:
    static constexpr int hauteur_bande = 64;
    const QImage& image_;
    QImage::Format format_;
    QImage bande_;
    int debut_ = 0;
};

} // namespace

ResultatEcriture ecrit_bmp(const QImage& image, const QString& chemin) {
    EcritureSure sortie = sortie_vers(chemin);
    if (image.isNull()) sortie.echoue("l'image est vide");
    if (!sortie.ok()) return resultat(sortie);

    const bool rgb555_direct = image.format() == QImage::Format_RGB555;
    const bool indexe = image.format() == QImage::Format_Indexed8;
    const bool gris = image.format() == QImage::Format_Grayscale8;
    const int bits = rgb555_direct ? 16 : (indexe || gris) ? 8 : 24;
    std::vector<QRgb> palette;
    if (indexe) {
        const QList<QRgb> table = image.colorTable();
        palette.assign(table.begin(), table.end());
    }
    if (gris || (indexe && palette.empty()))
        for (int i = 0; i < 256; ++i) palette.push_back(qRgb(i, i, i));
    palette.resize(std::min<std::size_t>(palette.size(), 256));

    const int largeur = image.width(), hauteur = image.height();
    const std::uint64_t pas = ((std::uint64_t(largeur) * bits + 31) / 32) * 4;
    const std::uint64_t debut = 14 + 40 + 4 * palette.size();
    const std::uint64_t taille = debut + pas * std::uint64_t(hauteur);
    if (taille > 0xFFFFFFFFu) {
        sortie.echoue("l'image est trop grande pour un fichier BMP (4 Go au plus)");
        return resultat(sortie);
    }

    unsigned char tete[54] = {'B', 'M'};
    pose32(tete + 2, static_cast<std::uint32_t>(taille));
    pose32(tete + 10, static_cast<std::uint32_t>(debut));
    pose32(tete + 14, 40);
    pose32(tete + 18, static_cast<std::uint32_t>(largeur));
    pose32(tete + 22, static_cast<std::uint32_t>(hauteur));
    pose16(tete + 26, 1);
    pose16(tete + 28, static_cast<std::uint32_t>(bits));
    pose32(tete + 34, static_cast<std::uint32_t>(pas * std::uint64_t(hauteur)));
    pose32(tete + 38, static_cast<std::uint32_t>(std::max(0, image.dotsPerMeterX())));
    pose32(tete + 42, static_cast<std::uint32_t>(std::max(0, image.dotsPerMeterY())));
    pose32(tete + 46, static_cast<std::uint32_t>(palette.size()));
    sortie.ecrit(tete, sizeof tete);
    for (QRgb c : palette) {
        const unsigned char entree[4] = {static_cast<unsigned char>(qBlue(c)),
                                         static_cast<unsigned char>(qGreen(c)),
                                         static_cast<unsigned char>(qRed(c)), 0};
        sortie.ecrit(entree, 4);
    }

    const std::size_t utiles = static_cast<std::size_t>((std::uint64_t(largeur) * bits + 7) / 8);
    const unsigned char zeros[4] = {};
    Bandes bandes(image, QImage::Format_BGR888);
    for (int y = hauteur - 1; y >= 0 && sortie.ok(); --y) {
        const uchar* ligne = bits == 24 ? bandes.ligne(y) : image.constScanLine(y);
        sortie.ecrit(ligne, utiles);
        sortie.ecrit(zeros, static_cast<std::size_t>(pas) - utiles);
    }
    sortie.valide();
    return resultat(sortie);
}

namespace {

constexpr std::size_t taille_tampon_jpeg = 1 << 16;

// Everything the error jump may cross lives here, outside the frame that calls setjmp.
struct EtatCompression {
    jpeg_compress_struct info{};
    detail::ErreurJpeg erreur{};
    jpeg_destination_mgr destination{};
    EcritureSure* sortie = nullptr;
    const QImage* image = nullptr;
    int qualite = qualite_jpeg;
    std::vector<unsigned char> tampon;
    std::vector<unsigned char> ligne;
    std::unique_ptr<Bandes> bandes;
    bool echec_ecriture = false;
};

EtatCompression* etat_de(j_compress_ptr c) { return static_cast<EtatCompression*>(c->client_data); }

void debut_destination(j_compress_ptr c) {
    EtatCompression* e = etat_de(c);
    c->dest->next_output_byte = e->tampon.data();
    c->dest->free_in_buffer = e->tampon.size();
}

boolean vide_destination(j_compress_ptr c) {
    EtatCompression* e = etat_de(c);
    if (!e->sortie->ecrit(e->tampon.data(), e->tampon.size())) {
        e->echec_ecriture = true;
        std::longjmp(e->erreur.saut, 1);
    }
    c->dest->next_output_byte = e->tampon.data();
    c->dest->free_in_buffer = e->tampon.size();
    return TRUE;
}

void fin_destination(j_compress_ptr c) {
    EtatCompression* e = etat_de(c);
    if (!e->sortie->ecrit(e->tampon.data(), e->tampon.size() - c->dest->free_in_buffer)) {
        e->echec_ecriture = true;
        std::longjmp(e->erreur.saut, 1);
    }
}

// No object with a destructor may be alive in this frame across a libjpeg call.
bool compresse(EtatCompression* e) {
    jpeg_compress_struct* info = &e->info;
    info->err = detail::prepare_erreur_jpeg(&e->erreur);
    if (setjmp(e->erreur.saut)) return false;
    jpeg_create_compress(info);
    info->client_data = e;
    e->tampon.resize(taille_tampon_jpeg);
    e->destination.init_destination = debut_destination;
    e->destination.empty_output_buffer = vide_destination;
    e->destination.term_destination = fin_destination;
    info->dest = &e->destination;

    const QImage& image = *e->image;
    const bool gris = image.format() == QImage::Format_Grayscale8;
    info->image_width = static_cast<JDIMENSION>(image.width());
    info->image_height = static_cast<JDIMENSION>(image.height());
    info->input_components = gris ? 1 : 3;
    info->in_color_space = gris ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, e->qualite, TRUE);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        info->density_unit = 1;  // dots per inch
        info->X_density = static_cast<UINT16>(std::lround(image.dotsPerMeterX() * 0.0254));
        info->Y_density = static_cast<UINT16>(std::lround(image.dotsPerMeterY() * 0.0254));
    }
    jpeg_start_compress(info, TRUE);

    const int largeur = image.width();
    e->ligne.resize(static_cast<std::size_t>(largeur) * 3);
    const bool rgb555_direct = image.format() == QImage::Format_RGB555;
    if (!gris && !rgb555_direct) e->bandes = std::make_unique<Bandes>(image, QImage::Format_RGB888);
    while (info->next_scanline < info->image_height) {
        const int y = static_cast<int>(info->next_scanline);
        JSAMPROW ligne = e->ligne.data();
        if (gris) {
            ligne = const_cast<JSAMPROW>(image.constScanLine(y));
        } else if (rgb555_direct) {
            const auto* src = reinterpret_cast<const std::uint16_t*>(image.constScanLine(y));
            unsigned char* dst = e->ligne.data();
            for (int x = 0; x < largeur; ++x, dst += 3) {
                dst[0] = static_cast<unsigned char>(rouge555(src[x]));
                dst[1] = static_cast<unsigned char>(vert555(src[x]));
                dst[2] = static_cast<unsigned char>(bleu555(src[x]));
            }
        } else {
            ligne = const_cast<JSAMPROW>(e->bandes->ligne(y));
        }
        jpeg_write_scanlines(info, &ligne, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

} // namespace

ResultatEcriture ecrit_jpeg(const QImage& image, const QString& chemin, int qualite) {
    EcritureSure sortie = sortie_vers(chemin);
    if (image.isNull()) sortie.echoue("l'image est vide");
    if (image.width() > JPEG_MAX_DIMENSION || image.height() > JPEG_MAX_DIMENSION)
        sortie.echoue("l'image dépasse 65500 pixels de côté, la limite du JPEG");
    if (!sortie.ok()) return resultat(sortie);
    EtatCompression e;
    e.sortie = &sortie;
    e.image = &image;
    e.qualite = qualite;
    const bool ok = compresse(&e);
    jpeg_destroy_compress(&e.info);
    if (!ok) {
        if (!e.echec_ecriture)
            sortie.echoue("erreur du codeur JPEG (" + QString::fromLocal8Bit(e.erreur.message).toStdString() + ')');
        return resultat(sortie);
    }
    sortie.valide();
    return resultat(sortie);
}

ResultatEcriture enregistre_image(const QImage& image, const QString& chemin) {
    if (format_enregistrement(chemin) == FormatEnregistrement::jpeg) return ecrit_jpeg(image, chemin);
    return ecrit_bmp(image, chemin);
}

} // namespace vuv
