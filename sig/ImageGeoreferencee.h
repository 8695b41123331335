#pragma once
// A scan that already carries its georeference: the affine transform of a GeoTIFF's own keys
// or of a world file beside the image, and the coordinate system that comes with it (GeoTIFF
// keys, else a .prj beside the image). The pixels stay with our decoders; GDAL only reads the
// TIFF's georeferencing tags. And the reverse, for a saved overlay: world file, .prj and the
// .aux.xml through which GDAL-based GIS tools learn the system.
#include "core/georef/Monde.h"

#include <string>

namespace vuv::sig {

struct GeoreferenceImage {
    bool trouvee = false;     // a sound transform was found
    TransformationAffine t;   // corner convention (see core/georef/Monde.h)
    std::string wkt;          // the system, empty when the file gives none
    std::string source;       // the file the transform came from (the world file or the TIFF)
    std::string erreur;       // a transform was there but is refused: French, names the file
    std::string avertissement; // the transform is sound but the .prj beside it is not readable
};

// A TIFF's internal georeferencing first, as GIS tools take it, then a world file. Neither:
// trouvee false and no message.
GeoreferenceImage lit_georeference(const std::string& image);

// Beside an image just written: its world file, and when `wkt` is not empty its ".prj" (ESRI
// flavour, as GIS side files are) and "<image>.aux.xml". Each through the safe write; throws
// ErreurFichier with a French message.
void ecrit_georeference(const std::string& image, const TransformationAffine& t, const std::string& wkt);

} // namespace vuv::sig
