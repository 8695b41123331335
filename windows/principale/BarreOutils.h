#pragma once
// The main window's tool bar, Panel1.

namespace vuv {

class TForm1;

// Creates the tool bar's buttons into the window's pointers, with its button groups, and
// connects those the window handles itself; the buttons of features not in this build stay
// disabled until their feature enables and connects them.
void construit_barre_outils(TForm1& f);

} // namespace vuv
