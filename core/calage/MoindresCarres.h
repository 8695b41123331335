#pragma once
// A small dense least-squares solver: Householder QR on long double, for the few unknowns of a
// transformation fit (at most 8) and a few hundred equations.
#include <vector>

namespace vuv {

// Solves min |A u - b| for A of `lignes` × `inconnues` (row by row). False when A has not full
// column rank (aligned or coincident points), `u` then untouched.
bool moindres_carres(std::vector<long double> A, std::vector<long double> b, int lignes, int inconnues,
                     std::vector<long double>& u);

} // namespace vuv
