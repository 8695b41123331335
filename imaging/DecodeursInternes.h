#pragma once
// Shared by the decoders: how a failure is worded and how the final image is allocated.
#include "core/fichiers/RaisonSysteme.h"
#include "imaging/DecodageImage.h"

#include <cstdint>
#include <cstdio>

namespace vuv::detail {

struct Decodage {
    QString chemin;
    FormatImage format = FormatImage::inconnu;
    std::int64_t pixels_max = limite_pixels_defaut;

    // "Impossible de lire l'image <chemin> : " + raison.
    ImageDecodee echec(EchecImage echec, const QString& raison) const;
    // "fichier <format> tronqué ou endommagé", with the library's words when they help.
    ImageDecodee endommage(const QString& detail = {}) const;
    ImageDecodee non_pris_en_charge(const QString& quoi) const;
    // False with *refus set when the size is zero, negative or over the cap.
    bool accepte(std::int64_t largeur, std::int64_t hauteur, ImageDecodee* refus) const;
    // The final image, or a null image with *refus set: zero or negative size, over the cap
    // (checked before allocating), or memory exhausted.
    QImage alloue(std::int64_t largeur, std::int64_t hauteur, ImageDecodee* refus) const;
    ImageDecodee reussite(QImage image) const;
};

inline QString raison_lecture(int code) { return QString::fromStdString(raison_systeme(code, Acces::lecture)); }

// Each reads from the start of the open file; the caller closes it.
ImageDecodee decode_jpeg(std::FILE* f, const Decodage& d);
ImageDecodee decode_bmp(std::FILE* f, const Decodage& d);
ImageDecodee decode_gif(std::FILE* f, const Decodage& d);
// These open the file by path themselves.
ImageDecodee decode_tiff(const Decodage& d);
ImageDecodee decode_png(const Decodage& d);

} // namespace vuv::detail
