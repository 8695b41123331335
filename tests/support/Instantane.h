#pragma once
// A copy of everything an undo must bring back: the three tables cell by cell, the counters,
// the calibration records and the saved flag. Compared with difference(), which names the
// first thing that differs, so a failing check says where.
#include <array>
#include <string>
#include <vector>

namespace vuv {
class Document;
} // namespace vuv

namespace vuv::test {

struct Instantane {
    std::array<std::vector<std::vector<std::string>>, 3> tables; // StringGrid1, 2, 3: rows of cells
    int nb_points = 0, num_ligne = 0, nb_calage = 0;
    std::array<std::string, 3> calage; // each record as text
    bool sauve = true;

    static Instantane de(const Document& d);
};

// Empty when equal; otherwise the first difference, e.g. "StringGrid1 ligne 3 colonne 4 : <a> / <b>".
// `avec_sauve`: the saved flag is compared too.
std::string difference(const Instantane& a, const Instantane& b, bool avec_sauve = false);

} // namespace vuv::test
