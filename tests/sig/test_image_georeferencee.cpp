// Scans that carry their georeference, made here through GDAL's own writers: GeoTIFF keys and
// world files read back as GDAL's transform (the half pixel included), the system beside them,
// the refused ones; and the files written beside a saved overlay, read back by GDAL as a GIS
// would.
#include "sig/ImageGeoreferencee.h"
#include "sig/SystemeCoordonnees.h"
#include "tests/support/FichiersEssai.h"

#include <gtest/gtest.h>

#include <cpl_string.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <filesystem>
#include <fstream>

using namespace vuv;
using namespace vuv::sig;
namespace fs = std::filesystem;

namespace {

using GT = std::array<double, 6>;

const GT nord{652000.0, 2.5, 0.0, 6862000.0, 0.0, -2.5};
// 30 degrees, pixels of 0.5 m by 0.75 m.
const GT tourne{700123.25, 0.4330127018922193, 0.375, 6600456.5, 0.25, -0.649519052838329};

class Georeference : public ::testing::Test {
protected:
    static void SetUpTestSuite() { GDALAllRegister(); }

    std::string chemin(const std::string& nom) const { return (dossier_ / nom).string(); }
    std::string ecrit(const std::string& nom, const std::string& octets) const {
        std::ofstream(chemin(nom), std::ios::binary) << octets;
        return chemin(nom);
    }

    // A small image in memory, then copied by the named driver with its options.
    std::string image(const std::string& nom, const char* pilote, const GT* gt, const std::string& wkt = {},
                      CSLConstList options = nullptr) const {
        GDALDatasetH mem = GDALCreate(GDALGetDriverByName("MEM"), "", 40, 30, 1, GDT_Byte, nullptr);
        if (gt) GDALSetGeoTransform(mem, const_cast<double*>(gt->data()));
        if (!wkt.empty()) GDALSetProjection(mem, wkt.c_str());
        GDALDatasetH copie = GDALCreateCopy(GDALGetDriverByName(pilote), chemin(nom).c_str(), mem, FALSE,
                                            const_cast<char**>(options), nullptr, nullptr);
        EXPECT_NE(copie, nullptr) << nom;
        GDALClose(copie);
        GDALClose(mem);
        return chemin(nom);
    }

    static void egal(const TransformationAffine& t, const GT& gt, double tolerance) {
        for (int k = 0; k < 6; ++k) EXPECT_NEAR(static_cast<double>(t.c[k]), gt[k], tolerance) << "terme " << k;
    }

    const vuv::octets::DossierEssai essai_{"georef_sig_"};
    fs::path dossier_ = essai_.chemin();
};

std::string wkt_de(const std::string& texte) {
    std::string wkt, erreur;
    EXPECT_TRUE(systeme_vers_wkt(texte, wkt, erreur)) << erreur;
    return wkt;
}

} // namespace

TEST_F(Georeference, AGeoTiffGivesItsOwnTransformAndSystem) {
    for (const GT* gt : {&nord, &tourne}) {
        const std::string tif = image("scan.tif", "GTiff", gt, wkt_de("2154"));
        const GeoreferenceImage g = lit_georeference(tif);
        ASSERT_TRUE(g.trouvee) << g.erreur;
        egal(g.t, *gt, 1e-9);
        EXPECT_EQ(g.source, tif);
        EXPECT_EQ(nom_systeme(g.wkt), "RGF93 v1 / Lambert-93 (EPSG:2154)");
        EXPECT_EQ(g.erreur + g.avertissement, "");
    }
    // Its own keys come before a world file beside it, as GIS tools take them.
    ecrit("scan.tfw", "1\n0\n0\n-1\n0.5\n0.5\n");
    egal(lit_georeference(image("scan.tif", "GTiff", &nord)).t, nord, 0);
}

TEST_F(Georeference, AWorldFileWrittenByGdalGivesGdalsTransform) {
    // GDAL writes the centre of the first pixel; the transform is its corner.
    const char* const avec_wld[] = {"WORLDFILE=YES", nullptr};
    const std::string jpg = image("nord.jpg", "JPEG", &nord, {}, avec_wld);
    ASSERT_TRUE(fs::exists(chemin("nord.wld")));
    GeoreferenceImage g = lit_georeference(jpg);
    ASSERT_TRUE(g.trouvee) << g.erreur;
    EXPECT_EQ(g.source, chemin("nord.wld"));
    egal(g.t, nord, 1e-9);
    EXPECT_EQ(g.wkt, "");

    const std::string tourne_jpg = image("tourne.jpg", "JPEG", nullptr);
    ASSERT_TRUE(GDALWriteWorldFile(tourne_jpg.c_str(), "jgw", const_cast<double*>(tourne.data())));
    ecrit("tourne.prj", wkt_de("32631"));
    g = lit_georeference(tourne_jpg);
    ASSERT_TRUE(g.trouvee) << g.erreur;
    egal(g.t, tourne, 1e-9);
    EXPECT_EQ(nom_systeme(g.wkt), "WGS 84 / UTM zone 31N (EPSG:32631)");

    // A TIFF without keys takes its world file too.
    const std::string tif = image("plat.tif", "GTiff", nullptr);
    ASSERT_TRUE(GDALWriteWorldFile(tif.c_str(), "tfw", const_cast<double*>(nord.data())));
    egal(lit_georeference(tif).t, nord, 1e-9);
}

TEST_F(Georeference, NoTransformMeansNoCalibrationAndNoMessage) {
    for (const std::string& i : {image("a.tif", "GTiff", nullptr), image("b.jpg", "JPEG", nullptr), chemin("absente.png")}) {
        const GeoreferenceImage g = lit_georeference(i);
        EXPECT_FALSE(g.trouvee) << i;
        EXPECT_EQ(g.erreur + g.avertissement + g.wkt, "") << i;
    }
}

TEST_F(Georeference, ARefusedGeoreferenceSaysWhichFileAndWhy) {
    const std::string jpg = image("c.jpg", "JPEG", nullptr);
    const std::string jgw = ecrit("c.jgw", "2.5\n0\n0\n0\n652001.25\n6861998.75\n");
    GeoreferenceImage g = lit_georeference(jpg);
    EXPECT_FALSE(g.trouvee);
    EXPECT_EQ(g.erreur, "Fichier <" + jgw + ">, ligne 4 : la taille du pixel en hauteur est nulle");

    // Rows and columns along one line: the matrix of a GeoTIFF that cannot be inverted.
    const GT plat{1000, 1, 2, 2000, 0.5, 1};
    const std::string tif = image("plat.tif", "GTiff", &plat);
    g = lit_georeference(tif);
    EXPECT_FALSE(g.trouvee);
    EXPECT_EQ(g.erreur, "Fichier <" + tif + "> : la transformation n'est pas inversible : les lignes et les colonnes "
                                            "de l'image tombent sur une même droite");

    // A sound world file beside a .prj GDAL cannot read: calibrated, without a system, and told.
    ecrit("c.jgw", "2.5\n0\n0\n-2.5\n652001.25\n6861998.75\n");
    const std::string prj = ecrit("c.PRJ", "LOCAL_CS[");
    g = lit_georeference(jpg);
    EXPECT_TRUE(g.trouvee);
    EXPECT_EQ(g.wkt, "");
    EXPECT_EQ(g.avertissement, "Le système de coordonnées du fichier " + prj +
                                   " n'est pas lisible : l'image est calée sans système.");
}

TEST_F(Georeference, ASavedOverlayIsPlacedByGdalWithItsSystem) {
    const std::string jpg = image("calque.jpg", "JPEG", nullptr);
    TransformationAffine t;
    for (int k = 0; k < 6; ++k) t.c[static_cast<std::size_t>(k)] = tourne[static_cast<std::size_t>(k)];
    ecrit_georeference(jpg, t, wkt_de("2154"));
    EXPECT_EQ(std::ifstream(chemin("calque.prj")).get(), 'P');
    std::string esri((std::istreambuf_iterator<char>(std::ifstream(chemin("calque.prj")).rdbuf())),
                     std::istreambuf_iterator<char>());
    EXPECT_EQ(esri.rfind("PROJCS[\"RGF_1993_Lambert_93\"", 0), 0u) << esri;

    GDALDatasetH ds = GDALOpen(jpg.c_str(), GA_ReadOnly);
    ASSERT_NE(ds, nullptr);
    GT lu{};
    ASSERT_EQ(GDALGetGeoTransform(ds, lu.data()), CE_None);
    for (int k = 0; k < 6; ++k) EXPECT_NEAR(lu[k], tourne[k], 1e-9) << k;
    OGRSpatialReferenceH s = GDALGetSpatialRef(ds);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(OSRGetName(s), "RGF93 v1 / Lambert-93");
    GDALClose(ds);

    // Without a system only the world file is written.
    const std::string bmp = image("sans.bmp", "BMP", nullptr);
    ecrit_georeference(bmp, t, "");
    EXPECT_TRUE(fs::exists(chemin("sans.bpw")));
    EXPECT_FALSE(fs::exists(chemin("sans.prj")));
    EXPECT_FALSE(fs::exists(chemin("sans.bmp.aux.xml")));
}
