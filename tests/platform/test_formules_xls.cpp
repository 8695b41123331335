// The formula results of an .xls read from its own records, on workbooks built here record by
// record: the cases the office suite's files do not show (a text split across records with a
// change of width, a missing text record, a workbook small enough for the mini stream) and
// damaged containers, which give nothing rather than a read outside the bytes.
#include "platform/FormulesXls.h"

#include "core/fichiers/PetitBoutiste.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vuv {
namespace {

using Octets = std::string;

Octets u16(std::uint32_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; }
Octets u32(std::uint32_t v) { return u16(v & 0xFFFF) + u16(v >> 16); }
Octets enregistrement(std::uint32_t type, const Octets& d) { return u16(type) + u16(static_cast<std::uint32_t>(d.size())) + d; }

Octets formule(std::uint32_t ligne, std::uint32_t colonne, const Octets& resultat, std::uint32_t xf = 15) {
    return enregistrement(0x0006, u16(ligne) + u16(colonne) + u16(xf) + resultat + u16(0) + u32(0) + u16(3) + "\x1E\x01\x00");
}
Octets nombre(double v) {
    Octets r(8, '\0');
    std::memcpy(r.data(), &v, 8);
    return r;
}
Octets special(int sorte, int valeur) { return Octets{static_cast<char>(sorte), 0, static_cast<char>(valeur), 0, 0, 0} + "\xFF\xFF"; }

// Globals (BOF, what is given, BOUNDSHEET, EOF), then the sheet's BOF, its records and EOF;
// `remplissage` bytes of an unknown record make the stream as large as wanted.
Octets classeur(const Octets& feuille, const Octets& globales = {}, std::size_t remplissage = 0) {
    const Octets bof = enregistrement(0x0809, u16(0x0600) + u16(0x0005) + Octets(12, '\0'));
    Octets g = bof + globales + enregistrement(0x00FC, Octets(remplissage, 'x'));
    const std::size_t debut = g.size() + 13 + 4; // past this BOUNDSHEET and EOF
    g += enregistrement(0x0085, u32(static_cast<std::uint32_t>(debut)) + Octets{0, 0, 1, 0} + "F") + enregistrement(0x000A, {});
    return g + enregistrement(0x0809, u16(0x0600) + u16(0x0010) + Octets(12, '\0')) + feuille + enregistrement(0x000A, {});
}

// A compound file of 512-byte sectors holding the stream "Workbook": sector 0 the allocation
// table, 1 the directory, then the stream, or (under 4096 bytes) the mini table and the mini
// stream that holds it.
Octets conteneur(const Octets& flux) {
    const bool mini = flux.size() < 4096;
    const auto secteurs = [](std::size_t n, std::size_t t) { return (n + t - 1) / t; };
    const std::size_t premier = mini ? 3 : 2, n = secteurs(flux.size(), 512);
    std::vector<std::uint32_t> fat(128, 0xFFFFFFFF);
    fat[0] = 0xFFFFFFFD;
    fat[1] = 0xFFFFFFFE;
    if (mini) fat[2] = 0xFFFFFFFE;
    for (std::size_t i = 0; i < n; ++i) fat[premier + i] = i + 1 < n ? static_cast<std::uint32_t>(premier + i + 1) : 0xFFFFFFFE;
    Octets entete = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + Octets(16, '\0') + u16(0x3E) + u16(3) + u16(0xFFFE) + u16(9) +
                    u16(6) + Octets(10, '\0') + u32(1) + u32(1) + u32(0) + u32(4096) +
                    u32(mini ? 2 : 0xFFFFFFFE) + u32(mini ? 1 : 0) + u32(0xFFFFFFFE) + u32(0) + u32(0);
    for (int i = 1; i < 109; ++i) entete += u32(0xFFFFFFFF);
    const auto entree = [](const std::string& nom, int type, std::uint32_t debut, std::uint32_t taille) {
        Octets e;
        for (const char c : nom) e += u16(static_cast<unsigned char>(c));
        e += Octets(64 - e.size(), '\0') + u16(static_cast<std::uint32_t>(2 * nom.size() + 2)) + static_cast<char>(type) + '\1';
        e += u32(0xFFFFFFFF) + u32(0xFFFFFFFF) + u32(type == 5 ? 1 : 0xFFFFFFFF) + Octets(16 + 4 + 16, '\0');
        return e + u32(debut) + u32(taille) + u32(0);
    };
    const auto taille = static_cast<std::uint32_t>(flux.size());
    Octets rep = entree("Root Entry", 5, mini ? static_cast<std::uint32_t>(premier) : 0xFFFFFFFE, mini ? taille : 0) +
                 entree("Workbook", 2, mini ? 0 : static_cast<std::uint32_t>(premier), taille);
    rep += Octets(512 - rep.size(), '\0');
    Octets table;
    for (const std::uint32_t f : fat) table += u32(f);
    Octets r = entete + table + rep;
    if (mini) {
        Octets minifat;
        const std::size_t m = secteurs(flux.size(), 64);
        for (std::size_t i = 0; i < 128; ++i) minifat += u32(i < m ? (i + 1 < m ? static_cast<std::uint32_t>(i + 1) : 0xFFFFFFFE) : 0xFFFFFFFF);
        r += minifat;
    }
    return r + flux + Octets(n * 512 - flux.size(), '\0');
}

struct Cas {
    const char* nom;
    Octets feuille, globales;
    ResultatFormule::Sorte sorte;
    double nombre;
    std::string texte;
    SorteTemps temps = SorteTemps::aucune;
};

class FormulesXls : public ::testing::TestWithParam<std::tuple<Cas, std::size_t>> {};

TEST_P(FormulesXls, ResultatEnregistre) {
    const auto& [c, remplissage] = GetParam();
    const auto r = resultats_formules_xls(conteneur(classeur(c.feuille, c.globales, remplissage)));
    ASSERT_EQ(r.count((2u << 16) | 1u), 1u) << c.nom;
    const ResultatFormule& f = r.at((2u << 16) | 1u);
    EXPECT_EQ(f.sorte, c.sorte) << c.nom;
    EXPECT_EQ(f.nombre, c.nombre) << c.nom;
    EXPECT_EQ(f.texte, c.texte) << c.nom;
    EXPECT_EQ(f.temps, c.temps) << c.nom;
}

using S = ResultatFormule::Sorte;
const Octets texte_suivant = special(0, 0);
// "ab" in bytes, then "éz" in 16-bit units in the CONTINUE record that follows.
const Octets texte_coupe = formule(2, 1, texte_suivant) + enregistrement(0x0207, u16(4) + Octets(1, '\0') + "ab") +
                           enregistrement(0x003C, Octets(1, '\1') + u16(0xE9) + u16('z'));
const Octets format_date = enregistrement(0x041E, u16(164) + u16(10) + Octets(1, '\0') + "dd/mm/yyyy") +
                           enregistrement(0x00E0, u16(0) + u16(164) + Octets(16, '\0'));

INSTANTIATE_TEST_SUITE_P(
    Enregistrements, FormulesXls,
    ::testing::Combine(
        ::testing::Values(Cas{"nombre", formule(2, 1, nombre(2.5)), {}, S::nombre, 2.5, {}},
                          Cas{"booleen", formule(2, 1, special(1, 1)), {}, S::booleen, 1, {}},
                          Cas{"erreur", formule(2, 1, special(2, 0x07)), {}, S::erreur, 0, "#DIV/0!"},
                          Cas{"texte_vide", formule(2, 1, special(3, 0)), {}, S::texte, 0, {}},
                          Cas{"texte_coupe", texte_coupe, {}, S::texte, 0, "abéz"},
                          Cas{"texte_manquant", formule(2, 1, texte_suivant) + formule(3, 1, nombre(1)), {}, S::aucun, 0, {}},
                          Cas{"date", formule(2, 1, nombre(45351), 0), format_date, S::nombre, 45351, {}, SorteTemps::date}),
        // A workbook in the mini stream, and one in sectors of its own.
        ::testing::Values(std::size_t{0}, std::size_t{5000})),
    [](const auto& i) { return std::string(std::get<0>(i.param).nom) + (std::get<1>(i.param) ? "_secteurs" : "_mini"); });

// Each damage on the sectored workbook of the number case: nothing is read, nothing crashes.
TEST(FormulesXlsEndommage, RienPlutotQueLireAilleurs) {
    const Octets sain = conteneur(classeur(formule(2, 1, nombre(2.5)), {}, 5000));
    ASSERT_EQ(resultats_formules_xls(sain).size(), 1u);
    const auto pose = [&sain](std::size_t p, std::uint32_t v) {
        Octets o = sain;
        pose32(reinterpret_cast<unsigned char*>(o.data() + p), v);
        return o;
    };
    const std::pair<const char*, Octets> cas[] = {
        {"chaîne en boucle", pose(512 + 4 * 2, 2)},
        {"répertoire au-delà de la fin", pose(0x30, 100000)},
        {"taille au-delà de la chaîne", pose(1024 + 128 + 0x78, 1u << 30)},
        {"secteurs de 1 Mo", pose(0x1E, 20)},
        {"tronqué", sain.substr(0, 2000)},
        {"feuille au-delà du flux", pose(1536 + 20 + 5004 + 4, 1u << 30)},
    };
    for (const auto& [nom, octets] : cas) EXPECT_TRUE(resultats_formules_xls(octets).empty()) << nom;
}

} // namespace
} // namespace vuv
