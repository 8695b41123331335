// Transverse Mercator series of the USGS (Snyder, "Map Projections: A Working Manual", 1987,
// formulas 8-9 to 8-25). Departures from the textbook, all for speed with the same digits:
// one sincos per call, the multiple angles 2x, 4x, 6x from identities, powers by
// multiplication, divisions by constants as products, the series coefficients computed once
// per ellipsoid, N1/R1 as w/(1-e²) and D as x √w / (a k0).
#include "core/geo/UTMLaLo.h"

#include "core/text/extraitUTIL.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace vuv {

const std::array<TEllipsoid, nb_ellipsoides> Ellipsoid = {{
    {"Airy", 6377563.0L, 6356257.0L},
    {"Australian National", 6378160.0L, 6356775.0L},
    {"Bessel 1841", 6377397.0L, 6356079.0L},
    {"Bessel 1841 (Nambia) ", 6377484.0L, 6356166.0L},
    {"Clarke 1866", 6378206.0L, 6356583.0L},
    {"Clarke 1880", 6378249.0L, 6356515.0L},
    {"Everest", 6377276.0L, 6356075.0L},
    {"Fischer 1960(Mercury)", 6378166.0L, 6356784.0L},
    {"Fischer 1968", 6378150.0L, 6356768.0L},
    {"GRS 1967", 6378160.0L, 6356775.0L},
    {"GRS 1980", 6378137.0L, 6356752.0L},
    {"Helmert 1906", 6378200.0L, 6356818.0L},
    {"Hough", 6378270.0L, 6356794.0L},
    {"International", 6378388.0L, 6356912.0L},
    {"Krassovsky", 6378245.0L, 6356863.0L},
    {"Modified Airy", 6377340.0L, 6356034.0L},
    {"Modified Everest", 6377304.0L, 6356103.0L},
    {"Modified Fischer 1960", 6378155.0L, 6356773.0L},
    {"South American 1969", 6378160.0L, 6356775.0L},
    {"WGS 60", 6378165.0L, 6356783.0L},
    {"WGS 66", 6378145.0L, 6356760.0L},
    {"WGS 72", 6378135.0L, 6356751.0L},
    {"WGS 84", 6378137.0L, 6356752.314L},
}};

namespace {

constexpr long double k0 = 0.9996L;
constexpr long double faux_est = 500000.0L;
constexpr long double faux_nord_sud = 10000000.0L;
constexpr long double deg_rad = 0.017453292519943295769L;
constexpr long double rad_deg = 57.295779513082320877L;
constexpr long double pi = 3.1415926535897932385L;
constexpr long double decalage_zone = 183.0000000001L;
// Seconds from which "%2.4f" would print 60.0000: they carry into the minutes.
constexpr long double report_secondes = 59.99995L;
constexpr long double sur_6 = 1.0L / 6, sur_24 = 1.0L / 24, sur_120 = 1.0L / 120, sur_720 = 1.0L / 720;

// The series coefficients of one ellipsoid.
struct Serie {
    long double a, e2, ep2;
    long double m0, m2, m4, m6;     // meridian arc: M = m0 φ - m2 sin 2φ + m4 sin 4φ - m6 sin 6φ
    long double p2, p4, p6;         // footpoint latitude from μ
    long double inv_k0_m0;          // μ = y / (k0 m0)
    long double inv_a_k0;           // D = x √(1 - e² sin²φ1) / (a k0)
    long double inv_1_moins_e2;     // N1 / R1 = (1 - e² sin²φ1) / (1 - e²)
    long double ep2_58, ep2_330, ep2_9, ep2_252, ep2_8;
};

Serie serie_de(const TEllipsoid& el) {
    Serie s{};
    const long double a = el.a, b = el.b;
    const long double e2 = (a * a - b * b) / (a * a);
    const long double e4 = e2 * e2, e6 = e4 * e2;
    const long double ep2 = e2 / (1 - e2);
    s.a = a;
    s.e2 = e2;
    s.ep2 = ep2;
    s.m0 = a * (1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256);
    s.m2 = a * (3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024);
    s.m4 = a * (15 * e4 / 256 + 45 * e6 / 1024);
    s.m6 = a * (35 * e6 / 3072);
    const long double r = std::sqrt(1 - e2);
    const long double e1 = (1 - r) / (1 + r);
    const long double e1_2 = e1 * e1, e1_3 = e1_2 * e1, e1_4 = e1_3 * e1;
    s.p2 = 3 * e1 / 2 - 27 * e1_3 / 32;
    s.p4 = 21 * e1_2 / 16 - 55 * e1_4 / 32;
    s.p6 = 151 * e1_3 / 96;
    s.inv_k0_m0 = 1 / (k0 * s.m0);
    s.inv_a_k0 = 1 / (a * k0);
    s.inv_1_moins_e2 = 1 / (1 - e2);
    s.ep2_58 = 58 * ep2;
    s.ep2_330 = 330 * ep2;
    s.ep2_9 = 9 * ep2;
    s.ep2_252 = 252 * ep2;
    s.ep2_8 = 8 * ep2;
    return s;
}

const Serie& serie(int ellipsoide) {
    static const std::array<Serie, nb_ellipsoides> series = [] {
        std::array<Serie, nb_ellipsoides> t{};
        for (std::size_t i = 0; i < t.size(); ++i) t[i] = serie_de(Ellipsoid[i]);
        return t;
    }();
    return series[static_cast<std::size_t>(ellipsoide)];
}

// Rounded half to even (the default rounding mode), without undefined behaviour: NaN gives 0
// and the rest saturates well inside the range, so that six times it still fits.
std::int64_t arrondi(long double v) {
    constexpr long double borne = 1e17L;
    if (!(v == v)) return 0;
    if (v > borne) return static_cast<std::int64_t>(borne);
    if (v < -borne) return -static_cast<std::int64_t>(borne);
    return std::llrint(v);
}

// Truncated to 32 bits, saturating; NaN gives 0.
std::int32_t entier32(long double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0L) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0L) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

struct Fuseau {
    std::int64_t zone;
    std::int64_t meridien;
};

// The zone and the central meridian come from two formulas that disagree on the zone borders
// (-6 gives zone 30 but meridian -9; 180 gives zone 61): the meridian follows the zone, as the
// other formula does everywhere else.
Fuseau fuseau(long double longitude) {
    std::int64_t zone = arrondi((longitude + decalage_zone) / 6);
    if (zone == 61 && longitude <= 180) zone = 60;
    return {zone, zone * 6 - 183};
}

} // namespace

PositionUTM LatLongToUTM(int ellipsoide, long double latitude, long double longitude) {
    const Serie& s = serie(ellipsoide);
    const Fuseau f = fuseau(longitude);
    const long double lo = static_cast<long double>(f.meridien);

    const long double phi = latitude * deg_rad;
    const long double dlambda = longitude * deg_rad - lo * deg_rad;
    long double sn, cs;
    sincosl(phi, &sn, &cs);
    const long double tn = sn / cs;
    const long double N = s.a / std::sqrt(1 - s.e2 * sn * sn);
    const long double T = tn * tn;
    const long double C = s.ep2 * cs * cs;
    const long double A = cs * dlambda;
    const long double A2 = A * A, A3 = A2 * A, A4 = A2 * A2, A5 = A4 * A, A6 = A4 * A2;

    const long double sin2 = 2 * sn * cs;
    const long double cos2 = cs * cs - sn * sn;
    const long double sin4 = 2 * sin2 * cos2;
    const long double cos4 = 1 - 2 * sin2 * sin2;
    const long double sin6 = sin4 * cos2 + cos4 * sin2;
    const long double M = s.m0 * phi - s.m2 * sin2 + s.m4 * sin4 - s.m6 * sin6;

    PositionUTM r;
    r.Easting = k0 * N * (A + (1 - T + C) * A3 * sur_6 + (5 - 18 * T + T * T + 72 * C - s.ep2_58) * A5 * sur_120) +
                faux_est;
    r.Northing = k0 * (M + N * tn *
                               (A2 / 2 + (5 - T + 9 * C + 4 * C * C) * A4 * sur_24 +
                                (61 - 58 * T + T * T + 600 * C - s.ep2_330) * A6 * sur_720));
    if (latitude < 0) r.Northing += faux_nord_sud;
    r.Zone = static_cast<std::uint8_t>(f.zone & 0xFF);
    r.Letter = LetterDesignator(latitude);
    r.LongOrigin = lo;
    return r;
}

LatLong UTMToLatLong(int ellipsoide, std::uint8_t zone, Hemisphere h, long double easting, long double northing) {
    const Serie& s = serie(ellipsoide);
    const long double x = easting - faux_est;
    long double y = northing;
    if (h == Hemisphere::South && northing != 0) y = northing - faux_nord_sud;
    const long double lo = static_cast<long double>(static_cast<int>(zone) * 6 - 183);

    const long double mu = y * s.inv_k0_m0;
    long double sm, cm;
    sincosl(mu, &sm, &cm);
    const long double sin2 = 2 * sm * cm;
    const long double cos2 = cm * cm - sm * sm;
    const long double sin4 = 2 * sin2 * cos2;
    const long double cos4 = 1 - 2 * sin2 * sin2;
    const long double sin6 = sin4 * cos2 + cos4 * sin2;
    const long double delta = s.p2 * sin2 + s.p4 * sin4 + s.p6 * sin6;
    const long double phi1 = mu + delta;

    // |delta| < 0.003 for every ellipsoid, so these series of sin and cos of delta are exact to
    // 1e-21 and sin, cos of phi1 follow from those of mu without a second sincos.
    const long double d2 = delta * delta;
    const long double sd = delta * (1 - d2 * sur_6 * (1 - d2 * (1.0L / 20)));
    const long double cd = 1 - d2 / 2 * (1 - d2 * (1.0L / 12) * (1 - d2 * (1.0L / 30)));
    const long double sn = sm * cd + cm * sd;
    const long double cs = cm * cd - sm * sd;
    const long double sur_cs = 1 / cs;
    const long double tn = sn * sur_cs;
    const long double w = 1 - s.e2 * sn * sn;
    const long double T1 = tn * tn;
    const long double C1 = s.ep2 * cs * cs;
    const long double D = x * std::sqrt(w) * s.inv_a_k0;
    const long double D2 = D * D, D3 = D2 * D, D4 = D2 * D2, D5 = D4 * D, D6 = D4 * D2;

    LatLong r;
    r.Lat = rad_deg * (phi1 - (w * s.inv_1_moins_e2 * tn) *
                                  (D2 / 2 - (5 + 3 * T1 + 10 * C1 - 4 * C1 * C1 - s.ep2_9) * D4 * sur_24 +
                                   (61 + 90 * T1 + 298 * C1 + 45 * T1 * T1 - s.ep2_252 - 3 * C1 * C1) * D6 * sur_720));
    r.Long = lo + rad_deg *
                      (D - (1 + 2 * T1 + C1) * D3 * sur_6 +
                       (5 - 2 * C1 + 28 * T1 - 3 * C1 * C1 + s.ep2_8 + 24 * T1 * T1) * D5 * sur_120) *
                      sur_cs;
    return r;
}

char LetterDesignator(long double latitude) {
    static constexpr char lettres[] = "CDEFGHJKLMNPQRSTUVWX";
    if (!(latitude > -80 && latitude <= 80)) return 'Z';
    // Band i covers (-80 + 8i, -72 + 8i]; the estimate in double is corrected against the exact edges.
    int i = static_cast<int>((static_cast<double>(latitude) + 80) * 0.125);
    if (i < 0) i = 0;
    if (i > 19) i = 19;
    if (latitude > -72 + 8 * i) ++i;
    else if (latitude <= -80 + 8 * i) --i;
    return lettres[i];
}

long double DMSToDecimal(const TDegMinSec& dms) {
    const long double s = static_cast<long double>(dms.Minutes) * 60 + dms.Seconds;
    return dms.Negative ? dms.Degrees - s / 3600 : dms.Degrees + s / 3600;
}

TDegMinSec DecimalToDMS(long double x) {
    TDegMinSec r;
    const long double t = std::trunc(x);
    r.Degrees = entier32(t);
    const long double f = x - t;
    r.Minutes = entier32(std::trunc(f * 3600 / 60));
    r.Seconds = f * 3600 - static_cast<long double>(r.Minutes) * 60;
    if (r.Seconds >= report_secondes) {
        r.Seconds -= 60;
        ++r.Minutes;
        if (r.Minutes >= 60) {
            r.Minutes -= 60;
            if (r.Degrees < std::numeric_limits<std::int32_t>::max()) ++r.Degrees;
        }
    }
    return r;
}

long double ParseDMSText(std::string_view texte) {
    // The three marks become one separator; the apostrophe is a single byte, as extrait_champ needs.
    std::string t = conversion::remplace_car(texte, U'\u00B0', U'\'');
    t = conversion::remplace_car(t, U'"', U'\'');
    TDegMinSec dms;
    dms.Negative = t.find('-') != std::string::npos;
    dms.Degrees = entier32(std::nearbyint(extrait_champ_reel(t, 1, '\'', 0)));
    dms.Minutes = entier32(std::nearbyint(extrait_champ_reel(t, 2, '\'', 0)));
    dms.Seconds = extrait_champ_reel(t, 3, '\'', 0);
    return DMSToDecimal(dms);
}

std::string FormatDMSText(long double x) {
    const TDegMinSec d = DecimalToDMS(std::fabs(x));
    std::string r = x < 0 ? "-" : "";
    r += std::to_string(d.Degrees);
    r += "\u00B0 ";
    r += std::to_string(d.Minutes);
    r += "' ";
    r += fixe_local(std::fabs(d.Seconds), 4);
    r += '"';
    return r;
}

std::optional<int> FindEllipsoid(std::string_view nom) {
    auto majuscules = [](std::string s) {
        for (char& c : s)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return s;
    };
    const std::string cherche = majuscules(enleve_blancs(nom));
    for (int i = nb_ellipsoides - 1; i >= 0; --i)
        if (majuscules(enleve_blancs(Ellipsoid[static_cast<std::size_t>(i)].Name)) == cherche) return i;
    return std::nullopt;
}

XY SphericalXY(long double latitude, long double longitude, long double Ra, long double Rb) {
    XY r;
    r.y = latitude * Rb / 180 * pi;
    if (latitude < 0) r.y += 10000;
    const long double L0 = static_cast<long double>(fuseau(longitude).meridien);
    r.x = (longitude - L0) * Ra / 180 * pi * std::cos(latitude / 180 * pi) + 500;
    return r;
}

} // namespace vuv
