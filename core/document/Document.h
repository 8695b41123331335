#pragma once
// The work: the three tables (points StringGrid1, calibration StringGrid2, lines StringGrid3),
// the counters, the three calibration records and the few values saved with a project.
// Operations keep the names the windows know them by; windows hold a reference and delegate.
#include "core/calage/CalageEtendu.h"
#include "core/document/VueDocument.h"
#include "core/table/Grille.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <string>
#include <vector>

namespace vuv {

// One calibration point as the main window mirrors it from its table row.
struct EnregistrementCalage {
    bool valide = false;
    std::int32_t x = 0; // image x of the point, overlay pixels
    std::int32_t y = 0; // image y, growing downwards
    long double X = 0;  // real coordinates
    long double Y = 0;
    long double Z = 0;
};

// A point row read back by liste_extrait_Lxy.
struct LignePoint {
    std::int32_t L = 0;
    std::string libelle;
    long double Z = 0;
    long double Y = 0;
    long double X = 0;
    std::int32_t y = 0;
    std::int32_t x = 0;
};

// A point brought in from outside, already placed on the image.
struct PointPlace {
    long double X = 0, Y = 0, Z = 0;
    std::string libelle;
    std::int32_t x = 0, y = 0;
};

// How the second calibration click completes the frame (RadioGroup1's index).
enum class MethodeCalage {
    trois_points = 0,           // "3 points ( repère quelconque )"
    hypotenuse = 1,             // "2 points sur une oblique ( hypothénuse )"
    horizontaux_orthonorme = 2, // "2 points horizontaux (=> repère orthonormé )"
};

class Document {
public:
    Document();

    // --- Tables (owned by the points window in the user's eyes) ---
    Grille StringGrid1; // points: "n", "L", "Libellé", "X", "Y", "Z", "x", "y", "z"
    Grille StringGrid2; // calibration: same columns, rows "cal 1" to "cal 3"
    Grille StringGrid3; // lines: "L", "épaisseur", "couleur", "OK", "nom"

    // --- Counters and saved values (the main window's in the user's eyes) ---
    int nb_points = 0;      // rows 1..nb_points of StringGrid1 are points
    int num_ligne = 0;      // current line number L; 1 once an image is loaded
    bool nouvelle_ligne = true;
    int nb_calage = 0;      // calibration points placed, 0..3
    std::array<EnregistrementCalage, 3> calage{};
    std::string fichier_image;
    int dx0 = 0, dy0 = 0;   // offset of the image inside the background bitmap
    int largeur_fond = 0, hauteur_fond = 0; // stored background size
    bool sauve = true;      // false once something changed since the last save
    int ndecimale = 8;      // decimals of X, Y, Z, 0..20
    std::string texte_decimales = "8"; // the decimals box (Edit4) as typed
    // The project's coordinate system as WKT, kept in "<projet>.prj" beside the project; empty
    // when it has none.
    std::string systeme_wkt;
    // Control points beyond the three calibration rows, kept in "<projet>.cal" beside the project.
    CalageEtendu controle;

    // The window side; a silent view until one is attached.
    void attache_vue(VueDocument* v);
    VueDocument& vue() { return *vue_; }

    // One user operation: messages that would repeat per row are shown once inside it.
    class Operation {
    public:
        explicit Operation(Document& d);
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        Document& d_;
    };

    // --- Point table ---
    int indice_col(std::string_view nom) const;
    int indice_col_cal(std::string_view nom) const;
    void affecte_ndecimale();
    void affecte_en(int row, int L, const std::string& libelle, long double Z, long double Y,
                    long double X, int y, int x);
    // affecte_en on rows premier, premier + 1, ..., the columns looked up once.
    void affecte_points(int premier, int L, const PointPlace* points, std::size_t n);
    void affecte_calage(int row, int L, const std::string& libelle, int x, int y, long double Z,
                        long double Y, long double X);
    bool liste_extrait_Lxy(int row, LignePoint& p) const;
    // Deletes the selected row when the points window is active, else the last point.
    void efface_tab_et_point(bool fenetre_points_active);
    void inserer_tab_et_point() {}

    // --- Calibration ---
    void repere_carte(int x, int y, long double& X, long double& Y) const;
    void repere_image(long double X, long double Y, int& x, int& y) const;
    void valide_point_calage(int& count, int x, int y, MethodeCalage methode, bool tablette);
    bool distance_nulle_entre_calage(int row, int x, int y) const;
    void calcul_nouveaux_calage();
    // Records 1 to n read again from the calibration table's cells, all marked placed.
    void releve_calage(int n);
    std::string val_calage() const;
    void stocke_xy(int row, int L, int x, int y);
    void stocke_modif_xy(int row);
    void extrait_xy(int row, int& x, int& y) const;
    void mess_3_calage_svp_et_init(bool tablette);
    // The first three ticked control points become the calibration rows, the chosen method is
    // fitted and every point recomputed; returns the fit's French failure (the points then keep
    // the three-point calibration).
    std::string applique_controle();

private:
    // Column indices found by header text, resolved once per row or once per batch of rows.
    struct Colonnes {
        int n, L, libelle, X, Y, Z, x, y;
    };
    static Colonnes colonnes(const Grille& g);
    void ecrit_point(const Colonnes& c, int row, int L, const std::string& libelle, long double Z,
                     long double Y, long double X, int y, int x);
    bool lit_point(const Colonnes& c, int row, LignePoint& p) const;
    void recalcule_point(const Colonnes& c, int row);
    void construit_troisieme_point(int& count, MethodeCalage methode, bool tablette);
    // The calibration rows as typed go back into the first three ticked control points, refitted.
    void synchronise_controle();

    std::vector<std::string_view> cellules_; // scratch for building one row
    VueDocument* vue_;
    int operation_ = 0;
    bool decimales_signalees_ = false;
};

} // namespace vuv
