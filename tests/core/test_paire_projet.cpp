// The record that ties a project to its system: which side file opening takes after a save cut
// between its renames, what it says when none belongs, and the cut save finished by the next.
#include "core/document/Document.h"
#include "core/projet/PaireProjet.h"
#include "core/projet/Projet.h"
#include "core/text/separateur.h"
#include "tests/support/FichiersEssai.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace vuv;
namespace fs = std::filesystem;
using vuv::octets::ecrit;
using vuv::octets::lit;

namespace {

class Paire : public ::testing::Test {
protected:
    // The files a complete save of a project labelled `nom` with `systeme` writes, by extension.
    std::map<std::string, std::string> sauve(const std::string& nom, const std::string& systeme) {
        const fs::path d = racine / nom;
        fs::create_directories(d);
        Document doc;
        doc.StringGrid1.set_cell(2, 1, nom);
        doc.nb_points = 1;
        doc.systeme_wkt = systeme;
        ecrit_projet(doc, (d / "carte.trl").string(), true);
        std::map<std::string, std::string> f;
        for (const char* ext : {".trl", ".prj", ".paire"})
            if (fs::exists(d / ("carte" + std::string(ext)))) f[ext] = lit(d / ("carte" + std::string(ext)));
        return f;
    }

    SeparateurLocal sep{'.'};
    PortScripte port_;
    PortInstalle installe{port_};
    const vuv::octets::DossierEssai essai_{"paire_"};
    fs::path racine = essai_.chemin(), ici = racine / "ici";
};

TEST_F(Paire, OpeningTakesTheSystemSavedWithTheProjectOrSaysNoneIs) {
    auto A = sauve("A", "systeme A"), B = sauve("B", "systeme B"), C = sauve("C", "");
    ASSERT_FALSE(C.contains(".prj"));
    const std::string trl = (ici / "carte.trl").string(), prj = (ici / "carte.prj").string();
    const std::string autre = "Le fichier " + prj + " n'est pas le système de coordonnées enregistré avec le projet " +
                              trl + " (un enregistrement a été interrompu, ou l'un des deux fichiers a été changé "
                                    "depuis) : il est repris tel quel, vérifiez le système du projet.";
    const std::string absent = "Le système de coordonnées enregistré avec le projet " + trl + " est introuvable (" +
                               prj + " manque) : le projet est ouvert sans système.";
    // The files in place by extension, with the temporary system and record a cut save leaves.
    using F = std::map<std::string, std::string>;
    const struct {
        const char* quoi;
        F fichiers;
        bool connu;
        std::string chemin, message;
        std::string systeme_acheve; // what "carte.prj" holds once the cut save is finished
    } cas[] = {
        {"a complete save", F{{".trl", A[".trl"]}, {".prj", A[".prj"]}, {".paire", A[".paire"]}}, true, "carte.prj",
         "", "systeme A"},
        {"cut before any rename", F{{".trl", A[".trl"]}, {".prj", A[".prj"]}, {".paire", A[".paire"]},
                                    {".prj.~enr", B[".prj"]}, {".paire.~enr", B[".paire"]}},
         true, "carte.prj", "", "systeme A"},
        {"cut after the project's rename", F{{".trl", B[".trl"]}, {".prj", A[".prj"]}, {".paire", A[".paire"]},
                                             {".prj.~enr", B[".prj"]}, {".paire.~enr", B[".paire"]}},
         true, "carte.prj.~enr", "", "systeme B"},
        {"cut after the system's rename",
         F{{".trl", B[".trl"]}, {".prj", B[".prj"]}, {".paire", A[".paire"]}, {".paire.~enr", B[".paire"]}}, true,
         "carte.prj", "", "systeme B"},
        {"a save without system cut before the old one went",
         F{{".trl", C[".trl"]}, {".prj", A[".prj"]}, {".paire", A[".paire"]}, {".paire.~enr", C[".paire"]}}, true,
         "", "", ""},
        {"the system replaced since", F{{".trl", B[".trl"]}, {".prj", A[".prj"]}, {".paire", B[".paire"]}}, true,
         "carte.prj", autre, "systeme A"},
        {"the system removed since", F{{".trl", B[".trl"]}, {".paire", B[".paire"]}}, true, "", absent, ""},
        {"no record", F{{".trl", B[".trl"]}, {".prj", A[".prj"]}}, false, "", "", "systeme A"},
        {"a record of other bytes", F{{".trl", B[".trl"]}, {".prj", A[".prj"]}, {".paire", A[".paire"]}}, false, "",
         "", "systeme A"},
    };
    for (const auto& c : cas) {
        fs::remove_all(ici);
        fs::create_directories(ici);
        for (const auto& [ext, octets] : c.fichiers) ecrit(ici / ("carte" + ext), octets);
        const SystemeApparie a = systeme_apparie(trl, lit(trl));
        EXPECT_EQ(a.connu, c.connu) << c.quoi;
        EXPECT_EQ(a.chemin, c.chemin.empty() ? "" : (ici / c.chemin).string()) << c.quoi;
        EXPECT_EQ(a.message, c.message) << c.quoi;

        // The next save first finishes the cut one: then the pair agrees without the temporary files.
        acheve_paire_interrompue(trl);
        EXPECT_EQ(fs::exists(prj) ? lit(prj) : "", c.systeme_acheve) << c.quoi;
        if (c.connu && c.message.empty()) {
            EXPECT_EQ(systeme_apparie(trl, lit(trl)).chemin, c.systeme_acheve.empty() ? "" : prj) << c.quoi;
        }
    }
}

} // namespace
