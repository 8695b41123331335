#pragma once
// Distances and bearings ("cap") between points in real coordinates, and the texts the
// bearing mode of the main window shows. North (+Y) is 0, east 90, west -90, south 180.
// The bearing shown adds the declination and epsilon and is not brought back into -180..180.
#include <string>
#include <string_view>

namespace vuv {

class Document;

struct CapDistance {
    long double cap = 0; // bearing shown, degrees
    long double D = 0;   // distance, real units
};

// arccos(dY / D) in degrees, negative when X2 < X1; 0 when the points coincide.
long double cap_geometrique(long double X1, long double Y1, long double X2, long double Y2);

// Declination + epsilon from their texts, read with val_reel ("abc" counts as 0).
long double correction_cap(std::string_view declinaison, std::string_view epsilon);

CapDistance cap_entre(long double X1, long double Y1, long double X2, long double Y2, long double correction);

// From row a to row b of the points table ("X", "Y" cells).
CapDistance distance_entre_point(const Document& d, int a, int b, long double correction);
// From row a to the real position of overlay pixel (x, y).
CapDistance distance_entre_point_et_XY(const Document& d, int a, int x, int y, long double correction);

// "a/b=> D=14.1421 cap=  49.50"
std::string texte_cap(int a, int b, const CapDistance& c);
// The third status-bar panel: "Distance=  14.1421  Cap=    49.50  "
std::string texte_statut_cap(const CapDistance& c);
// The panel beside the pointer: "D=  14.1421  Cap=    49.50  proxi=   2"
std::string texte_proxi_cap(const CapDistance& c, int p);
// " distance cumulée à partir de (p)... "
std::string texte_depart_cap(int p);
// " distance cumulée +(a à b) = 14.1421   a/b=> D=... cap=..."
std::string texte_cumul_cap(int a, int b, long double cumul, const CapDistance& c);

} // namespace vuv
