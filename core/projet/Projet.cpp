#include "core/projet/Projet.h"

#include "core/calage/FichierCalage.h"

#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/projet/LecteurTexte.h"
#include "core/projet/PaireProjet.h"
#include "core/projet/ListeVirgules.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>
#include <optional>
#include <unistd.h>

namespace vuv {
namespace {

constexpr const char* marqueur = "/VUVIVIVA";
// Missing rows at the end read as empty, up to this many: more means a damaged count, which
// would build millions of empty rows.
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
    // Rows past the counts are not written: cutting them leaves the work as saved as it was.
    const bool sauve = d.sauve;
    d.StringGrid1.set_row_count(d.nb_points + 1);
    d.StringGrid3.set_row_count(std::max(d.num_ligne + 1, 2));
    d.StringGrid2.set_row_count(std::max(d.nb_calage + 1, 4));
    d.sauve = sauve;
    return texte_projet_tel_quel(d, avec_fond);
}

std::string texte_projet_tel_quel(const Document& d, bool avec_fond) {
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

std::string chemin_systeme(const std::string& projet) { return chemin_base(projet) + ".prj"; }

std::string ecrit_projet(Document& d, const std::string& chemin, bool avec_fond) {
    const std::string fichier = chemin_base(chemin) + ".trl";
    std::size_t perdus = 0;
    const std::string octets = utf8_vers_cp1252(texte_projet(d, avec_fond), &perdus);
    // The project's system goes beside it: both are complete before either replaces a file, so
    // a failed save leaves the pair as it was. A save without a system takes away an older one.
    acheve_paire_interrompue(fichier);
    EcritureSure trl(fichier);
    trl.ecrit(octets);
    const std::string prj = chemin_systeme(fichier);
    std::optional<EcritureSure> systeme;
    if (!d.systeme_wkt.empty()) systeme.emplace(prj).ecrit(d.systeme_wkt);
    // The control points beyond the three rows likewise; a side file that could not be read
    // when the project was opened is left as it is.
    const std::string cal = chemin_calage(fichier);
    std::optional<EcritureSure> points;
    if (d.controle.a_garder()) points.emplace(cal).ecrit(utf8_vers_cp1252(texte_calage(d.controle)));
    // Renamed last: a save cut between the renames leaves a pair that opening can tell apart.
    EcritureSure paire(chemin_paire(fichier));
    paire.ecrit(texte_paire(octets, d.systeme_wkt.empty() ? nullptr : &d.systeme_wkt));
    if (!trl.acheve()) throw ErreurFichier(trl.message());
    if (systeme && !systeme->acheve()) throw ErreurFichier(systeme->message());
    if (points && !points->acheve()) throw ErreurFichier(points->message());
    // On disk before the new project replaces the old: a save cut after that finds it.
    if (!paire.acheve()) throw ErreurFichier(paire.message());
    if (!trl.valide()) throw ErreurFichier(trl.message());
    if (systeme && !systeme->valide()) throw ErreurFichier(systeme->message());
    if (points && !points->valide()) throw ErreurFichier(points->message());
    if (!systeme) ::unlink(prj.c_str());
    if (!points && !d.controle.fichier_refuse) ::unlink(cal.c_str());
    // The pair is saved; a record that could not follow is only older, and opening then
    // reads the pair as a project without one.
    if (!paire.valide()) ::unlink(chemin_paire(fichier).c_str());
    if (perdus > 0)
        port().information("Certains caractères ne peuvent pas être enregistrés dans " + fichier +
                           " : ils ont été remplacés par « ? ».");
    return fichier;
}

std::string extrait_lisible(std::string_view octets, std::size_t max) {
    const bool coupe = octets.size() > max;
    std::string brut(octets.substr(0, max));
    for (char& c : brut) {
        const auto u = static_cast<unsigned char>(c);
        // Controls, DEL and the Windows-1252 bytes between 0x80 and 0x9F hold nothing readable.
        if (u < 32 || (u >= 127 && u < 0xA0)) c = '?';
    }
    return cp1252_vers_utf8(brut) + (coupe ? "…" : "");
}

ResultatLecture lit_projet(Document& d, const std::string& chemin, ActionsLecture& actions) {
    std::string octets;
    try {
        octets = lit_fichier(chemin);
    } catch (const ErreurFichier& e) {
        port().information(e.what());
        return ResultatLecture::refuse;
    }
    return lit_projet_octets(d, octets, actions, chemin);
}

namespace {

struct Compte {
    const char* nom;
    int ligne;
    const char* unite;
};
constexpr Compte noms_comptes[3] = {{"nombre de points", 6, "points"},
                                    {"nombre de lignes", 8, "lignes"},
                                    {"nombre de points de calage", 10, "points de calage"}};

// Reads and checks the three counts; the message tells which one is wrong and how.
bool lit_comptes(LecteurTexte& f, DebutProjet& c, const RefusProjet& refuse, int calage_max) {
    for (int i = 0; i < 3; ++i) {
        const Compte& k = noms_comptes[i];
        const std::string ou = std::string("Le ") + k.nom + " (ligne " + std::to_string(k.ligne) + ")";
        f.fin_ligne();
        const std::size_t avant = f.position();
        int& n = c.comptes[i];
        const int erreur = f.entier(n);
        std::string quoi;
        if (erreur == 100) {
            quoi = "Le fichier s'arrête avant le " + std::string(k.nom) + " (ligne " + std::to_string(k.ligne) + ").";
        } else if (erreur) {
            std::string_view mot = f.octets().substr(avant, f.position() - avant);
            while (!mot.empty() && static_cast<unsigned char>(mot.front()) <= 32) mot.remove_prefix(1);
            quoi = ou + " n'est pas un nombre entier : <" + extrait_lisible(mot) + ">.";
        } else if (n < 0) {
            quoi = ou + " est négatif : " + std::to_string(n) + ".";
        } else if (i == 2 && n > calage_max) {
            refuse("n_calc=" + std::to_string(n) + "\n" + "Problème de lecture\n" + ou + " vaut " +
                   std::to_string(n) + " ; il va de 0 à " + std::to_string(calage_max) + ".");
            return false;
        } else if (n > marge_rangs_manquants) {
            // A count far beyond the rows left comes from a damaged file.
            const long long restantes = f.lignes_restantes();
            if (n > restantes + marge_rangs_manquants) {
                f.fin_ligne();
                const std::string_view reste = f.octets().substr(f.position());
                const std::size_t apres = compte_lf(reste) + (!reste.empty() && reste.back() != '\n');
                quoi = ou + " annonce " + std::to_string(n) + " " + k.unite + ", mais le fichier n'a que " +
                       std::to_string(apres) + " lignes après elle.";
            }
        }
        if (!quoi.empty()) {
            refuse(quoi + "\nerreur =" + std::to_string(erreur ? erreur : 106));
            return false;
        }
        f.fin_ligne();
    }
    return true;
}

// The header and the calibration rows. Their image coordinates are read as val_entier reads
// them, here and now: read later, a bad one would ask the save-and-stop question over a
// half-read project.
void lit_calage(LecteurTexte& f, DebutProjet& c, bool xy_entiers) {
    LecteurListes listes;
    c.entete = std::string(f.ligne());
    lit_liste_virgules(c.calage, 0, c.entete);
    const int n = c.comptes[2];
    for (int k = 1; k <= n; ++k) {
        if (k <= 3) listes.lit(c.calage, k, f.ligne());
        else f.fin_ligne();
    }
    if (!xy_entiers) return;
    for (int k = 1; k <= std::min(n, 3); ++k) {
        for (const char* nom : {"x", "y"}) {
            const int col = indice_col_grille(c.calage, nom);
            const std::string_view t = c.calage.cell(col, k);
            const LectureEntier v = lit_entier(t);
            if (v.erreur == 0) continue;
            c.pixels_corriges += "\nLe point de calage " + std::to_string(k) + " (ligne " + std::to_string(11 + k) +
                                 ") : son " + nom + " <" + extrait_lisible(utf8_vers_cp1252(t)) +
                                 "> n'est pas un nombre entier ; il est lu comme " + std::to_string(v.valeur) + ".";
            c.calage.set_cell(col, k, _format(4, 0, v.valeur));
        }
    }
}

} // namespace

DebutProjet::DebutProjet(const Document& d) : calage(d.StringGrid2.col_count(), 4) {}

// Every refusal names the file and says the work was kept.
void RefusProjet::operator()(const std::string& quoi) const {
    std::string m;
    if (!fichier.empty()) m = "Le projet " + fichier + " " + echec + " :\n\n";
    m += quoi;
    m += "\n\nLe travail en cours est conservé tel quel.";
    port().information(m);
}

bool lit_debut_projet(LecteurTexte& f, DebutProjet& c, const RefusProjet& refuse, int calage_max, bool xy_entiers) {
    if (!lit_comptes(f, c, refuse, calage_max)) return false;
    lit_calage(f, c, xy_entiers);
    return true;
}

namespace {

struct Contenu : DebutProjet {
    using DebutProjet::DebutProjet;
    std::string image;
    TailleFond taille;
};

// The points and the lines, as the counts say, straight into the tables.
void lit_points_et_lignes(LecteurTexte& f, Document& d) {
    LecteurListes listes;
    Grille& points = d.StringGrid1;
    {
        Grille::Lot lot(points);
        points.set_row_count(1);
        points.reserve_lignes(d.nb_points + 1);
        f.va_a(listes.ajoute_lignes(points, f.octets(), f.position(), d.nb_points));
    }
    points.set_row(d.nb_points);
    d.vue().montre_table_points();
    if (d.num_ligne <= 0) return;
    Grille& lignes = d.StringGrid3;
    const Grille::Lot lot(lignes);
    lignes.set_row_count(d.num_ligne + 1);
    for (int r = 1; r <= d.num_ligne; ++r) {
        listes.lit(lignes, r, f.ligne());
        // Numbered by position and all shown, whatever was saved.
        lignes.set_cell(0, r, _format(2, 0, r));
        lignes.set_cell(3, r, "x");
    }
    lignes.set_row(d.num_ligne);
}

void applique_calage(Document& d, const Contenu& c) {
    const int nb_calage = c.comptes[2];
    d.nb_calage = nb_calage;
    // Another project's control points do not follow; its own side file is read after.
    d.controle = {};
    Grille& cal = d.StringGrid2;
    if (cal.row_count() < 4) cal.set_row_count(4);
    lit_liste_virgules(cal, 0, c.entete);
    for (int k = 1; k <= nb_calage; ++k)
        for (int col = 0; col < cal.col_count(); ++col) cal.assigne_cell(col, k, c.calage.cell(col, k));
    d.releve_calage(nb_calage);
    // Rows not placed yet keep the default frame, ready for the calibration clicks.
    for (int k = nb_calage + 1; k <= 3; ++k) remet_calage_par_defaut(d, k);
}

} // namespace

ResultatLecture lit_projet_octets(Document& d, std::string_view octets, ActionsLecture& actions,
                                  const std::string& fichier) {
    LecteurTexte f(octets);
    const RefusProjet refuse{fichier, "n'a pas été ouvert"};

    std::string_view ligne1 = f.octets().substr(0, std::min(octets.find_first_of("\r\n"), octets.size()));
    f.fin_ligne();
    if (ligne1 != marqueur) {
        refuse(" Le fichier n'est pas compatible \n le mot clé en première ligne est manquant\n "
               "/VUVIVIVA introuvable : mess= <" +
               extrait_lisible(ligne1) + ">");
        return ResultatLecture::refuse;
    }

    Contenu c(d);
    c.image = std::string(f.ligne());
    if (!d.fichier_image.empty() && nom_de_fichier(d.fichier_image) != nom_de_fichier(c.image)) {
        const bool ok = port().ok_annuler(
            " L'image relative à ce fichier est différente de l'image actuelle\n\nimage actuelle =<" +
            nom_de_fichier(d.fichier_image) + ">" + "\n" + "image fichier  =<" + nom_de_fichier(c.image) + ">" +
            "\n" + " Pour traiter néanmoins cette nouvelle image et sa digitalisation ");
        if (!ok) return ResultatLecture::annule;
    }

    f.fin_ligne();
    int taille[4] = {};
    for (int& v : taille) {
        if (const int erreur = f.entier(v)) {
            refuse("Ancien format : erreur =" + std::to_string(erreur) + "\n" +
                   "Les données dx0/dy0 sont manquantes\n" +
                   "éventuellement recharger juste l'image, et recopier la ligne qui suit celle contenant\n" +
                   " /taille image LxH   dx0/dy0\n" + "dans les fichiers *.trl");
            return ResultatLecture::interrompu;
        }
    }
    f.fin_ligne();
    c.taille = {taille[0], taille[1], taille[2], taille[3]};

    if (!lit_debut_projet(f, c, refuse, 3, true)) return ResultatLecture::interrompu;

    if (!actions.prepare_fond(c.image, c.taille)) return ResultatLecture::interrompu;

    // All is sound: the work is replaced from here on.
    actions.dispose_carte_tableau();
    d.fichier_image = c.image;
    d.largeur_fond = c.taille.largeur;
    d.hauteur_fond = c.taille.hauteur;
    d.dx0 = c.taille.dx0;
    d.dy0 = c.taille.dy0;
    actions.installe_fond(d);

    d.nb_points = c.comptes[0];
    d.num_ligne = c.comptes[1];
    applique_calage(d, c);
    lit_liste_virgules(d.StringGrid1, 0, c.entete);
    if (d.nb_points > 0) lit_points_et_lignes(f, d);
    actions.fin_lecture(d);
    // The work is the file's, unless a pixel had to be read otherwise than it is written.
    d.sauve = c.pixels_corriges.empty();
    if (!d.sauve)
        port().information("Le projet " + (fichier.empty() ? std::string() : fichier + " ") + "est ouvert, mais des pixels de calage n'y sont pas des nombres " +
                           "entiers :\n" + c.pixels_corriges +
                           "\n\nEnregistrez le projet pour y écrire ces valeurs.");
    return ResultatLecture::lu;
}

} // namespace vuv
