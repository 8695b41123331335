// The saver that tue_sauvegardes.sh kills: a 100 000-point project made, or a project opened,
// changed and saved again through the program's own writer, with the system "systeme <n>"
// (none when n is a multiple of 5); and the system that opening a project would take.
//   sauvegardes_tuees genere <projet.trl>
//   sauvegardes_tuees sauve <source.trl> <cible.trl> <n>
//   sauvegardes_tuees paire <projet.trl>
// "sauve" prints "pret" once the project is read and changed, just before saving, then
// "fini <microseconds of the save>". "paire" prints "accord <system>", "avertissement <message>",
// or "inconnu <system>" when no record names the project (the side file there is).
#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/projet/PaireProjet.h"
#include "core/projet/Projet.h"
#include "core/text/separateur.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <unistd.h>

namespace {

vuv::Document grand_projet(int n) {
    vuv::Document d;
    d.affecte_calage(1, 0, "cal 1", 0, 0, 0, 6861250.0L, 651200.0L);
    d.affecte_calage(2, 0, "cal 2", 0, 0, 0, 6858000.0L, 651200.0L);
    d.affecte_calage(3, 0, "cal 3", 0, 0, 0, 6858000.0L, 655400.0L);
    int compte = 0;
    d.valide_point_calage(compte, 310, 420, vuv::MethodeCalage::trois_points, false);
    d.valide_point_calage(compte, 318, 3670, vuv::MethodeCalage::trois_points, false);
    d.valide_point_calage(compte, 4521, 3661, vuv::MethodeCalage::trois_points, false);
    d.nb_calage = compte;
    for (int row = 1; row <= n; ++row) {
        d.stocke_xy(row, 1 + (row - 1) / 1000, 200 + (row * 37) % 4800, 300 + (row * 53) % 3600);
        d.nb_points = row;
        d.num_ligne = 1 + (row - 1) / 1000;
    }
    d.fichier_image = "/cartes/grand.jpg";
    d.systeme_wkt = "systeme 0";
    return d;
}

int usage() {
    std::fputs("usage : sauvegardes_tuees genere <projet.trl> | sauve <source.trl> <cible.trl> <n> | paire <projet.trl>\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const vuv::SeparateurLocal point('.');
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "genere" && argc == 3) {
            vuv::Document d = grand_projet(100000);
            vuv::ecrit_projet(d, argv[2], true);
            return 0;
        }
        if (mode == "paire" && argc == 3) {
            vuv::SystemeApparie a = vuv::systeme_apparie(argv[2], vuv::lit_fichier(argv[2]));
            // Without a record, opening takes the side file there is.
            if (!a.connu && ::access(vuv::chemin_systeme(argv[2]).c_str(), F_OK) == 0)
                a.chemin = vuv::chemin_systeme(argv[2]);
            if (!a.message.empty()) std::printf("avertissement %s\n", a.message.c_str());
            else std::printf("%s %s\n", a.connu ? "accord" : "inconnu",
                             a.chemin.empty() ? "" : vuv::lit_fichier(a.chemin).c_str());
            return 0;
        }
        if (mode != "sauve" || argc != 5) return usage();
        vuv::Document d;
        vuv::ActionsLecture sans_fenetres;
        if (vuv::lit_projet(d, argv[2], sans_fenetres) != vuv::ResultatLecture::lu) return 1;
        d.StringGrid1.set_cell(d.indice_col("Libellé"), 1, std::string("sauvegarde ") + argv[4]);
        d.systeme_wkt = std::stoi(argv[4]) % 5 == 0 ? std::string() : std::string("systeme ") + argv[4];
        std::puts("pret");
        std::fflush(stdout);
        const auto debut = std::chrono::steady_clock::now();
        vuv::ecrit_projet(d, argv[3], true);
        const auto duree = std::chrono::steady_clock::now() - debut;
        std::printf("fini %lld\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(duree).count()));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
