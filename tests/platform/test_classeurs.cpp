// Workbooks written by an office suite (classeurs/fabrique.py) against the CSV the suite
// exported of their first sheet, and the workbooks that must be refused with a message.
#include "platform/Classeur.h"
#include "platform/DatesClasseur.h"

#include "core/fichiers/EcritureSure.h"
#include "core/text/separateur.h"
#include "tests/support/FichiersEssai.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vuv {
namespace {

const std::string corpus = VUVIVIVA_CLASSEURS "/";

// RFC 4180 as the suite writes it: quoted fields with doubled quotes.
Cellules lit_csv(const std::string& octets) {
    Cellules lignes(1, std::vector<std::string>(1));
    bool guillemets = false;
    for (std::size_t i = 0; i < octets.size(); ++i) {
        const char c = octets[i];
        std::string& champ = lignes.back().back();
        if (guillemets) {
            if (c != '"') champ += c;
            else if (i + 1 < octets.size() && octets[i + 1] == '"') champ += octets[++i];
            else guillemets = false;
        } else if (c == '"') {
            guillemets = true;
        } else if (c == ',') {
            lignes.back().emplace_back();
        } else if (c == '\n') {
            lignes.emplace_back(1);
        } else if (c != '\r') {
            champ += c;
        }
    }
    if (lignes.back() == std::vector<std::string>(1)) lignes.pop_back();
    return lignes;
}

std::string a(const Cellules& c, std::size_t r, std::size_t k) {
    return r < c.size() && k < c[r].size() ? c[r][k] : std::string();
}

// "formules.xls" as "formules_xls", a name a test may take.
std::string nom_de_cas(std::string fichier) {
    std::replace(fichier.begin(), fichier.end(), '.', '_');
    return fichier;
}

struct Corpus {
    const char* classeur;
    const char* csv;
};

class CorpusClasseurs : public ::testing::TestWithParam<Corpus> {};

// The suite shows booleans as TRUE and FALSE; every reader gives them as the .xls does, 1 and 0.
TEST_P(CorpusClasseurs, ChaqueCelluleEstCelleDuCsv) {
    const SeparateurLocal point('.');
    const Cellules lu = lit_classeur(corpus + GetParam().classeur, 1 << 20);
    const Cellules attendu = lit_csv(lit_fichier(corpus + GetParam().csv));
    ASSERT_EQ(lu.size(), attendu.size());
    int differences = 0;
    for (std::size_t r = 0; r < attendu.size(); ++r)
        for (std::size_t k = 0; k < std::max(lu[r].size(), attendu[r].size()); ++k) {
            std::string e = a(attendu, r, k);
            if (e == "TRUE" || e == "FALSE") e = e == "TRUE" ? "1" : "0";
            if (a(lu, r, k) != e && ++differences <= 5)
                ADD_FAILURE() << "ligne " << r + 1 << " colonne " << k + 1 << " : « " << a(lu, r, k) << " » au lieu de « "
                              << e << " »";
        }
    EXPECT_EQ(differences, 0);
}

INSTANTIATE_TEST_SUITE_P(Tableur, CorpusClasseurs,
                         ::testing::Values(Corpus{"formules.xls", "formules.csv"}, Corpus{"formules.xlsx", "formules.csv"},
                                           Corpus{"formules.ods", "formules.csv"}, Corpus{"divers.xls", "divers.csv"},
                                           Corpus{"divers.xlsx", "divers.csv"}, Corpus{"divers.ods", "divers.csv"},
                                           Corpus{"utm.xls", "utm.csv"}, Corpus{"utm.xlsx", "utm.csv"},
                                           Corpus{"utm.ods", "utm.csv"}, Corpus{"grand.xls", "grand.csv"},
                                           Corpus{"particularites.xlsx", "particularites_xlsx.csv"},
                                           Corpus{"particularites.ods", "particularites_ods.csv"}),
                         [](const auto& i) { return nom_de_cas(i.param.classeur); });

struct Refus {
    const char* classeur;
    std::string octets; // written in place of the file when not empty
    std::string pourquoi;
};

class ClasseursRefuses : public ::testing::TestWithParam<Refus> {};

TEST_P(ClasseursRefuses, MessageNommantLeFichier) {
    const octets::DossierEssai dossier("classeurs_");
    std::string chemin = corpus + GetParam().classeur;
    if (!GetParam().octets.empty()) {
        chemin = (dossier.chemin() / GetParam().classeur).string();
        octets::ecrit(chemin, GetParam().octets);
    }
    try {
        lit_classeur(chemin, 1000);
        ADD_FAILURE() << "lu sans message";
    } catch (const ErreurFichier& e) {
        EXPECT_EQ(e.what(), "Le classeur <" + chemin + "> n'a pas pu être lu : " + GetParam().pourquoi + ".");
    }
}

const std::string sans_resultat = " n'a pas de résultat enregistré (enregistrez le classeur depuis un tableur qui la calcule)";

INSTANTIATE_TEST_SUITE_P(
    Tableur, ClasseursRefuses,
    ::testing::Values(Refus{"sans_resultat.xlsx", {}, "la formule de la cellule B2" + sans_resultat},
                      Refus{"sans_resultat.ods", {}, "la formule de la cellule C2" + sans_resultat},
                      Refus{"endommage.xlsx", {}, "la partie xl/worksheets/sheet1.xml n'est pas du XML valable (ligne 2)"},
                      Refus{"tronque.ods", octets::lit(corpus + "formules.ods").substr(0, 3000),
                            "archive tronquée ou endommagée (un classeur .xlsx ou .ods est une archive zip)"},
                      Refus{"tronque.xls", octets::lit(corpus + "formules.xls").substr(0, 3000),
                            "fichier tronqué, ou qui n'est pas un classeur .xls"}),
    [](const auto& i) { return nom_de_cas(i.param.classeur); });

struct Serie {
    double serie;
    bool depuis_1904;
    SorteTemps sorte;
    const char* texte;
};

class SeriesDates : public ::testing::TestWithParam<Serie> {};

// Day 60 of the 1900 system is the 29th of February that year never had.
TEST_P(SeriesDates, TexteDuJour) {
    EXPECT_EQ(texte_serie(GetParam().serie, GetParam().depuis_1904, GetParam().sorte), GetParam().texte);
}

INSTANTIATE_TEST_SUITE_P(Tableur, SeriesDates,
                         ::testing::Values(Serie{1, false, SorteTemps::date, "01/01/1900"},
                                           Serie{60, false, SorteTemps::date, "29/02/1900"},
                                           Serie{61, false, SorteTemps::date, "01/03/1900"},
                                           Serie{45351.999999, false, SorteTemps::date_heure, "01/03/2024 00:00:00"},
                                           Serie{0.75, false, SorteTemps::heure, "18:00:00"},
                                           Serie{0, true, SorteTemps::date, "01/01/1904"}));

TEST(FormatsDates, LeCodeDitDateHeureOuNombre) {
    EXPECT_EQ(sorte_format(14, ""), SorteTemps::date);
    EXPECT_EQ(sorte_format(164, "[$-40C]DD/MM/YYYY;@"), SorteTemps::date);
    EXPECT_EQ(sorte_format(165, "yyyy-mm-dd hh:mm"), SorteTemps::date_heure);
    EXPECT_EQ(sorte_format(166, "[h]:mm"), SorteTemps::heure);
    EXPECT_EQ(sorte_format(167, "[Red]0.00\" days\""), SorteTemps::aucune);
    EXPECT_EQ(sorte_format(168, "General"), SorteTemps::aucune);
}

} // namespace
} // namespace vuv
