#include "core/mesure/Traverse.h"

#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"

#include <cmath>
#include <numbers>

namespace vuv {
namespace {

constexpr int limite_pixel = 9999;
constexpr int derniere_ligne = 99;

// The column number after a keyword, from the given 1-based character on, ten characters.
int colonne(std::string_view ligne, std::size_t debut) {
    if (ligne.size() < debut) return 0;
    return lit_entier(enleve_blancs(ligne.substr(debut - 1, 10))).valeur;
}

bool commence(std::string_view ligne, std::string_view mot) { return ligne.substr(0, mot.size()) == mot; }

// Three calibration points whose pixels and real positions each span a plane.
bool calage_utilisable(const Document& d) {
    if (d.nb_calage < 3) return false;
    const auto& c = d.calage;
    const long double pixels = static_cast<long double>(c[1].x - c[0].x) * (c[2].y - c[0].y) -
                               static_cast<long double>(c[2].x - c[0].x) * (c[1].y - c[0].y);
    const long double reels = (c[1].X - c[0].X) * (c[2].Y - c[0].Y) - (c[2].X - c[0].X) * (c[1].Y - c[0].Y);
    return pixels != 0 && reels != 0 && std::isfinite(reels);
}

} // namespace

std::vector<PointTraverse> marche_traverse(std::string_view texte, long double X, long double Y,
                                           long double correction) {
    std::vector<PointTraverse> r;
    int col_lib = 1, col_d = 2, col_cap = 3;
    char sep = ' ';
    constexpr long double degre = std::numbers::pi_v<long double> / 180;
    while (!texte.empty()) {
        const std::size_t fin = texte.find('\n');
        std::string_view brute = texte.substr(0, fin);
        texte = fin == std::string_view::npos ? std::string_view() : texte.substr(fin + 1);
        if (!brute.empty() && brute.back() == '\r') brute.remove_suffix(1);
        const std::string ligne = enleve_blancs(brute);
        if (ligne.find('\t') != std::string::npos) sep = '\t';
        // A keyword line only sets its column.
        if (commence(ligne, "D=")) {
            col_d = colonne(ligne, 3);
            continue;
        }
        if (commence(ligne, "Cap=")) {
            col_cap = colonne(ligne, 5);
            continue;
        }
        if (commence(ligne, "Lib=")) {
            col_lib = colonne(ligne, 5);
            continue;
        }
        if (ligne.empty() || ligne.front() == '\'' || ligne.front() == '/') continue;
        const long double b = (extrait_champ_reel(ligne, col_cap, sep, 0) - correction) * degre;
        const long double dist = extrait_champ_reel(ligne, col_d, sep, 0);
        X += dist * std::sin(b);
        Y += dist * std::cos(b);
        r.push_back({extrait_champ(ligne, col_lib, sep), X, Y});
    }
    return r;
}

BilanTraverse ajoute_traverse(Document& d, int depart, std::string_view texte, long double correction) {
    BilanTraverse bilan;
    if (d.nb_points < 1) {
        bilan.refus = "pas de points digitalisés";
        return bilan;
    }
    if (!calage_utilisable(d)) {
        bilan.refus = "la calibration doit comporter 3 points non alignés";
        return bilan;
    }
    const int L_dernier = lit_entier(enleve_blancs(d.StringGrid1.cell(d.indice_col("L"), d.nb_points))).valeur;
    if (L_dernier + 1 > derniere_ligne) {
        bilan.refus = "pas plus de " + std::to_string(derniere_ligne) + " lignes";
        return bilan;
    }
    if (depart < 1 || depart > d.nb_points) depart = d.nb_points;
    const std::optional<PointDeTable> p = point_de_table(d, depart);
    const std::vector<PointTraverse> pts = marche_traverse(texte, p->X, p->Y, correction);

    Document::Operation op(d);
    nouvelle_suite_de_points(d);
    d.StringGrid1.reserve_lignes(d.nb_points + static_cast<int>(pts.size()) + 2);
    {
        Grille::Lot lot(d.StringGrid1);
        ++d.nb_points;
        d.affecte_en(d.nb_points, d.num_ligne, "CD0", valeur_absente(), p->Y, p->X, p->y, p->x);
        bilan.ajoutes = 1;
        for (const PointTraverse& t : pts) {
            // Left beyond the limit when the calibration cannot place it.
            int x = limite_pixel + 1, y = limite_pixel + 1;
            d.repere_image(t.X, t.Y, x, y);
            if (!std::isfinite(t.X) || !std::isfinite(t.Y) || std::abs(x) > limite_pixel ||
                std::abs(y) > limite_pixel) {
                ++bilan.hors_image;
                continue;
            }
            ++d.nb_points;
            d.affecte_en(d.nb_points, d.num_ligne, t.libelle, valeur_absente(), t.Y, t.X, y, x);
            ++bilan.ajoutes;
        }
    }
    d.calcul_nouveaux_calage();
    d.nouvelle_ligne = false;
    d.sauve = false;
    return bilan;
}

} // namespace vuv
