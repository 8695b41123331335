// A project's coordinate system through GDAL: the texts a user types or pastes, the names shown,
// the EPSG list and its search, and the .prj side file read back.
#include "sig/SystemeCoordonnees.h"
#include "tests/support/FichiersEssai.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace vuv::sig;
namespace fs = std::filesystem;

namespace {

class Prj : public ::testing::Test {
protected:
    std::string ecrit(const std::string& nom, const std::string& octets) const {
        const std::string chemin = (dossier_ / nom).string();
        std::ofstream(chemin, std::ios::binary) << octets;
        return chemin;
    }
    std::string chemin(const std::string& nom) const { return (dossier_ / nom).string(); }

    const vuv::octets::DossierEssai essai_{"prj_"};
    fs::path dossier_ = essai_.chemin();
};

std::string wkt_de(const std::string& texte) {
    std::string wkt, erreur;
    EXPECT_TRUE(systeme_vers_wkt(texte, wkt, erreur)) << erreur;
    return wkt;
}

} // namespace

TEST(Systeme, ACodeAWktOrAProjTextGivesTheSameNamedSystem) {
    const std::string l93 = wkt_de("2154");
    EXPECT_EQ(nom_systeme(l93), "RGF93 v1 / Lambert-93 (EPSG:2154)");
    EXPECT_EQ(wkt_de(" EPSG:2154\r\n"), l93);
    EXPECT_EQ(wkt_de(l93), l93);
    EXPECT_EQ(nom_systeme(wkt_de("27572")), "NTF (Paris) / Lambert zone II (EPSG:27572)");
    EXPECT_TRUE(est_geographique(wkt_de("4326")));
    EXPECT_FALSE(est_geographique(l93));
    EXPECT_EQ(nom_systeme(""), "");
    EXPECT_EQ(nom_systeme("n'importe quoi"), "(système illisible)");
}

TEST(Systeme, AnUnknownCodeOrTextIsRefusedInFrench) {
    for (const std::string texte : {"999999", "EPSG:999999", "Lambert-93", "", "PROJCS[\"coupé\""}) {
        std::string wkt = "avant", erreur;
        EXPECT_FALSE(systeme_vers_wkt(texte, wkt, erreur)) << texte;
        EXPECT_EQ(erreur, "Système de coordonnées inconnu : " + texte);
        EXPECT_EQ(wkt, "avant");
    }
}

// Symptom: systems that WKT1 cannot express (about forty EPSG codes) were accepted as an empty
// WKT, so the project silently had no system.
TEST(Systeme, ASystemWithoutAWkt1FormIsKeptInWkt2) {
    const std::string w = wkt_de("3139");
    EXPECT_EQ(w.rfind("PROJCRS[\"Vanua Levu 1915 / Vanua Levu Grid\"", 0), 0u) << w;
    EXPECT_EQ(nom_systeme(w), "Vanua Levu 1915 / Vanua Levu Grid (EPSG:3139)");
}

TEST(Systeme, TheEpsgListHoldsMapSystemsAndItsSearchTakesWords) {
    const std::vector<SystemeConnu> l = systemes_epsg();
    ASSERT_GT(l.size(), 5000u);
    EXPECT_TRUE(std::is_sorted(l.begin(), l.end(), [](const auto& a, const auto& b) { return a.code < b.code; }));
    const auto cherche = [&](int code) {
        const auto it = std::find_if(l.begin(), l.end(), [code](const auto& s) { return s.code == code; });
        return it == l.end() ? nullptr : &*it;
    };
    ASSERT_TRUE(cherche(2154));
    EXPECT_EQ(cherche(2154)->nom, "RGF93 v1 / Lambert-93");
    ASSERT_TRUE(cherche(4326));
    EXPECT_TRUE(cherche(4326)->geographique);
    EXPECT_FALSE(cherche(4978)) << "geocentric";
    EXPECT_FALSE(cherche(5703)) << "vertical";
    EXPECT_FALSE(cherche(27582)) << "deprecated";

    const SystemeConnu& l93 = *cherche(2154);
    for (const char* oui : {"lambert 93", "LAMBERT-93", "  rgf93   lamb ", "2154", "215", ""}) EXPECT_TRUE(correspond(oui, l93)) << oui;
    for (const char* non : {"lambert 94", "2155", "utm"}) EXPECT_FALSE(correspond(non, l93)) << non;
    EXPECT_TRUE(correspond("utm 31n", *cherche(32631)));
}

TEST_F(Prj, AProjectWithoutSideFileHasNoSystem) {
    std::string wkt = "avant", erreur;
    EXPECT_TRUE(lit_prj(chemin("carte.trl"), wkt, erreur));
    EXPECT_EQ(wkt, "");
    EXPECT_EQ(erreur, "");
    EXPECT_EQ(chemin_prj("d.v2/carte.trl"), "d.v2/carte.prj");
    EXPECT_EQ(chemin_prj("d.v2/carte"), "d.v2/carte.prj");
}

TEST_F(Prj, TheSideFileIsReadBackOrRefusedByName) {
    const std::string l93 = wkt_de("2154");
    ecrit_prj(chemin("carte.trl"), l93);
    std::string wkt, erreur;
    EXPECT_TRUE(lit_prj(chemin("carte.trl"), wkt, erreur)) << erreur;
    EXPECT_EQ(wkt, l93);

    // An ESRI .prj as GIS tools write them reads as the same system.
    ecrit("esri.prj", "PROJCS[\"RGF_1993_Lambert_93\",GEOGCS[\"GCS_RGF_1993\",DATUM[\"D_RGF_1993\",SPHEROID[\"GRS_1980\","
                      "6378137.0,298.257222101]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],"
                      "PROJECTION[\"Lambert_Conformal_Conic\"],PARAMETER[\"False_Easting\",700000.0],"
                      "PARAMETER[\"False_Northing\",6600000.0],PARAMETER[\"Central_Meridian\",3.0],"
                      "PARAMETER[\"Standard_Parallel_1\",49.0],PARAMETER[\"Standard_Parallel_2\",44.0],"
                      "PARAMETER[\"Latitude_Of_Origin\",46.5],UNIT[\"Meter\",1.0]]");
    EXPECT_TRUE(lit_prj(chemin("esri.trl"), wkt, erreur)) << erreur;
    EXPECT_EQ(nom_systeme(wkt).rfind("RGF93 v1 / Lambert-93", 0), 0u) << nom_systeme(wkt);

    ecrit("carte.prj", "pas un système");
    wkt = "avant";
    EXPECT_FALSE(lit_prj(chemin("carte.trl"), wkt, erreur));
    EXPECT_EQ(wkt, "");
    EXPECT_EQ(erreur, "Le système de coordonnées du fichier " + chemin("carte.prj") +
                          " n'est pas lisible ; le projet est ouvert sans système.");
    ecrit("carte.prj", std::string("GEOGCS\0", 7));
    EXPECT_FALSE(lit_prj(chemin("carte.trl"), wkt, erreur));
    EXPECT_EQ(erreur, "Fichier <" + chemin("carte.prj") +
                          "> : ce n'est pas un fichier texte (octet nul à la position 7) ; le projet est ouvert sans système.");

    ecrit_prj(chemin("carte.trl"), "");
    EXPECT_FALSE(fs::exists(chemin("carte.prj")));
}

// Symptom: GDAL reads a text that names a file or a URL through it, so a .prj holding a path
// opened another file (or the network).
TEST_F(Prj, ASideFileNamingAnotherFileIsNotFollowed) {
    const std::string autre = ecrit("autre.prj", wkt_de("2154"));
    ecrit("carte.prj", autre);
    std::string wkt, erreur;
    EXPECT_FALSE(lit_prj(chemin("carte.trl"), wkt, erreur));
    EXPECT_EQ(wkt, "");
    std::string w2;
    EXPECT_FALSE(systeme_vers_wkt("http://127.0.0.1:9/epsg/2154.wkt", w2, erreur));
}
