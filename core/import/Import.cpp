#include "core/import/Import.h"

#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/projet/LecteurTexte.h"
#include "core/projet/ListeVirgules.h"
#include "core/projet/Projet.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace vuv {
namespace {

constexpr int derniere_ligne = 99; // the "L" cells hold two digits

// Calls f on each line of the text, without its CR.
template <typename F>
void pour_chaque_ligne(std::string_view t, F&& f) {
    std::size_t p = 0;
    while (p < t.size()) {
        std::size_t fin = t.find('\n', p);
        if (fin == std::string_view::npos) fin = t.size();
        std::string_view l = t.substr(p, fin - p);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        f(l);
        p = fin + 1;
    }
}

// The marker and the image line of a project file being imported. False: refused or declined.
ResultatImport debut_import(Document& d, LecteurTexte& f, const char* quoi) {
    const std::string_view ligne1 = f.ligne();
    if (ligne1 != "/VUVIVIVA") {
        port().information(" Le fichier n'est pas compatible ");
        return ResultatImport::refuse;
    }
    const std::string image = nom_de_fichier(std::string(f.ligne()));
    if (image != nom_de_fichier(d.fichier_image)) {
        const bool oui = port().oui_non(" L'image de fond <" + image + "> est différente de l'image actuelle <" +
                                        d.fichier_image + "> \n\n" + " Importer malgré tout les " + quoi + " ?");
        if (!oui) return ResultatImport::annule;
    }
    f.fin_ligne(); // "/taille image LxH dx0/dy0"
    f.fin_ligne(); // the size, which belongs to the other image
    return ResultatImport::fait;
}

// The next line number of the work, read without any question.
int ligne_suivante(const Document& d) {
    if (d.nb_points < 1) return d.num_ligne;
    return lit_entier(d.StringGrid1.cell(d.indice_col("L"), d.nb_points)).valeur + 1;
}

bool lit_rangs(LecteurTexte& f, Grille& g, int n, const RefusProjet& refuse, const char* quoi) {
    LecteurListes listes;
    for (int r = 1; r <= n; ++r) {
        if (f.position() >= f.octets().size()) {
            refuse("Le fichier s'arrête avant " + std::string(quoi) + " " + std::to_string(r) + " sur " +
                   std::to_string(n) + ".");
            return false;
        }
        listes.lit(g, r, f.ligne());
    }
    return true;
}

std::string lisible(std::string_view t) { return extrait_lisible(utf8_vers_cp1252(t)); }

// extrait_champ_reel, telling a field that is not a number.
std::optional<long double> champ_nombre(std::string_view ligne, int k, char sep) {
    const long double v = extrait_champ_reel(ligne, k, sep, std::numeric_limits<long double>::quiet_NaN());
    if (std::isnan(v)) return std::nullopt;
    return v;
}

// Pixels whose 4-digit text reads back as an integer: a wider one is written in scientific form.
bool pixel_ecrivable(int v) { return v >= -99999 && v <= 9999; }

} // namespace

std::string calage_inutilisable(const Document& d) {
    const std::string suite = "\n\nLes points ne peuvent pas être placés sur l'image : rien n'a été rajouté.";
    if (d.nb_calage < 3)
        return "La calibration est incomplète (" + std::to_string(std::max(d.nb_calage, 0)) +
               " point(s) sur 3)." + suite;
    const auto& c1 = d.calage[0];
    const auto& c2 = d.calage[1];
    const auto& c3 = d.calage[2];
    const long double g = (c1.Y - c2.Y) * (c3.X - c2.X) - (c1.X - c2.X) * (c3.Y - c2.Y);
    if (g == 0) return "Les coordonnées réelles des 3 points de calibration sont alignées." + suite;
    return {};
}

ResultatImport importe_points_projet(Document& d, std::string_view octets, const std::string& fichier) {
    LecteurTexte f(octets);
    if (const ResultatImport r = debut_import(d, f, "points X Y"); r != ResultatImport::fait) return r;
    const RefusProjet refuse{fichier, "n'a pas été importé"};
    DebutProjet c(d);
    if (!lit_debut_projet(f, c, refuse, INT_MAX, false)) return ResultatImport::refuse;

    const int P = c.comptes[0], Q = c.comptes[1];
    Grille points(d.StringGrid1.col_count(), P + 1);
    Grille lignes(d.StringGrid3.col_count(), Q + 1);
    if (!lit_rangs(f, points, P, refuse, "le point") || !lit_rangs(f, lignes, Q, refuse, "la ligne"))
        return ResultatImport::refuse;

    // The recomputation that ends the import reads every pixel: a bad one would ask the
    // save-and-stop question once per point, over work already changed.
    for (const char* nom : {"x", "y"}) {
        const int col = d.indice_col(nom);
        for (int i = 1; i <= P; ++i) {
            const std::string_view t = points.cell(col, i);
            if (lit_entier(t).erreur == 0) continue;
            refuse("Le point " + std::to_string(i) + " (ligne " + std::to_string(11 + c.comptes[2] + i) + ") : son " +
                   nom + " n'est pas un nombre entier : <" + extrait_lisible(utf8_vers_cp1252(t)) + ">.");
            return ResultatImport::refuse;
        }
    }

    const int N = d.nb_points, M = d.num_ligne;
    if (M + Q > derniere_ligne) {
        refuse("Ses " + std::to_string(Q) + " lignes suivraient la ligne " + std::to_string(M) +
               " : les lignes vont jusqu'à " + std::to_string(derniere_ligne) + ".");
        return ResultatImport::refuse;
    }
    const int cn = d.indice_col("n"), cL = d.indice_col("L"), clib = d.indice_col("Libellé");
    std::vector<int> L(static_cast<std::size_t>(P) + 1);
    bool demande = false;
    for (int i = 1; i <= P; ++i) {
        const std::string_view t = points.cell(cL, i);
        const LectureEntier l = lit_entier(t);
        int v = l.valeur;
        // The save-and-stop question once per import, not once per bad cell.
        if (l.erreur != 0 && !demande) {
            demande = true;
            v = val_entier(t);
        }
        L[static_cast<std::size_t>(i)] = v + M;
        if (v < 0 || v + M > derniere_ligne) {
            refuse("Le point " + std::to_string(i) + " serait sur la ligne " + std::to_string(v + M) +
                   " : les lignes vont de 0 à " + std::to_string(derniere_ligne) + ".");
            return ResultatImport::refuse;
        }
    }

    {
        Grille& g = d.StringGrid1;
        const Grille::Lot lot(g);
        g.set_row_count(N + P + 1);
        std::vector<std::string_view> cellules(static_cast<std::size_t>(g.col_count()));
        for (int i = 1; i <= P; ++i) {
            for (int col = 0; col < g.col_count(); ++col) cellules[static_cast<std::size_t>(col)] = points.cell(col, i);
            const std::string n = _format(3, 0, N + i), l = _format(2, 0, L[static_cast<std::size_t>(i)]);
            const auto pose = [&](int col, std::string_view t) {
                if (col >= 0 && col < g.col_count()) cellules[static_cast<std::size_t>(col)] = t;
            };
            pose(cn, n);
            pose(clib, "b");
            pose(cL, l);
            g.affecte_ligne(N + i, cellules.data(), g.col_count());
        }
        if (N + P > 0) g.set_fixed_rows(1);
    }
    d.nb_points = N + P;
    {
        Grille& g = d.StringGrid3;
        const Grille::Lot lot(g);
        g.set_row_count(M + Q + 1);
        for (int i = 1; i <= Q; ++i) {
            for (int col = 0; col < g.col_count(); ++col) g.assigne_cell(col, M + i, lignes.cell(col, i));
            g.set_cell(0, M + i, _format(2, 0, M + i));
        }
    }
    d.num_ligne = M + Q;
    d.sauve = false;
    d.calcul_nouveaux_calage();
    return ResultatImport::fait;
}

ResultatImport importe_calage_projet(Document& d, std::string_view octets, const std::string& fichier) {
    LecteurTexte f(octets);
    if (const ResultatImport r = debut_import(d, f, "points de calibration"); r != ResultatImport::fait) return r;
    DebutProjet c(d);
    // Only X, Y, Z are taken: the image coordinates of another image may be anything.
    if (!lit_debut_projet(f, c, RefusProjet{fichier, "n'a pas été importé"}, INT_MAX, false))
        return ResultatImport::refuse;

    Grille& g = d.StringGrid2;
    if (g.row_count() < 4) g.set_row_count(4);
    const int cols[3] = {d.indice_col_cal("X"), d.indice_col_cal("Y"), d.indice_col_cal("Z")};
    for (int k = 1; k <= std::min(c.comptes[2], 3); ++k) {
        for (int col : cols)
            if (col >= 0) g.set_cell(col, k, c.calage.cell(col, k));
        EnregistrementCalage& e = d.calage[static_cast<std::size_t>(k - 1)];
        e.X = val_reel(g.cell(cols[0], k));
        e.Y = val_reel(g.cell(cols[1], k));
        e.Z = val_reel(g.cell(cols[2], k));
        e.valide = true;
    }
    d.sauve = false;
    d.calcul_nouveaux_calage();
    return ResultatImport::fait;
}

ResultatImport importe_calage_texte(Document& d, std::string_view texte) {
    const int cols[3] = {d.indice_col_cal("X"), d.indice_col_cal("Y"), d.indice_col_cal("Z")};
    const char sep_decimal = separateur_decimal();
    // Every field is checked before a cell changes: the recomputation reads them with val_r,
    // which makes a number of anything ("," gives 0, "1E3" gives 13).
    std::vector<std::pair<int, std::string>> valeurs[3];
    std::string refus;
    char sep = ' ';
    int row = 0;
    pour_chaque_ligne(texte, [&](std::string_view l) {
        if (++row > 3 || !refus.empty()) return;
        if (l.find('\t') != std::string_view::npos) sep = '\t';
        for (int k = 0; k < 3; ++k) {
            const std::string champ = extrait_champ(l, k + 1, sep);
            if (champ.empty()) continue; // a short line keeps the rest of its row
            std::string v = filtre_nombre(champ);
            if (!nombres::lit(v, sep_decimal, false, false)) {
                refus = "La ligne " + std::to_string(row) + " du presse-papier <" + lisible(l) + "> : son champ " +
                        std::to_string(k + 1) + " <" + lisible(champ) + "> n'est pas un nombre.";
                return;
            }
            valeurs[k].emplace_back(row, std::move(v));
        }
    });
    if (!refus.empty()) {
        port().information(refus + "\n\nLes valeurs de calibration n'ont pas été remplacées.");
        return ResultatImport::refuse;
    }
    Grille& g = d.StringGrid2;
    if (g.row_count() < 4) g.set_row_count(4);
    for (int k = 0; k < 3; ++k)
        for (auto& [r, v] : valeurs[k])
            if (cols[k] >= 0) g.set_cell(cols[k], r, std::move(v));
    d.sauve = false;
    d.calcul_nouveaux_calage();
    return ResultatImport::fait;
}

namespace {

// Points by real coordinates: refused before any change when the calibration cannot place
// them or they would start line 100; each is placed, kept when its pixels can be written.
class Placement {
public:
    explicit Placement(Document& d) : d_(d) {
        if (const std::string m = calage_inutilisable(d); !m.empty()) {
            port().information(m);
            return;
        }
        if (const int L = ligne_suivante(d); L > derniere_ligne) {
            port().information("Les points rajoutés seraient sur la ligne " + std::to_string(L) +
                               " : les lignes vont jusqu'à " + std::to_string(derniere_ligne) +
                               ".\n\nRien n'a été rajouté.");
            return;
        }
        possible_ = true;
    }
    bool possible() const { return possible_; }

    // A line with neither X nor Y: prose, or a header, which would be placed at 0 0.
    void sans_nombre(int ligne, std::string_view texte) {
        if (b_.sans_nombres++ == 0) premiere_sans_nombre_ = "ligne " + std::to_string(ligne) + " : <" + lisible(texte) + ">";
    }

    void ajoute(PointPlace p) {
        p.x = p.y = INT_MIN;
        d_.repere_image(p.X, p.Y, p.x, p.y);
        if (!pixel_ecrivable(p.x) || !pixel_ecrivable(p.y)) {
            ++b_.hors_image;
            return;
        }
        points_.push_back(std::move(p));
    }

    BilanTexte termine() {
        if (!possible_) return b_;
        if (!points_.empty()) {
            nouvelle_suite_de_points(d_);
            Grille& g = d_.StringGrid1;
            {
                const Grille::Lot lot(g);
                g.set_row_count(d_.nb_points + static_cast<int>(points_.size()) + 1);
                d_.affecte_points(d_.nb_points + 1, d_.num_ligne, points_.data(), points_.size());
                d_.nb_points += static_cast<int>(points_.size());
                g.set_fixed_rows(1);
            }
            b_.ajoutes = static_cast<int>(points_.size());
            d_.sauve = false;
            d_.calcul_nouveaux_calage();
        }
        std::string m;
        if (b_.sans_nombres > 0)
            m = std::to_string(b_.sans_nombres) + " ligne(s) ne contiennent pas de nombres X Y (" + premiere_sans_nombre_ +
                ") : elles n'ont pas été rajoutées.";
        if (b_.hors_image > 0)
            m += (m.empty() ? "" : "\n") + std::to_string(b_.hors_image) +
                 " point(s) tombent hors de l'image (pixel au-delà de 9999) : ils n'ont pas été rajoutés.";
        if (!m.empty()) port().information(m);
        b_.resultat = ResultatImport::fait;
        return b_;
    }

private:
    Document& d_;
    bool possible_ = false;
    std::vector<PointPlace> points_;
    BilanTexte b_;
    std::string premiere_sans_nombre_;
};

} // namespace

BilanTexte importe_points_texte(Document& d, std::string_view texte) {
    Placement placement(d);
    if (!placement.possible()) return placement.termine();
    char sep = ' ';
    int ligne = 0;
    pour_chaque_ligne(texte, [&](std::string_view l) {
        ++ligne;
        if (l.find('\t') != std::string_view::npos) sep = '\t';
        if (l.empty() || l.front() == '\'' || l.find_first_not_of(' ') == std::string_view::npos) return;
        const auto X = champ_nombre(l, 1, sep), Y = champ_nombre(l, 2, sep);
        if (!X && !Y) return placement.sans_nombre(ligne, l);
        placement.ajoute({X.value_or(0), Y.value_or(0), valeur_absente(), extrait_champ(l, 3, sep), 0, 0});
    });
    return placement.termine();
}

std::string colonnes_invalides(const ColonnesTableur& c) {
    const std::pair<const char*, int> colonnes[] = {{"Libellé", c.libelle}, {"X", c.X}, {"Y", c.Y}};
    for (const auto& [nom, v] : colonnes)
        if (v < 1 || v > 256) return "La colonne " + std::string(nom) + " vaut " + std::to_string(v) + " : elle va de 1 à 256.";
    if (c.Z < 0 || c.Z > 256) return "La colonne Z vaut " + std::to_string(c.Z) + " : elle va de 0 (sans Z) à 256.";
    if (c.debut < 1) return "La ligne de début vaut " + std::to_string(c.debut) + " : elle commence à 1.";
    return {};
}

BilanTexte importe_points_tableur(Document& d, const Feuille& f, const ColonnesTableur& c) {
    if (const std::string m = colonnes_invalides(c); !m.empty()) {
        port().information(m + "\n\nRien n'a été rajouté.");
        return {};
    }
    Placement placement(d);
    if (!placement.possible()) return placement.termine();
    for (long long r = c.debut; r <= INT_MAX; ++r) {
        const int ligne = static_cast<int>(r);
        const std::string X = f.cellule(c.X, ligne);
        if (X.empty()) break;
        if (!est_reel(X)) continue;
        const std::string Z = c.Z > 0 ? f.cellule(c.Z, ligne) : std::string();
        placement.ajoute({val_reel(X), val_reel(f.cellule(c.Y, ligne)),
                          c.Z > 0 && est_reel(Z) ? val_reel(Z) : valeur_absente(), f.cellule(c.libelle, ligne), 0, 0});
    }
    return placement.termine();
}

} // namespace vuv
