#pragma once
// The scale tool (a two-point line given its real length rescales the calibration) and the
// altitude tool (the Z of a point stepped by a fixed increment).
#include <optional>
#include <string>
#include <string_view>

namespace vuv {

class Document;

// "La suite (L) ne contient que 2 points distants de D"
std::string texte_suite_echelle(int L, long double D);
// "distance calculée = 250.000000 "
std::string texte_distance_calculee(long double D);

struct EntreeEchelle {
    bool acceptee = false;
    double r = 0;          // the real distance typed
    long double f = 0;     // r / D
    std::string message;   // the refusal, or the confirmation question
};
// The real distance typed for a line measuring D. Zero, negative (the drawing would turn half
// round), non-numeric or beyond a double are refused.
EntreeEchelle lit_echelle(std::string_view texte, long double D);

// Every calibration row's X and Y multiplied by f (written with a point), then every point
// recomputed. The saved flag is cleared.
void applique_echelle(Document& d, long double f);

// The Z text after a step of signe * delta with the given decimals; nothing when the
// decimals are not a whole number from 0 to 20 (the message says why).
struct PasAltitude {
    std::optional<std::string> z;
    std::string erreur;
};
PasAltitude pas_altitude(std::string_view z, std::string_view delta, std::string_view decimales, int signe);

} // namespace vuv
