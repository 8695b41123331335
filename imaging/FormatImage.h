#pragma once
// Which decoder a file needs, from its first bytes only: names lie ("photo.jpeg", a bitmap
// saved as ".jpg", a folder called "x.jpg").
#include <cstddef>
#include <QString>

namespace vuv {

enum class FormatImage { inconnu, jpeg, bmp, tiff, gif, png };

// Enough leading bytes for every signature below.
inline constexpr std::size_t octets_signature = 8;

FormatImage format_des_octets(const unsigned char* octets, std::size_t n);

// The name shown in messages: "JPEG", "BMP", "TIFF", "GIF", "PNG", or "" when unknown.
QString nom_format(FormatImage format);

// The extension that chooses the encoder of a save: JPEG for ".jpg"/".jpeg" (any case),
// BMP for everything else.
enum class FormatEnregistrement { bmp, jpeg };
FormatEnregistrement format_enregistrement(const QString& chemin);

} // namespace vuv
