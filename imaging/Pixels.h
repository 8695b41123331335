#pragma once
// The QImage side of pixels: views over an image's memory, allocation of large images,
// and the status text of a background.
#include "core/pixels/VuePixels.h"
#include "imaging/Canaux555.h"

#include <QImage>
#include <QString>

namespace vuv {

// A view over the image's own memory (detaches a shared image first). Formats other than
// Indexed8, RGB555 and RGB32 give an empty view (valide() is false).
VuePixels vue_pixels(QImage& image);

// An uninitialised image; a null image when memory is short. Buffers of several megabytes
// are advised to use huge pages before their first touch.
QImage nouvelle_image(int largeur, int hauteur, QImage::Format format);

// Bits per pixel as the status bar shows them: 1, 8, 15 (RGB555), 16, 24 or 32; 0 otherwise.
int bits_par_pixel(const QImage& image);

// "W" + "x" + "H" + "x" + bits + "=" + W·H·bits div 8192 + " "; empty for a null image.
QString LxHxC(const QImage& image);

} // namespace vuv
