#pragma once
// Background images decoded into 15 bits per pixel (QImage::Format_RGB555), the format in
// which the program holds backgrounds and overlays. The decoder is chosen by the file's
// first bytes. Decoding never touches the caller's current image: callers replace theirs
// only when the result holds the new one.
#include "imaging/FormatImage.h"

#include <QImage>
#include <QString>
#include <cstdint>

namespace vuv {

// The default pixel cap: a 300 dpi A0 scan is about 140 megapixels.
inline constexpr std::int64_t limite_pixels_defaut = 400'000'000;

// The cap that decoding uses unless told otherwise (settable by the application).
std::int64_t limite_pixels();
void fixe_limite_pixels(std::int64_t pixels);

struct OptionsDecodage {
    // Images with more pixels are refused before anything is allocated.
    std::int64_t pixels_max = limite_pixels();
};

enum class EchecImage {
    aucun,
    introuvable,      // no such file
    dossier,          // the path is a folder
    illisible,        // the system refuses to read it
    vide,             // zero bytes
    format_inconnu,   // no known signature
    endommage,        // truncated or corrupt data
    non_pris_en_charge,  // a valid variant this decoder does not read
    dimensions,       // zero or negative width or height
    trop_grande,      // over the pixel cap
    memoire,          // allocation failed
};

struct ImageDecodee {
    QImage image;  // Format_RGB555 on success, null on failure
    FormatImage format = FormatImage::inconnu;
    EchecImage echec = EchecImage::aucun;
    QString message;  // French, names the file and the reason; empty on success

    bool ok() const { return echec == EchecImage::aucun; }
    explicit operator bool() const { return ok(); }
};

ImageDecodee decode_image(const QString& chemin, const OptionsDecodage& options = {});

} // namespace vuv
