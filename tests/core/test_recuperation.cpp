// Recovery after a crash: when the work is written, what the file holds, whose file is offered,
// and what a damaged or foreign file or an unwritable folder gives.
#include "core/annulation/NomsEditions.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Digitalisation.h"
#include "core/fichiers/EcritureSure.h"
#include "core/projet/Projet.h"
#include "core/recuperation/Identite.h"
#include "core/recuperation/Recuperation.h"
#include "core/reglages/DossierProgramme.h"
#include "core/reglages/FichiersReglages.h"
#include "core/text/encodage.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"
#include "tests/support/FichiersEssai.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

using namespace vuv;
namespace fs = std::filesystem;

namespace {

using vuv::octets::ecrit;
using vuv::octets::lit;

std::vector<std::string> noms(const fs::path& dossier) {
    std::vector<std::string> r;
    for (const auto& e : fs::directory_iterator(dossier)) r.push_back(e.path().filename().string());
    std::sort(r.begin(), r.end());
    return r;
}

// A calibrated map with three points, unsaved; the points table holds rows past the count,
// as after a deletion.
void travail(Document& d) {
    d.fichier_image = "/cartes/plan.jpg";
    d.largeur_fond = 1200;
    d.hauteur_fond = 900;
    for (auto [x, y] : {std::pair{100, 100}, {100, 300}, {400, 300}, {250, 200}, {400, 100}, {30, 40}})
        clic_digitaliser(d, x, y, MethodeCalage::trois_points, false);
    d.StringGrid1.set_row_count(10);
    d.StringGrid1.set_cell(2, 2, "borne \"7\", é");
}


class Recup : public ::testing::Test {
protected:
    static void modifie(Document& d, int k) { d.StringGrid1.set_cell(2, 1, "v" + std::to_string(k)); }

    SeparateurLocal sep{'.'};
    PortScripte port_;
    PortInstalle installe{port_};
    const vuv::octets::DossierEssai essai_{"recup_"};
    fs::path racine = essai_.chemin(), dossier = racine / "recuperation";
};

TEST_F(Recup, TheFirstUnsavedEditWritesWhatASaveWritesWithoutTouchingTheTables) {
    Document d;
    travail(d);
    Recuperation r(d, dossier.string(), "3.3");
    r.projet = [] { return std::string("/travaux/plan.trl"); };
    std::string message;
    ASSERT_TRUE(r.demarre(message));
    r.suit_document();
    EXPECT_FALSE(fs::exists(r.fichier())) << "nothing changed since the start";
    modifie(d, 1);
    const auto version = d.StringGrid1.version();
    r.suit_document();
    ASSERT_TRUE(fs::exists(r.fichier()));
    EXPECT_EQ(d.StringGrid1.version(), version);
    EXPECT_EQ(d.StringGrid1.row_count(), 10);

    const std::string octets = lit(r.fichier());
    PiedRecuperation e;
    std::string_view projet;
    std::string raison;
    ASSERT_TRUE(lit_recuperation(octets, e, projet, raison));
    EXPECT_EQ(e.version, "3.3");
    EXPECT_EQ(e.projet, "/travaux/plan.trl");
    EXPECT_LE(std::abs(e.date - std::time(nullptr)), 5);
    Document copie = d;
    const std::string sauve = ecrit_projet(copie, (racine / "plan.trl").string(), true);
    EXPECT_EQ(projet, lit(sauve));
    EXPECT_EQ(octets.substr(projet.size()), "/VUVIVIVA RECUPERATION\r\nversion=3.3\r\ndate=" + std::to_string(e.date) +
                                                "\r\nprojet=/travaux/plan.trl\r\nsysteme=\r\n/FIN\r\n");

    // The whole file opens as a project: the reader stops at its counts.
    Document ouvert;
    ActionsLecture sans_fenetres;
    ASSERT_EQ(lit_projet_octets(ouvert, octets, sans_fenetres), ResultatLecture::lu);
    EXPECT_EQ(ouvert.StringGrid1.cell(2, 2), "borne \"7\", é");

    // A clean save deletes it, and saved work is never written, however many edits.
    d.sauve = true;
    for (int k = 2; k < 5; ++k) {
        r.suit_document();
        EXPECT_FALSE(fs::exists(r.fichier()));
        modifie(d, k);
    }
}

TEST_F(Recup, ThePeriodicWriteHappensOnlyWhenTheUnsavedWorkChanged) {
    Document d;
    travail(d);
    Recuperation r(d, dossier.string(), "3.3");
    std::string message;
    ASSERT_TRUE(r.demarre(message));
    r.echeance();
    ASSERT_TRUE(fs::exists(r.fichier()));
    fs::remove(r.fichier());
    r.echeance();
    EXPECT_FALSE(fs::exists(r.fichier())) << "nothing changed: not written again";
    modifie(d, 1);
    r.echeance();
    EXPECT_TRUE(fs::exists(r.fichier()));
    d.sauve = true;
    modifie(d, 2);
    r.echeance();
    EXPECT_FALSE(fs::exists(r.fichier()));
}

TEST_F(Recup, ACleanEndLeavesNothingBehind) {
    {
        Document d;
        travail(d);
        Recuperation r(d, dossier.string(), "3.3");
        std::string message;
        ASSERT_TRUE(r.demarre(message));
        ASSERT_TRUE(r.ecrit());
        EXPECT_EQ(noms(dossier).size(), 2u); // the file and its lock
    }
    EXPECT_TRUE(noms(dossier).empty());
}

// A real program: a child process writes its recovery, then is killed.
pid_t programme_qui_ecrit(const fs::path& dossier, int tube_ecriture) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    Document d;
    travail(d);
    Recuperation r(d, dossier.string(), "3.3");
    std::string message;
    const char ok = r.demarre(message) && r.ecrit() ? 'o' : 'n';
    if (::write(tube_ecriture, &ok, 1) != 1) ::_exit(1);
    for (;;) ::pause();
}

TEST_F(Recup, OnlyTheFileOfAProgramNoLongerRunningIsOfferedAndToOneProgramAtATime) {
    int tube[2];
    ASSERT_EQ(::pipe(tube), 0);
    const pid_t enfant = programme_qui_ecrit(dossier, tube[1]);
    char ok = 0;
    ASSERT_EQ(::read(tube[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'o');
    // A lock left by a program that died before writing anything.
    fs::create_directories(dossier);
    ecrit(dossier / "20000101-000000-1.verrou", "");

    Document d;
    Recuperation moi(d, dossier.string(), "3.3");
    std::string message;
    ASSERT_TRUE(moi.demarre(message));
    ASSERT_TRUE(moi.ecrit());
    EXPECT_TRUE(moi.abandonnees().empty()) << "the other program still runs";
    EXPECT_FALSE(fs::exists(dossier / "20000101-000000-1.verrou"));

    ::kill(enfant, SIGKILL);
    ::waitpid(enfant, nullptr, 0);
    ::close(tube[0]);
    ::close(tube[1]);
    auto offertes = moi.abandonnees();
    ASSERT_EQ(offertes.size(), 1u);
    EXPECT_NE(offertes[0].fichier(), moi.fichier());
    {
        Document autre;
        Recuperation deuxieme(autre, dossier.string(), "3.3");
        ASSERT_TRUE(deuxieme.demarre(message));
        EXPECT_TRUE(deuxieme.abandonnees().empty()) << "already being offered by the first";
    }
    ASSERT_TRUE(offertes[0].verifie("3.3"));
    EXPECT_TRUE(port_.messages().empty());
    Document relu;
    ActionsLecture sans_fenetres;
    ASSERT_EQ(lit_projet_octets(relu, offertes[0].octets_projet(), sans_fenetres), ResultatLecture::lu);
    // The same tables as the dead program's work saved and opened again.
    Document travail_mort;
    travail(travail_mort);
    Document attendu;
    ASSERT_EQ(lit_projet_octets(attendu, lit(ecrit_projet(travail_mort, (racine / "mort.trl").string(), true)),
                                sans_fenetres),
              ResultatLecture::lu);
    EXPECT_EQ(relu.nb_points, 3);
    for (const Grille Document::*g : {&Document::StringGrid1, &Document::StringGrid2, &Document::StringGrid3}) {
        ASSERT_EQ((relu.*g).row_count(), (attendu.*g).row_count());
        for (int r = 0; r < (attendu.*g).row_count(); ++r)
            for (int c = 0; c < (attendu.*g).col_count(); ++c) EXPECT_EQ((relu.*g).cell(c, r), (attendu.*g).cell(c, r));
    }
    const std::string fichier = offertes[0].fichier();
    offertes[0].efface();
    EXPECT_FALSE(fs::exists(fichier));
    offertes.clear();
    EXPECT_EQ(noms(dossier).size(), 2u); // only this program's file and lock
}

TEST_F(Recup, ADamagedOrForeignFileIsSetAsideWithTheReadersMessage) {
    Document d;
    travail(d);
    std::string projet;
    {
        Document copie = d;
        projet = lit(ecrit_projet(copie, (racine / "plan.trl").string(), true));
    }
    const std::string pied = "/VUVIVIVA RECUPERATION\r\nversion=3.3\r\ndate=1000\r\nprojet=\r\n/FIN\r\n";
    const std::string incomplet = "Le fichier de récupération est incomplet : ses lignes de fin manquent ou sont coupées.";
    std::string coupe = projet;
    coupe.replace(coupe.find("\r\n3\r\n"), 5, "\r\n9999\r\n"); // more points than rows
    const struct {
        std::string octets, message;
    } cas[] = {
        {"", incomplet},
        {(projet + pied).substr(0, projet.size() + 30), incomplet},
        {projet + "/VUVIVIVA RECUPERATION\r\ndate=1000\r\n/FIN\r\n",
         "Les dernières lignes du fichier de récupération n'ont pas de version."},
        {projet + "/VUVIVIVA RECUPERATION\r\nversion=4.0\r\ndate=1000\r\n/FIN\r\n",
         "Il a été écrit par la version 4.0 de Vuviviva ; celle-ci est la version 3.3."},
        {coupe + pied,
         "Le nombre de points (ligne 6) annonce 9999 points, mais le fichier n'a que 11 lignes après elle.\n"
         "erreur =106"},
    };
    fs::create_directories(dossier);
    Recuperation moi(d, dossier.string(), "3.3");
    std::string message;
    ASSERT_TRUE(moi.demarre(message));
    for (const auto& c : cas) {
        port_.oublie();
        const fs::path f = dossier / "20000101-000000-2.recuperation";
        ecrit(f, c.octets);
        auto offertes = moi.abandonnees();
        ASSERT_EQ(offertes.size(), 1u);
        EXPECT_FALSE(offertes[0].verifie("3.3"));
        const fs::path cote = dossier / "20000101-000000-2.illisible";
        EXPECT_EQ(port_.messages(), std::vector<std::string>{"Le projet " + cote.string() +
                                                              " n'a pas été ouvert :\n\n" + c.message +
                                                              "\n\nLe travail en cours est conservé tel quel."});
        EXPECT_EQ(lit(cote), c.octets);
        EXPECT_FALSE(fs::exists(f));
        EXPECT_FALSE(fs::exists(dossier / "20000101-000000-2.verrou"));
        EXPECT_TRUE(moi.abandonnees().empty());
        fs::remove(cote);
    }
}

TEST_F(Recup, AFolderThatCannotBeWrittenIsSaidOnceAndRecoveryStaysOff) {
    ecrit(racine / "fichier", "");
    Document d;
    travail(d);
    Recuperation r(d, (racine / "fichier" / "recuperation").string(), "3.3");
    std::string message;
    EXPECT_FALSE(r.demarre(message));
    EXPECT_EQ(message, "Le dossier de récupération " + (racine / "fichier" / "recuperation").string() +
                           "/ ne peut pas être écrit (un élément du chemin n'est pas un dossier) : le travail non "
                           "enregistré ne pourra pas être récupéré après un arrêt imprévu.");
    modifie(d, 1);
    r.suit_document();
    r.echeance();
    EXPECT_FALSE(r.ecrit());
    EXPECT_TRUE(r.abandonnees().empty());
}

TEST_F(Recup, TheFolderTheIntervalAndTheQuestionFollowTheUserSettings) {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const std::string ancien = xdg ? xdg : "";
    ::setenv("XDG_DATA_HOME", "/donnees/moi", 1);
    EXPECT_EQ(dossier_recuperation(), "/donnees/moi/vuviviva/recuperation/");
    ::setenv("XDG_DATA_HOME", "relatif", 1);
    EXPECT_EQ(dossier_recuperation(), std::string(std::getenv("HOME")) + "/.local/share/vuviviva/recuperation/");
    if (xdg) ::setenv("XDG_DATA_HOME", ancien.c_str(), 1);
    else ::unsetenv("XDG_DATA_HOME");

    const DossierProgrammeLocal programme(racine.string());
    EXPECT_EQ(intervalle_recuperation(), 120);
    for (const auto& [texte, attendu] : {std::pair{"30\r\n", 30}, {"0", 120}, {"2 minutes", 120}, {"86401", 120}}) {
        ecrit(racine / std::string(fichier_recuperation), texte);
        EXPECT_EQ(intervalle_recuperation(), attendu) << texte;
    }

    const char* tz = std::getenv("TZ");
    const std::string ancien_tz = tz ? tz : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(question_recuperation(1741788300), "Récupérer le travail non enregistré du 12/03/2025 à 14:05 ?");
    if (tz) ::setenv("TZ", ancien_tz.c_str(), 1);
    else ::unsetenv("TZ");
    ::tzset();
}

// --- The journal of the edits ---

// A project's bytes as saving them after one reading would give them.
std::string relu(std::string_view octets) {
    Document d;
    ActionsLecture sans_fenetres;
    if (lit_projet_octets(d, octets, sans_fenetres) != ResultatLecture::lu) return "(illisible)";
    return texte_projet_tel_quel(d, true);
}
std::string relu(const Document& d) { return relu(utf8_vers_cp1252(texte_projet_tel_quel(d, true))); }

class Journal : public Recup {
protected:
    void SetUp() override {
        travail(d);
        r.suit(pile);
        std::string message;
        ASSERT_TRUE(r.demarre(message));
        ASSERT_TRUE(moi.demarre(message));
        ASSERT_TRUE(r.ecrit());
        copie = lit(r.fichier());
    }
    // What the next start offers and takes back from these bytes, left by a dead program.
    std::string repris(const std::string& octets) {
        ecrit(dossier / "20000101-000000-9.recuperation", octets);
        auto offertes = moi.abandonnees();
        if (offertes.size() != 1 || !offertes[0].verifie("3.3")) return "(non offert)";
        const std::string texte = relu(offertes[0].octets_projet());
        offertes[0].efface();
        return texte;
    }
    void clic(int x, int y) {
        const PileAnnulation::Edition e(&pile, noms_editions::point_digitalise);
        clic_digitaliser(d, x, y, MethodeCalage::trois_points, false);
    }

    Document d, autre;
    PileAnnulation pile{d};
    Recuperation r{d, dossier.string(), "3.3"}, moi{autre, dossier.string(), "3.3"};
    std::string copie;
};

TEST_F(Journal, EachEditIsAppendedAsItHappensAndComesBackInOrder) {
    const struct {
        const char* quoi;
        std::function<void()> edition;
    } editions[] = {
        {"a point", [&] { clic(500, 420); }},
        {"another", [&] { clic(520, 440); }},
        {"a label typed, no step yet",
         [&] {
             d.StringGrid1.set_cell(2, 2, "tapé\r\nsur deux lignes \\ fin");
             r.suit_document();
         }},
        {"a point in the middle deleted",
         [&] {
             const PileAnnulation::Edition e(&pile, noms_editions::suppression_point);
             d.StringGrid1.set_row(2);
             d.efface_tab_et_point(true);
         }},
        {"undone", [&] { pile.annuler(); }},
        {"undone again", [&] { pile.annuler(); }},
        {"redone", [&] { pile.retablir(); }},
        {"a line's colour",
         [&] {
             const PileAnnulation::Edition e(&pile, noms_editions::couleur_ligne);
             d.StringGrid3.set_cell(2, 1, "$00FF00");
         }},
        {"a point after undoing drops the redo", [&] { clic(530, 460); }},
    };
    for (const auto& e : editions) {
        e.edition();
        const std::string octets = lit(r.fichier());
        EXPECT_TRUE(octets.starts_with(copie) && octets.size() > copie.size()) << e.quoi << ": appended to the copy";
        EXPECT_EQ(repris(octets), relu(d)) << e.quoi;
    }
}

TEST_F(Journal, ACutOrDamagedRecordAndAllAfterItAreIgnored) {
    std::vector<std::string> etats{relu(d)};
    std::vector<std::size_t> debuts; // of each record
    for (int k = 0; k < 3; ++k) {
        debuts.push_back(lit(r.fichier()).size());
        clic(500 + 10 * k, 420);
        etats.push_back(relu(d));
    }
    const std::string octets = lit(r.fichier());
    const std::size_t dernier = debuts.back();
    for (std::size_t n = dernier; n < octets.size(); ++n)
        ASSERT_EQ(repris(octets.substr(0, n)), etats[2]) << "cut at " << n - dernier << " bytes of the last record";
    for (std::size_t k = 0; k < debuts.size(); ++k) {
        std::string abime = octets;
        abime[(debuts[k] + (k + 1 < debuts.size() ? debuts[k + 1] : octets.size())) / 2] ^= 0x20;
        EXPECT_EQ(repris(abime), etats[k]) << "record " << k + 1 << " damaged";
    }
}

TEST_F(Journal, TheTimerPutsAFullCopyInPlaceOfTheJournal) {
    clic(500, 420);
    r.echeance();
    const std::string octets = lit(r.fichier());
    EXPECT_TRUE(octets.ends_with("/FIN\r\n"));
    EXPECT_EQ(repris(octets), relu(d));
}

TEST_F(Recup, TheFileOfAnotherUserOrOfARunningProgramIsNeverOffered) {
    Document d;
    travail(d);
    std::string projet;
    {
        Document copie = d;
        projet = lit(ecrit_projet(copie, (racine / "plan.trl").string(), true));
    }
    // A program that has ended: this process's number, another start.
    std::string mort = identite_programme();
    mort = mort.substr(0, mort.rfind(' ')) + " 0";
    const bool root = ::geteuid() == 0;
    const struct {
        const char* quoi;
        std::string verrou;
        bool fichier_a_autrui, verrou_a_autrui, offert;
    } cas[] = {
        {"a program that has ended", mort, false, false, true},
        {"this program, running, its lock not held", identite_programme(), false, false, false},
        {"another user's file", mort, true, false, false},
        {"another user's lock", mort, false, true, false},
    };
    Recuperation moi(d, dossier.string(), "3.3");
    std::string message;
    ASSERT_TRUE(moi.demarre(message));
    for (const auto& c : cas) {
        if ((c.fichier_a_autrui || c.verrou_a_autrui) && !root) continue; // only root gives files away
        const fs::path f = dossier / "20000101-000000-3.recuperation", v = dossier / "20000101-000000-3.verrou";
        const std::string octets = projet + pied_recuperation({"3.3", 1000, "/travaux/plan.trl", ""});
        ecrit(f, octets);
        ecrit(v, c.verrou);
        if (c.fichier_a_autrui || c.verrou_a_autrui) {
            ASSERT_EQ(::chown((c.fichier_a_autrui ? f : v).c_str(), 65534, 65534), 0);
        }
        EXPECT_EQ(moi.abandonnees().size(), c.offert ? 1u : 0u) << c.quoi;
        EXPECT_EQ(lit(f), octets) << c.quoi << ": left as it was";
        EXPECT_TRUE(fs::exists(v)) << c.quoi;
        fs::remove(f);
        fs::remove(v);
    }
}

} // namespace
