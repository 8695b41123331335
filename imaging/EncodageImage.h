#pragma once
// Saving an image as BMP or JPEG, atomically: a failure leaves any previous file untouched
// and says why, in French.
#include <QImage>
#include <QString>

namespace vuv {

inline constexpr int qualite_jpeg = 90;

struct ResultatEcriture {
    QString message;  // French, names the file; empty on success

    bool ok() const { return message.isEmpty(); }
    explicit operator bool() const { return ok(); }
};

// In the image's own pixel format: 16-bit 5-5-5 (BI_RGB) for RGB555, 8-bit with palette for
// Indexed8 and Grayscale8, 24-bit for every other format. Rows bottom-up, as is customary.
ResultatEcriture ecrit_bmp(const QImage& image, const QString& chemin);

// Baseline JPEG through libjpeg; grey images stay one-channel.
ResultatEcriture ecrit_jpeg(const QImage& image, const QString& chemin, int qualite = qualite_jpeg);

// JPEG (quality 90) when the file name's extension is ".jpg" or ".jpeg" in any case, else BMP.
ResultatEcriture enregistre_image(const QImage& image, const QString& chemin);

} // namespace vuv
