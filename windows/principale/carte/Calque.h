#pragma once
// The background image, the overlay ("calque") everything is drawn on, and the view over it.
// The overlay can always be rebuilt from the background and the tables.
#include "core/vue/VueCarte.h"

#include <QColor>
#include <QImage>
#include <QRect>

class QPainter;

namespace vuv {

class Document;

// What the drawing reads from the windows' controls.
struct ReglagesTrace {
    bool mode_lignes = true;  // Lignes1 checked: points joined by segments
    bool sans_lignes = false; // "sans lignes ni pts" down: the bare image
    bool libelles = false;    // CheckBox1 "Affiche Lib.  Taille"
    int hauteur_police = 30;  // Edit3
    QColor couleur_libelle{0, 0, 128};   // Panel1 (navy)
    QColor fond_libelle{0, 255, 255};    // Panel2 (aqua)
};

class Calque {
public:
    QImage fond;  // the loaded image (RGB555); null when digitizing without an image
    QImage image; // the overlay, same size as the background
    VueCarte vue;
    QColor couleur_vide{139, 231, 195};
    int dernier_x = 0, dernier_y = 0; // last point drawn; (0, 0): none

    bool existe() const { return !image.isNull(); }
    bool presence_fond() const { return !fond.isNull(); }

    // A copy of the background, viewed whole.
    void creer_calque_de_bitmap();
    // A blank overlay of the given size (the tablet sheet), viewed whole.
    void creer_calque_vide(int largeur, int hauteur, QImage::Format format);
    void vide_calque(const QColor& c);
    void vide_calque_avec_bmp();
    void vide_calque_sans_bmp() { vide_calque(couleur_vide); }

    void af_point(Document& d, const ReglagesTrace& r, int x, int y, int L, int row);
    void af_micro_point(int x, int y, const QColor& c, const QColor& d);
    void af_croix_calage(int x, int y);
    void redessiner_calque(Document& d, const ReglagesTrace& r);
    // The same pixels as redessiner_calque inside `zone` only (overlay pixels): an edit redraws
    // what it changed, not the whole scan.
    void redessiner_zone(Document& d, const ReglagesTrace& r, QRect zone);

private:
    struct StyleLigne {
        int epaisseur = 1;
        QColor couleur = Qt::red;
        bool affichee = true;
    };
    class Styles;
    void restaure_fond(const QRect& zone);
    void trace_point(QPainter& p, const StyleLigne& s, Document& d, const ReglagesTrace& r, int x, int y, int row);
};

} // namespace vuv
