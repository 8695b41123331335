// The KML and DXF of the GIS export read back by other readers than GDAL: xmllint and lxml
// for the KML, ezdxf for the DXF. Each line keeps its own look, every label gives valid XML,
// altitudes are used, and a failed write is never a success.
#include "LimiteTaille.h"
#include "core/fichiers/EcritureSure.h"
#include "sig/DonneesSig.h"
#include "sig/ExportSig.h"
#include "sig/SystemeCoordonnees.h"
#include "tests/support/FichiersEssai.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using namespace vuv;
using namespace vuv::sig;

namespace {

struct Sortie {
    int statut;
    std::string texte;
};

Sortie lance(const std::string& commande) {
    std::FILE* p = ::popen((commande + " 2>&1").c_str(), "r");
    if (!p) return {-1, "popen"};
    Sortie s{0, {}};
    char tampon[4096];
    while (std::size_t n = std::fread(tampon, 1, sizeof tampon, p)) s.texte.append(tampon, n);
    s.statut = ::pclose(p);
    return s;
}

Sortie relit(const std::string& genre, const std::string& fichier) {
    return lance("/usr/bin/python3 " VUVIVIVA_TESTS_SIG "/relit.py " + genre + " '" + fichier + "'");
}

// Three vertices, each `dz` higher than the one before; closed, a fourth back on the first.
LigneSig ligne(int L, std::string couleur, std::optional<int> epaisseur, bool fermee, double z = 0, double dz = 0) {
    LigneSig l{L, "ligne " + std::to_string(L), epaisseur, std::move(couleur), {}};
    const double X = 651000 + 1000 * L, Y = 6861000;
    l.sommets = {{X, Y, z}, {X + 100, Y, z + dz}, {X + 100, Y + 100, z + 2 * dz}};
    if (fermee) l.sommets.push_back(l.sommets.front());
    return l;
}

class ExportKmlDxf : public ::testing::Test {
protected:
    ExportKmlDxf() {
        std::string erreur;
        EXPECT_TRUE(systeme_vers_wkt("2154", systeme, erreur));
    }
    std::string chemin(const std::string& nom) const { return (essai_.chemin() / nom).string(); }

    std::string systeme;
    const vuv::octets::DossierEssai essai_{"kmldxf_"};
};

} // namespace

// A coloured line with its width, then one without colour (the writer once gave it the
// previous line's look), a closed one without width, a closed one without colour. Sloping
// lines are DXF polylines with vertices, flat ones lightweight polylines.
TEST_F(ExportKmlDxf, EachLineItsOwnLookAndTheTrueColourInDxf) {
    DonneesSig d;
    d.lignes = {ligne(1, "#123456", 4, false, 100, 1), ligne(2, "", 7, false, 100, 1), ligne(3, "#00FF00", {}, true, 90),
                ligne(4, "", {}, true, 90)};
    // Altitudes are above the sea; a point without one stays on the ground.
    d.points = {{1, 1, "haut", 651000, 6861000, 112.5}, {2, 1, "", 651100, 6861000, {}}};
    d.avec_z = true;
    const BilanSig kml = exporte_sig(d, systeme, chemin("carte.kml"), {FormatSig::kml, false, true});
    EXPECT_EQ(kml.lignes, 4);
    EXPECT_EQ(kml.surfaces, 2);
    EXPECT_EQ(relit("kml", kml.fichiers[0]).texte, "lignes\tff563412\t4\t-\tabsolute\t\"ligne 1\"\n"
                                                   "lignes\t-\t-\t-\tabsolute\t\"ligne 2\"\n"
                                                   "lignes\tff00ff00\t-\t-\tabsolute\t\"ligne 3\"\n"
                                                   "lignes\t-\t-\t-\tabsolute\t\"ligne 4\"\n"
                                                   "surfaces\tff00ff00\t-\t8000ff00\tabsolute\t\"ligne 3\"\n"
                                                   "surfaces\t-\t-\t-\tabsolute\t\"ligne 4\"\n"
                                                   "points\t-\t-\t-\tabsolute\t\"haut\"\n"
                                                   "points\t-\t-\t-\t-\t\"\"\n");
    const BilanSig dxf = exporte_sig(d, systeme, chemin("carte.dxf"), {FormatSig::dxf, false, true});
    EXPECT_EQ(relit("dxf", dxf.fichiers[0]).texte, "POLYLINE\tlignes\t146\t1193046\n"
                                                   "POLYLINE\tlignes\t256\t-\n"
                                                   "LWPOLYLINE\tlignes\t3\t65280\n"
                                                   "LWPOLYLINE\tlignes\t256\t-\n"
                                                   "HATCH\tsurfaces\t3\t65280\n"
                                                   "HATCH\tsurfaces\t256\t-\n"
                                                   "POINT\tpoints\t256\t-\n"
                                                   "POINT\tpoints\t256\t-\n");
}

// Whatever a label holds, the file is XML; what XML cannot hold at all is shown, not lost.
TEST_F(ExportKmlDxf, EveryLabelGivesValidXml) {
    const std::pair<std::string, const char*> libelles[] = {
        {"a\x01" "b", R"("a\u2401b")"},
        {"x]]>y", R"("x]]>y")"},
        {"<![CDATA[ & <b> \"c\" 'd'", R"("<![CDATA[ & <b> \"c\" 'd'")"},
        {"tab\tligne\nretour\r", R"("tab\tligne\nretour\r")"},
        {std::string("nul\0fin\x1f", 8), R"("nul\u2400fin\u241f")"},
        {"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x97\xBA", R"("\u00e9t\u00e9 \u20ac \ud83d\uddfa")"},
        {"\xFF\xFE", R"("\ufffd\ufffd")"},
        {"\xED\xA0\x80|\xEF\xBF\xBE|\xC0\xAF|\xC3", R"("\ufffd\ufffd\ufffd|\ufffd\ufffd\ufffd|\ufffd\ufffd|\ufffd")"},
    };
    DonneesSig d;
    d.lignes = {ligne(1, "", {}, false)};
    d.lignes[0].nom = "\x02]]>";
    std::string attendu = "lignes\t-\t-\t-\t-\t\"\\u2402]]>\"\n";
    int n = 0;
    for (const auto& [libelle, lu] : libelles) {
        d.points.push_back({++n, 1, libelle, 651000, 6861000, {}});
        attendu += std::string("points\t-\t-\t-\t-\t") + lu + "\n";
    }
    const BilanSig b = exporte_sig(d, systeme, chemin("libelles.kml"), {FormatSig::kml, false, false});
    const Sortie xmllint = lance("xmllint --noout '" + b.fichiers[0] + "'");
    EXPECT_EQ(xmllint.statut, 0) << xmllint.texte;
    EXPECT_EQ(relit("kml", b.fichiers[0]).texte, attendu);
}

// The writer says when the disk is full: an error naming the file, and the old one kept.
TEST_F(ExportKmlDxf, AFullDiskIsAFailureAndKeepsTheOldKml) {
    DonneesSig d;
    for (int L = 1; L <= 200; ++L) d.lignes.push_back(ligne(L, "#123456", 2, false));
    for (int i = 0; i < 3000; ++i) d.points.push_back({i, 1, "un libellé assez long pour remplir", 651000.0 + i, 6861000, {}});
    const std::string cible = chemin("plein.kml");
    vuv::octets::ecrit(cible, "ancien");
    {
        test::LimiteTaille limite(64 * 1024);
        ASSERT_TRUE(limite.posee());
        try {
            exporte_sig(d, systeme, cible, {FormatSig::kml, false, false});
            ADD_FAILURE() << "no failure said";
        } catch (const ErreurFichier& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Impossible d'enregistrer " + cible + " : ", 0), 0u) << e.what();
        }
    }
    const std::string reste = vuv::octets::lit(cible);
    EXPECT_TRUE(reste == "ancien") << reste.size() << " octets";
}
