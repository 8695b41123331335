#include "core/projet/Projet.h"

#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/projet/ListeVirgules.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace vuv {
namespace {

constexpr const char* marqueur = "/VUVIVIVA";
// A count far beyond the rows the file holds comes from a damaged file: reading it would
// build millions of empty rows.
constexpr int marge_rangs_manquants = 1000;

#if defined(__x86_64__)
// Thirty-two bytes at a time on processors with AVX2 (chosen at run time).
__attribute__((target("avx2,popcnt"))) std::size_t compte_lf_avx2(std::string_view t, std::size_t& i) {
    const __m256i lf = _mm256_set1_epi8('\n');
    std::size_t n = 0;
    for (; i + 32 <= t.size(); i += 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t.data() + i));
        n += static_cast<std::size_t>(__builtin_popcount(static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, lf)))));
    }
    return n;
}
#endif

// Line feeds counted eight bytes at a time, one byte counter per lane (std::count widens
// every byte to 64 bits and takes several times longer on a big project).
std::size_t compte_lf(std::string_view t) {
    constexpr std::uint64_t bas7 = 0x7F7F7F7F7F7F7F7FULL, lf = 0x0A0A0A0A0A0A0A0AULL;
    constexpr std::uint64_t octets_pairs = 0x00FF00FF00FF00FFULL;
    std::size_t n = 0, i = 0;
#if defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    if (avx2) n = compte_lf_avx2(t, i);
#endif
    while (i + 8 <= t.size()) {
        std::uint64_t lanes = 0; // at most 255 per lane
        for (int k = 0; k < 255 && i + 8 <= t.size(); ++k, i += 8) {
            std::uint64_t x;
            std::memcpy(&x, t.data() + i, 8);
            x ^= lf;
            lanes += ~(((x & bas7) + bas7) | x | bas7) >> 7; // 1 in each lane that held a LF
        }
        const std::uint64_t paires = (lanes & octets_pairs) + ((lanes >> 8) & octets_pairs);
        n += static_cast<std::size_t>((paires * 0x0001000100010001ULL) >> 48);
    }
    for (; i < t.size(); ++i) n += t[i] == '\n';
    return n;
}

// Reads the file's bytes the way the project lines are read: whole lines, or integers
// preceded by any blanks (line ends included). Error codes: 100 past the end, 106 not a
// number. Lines come out in UTF-8.
class LecteurTexte {
public:
    explicit LecteurTexte(std::string_view octets) : t_(octets) {}

    // Valid until the next line is read.
    std::string_view ligne() {
        const std::size_t debut = p_;
        p_ = fin_de_ligne();
        const std::string_view l = t_.substr(debut, p_ - debut);
        saute_fin_de_ligne();
        if (tout_ascii(l)) return l;
        converti_ = cp1252_vers_utf8(l);
        return converti_;
    }

    void fin_ligne() {
        p_ = fin_de_ligne();
        saute_fin_de_ligne();
    }

    int entier(int& v) {
        while (p_ < t_.size() && static_cast<unsigned char>(t_[p_]) <= 32) ++p_;
        if (p_ >= t_.size()) return 100;
        const std::size_t debut = p_;
        while (p_ < t_.size() && static_cast<unsigned char>(t_[p_]) > 32) ++p_;
        // Digits and signs are ASCII: any other byte makes the same error in either encoding.
        const LectureEntier r = lit_entier(t_.substr(debut, p_ - debut));
        if (r.erreur != 0) return 106;
        v = r.valeur;
        return 0;
    }

    // Counted once per file: later calls take off the lines read since.
    long long lignes_restantes() {
        if (compte_depuis_ > p_ || compte_ < 0) {
            compte_ = 1 + static_cast<long long>(compte_lf(t_.substr(p_)));
        } else {
            compte_ -= static_cast<long long>(compte_lf(t_.substr(compte_depuis_, p_ - compte_depuis_)));
        }
        compte_depuis_ = p_;
        return compte_;
    }

private:
    // A line ends at CR or LF. The next LF is remembered, so files whose lines end with CR
    // alone are not searched to the end once per line.
    std::size_t fin_de_ligne() {
        if (!lf_connu_ || lf_ < p_) {
            lf_ = std::min(t_.find('\n', p_), t_.size());
            lf_connu_ = true;
        }
        return std::min(t_.substr(0, lf_).find('\r', p_), lf_);
    }

    void saute_fin_de_ligne() {
        if (p_ < t_.size() && t_[p_] == '\r') ++p_;
        if (p_ < t_.size() && t_[p_] == '\n') ++p_;
    }

    std::string_view t_;
    std::size_t p_ = 0;
    std::size_t lf_ = 0;
    bool lf_connu_ = false;
    std::string converti_;
    long long compte_ = -1;
    std::size_t compte_depuis_ = 0;
};

std::size_t debut_nom(const std::string& chemin) {
    const auto p = chemin.find_last_of("/\\");
    return p == std::string::npos ? 0 : p + 1;
}

void remet_calage_par_defaut(Document& d, int row) {
    static const long double X[] = {0, 0, 1}, Y[] = {1, 0, 0};
    d.affecte_calage(row, 0, "cal " + std::to_string(row), 0, 0, 0, Y[row - 1], X[row - 1]);
    d.StringGrid2.set_cell(d.indice_col_cal("x"), row, "");
    d.StringGrid2.set_cell(d.indice_col_cal("y"), row, "");
}

} // namespace

std::string chemin_base(const std::string& chemin) {
    // Only the file name is cut: folders with a point in their name are common here.
    const auto point = chemin.find('.', debut_nom(chemin));
    return point == std::string::npos ? chemin : chemin.substr(0, point);
}

std::string dossier_de(const std::string& chemin) {
    const std::size_t n = debut_nom(chemin);
    if (n == 0) return {};
    if (n == 1) return chemin.substr(0, 1); // the root
    if (n == 3 && chemin[1] == ':') return chemin.substr(0, 3); // a drive root keeps its backslash
    return chemin.substr(0, n - 1);
}

std::string nom_de_fichier(const std::string& chemin) { return chemin.substr(debut_nom(chemin)); }

std::string texte_projet(Document& d, bool avec_fond) {
    // The tables are cut to the counts, so the counts always match the rows that follow.
    // The lines table keeps its first line and the calibration table its three rows: they
    // exist from the start and later clicks write into them.
    d.StringGrid1.set_row_count(d.nb_points + 1);
    d.StringGrid3.set_row_count(std::max(d.num_ligne + 1, 2));
    d.StringGrid2.set_row_count(std::max(d.nb_calage + 1, 4));

    std::string t;
    auto ligne = [&t](const std::string& l) {
        t += l;
        t += "\r\n";
    };
    ligne(marqueur);
    ligne(avec_fond ? d.fichier_image : std::string());
    ligne("/taille image LxH dx0/dy0");
    ligne(std::to_string(d.largeur_fond) + "  " + std::to_string(d.hauteur_fond) + "  " + std::to_string(d.dx0) +
          "  " + std::to_string(d.dy0));
    ligne("/nombre de  points");
    ligne(std::to_string(d.nb_points));
    ligne("/nombre de  lignes");
    ligne(std::to_string(d.num_ligne));
    ligne("/nombre de points de calage  X Y (Z)");
    ligne(std::to_string(d.nb_calage));
    auto rangs = [&t](const Grille& g, int premier, int dernier) {
        for (int r = premier; r <= dernier; ++r) {
            ecrit_liste_virgules(t, g, r);
            t += "\r\n";
        }
    };
    rangs(d.StringGrid2, 0, d.nb_calage);
    // Room for all the points at the length of the first, so the text is not copied as it grows.
    const std::size_t avant = t.size();
    rangs(d.StringGrid1, 1, std::min(d.nb_points, 1));
    t.reserve(t.size() + (t.size() - avant + 16) * static_cast<std::size_t>(std::max(d.nb_points, 0)));
    rangs(d.StringGrid1, 2, d.nb_points);
    rangs(d.StringGrid3, 1, d.num_ligne);
    return t;
}

std::string ecrit_projet(Document& d, const std::string& chemin, bool avec_fond) {
    const std::string fichier = chemin_base(chemin) + ".trl";
    std::size_t perdus = 0;
    const std::string octets = utf8_vers_cp1252(texte_projet(d, avec_fond), &perdus);
    ecrit_fichier_sur(fichier, octets);
    if (perdus > 0)
        port().information("Certains caractères ne peuvent pas être enregistrés dans " + fichier +
                           " : ils ont été remplacés par « ? ».");
    return fichier;
}

ResultatLecture lit_projet(Document& d, const std::string& chemin, ActionsLecture& actions) {
    std::string octets;
    try {
        octets = lit_fichier(chemin);
    } catch (const ErreurFichier& e) {
        port().information(e.what());
        return ResultatLecture::refuse;
    }
    return lit_projet_octets(d, octets, actions);
}

ResultatLecture lit_projet_octets(Document& d, const std::string& octets, ActionsLecture& actions) {
    LecteurTexte f(octets);

    const std::string ligne1(f.ligne());
    if (ligne1 != marqueur) {
        port().information(" Le fichier n'est pas compatible \n le mot clé en première ligne est manquant\n "
                           "/VUVIVIVA introuvable : mess= <" +
                           ligne1 + ">");
        return ResultatLecture::refuse;
    }

    const std::string image(f.ligne());
    if (!d.fichier_image.empty() && nom_de_fichier(d.fichier_image) != nom_de_fichier(image)) {
        const bool ok = port().ok_annuler(
            " L'image relative à ce fichier est différente de l'image actuelle\n\nimage actuelle =<" +
            nom_de_fichier(d.fichier_image) + ">" + "\n" + "image fichier  =<" + nom_de_fichier(image) + ">" + "\n" +
            " Pour traiter néanmoins cette nouvelle image et sa digitalisation ");
        if (!ok) return ResultatLecture::annule;
    }

    actions.dispose_carte_tableau();
    d.fichier_image = image;

    f.fin_ligne();
    int taille[4] = {};
    for (int& v : taille) {
        if (const int erreur = f.entier(v)) {
            port().information("Ancien format : erreur =" + std::to_string(erreur) + "\n" +
                               "Les données dx0/dy0 sont manquantes\n" +
                               "éventuellement recharger juste l'image, et recopier la ligne qui suit celle contenant\n" +
                               " /taille image LxH   dx0/dy0\n" + "dans les fichiers *.trl");
            return ResultatLecture::interrompu;
        }
    }
    f.fin_ligne();
    d.largeur_fond = taille[0];
    d.hauteur_fond = taille[1];
    d.dx0 = taille[2];
    d.dy0 = taille[3];

    if (!actions.charge_fond(d)) return ResultatLecture::interrompu;

    int comptes[3] = {};
    for (int i = 0; i < 3; ++i) {
        f.fin_ligne();
        int erreur = f.entier(comptes[i]);
        if (erreur == 0 && i < 2 && (comptes[i] < 0 ||
                                        (comptes[i] > marge_rangs_manquants &&
                                         comptes[i] > f.lignes_restantes() + marge_rangs_manquants)))
            erreur = 106;
        if (erreur) {
            port().information("erreur =" + std::to_string(erreur));
            return ResultatLecture::interrompu;
        }
        f.fin_ligne();
        if (i == 0) d.nb_points = comptes[0];
        if (i == 1) d.num_ligne = comptes[1];
    }
    const int nb_calage = comptes[2];

    LecteurListes listes;
    const std::string_view entete = f.ligne();
    listes.lit(d.StringGrid2, 0, entete);
    listes.lit(d.StringGrid1, 0, entete);

    if (nb_calage >= 4 || nb_calage < 0) {
        port().information("n_calc=" + std::to_string(nb_calage) + "\n" + "Problème de lecture");
        return ResultatLecture::interrompu;
    }
    d.nb_calage = nb_calage;
    Grille& cal = d.StringGrid2;
    if (cal.row_count() < 4) cal.set_row_count(4);
    const int cx = d.indice_col_cal("x"), cy = d.indice_col_cal("y");
    const int cX = d.indice_col_cal("X"), cY = d.indice_col_cal("Y"), cZ = d.indice_col_cal("Z");
    for (int k = 1; k <= nb_calage; ++k) {
        listes.lit(cal, k, f.ligne());
        EnregistrementCalage& e = d.calage[static_cast<std::size_t>(k - 1)];
        e.x = val_entier(cal.cell(cx, k));
        e.y = val_entier(cal.cell(cy, k));
        e.X = val_reel(cal.cell(cX, k));
        e.Y = val_reel(cal.cell(cY, k));
        e.Z = val_reel(cal.cell(cZ, k));
        e.valide = true;
    }
    // Rows not placed yet keep the default frame, ready for the calibration clicks.
    for (int k = nb_calage + 1; k <= 3; ++k) remet_calage_par_defaut(d, k);

    if (d.nb_points > 0) {
        Grille& points = d.StringGrid1;
        {
            Grille::Lot lot(points);
            points.set_row_count(1);
            points.reserve_lignes(d.nb_points + 1);
            for (int r = 1; r <= d.nb_points; ++r) listes.ajoute(points, f.ligne());
        }
        points.set_row(d.nb_points);
        d.vue().montre_table_points();
        if (d.num_ligne > 0) {
            Grille& lignes = d.StringGrid3;
            lignes.set_row_count(d.num_ligne + 1);
            for (int r = 1; r <= d.num_ligne; ++r) {
                listes.lit(lignes, r, f.ligne());
                lignes.set_cell(0, r, _format(2, 0, r));
                lignes.set_cell(3, r, "x");
            }
            lignes.set_row(d.num_ligne);
        }
    }
    actions.fin_lecture(d);
    return ResultatLecture::lu;
}

} // namespace vuv
