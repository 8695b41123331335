// The coordinate export: the panel's rules, file n°2 byte for byte (formatted and normalized),
// the end of the run, the clipboard copy and the quick clipboard export.
#include "core/document/Document.h"
#include "core/export/LectureExport.h"
#include "core/export/OptionsExport.h"
#include "core/export/PressePapier.h"
#include "core/export/SauveDans.h"
#include "core/fichiers/EcritureSure.h"
#include "core/text/separateur.h"
#include "tests/support/PortScripte.h"
#include "tests/support/FichiersEssai.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace vuv;
namespace fs = std::filesystem;

namespace {

std::string lit(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

std::string lignes(std::initializer_list<std::string> l) {
    std::string t;
    for (const auto& s : l) t += s + "\r\n";
    return t;
}

const std::string blancs12(12, ' ');

class Export : public ::testing::Test {
protected:
    void SetUp() override {
        d.texte_decimales = "2";
    }

    std::string chemin(const std::string& nom) const { return (dossier / nom).string(); }

    // A point at the end of line L; the line row is created shown, with its name.
    void point(int L, long double X, long double Y, const std::string& nom = "") {
        const int row = ++d.nb_points;
        d.affecte_en(row, L, "", 0, Y, X, 20, 10);
        Grille& g = d.StringGrid3;
        if (g.row_count() <= L) g.set_row_count(L + 1);
        g.set_cell(0, L, std::to_string(L));
        g.set_cell(3, L, "x");
        if (!nom.empty()) g.set_cell(4, L, nom);
        d.num_ligne = std::max(d.num_ligne, L);
    }

    std::string fin_de_run(const std::string& milieu) const {
        return milieu + "\n\n créé dans le répertoire => " + dossier.string() +
               "\n\n                     et copié dans le presse-papier  ";
    }

    PortScripte port_;
    PortInstalle installe{port_};
    Document d;
    OptionsExport o;
    const vuv::octets::DossierEssai essai_{"export_"};
    fs::path dossier = essai_.chemin();
};

} // namespace

TEST(ExportOptions, CouplingRules) {
    OptionsExport o;
    o.CheckBox_pas_norme = true;
    CheckBox_pas_normeClick(o);
    EXPECT_FALSE(o.CheckBox_fic);
    o.CheckBox_fic = true;
    CheckBox_ficClick(o);
    EXPECT_FALSE(o.CheckBox_pas_norme);

    o.RadioGroup_separateur = OptionsExport::donnees_virgule_espace;
    RadioGroup_separateurClick(o);
    EXPECT_EQ(o.RadioGroup_extention, OptionsExport::ext_bln);
    EXPECT_EQ(o.Edit9, "0");
    EXPECT_TRUE(o.CheckBox_nb_points);

    OptionsExport p;
    p.Edit9 = "titre";
    p.RadioGroup_extention = OptionsExport::ext_bln;
    RadioGroup_extentionClick(p);
    EXPECT_EQ(separateur_donnees(p), ", ");
    EXPECT_EQ(p.Edit9, "titre") << "a typed header is kept";

    options_enregistrer_projet(p);
    EXPECT_TRUE(p.CheckBox_trl && p.CheckBox_pas_norme);
    EXPECT_FALSE(p.CheckBox_fic);
}

TEST_F(Export, PanelCountIndicatorsAndLabels) {
    SeparateurLocal sep(',');
    point(1, 2.5L, 0, "profil");
    point(1, -1, 0);
    rafraichit_panel_sauve(d, o);
    EXPECT_EQ(o.Label14, "la virgule");
    EXPECT_EQ(o.Label24, "<profil>");
    EXPECT_EQ(o.Edit12, "-1");
    EXPECT_EQ(o.Edit13, "2.5") << "the indicators are written with a point";
    EXPECT_EQ(o.Label35, "21 points");

    o.Edit_pas_extraction = "1";
    o.Edit_x_maxi = "2,5";
    change_extraction(d, o);
    EXPECT_EQ(o.Label35, "3 points") << "2.5 rounds to the even 2";
    o.Edit_x_maxi = "3,5";
    change_extraction(d, o);
    EXPECT_EQ(o.Label35, "5 points") << "3.5 rounds to the even 4";
    o.Edit_pas_extraction = "0";
    change_extraction(d, o);
    EXPECT_EQ(o.Label35, "5 points") << "a step of 0 changes nothing";
    o.Edit_pas_extraction = "1";
    o.Edit_x_maxi = "3.5";
    EXPECT_THROW(change_extraction(d, o), ErreurExport) << "X maxi is read in the local convention only";

    d.StringGrid3.set_cell(3, 1, "");
    EXPECT_EQ(nb_croix_stringgrid3(d), -1);
    EXPECT_EQ(texte_Label24(d), "<>");
}

TEST(ExportTexte, HashReplacementAndSeparatorSwap) {
    EXPECT_EQ(remplace_dieses(" X # Y ", "\t"), "X\t Y");
    EXPECT_EQ(remplace_dieses("X##Y", ", "), "X,, Y") << "the text so far is trimmed before each separator";
    EXPECT_EQ(remplace_dieses("", "\t"), "");
    EXPECT_EQ(echange_separateur("1,5,2", false), "1.5,2");
    EXPECT_EQ(echange_separateur("1.5.2", true), "1,5.2");
}

TEST_F(Export, DefaultOptionsWriteXTabYWithPointsWhateverTheLocalSeparator) {
    for (char s : {'.', ','}) {
        SeparateurLocal sep(s);
        d = Document{};
        d.texte_decimales = "2";
        point(1, 1.5L, 2.25L);
        point(1, 3, 4);
        d.sauve = false;
        port_.oublie();
        const ResultatSauve r = sauve_dans(d, o, chemin("plan.old"), true);

        EXPECT_EQ(lit(dossier / "plan.txt"), lignes({"X\tY", "1.50\t2.25", "3.00\t4.00"})) << s;
        EXPECT_EQ(r.fichier_projet, chemin("plan.trl"));
        EXPECT_TRUE(fs::exists(dossier / "plan.trl"));
        EXPECT_EQ(port_.textes("information"),
                  std::vector<std::string>{fin_de_run("<plan.trl>  fichier Vuviviva\n\n\n<plan.txt>  fichier de données, ")});
        EXPECT_EQ(port_.textes("presse_papier"), std::vector<std::string>{"X\tY\r\n1.50\t2.25\r\n3.00\t4.00\r\n"});
        EXPECT_EQ(r.a_ouvrir, std::vector<std::string>{chemin("plan.txt")});
        EXPECT_TRUE(r.termine);
        EXPECT_TRUE(d.sauve);
        EXPECT_EQ(o.Edit12, "1.5");
        EXPECT_EQ(o.Edit13, "3");
    }
    o.CheckBox_blocnote = true;
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(sauve_dans(d, o, chemin("plan"), true).a_ouvrir,
              (std::vector<std::string>{chemin("plan.trl"), chemin("plan.txt")}));
}

TEST_F(Export, BlnHeaderCountsTheLinesWritten) {
    point(1, 1.5L, 2.25L);
    point(1, 3, 4);
    point(2, 9, 9);
    d.StringGrid3.set_cell(3, 2, "");
    o.CheckBox_trl = false;
    o.RadioGroup_extention = OptionsExport::ext_bln;
    RadioGroup_extentionClick(o);
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.bln"), lignes({"2, 0", "1.50, 2.25", "3.00, 4.00"}))
        << "three points in the table, two written";

    o.CheckBox_3calib = true;
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.bln"),
              lignes({"5, 0", blancs12 + "0.0000, " + blancs12 + "1.0000", blancs12 + "0.0000, " + blancs12 + "0.0000",
                      blancs12 + "1.0000, " + blancs12 + "0.0000", "1.50, 2.25", "3.00, 4.00"}));

    o.CheckBox_nb_points = false;
    o.Edit9 = "A # B";
    o.CheckBox_3calib = false;
    o.RadioGroup_separateur = OptionsExport::donnees_tabulation;
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.bln").substr(0, 8), "\tA\t B\r\n1") << "without the count the header starts with the separator";
}

TEST_F(Export, VirguleWritesCommasInValuesAndDistances) {
    point(1, 0, 0);
    point(1, 1.5L, 2);
    o.CheckBox_trl = false;
    o.RadioGroup_sep_decimal = OptionsExport::sep_virgule;
    o.CheckBox_dist = o.CheckBox_dist_cumul = true;
    o.CheckBox_n = true;
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.txt"), lignes({"n\tX\tY\tdistance\tdistance cumul\xE9"
                                                 "e",
                                                 "    1\t0,00\t0,00\t0\t0", "    2\t1,50\t2,00\t2,5\t2,5"}));
}

TEST_F(Export, NoSelectedLineLeavesTheHeaderAlone) {
    point(1, 1, 1);
    d.StringGrid3.set_cell(3, 1, "");
    o.CheckBox_trl = false;
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.txt"), "X\tY\r\n");
    o.CheckBox_3calib = true;
    o.CheckBox_Yr = false;
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.txt"), lignes({"X", blancs12 + "0.0000", blancs12 + "0.0000", blancs12 + "1.0000"}));
}

TEST_F(Export, DistancesRestartOnEveryLine) {
    point(1, 0, 0);
    point(1, 3, 4);
    point(1, 6, 8);
    point(2, 0, 0);
    point(2, 0, 1);
    o.CheckBox_trl = false;
    o.CheckBox_ligne = o.CheckBox_dist = o.CheckBox_dist_cumul = true;
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.txt"), lignes({"L\tX\tY\tdistance\tdistance cumul\xE9"
                                                 "e",
                                                 "  1\t0.00\t0.00\t0\t0", "  1\t3.00\t4.00\t5\t5", "  1\t6.00\t8.00\t5\t10",
                                                 "  2\t0.00\t0.00\t0\t0", "  2\t0.00\t1.00\t1\t1"}));
}

TEST_F(Export, CustomExtensionForBothKindsOfFile) {
    point(1, 0, 0);
    point(1, 1, 1);
    o.RadioGroup_extention = OptionsExport::ext_perso;
    o.Edit3 = "csv";
    EXPECT_EQ(sauve_dans(d, o, chemin("plan"), true).fichier_donnees, chemin("plan.csv"));
    EXPECT_TRUE(fs::exists(dossier / "plan.csv"));
    o.CheckBox_pas_norme = true;
    CheckBox_pas_normeClick(o);
    EXPECT_EQ(sauve_dans(d, o, chemin("plan"), true).fichier_donnees, chemin("plan.txt"))
        << "the normalized file needs a point in the custom text";

    // File n°2 must never take the project file's place.
    o.Edit3 = "trl";
    o.CheckBox_fic = true;
    CheckBox_ficClick(o);
    const std::string projet = lit(dossier / "plan.trl");
    port_.oublie();
    const ResultatSauve r = sauve_dans(d, o, chemin("plan"), true);
    EXPECT_FALSE(r.termine);
    EXPECT_EQ(lit(dossier / "plan.trl").substr(0, 9), "/VUVIVIVA");
    EXPECT_EQ(port_.textes("information"),
              std::vector<std::string>{
                  "Le fichier n°2 <plan.trl> remplacerait le fichier de projet : choisissez une autre extension que .trl"});
}

TEST_F(Export, NormalizedStepOfFiveHundredthsGivesTwentyOneLines) {
    point(1, 0.2L, 1, "profil");
    point(1, 0.8L, 4);
    o.CheckBox_trl = false;
    o.CheckBox_pas_norme = true;
    CheckBox_pas_normeClick(o);
    const ResultatSauve r = sauve_dans(d, o, chemin("plan"), true);
    const char* Y[] = {"1", "1", "1", "1", "1", "1.25", "1.5", "1.75", "2", "2.25", "2.5",
                       "2.75", "3", "3.25", "3.5", "3.75", "4", "4", "4", "4", "4"};
    const char* X[] = {"0",   "0.05", "0.1", "0.15", "0.2", "0.25", "0.3",  "0.35", "0.4", "0.45", "0.5",
                       "0.55", "0.6", "0.65", "0.7", "0.75", "0.8", "0.85", "0.9", "0.95", "1"};
    std::string attendu = "x\tprofil\r\n";
    for (int k = 0; k < 21; ++k) {
        std::string y = Y[k];
        y += y.find('.') == std::string::npos ? ".00000000" : std::string(9 - (y.size() - y.find('.')), '0');
        attendu += std::string(X[k]) + "\t" + y + "\r\n";
    }
    EXPECT_EQ(lit(dossier / "plan.txt"), attendu);
    EXPECT_EQ(r.nb_normalise, 21);
    EXPECT_EQ(port_.textes("information"),
              std::vector<std::string>{fin_de_run("<plan.txt>  fichier d'extrapolation de 21 points  de la ligne <profil>   ")});
}

TEST_F(Export, NearestTakesTheLaterPointAtHalfWay) {
    point(1, 0, 0);
    point(1, 1, 10);
    o.CheckBox_trl = false;
    o.CheckBox_pas_norme = true;
    CheckBox_pas_normeClick(o);
    o.RadioGroup2 = OptionsExport::le_plus_proche;
    o.Edit_pas_extraction = "0.25";
    o.Edit15 = "1";
    o.RadioGroup_sep_decimal = OptionsExport::sep_virgule;
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.txt"), lignes({"x\t", "0\t0,0", "0,25\t0,0", "0,5\t10,0", "0,75\t10,0", "1\t10,0"}));
}

TEST_F(Export, NoDecimalsRoundsHalvesToEven) {
    point(1, 0, 0);
    point(1, 1, 5);
    point(1, 2, 2);
    o.CheckBox_trl = false;
    o.CheckBox_pas_norme = true;
    CheckBox_pas_normeClick(o);
    o.Edit_pas_extraction = "0.5";
    o.Edit_x_maxi = "2";
    o.Edit15 = "0";
    o.Edit16 = "X # Y";
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.txt"), lignes({"X\t Y", "0\t0", "0.5\t2", "1\t5", "1.5\t4", "2\t2"}));
}

TEST_F(Export, NormalizedRefusalsSayWhyAndWriteNoFile) {
    point(1, 0, 0);
    point(1, 1, 1);
    o.CheckBox_pas_norme = true;
    CheckBox_pas_normeClick(o);

    d.StringGrid3.set_cell(3, 1, "");
    d.sauve = false;
    ResultatSauve r = sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(port_.textes("information"),
              std::vector<std::string>{" il faut sélectionner une ligne à afficher => colonne[OK] = (x) "});
    EXPECT_EQ(port_.nombre("presse_papier"), 0);
    EXPECT_FALSE(r.termine);
    EXPECT_TRUE(r.a_ouvrir.empty());
    EXPECT_TRUE(fs::exists(dossier / "plan.trl"));
    EXPECT_FALSE(fs::exists(dossier / "plan.txt"));
    EXPECT_TRUE(d.sauve) << "the project file was written";

    o.CheckBox_trl = false;
    d.sauve = false;
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_FALSE(d.sauve) << "nothing was written";

    // A selected line without points.
    d.StringGrid3.set_row_count(3);
    d.StringGrid3.set_cell(3, 2, "x");
    port_.oublie();
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(port_.textes("information"),
              std::vector<std::string>{"La ligne exportée <> n'a aucun point : le fichier normalisé n'est pas créé."});
    d.StringGrid3.set_cell(3, 1, "x");

    port_.oublie();
    o.Edit_pas_extraction = "0";
    sauve_dans(d, o, chemin("plan"), true);
    o.Edit_pas_extraction = "-1";
    sauve_dans(d, o, chemin("plan"), true);
    o.Edit_pas_extraction = "1E-6";
    o.Edit_x_maxi = "1E12";
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(port_.textes("information"),
              (std::vector<std::string>{
                  "Le pas dX d'extraction normalisé est nul : le fichier normalisé n'est pas créé.",
                  "Avec ce pas, X mini et X maxi, le fichier normalisé n'aurait aucune ligne : il n'est pas créé.\n"
                  "Le pas doit aller de X mini vers X maxi.",
                  "Le fichier normalisé aurait plus de 10 000 000 lignes : il n'est pas créé.\n"
                  "Augmentez le pas ou réduisez l'intervalle entre X mini et X maxi."}));
    EXPECT_FALSE(fs::exists(dossier / "plan.txt"));
}

TEST_F(Export, EitherDecimalMarkIsReadButNotText) {
    {
        SeparateurLocal sep('.');
        point(1, 0, 0);
        point(1, 1.5L, 2);
    }
    SeparateurLocal sep(',');
    o.CheckBox_trl = false;
    o.CheckBox_dist = true;
    d.sauve = false;
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.txt"), lignes({"X\tY\tdistance", "0.00\t0.00\t0", "1.50\t2.00\t2.5"}))
        << "a project saved under the point convention exports under the comma one";

    d.StringGrid1.set_cell(3, 2, "abc");
    fs::remove(dossier / "plan.txt");
    d.sauve = false;
    port_.oublie();
    try {
        sauve_dans(d, o, chemin("plan"), true);
        ADD_FAILURE() << "text in X must stop the export";
    } catch (const ErreurExport& e) {
        EXPECT_EQ(std::string(e.what()), "'abc' n'est pas une valeur réelle valide (colonne X du point n°2)");
    }
    EXPECT_FALSE(fs::exists(dossier / "plan.txt"));
    EXPECT_FALSE(d.sauve);
    EXPECT_EQ(port_.nombre("presse_papier"), 0);
}

TEST_F(Export, WriteFailureKeepsTheSavedFlag) {
    point(1, 0, 0);
    o.CheckBox_trl = false;
    d.sauve = false;
    EXPECT_THROW(sauve_dans(d, o, chemin("absent/plan"), true), ErreurFichier);
    EXPECT_FALSE(d.sauve);
}

TEST_F(Export, ClipboardCopyLeavesTheSavedFlagAndReadsFileTwoBack) {
    point(1, 1, 2);
    std::ofstream(dossier / "~tmp.txt") << "ancien";
    o.RadioGroup_extention = OptionsExport::ext_bln;
    RadioGroup_extentionClick(o);
    d.sauve = false;
    port_.oublie();
    const ResultatSauve r = copie_presse_papier(d, o, true, chemin("~tmp.txt"));
    EXPECT_FALSE(d.sauve) << "quitting must still ask about the unsaved work";
    EXPECT_EQ(r.fichier_donnees, chemin("~tmp.bln"));
    const std::vector<std::string> pp = port_.textes("presse_papier");
    ASSERT_FALSE(pp.empty());
    EXPECT_EQ(pp.back(), "1, 0\r\n1.00, 2.00\r\n");
    EXPECT_EQ(port_.textes("information").back(), " Presse papier... OK   ");

    d.sauve = true;
    copie_presse_papier(d, o, true, chemin("~tmp.txt"));
    EXPECT_TRUE(d.sauve);
}

TEST_F(Export, QuickClipboardExport) {
    point(1, 1.5L, 2.25L);
    d.StringGrid1.set_row_count(3); // a trailing empty row
    port_.repond_non();
    EXPECT_EQ(export_presse_papier(d, dossier.string()), "");
    EXPECT_FALSE(fs::exists(dossier / "presse_papier.xls"));
    EXPECT_EQ(port_.nombre("presse_papier"), 0);

    port_.oublie();
    port_.repond_oui();
    const std::string fichier = export_presse_papier(d, dossier.string());
    EXPECT_EQ(fichier, (dossier / "presse_papier.xls").string());
    const std::string cal = "\t" + blancs12;
    EXPECT_EQ(lit(fichier), lignes({"n\tL\tLibell\xE9\tX\tY\tZ\tx\ty\tz\t",
                                    "1\t0\tcal 1" + cal + "0.0000" + cal + "1.0000" + cal + "0.0000\t\t\t\t",
                                    "2\t0\tcal 2" + cal + "0.0000" + cal + "0.0000" + cal + "0.0000\t\t\t\t",
                                    "3\t0\tcal 3" + cal + "1.0000" + cal + "0.0000" + cal + "0.0000\t\t\t\t",
                                    "    1\t  1\t\t1.50\t2.25\t0.00\t    10\t    20\t\t", "\t\t\t\t\t\t\t\t\t"}));
    EXPECT_EQ(port_.textes("presse_papier"),
              std::vector<std::string>{lignes({"L\tLibellé\tX\tY\tZ\t", "0\tcal 1" + cal + "0.0000" + cal + "1.0000" + cal + "0.0000\t",
                                               "0\tcal 2" + cal + "0.0000" + cal + "0.0000" + cal + "0.0000\t",
                                               "0\tcal 3" + cal + "1.0000" + cal + "0.0000" + cal + "0.0000\t",
                                               "  1\t\t1.50\t2.25\t0.00\t", "\t\t\t\t\t"})});
    EXPECT_EQ(port_.textes("oui_non"),
              std::vector<std::string>{"Voulez-vous copier les points de calage et les autres \r  dans le presse papier "
                                       "(valeurs séparées par TABULATION) \r  et dans un fichier <presse_papier.xls> ?"});
    EXPECT_EQ(port_.textes("information"),
              std::vector<std::string>{"Le presse-papier est à jour \r ainsi que le fichier <" + fichier + ">"});

    port_.oublie();
    port_.repond_oui();
    EXPECT_EQ(export_presse_papier(d, (dossier / "absent").string()), "");
    EXPECT_EQ(port_.nombre("presse_papier"), 0);
    ASSERT_EQ(port_.nombre("information"), 1) << "an unwritable folder is said, not ignored";
}

TEST_F(Export, CharactersOutsideTheCodePageAreSaidAndTheClipboardMatchesTheFile) {
    point(1, 0, 0, "Łódź");
    o.CheckBox_trl = false;
    o.CheckBox_pas_norme = true;
    CheckBox_pas_normeClick(o);
    o.Edit_pas_extraction = "1";
    o.Edit15 = "0";
    sauve_dans(d, o, chemin("plan"), true);
    EXPECT_EQ(lit(dossier / "plan.txt"), "x\t?\xF3" "d?\r\n0\t0\r\n1\t0\r\n");
    EXPECT_EQ(port_.textes("presse_papier"), std::vector<std::string>{"x\t?ód?\r\n0\t0\r\n1\t0\r\n"});
    EXPECT_EQ(port_.textes("information").front(),
              "Certains caractères ne peuvent pas être enregistrés dans " + chemin("plan.txt") +
                  " : ils ont été remplacés par « ? ».");
}
