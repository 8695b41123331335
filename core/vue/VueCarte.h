#pragma once
// The view rectangle over the overlay and its integer arithmetic: mouse mapping, zoom, pan,
// scroll bars. Bounds are inclusive overlay pixels; the view may reach outside the overlay.
#include <cstdint>

namespace vuv {

struct Rect {
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
    int largeur() const { return x1 - x0 + 1; }
    int hauteur() const { return y1 - y0 + 1; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class ToucheNavigation { debut, fin, gauche, droite, haut, bas, plus, moins };

struct BarresDefilement {
    int max_h = 0, position_h = 0, grand_pas_h = 1;
    int max_v = 0, position_v = 0, grand_pas_v = 1;
};

// Rounds to the nearest integer, halves to even, clamped to the int range.
int arrondi_pair(long double v);

class VueCarte {
public:
    // Zoom ratio of one keypad step: 100/105 in, 105/100 out.
    static constexpr int zoom_num = 100;
    static constexpr int zoom_den = 105;
    static constexpr int largeur_min = 5;
    static constexpr int largeur_max = 20000;
    static constexpr int hauteur_max = 10000;

    // A new overlay of W x H pixels: view = whole overlay (init_calque_a_b_pen).
    void init(int largeur, int hauteur);
    bool existe() const { return W_ > 0 && H_ > 0; }
    int W() const { return W_; }
    int H() const { return H_; }
    double rapport() const { return rapport_; }

    const Rect& vue() const { return vue_; }
    void fixe_vue(const Rect& r) { vue_ = r; }
    const Rect& source() const { return source_; }

    // The navigation limits, recomputed from the current view.
    int gauche_max() const { return W_ + vue_.x0 - vue_.x1 - 1; }
    int haut_max() const { return H_ + vue_.y0 - vue_.y1 - 1; }

    // repere_image_bitmap: image-area pixel to overlay pixel through the source rectangle.
    void repere_image_bitmap(int mx, int my, int aire_l, int aire_h, int& bx, int& by) const;

    // One navigation key at the mouse's overlay pixel (clamped into the overlay here).
    // False when the step was refused or stopped at a limit: the caller beeps.
    bool navigue(ToucheNavigation t, int souris_x, int souris_y);

    // Moves the view so that overlay pixel (de) comes under the mouse at (vers).
    void glisse(int de_x, int de_y, int vers_x, int vers_y);

    void carte_complete();
    bool presence_fond_dans_img() const;

    // Scroll bars: nothing while the view reaches outside (returns false).
    bool position_scrollbar(BarresDefilement& b) const;
    void barre_horizontale(int position);
    void barre_verticale(int position);

    // The view is copied to the screen only when it changed or something was drawn.
    void marque_sale() { sale_ = true; }
    bool sale() const { return sale_; }
    // True when the view must be shown again; remembers it as shown and as the source.
    bool a_afficher();

private:
    int W_ = 0, H_ = 0;
    double rapport_ = 1;
    Rect vue_;
    Rect affiche_;
    Rect source_;
    bool sale_ = true;
};

} // namespace vuv
