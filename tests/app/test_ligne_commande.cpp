// The command line, through the real program: exit statuses, messages, a batch of twelve
// projects, exports killed or short of space. The program runs without DISPLAY nor
// QT_QPA_PLATFORM: creating anything of the windows would end it with an error.
#include "tests/support/FichiersEssai.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <map>
#include <random>
#include <regex>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using vuv::octets::ecrit;
using vuv::octets::lit;

struct Resultat {
    int statut = -1;
    std::string sortie, erreurs;
};

// In `courant` when given, its files limited to `limite` bytes, killed after `tuer_apres` µs.
struct Lancement {
    std::string courant;
    rlim_t limite = RLIM_INFINITY;
    long tuer_apres = -1;
};

struct Point {
    int L;
    double X, Y;
    std::string libelle;
};

class LigneCommande : public ::testing::Test {
protected:
    void SetUp() override {
        exemple = lit(VUVIVIVA_SAMPLES "/carte_exemple.trl");
    }

    std::string chemin(const std::string& nom) const { return (dossier / nom).string(); }

    Resultat lance(std::vector<std::string> arguments, const Lancement& l = {}) const {
        arguments.insert(arguments.begin(), VUVIVIVA_EXE);
        std::vector<char*> argv;
        for (auto& a : arguments) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::string path = "PATH=/usr/bin:/bin";
        char* env[] = {path.data(), nullptr};
        const std::string out = chemin(".sortie"), err = chemin(".erreurs");
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
            ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
            if (!l.courant.empty() && ::chdir(l.courant.c_str()) != 0) ::_exit(127);
            const rlimit r{l.limite, l.limite};
            ::signal(SIGXFSZ, SIG_IGN);
            ::setrlimit(RLIMIT_FSIZE, &r);
            ::execve(VUVIVIVA_EXE, argv.data(), env);
            ::_exit(127);
        }
        if (l.tuer_apres >= 0) {
            ::usleep(static_cast<useconds_t>(l.tuer_apres));
            ::kill(pid, SIGKILL);
        }
        int etat = 0;
        ::waitpid(pid, &etat, 0);
        Resultat r;
        r.statut = WIFEXITED(etat) ? WEXITSTATUS(etat) : 128 + WTERMSIG(etat);
        r.sortie = lit(out);
        r.erreurs = lit(err);
        fs::remove(out);
        fs::remove(err);
        return r;
    }

    std::string projet(const std::string& nom, const std::string& octets) const {
        ecrit(dossier / nom, octets);
        return chemin(nom);
    }
    std::string projet(const std::string& nom) const { return projet(nom, exemple); }

    // The sample in Lambert-93 with these points after its route, each new line ticked.
    std::string projet(const std::string& nom, const std::vector<Point>& points) const;

    // Every file of the folder whose name starts with `debut`, with its bytes.
    std::map<std::string, std::string> fichiers(const fs::path& d, const std::string& debut = "") const {
        std::map<std::string, std::string> r;
        for (const auto& e : fs::directory_iterator(d)) {
            const std::string nom = e.path().filename().string();
            if (nom.rfind(debut, 0) == 0 && nom != ".sortie" && nom != ".erreurs") r[nom] = e.is_directory() ? "/" : lit(e.path());
        }
        return r;
    }

    static long long entites(const std::string& fichier, const char* couche) {
        GDALAllRegister();
        GDALDataset* s = static_cast<GDALDataset*>(GDALOpenEx(fichier.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr));
        if (!s) return -1;
        OGRLayer* l = s->GetLayerByName(couche);
        const long long n = l ? l->GetFeatureCount() : -1;
        GDALClose(s);
        return n;
    }

    const vuv::octets::DossierEssai essai_{"cli_"};
    fs::path dossier = essai_.chemin();
    std::string exemple;
};

std::string remplace(std::string t, const std::string& de, const std::string& par) {
    t.replace(t.find(de), de.size(), par);
    return t;
}

std::string LigneCommande::projet(const std::string& nom, const std::vector<Point>& points) const {
    std::string rangs, rangs_lignes;
    int n = 21, lignes = 1;
    for (const Point& p : points) {
        rangs += std::to_string(++n) + "," + std::to_string(p.L) + ",\"" + p.libelle + "\"," + std::to_string(p.X) + "," +
                 std::to_string(p.Y) + ",0,10,10,\r\n";
        for (; lignes < p.L; ++lignes) rangs_lignes += std::to_string(lignes + 1) + ",1,255,x,\"ligne\"\r\n";
    }
    std::string t = remplace(exemple, "points\r\n21\r\n", "points\r\n" + std::to_string(n) + "\r\n");
    t = remplace(remplace(t, "lignes\r\n1\r\n", "lignes\r\n" + std::to_string(lignes) + "\r\n"), "1,4,255,x,",
                 rangs + "1,4,255,x,");
    ecrit(fs::path(chemin(nom)).replace_extension(".prj"), "2154");
    return projet(nom, t + rangs_lignes);
}

// 1 000 labelled points on a second line: outputs far larger than the limits below.
std::vector<Point> beaucoup() {
    std::vector<Point> r;
    for (int i = 0; i < 1000; ++i) r.push_back({2, 650000.0 + i, 6860000.0 + (i % 7), "point " + std::to_string(i)});
    return r;
}

} // namespace

TEST_F(LigneCommande, HelpAndFormatsWithoutAnyWindow) {
    for (const char* demande : {"--aide", "-h", "--help"}) {
        const Resultat aide = lance({demande});
        EXPECT_EQ(aide.statut, 0) << demande;
        EXPECT_EQ(aide.sortie.rfind("Vuviviva 3.3 : commandes sans fenêtre\n", 0), 0u) << aide.sortie;
        EXPECT_EQ(aide.erreurs, "");
    }
    projet("--carte.trl"); // "--" ends the options
    EXPECT_EQ(lance({"--mesure", "1", "--", "--carte.trl"}, {dossier.string()}).statut, 0);
    const Resultat formats = lance({"--formats"});
    EXPECT_EQ(formats.statut, 0);
    EXPECT_NE(formats.sortie.find("gpkg\tGeoPackage\t*.gpkg\n"), std::string::npos);
    EXPECT_NE(formats.sortie.find("\nbln\tFichier de contour Surfer\t*.bln\n"), std::string::npos);
}

TEST_F(LigneCommande, UserErrorsExitWithOne) {
    const std::string p = projet("carte.trl");
    struct Cas {
        std::vector<std::string> arguments;
        std::string erreurs;
    };
    const Cas cas[] = {
        {{"--exporte", "svg", chemin("o.svg"), p}, "Format inconnu : svg. Formats : gpkg, shp, geojson, kml, dxf, csv, texte, bln.\n"},
        {{"--exporte", "gpkg", chemin("o.gpkg"), chemin("absent.trl")}, "Le projet " + chemin("absent.trl") + " est introuvable.\n"},
        {{"--exporte", "gpkg", chemin("o.gpkg")}, "--exporte attend un format, une sortie et au moins un projet.\nvuviviva --aide donne les commandes et leurs options.\n"},
        {{"--exporte", "gpkg", chemin("o.gpkg"), p, "--vite"}, "Option inconnue : --vite\nvuviviva --aide donne les commandes et leurs options.\n"},
        {{"--exporte", "gpkg", chemin("o.gpkg"), p, "--virgule"}, "L'option --virgule ne s'applique pas au format gpkg.\n"},
        {{"--exporte", "texte", chemin("o.txt"), p, "--colonnes", "X,W"}, "Colonne inconnue dans --colonnes : <W>. Colonnes : n,L,Libelle,X,Y,Z,x,y,z.\n"},
        {{"--exporte", "texte", chemin("o.txt"), p, "--entete"}, "L'option --entete attend une valeur.\n"},
        {{"--exporte", "kml", chemin("o.kml"), p}, p + " : Le format KML s'écrit en longitude/latitude : il faut connaître le système de coordonnées du projet, qui n'en a pas.\nDonnez d'abord un système au projet, ou choisissez un autre format.\n"},
        {{"--exporte", "gpkg", chemin("absent/o.gpkg"), p}, p + " : Impossible d'écrire dans le dossier " + chemin("absent") + " : le dossier n'existe pas\n"},
        {{"--mesure", "0", p}, "Le numéro de ligne doit être un entier positif : <0>.\n"},
        {{"--mesure", "2", p}, "La ligne 2 n'a aucun point dans " + p + ".\n"},
        {{"--formats", "en-plus"}, "--formats ne prend pas d'argument.\n"},
        {{"--exporter"}, "Commande inconnue : --exporter\nvuviviva --aide donne les commandes et leurs options.\n"},
    };
    for (const Cas& c : cas) {
        const Resultat r = lance(c.arguments);
        EXPECT_EQ(r.statut, 1) << c.arguments[0] << " " << c.arguments[1];
        EXPECT_EQ(r.erreurs, c.erreurs);
        EXPECT_EQ(r.sortie, "");
    }
    EXPECT_FALSE(fs::exists(chemin("o.gpkg")));
    EXPECT_FALSE(fs::exists(chemin("o.kml")));
}

TEST_F(LigneCommande, DamagedProjectsExitWithTwo) {
    const std::string sans_marqueur = projet("vieux.trl", "/AUTRE\r\n" + exemple.substr(exemple.find('\n') + 1));
    Resultat r = lance({"--exporte", "gpkg", chemin("o.gpkg"), sans_marqueur});
    EXPECT_EQ(r.statut, 2);
    EXPECT_EQ(r.erreurs, "Le projet " + sans_marqueur +
                             " n'a pas été ouvert :\n\n Le fichier n'est pas compatible \n le mot clé en première ligne "
                             "est manquant\n /VUVIVIVA introuvable : mess= </AUTRE>\n\nLe travail en cours est conservé "
                             "tel quel.\n");

    const std::string x_abime = projet("abime.trl", remplace(exemple, "651237.50000000", "651237.5O"));
    for (const char* format : {"gpkg", "texte"}) {
        r = lance({"--exporte", format, chemin("o"), x_abime});
        EXPECT_EQ(r.statut, 2) << format;
        EXPECT_EQ(r.erreurs, x_abime + " : '651237.5O' n'est pas une valeur réelle valide (colonne X du point n°2)\n");
    }
    r = lance({"--mesure", "1", x_abime});
    EXPECT_EQ(r.statut, 2);
    EXPECT_EQ(r.sortie, "");
    EXPECT_FALSE(fs::exists(chemin("o.gpkg")));

    ecrit(dossier / "carte.prj", "pas un système");
    r = lance({"--exporte", "gpkg", chemin("o.gpkg"), projet("carte.trl")});
    EXPECT_EQ(r.statut, 2);
    EXPECT_EQ(r.erreurs, "Le fichier " + chemin("carte.prj") + " n'est pas un système de coordonnées lisible : "
                         "l'export de " + chemin("carte.trl") + " est abandonné.\n");
}

TEST_F(LigneCommande, MeasuresTheLine) {
    const Resultat r = lance({"--mesure", "1", projet("carte.trl")});
    EXPECT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs, "");
    EXPECT_EQ(r.sortie, " Suite(1)= \t21\t points\n"
                        " Surface  A = \t1.263 E+06    \t  1 262 978.125000000\n"
                        " Distance D = \t4.540 E+03    \t   4 540.261434460\n"
                        " Périmètre P = \t8.924 E+03    \t   8 924.136717814\n"
                        " Indice de compacité = P/(4.pi.A)^0.5 = \t2.24007917569535\n"
                        " Rectangle équivalent L=P/4+sqrt(P²/16-A)= \t4158.3471755413\n");
    // Saved under the decimal comma (the cells quoted for their comma), read under the point.
    const std::string virgule = std::regex_replace(exemple, std::regex("(-?[0-9]+)\\.([0-9]{8})"), "\"$1,$2\"");
    ASSERT_NE(virgule.find(",\"651007,50000000\",\"6861442,50000000\","), std::string::npos);
    const Resultat v = lance({"--mesure", "1", projet("virgule.trl", virgule)});
    EXPECT_EQ(v.statut, 0) << v.erreurs;
    EXPECT_EQ(v.sortie, r.sortie);
}

TEST_F(LigneCommande, TextAndBlnWithThePanelOptions) {
    const std::string p = projet("carte.trl");
    const Resultat r = lance({"--exporte", "texte", chemin("plan.csv"), p, "--colonnes", "n,Libelle,X,Y", "--separateur",
                              ";", "--virgule", "--distance-cumulee"});
    EXPECT_EQ(r.statut, 0) << r.erreurs;
    EXPECT_EQ(r.erreurs, p + " => " + chemin("plan.csv") + "\n");
    const std::string t = lit(dossier / "plan.csv");
    EXPECT_EQ(t.substr(0, t.find("\r\n", t.find("\r\n") + 2) + 2),
              "n;Libell\xE9;X;Y;distance cumul\xE9" "e\r\n    1;route nationale;651007,50000000;6861442,50000000;0\r\n");
    const Resultat bln = lance({"--exporte", "bln", chemin("plan"), p});
    EXPECT_EQ(bln.statut, 0) << bln.erreurs;
    EXPECT_EQ(lit(dossier / "plan.bln").substr(0, 42), "21, 0\r\n651007.50000000, 6861442.50000000\r\n");
}

TEST_F(LigneCommande, TwelveProjectsIntoAFolder) {
    std::vector<std::string> arguments{"--exporte", "gpkg", chemin("sig")};
    std::string progression;
    for (int i = 1; i <= 12; ++i) {
        arguments.push_back(projet("carte_" + std::to_string(i) + ".trl"));
        progression += "Projet " + std::to_string(i) + "/12 : " + arguments.back() + "\n" + arguments.back() +
                       " => " + chemin("sig/carte_" + std::to_string(i) + ".gpkg") + " : 1 ligne, 21 points.\n";
    }
    const Resultat r = lance(arguments);
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(r.erreurs, progression);
    for (int i = 1; i <= 12; ++i) {
        const std::string f = chemin("sig/carte_" + std::to_string(i) + ".gpkg");
        EXPECT_EQ(entites(f, "points"), 21) << f;
        EXPECT_EQ(entites(f, "lignes"), 1) << f;
    }

    // One missing, one damaged: the others are written, the status is the worst.
    arguments[4] = chemin("absent.trl");
    arguments[5] = projet("carte_3.trl", "rien");
    fs::remove_all(dossier / "sig");
    const Resultat m = lance(arguments);
    EXPECT_EQ(m.statut, 2);
    EXPECT_NE(m.erreurs.find("Le projet " + chemin("absent.trl") + " est introuvable.\n"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dossier / "sig"), fs::directory_iterator()), 10);

    // Two projects of the same name would write the same file: refused before anything.
    fs::create_directories(dossier / "autre");
    ecrit(dossier / "autre/carte_1.trl", exemple);
    const Resultat d = lance({"--exporte", "shp", chemin("sig2"), chemin("carte_1.trl"), chemin("autre/carte_1.trl")});
    EXPECT_EQ(d.statut, 1);
    EXPECT_EQ(d.erreurs, "Les projets " + chemin("carte_1.trl") + " et " + chemin("autre/carte_1.trl") +
                             " donneraient le même fichier carte_1.shp : exportez-les séparément.\n");
}

// "--mesure" read "6.5100e5" as 6.51 where the GIS export read 651 000, and "1E400" went out as
// inf: every reader takes a cell the same way, and refuses the same ones, naming them.
TEST_F(LigneCommande, EveryCommandReadsACellAlike) {
    const std::string reference = lance({"--mesure", "1", projet("carte.trl")}).sortie;
    const std::string x2 = "651237.50000000", z2 = "6861480.00000000,0.00000000", trop = " : au plus 1,7E308 en valeur absolue";
    const struct {
        std::string de, par;
        int statut_mesure; // -1: not asked
        int statut_sig;
        std::string erreur; // after "<project> : "
    } cas[] = {
        {x2, "6.5123750e5", 2, 2, "'6.5123750e5' n'est pas une valeur réelle valide (colonne X du point n°2)"},
        {x2, " 6.5123750E5", 0, 0, ""},
        {x2, "1E400", -1, 2, "'1E400' est trop grand pour un fichier SIG (colonne X du point n°2)" + trop},
        {z2, "6861480.00000000,-1E400", -1, 2, "'-1E400' est trop grand pour un fichier SIG (colonne Z du point n°2)" + trop},
    };
    for (const auto& c : cas) {
        const std::string p = projet("cellule.trl", remplace(exemple, c.de, c.par));
        const std::string attendu = c.erreur.empty() ? "" : p + " : " + c.erreur + "\n";
        if (c.statut_mesure >= 0) {
            const Resultat m = lance({"--mesure", "1", p});
            EXPECT_EQ(m.statut, c.statut_mesure) << c.par;
            EXPECT_EQ(m.erreurs, attendu);
            EXPECT_EQ(m.sortie, c.statut_mesure == 0 ? reference : "");
        }
        for (const char* format : {"gpkg", "csv", "dxf"}) {
            fs::create_directories(dossier / "sig");
            const Resultat r = lance({"--exporte", format, chemin("sig/o"), p});
            EXPECT_EQ(r.statut, c.statut_sig) << c.par << " " << format;
            if (c.statut_sig != 0) {
                EXPECT_EQ(r.erreurs, attendu) << format;
                EXPECT_TRUE(fs::is_empty(dossier / "sig")) << format;
            }
            fs::remove_all(dossier / "sig");
        }
    }
}
// An export writes and removes its own files only, never a project's: a target that is one is refused.
TEST_F(LigneCommande, AnExportTouchesOnlyItsOwnFiles) {
    struct Cas {
        std::string projet, avant, format, sortie;
        std::vector<std::string> gardes; // as the first export or the project left them
        bool refus = false;
    };
    const Cas cas[] = {
        {"carte", "shp", "geojson", "carte", {"carte_lignes.shx", "carte_lignes.dbf", "carte_lignes.prj", "carte_points.cpg"}},
        {"carte", "shp", "csv", "carte", {"carte_lignes.shx", "carte_lignes.dbf", "carte_points.cpg"}},
        {"carte", "csv", "shp", "carte", {"carte_lignes.csvt", "carte_points.csvt"}},
        {"route_lignes", "", "geojson", "route", {"route_lignes.prj"}},
        {"carte", "", "texte", "carte.prj", {}, true},
        {"carte", "", "texte", "carte.paire", {}, true},
        {"carte", "", "texte", "carte.trl", {}, true},
        {"route_lignes", "", "shp", "route", {}, true},
    };
    for (const Cas& c : cas) {
        fs::remove_all(dossier / "out");
        fs::create_directories(dossier / "out");
        const std::string p = projet("out/" + c.projet + ".trl", std::vector<Point>{}), sortie = chemin("out/" + c.sortie);
        if (!c.avant.empty()) {
            ASSERT_EQ(lance({"--exporte", c.avant, sortie, p}).statut, 0);
        }
        const auto avant = fichiers(dossier / "out");
        EXPECT_EQ(lance({"--exporte", c.format, sortie, p}).statut, c.refus ? 1 : 0) << c.format << " " << c.sortie;
        for (const std::string& g : c.gardes) EXPECT_EQ(lit(dossier / "out" / g), avant.at(g)) << c.format << " " << g;
        if (c.refus) {
            EXPECT_EQ(fichiers(dossier / "out"), avant) << c.format << " " << c.sortie;
        }
    }
}

TEST_F(LigneCommande, TheFileNamedIsTheFileWritten) {
    // Line 2 a square digitized clockwise; two labels too long for a Shapefile.
    const std::string a(300, 'a'), p = projet("carte.trl", {{2, 652000, 6860000, a}, {2, 652000, 6860100, a},
                                                            {2, 652100, 6860100, ""}, {2, 652100, 6860000, ""},
                                                            {2, 652000, 6860000, ""}});
    const std::string comptes = " : 2 lignes, 1 surface, 26 points.\n";
    EXPECT_EQ(lance({"--exporte", "geojson", chemin("x.geojson"), p, "--surfaces"}).erreurs,
              p + " => " + chemin("x.geojson") + comptes);
    EXPECT_EQ(lance({"--exporte", "shp", chemin("y.shp"), p, "--surfaces"}).erreurs,
              p + " => " + chemin("y_lignes.shp") + ", " + chemin("y_surfaces.shp") + ", " + chemin("y_points.shp") +
                  comptes + "2 libellés coupés à 254 octets (la limite du format Shapefile).\n");
    const Resultat r = lance({"--exporte", "gpkg", chemin("tout.gpkg"), p, projet("autre.trl")});
    EXPECT_EQ(r.statut, 1);
    EXPECT_EQ(r.erreurs, "Plusieurs projets s'exportent dans un dossier : " + chemin("tout.gpkg") +
                             " a une extension de fichier. Donnez un nom de dossier.\n");
    EXPECT_EQ(fichiers(dossier, "x").size() + fichiers(dossier, "tout").size(), 1u);
    // RFC 7946, read by another reader: one collection, no "crs", outer rings counter-clockwise.
    std::FILE* py = ::popen(("python3 -c \"import json,sys\nd=json.load(open(sys.argv[1]))\n"
                             "aire=lambda r: sum(a[0]*b[1]-b[0]*a[1] for a,b in zip(r,r[1:]))\n"
                             "g=lambda f: f['geometry']['type']+(':ccw' if f['geometry']['type']=='Polygon' and "
                             "aire(f['geometry']['coordinates'][0])>0 else '')\n"
                             "print(d['type'],'crs' in d,*sorted(set(f['properties']['couche']+':'+g(f) for f in "
                             "d['features'])))\" " + chemin("x.geojson")).c_str(), "r");
    char ligne[512] = {};
    ASSERT_TRUE(py && std::fgets(ligne, sizeof ligne, py));
    ::pclose(py);
    EXPECT_STREQ(ligne, "FeatureCollection False lignes:LineString points:Point surfaces:Polygon:ccw\n");
}

// Killed at any moment or short of space (then status 1, said, the old files kept), an export
// leaves each layer's files all old or all new once the next export into the folder has tidied
// after it. Every format is killed and filled; VUVIVIVA_TUES=100 for a hundred runs.
TEST_F(LigneCommande, KilledOrFullEveryLayerIsWhollyOldOrWhollyNew) {
    const int n = std::getenv("VUVIVIVA_TUES") ? std::atoi(std::getenv("VUVIVIVA_TUES")) : 24;
    const std::string projets[] = {projet("ancien.trl", std::vector<Point>{}), projet("neuf.trl", beaucoup())};
    std::mt19937 hasard(26);
    for (int i = 0; i < n; ++i) {
        const std::string format = std::vector<std::string>{"shp", "geojson", "csv", "kml", "gpkg", "dxf"}[i % 6];
        std::map<std::string, std::string> jeux[2]; // old and new, whole
        long duree = 0;
        for (int k = 0; k < 2; ++k) {
            fs::remove_all(dossier / "out");
            fs::create_directories(dossier / "out");
            const auto debut = std::chrono::steady_clock::now();
            ASSERT_EQ(lance({"--exporte", format, chemin("out/carte"), projets[k]}).statut, 0);
            duree = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - debut).count();
            jeux[k] = fichiers(dossier / "out", "carte");
        }
        fs::remove_all(dossier / "out");
        fs::create_directories(dossier / "out");
        for (const auto& [nom, octets] : jeux[0]) ecrit(dossier / "out" / nom, octets);
        const bool tue = i / 6 % 2 == 0; // full: below every new output's size
        const Resultat r = lance({"--exporte", format, chemin("out/carte"), projets[1]},
                                 {"", tue ? RLIM_INFINITY : 1024 + hasard() % (23 * 1024), tue ? long(hasard() % (duree + 1)) : -1});
        if (!tue) {
            EXPECT_EQ(r.statut, 1) << format;
            EXPECT_EQ(r.erreurs.rfind(projets[1] + " : Impossible d'", 0), 0u) << r.erreurs;
        }
        auto etats = [&] { // by layer, bit k: not wholly set k
            const auto apres = fichiers(dossier / "out");
            std::map<std::string, int> etat;
            for (int k = 0; k < 2; ++k)
                for (const auto& [nom, octets] : jeux[k]) {
                    const auto a = apres.find(nom);
                    const bool pareil = a != apres.end() && (format == "gpkg" ? entites(chemin("out/" + nom), "points") == (k ? 1021 : 21)
                                                                              : a->second == octets);
                    etat[nom.substr(0, nom.find('.'))] |= pareil ? 0 : 1 << k;
                }
            return etat;
        };
        // Killed while switching, a set may be mixed until the next export: never without its record.
        bool releve = false;
        for (const auto& f : fichiers(dossier / "out", ".vuviviva-export-")) releve |= fs::exists(dossier / "out" / f.first / ".releve");
        for (const auto& [couche, e] : etats()) EXPECT_TRUE(e != 3 || releve) << format << " " << couche << " run " << i;
        ASSERT_EQ(lance({"--exporte", format, chemin("out/suivant"), projets[0]}).statut, 0);
        for (const auto& f : fichiers(dossier / "out")) EXPECT_NE(f.first.rfind(".vuviviva-export-", 0), 0u) << f.first;
        for (const auto& [couche, e] : etats()) EXPECT_TRUE(tue ? e != 3 : e == 2) << format << " " << couche << " run " << i << " " << e;
    }
}
