#include "core/projet/Projet.h"

#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/projet/LecteurTexte.h"
#include "core/projet/ListeVirgules.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>

namespace vuv {
namespace {

constexpr const char* marqueur = "/VUVIVIVA";
// A count far beyond the rows the file holds comes from a damaged file: reading it would
// build millions of empty rows.
constexpr int marge_rangs_manquants = 1000;

std::size_t debut_nom(const std::string& chemin) {
    const auto p = chemin.find_last_of("/\\");
    return p == std::string::npos ? 0 : p + 1;
}

void remet_calage_par_defaut(Document& d, int row) {
    static const long double X[] = {0, 0, 1}, Y[] = {1, 0, 0};
    d.affecte_calage(row, 0, "cal " + std::to_string(row), 0, 0, 0, Y[row - 1], X[row - 1]);
    d.StringGrid2.set_cell(d.indice_col_cal("x"), row, "");
    d.StringGrid2.set_cell(d.indice_col_cal("y"), row, "");
}

} // namespace

std::string chemin_base(const std::string& chemin) {
    // Only the file name is cut: folders with a point in their name are common here.
    const auto point = chemin.find('.', debut_nom(chemin));
    return point == std::string::npos ? chemin : chemin.substr(0, point);
}

std::string dossier_de(const std::string& chemin) {
    const std::size_t n = debut_nom(chemin);
    if (n == 0) return {};
    if (n == 1) return chemin.substr(0, 1); // the root
    if (n == 3 && chemin[1] == ':') return chemin.substr(0, 3); // a drive root keeps its backslash
    return chemin.substr(0, n - 1);
}

std::string nom_de_fichier(const std::string& chemin) { return chemin.substr(debut_nom(chemin)); }

std::string texte_projet(Document& d, bool avec_fond) {
    // The tables are cut to the counts, so the counts always match the rows that follow.
    // The lines table keeps its first line and the calibration table its three rows: they
    // exist from the start and later clicks write into them.
    d.StringGrid1.set_row_count(d.nb_points + 1);
    d.StringGrid3.set_row_count(std::max(d.num_ligne + 1, 2));
    d.StringGrid2.set_row_count(std::max(d.nb_calage + 1, 4));

    std::string t;
    auto ligne = [&t](const std::string& l) {
        t += l;
        t += "\r\n";
    };
    ligne(marqueur);
    ligne(avec_fond ? d.fichier_image : std::string());
    ligne("/taille image LxH dx0/dy0");
    ligne(std::to_string(d.largeur_fond) + "  " + std::to_string(d.hauteur_fond) + "  " + std::to_string(d.dx0) +
          "  " + std::to_string(d.dy0));
    ligne("/nombre de  points");
    ligne(std::to_string(d.nb_points));
    ligne("/nombre de  lignes");
    ligne(std::to_string(d.num_ligne));
    ligne("/nombre de points de calage  X Y (Z)");
    ligne(std::to_string(d.nb_calage));
    auto rangs = [&t](const Grille& g, int premier, int dernier) {
        for (int r = premier; r <= dernier; ++r) {
            ecrit_liste_virgules(t, g, r);
            t += "\r\n";
        }
    };
    rangs(d.StringGrid2, 0, d.nb_calage);
    // Room for all the points at the length of the first, so the text is not copied as it grows;
    // a first row with a long label says nothing of the others.
    const std::size_t avant = t.size();
    rangs(d.StringGrid1, 1, std::min(d.nb_points, 1));
    const std::size_t par_rang = std::min<std::size_t>(t.size() - avant + 16, 256);
    t.reserve(t.size() + par_rang * static_cast<std::size_t>(std::max(d.nb_points, 0)));
    rangs(d.StringGrid1, 2, d.nb_points);
    rangs(d.StringGrid3, 1, d.num_ligne);
    return t;
}

std::string ecrit_projet(Document& d, const std::string& chemin, bool avec_fond) {
    const std::string fichier = chemin_base(chemin) + ".trl";
    std::size_t perdus = 0;
    const std::string octets = utf8_vers_cp1252(texte_projet(d, avec_fond), &perdus);
    ecrit_fichier_sur(fichier, octets);
    if (perdus > 0)
        port().information("Certains caractères ne peuvent pas être enregistrés dans " + fichier +
                           " : ils ont été remplacés par « ? ».");
    return fichier;
}

ResultatLecture lit_projet(Document& d, const std::string& chemin, ActionsLecture& actions) {
    std::string octets;
    try {
        octets = lit_fichier(chemin);
    } catch (const ErreurFichier& e) {
        port().information(e.what());
        return ResultatLecture::refuse;
    }
    return lit_projet_octets(d, octets, actions);
}

ResultatLecture lit_projet_octets(Document& d, const std::string& octets, ActionsLecture& actions) {
    LecteurTexte f(octets);

    const std::string ligne1(f.ligne());
    if (ligne1 != marqueur) {
        port().information(" Le fichier n'est pas compatible \n le mot clé en première ligne est manquant\n "
                           "/VUVIVIVA introuvable : mess= <" +
                           ligne1 + ">");
        return ResultatLecture::refuse;
    }

    const std::string image(f.ligne());
    if (!d.fichier_image.empty() && nom_de_fichier(d.fichier_image) != nom_de_fichier(image)) {
        const bool ok = port().ok_annuler(
            " L'image relative à ce fichier est différente de l'image actuelle\n\nimage actuelle =<" +
            nom_de_fichier(d.fichier_image) + ">" + "\n" + "image fichier  =<" + nom_de_fichier(image) + ">" + "\n" +
            " Pour traiter néanmoins cette nouvelle image et sa digitalisation ");
        if (!ok) return ResultatLecture::annule;
    }

    actions.dispose_carte_tableau();
    d.fichier_image = image;

    f.fin_ligne();
    int taille[4] = {};
    for (int& v : taille) {
        if (const int erreur = f.entier(v)) {
            port().information("Ancien format : erreur =" + std::to_string(erreur) + "\n" +
                               "Les données dx0/dy0 sont manquantes\n" +
                               "éventuellement recharger juste l'image, et recopier la ligne qui suit celle contenant\n" +
                               " /taille image LxH   dx0/dy0\n" + "dans les fichiers *.trl");
            return ResultatLecture::interrompu;
        }
    }
    f.fin_ligne();
    d.largeur_fond = taille[0];
    d.hauteur_fond = taille[1];
    d.dx0 = taille[2];
    d.dy0 = taille[3];

    if (!actions.charge_fond(d)) return ResultatLecture::interrompu;

    int comptes[3] = {};
    for (int i = 0; i < 3; ++i) {
        f.fin_ligne();
        int erreur = f.entier(comptes[i]);
        if (erreur == 0 && i < 2 && (comptes[i] < 0 ||
                                        (comptes[i] > marge_rangs_manquants &&
                                         comptes[i] > f.lignes_restantes() + marge_rangs_manquants)))
            erreur = 106;
        if (erreur) {
            port().information("erreur =" + std::to_string(erreur));
            return ResultatLecture::interrompu;
        }
        f.fin_ligne();
        if (i == 0) d.nb_points = comptes[0];
        if (i == 1) d.num_ligne = comptes[1];
    }
    const int nb_calage = comptes[2];

    LecteurListes listes;
    const std::string_view entete = f.ligne();
    listes.lit(d.StringGrid2, 0, entete);
    listes.lit(d.StringGrid1, 0, entete);

    if (nb_calage >= 4 || nb_calage < 0) {
        port().information("n_calc=" + std::to_string(nb_calage) + "\n" + "Problème de lecture");
        return ResultatLecture::interrompu;
    }
    d.nb_calage = nb_calage;
    Grille& cal = d.StringGrid2;
    if (cal.row_count() < 4) cal.set_row_count(4);
    const int cx = d.indice_col_cal("x"), cy = d.indice_col_cal("y");
    const int cX = d.indice_col_cal("X"), cY = d.indice_col_cal("Y"), cZ = d.indice_col_cal("Z");
    for (int k = 1; k <= nb_calage; ++k) {
        listes.lit(cal, k, f.ligne());
        EnregistrementCalage& e = d.calage[static_cast<std::size_t>(k - 1)];
        e.x = val_entier(cal.cell(cx, k));
        e.y = val_entier(cal.cell(cy, k));
        e.X = val_reel(cal.cell(cX, k));
        e.Y = val_reel(cal.cell(cY, k));
        e.Z = val_reel(cal.cell(cZ, k));
        e.valide = true;
    }
    // Rows not placed yet keep the default frame, ready for the calibration clicks.
    for (int k = nb_calage + 1; k <= 3; ++k) remet_calage_par_defaut(d, k);

    if (d.nb_points > 0) {
        Grille& points = d.StringGrid1;
        {
            Grille::Lot lot(points);
            points.set_row_count(1);
            points.reserve_lignes(d.nb_points + 1);
            f.va_a(listes.ajoute_lignes(points, f.octets(), f.position(), d.nb_points));
        }
        points.set_row(d.nb_points);
        d.vue().montre_table_points();
        if (d.num_ligne > 0) {
            Grille& lignes = d.StringGrid3;
            lignes.set_row_count(d.num_ligne + 1);
            for (int r = 1; r <= d.num_ligne; ++r) {
                listes.lit(lignes, r, f.ligne());
                lignes.set_cell(0, r, _format(2, 0, r));
                lignes.set_cell(3, r, "x");
            }
            lignes.set_row(d.num_ligne);
        }
    }
    actions.fin_lecture(d);
    return ResultatLecture::lu;
}

} // namespace vuv
