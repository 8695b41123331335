// Text and number routines, run under both decimal separators.
#include "core/table/Grille.h"
#include "core/text/extraitUTIL.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

using namespace vuv;

namespace {

class Texte : public ::testing::TestWithParam<char> {
protected:
    char sep() const { return GetParam(); }
    // Writes an expected number with the local separator: "12.5" -> "12,5" under ','.
    std::string loc(std::string t) const {
        for (char& c : t)
            if (c == '.') c = sep();
        return t;
    }
    SeparateurLocal separateur_{GetParam()};
    PortScripte port_;
    PortInstalle installe_{port_};
};

INSTANTIATE_TEST_SUITE_P(DeuxSeparateurs, Texte, ::testing::Values('.', ','),
                         [](const auto& i) { return i.param == '.' ? "point" : "virgule"; });

} // namespace

TEST(ValeurAbsente, HasItsExtendedBitPatternAndMagnitude) {
    const long double v = valeur_absente();
    unsigned char octets[16] = {};
    std::memcpy(octets, &v, 10);
    unsigned long long mantisse;
    unsigned short signe_exposant;
    std::memcpy(&mantisse, octets, 8);
    std::memcpy(&signe_exposant, octets + 8, 2);
    EXPECT_EQ(mantisse, 0xB437822C974C445CULL);
    EXPECT_EQ(signe_exposant, 0xB994);
    EXPECT_LT(v, 0);
    EXPECT_NEAR(static_cast<double>(v * 1e495L), -3.6, 1e-9);
    EXPECT_TRUE(est_absente(v));
    EXPECT_FALSE(est_absente(0));
}

TEST(Blancs, TrimOnlySpacesAndTheMainWindowCopyKeepsOne) {
    EXPECT_EQ(enleve_blancs("  a b  "), "a b");
    EXPECT_EQ(enleve_blancs("\ta\t"), "\ta\t");
    EXPECT_EQ(enleve_blancs("    "), "");
    EXPECT_EQ(enleve_blancs_gauche("   x "), "x ");
    EXPECT_EQ(enleve_blancs_droite(" x   "), " x");
    EXPECT_EQ(enleve_blancs_gauche_principal("   "), " ");
    EXPECT_EQ(enleve_blancs_gauche_principal("  x"), "x");
    EXPECT_EQ(enleve_blancs_droite(enleve_blancs_gauche_principal("   ")), "");
    EXPECT_EQ(compte_car(U'é', "été"), 2);
    EXPECT_EQ(compte_car(U'/', "1/2/3"), 2);
    EXPECT_EQ(compte_car(U'x', ""), 0);
}

TEST_P(Texte, EstReelFollowsShapeRules) {
    EXPECT_TRUE(est_reel("1/3"));
    EXPECT_FALSE(est_reel("12/05/2024"));
    EXPECT_TRUE(est_reel(" 3,5 "));
    EXPECT_TRUE(est_reel("3.5"));
    EXPECT_TRUE(est_reel("-1.5E3"));
    EXPECT_FALSE(est_reel("1e3")) << "a small e is refused";
    EXPECT_FALSE(est_reel(""));
    EXPECT_FALSE(est_reel("   "));
    EXPECT_FALSE(est_reel("-"));
    EXPECT_FALSE(est_reel("12 m"));
    // Only the first foreign mark turns local; the shape test is a character class.
    EXPECT_EQ(est_reel("1.2.3"), sep() == '.');
    EXPECT_FALSE(est_reel("é"));
}

TEST_P(Texte, EstEntierRefusesSignsAndMarks) {
    EXPECT_TRUE(est_entier("12"));
    EXPECT_TRUE(est_entier("  12 "));
    EXPECT_FALSE(est_entier("-5"));
    EXPECT_FALSE(est_entier("+5"));
    EXPECT_FALSE(est_entier("1.0"));
    EXPECT_FALSE(est_entier(""));
    EXPECT_FALSE(est_entier("-"));
}

TEST_P(Texte, ValEntierReadsDecimalAndHexWithoutAsking) {
    EXPECT_EQ(val_entier("42"), 42);
    EXPECT_EQ(val_entier("   42"), 42);
    EXPECT_EQ(val_entier("-7"), -7);
    EXPECT_EQ(val_entier("+7"), 7);
    EXPECT_EQ(val_entier("$1F"), 31);
    EXPECT_EQ(val_entier("x10"), 16);
    EXPECT_EQ(val_entier("0X10"), 16);
    EXPECT_EQ(val_entier("-$10"), -16);
    EXPECT_EQ(val_entier("2147483647"), 2147483647);
    EXPECT_EQ(val_entier("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(val_entier("0"), 0);
    EXPECT_TRUE(port_.echanges().empty());
}

TEST_P(Texte, ValEntierAsksWithTheOffendingPosition) {
    EXPECT_EQ(val_entier("12.5"), 12);
    ASSERT_EQ(port_.textes("oui_non").size(), 1u);
    EXPECT_EQ(port_.textes("oui_non")[0],
              "<12.5> n'est pas une valeur entière err=3\n"
              " Sauver automatiquement pour relancer l'application et recharger le projet ? ");
    port_.oublie();

    struct Cas {
        const char* texte;
        int position;
    };
    for (const Cas c : {Cas{"", 1}, Cas{"42 ", 3}, Cas{"-", 2}, Cas{"   ", 4}, Cas{"é", 1},
                        Cas{"2147483648", 11}, Cas{"99999999999", 10}, Cas{"$", 2}, Cas{"0xG", 3}}) {
        EXPECT_EQ(lit_entier(c.texte).erreur, c.position) << c.texte;
    }
    EXPECT_EQ(lit_entier("").valeur, 0);
    EXPECT_FALSE(port_.termine());
}

TEST_P(Texte, EmergencySaveEndsOnlyWhenTheFileWasWritten) {
    std::string chemin_recu;
    installe_sauvegarde_urgence([&](const std::string& chemin) { chemin_recu = chemin; });
    port_.repond_oui();
    EXPECT_EQ(val_entier("7a"), 7);
    EXPECT_EQ(chemin_recu, "~tmp.trl");
    EXPECT_EQ(port_.textes("information").back(), "sauvegarde effectuée dans ~tmp.trl avant arrêt");
    EXPECT_TRUE(port_.termine());

    // A failed save must not claim success nor end the program.
    PortScripte second;
    PortInstalle installe(second);
    installe_sauvegarde_urgence([](const std::string&) { throw std::runtime_error("disque plein"); });
    second.repond_oui();
    EXPECT_EQ(val_entier("8b"), 8);
    ASSERT_EQ(second.textes("information").size(), 1u);
    EXPECT_NE(second.textes("information")[0].find("a échoué : disque plein"), std::string::npos);
    EXPECT_FALSE(second.termine());
    installe_sauvegarde_urgence(nullptr);
}

TEST_P(Texte, ValReelIsLenientAndReportsOnlyConversionFailures) {
    EXPECT_EQ(val_reel("3,5"), 3.5L);
    EXPECT_EQ(val_reel("3.5"), 3.5L);
    EXPECT_EQ(val_reel("  12,5 m"), 12.5L);
    EXPECT_EQ(val_reel("-1.5E3"), -1500.0L);
    EXPECT_EQ(val_reel("1e3"), 1.0L) << "a small e ends the number";
    EXPECT_EQ(val_reel("abc"), 0.0L);
    EXPECT_EQ(val_reel("-"), 0.0L);
    EXPECT_EQ(val_reel("+"), 0.0L);
    EXPECT_EQ(val_reel(""), 0.0L);
    EXPECT_EQ(val_reel("1E-6000"), 0.0L) << "underflow reads as zero";
    EXPECT_TRUE(port_.echanges().empty());

    EXPECT_EQ(val_reel("1-2"), 0.0L);
    EXPECT_EQ(val_reel("1E5000"), 0.0L);
    EXPECT_EQ(val_reel("E"), 0.0L);
    const auto msgs = port_.textes("information");
    ASSERT_EQ(msgs.size(), 3u);
    EXPECT_EQ(msgs[0], "ErreurConversion\n\r'1-2' n'est pas une valeur réelle valide");
    EXPECT_EQ(msgs[1], "ErreurConversion\n\r'1E5000' n'est pas une valeur réelle valide");
}

TEST_P(Texte, ValRTellsMissingFromZero) {
    EXPECT_TRUE(est_absente(val_r("")));
    EXPECT_TRUE(est_absente(val_r("-")));
    EXPECT_EQ(val_r("  -12,50  "), -12.5L);
    EXPECT_EQ(val_r("1.2.3"), 0.0L);
    EXPECT_EQ(val_r("1 234,5"), 1234.5L);
    EXPECT_EQ(val_r("1e3"), 13.0L);
    EXPECT_EQ(val_r(" - "), 0.0L);
    EXPECT_EQ(val_r("5-"), 0.0L);
    EXPECT_EQ(val_r("abc"), 0.0L);
    EXPECT_EQ(val_r_principal(""), 0.0L);
    EXPECT_EQ(val_r_principal("-"), 0.0L);
    EXPECT_EQ(val_r_principal("2,25"), 2.25L);
    EXPECT_TRUE(port_.echanges().empty());
}

TEST_P(Texte, FormatPadsTwoSpacesPerMissingCharacter) {
    EXPECT_EQ(_format(3, 0, 7), "    7");
    EXPECT_EQ(_format(4, 0, 512), "  512");
    EXPECT_EQ(_format(3, 0, -7), "    -7");
    EXPECT_EQ(_format(1, 0, 3), "3");
    EXPECT_EQ(_format(12, 4, 0), std::string(12, ' ') + loc("0.0000"));
    EXPECT_EQ(_format(12, 4, 1), std::string(12, ' ') + loc("1.0000"));
    EXPECT_EQ(_format(2, 0, 12), "12");
    EXPECT_EQ(complete_blancs("é", 3), "    é") << "widths count characters";
    EXPECT_EQ(complete_blancs("abcd", 3), "abcd");
}

TEST_P(Texte, FormatFallsBackToShortScientific) {
    EXPECT_EQ(_format(3, 0, 1000), "1E3");
    EXPECT_EQ(_format(3, 0, 1234), loc("1.23E3"));
    EXPECT_EQ(_format(2, 0, 100), "1E2") << "line 100 no longer reads back as an integer";
    EXPECT_EQ(_format(3, 0, 999.6L), "1E3") << "rounding may add an integer digit";
    EXPECT_EQ(_format2(18, 8, 1e20L), "1E20");
    EXPECT_EQ(_format2(18, 8, -1.5e25L), loc("-1.5E25"));
}

TEST_P(Texte, Format2RoundsOnceToTheSignificantDigits) {
    EXPECT_EQ(_format2(18, 8, 12345.678L), loc("12345.67800000"));
    EXPECT_EQ(_format2(18, 20, 1.5L), loc("1.50000000000000000000"));
    EXPECT_EQ(_format2(18, 20, 1.0L / 3), loc("0.33333333333333333300"))
        << "18 significant digits, then zeros";
    EXPECT_EQ(_format2(18, 8, -1e-12L), loc("0.00000000")) << "a value rounding to zero has no sign";
    EXPECT_EQ(_format2(18, 8, valeur_absente()), loc("0.00000000"));
    EXPECT_EQ(_format2(18, 0, -0.0L), "0");
    EXPECT_EQ(_format2(3, 2, 0.1449L), loc("0.14"));
    EXPECT_EQ(_format2(3, 1, 9.96L), loc("10.0"));
    EXPECT_EQ(_format2(18, 0, 2.5L), "3") << "halves go away from zero";
    EXPECT_EQ(_format2(18, 2, -0.125L), loc("-0.13"));
    EXPECT_EQ(_format2(18, 8, 0.000123456L), loc("0.00012346"));
    EXPECT_EQ(_format2(4, 10, 0.000123456L), loc("0.0001235000"));
    EXPECT_EQ(_format2(18, 4, -3.14159L), loc("-3.1416"));
}

TEST_P(Texte, FormatOfNonFiniteValuesDoesNotCrash) {
    EXPECT_EQ(_format2(18, 8, INFINITY), "INF");
    EXPECT_EQ(_format2(18, 8, -INFINITY), "-INF");
    EXPECT_EQ(_format2(18, 8, NAN), "NAN");
    EXPECT_EQ(_format2(18, 8, 1e4000L), "1E4000");
    EXPECT_EQ(_format(-5, -3, 7), "7") << "odd widths and decimals are held in range";
}

TEST_P(Texte, ReelEnTexteAlwaysWritesAPoint) {
    EXPECT_EQ(reel_en_texte_point(1e-7L), "1E-7");
    EXPECT_EQ(reel_en_texte_point(123.456L), "123.456");
    EXPECT_EQ(reel_en_texte_point(1.5e20L), "1.5E20");
    EXPECT_EQ(reel_en_texte_point(0.0001L), "0.0001");
    EXPECT_EQ(reel_en_texte_point(0.00001L), "1E-5");
    EXPECT_EQ(reel_en_texte_point(123456789012345.0L), "123456789012345");
    EXPECT_EQ(reel_en_texte_point(1e15L), "1E15");
    EXPECT_EQ(reel_en_texte_point(-2.5L), "-2.5");
    EXPECT_EQ(reel_en_texte_point(0.1L), "0.1");
    EXPECT_EQ(reel_en_texte_point(0), "0");
    EXPECT_EQ(reel_en_texte_point(valeur_absente()), "-3.6E-495");
}

TEST_P(Texte, FiltreNombreKeepsNumberCharacters) {
    EXPECT_EQ(filtre_nombre("X = -12.5E3 m"), loc("-12.5E3"));
    EXPECT_EQ(filtre_nombre("a1b2"), "12");
    EXPECT_EQ(filtre_nombre(""), "");
    if (sep() == ',') EXPECT_EQ(filtre_nombre("1,5"), "1,5");
    else EXPECT_EQ(filtre_nombre("1,5"), "15");
}

TEST(Champs, ExtraitChampReducesRunsOfSeparators) {
    EXPECT_EQ(extrait_champ("10    20   30", 2, ' '), "20");
    EXPECT_EQ(extrait_champ("   10    20   30  ", 1, ' '), "10");
    EXPECT_EQ(extrait_champ(";a;;b;", 2, ';'), "b");
    EXPECT_EQ(extrait_champ("", 1, ';'), "_extraitUTIL<>");
    EXPECT_EQ(extrait_champ("a;b", 3, ';'), "");
    EXPECT_EQ(extrait_champ("a;b", 0, ';'), "");
    EXPECT_EQ(extrait_champ(";;;", 1, ';'), "");
    EXPECT_EQ(extrait_champ("a ;  é  ;c", 2, ';'), "é");
    EXPECT_EQ(extrait_champ(std::string(1000, 'x') + ";y", 2, ';'), "y") << "long lines";
}

TEST_P(Texte, ExtraitChampReelUsesThePointConvention) {
    EXPECT_EQ(extrait_champ_reel("a;1,5;c", 2, ';', -1), 1.5L);
    EXPECT_EQ(extrait_champ_reel("a;2.5e2;c", 2, ';', -1), 250.0L);
    EXPECT_EQ(extrait_champ_reel("a;x;c", 2, ';', -1), -1.0L);
    EXPECT_EQ(extrait_champ_reel("", 1, ';', 9), 9.0L);
    EXPECT_EQ(extrait_champ_reel("a;1,5,5", 2, ';', 7), 7.0L);
}

TEST(Champs, IndiceColGrilleTakesTheLastTrimmedMatch) {
    Grille g(4, 2);
    g.set_cell(0, 0, " X");
    g.set_cell(1, 0, "X");
    g.set_cell(2, 0, "Libellé ");
    g.set_cell(3, 0, "x");
    EXPECT_EQ(indice_col_grille(g, "X"), 1);
    EXPECT_EQ(indice_col_grille(g, "  X  "), 1);
    EXPECT_EQ(indice_col_grille(g, "x"), 3) << "case-sensitive";
    EXPECT_EQ(indice_col_grille(g, "Libellé"), 2);
    EXPECT_EQ(indice_col_grille(g, "Z"), -1);
}

TEST_P(Texte, ExtraitEntreWalksThroughAText) {
    std::string t = "Units \"m\"\n  (123.5,456.25) (10,20) Label \"Pt 1\",";
    EXPECT_EQ(extrait_texte_entre(t, "Units", "\"", "\""), "m");
    EXPECT_EQ(extrait_nombre_entre(t, "", "(", ","), loc("123.5"));
    EXPECT_EQ(extrait_nombre_entre(t, "", ",", ")"), loc("456.25"));
    EXPECT_EQ(extrait_nombre_entre(t, "", "(", ","), "10");
    EXPECT_EQ(extrait_nombre_entre(t, "", ",", ")"), "20");
    EXPECT_EQ(extrait_texte_entre(t, "Label", "\"", "\""), "Pt 1");
    EXPECT_EQ(t, "\",");

    std::string sans = "abc";
    EXPECT_EQ(extrait_texte_entre(sans, "", "(", ")"), "?0-0  abc");
    std::string ouvert = "xy(12";
    EXPECT_EQ(extrait_texte_entre(ouvert, "", "(", ")"), "?3-0  (12");
    EXPECT_EQ(ouvert, "(12");
}

TEST_P(Texte, EntierPlusAddsToAnInteger) {
    EXPECT_EQ(entier_plus("41", 1), "42");
    EXPECT_EQ(entier_plus("-3", 5), "2");
    EXPECT_EQ(entier_plus("2147483647", 1), "2147483648") << "no wrap-around";
}

TEST(Fichiers, LitFichierTexteConvertsFromWindows1252) {
    const std::string chemin = ::testing::TempDir() + "lit_fichier.txt";
    {
        FILE* f = std::fopen(chemin.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("Libell\xE9 \x80", f);
        std::fclose(f);
    }
    std::string texte;
    long taille = -1;
    ASSERT_TRUE(lit_fichier_texte(chemin, texte, taille));
    EXPECT_EQ(taille, 9);
    EXPECT_EQ(texte, "Libellé €");
    EXPECT_FALSE(lit_fichier_texte(chemin + ".absent", texte, taille));
    std::remove(chemin.c_str());
}

TEST_P(Texte, ConversionCopyDiffersWhereItShould) {
    using namespace conversion;
    EXPECT_EQ(enleve_tous_blancs(" 1 234\u00A0567 "), "1234567");
    EXPECT_EQ(remplace_car("a;b;c", U';', U'\t'), "a\tb\tc");
    EXPECT_EQ(separateur_local("1.5,2"), loc("1.5.2"));
    EXPECT_TRUE(conversion::est_reel("12/05/2024")) << "no slash rule";
    EXPECT_TRUE(conversion::est_reel("1 234,5"));
    EXPECT_FALSE(conversion::est_reel("E"));
    EXPECT_FALSE(conversion::est_reel("\u00A0"));
    EXPECT_TRUE(est_angle("45°30'12\""));
    EXPECT_FALSE(conversion::est_reel("45°30'"));
    EXPECT_FALSE(est_angle("45 N"));
    EXPECT_EQ(conversion::val_reel("1 234,5"), 1234.5L);
    EXPECT_EQ(conversion::val_reel("1\u00A0234.5 m"), 1234.5L);
    EXPECT_EQ(vuv::val_reel("1 234,5"), 1.0L);
    EXPECT_EQ(extrait_champ_strict("a;;b;", 2, ';'), "");
    EXPECT_EQ(extrait_champ_strict("a;;b;", 3, ';'), "b");
    EXPECT_EQ(extrait_champ_strict("a;;b", 3, ';'), "") << "a last field without separator is not found";
    EXPECT_EQ(extrait_champ_strict("a;b", 1, ';'), "a");
}
