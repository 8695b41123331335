#include "core/vue/VueCarte.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vuv {

int arrondi_pair(long double v) {
    if (std::isnan(v)) return 0;
    long double r = std::floor(v);
    const long double reste = v - r;
    if (reste > 0.5L || (reste == 0.5L && std::fmod(r, 2.0L) != 0)) r += 1;
    if (r >= static_cast<long double>(INT_MAX)) return INT_MAX;
    if (r <= static_cast<long double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(r);
}

void VueCarte::init(int largeur, int hauteur) {
    W_ = std::max(largeur, 0);
    H_ = std::max(hauteur, 0);
    rapport_ = H_ > 0 ? static_cast<double>(W_) / H_ : 1.0;
    vue_ = {0, 0, W_ - 1, H_ - 1};
    source_ = vue_;
    affiche_ = {};
    sale_ = true;
}

void VueCarte::repere_image_bitmap(int mx, int my, int aire_l, int aire_h, int& bx, int& by) const {
    aire_l = std::max(aire_l, 1);
    aire_h = std::max(aire_h, 1);
    bx = arrondi_pair(static_cast<long double>(mx) * source_.largeur() / aire_l + source_.x0);
    by = arrondi_pair(static_cast<long double>(my) * source_.hauteur() / aire_h + source_.y0);
}

bool VueCarte::navigue(ToucheNavigation t, int souris_x, int souris_y) {
    if (!existe()) return false;
    const int mx = std::clamp(souris_x, 0, W_ - 1);
    const int my = std::clamp(souris_y, 0, H_ - 1);
    const int pas = std::max((vue_.x1 - vue_.x0) / 20, 1);
    const int l = vue_.largeur(), h = vue_.hauteur();
    // Moves one edge by d, stopping at [mini, maxi]; false when it had to stop.
    auto deplace = [](int& a, int& b, int d, int mini, int maxi) {
        int cible = a + d;
        bool libre = true;
        if (d < 0 && cible < mini) {
            cible = mini;
            libre = false;
        } else if (d > 0 && cible > maxi) {
            cible = maxi;
            libre = false;
        }
        b += cible - a;
        a = cible;
        return libre;
    };
    switch (t) {
    case ToucheNavigation::fin: {
        const int gx = gauche_max(), gy = haut_max();
        vue_ = {gx, gy, gx + l - 1, gy + h - 1};
        return true;
    }
    case ToucheNavigation::debut:
        vue_ = {0, 0, l - 1, h - 1};
        return true;
    case ToucheNavigation::gauche:
        return deplace(vue_.x0, vue_.x1, -pas, 0, gauche_max());
    case ToucheNavigation::droite:
        return deplace(vue_.x0, vue_.x1, pas, 0, gauche_max());
    case ToucheNavigation::haut:
        return deplace(vue_.y0, vue_.y1, -pas, 0, haut_max());
    case ToucheNavigation::bas:
        return deplace(vue_.y0, vue_.y1, pas, 0, haut_max());
    case ToucheNavigation::plus: {
        const int nl = l * zoom_num / zoom_den, nh = h * zoom_num / zoom_den;
        if (nl < largeur_min || nh < largeur_min) return false;
        vue_.x0 = mx - zoom_num * (mx - vue_.x0 + 1) / zoom_den;
        vue_.x1 = vue_.x0 + nl - 1;
        vue_.y0 = my - zoom_num * (my - vue_.y0 + 1) / zoom_den;
        vue_.y1 = vue_.y0 + nh - 1;
        return true;
    }
    case ToucheNavigation::moins: {
        // Below 20 pixels the 5 % step rounds to nothing: grow by one pixel at least, or a
        // view zoomed in to the limit could never be zoomed out again.
        const int nl = std::max(l * zoom_den / zoom_num, l + 1), nh = std::max(h * zoom_den / zoom_num, h + 1);
        if (nl > largeur_max || nh > hauteur_max) return false;
        vue_.x0 = mx - zoom_den * (mx - vue_.x0 + 1) / zoom_num + 2;
        vue_.x1 = vue_.x0 + nl - 1;
        vue_.y0 = my - zoom_den * (my - vue_.y0 + 1) / zoom_num + 2;
        vue_.y1 = vue_.y0 + nh - 1;
        return true;
    }
    }
    return true;
}

void VueCarte::glisse(int de_x, int de_y, int vers_x, int vers_y) {
    const int dx = de_x - vers_x, dy = de_y - vers_y;
    vue_ = {vue_.x0 + dx, vue_.y0 + dy, vue_.x1 + dx, vue_.y1 + dy};
}

void VueCarte::carte_complete() {
    vue_ = {0, 0, W_ - 1, H_ - 1};
    sale_ = true;
}

bool VueCarte::presence_fond_dans_img() const {
    return vue_.x0 < 0 || vue_.x1 > W_ - 1 || vue_.y0 < 0 || vue_.y1 > H_ - 1;
}

bool VueCarte::position_scrollbar(BarresDefilement& b) const {
    b.grand_pas_h = std::max(vue_.largeur() / 3, 1);
    b.grand_pas_v = std::max(vue_.hauteur() / 3, 1);
    if (presence_fond_dans_img()) return false;
    b.max_h = gauche_max() > 0 ? gauche_max() : W_;
    b.max_v = haut_max() > 0 ? haut_max() : H_;
    b.position_h = std::clamp(vue_.x0, 0, b.max_h);
    b.position_v = std::clamp(vue_.y0, 0, b.max_v);
    return true;
}

void VueCarte::barre_horizontale(int position) {
    const int l = vue_.largeur();
    vue_.x0 = position;
    vue_.x1 = position + l - 1;
}

void VueCarte::barre_verticale(int position) {
    const int h = vue_.hauteur();
    vue_.y0 = position;
    vue_.y1 = position + h - 1;
}

bool VueCarte::a_afficher() {
    if (!existe()) return false;
    if (vue_ == affiche_ && !sale_) return false;
    affiche_ = vue_;
    source_ = vue_;
    sale_ = false;
    return true;
}

} // namespace vuv
