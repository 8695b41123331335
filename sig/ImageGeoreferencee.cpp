#include "sig/ImageGeoreferencee.h"

#include "core/fichiers/EcritureSure.h"
#include "core/georef/Lecture.h"
#include "sig/SystemeCoordonnees.h"

#include <cpl_conv.h>
#include <gdal.h>
#include <mutex>
#include <ogr_spatialref.h>
#include <ogr_srs_api.h>

namespace vuv::sig {

namespace {

// GDAL looks at a folder's other files when it opens one; the world file is ours to read.
class SansListeDossier {
public:
    SansListeDossier() {
        const char* v = CPLGetThreadLocalConfigOption(cle, nullptr);
        avait_ = v != nullptr;
        if (v) ancien_ = v;
        CPLSetThreadLocalConfigOption(cle, "EMPTY_DIR");
    }
    ~SansListeDossier() { CPLSetThreadLocalConfigOption(cle, avait_ ? ancien_.c_str() : nullptr); }
    SansListeDossier(const SansListeDossier&) = delete;
    SansListeDossier& operator=(const SansListeDossier&) = delete;

private:
    static constexpr const char* cle = "GDAL_DISABLE_READDIR_ON_OPEN";
    bool avait_ = false;
    std::string ancien_;
};

void enregistre_pilotes() {
    static std::once_flag fait;
    std::call_once(fait, [] { GDALAllRegister(); });
}

// The system beside the image, when its transform does not carry one.
void systeme_a_cote(const std::string& image, GeoreferenceImage& r) {
    const std::string prj = georef::cherche_sans_casse(chemin_prj(image));
    if (prj.empty()) return;
    std::string erreur;
    if (!lit_fichier_prj(prj, r.wkt, erreur)) r.avertissement = erreur + " : l'image est calée sans système.";
}

// The TIFF's own keys only (no .aux.xml, .tab or world file through GDAL). False when the file
// is not a TIFF GDAL opens or holds no transform.
bool cles_internes(const std::string& image, GeoreferenceImage& r) {
    enregistre_pilotes();
    const char* const pilotes[] = {"GTiff", nullptr};
    const char* const options[] = {"GEOREF_SOURCES=INTERNAL", nullptr};
    GDALDatasetH ds = nullptr;
    {
        const SansListeDossier sans_liste;
        CPLPushErrorHandler(CPLQuietErrorHandler);
        ds = GDALOpenEx(image.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, pilotes, options, nullptr);
        CPLPopErrorHandler();
    }
    if (!ds) return false;
    double gt[6] = {};
    CPLPushErrorHandler(CPLQuietErrorHandler);
    const bool transformee = GDALGetGeoTransform(ds, gt) == CE_None;
    CPLPopErrorHandler();
    if (!transformee) {
        GDALClose(ds);
        return false;
    }
    r.source = image;
    for (int k = 0; k < 6; ++k) r.t.c[static_cast<std::size_t>(k)] = gt[k];
    if (const std::string e = raison_non_inversible(r.t); !e.empty()) {
        r.erreur = "Fichier <" + image + "> : " + e;
    } else {
        r.trouvee = true;
        if (OGRSpatialReferenceH s = GDALGetSpatialRef(ds)) {
            char* w = nullptr;
            const char* const format[] = {"FORMAT=WKT2_2019", nullptr};
            if (OSRExportToWktEx(s, &w, format) == OGRERR_NONE && w) {
                std::string erreur;
                if (!systeme_vers_wkt(w, r.wkt, erreur)) r.wkt.clear();
            }
            CPLFree(w);
        }
    }
    GDALClose(ds);
    if (r.trouvee && r.wkt.empty()) systeme_a_cote(image, r);
    return true;
}

std::string wkt_esri(const std::string& wkt) {
    OGRSpatialReference srs;
    CPLPushErrorHandler(CPLQuietErrorHandler);
    std::string r;
    if (srs.importFromWkt(wkt.c_str()) == OGRERR_NONE) {
        char* w = nullptr;
        const char* const options[] = {"FORMAT=WKT1_ESRI", nullptr};
        if (srs.exportToWkt(&w, options) == OGRERR_NONE && w) r = w;
        CPLFree(w);
    }
    CPLPopErrorHandler();
    return r.empty() ? wkt : r;
}

std::string echappe_xml(const std::string& t) {
    std::string r;
    r.reserve(t.size() + t.size() / 8);
    for (char c : t) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        default: r += c;
        }
    }
    return r;
}

} // namespace

GeoreferenceImage lit_georeference(const std::string& image) {
    GeoreferenceImage r;
    if (cles_internes(image, r)) return r;
    const std::string monde = fichier_monde(image);
    if (monde.empty()) return r;
    r.source = monde;
    const LectureMonde l = lit_fichier_monde(monde);
    if (!l) {
        r.erreur = l.erreur;
        return r;
    }
    r.t = l.t;
    r.trouvee = true;
    systeme_a_cote(image, r);
    return r;
}

void ecrit_georeference(const std::string& image, const TransformationAffine& t, const std::string& wkt) {
    ecrit_fichier_sur(chemin_fichier_monde(image), texte_fichier_monde(t));
    if (wkt.empty()) return;
    ecrit_fichier_sur(chemin_prj(image), wkt_esri(wkt));
    // Without the attribute GDAL takes the data as east, north: X, Y as the calibration gives them.
    ecrit_fichier_sur(image + ".aux.xml", "<PAMDataset>\n  <SRS>" + echappe_xml(wkt) + "</SRS>\n</PAMDataset>\n");
}

} // namespace vuv::sig
