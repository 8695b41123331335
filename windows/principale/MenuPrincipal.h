#pragma once
// The main window's menu bar.

namespace vuv {

class TForm1;

// Creates every menu and command into the window's pointers, one line per item. The
// commands whose features are not in this build stay disabled: each feature enables and
// connects its own; those the window handles itself are connected here.
void construit_menu_principal(TForm1& f);

} // namespace vuv
