// The one atomic writer and the one table of errno words.
#include "LimiteTaille.h"
#include "core/fichiers/EcritureSure.h"
#include "core/fichiers/RaisonSysteme.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace vuv;
namespace fs = std::filesystem;

namespace {

class Ecriture : public ::testing::Test {
protected:
    void SetUp() override {
        dossier = fs::path(::testing::TempDir()) / ("ecriture_" + std::to_string(::getpid()));
        fs::remove_all(dossier);
        fs::create_directories(dossier);
    }
    void TearDown() override { fs::remove_all(dossier); }
    std::string chemin(const char* nom) const { return (dossier / nom).string(); }
    std::size_t fichiers() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()));
    }
    fs::path dossier;
};

} // namespace

TEST_F(Ecriture, AbandonedMidwayLeavesTheTargetAsItWas) {
    const std::string c = chemin("t.txt");
    ecrit_fichier_sur(c, "avant");
    {
        EcritureSure e(c);
        ASSERT_TRUE(e.ecrit("apres"));
    }  // never validated
    EXPECT_EQ(lit_fichier(c), "avant");
    EXPECT_EQ(fichiers(), 1u);
}

// Pieces on both sides of the buffer's size arrive whole and in order.
TEST_F(Ecriture, PiecesLargerAndSmallerThanTheBuffer) {
    const std::string c = chemin("gros.bin");
    std::string attendu;
    EcritureSure e(c);
    for (const std::size_t n : {3u, (1u << 20) - 1, 5u, 3u << 20, 1u}) {
        const std::string piece(n, static_cast<char>('a' + attendu.size() % 26));
        attendu += piece;
        ASSERT_TRUE(e.ecrit(piece));
    }
    ASSERT_TRUE(e.valide());
    EXPECT_EQ(lit_fichier(c), attendu);
}

TEST_F(Ecriture, MessagesSayWhatFailedAndWhetherTheOldFileSurvives) {
    const std::string c = chemin("plan.txt");
    ecrit_fichier_sur(c, "ancien");
    {
        test::LimiteTaille limite(4);
        EcritureSure e(c);
        e.ecrit("trop long pour la limite");
        EXPECT_FALSE(e.valide());
        EXPECT_EQ(e.message("l'image", true),
                  "Impossible d'enregistrer l'image " + c +
                      " : le fichier dépasse la taille permise ; le fichier existant n'a pas été modifié");
        EXPECT_EQ(e.message(), "Impossible d'enregistrer " + c + " : le fichier dépasse la taille permise");
    }
    EXPECT_EQ(lit_fichier(c), "ancien");
    EXPECT_EQ(fichiers(), 1u);

    fs::create_directory(dossier / "d");
    EcritureSure sur_dossier(chemin("d"));
    EXPECT_EQ(sur_dossier.message("l'image", true), "Impossible d'enregistrer l'image " + chemin("d") +
                                                        " : le chemin désigne un dossier");
    EXPECT_FALSE(sur_dossier.ecrit("x"));
}

// A missing file being read is not a missing folder.
TEST_F(Ecriture, ReadingAMissingFileSaysItIsNotFound) {
    const std::string absent = chemin("absent.trl");
    try {
        lit_fichier(absent);
        FAIL() << "no exception";
    } catch (const ErreurFichier& e) {
        EXPECT_EQ(std::string(e.what()), "Impossible de lire " + absent + " : fichier introuvable");
    }
    EXPECT_EQ(raison_systeme(ENOENT, Acces::ecriture), "le dossier n'existe pas");
    EXPECT_EQ(raison_systeme(EISDIR, Acces::lecture), "le chemin désigne un dossier, pas un fichier");
    EXPECT_EQ(raison_systeme(ENOMEM, Acces::ecriture), "mémoire insuffisante");
}
