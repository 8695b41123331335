// UTM <-> geographic formulas, band letters, degree-minute-second texts and the spherical x/y.
#include "core/geo/UTMLaLo.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace vuv;

namespace {

constexpr int GRS_1980 = 10;

std::string f4(long double v) { return nombres::fixe(v, 18, 4, '.'); }
std::string f10(long double v) { return nombres::fixe(v, 18, 10, '.'); }

long double ecart_retour(int el, long double lat, long double lon) {
    const PositionUTM p = LatLongToUTM(el, lat, lon);
    const LatLong g = UTMToLatLong(el, p.Zone, lat < 0 ? Hemisphere::South : Hemisphere::North, p.Easting, p.Northing);
    return std::max(std::fabs(g.Lat - lat), std::fabs(g.Long - lon));
}

class TexteDMS : public ::testing::TestWithParam<char> {
protected:
    SeparateurLocal separateur_{GetParam()};
};
INSTANTIATE_TEST_SUITE_P(DeuxSeparateurs, TexteDMS, ::testing::Values('.', ','),
                         [](const auto& i) { return i.param == '.' ? "point" : "virgule"; });

} // namespace

TEST(UTM, StrasbourgOnTwoEllipsoids) {
    const PositionUTM p = LatLongToUTM(WGS_84, 48.5999598581L, 7.73672367L);
    EXPECT_EQ(p.Zone, 32);
    EXPECT_EQ(p.Letter, 'U');
    EXPECT_EQ(p.LongOrigin, 9);
    EXPECT_EQ(f4(p.Easting), "406863.9998");
    EXPECT_EQ(f4(p.Northing), "5383757.0002");

    const PositionUTM g = LatLongToUTM(GRS_1980, 48.5999598581L, 7.73672367L);
    EXPECT_EQ(f4(g.Easting), "406863.9973");
    EXPECT_EQ(f4(g.Northing), "5383756.6335");

    const LatLong r = UTMToLatLong(WGS_84, 32, Hemisphere::North, 406864, 5383757);
    EXPECT_EQ(f10(r.Lat), "48.5999598581");
    EXPECT_EQ(f10(r.Long), "7.7367236722");
}

TEST(UTM, EquatorOnTheMeridianAndASouthernPoint) {
    const PositionUTM o = LatLongToUTM(WGS_84, 0, 3);
    EXPECT_EQ(f4(o.Easting), "500000.0000");
    EXPECT_EQ(f4(o.Northing), "0.0000");
    EXPECT_EQ(o.Zone, 31);
    EXPECT_EQ(o.Letter, 'M');

    const PositionUTM s = LatLongToUTM(WGS_84, -33.9L, 18.4L);
    EXPECT_EQ(s.Zone, 34);
    EXPECT_EQ(s.Letter, 'H');
    EXPECT_EQ(f4(s.Easting), "259583.2216");
    EXPECT_EQ(f4(s.Northing), "6245888.0456");
    const LatLong r = UTMToLatLong(WGS_84, 34, Hemisphere::South, s.Easting, s.Northing);
    EXPECT_NEAR(static_cast<double>(r.Lat), -33.9, 1e-8);
    EXPECT_NEAR(static_cast<double>(r.Long), 18.4, 1e-8);
}

TEST(UTM, ZoneAndMeridianOnWholeMultiplesOfSix) {
    EXPECT_EQ(LatLongToUTM(WGS_84, 45, 6).Zone, 32);
    EXPECT_EQ(LatLongToUTM(WGS_84, 45, 6).LongOrigin, 9);
    EXPECT_EQ(LatLongToUTM(WGS_84, 45, 0).Zone, 31);
    EXPECT_EQ(LatLongToUTM(WGS_84, 45, 0).LongOrigin, 3);
}

// Symptom: at -6, -12 ... -180 the zone was that of the east side but the meridian that of the
// west side, so the row came back 6° off; 180 gave zone 61, which does not exist.
TEST(UTM, ZoneBordersComeBackToTheirLongitude) {
    const PositionUTM m6 = LatLongToUTM(WGS_84, 45, -6);
    EXPECT_EQ(m6.Zone, 30);
    EXPECT_EQ(m6.LongOrigin, -3);
    const PositionUTM e180 = LatLongToUTM(WGS_84, 45, 180);
    EXPECT_EQ(e180.Zone, 60);
    EXPECT_EQ(e180.LongOrigin, 177);
    const PositionUTM w180 = LatLongToUTM(WGS_84, 45, -180);
    EXPECT_EQ(w180.Zone, 1);
    EXPECT_EQ(w180.LongOrigin, -177);

    // The zone offset 183.0000000001 also moves the border a hair below each multiple of 6.
    for (int k = -30; k <= 30; ++k) {
        for (long double lon : {6.0L * k, 6.0L * k - 5e-11L}) {
            SCOPED_TRACE(static_cast<double>(lon));
            const PositionUTM p = LatLongToUTM(WGS_84, -45, lon);
            EXPECT_GE(p.Zone, 1);
            EXPECT_LE(p.Zone, 60);
            EXPECT_EQ(p.LongOrigin, p.Zone * 6 - 183);
            EXPECT_LT(ecart_retour(WGS_84, -45, lon), 2e-8L);
        }
    }
    // The sphere approximation uses the same meridian: 3° west of it, not 3° east.
    EXPECT_EQ(f4(SphericalXY(0, -6, 6378, 6347).x), "166.0487");
}

TEST(UTM, RoundTripWithinThreeDegreesOfTheMeridianOnEveryEllipsoid) {
    long double pire = 0;
    for (int el = 0; el < nb_ellipsoides; ++el)
        for (int lat = -80; lat <= 84; lat += 4)
            for (long double d = -3; d <= 3; d += 0.375L)
                for (int meridien : {-177, -81, 3, 9, 147})
                    pire = std::max(pire, ecart_retour(el, lat, meridien + d));
    EXPECT_LT(pire, 2e-8L);
}

TEST(UTM, LetterBandsIncludeTheirUpperEdge) {
    const std::string lettres = "CDEFGHJKLMNPQRSTUVWX";
    EXPECT_EQ(LetterDesignator(-80), 'Z');
    EXPECT_EQ(LetterDesignator(std::nextafter(80.0L, 100.0L)), 'Z');
    EXPECT_EQ(LetterDesignator(84), 'Z');
    EXPECT_EQ(LetterDesignator(NAN), 'Z');
    for (int i = 0; i < 20; ++i) {
        const long double haut = -72 + 8 * i;
        EXPECT_EQ(LetterDesignator(haut), lettres[static_cast<std::size_t>(i)]) << haut;
        EXPECT_EQ(LetterDesignator(std::nextafter(haut - 8, 100.0L)), lettres[static_cast<std::size_t>(i)]) << haut;
    }
    EXPECT_EQ(LetterDesignator(0), 'M');
    EXPECT_EQ(LetterDesignator(80), 'X');
}

TEST(Ellipsoides, FoundTrimmedAndCaseBlind) {
    EXPECT_EQ(FindEllipsoid(" wgs 84 "), 22);
    EXPECT_EQ(FindEllipsoid("WGS84"), std::nullopt);
    EXPECT_EQ(FindEllipsoid("bessel 1841 (nambia)"), 3);
    EXPECT_STREQ(Ellipsoid[3].Name, "Bessel 1841 (Nambia) ");
    EXPECT_EQ(FindEllipsoid(""), std::nullopt);
}

TEST(Spherique, StrasbourgInKilometres) {
    const XY p = SphericalXY(48.5999598581L, 7.73672367L, 6378, 6347);
    EXPECT_EQ(f4(p.x), "407.0034");
    EXPECT_EQ(f4(p.y), "5383.7115");
    EXPECT_EQ(f4(SphericalXY(-1, 3, 6378, 6347).y), "9889.2240");
}

TEST(DMS, CarryLeavesSecondsJustBelowZero) {
    const TDegMinSec d = DecimalToDMS(10.99999999L);
    EXPECT_EQ(d.Degrees, 11);
    EXPECT_EQ(d.Minutes, 0);
    EXPECT_LT(d.Seconds, 0);
    EXPECT_GT(d.Seconds, -0.00005L);
    EXPECT_FALSE(d.Negative);
    EXPECT_EQ(DMSToDecimal({true, 0, 30, 0}), -0.5L);
}

TEST_P(TexteDMS, WrittenWithTheLocalSeparator) {
    const char s = GetParam();
    auto loc = [s](std::string t) {
        for (char& c : t)
            if (c == '.') c = s;
        return t;
    };
    EXPECT_EQ(FormatDMSText(48.5999598581L), loc("48° 35' 59.8555\""));
    EXPECT_EQ(FormatDMSText(-4.6L), loc("-4° 36' 0.0000\""));
    EXPECT_EQ(FormatDMSText(-0.5L), loc("-0° 30' 0.0000\""));
    EXPECT_EQ(FormatDMSText(4.6L), loc("4° 36' 0.0000\""));
    EXPECT_EQ(FormatDMSText(10.99999999L), loc("11° 0' 0.0000\""));
}

TEST_P(TexteDMS, ReadWithEitherMark) {
    EXPECT_EQ(ParseDMSText("48,6°"), 49);
    EXPECT_EQ(ParseDMSText("7"), 7);
    EXPECT_EQ(ParseDMSText("48° 35' 59,8555\""), ParseDMSText("48°35'59.8555\""));
    EXPECT_NEAR(static_cast<double>(ParseDMSText("-4° 36' 0,0\"")), -4.6, 1e-15);
    EXPECT_NEAR(static_cast<double>(ParseDMSText("-0° 30'")), -0.5, 1e-15);
    EXPECT_EQ(ParseDMSText("abc° 30'"), 0.5L);
}

// Symptom: seconds from 59.9999 to 59.99995 carried, and their small negative remainder was
// printed without its sign: 59.99992" became the next minute plus 0.0001", 0.0002" off.
TEST_P(TexteDMS, TextComesBackWithinHalfTheLastDigit) {
    constexpr long double demi_chiffre = 0.00005L / 3600;
    std::mt19937_64 alea(14);
    std::uniform_real_distribution<double> angle(-180, 180);
    for (int i = 0; i < 20000; ++i) {
        const long double x = angle(alea);
        ASSERT_LE(std::fabs(ParseDMSText(FormatDMSText(x)) - x), demi_chiffre) << FormatDMSText(x);
    }
    for (long double s : {59.99991L, 59.99994L, 59.99996L, 0.00004L}) {
        for (long double x : {12 + (35 * 60 + s) / 3600, -(0 + (59 * 60 + s) / 3600)})
            EXPECT_LE(std::fabs(ParseDMSText(FormatDMSText(x)) - x), demi_chiffre) << FormatDMSText(x);
    }
}
