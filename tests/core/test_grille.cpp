#include "core/conversion/FeuilleUTM.h"
#include "core/table/Grille.h"
#include "core/ui/PortUtilisateur.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <string>

using vuv::Grille;

TEST(Grille, RowsLongerThanSixtyFourKilobytesKeepEveryCell) {
    Grille g(3, 2);
    const std::string long_texte(70000, 'a');
    g.set_cell(1, 1, long_texte);
    g.set_cell(0, 1, "x");
    g.set_cell(2, 1, "z");
    EXPECT_EQ(g.cell(0, 1), "x");
    EXPECT_EQ(g.cell(1, 1), long_texte);
    EXPECT_EQ(g.cell(2, 1), "z");
    g.set_cell(1, 1, "y");
    EXPECT_EQ(g.cell(0, 1), "x");
    EXPECT_EQ(g.cell(1, 1), "y");
    EXPECT_EQ(g.cell(2, 1), "z");
}

TEST(Grille, ACellTakesItsTextFromAnotherCellOfTheSameRow) {
    Grille g(3, 2);
    g.set_cell(0, 1, "premier");
    g.set_cell(2, 1, "dernier");
    g.set_cell(1, 1, g.cell(0, 1));
    g.set_cell(0, 1, g.cell(2, 1));
    EXPECT_EQ(g.cell(0, 1), "dernier");
    EXPECT_EQ(g.cell(1, 1), "premier");
    EXPECT_EQ(g.cell(2, 1), "dernier");
}

TEST(Grille, CopiesAndRowMovesDoNotShareCells) {
    Grille g(2, 3);
    g.set_cell(0, 1, "a");
    g.set_cell(1, 2, "b");
    Grille copie = g;
    g.copie_ligne(1, 2);
    g.set_cell(0, 1, "changé");
    EXPECT_EQ(g.cell(0, 2), "a");
    EXPECT_EQ(g.cell(1, 2), "");
    EXPECT_EQ(copie.cell(0, 1), "a");
    EXPECT_EQ(copie.cell(1, 2), "b");
    g.set_col_count(1);
    g.set_col_count(3);
    EXPECT_EQ(g.cell(0, 1), "changé");
    EXPECT_EQ(g.cell(1, 1), "");
}

// A million-row conversion sheet must not cost a string object per cell.
TEST(Grille, AnImportedSheetHoldsAboutItsTextInMemory) {
    std::string texte;
    for (int i = 0; i < 200000; ++i)
        texte += "P" + std::to_string(i) + ";a;b;" + std::to_string(5383757 + i) + ";" + std::to_string(406864 + i) + ";32\r\n";
    Grille g(1, 1);
    vuv::prepare_feuille(g);
    const auto c = vuv::colonnes_feuille(g);
    const std::size_t avant = mallinfo2().uordblks;
    ASSERT_EQ(vuv::importe_texte(g, c, texte), 200000);
    const std::size_t pris = mallinfo2().uordblks - avant;
    EXPECT_LT(pris, 3 * texte.size()) << pris << " octets pour " << texte.size();
}

TEST(Grille, AnImportLongerThanTheSheetSaysWhereItStopped) {
    std::string texte;
    for (int i = 0; i < vuv::feuille_lignes_max + 5; ++i) texte += "p;;;1;2\n";
    vuv::PortScripte p;
    vuv::PortInstalle installe{p};
    Grille g(1, 1);
    vuv::prepare_feuille(g);
    EXPECT_EQ(vuv::importe_texte(g, vuv::colonnes_feuille(g), texte), vuv::feuille_lignes_max - 1);
    EXPECT_EQ(p.messages(), std::vector<std::string>{"Le fichier a plus de lignes que la feuille ne peut en contenir : "
                                                     "seules les 1999999 premières positions ont été lues."});
}
