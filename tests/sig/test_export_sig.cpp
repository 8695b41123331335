// The GIS export read back through OGR: every layer of every format re-opened, its features
// counted, its fields and every vertex compared with the exported cells; the refusals and the
// failures that must leave nothing behind.
#include "LimiteTaille.h"
#include "core/document/Document.h"
#include "core/export/LectureExport.h"
#include "core/fichiers/EcritureSure.h"
#include "core/projet/Projet.h"
#include "core/text/separateur.h"
#include "sig/DonneesSig.h"
#include "sig/ExportSig.h"
#include "sig/SystemeCoordonnees.h"
#include "tests/support/PortScripte.h"
#include "tests/support/FichiersEssai.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <unistd.h>

using namespace vuv;
using namespace vuv::sig;
namespace fs = std::filesystem;

namespace {

// One feature as read back: its fields as texts ("" for null) and its vertices.
struct Sommet {
    double x, y, z;
};
struct Entite {
    std::map<std::string, std::string> champs;
    std::vector<Sommet> sommets;
    OGRwkbGeometryType type = wkbUnknown;
};

std::vector<Sommet> sommets_de(const OGRGeometry* g) {
    std::vector<Sommet> r;
    if (!g) return r;
    switch (wkbFlatten(g->getGeometryType())) {
    case wkbPoint: {
        auto* p = g->toPoint();
        r.push_back({p->getX(), p->getY(), p->getZ()});
        break;
    }
    case wkbLineString: {
        auto* l = g->toLineString();
        for (int i = 0; i < l->getNumPoints(); ++i) r.push_back({l->getX(i), l->getY(i), l->getZ(i)});
        break;
    }
    case wkbPolygon: {
        auto* a = g->toPolygon()->getExteriorRing();
        for (int i = 0; i < a->getNumPoints(); ++i) r.push_back({a->getX(i), a->getY(i), a->getZ(i)});
        break;
    }
    default: break;
    }
    return r;
}

std::vector<Entite> lit_couche(OGRLayer* l) {
    std::vector<Entite> r;
    l->ResetReading();
    while (OGRFeature* f = l->GetNextFeature()) {
        Entite e;
        for (int i = 0; i < f->GetFieldCount(); ++i)
            e.champs[f->GetFieldDefnRef(i)->GetNameRef()] = f->IsFieldSetAndNotNull(i) ? f->GetFieldAsString(i) : "";
        if (const OGRGeometry* g = f->GetGeometryRef()) {
            e.type = g->getGeometryType();
            e.sommets = sommets_de(g);
        }
        r.push_back(std::move(e));
        OGRFeature::DestroyFeature(f);
    }
    return r;
}

struct FermeSource {
    void operator()(GDALDataset* d) const { GDALClose(d); }
};
using Source = std::unique_ptr<GDALDataset, FermeSource>;

Source ouvre(const std::string& chemin) {
    return Source(static_cast<GDALDataset*>(GDALOpenEx(chemin.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr)));
}

// The layers "lignes", "surfaces", "points" of an export, whatever the format keeps them in
// (DXF and GeoJSON: one layer, each feature naming its own).
std::map<std::string, std::vector<Entite>> relit(const std::vector<std::string>& fichiers, FormatSig f) {
    std::map<std::string, std::vector<Entite>> r;
    if (f == FormatSig::dxf || f == FormatSig::geojson) {
        Source s = ouvre(fichiers.at(0));
        EXPECT_TRUE(s);
        if (!s) return r;
        EXPECT_EQ(s->GetLayerCount(), 1);
        const char* couche = f == FormatSig::dxf ? "Layer" : "couche";
        for (Entite& e : lit_couche(s->GetLayer(0))) r[e.champs[couche]].push_back(std::move(e));
        return r;
    }
    if (!description(f).fichier_par_couche) {
        Source s = ouvre(fichiers.at(0));
        EXPECT_TRUE(s);
        if (!s) return r;
        for (int i = 0; i < s->GetLayerCount(); ++i) r[s->GetLayer(i)->GetName()] = lit_couche(s->GetLayer(i));
        return r;
    }
    for (const std::string& fichier : fichiers) {
        Source s = ouvre(fichier);
        EXPECT_TRUE(s) << fichier;
        if (!s) continue;
        EXPECT_EQ(s->GetLayerCount(), 1);
        const std::string souche = fs::path(fichier).stem().string();
        r[souche.substr(souche.rfind('_') + 1)] = lit_couche(s->GetLayer(0));
    }
    return r;
}

double nombre(const Document& d, const char* col, int row) {
    return static_cast<double>(lit_reel_export(d.StringGrid1.cell(d.indice_col(col), row), col));
}

class ExportSig : public ::testing::Test {
protected:
    void SetUp() override { GDALAllRegister(); }

    std::string chemin(const std::string& nom) const { return (dossier / nom).string(); }
    std::vector<std::string> contenu() const {
        std::vector<std::string> r;
        for (const auto& e : fs::directory_iterator(dossier)) r.push_back(e.path().filename().string());
        std::sort(r.begin(), r.end());
        return r;
    }

    // A point at the end of line L, the line row created with its look.
    void point(int L, long double X, long double Y, long double Z = 0, const std::string& libelle = "") {
        const int row = ++d.nb_points;
        d.affecte_en(row, L, libelle, Z, Y, X, 20 + row, 10 + row);
        Grille& g = d.StringGrid3;
        if (g.row_count() <= L) g.set_row_count(L + 1);
        g.set_cell(0, L, std::to_string(L));
        if (g.cell(1, L).empty()) g.set_cell(1, L, "3");
        if (g.cell(2, L).empty()) g.set_cell(2, L, "255");
        g.set_cell(3, L, "x");
        d.num_ligne = std::max(d.num_ligne, L);
    }

    // Lambert-93; line 1 open (3 points), line 2 a closed square, line 3 a single point,
    // line 4 not selected.
    void travail(bool altitudes = false) {
        std::string erreur;
        ASSERT_TRUE(systeme_vers_wkt("2154", d.systeme_wkt, erreur));
        point(1, 651007.12345678L, 6861442.5L, altitudes ? 112.25L : 0, "départ, « route »");
        point(1, 651237.5L, 6861480.87654321L, altitudes ? 113.5L : 0);
        point(1, 651460.0L, 6861492.5L);
        for (auto [X, Y] : {std::pair{652000.0L, 6860000.0L}, {652100.5L, 6860000.0L}, {652100.5L, 6860100.25L},
                            {652000.0L, 6860100.25L}, {652000.0L, 6860000.0L}})
            point(2, X, Y);
        d.StringGrid3.set_cell(4, 1, "route nationale");
        d.StringGrid3.set_cell(4, 2, "parcelle");
        d.StringGrid3.set_cell(2, 2, "16711680"); // blue as 0x00BBGGRR
        d.StringGrid3.set_cell(1, 2, "épais");    // not a whole number: no thickness
        point(3, 653000.0L, 6859000.0L, 0, "seul");
        point(4, 654000.0L, 6858000.0L);
        point(4, 654100.0L, 6858100.0L);
        d.StringGrid3.set_cell(3, 4, "");
    }

    SeparateurLocal sep{'.'};
    PortScripte port_;
    PortInstalle installe{port_};
    Document d;
    const vuv::octets::DossierEssai essai_{"sig_"};
    fs::path dossier = essai_.chemin();
};

// Projected formats give back the cells; KML and GeoJSON give their reprojection.
struct Attendu {
    std::unique_ptr<OGRCoordinateTransformation> ct;
    explicit Attendu(const Document& d, bool degres) {
        if (!degres) return;
        OGRSpatialReference a, b;
        a.SetFromUserInput(d.systeme_wkt.c_str());
        b.importFromEPSG(4326);
        a.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        b.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        ct.reset(OGRCreateCoordinateTransformation(&a, &b));
    }
    Sommet de(double X, double Y) const {
        if (ct) ct->Transform(1, &X, &Y);
        return {X, Y, 0};
    }
};

void compare_sommets(const std::vector<Sommet>& lus, const std::vector<Sommet>& attendus, const std::string& quoi,
                     bool sens_libre = false) {
    ASSERT_EQ(lus.size(), attendus.size()) << quoi;
    // A shapefile stores its outer rings clockwise: the ring may come back reversed.
    const bool inverse = sens_libre && lus.size() > 2 && std::abs(lus[1].x - attendus[1].x) > 1e-6;
    for (std::size_t i = 0; i < lus.size(); ++i) {
        const Sommet& a = attendus[inverse ? attendus.size() - 1 - i : i];
        EXPECT_NEAR(lus[i].x, a.x, 1e-9) << quoi << " sommet " << i;
        EXPECT_NEAR(lus[i].y, a.y, 1e-9) << quoi << " sommet " << i;
    }
}

class ExportSigFormats : public ExportSig, public ::testing::WithParamInterface<FormatSig> {};

} // namespace

TEST_F(ExportSig, LineColoursBecomeHexRgb) {
    EXPECT_EQ(couleur_hex("255"), "#FF0000");
    EXPECT_EQ(couleur_hex("65280"), "#00FF00");
    EXPECT_EQ(couleur_hex(" 16711680"), "#0000FF");
    EXPECT_EQ(couleur_hex("1193046"), "#563412"); // 0x123456: bytes reversed
    for (const char* pas_une_couleur : {"", "rouge", "-1", "16777216"}) EXPECT_EQ(couleur_hex(pas_une_couleur), "");
}

TEST_F(ExportSig, TicksOrAllLinesAndTheirAltitudes) {
    travail();
    const DonneesSig choisies = releve_sig(d, true);
    ASSERT_EQ(choisies.lignes.size(), 3u);
    EXPECT_EQ(choisies.points.size(), 9u);
    EXPECT_FALSE(choisies.avec_z);
    EXPECT_TRUE(choisies.lignes[1].fermee());
    EXPECT_FALSE(choisies.lignes[0].fermee());
    EXPECT_FALSE(choisies.lignes[1].epaisseur.has_value());
    EXPECT_EQ(choisies.lignes[0].epaisseur, 4);
    EXPECT_EQ(choisies.points[0].libelle, "départ, « route »");
    EXPECT_EQ(choisies.points[0].n, 1);
    const DonneesSig toutes = releve_sig(d, false);
    EXPECT_EQ(toutes.lignes.size(), 4u);
    EXPECT_EQ(toutes.points.size(), 11u);

    // A blank or "-" altitude is none; any other than 0 makes the export 3D.
    d.StringGrid1.set_cell(d.indice_col("Z"), 3, "-");
    d.StringGrid1.set_cell(d.indice_col("Z"), 4, "  ");
    d.StringGrid1.set_cell(d.indice_col("Z"), 5, "7,5");
    const DonneesSig z = releve_sig(d, true);
    EXPECT_FALSE(z.points[2].Z.has_value());
    EXPECT_FALSE(z.points[3].Z.has_value());
    EXPECT_EQ(z.points[4].Z, 7.5);
    EXPECT_TRUE(z.avec_z);
}

TEST_F(ExportSig, ACellThatIsNotANumberStopsTheExport) {
    travail();
    d.StringGrid1.set_cell(d.indice_col("Y"), 2, "6861480,8x");
    try {
        exporte_sig(d, chemin("routes.gpkg"), {});
        FAIL();
    } catch (const ErreurExport& e) {
        EXPECT_STREQ(e.what(), "'6861480,8x' n'est pas une valeur réelle valide (colonne Y du point n°2)");
    }
    EXPECT_TRUE(contenu().empty());
}

TEST_P(ExportSigFormats, EveryLayerReadBackEqualsTheCells) {
    const FormatSig format = GetParam();
    const DescriptionFormat& f = description(format);
    travail();
    const BilanSig b = exporte_sig(d, chemin("routes"), {format, true, true});
    EXPECT_EQ(b.lignes, 2);
    EXPECT_EQ(b.surfaces, 1);
    EXPECT_EQ(b.points, 9);
    EXPECT_EQ(b.lignes_un_point, 1);
    ASSERT_EQ(b.fichiers, fichiers_sig(chemin("routes"), format, true));
    for (const auto& nom : contenu()) EXPECT_NE(nom.front(), '.') << "temporary left: " << nom;

    auto couches = relit(b.fichiers, format);
    ASSERT_EQ(couches.size(), 3u) << f.libelle;
    ASSERT_EQ(couches["lignes"].size(), 2u);
    ASSERT_EQ(couches["surfaces"].size(), 1u);
    ASSERT_EQ(couches["points"].size(), 9u);

    const Attendu attendu(d, f.degres);
    // Points rows 1..9 are lines 1 to 3 in order.
    for (int row = 1; row <= 9; ++row) {
        const Entite& e = couches["points"][static_cast<std::size_t>(row - 1)];
        compare_sommets(e.sommets, {attendu.de(nombre(d, "X", row), nombre(d, "Y", row))}, "point " + std::to_string(row));
        if (format == FormatSig::dxf) continue;
        EXPECT_EQ(e.champs.at("n"), std::to_string(row));
        EXPECT_EQ(e.champs.at("L"), row <= 3 ? "1" : row <= 8 ? "2" : "3");
        EXPECT_EQ(std::stod(e.champs.at("Z")), 0.0);
    }
    auto attendus_ligne = [&](int premier, int dernier) {
        std::vector<Sommet> s;
        for (int row = premier; row <= dernier; ++row) s.push_back(attendu.de(nombre(d, "X", row), nombre(d, "Y", row)));
        return s;
    };
    compare_sommets(couches["lignes"][0].sommets, attendus_ligne(1, 3), "ligne 1");
    compare_sommets(couches["lignes"][1].sommets, attendus_ligne(4, 8), "ligne 2");
    compare_sommets(couches["surfaces"][0].sommets, attendus_ligne(4, 8), "surface 2", true);
    EXPECT_EQ(wkbFlatten(couches["surfaces"][0].type), wkbPolygon);
    EXPECT_EQ(wkbFlatten(couches["lignes"][0].type), wkbLineString);
    if (format == FormatSig::dxf) return;

    const Entite& route = couches["lignes"][0];
    EXPECT_EQ(route.champs.at("L"), "1");
    EXPECT_EQ(route.champs.at("nom"), "route nationale");
    EXPECT_EQ(route.champs.at("epaisseur"), "4");
    EXPECT_EQ(route.champs.at("couleur"), "#FF0000");
    const Entite& parcelle = couches["surfaces"][0];
    EXPECT_EQ(parcelle.champs.at("L"), "2");
    EXPECT_EQ(parcelle.champs.at("nom"), "parcelle");
    EXPECT_EQ(parcelle.champs.at("epaisseur"), "");
    EXPECT_EQ(parcelle.champs.at("couleur"), "#0000FF");
    EXPECT_EQ(couches["points"][0].champs.at("Libelle"), "départ, « route »");
    EXPECT_EQ(couches["points"][8].champs.at("Libelle"), "seul");
}

TEST_P(ExportSigFormats, AltitudesMakeThreeDimensionalLayers) {
    const FormatSig format = GetParam();
    travail(true);
    const BilanSig b = exporte_sig(d, chemin("relief"), {format, true, false});
    auto couches = relit(b.fichiers, format);
    ASSERT_EQ(couches["lignes"].size(), 2u);
    ASSERT_EQ(couches["points"].size(), 9u);
    EXPECT_TRUE(wkbHasZ(couches["lignes"][0].type)) << description(format).libelle;
    EXPECT_NEAR(couches["lignes"][0].sommets[0].z, 112.25, 1e-9);
    EXPECT_NEAR(couches["lignes"][0].sommets[1].z, 113.5, 1e-9);
    EXPECT_NEAR(couches["points"][1].sommets[0].z, 113.5, 1e-9);
    if (format != FormatSig::dxf) {
        EXPECT_EQ(std::stod(couches["points"][1].champs.at("Z")), 113.5);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, ExportSigFormats,
                         ::testing::Values(FormatSig::gpkg, FormatSig::shp, FormatSig::geojson, FormatSig::kml,
                                           FormatSig::dxf, FormatSig::csv),
                         [](const auto& parametre) { return std::string(description(parametre.param).nom); });

TEST_F(ExportSig, ProjectedFormatsCarryTheProjectSystem) {
    travail();
    const BilanSig b = exporte_sig(d, chemin("routes.gpkg"), {FormatSig::gpkg, false, false});
    Source s = ouvre(b.fichiers[0]);
    ASSERT_TRUE(s);
    const OGRSpatialReference* srs = s->GetLayerByName("lignes")->GetSpatialRef();
    ASSERT_NE(srs, nullptr);
    EXPECT_STREQ(srs->GetAuthorityCode(nullptr), "2154");
    EXPECT_EQ(s->GetLayerCount(), 2); // no surfaces asked
    EXPECT_EQ(s->GetLayerByName("lignes")->GetFeatureCount(), 3); // line 4 too
    EXPECT_EQ(s->GetLayerByName("points")->GetFeatureCount(), 11);
}

TEST_F(ExportSig, DegreesProjectedBackGiveTheCells) {
    travail();
    const BilanSig b = exporte_sig(d, chemin("routes.kml"), {FormatSig::kml, true, false});
    auto couches = relit(b.fichiers, FormatSig::kml);
    OGRSpatialReference wgs84, l93;
    wgs84.importFromEPSG(4326);
    l93.importFromEPSG(2154);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    l93.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    std::unique_ptr<OGRCoordinateTransformation> retour(OGRCreateCoordinateTransformation(&wgs84, &l93));
    Sommet p = couches.at("points").at(0).sommets.at(0);
    // Longitude first, in France.
    EXPECT_GT(p.x, -5);
    EXPECT_LT(p.x, 10);
    EXPECT_GT(p.y, 41);
    EXPECT_LT(p.y, 52);
    retour->Transform(1, &p.x, &p.y);
    EXPECT_NEAR(p.x, 651007.12345678, 1e-3);
    EXPECT_NEAR(p.y, 6861442.5, 1e-3);
}

TEST_F(ExportSig, KmlAndGeoJsonAreRefusedWithoutASystem) {
    travail();
    d.systeme_wkt.clear();
    for (FormatSig f : {FormatSig::kml, FormatSig::geojson}) {
        try {
            exporte_sig(d, chemin("routes"), {f, true, false});
            FAIL();
        } catch (const ErreurSig& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Le format " + std::string(description(f).libelle) +
                          " s'écrit en longitude/latitude : il faut connaître le système de coordonnées du projet, "
                          "qui n'en a pas.\nDonnez d'abord un système au projet, ou choisissez un autre format.");
        }
    }
    EXPECT_TRUE(contenu().empty());
    // The projected formats go on without a system.
    const BilanSig b = exporte_sig(d, chemin("routes.gpkg"), {FormatSig::gpkg, true, false});
    Source s = ouvre(b.fichiers[0]);
    ASSERT_TRUE(s);
    const OGRSpatialReference* srs = s->GetLayerByName("points")->GetSpatialRef();
    EXPECT_TRUE(!srs || !srs->GetAuthorityCode(nullptr)) << srs->GetName();
}

TEST_F(ExportSig, AFolderThatCannotBeWrittenIsSaid) {
    travail();
    try {
        exporte_sig(d, chemin("absent/routes.gpkg"), {});
        FAIL();
    } catch (const ErreurFichier& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Impossible d'écrire dans le dossier " + chemin("absent") + " : le dossier n'existe pas");
    }
    EXPECT_TRUE(contenu().empty());
}

TEST_F(ExportSig, AFullDiskLeavesThePreviousFileIntact) {
    travail();
    for (int i = 0; i < 3000; ++i) point(5, 600000.0L + i, 6800000.0L + i, 0, "un libellé assez long pour remplir");
    const std::string cible = chemin("routes.gpkg");
    {
        std::ofstream f(cible, std::ios::binary);
        f << "ancien";
    }
    {
        test::LimiteTaille limite(64 * 1024);
        ASSERT_TRUE(limite.posee());
        try {
            exporte_sig(d, cible, {});
            ADD_FAILURE();
        } catch (const ErreurFichier& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Impossible d'enregistrer " + cible + " : l'écriture a échoué (GDAL : ", 0), 0u)
                << e.what();
        }
    }
    EXPECT_EQ(contenu(), std::vector<std::string>{"routes.gpkg"});
    std::ifstream f(cible, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(f), {}), "ancien");
}

TEST_F(ExportSig, AShapefileWithoutSystemKeepsNoOldPrj) {
    travail();
    exporte_sig(d, chemin("routes.shp"), {FormatSig::shp, true, false});
    ASSERT_TRUE(fs::exists(chemin("routes_lignes.prj")));
    d.systeme_wkt.clear();
    const BilanSig b = exporte_sig(d, chemin("routes.shp"), {FormatSig::shp, true, false});
    EXPECT_FALSE(fs::exists(chemin("routes_lignes.prj")));
    EXPECT_FALSE(fs::exists(chemin("routes_points.prj")));
    EXPECT_EQ(contenu(), (std::vector<std::string>{"routes_lignes.cpg", "routes_lignes.dbf", "routes_lignes.shp",
                                                   "routes_lignes.shx", "routes_points.cpg", "routes_points.dbf",
                                                   "routes_points.shp", "routes_points.shx"}));
    EXPECT_EQ(b.fichiers, (std::vector<std::string>{chemin("routes_lignes.shp"), chemin("routes_points.shp")}));
}

TEST_F(ExportSig, EndMessage) {
    BilanSig b;
    b.format = FormatSig::shp;
    b.fichiers = {"/d/routes_lignes.shp", "/d/routes_points.shp"};
    b.lignes = 2;
    b.surfaces = 1;
    b.points = 9;
    b.lignes_un_point = 1;
    EXPECT_EQ(b.message(), "<routes_lignes.shp>, <routes_points.shp>  créés au format Shapefile dans le répertoire => /d"
                           "\n\n2 lignes, 1 surface, 9 points.\n1 ligne d'un seul point n'a pas été écrite : une ligne "
                           "demande au moins deux points.");
    b.fichiers = {"/d/routes.gpkg"};
    b.format = FormatSig::gpkg;
    b.lignes = 1;
    b.surfaces = 0;
    b.points = 1;
    b.lignes_un_point = 0;
    EXPECT_EQ(b.message(), "<routes.gpkg>  créé au format GeoPackage dans le répertoire => /d\n\n1 ligne, 1 point.");
}

TEST_F(ExportSig, FileNames) {
    EXPECT_EQ(fichiers_sig("/d/a.gpkg", FormatSig::gpkg, true), std::vector<std::string>{"/d/a.gpkg"});
    EXPECT_EQ(fichiers_sig("/d/a.GPKG", FormatSig::gpkg, true), std::vector<std::string>{"/d/a.GPKG"});
    EXPECT_EQ(fichiers_sig("/d/carte.2024", FormatSig::kml, true), std::vector<std::string>{"/d/carte.2024.kml"});
    EXPECT_EQ(fichiers_sig("/d/a.csv", FormatSig::csv, true),
              (std::vector<std::string>{"/d/a_lignes.csv", "/d/a_surfaces.csv", "/d/a_points.csv"}));
    EXPECT_EQ(format_par_nom("GeoJSON")->format, FormatSig::geojson);
    EXPECT_EQ(format_par_nom("svg"), nullptr);
}

// The sample project, read as the command line reads it (no image), exported and opened by
// the command-line tool of GDAL.
TEST_F(ExportSig, TheSampleProjectOpensInOgrinfo) {
    ActionsLecture sans_image;
    ASSERT_EQ(lit_projet(d, VUVIVIVA_SAMPLES "/carte_exemple.trl", sans_image), ResultatLecture::lu);
    const BilanSig b = exporte_sig(d, chemin("carte_exemple.gpkg"), {});
    std::FILE* p = ::popen(("ogrinfo -ro -al -so " + b.fichiers[0] + " 2>&1").c_str(), "r");
    ASSERT_NE(p, nullptr);
    std::string sortie;
    char tampon[4096];
    while (std::size_t n = std::fread(tampon, 1, sizeof tampon, p)) sortie.append(tampon, n);
    EXPECT_EQ(::pclose(p), 0) << sortie;
    EXPECT_NE(sortie.find("INFO: Open of `" + b.fichiers[0] + "'\n      using driver `GPKG' successful."),
              std::string::npos)
        << sortie;
    EXPECT_NE(sortie.find("Layer name: lignes\nGeometry: Line String\nFeature Count: 1\n"), std::string::npos)
        << sortie;
    EXPECT_NE(sortie.find("Layer name: points\nGeometry: Point\nFeature Count: 21\n"), std::string::npos) << sortie;
    EXPECT_NE(sortie.find("Extent: (651007.500000, "), std::string::npos) << sortie;
    for (const char* champ : {"L: Integer", "nom: String", "epaisseur: Integer", "couleur: String", "n: Integer",
                              "Libelle: String", "Z: Real"})
        EXPECT_NE(sortie.find(champ), std::string::npos) << champ;
}
