#pragma once
// The digitized lines and points written for GIS tools through OGR: GeoPackage, Shapefile,
// GeoJSON, DXF and CSV with WKT geometries; KML by its own writer (sig/EcritureKml.h).
//
// Layers: "lignes" (LineString, fields L, nom, epaisseur, couleur), "surfaces" (Polygon, same
// fields; the closed lines, when asked) and "points" (Point, fields n, L, Libelle, Z), in 3D
// when some point has an altitude. GeoJSON and KML are written in longitude/latitude (WGS 84,
// longitude first), reprojected from the project's system; the other formats keep the
// project's coordinates and name its system when it has one. DXF keeps no fields: each entity
// lies on a DXF layer named after its layer and carries its line's colour, indexed and true.
//
// Nothing half-written is left: every file is written in a temporary folder beside the target,
// read back, and moved into place as a set only once all are complete (RemplacementSorties.h).
// GeoJSON holds the three layers in one collection, each feature naming its layer ("couche").
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vuv {
class Document;
}

namespace vuv::sig {

struct DonneesSig;

enum class FormatSig { gpkg, shp, geojson, kml, dxf, csv };

struct DescriptionFormat {
    FormatSig format;
    std::string_view nom;       // as the command line names it: "gpkg"
    std::string_view libelle;   // "GeoPackage"
    std::string_view extension; // ".gpkg"
    bool degres;                // written in longitude/latitude: needs the project's system
    bool fichier_par_couche;    // one file per layer: "<base>_lignes.shp", "<base>_points.shp"...
};

std::span<const DescriptionFormat> formats_sig();
const DescriptionFormat& description(FormatSig f);
// By its command-line name, in any case; null when there is none.
const DescriptionFormat* format_par_nom(std::string_view nom);

struct OptionsSig {
    FormatSig format = FormatSig::gpkg;
    bool lignes_choisies = false; // only the lines whose "OK" cell holds "x", and their points
    bool surfaces = false;        // closed lines also as polygons, in the layer "surfaces"
};

// What was written, for the end message.
struct BilanSig {
    FormatSig format = FormatSig::gpkg;
    std::vector<std::string> fichiers; // in the order written (with the side files of a shapefile)
    int lignes = 0;
    int surfaces = 0;
    int points = 0;
    int lignes_un_point = 0; // lines of a single point: no LineString
    int libelles_coupes = 0; // labels and names longer than a Shapefile field
    // "2 lignes, 1 surface, 9 points." and the lines of a single point left out.
    std::string comptes() const;
    // The end message: the files, their folder and the counts.
    std::string message() const;
};

// An export refused before anything was written (a format that needs a system the project
// lacks, a system GDAL cannot use, coordinates that cannot be reprojected). French.
class ErreurSig : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The files an export to `chemin` writes: `chemin` with the format's extension added when it
// has another, or for one file per layer "<base>_<couche><extension>" (without their side files).
std::vector<std::string> fichiers_sig(const std::string& chemin, FormatSig format, bool surfaces);

// Throws ErreurSig (also for a target that is a project's own file), ErreurFichier (a folder
// that cannot be written, a write that failed: the previous files are left as they were) and
// ErreurExport (a cell that is not a number).
BilanSig exporte_sig(const Document& d, const std::string& chemin, const OptionsSig& o);
BilanSig exporte_sig(const DonneesSig& donnees, const std::string& systeme_wkt, const std::string& chemin,
                     const OptionsSig& o);

} // namespace vuv::sig
