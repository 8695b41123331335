#include "app/commande/LigneCommande.h"

#include "core/document/Document.h"
#include "core/export/LectureExport.h"
#include "core/export/OptionsExport.h"
#include "core/export/SauveDans.h"
#include "core/fichiers/EcritureSure.h"
#include "core/fichiers/RaisonSysteme.h"
#include "core/mesure/Surface.h"
#include "core/projet/Projet.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "core/ui/PortUtilisateur.h"
#include "sig/ExportSig.h"
#include "sig/FichiersProjet.h"
#include "sig/SystemeCoordonnees.h"
#include "sig/SystemeProjet.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <locale>
#include <map>
#include <ostream>
#include <stdexcept>

namespace vuv::commande {
namespace {

namespace fs = std::filesystem;

// What a batch cannot ask: every question is answered No and said on the standard error.
class PortCommande final : public PortUtilisateur {
public:
    explicit PortCommande(std::ostream& erreurs) : erreurs_(erreurs) {}

    void information(const std::string& m) override { dit(m); }
    void erreur(const std::string& m) override { dit(m); }
    bool oui_non(const std::string& m) override {
        dit(m);
        return false;
    }
    bool ok_annuler(const std::string& m) override {
        dit(m);
        return false;
    }
    std::string question(const std::string&, const std::string& m, const std::string&, const std::string&,
                         const std::string&) override {
        dit(m);
        return "E";
    }
    void bip() override {}
    void ton(int, int) override {}
    void presse_papier_ecrit(const std::string&) override {}
    std::string presse_papier_lit() override { return {}; }
    void termine_application() override {}

    // The text writer's last word is its end-of-run box, which speaks of a clipboard and an
    // editor: its messages are kept so the caller can leave that one out.
    void retiens() { retenus_.clear(), retiens_ = true; }
    std::vector<std::string> relache() {
        retiens_ = false;
        return std::move(retenus_);
    }

private:
    void dit(const std::string& m) {
        if (retiens_) retenus_.push_back(m);
        else erreurs_ << m << '\n';
    }
    std::ostream& erreurs_;
    bool retiens_ = false;
    std::vector<std::string> retenus_;
};

class ErreurUtilisateur : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Genre { sans_valeur, avec_valeur };
enum class Portee { texte, sig };
struct OptionConnue {
    const char* nom;
    Genre genre;
    Portee portee;
};
constexpr OptionConnue options_connues[] = {
    {"--surfaces", Genre::sans_valeur, Portee::sig},
    {"--colonnes", Genre::avec_valeur, Portee::texte},
    {"--distance", Genre::sans_valeur, Portee::texte},
    {"--distance-cumulee", Genre::sans_valeur, Portee::texte},
    {"--calage", Genre::sans_valeur, Portee::texte},
    {"--virgule", Genre::sans_valeur, Portee::texte},
    {"--separateur", Genre::avec_valeur, Portee::texte},
    {"--sans-entete", Genre::sans_valeur, Portee::texte},
    {"--entete", Genre::avec_valeur, Portee::texte},
    {"--nb-points", Genre::sans_valeur, Portee::texte},
    {"--extension", Genre::avec_valeur, Portee::texte},
};

struct Demande {
    std::string commande;
    std::vector<std::string> positions;
    std::map<std::string, std::string> options; // name -> value ("" without one)
};

const char* const texte_aide =
    "Vuviviva 3.3 : commandes sans fenêtre\n"
    "\n"
    "  vuviviva --exporte FORMAT SORTIE projet.trl [projet2.trl ...] [options]\n"
    "      Exporte les lignes et les points de chaque projet (l'image n'est pas lue).\n"
    "      FORMAT : gpkg, shp, geojson, kml, dxf, csv, texte ou bln (voir --formats).\n"
    "      SORTIE : pour un projet, le fichier à écrire (ou un dossier existant) ; pour plusieurs\n"
    "      projets, un dossier, créé s'il manque, où chaque export prend le nom de son projet\n"
    "      (coupé avant son premier point) : dossier/carte.gpkg pour carte.trl.\n"
    "  vuviviva --mesure L projet.trl [projet2.trl ...]\n"
    "      Écrit sur la sortie standard les résultats de l'outil Surface pour la ligne L.\n"
    "  vuviviva --formats\n"
    "      Les formats d'export.\n"
    "  vuviviva --aide  (ou -h, --help)\n"
    "      Ce texte.\n"
    "\n"
    "Option des formats SIG :\n"
    "  --surfaces            les lignes fermées aussi en polygones (couche « surfaces »)\n"
    "Options des formats texte et bln (celles du panneau d'export) :\n"
    "  --colonnes LISTE      colonnes parmi n,L,Libelle,X,Y,Z,x,y,z (par défaut X,Y)\n"
    "  --distance            distance inter points\n"
    "  --distance-cumulee    distance cumulée\n"
    "  --calage              avec les 3 points de calibration\n"
    "  --virgule             la virgule comme séparateur décimal (par défaut le point)\n"
    "  --separateur S        tab, virgule (« , ») ou un autre texte (par défaut tab ; bln : virgule)\n"
    "  --sans-entete         sans 1ère ligne d'entête\n"
    "  --entete TEXTE        la 1ère ligne (# remplacé par le séparateur)\n"
    "  --nb-points           l'entête commence par le nombre de points\n"
    "  --extension EXT       texte : l'extension du fichier (par défaut celle de SORTIE, sinon txt)\n"
    "\n"
    "-- termine les options : ce qui suit est un nom, même s'il commence par --.\n"
    "Les messages vont sur la sortie d'erreur. Statut de sortie : 0 réussite, 1 erreur\n"
    "d'utilisation (fichier manquant, option ou valeur refusée, sortie impossible à écrire),\n"
    "2 projet endommagé.\n";

const char* const renvoi_aide = "vuviviva --aide donne les commandes et leurs options.";

std::string liste_formats() {
    std::string t;
    for (const auto& f : sig::formats_sig()) t += std::string(f.nom) + ", ";
    return t + "texte, bln";
}

Demande analyse(const std::vector<std::string>& a) {
    Demande d;
    d.commande = a.at(0);
    bool fin_options = false;
    for (std::size_t i = 1; i < a.size(); ++i) {
        const std::string& x = a[i];
        if (!fin_options && x == "--") {
            fin_options = true;
            continue;
        }
        if (fin_options || x.size() < 3 || x.compare(0, 2, "--") != 0) {
            d.positions.push_back(x);
            continue;
        }
        const auto o = std::find_if(std::begin(options_connues), std::end(options_connues),
                                    [&](const OptionConnue& c) { return x == c.nom; });
        if (o == std::end(options_connues)) throw ErreurUtilisateur("Option inconnue : " + x + "\n" + renvoi_aide);
        std::string valeur;
        if (o->genre == Genre::avec_valeur) {
            if (i + 1 >= a.size()) throw ErreurUtilisateur("L'option " + x + " attend une valeur.");
            valeur = a[++i];
        }
        d.options[x] = valeur;
    }
    return d;
}

Portee portee_de(const std::string& option) {
    for (const auto& c : options_connues)
        if (option == c.nom) return c.portee;
    return Portee::texte;
}

// --- Options of the export panel from the flags ---

constexpr const char* noms_colonnes[9] = {"n", "L", "Libelle", "X", "Y", "Z", "x", "y", "z"};

void coche_colonnes(OptionsExport& o, const std::string& liste) {
    bool OptionsExport::*const cases[9] = {&OptionsExport::CheckBox_n,    &OptionsExport::CheckBox_ligne,
                                           &OptionsExport::CheckBox_libelle, &OptionsExport::CheckBox_Xr,
                                           &OptionsExport::CheckBox_Yr,   &OptionsExport::CheckBox_Zr,
                                           &OptionsExport::CheckBox_ximg, &OptionsExport::CheckBox_yimg,
                                           &OptionsExport::CheckBox_zimg};
    for (auto c : cases) o.*c = false;
    std::size_t debut = 0;
    while (debut <= liste.size()) {
        const std::size_t fin = std::min(liste.find(',', debut), liste.size());
        const std::string nom = enleve_blancs(std::string_view(liste).substr(debut, fin - debut));
        const auto i = std::find_if(std::begin(noms_colonnes), std::end(noms_colonnes), [&](const char* n) {
            return nom == n || (nom == "Libellé" && std::string_view(n) == "Libelle");
        });
        if (i == std::end(noms_colonnes))
            throw ErreurUtilisateur("Colonne inconnue dans --colonnes : <" + nom + ">. Colonnes : n,L,Libelle,X,Y,Z,x,y,z.");
        o.*cases[i - std::begin(noms_colonnes)] = true;
        debut = fin + 1;
    }
}

// `sortie` names the file; its extension is the text file's unless --extension says otherwise.
OptionsExport options_texte(const Demande& d, bool bln, const std::string& sortie) {
    OptionsExport o;
    o.CheckBox_trl = false;
    o.CheckBox_blocnote = false;
    o.CheckBox_fic = true;
    o.CheckBox_pas_norme = false;
    if (bln) {
        o.RadioGroup_extention = OptionsExport::ext_bln;
        RadioGroup_extentionClick(o);
    } else {
        std::string ext;
        if (auto e = d.options.find("--extension"); e != d.options.end()) {
            ext = e->second;
        } else {
            const std::string nom = fs::path(sortie).filename().string();
            const auto point = nom.rfind('.');
            ext = point == std::string::npos ? "txt" : nom.substr(point + 1);
        }
        if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
        if (ext.empty() || ext.find_first_of("/\\") != std::string::npos)
            throw ErreurUtilisateur("Extension refusée : <" + ext + ">.");
        if (ext == "txt") o.RadioGroup_extention = OptionsExport::ext_txt;
        else if (ext == "xls") o.RadioGroup_extention = OptionsExport::ext_xls;
        else {
            o.RadioGroup_extention = OptionsExport::ext_perso;
            o.Edit3 = ext;
        }
    }
    auto a = [&](const char* nom) { return d.options.count(nom) > 0; };
    auto valeur = [&](const char* nom) { return d.options.at(nom); };
    if (a("--colonnes")) coche_colonnes(o, valeur("--colonnes"));
    o.CheckBox_dist = a("--distance");
    o.CheckBox_dist_cumul = a("--distance-cumulee");
    o.CheckBox_3calib = a("--calage");
    if (a("--virgule")) o.RadioGroup_sep_decimal = OptionsExport::sep_virgule;
    if (a("--separateur")) {
        const std::string s = valeur("--separateur");
        if (s == "tab") o.RadioGroup_separateur = OptionsExport::donnees_tabulation;
        else if (s == "virgule") o.RadioGroup_separateur = OptionsExport::donnees_virgule_espace;
        else if (s.empty()) throw ErreurUtilisateur("Le séparateur de --separateur est vide.");
        else {
            o.RadioGroup_separateur = OptionsExport::donnees_perso;
            o.Edit_separateur = s;
        }
    }
    if (a("--sans-entete")) o.CheckBox_ligne_1 = false;
    if (a("--entete")) o.Edit9 = valeur("--entete");
    if (a("--nb-points")) o.CheckBox_nb_points = true;
    return o;
}

// --- One project ---

int statut_pire(int a, int b) { return std::max(a, b); }

// Reads the tables (no image: they are enough for every command here).
int lit(Document& d, const std::string& projet, std::ostream& erreurs) {
    std::error_code e;
    if (!fs::is_regular_file(projet, e)) {
        erreurs << "Le projet " << projet << " est introuvable.\n";
        return erreur_utilisateur;
    }
    ActionsLecture sans_fenetres;
    return lit_projet(d, projet, sans_fenetres) == ResultatLecture::lu ? reussite : projet_endommage;
}

int exporte_sig(Document& d, const std::string& projet, const std::string& sortie, const sig::OptionsSig& o,
                std::ostream& erreurs) {
    std::string erreur, avertissement, octets;
    try {
        octets = lit_fichier(projet);
    } catch (const ErreurFichier&) {
        // Read a moment ago: without its bytes the side file is taken as before.
    }
    const bool systeme_lu = sig::lit_systeme_projet(projet, octets, d.systeme_wkt, erreur, avertissement);
    if (!avertissement.empty()) erreurs << avertissement << '\n';
    if (!systeme_lu) {
        erreurs << "Le fichier " << sig::chemin_prj(projet)
                << " n'est pas un système de coordonnées lisible : l'export de " << projet << " est abandonné.\n";
        return projet_endommage;
    }
    try {
        const sig::BilanSig b = sig::exporte_sig(d, sortie, o);
        erreurs << projet << " => ";
        for (std::size_t i = 0; i < b.fichiers.size(); ++i) erreurs << (i ? ", " : "") << b.fichiers[i];
        erreurs << " : " << b.comptes() << '\n';
        return reussite;
    } catch (const ErreurExport& e) {
        erreurs << projet << " : " << e.what() << '\n';
        return projet_endommage;
    } catch (const std::exception& e) {
        erreurs << projet << " : " << e.what() << '\n';
        return erreur_utilisateur;
    }
}

int exporte_texte(Document& d, const std::string& projet, const std::string& sortie, OptionsExport o,
                  PortCommande& port_commande, std::ostream& erreurs) {
    ResultatSauve r;
    if (const std::string p = sig::projet_proprietaire(sortie); !p.empty()) {
        erreurs << projet << " : " << sig::refus_fichier_projet(sortie, p) << '\n';
        return erreur_utilisateur;
    }
    int statut = reussite;
    port_commande.retiens();
    try {
        r = sauve_dans(d, o, sortie, false);
    } catch (const ErreurExport& e) {
        port_commande.information(e.what());
        statut = projet_endommage;
    } catch (const std::exception& e) {
        port_commande.information(e.what());
        statut = erreur_utilisateur;
    }
    std::vector<std::string> messages = port_commande.relache();
    if (statut == reussite && r.termine && !messages.empty()) messages.pop_back();
    else if (statut == reussite) statut = erreur_utilisateur; // refused by the writer, which said why
    for (const std::string& m : messages) erreurs << projet << " : " << m << '\n';
    if (statut == reussite) erreurs << projet << " => " << r.fichier_donnees << '\n';
    return statut;
}

// The measurement reads its cells leniently, a bad one as 0: here a damaged project is said.
void verifie_cellules(const Document& d) {
    const int cL = d.indice_col("L"), cX = d.indice_col("X"), cY = d.indice_col("Y");
    for (int r = 1; r <= d.nb_points; ++r) {
        const std::string point = " du point n°" + std::to_string(r);
        lit_entier_export(d.StringGrid1.cell(cL, r), "colonne L" + point);
        lit_reel_export(d.StringGrid1.cell(cX, r), "colonne X" + point);
        lit_reel_export(d.StringGrid1.cell(cY, r), "colonne Y" + point);
    }
}

int mesure(const std::string& projet, int L, bool titre, std::ostream& sortie, std::ostream& erreurs) {
    Document d;
    if (const int s = lit(d, projet, erreurs)) return s;
    try {
        verifie_cellules(d);
    } catch (const ErreurExport& e) {
        erreurs << projet << " : " << e.what() << '\n';
        return projet_endommage;
    }
    const int cL = d.indice_col("L");
    bool trouve = false;
    for (int r = 1; r <= d.nb_points && !trouve; ++r) trouve = lit_entier(d.StringGrid1.cell(cL, r)).valeur == L;
    if (!trouve) {
        erreurs << "La ligne " << L << " n'a aucun point dans " << projet << ".\n";
        return erreur_utilisateur;
    }
    const ResultatSurface r = mesure_ligne(d, L);
    // A two-point line goes to the scale tool on screen; here its figures are written all the same.
    const std::vector<std::string> lignes = r.outil_echelle ? lignes_resultats(d, r, d.num_ligne > 1) : r.lignes;
    if (titre) sortie << "# " << projet << '\n';
    for (const std::string& l : lignes) sortie << l << '\n';
    return reussite;
}

// --- Commands ---

void progression(std::size_t i, std::size_t n, const std::string& projet, std::ostream& erreurs) {
    if (n > 10) erreurs << "Projet " << i + 1 << "/" << n << " : " << projet << '\n';
}

// The output of each project: SORTIE itself for one project, else SORTIE/<name><extension>.
std::vector<std::string> sorties(const std::string& sortie, const std::vector<std::string>& projets,
                                 const std::string& extension) {
    std::error_code e;
    const bool dossier = projets.size() > 1 || fs::is_directory(sortie, e) || sortie.back() == '/';
    if (!dossier) return {sortie};
    if (fs::exists(sortie, e) && !fs::is_directory(sortie, e))
        throw ErreurUtilisateur("Plusieurs projets s'exportent dans un dossier : " + sortie + " est un fichier.");
    // "tout.gpkg" would be made a folder that looks like a file.
    if (!fs::exists(sortie, e) && fs::path(sortie).has_extension())
        throw ErreurUtilisateur("Plusieurs projets s'exportent dans un dossier : " + sortie +
                                " a une extension de fichier. Donnez un nom de dossier.");
    std::vector<std::string> r;
    std::map<std::string, std::string> deja;
    for (const std::string& p : projets) {
        const std::string nom = nom_de_fichier(chemin_base(nom_de_fichier(p))) + extension;
        const auto [it, nouveau] = deja.emplace(nom, p);
        if (!nouveau)
            throw ErreurUtilisateur("Les projets " + it->second + " et " + p + " donneraient le même fichier " + nom +
                                    " : exportez-les séparément.");
        r.push_back((fs::path(sortie) / nom).string());
    }
    fs::create_directories(sortie, e);
    if (e) throw ErreurUtilisateur("Impossible de créer le dossier " + sortie + " : " + raison_systeme(e.value(), Acces::ecriture));
    return r;
}

int exporte(const Demande& d, PortCommande& port_commande, std::ostream& erreurs) {
    if (d.positions.size() < 3)
        throw ErreurUtilisateur("--exporte attend un format, une sortie et au moins un projet.\n" +
                                std::string(renvoi_aide));
    const std::string& nom_format = d.positions[0];
    const std::string& sortie = d.positions[1];
    const std::vector<std::string> projets(d.positions.begin() + 2, d.positions.end());
    const bool texte = nom_format == "texte", bln = nom_format == "bln";
    const sig::DescriptionFormat* f = sig::format_par_nom(nom_format);
    if (!texte && !bln && !f)
        throw ErreurUtilisateur("Format inconnu : " + nom_format + ". Formats : " + liste_formats() + ".");
    for (const auto& [option, valeur] : d.options)
        if ((portee_de(option) == Portee::sig) != (f != nullptr))
            throw ErreurUtilisateur("L'option " + option + " ne s'applique pas au format " + nom_format + ".");
    if (sortie.empty()) throw ErreurUtilisateur("La sortie est vide.");

    std::vector<std::string> cibles;
    OptionsExport modele;
    if (f) {
        cibles = sorties(sortie, projets, std::string(f->extension));
    } else {
        modele = options_texte(d, bln, sortie);
        std::string extension = extension_choisie(modele);
        if (extension.front() != '.') extension.insert(0, ".");
        cibles = sorties(sortie, projets, extension);
    }
    int statut = reussite;
    for (std::size_t i = 0; i < projets.size(); ++i) {
        progression(i, projets.size(), projets[i], erreurs);
        Document doc;
        int s = lit(doc, projets[i], erreurs);
        if (s == reussite && f)
            s = exporte_sig(doc, projets[i], cibles[i], {f->format, false, d.options.count("--surfaces") > 0}, erreurs);
        else if (s == reussite)
            s = exporte_texte(doc, projets[i], cibles[i], modele, port_commande, erreurs);
        statut = statut_pire(statut, s);
    }
    return statut;
}

int mesure(const Demande& d, std::ostream& sortie, std::ostream& erreurs) {
    if (!d.options.empty()) throw ErreurUtilisateur("--mesure ne prend pas d'option.");
    if (d.positions.size() < 2) throw ErreurUtilisateur("--mesure attend un numéro de ligne et au moins un projet.");
    const LectureEntier L = lit_entier(d.positions[0]);
    if (L.erreur != 0 || L.valeur < 1 || enleve_blancs(d.positions[0]).empty())
        throw ErreurUtilisateur("Le numéro de ligne doit être un entier positif : <" + d.positions[0] + ">.");
    int statut = reussite;
    const std::size_t n = d.positions.size() - 1;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& projet = d.positions[i + 1];
        progression(i, n, projet, erreurs);
        statut = statut_pire(statut, mesure(projet, L.valeur, n > 1, sortie, erreurs));
    }
    return statut;
}

void formats(std::ostream& sortie) {
    for (const auto& f : sig::formats_sig()) {
        std::string ligne = std::string(f.nom) + "\t" + std::string(f.libelle) + "\t";
        ligne += f.fichier_par_couche ? "un fichier par couche *_lignes" + std::string(f.extension) + ", *_points" +
                                            std::string(f.extension) + " (et *_surfaces" + std::string(f.extension) + ")"
                                      : "*" + std::string(f.extension);
        if (f.degres) ligne += ", en longitude/latitude : le projet doit avoir un système de coordonnées";
        sortie << ligne << '\n';
    }
    sortie << "texte\tTexte formaté du panneau d'export\t*.txt ou l'extension choisie\n";
    sortie << "bln\tFichier de contour Surfer\t*.bln\n";
}

// The user's decimal mark, as the windows take it from the system.
char separateur_de_l_environnement() {
    try {
        return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point() == ',' ? ',' : '.';
    } catch (const std::exception&) {
        return '.';
    }
}

} // namespace

int execute(const std::vector<std::string>& arguments, std::ostream& sortie, std::ostream& erreurs) {
    PortCommande port_commande(erreurs);
    PortInstalle installe(port_commande);
    const SeparateurLocal separateur(separateur_de_l_environnement());
    try {
        if (arguments.empty()) throw ErreurUtilisateur(renvoi_aide);
        const Demande d = analyse(arguments);
        if (d.commande == "--exporte") return exporte(d, port_commande, erreurs);
        if (d.commande == "--mesure") return mesure(d, sortie, erreurs);
        if (d.commande == "-h" || d.commande == "--help") return execute({"--aide"}, sortie, erreurs);
        if (d.commande == "--formats" || d.commande == "--aide") {
            if (!d.positions.empty() || !d.options.empty())
                throw ErreurUtilisateur(d.commande + " ne prend pas d'argument.");
            if (d.commande == "--formats") formats(sortie);
            else sortie << texte_aide;
            return reussite;
        }
        throw ErreurUtilisateur("Commande inconnue : " + d.commande + "\n" + renvoi_aide);
    } catch (const ErreurUtilisateur& e) {
        erreurs << e.what() << '\n';
        return erreur_utilisateur;
    }
}

std::optional<int> ligne_commande(int argc, char** argv) {
    // "-h" as well: without a display, the windows could not even say what is wrong.
    if (argc < 2 || (std::string_view(argv[1]).substr(0, 2) != "--" && std::string_view(argv[1]) != "-h"))
        return std::nullopt;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return execute(arguments, std::cout, std::cerr);
}

} // namespace vuv::commande
