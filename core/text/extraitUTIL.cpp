#include "core/text/extraitUTIL.h"

#include "core/table/Grille.h"
#include "core/text/encodage.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"
#include "core/ui/PortUtilisateur.h"

#include <charconv>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>

namespace vuv {
namespace {

SauvegardeUrgence& sauvegarde_urgence() {
    static SauvegardeUrgence s;
    return s;
}

bool chiffre(char c) { return c >= '0' && c <= '9'; }

// Step shared by the number tests and readers: the first mark that is not the local one
// becomes the local one, so 3,5 and 3.5 read alike under either setting.
std::string marque_locale(std::string_view t) {
    std::string s(t);
    const char sep = separateur_decimal();
    const auto point = s.find('.');
    if (point != std::string::npos && sep != '.') {
        s[point] = sep;
    } else {
        const auto virgule = s.find(',');
        if (virgule != std::string::npos && sep != ',') s[virgule] = sep;
    }
    return s;
}

bool tous_parmi(std::string_view s, std::string_view permis) {
    for (char c : s)
        if (permis.find(c) == std::string_view::npos) return false;
    return true;
}

std::string permis_reel() {
    std::string p = "*+-/0123456789E";
    p.push_back(separateur_decimal());
    return p;
}

bool forme_exclue(std::string_view s) { return s.empty() || s == "-" || compte_car(U'/', s) >= 2; }

std::string message_conversion(std::string_view texte) {
    return "ErreurConversion\n\r'" + std::string(texte) + "' n'est pas une valeur réelle valide";
}

// Reads the leading run of number characters; `blancs` skips spaces and non-breaking spaces.
long double lit_debut_reel(std::string_view t, bool blancs) {
    const std::string s = enleve_blancs(marque_locale(t));
    const char sep = separateur_decimal();
    std::string suite;
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (chiffre(c) || c == '+' || c == '-' || c == 'E' || c == sep) {
            suite.push_back(c);
            ++i;
        } else if (blancs && c == ' ') {
            ++i;
        } else if (blancs && static_cast<unsigned char>(c) == 0xC2 && i + 1 < s.size() &&
                   static_cast<unsigned char>(s[i + 1]) == 0xA0) {
            i += 2;
        } else if (blancs && s.compare(i, 3, "\u202F") == 0) { // Qt's French grouping
            i += 3;
        } else {
            break;
        }
    }
    if (suite.empty() || suite == "+" || suite == "-") return 0;
    if (const auto v = nombres::lit(suite, sep, true, false)) return *v;
    port().information(message_conversion(suite));
    return 0;
}

long double lit_filtre_point(std::string_view t) {
    std::string filtre;
    filtre.reserve(t.size());
    for (char c : t) {
        if (c == ',')
            filtre.push_back('.');
        else if (chiffre(c) || c == '+' || c == '-' || c == '.')
            filtre.push_back(c);
    }
    return nombres::lit(filtre, '.', false, false).value_or(0.0L);
}

std::size_t octets_du_premier(std::string_view t) {
    if (t.empty()) return 0;
    std::size_t pos = 0;
    lit_caractere(t, pos);
    return pos;
}

std::size_t octets_du_dernier(std::string_view t) {
    std::size_t dernier = 0;
    for (std::size_t pos = 0; pos < t.size();) {
        const std::size_t avant = pos;
        lit_caractere(t, pos);
        dernier = pos - avant;
    }
    return dernier;
}

// 1-based character position of a byte offset, 0 when absent.
std::size_t position(std::string_view t, std::size_t octet) {
    if (octet == std::string::npos) return 0;
    return nb_caracteres(t.substr(0, octet)) + 1;
}

} // namespace

long double valeur_absente() {
    // sign/exponent 0xB994, mantissa 0xB437822C974C445C: -3.6E-495 in 80-bit extended.
    static_assert(std::numeric_limits<long double>::digits == 64, "80-bit extended reals needed");
    unsigned char octets[sizeof(long double)] = {};
    const unsigned long long mantisse = 0xB437822C974C445CULL;
    const unsigned short signe_exposant = 0xB994;
    std::memcpy(octets, &mantisse, 8);
    std::memcpy(octets + 8, &signe_exposant, 2);
    long double v;
    std::memcpy(&v, octets, sizeof v);
    return v;
}

bool est_absente(long double v) {
    static const long double absente = valeur_absente();
    return v == absente;
}

std::string enleve_blancs_gauche(std::string_view t) {
    const auto p = t.find_first_not_of(' ');
    return p == std::string_view::npos ? std::string() : std::string(t.substr(p));
}

std::string enleve_blancs_droite(std::string_view t) {
    const auto p = t.find_last_not_of(' ');
    return p == std::string_view::npos ? std::string() : std::string(t.substr(0, p + 1));
}

std::string enleve_blancs(std::string_view t) { return enleve_blancs_droite(enleve_blancs_gauche(t)); }

std::string enleve_blancs_gauche_principal(std::string_view t) {
    std::size_t p = 0;
    while (p + 1 < t.size() && t[p] == ' ') ++p;
    return std::string(t.substr(p));
}

int compte_car(char32_t c, std::string_view t) {
    int n = 0;
    for (std::size_t pos = 0; pos < t.size();)
        if (lit_caractere(t, pos) == c) ++n;
    return n;
}

bool est_reel(std::string_view t) {
    const std::string s = enleve_blancs(marque_locale(t));
    if (forme_exclue(s)) return false;
    return tous_parmi(s, permis_reel());
}

bool est_entier(std::string_view t) {
    const std::string s = enleve_blancs(marque_locale(t));
    if (forme_exclue(s)) return false;
    return tous_parmi(s, "0123456789");
}

LectureEntier lit_entier(std::string_view t) {
    // The offending character's position counts the end of the text as one past its last.
    LectureEntier r;
    const std::size_t n = t.size();
    if (n == 0) {
        r.erreur = 1;
        return r;
    }
    std::size_t i = 0;
    while (i < n && t[i] == ' ') ++i;
    bool negatif = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) {
        negatif = t[i] == '-';
        ++i;
    }
    auto echec = [&](std::size_t a, unsigned long long valeur) {
        r.valeur = static_cast<std::int32_t>(static_cast<std::uint32_t>(valeur));
        r.erreur = static_cast<int>(a) + 1;
        return r;
    };
    bool hexa = false;
    if (i < n && (t[i] == '$' || t[i] == 'x' || t[i] == 'X')) {
        hexa = true;
        ++i;
    } else if (i + 1 < n && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        hexa = true;
        i += 2;
    }
    unsigned long long v = 0;
    if (i >= n) return echec(i, 0);
    if (hexa) {
        for (; i < n; ++i) {
            const char c = t[i];
            int d;
            if (chiffre(c))
                d = c - '0';
            else if (c >= 'a' && c <= 'f')
                d = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                return echec(i, v);
            if (v > 0x0FFFFFFFULL) return echec(i, v);
            v = v * 16 + static_cast<unsigned>(d);
        }
        const auto u = static_cast<std::uint32_t>(v);
        r.valeur = static_cast<std::int32_t>(negatif ? 0U - u : u);
        return r;
    }
    for (; i < n; ++i) {
        if (!chiffre(t[i])) return echec(i, v);
        if (v > 214748364ULL) return echec(i, v);
        v = v * 10 + static_cast<unsigned>(t[i] - '0');
    }
    const unsigned long long limite = negatif ? 2147483648ULL : 2147483647ULL;
    if (v > limite) return echec(n, v);
    r.valeur = negatif ? static_cast<std::int32_t>(-static_cast<long long>(v)) : static_cast<std::int32_t>(v);
    return r;
}

void installe_sauvegarde_urgence(SauvegardeUrgence s) { sauvegarde_urgence() = std::move(s); }

std::int32_t val_entier(std::string_view t) {
    const LectureEntier r = lit_entier(t);
    if (r.erreur == 0) return r.valeur;
    // Everything before the offending character is single-byte, so the byte position is the
    // character position.
    const std::string question = "<" + std::string(t) + "> n'est pas une valeur entière err=" +
                                 std::to_string(r.erreur) + "\n" +
                                 " Sauver automatiquement pour relancer l'application et recharger le projet ? ";
    if (!port().oui_non(question)) return r.valeur;

    const std::string fichier = "~tmp.trl";
    try {
        if (!sauvegarde_urgence()) throw std::runtime_error("aucun enregistreur de projet n'est disponible");
        sauvegarde_urgence()(fichier);
    } catch (const std::exception& e) {
        // Ending now would lose the work: say so and go on.
        port().information("La sauvegarde dans " + fichier + " a échoué : " + e.what() +
                           "\nLe programme continue : enregistrez votre travail autrement.");
        return r.valeur;
    }
    port().information("sauvegarde effectuée dans " + fichier + " avant arrêt");
    port().termine_application();
    return r.valeur;
}

long double val_reel(std::string_view t) { return lit_debut_reel(t, false); }

long double val_r(std::string_view t) {
    if (t.empty() || t == "-") return valeur_absente();
    return lit_filtre_point(t);
}

long double val_r_principal(std::string_view t) {
    if (t.empty() || t == "-") return 0;
    return lit_filtre_point(t);
}

std::string _format(int largeur, int decimales, long double v) {
    const int p = largeur + (v < 0 ? 1 : 0);
    return complete_blancs(nombres::fixe(v, p, decimales, separateur_decimal()), p);
}

std::string _format2(int largeur, int decimales, long double v) {
    const int p = largeur + (v < 0 ? 1 : 0);
    return nombres::fixe(v, p, decimales, separateur_decimal());
}

std::string complete_blancs(std::string_view t, int largeur) {
    const auto n = static_cast<long long>(nb_caracteres(t));
    if (n >= largeur) return std::string(t);
    std::string r(static_cast<std::size_t>(2 * (largeur - n)), ' ');
    r += t;
    return r;
}

std::string reel_en_texte_point(long double v) { return nombres::general(v, 15, '.'); }

std::string texte_nombre_classeur(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    const std::string_view t(buf, static_cast<std::size_t>(r.ptr - buf));
    const std::size_t e = t.find('e');
    std::string s(t.substr(0, e));
    for (char& c : s)
        if (c == '.') c = separateur_decimal();
    if (e == std::string_view::npos) return s;
    // est_reel refuses a small e: "1e-07" would be skipped as a word.
    std::size_t i = e + 1;
    s.push_back('E');
    if (t[i] == '-') s.push_back('-');
    if (t[i] == '-' || t[i] == '+') ++i;
    while (i + 1 < t.size() && t[i] == '0') ++i;
    s.append(t.substr(i));
    return s;
}

std::string filtre_nombre(std::string_view t) {
    const char sep = separateur_decimal();
    std::string r;
    for (char c : t) {
        if (chiffre(c) || c == '+' || c == '-' || c == 'E' || c == sep)
            r.push_back(c);
        else if (c == '.')
            r.push_back(sep == ',' ? ',' : '.');
    }
    return r;
}

std::string fixe_local(long double v, int decimales) {
    return nombres::fixe(v, 18, decimales, separateur_decimal());
}

std::string extrait_champ(std::string_view ligne, int k, char sep) {
    std::string s;
    s.reserve(ligne.size() + 2);
    for (char c : ligne)
        if (c != sep || s.empty() || s.back() != sep) s.push_back(c);
    if (s.empty()) return "_extraitUTIL<" + s + ">";
    if (s.front() != sep) s.insert(s.begin(), sep);
    if (s.back() != sep) s.push_back(sep);
    if (k < 1) return {};
    std::size_t debut = 0; // the k-th separator
    for (int i = 1; i < k; ++i) {
        debut = s.find(sep, debut + 1);
        if (debut == std::string::npos) return {};
    }
    const std::size_t fin = s.find(sep, debut + 1);
    if (fin == std::string::npos) return {};
    return enleve_blancs_gauche(enleve_blancs_droite(std::string_view(s).substr(debut + 1, fin - debut - 1)));
}

long double extrait_champ_reel(std::string_view ligne, int k, char sep, long double defaut) {
    std::string champ = extrait_champ(ligne, k, sep);
    const auto virgule = champ.find(',');
    if (virgule != std::string::npos) champ[virgule] = '.';
    return nombres::lit(champ, '.', true, true).value_or(defaut);
}

int indice_col_grille(const Grille& g, std::string_view nom) {
    const std::string cherche = enleve_blancs(nom);
    int trouve = -1;
    for (int c = 0; c < g.col_count(); ++c)
        if (enleve_blancs(g.cell(c, 0)) == cherche) trouve = c;
    return trouve;
}

bool lit_fichier_texte(const std::string& chemin, std::string& texte, long& taille, std::string* erreur,
                       long limite) {
    auto refus = [&](const std::string& raison) {
        if (erreur) *erreur = "Fichier <" + chemin + "> : " + raison;
        return false;
    };
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return refus("impossible à lire");
    // One byte past the limit tells a file that is too large without reading all of it.
    std::string octets(static_cast<std::size_t>(limite) + 1, '\0');
    f.read(octets.data(), static_cast<std::streamsize>(octets.size()));
    if (f.bad()) return refus("impossible à lire");
    octets.resize(static_cast<std::size_t>(f.gcount()));
    if (static_cast<long>(octets.size()) > limite)
        return refus("fichier trop grand (plus de " + std::to_string(limite) + " octets)");
    if (const auto nul = octets.find('\0'); nul != std::string::npos)
        return refus("ce n'est pas un fichier texte (octet nul à la position " + std::to_string(nul + 1) + ")");
    taille = static_cast<long>(octets.size());
    texte = texte_de_fichier(octets);
    return true;
}

std::string extrait_entre(int mode, std::string& travail, std::string_view ancre, std::string_view debut,
                          std::string_view fin) {
    if (!ancre.empty()) {
        const auto a = travail.find(ancre);
        if (a != std::string::npos) travail.erase(0, a + ancre.size());
    }
    const auto p1 = travail.find(debut);
    std::size_t p2 = std::string::npos;
    if (p1 != std::string::npos) {
        const std::size_t premier = octets_du_premier(debut);
        p2 = travail.find(fin, p1 + premier);
        if (p2 != std::string::npos) {
            std::string champ = travail.substr(p1 + premier, p2 - p1 - premier);
            // Keep the stop's last character: it may open the next field.
            travail.erase(0, p2 + fin.size() - octets_du_dernier(fin));
            return mode == 1 ? filtre_nombre(champ) : champ;
        }
    }
    std::string r = "?" + std::to_string(position(travail, p1)) + "-" + std::to_string(position(travail, p2)) + "  ";
    if (p1 != std::string::npos) travail.erase(0, p1);
    return r + travail;
}

std::string entier_plus(std::string_view t, int decalage) {
    return std::to_string(static_cast<long long>(val_entier(t)) + decalage);
}

namespace conversion {

std::string enleve_tous_blancs(std::string_view t) {
    std::string r;
    r.reserve(t.size());
    for (std::size_t pos = 0; pos < t.size();) {
        const char32_t c = lit_caractere(t, pos);
        if (c != U' ' && c != 0xA0 && c != 0x202F) ajoute_caractere(r, c);
    }
    return r;
}

std::string remplace_car(std::string_view t, char32_t de, char32_t par) {
    std::string r;
    r.reserve(t.size());
    for (std::size_t pos = 0; pos < t.size();) {
        const char32_t c = lit_caractere(t, pos);
        ajoute_caractere(r, c == de ? par : c);
    }
    return r;
}

std::string separateur_local(std::string_view t) {
    std::string r(t);
    const char sep = separateur_decimal();
    for (char& c : r)
        if (c == '.' || c == ',') c = sep;
    return r;
}

bool est_reel(std::string_view t) {
    const std::string s = marque_locale(enleve_tous_blancs(t));
    if (s.empty() || s == "-" || s == "E") return false;
    return tous_parmi(s, permis_reel());
}

bool est_angle(std::string_view t) {
    const std::string s = enleve_blancs(marque_locale(t));
    if (s.empty() || s == "-" || s == "E") return false;
    const std::string permis = permis_reel() + " \"'";
    for (std::size_t pos = 0; pos < s.size();) {
        const char32_t c = lit_caractere(s, pos);
        if (c == 0xB0) continue; // the degree sign
        if (c > 0x7F || permis.find(static_cast<char>(c)) == std::string::npos) return false;
    }
    return true;
}

long double val_reel(std::string_view t) { return lit_debut_reel(t, true); }

std::string extrait_champ_strict(std::string_view ligne, int k, char sep) {
    if (k < 1) return {};
    std::string s(1, sep);
    s += ligne;
    std::size_t debut = 0;
    for (int i = 1; i < k; ++i) {
        debut = s.find(sep, debut + 1);
        if (debut == std::string::npos) return {};
    }
    const std::size_t fin = s.find(sep, debut + 1);
    if (fin == std::string::npos) return {};
    return s.substr(debut + 1, fin - debut - 1);
}

} // namespace conversion
} // namespace vuv
