#pragma once
// What the document asks of the windows while it changes: drawing on the overlay, the status
// bar, showing and hiding panels. Every method is a no-op by default, so core runs windowless.
#include <string>

namespace vuv {

class VueDocument {
public:
    virtual ~VueDocument() = default;

    virtual void af_croix_calage(int /*x*/, int /*y*/) {}
    virtual void rafraichir() {}            // repaint the view from the overlay
    virtual void redessiner_calque() {}     // rebuild the overlay from the tables
    virtual void af_efface_der_ligne_xor() {} // erase the rubber-band segment
    virtual void pointer_selection() {}     // highlight the selected point row on the map
    virtual void montre_table_points() {}   // the points table becomes visible
    virtual void cache_panel2() {}          // hide the calibration prompt
    virtual void statut(int /*panneau*/, const std::string& /*texte*/) {}
};

} // namespace vuv
