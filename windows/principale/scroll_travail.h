#pragma once
// The work as a whole, from the main window: the question before it is left, and what starts
// again once another one replaces it.
namespace vuv {

class TForm1;

// Before quitting or before a road that replaces the work: when it is unsaved, " Voulez-vous
// enregistrer le tableau de points ? " with Oui, Non and Annuler. True: go on (saved, or Non);
// false: Annuler, or the save was cancelled or failed, and nothing changed.
bool demande_enregistrer(TForm1& f);

// Another work took the place of the previous one: nothing to undo, nothing unsaved, the
// points window's count and line 1's name those of the new work.
void nouveau_travail(TForm1& f);

} // namespace vuv
