#include "core/export/SauveDans.h"

#include "core/document/Document.h"
#include "core/document/PixelsCalage.h"
#include "core/export/LectureExport.h"
#include "core/fichiers/EcritureSure.h"
#include "core/projet/Projet.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <utility>

namespace vuv {
namespace {

constexpr const char* fin_ligne = "\r\n";

bool est_reel_a_echanger(int col) { return col >= 3 && col <= 5; }

std::string joint(const std::vector<std::string>& champs, const std::string& sep) {
    std::string l;
    for (std::size_t i = 0; i < champs.size(); ++i) {
        if (i > 0) l += sep;
        l += champs[i];
    }
    return l;
}

// Writes the text as Windows-1252 with its CR LF ends; the text becomes what the file holds.
void ecrit_texte(const std::string& fichier, std::string& texte) {
    std::size_t perdus = 0;
    {
        const std::string octets = utf8_vers_cp1252(texte, &perdus);
        ecrit_fichier_sur(fichier, octets);
        if (perdus > 0) texte = cp1252_vers_utf8(octets);
    }
    if (perdus > 0)
        port().information("Certains caractères ne peuvent pas être enregistrés dans " + fichier +
                           " : ils ont été remplacés par « ? ».");
}

bool meme_extension_que_projet(const std::string& fichier, const std::string& base) {
    const std::string projet = base + ".trl";
    if (fichier.size() != projet.size()) return false;
    for (std::size_t i = 0; i < fichier.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(fichier[i])) != std::tolower(static_cast<unsigned char>(projet[i])))
            return false;
    return true;
}

struct Formate {
    std::string texte;
    bool x_trouve = false;
    long double x_mini = 0, x_maxi = 0;
};

Formate texte_formate(const Document& d, const OptionsExport& o, const std::string& sep, bool virgule) {
    Formate f;
    std::vector<std::string> donnees;

    auto cellules = [&](const Grille& g, int row) {
        std::vector<std::string> champs;
        for (int c = 0; c < 9; ++c) {
            if (!o.colonne(c)) continue;
            champs.push_back(est_reel_a_echanger(c) ? echange_separateur(std::string(g.cell(c, row)), virgule) : std::string(g.cell(c, row)));
        }
        return champs;
    };

    if (o.CheckBox_3calib)
        for (int r = 1; r < d.StringGrid2.row_count(); ++r) donnees.push_back(joint(cellules(d.StringGrid2, r), sep));

    const bool distances = o.CheckBox_dist || o.CheckBox_dist_cumul;
    bool precedent = false;
    std::int32_t L_prec = 0;
    long double X_prec = 0, Y_prec = 0, cumul = 0;
    for (int r = 1; r <= d.nb_points; ++r) {
        const std::int32_t L = L_du_point(d, r);
        if (o.CheckBox_juste_les_lignes && d.StringGrid3.cell(3, L) != "x") continue;
        const long double X = X_du_point(d, r);
        const long double Y = distances ? Y_du_point(d, r) : 0;
        long double distance = 0;
        if (precedent && L == L_prec) {
            distance = std::hypot(X - X_prec, Y - Y_prec);
            cumul += distance;
        } else {
            cumul = 0;
        }
        precedent = true;
        L_prec = L;
        X_prec = X;
        Y_prec = Y;
        if (!f.x_trouve) {
            f.x_mini = f.x_maxi = X;
            f.x_trouve = true;
        }
        f.x_mini = std::min(f.x_mini, X);
        f.x_maxi = std::max(f.x_maxi, X);

        std::vector<std::string> champs = cellules(d.StringGrid1, r);
        if (o.CheckBox_dist) champs.push_back(echange_separateur(reel_en_texte_point(distance), virgule));
        if (o.CheckBox_dist_cumul) champs.push_back(echange_separateur(reel_en_texte_point(cumul), virgule));
        donnees.push_back(joint(champs, sep));
    }

    if (o.CheckBox_ligne_1) {
        const std::string perso = remplace_dieses(o.Edit9, sep);
        std::string entete;
        if (!perso.empty()) {
            // The count of data lines really written: the table may hold more points.
            if (o.CheckBox_nb_points) entete = std::to_string(donnees.size());
            entete += sep + perso;
        } else {
            std::vector<std::string> noms;
            for (int c = 0; c < 9; ++c)
                if (o.colonne(c)) noms.emplace_back(d.StringGrid2.cell(c, 0));
            if (o.CheckBox_dist) noms.push_back("distance");
            if (o.CheckBox_dist_cumul) noms.push_back("distance cumulée");
            entete = joint(noms, sep);
        }
        f.texte = entete + fin_ligne;
    }
    for (const auto& l : donnees) {
        f.texte += l;
        f.texte += fin_ligne;
    }
    return f;
}

struct Polyligne {
    std::vector<long double> X, Y;
};

Polyligne points_a_normaliser(const Document& d, const OptionsExport& o, int ligne) {
    Polyligne p;
    for (int r = 1; r <= d.nb_points; ++r) {
        if (o.CheckBox_juste_les_lignes && L_du_point(d, r) != ligne) continue;
        p.X.push_back(X_du_point(d, r));
        p.Y.push_back(Y_du_point(d, r));
    }
    return p;
}

// Y at Xk: j is the first point whose X is not below Xk.
long double Y_en(const Polyligne& p, const std::vector<long double>& max_prefixe, long double Xk, bool proche) {
    const auto j = static_cast<std::size_t>(std::lower_bound(max_prefixe.begin(), max_prefixe.end(), Xk) -
                                            max_prefixe.begin());
    if (j == p.X.size()) return p.Y.back();
    if (j == 0) return p.Y[0];
    const long double X0 = p.X[j - 1], X1 = p.X[j], Y0 = p.Y[j - 1], Y1 = p.Y[j];
    if (proche) return (X1 - Xk > Xk - X0) ? Y0 : Y1;
    if (X1 == X0) return Y1;
    return Y1 + (Y1 - Y0) / (X1 - X0) * (Xk - X1);
}

int decimales_normalise(const std::string& texte) {
    const LectureEntier r = lit_entier(texte);
    return (r.erreur == 0 && r.valeur >= 0) ? r.valeur : 8;
}

// The normalized text, or nothing after telling the user why it is refused.
std::optional<std::string> texte_normalise(const Document& d, const OptionsExport& o, const std::string& sep,
                                           bool virgule, int ligne, long double& n) {
    const Polyligne p = points_a_normaliser(d, o, ligne);
    if (p.X.empty()) {
        port().information("La ligne exportée " + texte_Label24(d) +
                           " n'a aucun point : le fichier normalisé n'est pas créé.");
        return std::nullopt;
    }
    const long double pas = val_reel(o.Edit_pas_extraction);
    if (pas == 0) {
        port().information("Le pas dX d'extraction normalisé est nul : le fichier normalisé n'est pas créé.");
        return std::nullopt;
    }
    const long double x_mini = val_reel(o.Edit_x_mini);
    const long double x_maxi = lit_reel_local(o.Edit_x_maxi, "X maxi");
    const long double q = (x_maxi - x_mini) / pas;
    n = std::isfinite(q) ? arrondi_pair_reel(q) + 1 : limite_normalise + 1;
    if (n < 1) {
        port().information("Avec ce pas, X mini et X maxi, le fichier normalisé n'aurait aucune ligne :"
                           " il n'est pas créé.\nLe pas doit aller de X mini vers X maxi.");
        return std::nullopt;
    }
    if (n > limite_normalise) {
        port().information("Le fichier normalisé aurait plus de 10 000 000 lignes : il n'est pas créé.\n"
                           "Augmentez le pas ou réduisez l'intervalle entre X mini et X maxi.");
        return std::nullopt;
    }

    std::vector<long double> max_prefixe(p.X.size());
    long double m = p.X[0];
    for (std::size_t i = 0; i < p.X.size(); ++i) max_prefixe[i] = m = std::max(m, p.X[i]);

    std::string t;
    if (o.CheckBox_ligne_1_bis) {
        std::string entete = remplace_dieses(o.Edit16, sep);
        if (entete.empty()) entete = "x" + sep + nom_premiere_ligne(d);
        t += entete + fin_ligne;
    }
    const int dec = decimales_normalise(o.Edit15);
    const bool proche = o.RadioGroup2 == OptionsExport::le_plus_proche;
    const auto nb = static_cast<long long>(n);
    t.reserve(t.size() + static_cast<std::size_t>(nb) * 24);
    for (long long k = 0; k < nb; ++k) {
        const long double Xk = x_mini + static_cast<long double>(k) * pas;
        long double Yk = Y_en(p, max_prefixe, Xk, proche);
        if (dec == 0) Yk = arrondi_pair_reel(Yk);
        t += echange_separateur(reel_en_texte_point(Xk), virgule);
        t += sep;
        t += echange_separateur(fixe_local(Yk, dec), virgule);
        t += fin_ligne;
    }
    return t;
}

} // namespace

std::string remplace_dieses(std::string_view texte, const std::string& separateur) {
    const std::string t = enleve_blancs(texte);
    std::string r;
    for (char c : t) {
        if (c == '#')
            r = enleve_blancs(r) + separateur;
        else
            r.push_back(c);
    }
    return r;
}

std::string echange_separateur(std::string texte, bool virgule) {
    const auto p = texte.find(virgule ? '.' : ',');
    if (p != std::string::npos) texte[p] = virgule ? ',' : '.';
    return texte;
}

ResultatSauve sauve_dans(Document& d, OptionsExport& o, const std::string& chemin, bool avec_fond) {
    ResultatSauve r;
    const std::string base = chemin_base(chemin);
    corrige_pixels_calage(d);
    if (o.CheckBox_trl) r.fichier_projet = ecrit_projet(d, chemin, avec_fond);

    // Whatever was written is saved; a run that wrote nothing leaves the flag alone.
    auto arret = [&] {
        if (!r.fichier_projet.empty() || !r.fichier_donnees.empty()) d.sauve = true;
        return r;
    };
    auto refuse_nom = [&](const std::string& fichier) {
        if (!meme_extension_que_projet(fichier, base)) return false;
        port().information("Le fichier n°2 <" + nom_de_fichier(fichier) +
                           "> remplacerait le fichier de projet : choisissez une autre extension que .trl");
        return true;
    };

    const std::string sep = separateur_donnees(o);
    const bool virgule = o.RadioGroup_sep_decimal == OptionsExport::sep_virgule;
    o.Label24 = texte_Label24(d);
    std::string texte2;
    std::string fichier2 = base + ".txt";

    if (o.CheckBox_fic) {
        std::string ext = extension_choisie(o);
        if (ext.empty() || ext[0] != '.') ext.insert(0, ".");
        fichier2 = base + ext;
        if (refuse_nom(fichier2)) return arret();
        Formate f = texte_formate(d, o, sep, virgule);
        texte2 = std::move(f.texte);
        ecrit_texte(fichier2, texte2);
        r.fichier_donnees = fichier2;
        if (f.x_trouve) {
            o.Edit12 = reel_en_texte_point(f.x_mini);
            o.Edit13 = reel_en_texte_point(f.x_maxi);
        }
    }

    if (o.CheckBox_pas_norme) {
        const int ligne = nb_croix_stringgrid3(d);
        if (ligne < 0) {
            port().information(" il faut sélectionner une ligne à afficher => colonne[OK] = (x) ");
            return arret();
        }
        std::string ext = extension_choisie(o);
        if (ext.find('.') == std::string::npos)
            ext = ".txt";
        else if (ext[0] != '.')
            ext.insert(0, ".");
        fichier2 = base + ext;
        if (refuse_nom(fichier2)) return arret();
        auto t = texte_normalise(d, o, sep, virgule, ligne, r.nb_normalise);
        if (!t) return arret();
        texte2 = std::move(*t);
        ecrit_texte(fichier2, texte2);
        r.fichier_donnees = fichier2;
    }

    std::string m;
    if (o.CheckBox_trl) m += "<" + nom_de_fichier(r.fichier_projet) + ">  fichier Vuviviva" + "\n\n\n";
    m += "<" + nom_de_fichier(fichier2) + ">  ";
    if (o.CheckBox_fic) m += "fichier de données, ";
    if (o.CheckBox_pas_norme)
        m += "fichier d'extrapolation de " + texte_compte(r.nb_normalise) + " points  de la ligne " + o.Label24 + "   ";
    m += "\n\n créé dans le répertoire => " + dossier_de(fichier2) + "\n\n" +
         "                     et copié dans le presse-papier  ";
    port().information(m);

    if (o.CheckBox_blocnote && !r.fichier_projet.empty()) r.a_ouvrir.push_back(r.fichier_projet);
    if (!r.fichier_donnees.empty()) {
        r.a_ouvrir.push_back(r.fichier_donnees);
        port().presse_papier_ecrit(texte2);
    }
    r.termine = true;
    return arret();
}

ResultatSauve copie_presse_papier(Document& d, OptionsExport& o, bool avec_fond, const std::string& chemin) {
    // Restored on every path: copying to the clipboard saves nothing the user keeps.
    struct Garde {
        bool& drapeau;
        bool avant;
        ~Garde() { drapeau = avant; }
    } garde{d.sauve, d.sauve};

    ResultatSauve r = sauve_dans(d, o, chemin, avec_fond);
    // File n°2 itself: with ".bln" or ".xls" chosen, "~tmp.txt" would be an old file or none.
    if (r.fichier_donnees.empty()) return r;
    port().presse_papier_ecrit(cp1252_vers_utf8(lit_fichier(r.fichier_donnees)));
    port().information(" Presse papier... OK   ");
    return r;
}

} // namespace vuv
