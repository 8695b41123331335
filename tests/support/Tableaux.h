#pragma once
// Helpers for the tests of the points window and the project file: a document with lines of
// points, typing into a grid as a user does, and bringing a window to the front.
#include <QString>

#include <vector>

class QWidget;

namespace vuv {
class Document;
class GrilleChaines;
} // namespace vuv

namespace vuv::test {

// Lines 1..n, points_par_ligne[L - 1] points each, numbered in order; point k at pixel
// (10·k, 20·k) with X = k, Y = 2·k and Z = 100 + k. Calibration: the unit frame placed on
// (0, 0), (0, 100), (100, 100), so X = x / 100 and Y = (100 - y) / 100 after a recomputation.
void remplit(Document& d, const std::vector<int>& points_par_ligne);

// Shows the window, activates it and waits until the platform says it is active.
bool active(QWidget* w);

// Makes (col, row) current and types the text there, key by key, to whatever has the focus.
void tape(GrilleChaines* g, int col, int row, const QString& texte);

} // namespace vuv::test
