// The three tables of the document: creation, writing and reading point rows, the number of
// decimals and deleting points, under both decimal conventions.
#include "core/document/Document.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"
#include "VueEnregistree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vuv {
namespace {

using test::VueEnregistree;

class Table : public ::testing::TestWithParam<char> {
protected:
    Table() { d.attache_vue(&vue); }

    // A number as written with the point, shown with the separator under test.
    std::string num(std::string t) const {
        for (char& c : t)
            if (c == '.') c = GetParam();
        return t;
    }
    static std::string blancs(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

    std::vector<std::string> ligne(const Grille& g, int row) const {
        std::vector<std::string> r;
        for (int c = 0; c < g.col_count(); ++c) r.emplace_back(g.cell(c, row));
        return r;
    }

    // Points 1..n in the given lines; point k at pixel (10k, 20k), X = k, label "pk".
    void remplit(const std::vector<int>& lignes) {
        int row = 0;
        for (int L : lignes) {
            ++row;
            d.affecte_en(row, L, "p" + std::to_string(row), 0.5L, 100.0L + row, row, 20 * row, 10 * row);
        }
        d.nb_points = row;
    }

    SeparateurLocal sep{GetParam()};
    PortScripte p;
    PortInstalle port_installe{p};
    VueEnregistree vue;
    Document d;
};

TEST_P(Table, CreationDesTroisTables) {
    const std::vector<std::string> entetes = {"n", "L", "Libellé", "X", "Y", "Z", "x", "y", "z"};
    EXPECT_EQ(ligne(d.StringGrid1, 0), entetes);
    EXPECT_EQ(ligne(d.StringGrid2, 0), entetes);
    EXPECT_EQ(ligne(d.StringGrid3, 0), (std::vector<std::string>{"L", "épaisseur", "couleur", "OK", "nom"}));
    EXPECT_EQ(d.StringGrid1.col_count(), 9);
    EXPECT_EQ(d.StringGrid2.col_count(), 9);
    EXPECT_EQ(d.StringGrid3.col_count(), 5);
    EXPECT_EQ(d.StringGrid1.row_count(), 2);
    EXPECT_EQ(d.StringGrid2.row_count(), 4);
    EXPECT_EQ(d.StringGrid3.row_count(), 2);
    EXPECT_EQ(ligne(d.StringGrid1, 1), std::vector<std::string>(9));
    EXPECT_EQ(d.StringGrid2.fixed_cols(), 2);
    EXPECT_EQ(d.StringGrid1.fixed_rows(), 0); // fixed only from the first digitized point

    const std::vector<int> largeurs_points = {30, 30, 40, 50, 50, 30, 30, 30, 30};
    const std::vector<int> largeurs_calage = {15, 15, 40, 50, 50, 30, 30, 30, 30};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(d.StringGrid1.col_width(c), largeurs_points[c]) << c;
        EXPECT_EQ(d.StringGrid2.col_width(c), largeurs_calage[c]) << c;
    }
    const std::vector<int> largeurs_lignes = {30, 60, 40, 20, 80};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(d.StringGrid3.col_width(c), largeurs_lignes[c]) << c;

    // The unit frame, X Y Z padded to width 12, x and y empty until clicked.
    const std::string zero = blancs(12) + num("0.0000"), un = blancs(12) + num("1.0000");
    EXPECT_EQ(ligne(d.StringGrid2, 1), (std::vector<std::string>{"1", "0", "cal 1", zero, un, zero, "", "", ""}));
    EXPECT_EQ(ligne(d.StringGrid2, 2), (std::vector<std::string>{"2", "0", "cal 2", zero, zero, zero, "", "", ""}));
    EXPECT_EQ(ligne(d.StringGrid2, 3), (std::vector<std::string>{"3", "0", "cal 3", un, zero, zero, "", "", ""}));
    EXPECT_EQ(ligne(d.StringGrid3, 1), (std::vector<std::string>{"1", "4", "255", "x", ""}));

    EXPECT_EQ(d.nb_points, 0);
    EXPECT_EQ(d.num_ligne, 0);
    EXPECT_EQ(d.nb_calage, 0);
    EXPECT_TRUE(p.echanges().empty());
}

TEST_P(Table, NouveauPointEnLigneNPlusUn) {
    remplit({1, 1});
    ASSERT_EQ(d.StringGrid1.row_count(), 3);

    d.affecte_en(3, 1, "", valeur_absente(), 20.5L, 12.25L, 300, 250);
    EXPECT_EQ(d.StringGrid1.row_count(), 4);
    EXPECT_EQ(ligne(d.StringGrid1, 3),
              (std::vector<std::string>{blancs(4) + "3", blancs(2) + "1", "", num("12.25000000"),
                                        num("20.50000000"), num("0.00000000"), blancs(2) + "250",
                                        blancs(2) + "300", ""}));

    // Rewriting an existing row neither grows the table nor touches "z".
    d.StringGrid1.set_cell(8, 2, "z2");
    d.affecte_en(2, 7, "borne", -3.5L, -1.0L, 2.0L, 4, 5);
    EXPECT_EQ(d.StringGrid1.row_count(), 4);
    EXPECT_EQ(ligne(d.StringGrid1, 2),
              (std::vector<std::string>{blancs(4) + "2", blancs(2) + "7", "borne", num("2.00000000"),
                                        num("-1.00000000"), num("-3.50000000"), blancs(6) + "5",
                                        blancs(6) + "4", "z2"}));
}

TEST_P(Table, NumeroDePointComplete) {
    for (int row = 1; row <= 12; ++row) d.affecte_en(row, 1, "", 0, 0, 0, 0, 0);
    d.affecte_en(123, 1, "", 0, 0, 0, 0, 0); // beyond the end: the table grows by one row only
    EXPECT_EQ(d.StringGrid1.cell(0, 9), blancs(4) + "9");
    EXPECT_EQ(d.StringGrid1.cell(0, 12), blancs(2) + "12");
    EXPECT_EQ(d.StringGrid1.row_count(), 14);
    d.affecte_en(0, 1, "", 0, 0, 0, 0, 0);
    EXPECT_EQ(d.StringGrid1.cell(0, 0), "n");
}

TEST_P(Table, NombreDeDecimales) {
    d.texte_decimales = "25";
    d.affecte_en(1, 1, "", valeur_absente(), 2.0L, 1.5L, 0, 0);
    EXPECT_EQ(d.ndecimale, 20);
    EXPECT_EQ(d.StringGrid1.cell(5, 1), num("0." + std::string(20, '0')));
    const std::string x{d.StringGrid1.cell(3, 1)};
    EXPECT_EQ(x.size() - x.find(GetParam()) - 1, 20u) << x;

    d.texte_decimales = "0";
    d.affecte_en(1, 1, "", 0, 2.0L, 1.25L, 0, 0);
    EXPECT_EQ(d.StringGrid1.cell(3, 1), "1");
    EXPECT_EQ(d.StringGrid1.cell(5, 1), "0");

    // Spaces around digits are still an integer and must not raise the integer question.
    d.texte_decimales = " 3 ";
    d.affecte_en(1, 1, "", 0, 2.0L, 1.25L, 0, 0);
    EXPECT_EQ(d.StringGrid1.cell(3, 1), num("1.250"));
    d.texte_decimales = "99999999999999";
    d.affecte_ndecimale();
    EXPECT_EQ(d.ndecimale, 20);
    EXPECT_TRUE(p.echanges().empty());
}

TEST_P(Table, DecimalesIllisibles) {
    d.texte_decimales = "abc";
    d.affecte_en(1, 1, "", 0, 2.0L, 1.25L, 0, 0);
    EXPECT_EQ(d.ndecimale, 8);
    EXPECT_EQ(d.StringGrid1.cell(3, 1), num("1.25000000"));
    EXPECT_EQ(p.textes("information"),
              std::vector<std::string>{"le nombre de décimale est illisible =<abc>\n"
                                       " on affecte donc 8 décimales par défaut"});

    // A negative number is not an integer for the box either.
    p.oublie();
    d.texte_decimales = "-5";
    d.affecte_ndecimale();
    EXPECT_EQ(d.ndecimale, 8);
    EXPECT_EQ(p.nombre("information"), 1);
}

TEST_P(Table, DecimalesIllisiblesSignaleesUneFoisParOperation) {
    remplit(std::vector<int>(40, 1));
    d.nb_calage = 0;
    d.texte_decimales = "huit";
    p.oublie();

    d.calcul_nouveaux_calage();
    EXPECT_EQ(p.nombre("information"), 1);
    EXPECT_EQ(d.StringGrid1.cell(3, 40), num("40.00000000"));

    d.calcul_nouveaux_calage();
    EXPECT_EQ(p.nombre("information"), 2);

    {
        Document::Operation exterieure(d);
        d.affecte_en(1, 1, "", 0, 0, 0, 0, 0);
        d.calcul_nouveaux_calage(); // nested: still the same user operation
        d.affecte_en(2, 1, "", 0, 0, 0, 0, 0);
    }
    EXPECT_EQ(p.nombre("information"), 3);

    // Outside any operation each write is its own.
    d.affecte_en(1, 1, "", 0, 0, 0, 0, 0);
    d.affecte_en(2, 1, "", 0, 0, 0, 0, 0);
    EXPECT_EQ(p.nombre("information"), 5);
}

TEST_P(Table, LectureDUneLigne) {
    d.affecte_en(1, 3, "borne 12", valeur_absente(), -20.75L, 1234.5L, 678, 45);
    LignePoint l;
    ASSERT_TRUE(d.liste_extrait_Lxy(1, l));
    EXPECT_EQ(l.L, 3);
    EXPECT_EQ(l.libelle, "borne 12");
    EXPECT_EQ(l.X, 1234.5L);
    EXPECT_EQ(l.Y, -20.75L);
    EXPECT_EQ(l.Z, 0.0L); // the missing Z shows as a zero and reads back as one
    EXPECT_EQ(l.x, 45);
    EXPECT_EQ(l.y, 678);

    // Outside 1..row count - 1 nothing is read and the outputs stay.
    LignePoint garde;
    garde.L = 99;
    garde.libelle = "garde";
    EXPECT_FALSE(d.liste_extrait_Lxy(0, garde));
    EXPECT_FALSE(d.liste_extrait_Lxy(d.StringGrid1.row_count(), garde));
    EXPECT_EQ(garde.L, 99);
    EXPECT_EQ(garde.libelle, "garde");
    EXPECT_TRUE(p.echanges().empty());
}

TEST_P(Table, ColonnesTrouveesParLEntete) {
    EXPECT_EQ(d.indice_col("Libellé"), 2);
    EXPECT_EQ(d.indice_col("z"), 8);
    EXPECT_EQ(d.indice_col("w"), -1);
    EXPECT_EQ(d.indice_col_cal("Y"), 4);

    // A header typed with spaces is found, and rows are written by header, not by position.
    d.StringGrid1.set_cell(3, 0, "Z ");
    d.StringGrid1.set_cell(5, 0, "  X");
    EXPECT_EQ(d.indice_col("X"), 5);
    EXPECT_EQ(d.indice_col(" Z"), 3);
    d.affecte_en(1, 1, "", 3.0L, 2.0L, 1.0L, 0, 0);
    EXPECT_EQ(d.StringGrid1.cell(5, 1), num("1.00000000"));
    EXPECT_EQ(d.StringGrid1.cell(3, 1), num("3.00000000"));
    LignePoint l;
    ASSERT_TRUE(d.liste_extrait_Lxy(1, l));
    EXPECT_EQ(l.X, 1.0L);
    EXPECT_EQ(l.Z, 3.0L);
}

TEST_P(Table, SuppressionDeLaLigneSelectionnee) {
    remplit({1, 1, 2, 2, 2});
    ASSERT_EQ(d.StringGrid1.row_count(), 6);
    const auto ligne5 = ligne(d.StringGrid1, 5);
    d.StringGrid1.set_row(2);

    d.efface_tab_et_point(true);
    EXPECT_EQ(d.nb_points, 4);
    EXPECT_EQ(d.StringGrid1.row_count(), 5);
    EXPECT_EQ(d.StringGrid1.cell(0, 2), blancs(4) + "2");
    EXPECT_EQ(d.StringGrid1.cell(2, 2), "p3");
    EXPECT_EQ(d.StringGrid1.cell(0, 3), blancs(4) + "3");
    EXPECT_EQ(d.StringGrid1.cell(2, 3), "p4");
    auto attendu = ligne5;
    attendu[0] = blancs(4) + "4";
    EXPECT_EQ(ligne(d.StringGrid1, 4), attendu);
    EXPECT_EQ(d.StringGrid1.cell(2, 1), "p1");
    EXPECT_EQ(d.num_ligne, 2);
    EXPECT_EQ(vue.appels, (std::vector<std::string>{"redessiner_calque", "af_efface_der_ligne_xor", "pointer_selection"}));
}

TEST_P(Table, SuppressionDuDernierPoint) {
    // Without the points window, the last point goes whatever row is selected.
    remplit({1, 1, 1, 2, 2});
    d.StringGrid1.set_row(1);
    d.efface_tab_et_point(false);
    EXPECT_EQ(d.nb_points, 4);
    EXPECT_EQ(d.StringGrid1.row_count(), 5);
    EXPECT_EQ(d.StringGrid1.cell(2, 1), "p1");
    EXPECT_EQ(d.StringGrid1.cell(2, 4), "p4");
    EXPECT_TRUE(vue.appels.empty());
    // The new last point starts line 2: the next point continues it.
    EXPECT_EQ(d.num_ligne, 2);

    // A selection outside the points falls back to the last point.
    d.StringGrid1.set_row(0);
    d.efface_tab_et_point(true);
    EXPECT_EQ(d.nb_points, 3);
    EXPECT_EQ(d.StringGrid1.cell(2, 3), "p3");
    EXPECT_EQ(d.num_ligne, 1);

    // A trailing empty row moves up with the others but gets no number.
    d.StringGrid1.set_row_count(6);
    d.StringGrid1.set_row(1);
    d.efface_tab_et_point(true);
    EXPECT_EQ(d.StringGrid1.row_count(), 5);
    EXPECT_EQ(d.StringGrid1.cell(2, 2), "p3");
    EXPECT_EQ(ligne(d.StringGrid1, 3), std::vector<std::string>(9));
    EXPECT_EQ(ligne(d.StringGrid1, 4), std::vector<std::string>(9));
}

TEST_P(Table, SuppressionJusquAuVide) {
    remplit({4});
    d.StringGrid1.set_cell(1, 1, blancs(2) + "0"); // a line 0 read back gives line 1
    d.StringGrid1.set_row(1);
    d.efface_tab_et_point(true);
    EXPECT_EQ(d.nb_points, 0);
    EXPECT_EQ(d.StringGrid1.row_count(), 1);
    EXPECT_EQ(d.num_ligne, 1);
    EXPECT_EQ(ligne(d.StringGrid1, 0)[0], "n");

    // Header only: nothing happens, not even the redraw.
    vue.appels.clear();
    d.num_ligne = 5;
    d.efface_tab_et_point(true);
    d.efface_tab_et_point(false);
    EXPECT_EQ(d.StringGrid1.row_count(), 1);
    EXPECT_EQ(d.nb_points, 0);
    EXPECT_EQ(d.num_ligne, 5);
    EXPECT_TRUE(vue.appels.empty());

    // The next point goes back to row 1.
    d.affecte_en(1, 1, "", 0, 0, 0, 0, 0);
    EXPECT_EQ(d.StringGrid1.row_count(), 2);
    EXPECT_EQ(d.StringGrid1.cell(0, 1), blancs(4) + "1");
}

TEST_P(Table, SuppressionSansPointLaisseLEnteteIntact) {
    // The initial empty row is no point: deleting must not pull it over the header.
    d.efface_tab_et_point(false);
    EXPECT_EQ(d.StringGrid1.row_count(), 2);
    EXPECT_EQ(d.StringGrid1.cell(0, 0), "n");
    EXPECT_EQ(d.nb_points, 0);
}

INSTANTIATE_TEST_SUITE_P(Document, Table, ::testing::Values('.', ','),
                         [](const ::testing::TestParamInfo<char>& i) { return test::nom_separateur(i.param); });

} // namespace
} // namespace vuv
