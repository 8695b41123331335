// The conversion worksheet: row conversions on the sample sheet, the one report of refused
// values, the grouped formats, the text import, the paste limit and the export text.
#include "core/conversion/FeuilleUTM.h"
#include "core/table/Grille.h"
#include "core/text/separateur.h"

#include <gtest/gtest.h>

#include <string>

using namespace vuv;

namespace {

struct Feuille {
    explicit Feuille(char sep) : separateur(sep) {}
    Bilan run(Calcul k, const Avancement& a = {}) { return calcule(g, c, k, 6378, 6347, a); }
    std::string_view at(int col, int row) const { return g.cell(col, row); }

    SeparateurLocal separateur;
    Grille g{1, 1};
    ColonnesFeuille c = (prepare_feuille(g), colonnes_feuille(g));
};

class FeuilleDeuxConventions : public ::testing::TestWithParam<char> {};
INSTANTIATE_TEST_SUITE_P(Separateurs, FeuilleDeuxConventions, ::testing::Values(',', '.'),
                         [](const auto& i) { return i.param == '.' ? "point" : "virgule"; });

std::string local(std::string t, char sep) {
    for (char& ch : t)
        if (ch == ',') ch = sep;
    return t;
}

} // namespace

TEST_P(FeuilleDeuxConventions, UtmToLatLongOnTheSampleRows) {
    const char sep = GetParam();
    Feuille f(sep);
    const Bilan b = f.run(Calcul::UTMVersLatLon);
    EXPECT_EQ(b.refusees, 0);
    for (int r : {1, 2, 7}) {
        EXPECT_EQ(f.at(f.c.lat, r), local("48,5999598581", sep));
        EXPECT_EQ(f.at(f.c.lon, r), local("7,7367236722", sep));
        EXPECT_EQ(f.at(f.c.dlat, r), local("48° 35' 59,8555\"", sep));
        EXPECT_EQ(f.at(f.c.dlon, r), local("7° 44' 12,2052\"", sep));
        EXPECT_EQ(f.at(f.c.lettre, r), "U");
        EXPECT_EQ(f.at(f.c.x, r), "  407");
        EXPECT_EQ(f.at(f.c.y, r), "5\u00A0384");
        EXPECT_EQ(f.at(f.c.zone, r), "32"); // not rewritten
    }
    EXPECT_EQ(f.at(f.c.lat, 13), local("0,0000000000", sep));
    EXPECT_EQ(f.at(f.c.lon, 13), local("3,9999999920", sep));
    EXPECT_EQ(f.at(f.c.lettre, 13), "M");
}

TEST_P(FeuilleDeuxConventions, AnglesToUtmAllOrOnlyEmptyRows) {
    const char sep = GetParam();
    Feuille f(sep);
    f.g.set_cell(f.c.est, 3, "1");
    f.g.set_cell(f.c.ellipsoide, 3, "inconnu");
    f.run(Calcul::AnglesVersUTMVides);
    EXPECT_EQ(f.at(f.c.est, 3), "1");
    EXPECT_EQ(f.at(f.c.ellipsoide, 3), "inconnu");
    EXPECT_EQ(f.at(f.c.est, 9), local("406\u00A0864,00", sep));
    EXPECT_EQ(f.at(f.c.nord, 9), local("5\u00A0383\u00A0757,00", sep));
    EXPECT_EQ(f.at(f.c.zone, 9), " 32");
    EXPECT_EQ(f.at(f.c.hemi, 8), "S");
    EXPECT_EQ(f.at(f.c.lettre, 8), "M");

    f.run(Calcul::AnglesVersUTM);
    EXPECT_EQ(f.at(f.c.est, 3), f.at(f.c.est, 9));
    EXPECT_EQ(f.at(f.c.ellipsoide, 3), "WGS 84");
    EXPECT_EQ(f.at(f.c.lat, 3), local("48,5999598611", sep));
}

TEST(Feuille, HemisphereLetterAndUnknownEllipsoidDecideWhetherARowConverts) {
    Feuille f(',');
    f.g.set_cell(f.c.hemi, 1, " s");
    f.g.set_cell(f.c.hemi, 2, "X");
    f.g.set_cell(f.c.ellipsoide, 7, "WGS84");
    f.run(Calcul::UTMVersLatLon);
    EXPECT_EQ(f.at(f.c.lat, 1).substr(0, 4), "-41,"); // 5 383 757 m north of the southern false origin
    EXPECT_EQ(f.at(f.c.lat, 2), "");
    EXPECT_EQ(f.at(f.c.lat, 7), "");
}

TEST(Feuille, BadValuesGiveOneMessageAndLeaveTheirRowsUntouched) {
    Feuille f(',');
    f.g.set_cell(f.c.nord, 1, "12-3");
    f.g.set_cell(f.c.zone, 2, "0");
    f.g.set_cell(f.c.zone, 7, "61");
    f.g.set_cell(f.c.est, 13, "1/2");
    f.g.set_cell(f.c.est, 14, "abc"); // not numeric: the row does not qualify
    f.g.set_cell(f.c.dlat, 16, "91");
    f.g.set_cell(f.c.dlon, 17, "-200");
    f.g.set_cell(f.c.lat, 18, "E");
    const Bilan b = f.run(Calcul::UTMVersLatLon);
    EXPECT_EQ(b.refusees, 7);
    EXPECT_EQ(message_bilan(b), "7 lignes n'ont pas été converties (valeurs illisibles ou hors limites) :"
                                "\rn° 1  Nord (Y)  <12-3>\rn° 2  Zone  <0>\rn° 7  Zone  <61>\rn° 13  Est (X)  <1/2>"
                                "\rn° 16  °latitude  <91>\rn° 17  °longitude  <-200>\rn° 18  Latitude  <E>");
    EXPECT_EQ(f.at(f.c.lat, 1), "");
    EXPECT_EQ(f.at(f.c.lettre, 13), "");
    EXPECT_EQ(f.at(f.c.x, 16), "");
    EXPECT_EQ(f.at(f.c.dlat, 18), "0"); // its decimal cell was bad: the angle stays
    EXPECT_EQ(f.at(f.c.lettre, 14), "");
    EXPECT_EQ(f.at(f.c.x, 19), "  500"); // good rows are converted
}

TEST(Feuille, TheMessageListsTenRowsThenDots) {
    Feuille f(',');
    for (int r = 16; r <= 31; ++r) f.g.set_cell(f.c.dlat, r, "abc");
    const Bilan b = f.run(Calcul::AnglesVersDecimal);
    EXPECT_EQ(b.refusees, 16);
    const std::string m = message_bilan(b);
    EXPECT_NE(m.find("\rn° 25  °latitude  <abc>\r..."), std::string::npos) << m;
    EXPECT_EQ(m.find("n° 26"), std::string::npos);
    EXPECT_EQ(message_bilan(Bilan{}), "");
}

TEST(Feuille, AngleTextsMustBeWholeNumbersPerField) {
    Feuille f(',');
    f.g.set_cell(f.c.dlat, 16, "12-3");
    f.g.set_cell(f.c.dlat, 17, "1° 2' 3\" 4");
    f.g.set_cell(f.c.dlat, 18, "-0° 30'");
    f.g.set_cell(f.c.dlon, 19, "abc"); // its good latitude is not written either
    const Bilan b = f.run(Calcul::AnglesVersDecimal);
    EXPECT_EQ(b.refusees, 3);
    EXPECT_EQ(f.at(f.c.lat, 16), "");
    EXPECT_EQ(f.at(f.c.lat, 19), "");
    EXPECT_EQ(f.at(f.c.lat, 18), "-0,5000000000");
}

TEST(Feuille, GroupedFormatUsesTheSettingAndReadsBack) {
    SeparateurLocal s(',');
    EXPECT_EQ(format_n(406864, 8, 2), "406\u00A0864,00");
    EXPECT_EQ(format_n(-1234567.4L, 8, 0), "-1\u00A0234\u00A0567");
    EXPECT_EQ(format_n(0, 8, 2), "    0,00");
    fixe_separateur_milliers(U'\u202F'); // never used: the cells must stay in Windows-1252
    EXPECT_EQ(format_n(5384, 5, 0), "5\u00A0384");
    fixe_separateur_milliers(U' ');
    EXPECT_EQ(format_n(5384, 5, 0), "5 384");
    fixe_separateur_milliers(U'\u00A0');

    Feuille f(',');
    f.g.set_cell(f.c.est, 1, "406\u202F864");
    f.g.set_cell(f.c.nord, 2, "5,383,757");
    const Bilan b = f.run(Calcul::UTMVersLatLon);
    EXPECT_EQ(f.at(f.c.lat, 1), "48,5999598581");
    ASSERT_EQ(b.refusees, 1);
    EXPECT_EQ(b.premieres[0].ligne, 2);
}

TEST(Feuille, CancelLeavesEachRowDoneOrUntouched) {
    Feuille f(',');
    f.g.set_row_count(10001);
    for (int r = 32; r <= 10000; ++r) {
        f.g.set_cell(f.c.dlat, r, "45");
        f.g.set_cell(f.c.dlon, r, "3");
    }
    int appels = 0;
    const Bilan b = f.run(Calcul::AnglesVersUTM, [&](long fait, long total) {
        EXPECT_EQ(total, 10000);
        return ++appels < 2 || fait == 0;
    });
    EXPECT_TRUE(b.annule);
    EXPECT_EQ(b.traitees, 4096);
    EXPECT_EQ(f.at(f.c.x, 4096), "  500");
    EXPECT_EQ(f.at(f.c.lat, 4097), "");
    EXPECT_EQ(f.at(f.c.est, 4097), "");
}

TEST(Feuille, TextImportCutsStrictFields) {
    Feuille f(',');
    const long n = importe_texte(f.g, f.c, "P1;a;b;5383757;406864;\r\n   \r\nP2\tx\ty\t1\t2\r\nP3;;;7;8;\r\n");
    EXPECT_EQ(n, 3);
    EXPECT_EQ(f.g.row_count(), 4);
    EXPECT_EQ(f.at(0, 1), "  1");
    EXPECT_EQ(f.at(f.c.lib, 1), "P1");
    EXPECT_EQ(f.at(f.c.nord, 1), "5383757");
    EXPECT_EQ(f.at(f.c.est, 1), "406864");
    EXPECT_EQ(f.at(f.c.zone, 1), "37");
    EXPECT_EQ(f.at(f.c.ellipsoide, 1), "WGS 84");
    EXPECT_EQ(f.at(f.c.dlat, 1), ""); // the sample row was cleared
    EXPECT_EQ(f.at(f.c.nord, 2), "1");
    EXPECT_EQ(f.at(f.c.est, 2), ""); // no Tab after the last field
    EXPECT_EQ(f.at(f.c.est, 3), "8");
}

TEST(Feuille, PasteGrowsTheSheetOrIsRefusedWhole) {
    Feuille f(',');
    EXPECT_EQ(colle(f.g, 2, 100, "1\t2\r\n3\t4\t5\r\n"), "");
    EXPECT_EQ(f.g.row_count(), 102);
    EXPECT_EQ(f.at(0, 101), "101");
    EXPECT_EQ(f.at(3, 100), "2");
    EXPECT_EQ(f.at(4, 101), "5");

    std::string beaucoup;
    for (int i = 0; i < feuille_lignes_max; ++i) beaucoup += "9\n";
    EXPECT_EQ(colle(f.g, 2, 1, beaucoup),
              "Le presse-papier contient trop de lignes : la feuille est limitée à 1999999 positions. "
              "Rien n'a été collé.");
    EXPECT_EQ(f.g.row_count(), 102);
    EXPECT_EQ(f.at(2, 1), "406 864");
}

TEST(Feuille, ExportStripsBlanksOfEastAndNorthOnly) {
    Feuille f(',');
    f.g.set_row_count(3);
    f.g.vide_ligne(2);
    f.g.set_cell(0, 2, "2");
    f.g.set_cell(f.c.est, 1, "1\u00A0234 5\u202F6");
    f.g.set_cell(f.c.lib, 1, "a b");
    const std::string t = texte_export(f.g);
    EXPECT_EQ(t.substr(0, t.find("\r\n")), "n°\tLibellé\tEst (X)\tNord (Y)\tZone\tUTM lettre\tHémisphère\t"
                                            "Ellipsoïde\tLatitude\tLongitude\t°latitude\t°longitude\t x / 1000\t"
                                            " y / 1000\t");
    EXPECT_NE(t.find("\r\n1\ta b\t123456\t5383757\t32\t"), std::string::npos);
    EXPECT_EQ(t.substr(t.size() - 19), "\r\n2" + std::string(14, '\t') + "\r\n");
}

TEST(Feuille, CopyDownAndClear) {
    Feuille f(',');
    recopie_vers_le_bas(f.g, f.c.ellipsoide, 98);
    EXPECT_EQ(f.at(f.c.ellipsoide, 100), "");
    f.g.set_cell(f.c.ellipsoide, 98, "Airy");
    recopie_vers_le_bas(f.g, f.c.ellipsoide, 98);
    EXPECT_EQ(f.at(f.c.ellipsoide, 97), "");
    EXPECT_EQ(f.at(f.c.ellipsoide, 100), "Airy");
    efface_feuille(f.g);
    EXPECT_EQ(f.at(f.c.ellipsoide, 100), "");
    EXPECT_EQ(f.at(f.c.est, 1), "");
    EXPECT_EQ(f.at(0, 100), "100");
    EXPECT_EQ(f.at(f.c.est, 0), "Est (X)");
}

TEST(Feuille, SpreadsheetUtmLayout) {
    Feuille f(',');
    const Cellules cellules = cellules_tabulees("Zone\t32\r\nEllipsoide\tWGS84\r\nHémisphère\tN\r\n"
                                                "A\t406864.4\t5 383 757\r\nB\tx\t1/2\r\n\t1\t2\r\nC\t3\t4\r\n");
    EXPECT_EQ(importe_classeur_utm(f.g, f.c, cellules), 2);
    EXPECT_EQ(f.g.row_count(), 3);
    EXPECT_EQ(f.at(0, 2), "2");
    EXPECT_EQ(f.at(f.c.est, 1), "406\u00A0864");
    EXPECT_EQ(f.at(f.c.nord, 1), "5\u00A0383\u00A0757");
    EXPECT_EQ(f.at(f.c.est, 2), "x");
    EXPECT_EQ(f.at(f.c.nord, 2), "1/2");
    EXPECT_EQ(f.at(f.c.zone, 2), "32");
    EXPECT_EQ(f.at(f.c.ellipsoide, 2), "WGS 84");
    EXPECT_EQ(f.at(f.c.hemi, 2), "N");
}

TEST(Feuille, SpreadsheetLatLongLayoutTurnsLettersIntoSigns) {
    Feuille f(',');
    const Cellules cellules = cellules_tabulees("Nom\tLat\tLong\n P \t 10,5 S \t2° 15' O\nQ\t48N\t7E\n\t1\t2\nR\t1\t1\n");
    EXPECT_EQ(importe_classeur_latlon(f.g, f.c, cellules), 2);
    EXPECT_EQ(f.at(f.c.lib, 1), "P");
    EXPECT_EQ(f.at(f.c.lat, 1), "-10,5 ");
    EXPECT_EQ(f.at(f.c.dlon, 1), "-2° 15' ");
    EXPECT_EQ(f.at(f.c.hemi, 1), "S");
    EXPECT_EQ(f.at(f.c.lat, 2), "48");
    EXPECT_EQ(f.at(f.c.lon, 2), "7");
    EXPECT_EQ(f.at(f.c.hemi, 2), "N");
    EXPECT_EQ(f.at(f.c.dlat, 2), ""); // the sample rows are gone
}
