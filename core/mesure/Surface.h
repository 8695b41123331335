#pragma once
// Lengths, perimeters and polygon surfaces of digitized lines, in real units, and the text
// lines the results panel receives. Drawing and the panel itself belong to the windows.
#include <cstdint>
#include <string>
#include <vector>

namespace vuv {

class Document;

// A line L is the run of consecutive rows from the first row whose "L" is L.
struct DistancePerimetre {
    long double D = 0; // length along the run
    long double P = 0; // D plus the closing segment back to the first point
    int n = 0;         // points of the run (1 for a line without points)
};
DistancePerimetre distance_perimetre_indice_ligne(const Document& d, int L);

struct PointImage {
    int x = 0, y = 0;
};
// One triangle of the fan: p0 -> p1 -> p2 in couleur_triangle, then p0 -> p2 in couleur_fermeture.
struct Triangle {
    PointImage p0, p1, p2;
};
constexpr std::uint32_t couleur_triangle = 0x003EC8EA; // RGB(234, 200, 62) as 0x00BBGGRR
constexpr std::uint32_t couleur_fermeture = 0x00FFFF00; // aqua
// Pen width of the triangles for an overlay of this width.
int epaisseur_triangles(int largeur_calque);

struct SurfaceLigne {
    long double A = 0; // absolute shoelace surface of the run closed back to its first point
    std::vector<Triangle> triangles;
};
SurfaceLigne surface_indice_ligne(const Document& d, int L);

// The click of "Surface" mode at overlay pixel (x, y).
struct ResultatSurface {
    bool mesure = false;       // false: a beep was given (fewer than two points, no line shown)
    bool outil_echelle = false; // a two-point line: the scale tool takes over, nothing written
    int L = 0;                  // the line picked: the one nearest the click
    int n = 0;                  // its points
    // Lengths are in the map's units (those of the calibration's X and Y), surfaces in their square.
    long double A = 0;          // surface of the line closed back to its first point (units²)
    long double D = 0;          // length along the line (units)
    long double P = 0;          // perimeter: D plus the closing segment (units)
    long double R = 0;          // network: the lengths of every other line (units)
    long double C = 0;          // compactness P / sqrt(4·pi·A), no unit; 0 when A is 0
    long double Le = 0;         // long side of the rectangle of the same A and P (units); 0 when none exists
    long double Dd = 0;         // drainage density R / A (1/units); 0 when A is 0
    std::vector<Triangle> triangles;
    std::vector<std::string> lignes; // to append to the results panel
};
ResultatSurface mesure_surface(const Document& d, int x, int y);
// The same for line L named, without a click: every figure is computed, a two-point line too
// (then outil_echelle is set and no text is made).
ResultatSurface mesure_ligne(const Document& d, int L);

// The results text of one measurement (without the network lines when `reseau` is false).
std::vector<std::string> lignes_resultats(const Document& d, const ResultatSurface& r, bool reseau);

// "     Distances (calage 1 à 2) = ... (calage 2 à 3) = ..." from the calibration records.
std::string ligne_distances_calage(const Document& d);

} // namespace vuv
