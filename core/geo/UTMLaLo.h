#pragma once
// UTM <-> geographic conversion on 23 reference ellipsoids, the UTM band letter, degree-minute-
// second fields and texts, and the spherical x/y of the conversion window.
//
// Units: angles in decimal degrees (latitude positive north, longitude positive east), eastings
// and northings in metres, the spherical x/y and its radii in kilometres. Every quantity is an
// 80-bit long double.
//
// Valid ranges: latitude -80..84, longitude -180..180, zone 1..60. Nothing is checked: outside
// these ranges the formulas still give their values (a latitude beyond ±80 gets the letter 'Z'),
// and the caller decides what is acceptable. The ellipsoid index must be 0..22.
//
// Accuracy: the series are those of the USGS (Snyder) to the sixth power of the distance from the
// central meridian; within 3° of it a geographic -> UTM -> geographic round trip returns within
// 2e-8 degree. Farther out the error grows quickly.
//
// Left out: the special zones (32V, Svalbard), UPS beyond the UTM latitudes, normalising the
// longitude to ±180, datum shifts between ellipsoids, the MGRS grid squares.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vuv {

struct TEllipsoid {
    const char* Name;
    long double a; // equatorial radius, m
    long double b; // polar radius, m
};
constexpr int nb_ellipsoides = 23;
constexpr int WGS_84 = 22; // the ellipsoid used wherever none is given
extern const std::array<TEllipsoid, nb_ellipsoides> Ellipsoid;

// The central meridian is always that of the zone, also on the zone borders, so the result
// converts back with UTMToLatLong(Zone); 180° gets zone 60 (there is no 61). The zone is
// (longitude + 183.0000000001) / 6 rounded half to even, kept in 8 bits.
struct PositionUTM {
    long double Easting = 0;  // m, with the false easting 500000
    long double Northing = 0; // m, with the false northing 10000000 south of the equator
    std::uint8_t Zone = 0;
    char Letter = 'Z';
    long double LongOrigin = 0; // central meridian used, degrees
};
PositionUTM LatLongToUTM(int ellipsoide, long double latitude, long double longitude);

enum class Hemisphere { North, South };
struct LatLong {
    long double Lat = 0;
    long double Long = 0;
};
// On the south, a northing of exactly 0 is read as the equator (no false northing removed).
LatLong UTMToLatLong(int ellipsoide, std::uint8_t zone, Hemisphere h, long double easting,
                     long double northing);

// 'C'..'X' without 'I' and 'O'; each band includes its upper bound. Beyond 80, at or below -80,
// and for NaN: 'Z'.
char LetterDesignator(long double latitude);

// An angle split for display and entry. `Negative` lets -0.5 keep its sign with Degrees 0.
struct TDegMinSec {
    bool Negative = false;
    std::int32_t Degrees = 0;
    std::int32_t Minutes = 0;
    long double Seconds = 0;
};
long double DMSToDecimal(const TDegMinSec& dms);
// For angles of zero or more; `Negative` is left false. Seconds that would print as 60.0000
// carry into the minutes, leaving Seconds a tiny negative number. Degrees beyond the 32-bit
// range saturate.
TDegMinSec DecimalToDMS(long double x);

// "48° 35' 59,8555\"" or "-4° 36' 0,0\"": °, ' and " all separate fields; either decimal mark;
// degrees and minutes are rounded to whole numbers (half to even), so "48,6°" reads 49; any '-'
// makes the angle negative; a missing or unreadable field counts 0.
long double ParseDMSText(std::string_view texte);
// "-4° 36' 0,0000\"": seconds with four decimals and the local decimal separator.
// Reads back through ParseDMSText within 0.00005 second.
std::string FormatDMSText(long double x);

// Trimmed and upper-cased on both sides; inner blanks count ("WGS84" is not "WGS 84").
// Searched from index 22 down, so equal names give the highest index.
std::optional<int> FindEllipsoid(std::string_view nom);

// The sphere approximation shown on the conversion window: x = (Long - L0) . Ra . cos(Lat) + 500
// with L0 the central meridian of LatLongToUTM, y = Rb . Lat (+ 10000 south of the equator).
struct XY {
    long double x = 0; // km
    long double y = 0; // km
};
XY SphericalXY(long double latitude, long double longitude, long double Ra, long double Rb);

} // namespace vuv
