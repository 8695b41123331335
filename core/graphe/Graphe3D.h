#pragma once
// The 3D graph: a wire-frame perspective of the points' real coordinates, turned, shifted and
// zoomed by the graph window's buttons and keys. Everything here is drawn into plain 32-bit
// pixels so the window only shows the result.
#include "core/pixels/VuePixels.h"

#include <cstdint>
#include <vector>

namespace vuv {

class Document;

namespace graphe {

// 0xffRRGGBB
constexpr std::uint32_t vert = 0xFF008000;
constexpr std::uint32_t rouge = 0xFFFF0000;
constexpr std::uint32_t marine = 0xFF000080;
constexpr std::uint32_t blanc = 0xFFFFFFFF;
constexpr std::uint32_t noir = 0xFF000000;

// The view. Turns, shifts and zooms are kept as counts of presses so that a press and its
// opposite give back the very same picture.
struct Etat {
    int W = 0, H = 0; // drawing size minus one
    long double pas = 0, A = 0, B = 0, rho = 0, D = 0, X0 = 0, Y0 = 0;
    long double SX = 1, SY = 1, SZ = 1, pasX = 0, pasY = 0;
    long double Xmin = 0, Xmax = 0, Ymin = 0, Ymax = 0, Zmin = 0, Zmax = 0;
    // Data are drawn relative to their lower-left corner (Xmin, Ymin of the raw values).
    long double origineX = 0, origineY = 0;
    long double S1 = 0, S2 = 0, C1 = 0, C2 = 0, C1S2 = 0, S1S2 = 0, C1C2 = 0, S1C2 = 0;
    std::uint64_t graine = 0; // heights of "-" cells for this activation

    int nA = 0, nB = 0, nX = 0, nY = 0, nD = 0, nRho = 0;
    long double D_init = 0, X0_init = 0, Y0_init = 0;
};

struct Ecran {
    bool valide = false; // false when the projection is not a number
    int u = 0, v = 0;
};

// One thing to draw: a dot (pen 3) or a segment (pen 1).
struct Trace3D {
    bool point = false;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::uint32_t couleur = 0;
};

// The height drawn for row `ligne` whose "Z" is "-": (r / 100 - 0.5) x 0.51, r from 0 to 99
// drawn from the activation's seed, so one state always gives one picture.
long double hauteur_tiret(const Etat& e, std::size_t ligne);

// Rounding to nearest with halves to even.
long double arrondi_pair(long double x);

void calcul_cos_sin(Etat& e);
Ecran rotation(const Etat& e, long double x, long double y, long double z);

// The operations of the buttons; each recomputes the derived values.
void tourne_A(Etat& e, int sens);   // A + sens * step
void tourne_B(Etat& e, int sens);   // B + sens * step
void decale_X(Etat& e, int sens);   // X0 + sens * step X
void decale_Y(Etat& e, int sens);   // Y0 + sens * step Y
void zoom_D(Etat& e, int sens);     // D * 1.3^sens
void distance_rho(Etat& e, int sens); // rho * 1.3^sens

enum class Touche { echap, f7, gauche, droite, haut, bas, pave_plus, pave_moins, pave_divise, pave_multiplie, autre };
// Applies a key; true when the window is to close. `ctrl_seul`: Ctrl and no other modifier.
bool touche(Etat& e, Touche t, bool ctrl_seul);

// The points as the graph reads them, parsed once per version of the tables.
struct PointLu {
    bool present = false; // "X" not empty
    bool tiret = false;   // "Z" is exactly "-"
    long double X = 0, Y = 0, Z = 0;
    int L = 0;
};
struct Donnees {
    std::vector<PointLu> points;    // rows 1..nb_points, index 0 unused
    long double calage[3][2] = {};  // X, Y of calibration rows 1..3
    std::vector<std::uint32_t> couleurs; // per line number; white when unreadable
};

class Graphe3D {
public:
    // Reads the tables again only when one of them or the point count changed.
    const Donnees& donnees(const Document& d);

    // The initial view for the current points and a drawing of largeur x hauteur.
    void init_variables_book(const Document& d, int largeur, int hauteur);
    // A new drawing size keeps the view.
    void taille(int largeur, int hauteur);

    std::vector<Trace3D> affaxes() const;
    std::vector<Trace3D> trace_book(const Document& d);
    // The whole view on black into a 32-bit image of at least (W+1) x (H+1).
    void dessine_graphe(const Document& d, const VuePixels& image);

    Etat etat;

private:
    void ajoute_book(const Donnees& donnees, std::vector<Trace3D>& sortie) const;

    Donnees donnees_;
    unsigned long long v1_ = 0, v2_ = 0, v3_ = 0;
    int nb_points_ = -1;
    std::uint64_t activations_ = 0;
    std::vector<Trace3D> traces_;
};

// Draws the list into 32-bit pixels, clipped.
void rasterise(const std::vector<Trace3D>& traces, const VuePixels& image);

} // namespace graphe
} // namespace vuv
