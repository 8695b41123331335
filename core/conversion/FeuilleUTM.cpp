#include "core/conversion/FeuilleUTM.h"

#include "core/fichiers/EcritureSure.h"
#include "core/geo/UTMLaLo.h"
#include "core/reglages/DossierProgramme.h"
#include "core/table/Grille.h"
#include "core/text/encodage.h"
#include "core/text/extraitUTIL.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"
#include "core/ui/PortUtilisateur.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <optional>
#include <tuple>

namespace vuv {
namespace {

const char* const entetes[feuille_colonnes] = {
    "n°",       "Libellé",   "Est (X)",   "Nord (Y)",   "Zone",      "UTM lettre", "Hémisphère",
    "Ellipsoïde", "Latitude", "Longitude", "°latitude", "°longitude", " x / 1000", " y / 1000"};
const int largeurs[feuille_colonnes] = {30, -1, 74, 74, -1, -1, -1, -1, 85, 85, 90, 90, 60, 60};

std::string a_gauche(std::string t, int largeur) {
    const auto n = static_cast<long>(nb_caracteres(t));
    if (n < largeur) t.insert(0, static_cast<std::size_t>(largeur - n), ' ');
    return t;
}

std::string format_f10(long double v) { return a_gauche(fixe_local(v, 10), 8); }  // "%8.10f"
std::string format_d(long v, int largeur) { return a_gauche(std::to_string(v), largeur); } // "%3d"

bool vide(std::string_view t) { return enleve_blancs(t).empty(); }

// The whole cell must be one number: blanks ignored, either decimal mark, no second mark.
std::optional<long double> lit_decimal(std::string_view t) {
    std::string s = conversion::enleve_tous_blancs(t);
    const auto marque = s.find_first_of(".,");
    if (marque != std::string::npos) s[marque] = '.';
    return nombres::lit(s, '.', true, false);
}

// An angle text whose degrees, minutes and seconds are each a number (or absent).
std::optional<long double> lit_angle(std::string_view t) {
    if (!conversion::est_angle(t)) return std::nullopt;
    std::string s = conversion::remplace_car(t, U'\u00B0', U'\'');
    s = conversion::remplace_car(s, U'"', U'\'');
    if (!extrait_champ(s, 4, '\'').empty()) return std::nullopt;
    for (int k = 1; k <= 3; ++k) {
        std::string champ = extrait_champ(s, k, '\'');
        if (champ.empty()) continue;
        const auto virgule = champ.find(',');
        if (virgule != std::string::npos) champ[virgule] = '.';
        if (!nombres::lit(champ, '.', true, false)) return std::nullopt;
    }
    return ParseDMSText(t);
}

bool dans(std::optional<long double> v, long double limite) { return v && std::fabs(*v) <= limite; }

// One row worked on a copy: written back only when every value it needed was good.
class Ligne {
public:
    Ligne(const Grille& g, const ColonnesFeuille& c, int row) : g_(g), c_(c), row_(row) {
        const Grille::Rangee l = g.ligne(row);
        v_.clear();
        for (int k = 0; k < g.col_count(); ++k) v_.emplace_back(l[k]);
    }

    bool refusee() const { return refus_.has_value(); }
    const ValeurRefusee& refus() const { return *refus_; }
    const std::vector<std::string>& cellules() const { return v_; }

    void angles_vers_decimal() {
        angle_vers_decimal(c_.dlat, c_.lat, 90);
        angle_vers_decimal(c_.dlon, c_.lon, 180);
    }

    void decimal_vers_angles() {
        decimal_vers_angle(c_.lat, c_.dlat, 90);
        decimal_vers_angle(c_.lon, c_.dlon, 180);
    }

    // "Lat Long --> °lat °long" alone: each cell on its own, a bad one empties its angle.
    void decimal_vers_angles_par_cellule() {
        for (const auto& [de, vers, limite] : {std::tuple{c_.lat, c_.dlat, 90}, std::tuple{c_.lon, c_.dlon, 180}}) {
            if (vide(v_[de])) continue;
            const auto v = lit_decimal(v_[de]);
            if (dans(v, limite)) {
                v_[vers] = FormatDMSText(*v);
            } else {
                videes_.push_back({row_, enleve_blancs(g_.cell(de, 0)), v_[de]});
                v_[vers].clear();
            }
        }
    }
    const std::vector<ValeurRefusee>& videes() const { return videes_; }

    void xy(long double Ra, long double Rb) {
        decimal_vers_angles();
        if (refusee() || !conversion::est_angle(v_[c_.dlat]) || !conversion::est_angle(v_[c_.dlon])) return;
        const auto lat = angle(c_.dlat, 90);
        const auto lon = angle(c_.dlon, 180);
        if (!lat || !lon) return;
        const XY p = SphericalXY(*lat, *lon, Ra, Rb);
        v_[c_.x] = format_n(p.x, 5, 0);
        v_[c_.y] = format_n(p.y, 5, 0);
    }

    void angles_vers_utm(bool vides, long double Ra, long double Rb) {
        angles_vers_decimal();
        if (refusee()) return;
        const bool angle_donne = !vide(v_[c_.dlat]) || !vide(v_[c_.dlon]);
        if (angle_donne && (!vides || (vide(v_[c_.est]) && vide(v_[c_.nord])))) {
            const auto lat = nombre(c_.lat, 90);
            const auto lon = nombre(c_.lon, 180);
            if (!lat || !lon) return;
            int el = WGS_84;
            if (const auto trouve = FindEllipsoid(v_[c_.ellipsoide])) el = *trouve;
            else v_[c_.ellipsoide] = Ellipsoid[WGS_84].Name;
            const PositionUTM p = LatLongToUTM(el, *lat, *lon);
            v_[c_.est] = format_n(p.Easting, 8, 2);
            v_[c_.nord] = format_n(p.Northing, 8, 2);
            v_[c_.zone] = format_d(p.Zone, 3);
            v_[c_.lettre] = std::string(1, p.Letter);
            v_[c_.hemi] = *lat >= 0 ? "N" : "S";
        }
        xy(Ra, Rb);
    }

    void utm_vers_latlon(long double Ra, long double Rb) {
        const std::string h = lettre_hemisphere(v_[c_.hemi]);
        const auto el = FindEllipsoid(v_[c_.ellipsoide]);
        if (conversion::est_reel(v_[c_.est]) && conversion::est_reel(v_[c_.nord]) &&
            conversion::est_reel(v_[c_.zone]) && !vide(v_[c_.ellipsoide]) && (h == "N" || h == "S") && el) {
            const auto est = nombre(c_.est, 1e300L);
            const auto nord = nombre(c_.nord, 1e300L);
            const auto zone = nombre(c_.zone, 60);
            if (!est || !nord || !zone) return;
            if (*zone < 1 || *zone != std::floor(*zone)) return refuse(c_.zone);
            const LatLong r = UTMToLatLong(*el, static_cast<std::uint8_t>(*zone),
                                           h == "S" ? Hemisphere::South : Hemisphere::North, *est, *nord);
            if (!dans(r.Lat, 90)) return refuse(c_.nord);
            if (!dans(r.Long, 180)) return refuse(c_.est);
            v_[c_.lat] = format_f10(r.Lat);
            v_[c_.lon] = format_f10(r.Long);
            v_[c_.lettre] = std::string(1, LetterDesignator(r.Lat));
        }
        xy(Ra, Rb);
    }

private:
    static std::string lettre_hemisphere(std::string_view t) {
        const std::string s = enleve_blancs(t);
        if (s.empty()) return "-";
        const char c = s[0];
        return std::string(1, c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }

    void refuse(int col) {
        if (!refus_) refus_ = ValeurRefusee{row_, enleve_blancs(g_.cell(col, 0)), v_[col]};
    }
    std::optional<long double> nombre(int col, long double limite) {
        const auto v = lit_decimal(v_[col]);
        if (dans(v, limite)) return v;
        refuse(col);
        return std::nullopt;
    }
    std::optional<long double> angle(int col, long double limite) {
        const auto v = lit_angle(v_[col]);
        if (dans(v, limite)) return v;
        refuse(col);
        return std::nullopt;
    }

    void angle_vers_decimal(int de, int vers, long double limite) {
        if (refusee() || vide(v_[de])) return;
        if (const auto v = angle(de, limite)) v_[vers] = format_f10(*v);
    }
    void decimal_vers_angle(int de, int vers, long double limite) {
        if (refusee() || vide(v_[de])) return;
        if (const auto v = nombre(de, limite)) v_[vers] = FormatDMSText(*v);
    }

    const Grille& g_;
    const ColonnesFeuille& c_;
    int row_;
    std::vector<std::string> v_;
    std::optional<ValeurRefusee> refus_;
    std::vector<ValeurRefusee> videes_;
};

void ajoute_groupe(std::string& r, std::string_view chiffres) {
    const std::size_t n = chiffres.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) ajoute_caractere(r, separateur_milliers());
        r.push_back(chiffres[i]);
    }
}

} // namespace

ColonnesFeuille colonnes_feuille(const Grille& g) {
    auto i = [&g](int k) { return indice_col_grille(g, entetes[k]); };
    return {i(1), i(2), i(3), i(4), i(5), i(6), i(7), i(8), i(9), i(10), i(11), i(12), i(13)};
}

void prepare_feuille(Grille& g) {
    Grille::Lot lot(g);
    g.set_col_count(feuille_colonnes);
    g.set_row_count(feuille_lignes);
    g.set_fixed_rows(1);
    g.set_fixed_cols(1);
    for (int k = 0; k < feuille_colonnes; ++k) {
        g.set_cell(k, 0, entetes[k]);
        if (largeurs[k] > 0) g.set_col_width(k, largeurs[k]);
    }
    for (int r = 1; r < feuille_lignes; ++r) g.set_cell(0, r, std::to_string(r));
    const ColonnesFeuille c = colonnes_feuille(g);
    auto utm = [&](int r, const char* est, const char* nord, const char* zone) {
        g.set_cell(c.est, r, est);
        g.set_cell(c.nord, r, nord);
        g.set_cell(c.zone, r, zone);
        g.set_cell(c.hemi, r, "N");
        g.set_cell(c.ellipsoide, r, "WGS 84");
    };
    auto angles = [&](int r, const std::string& lat, const std::string& lon) {
        g.set_cell(c.dlat, r, lat);
        g.set_cell(c.dlon, r, lon);
    };
    for (int r : {1, 2, 7}) utm(r, "406 864", "5 383 757", "32");
    for (int r : {3, 9}) angles(r, "48° 35' 59,8555\"", "7° 44' 12,2052\"");
    angles(4, "48° 36' 12,637\"", "7°");
    g.set_cell(c.lat, 5, "48,5999598581");
    g.set_cell(c.lon, 5, "7,73672367");
    angles(6, "48° 36' 0,0\"", "7° 44' 14,0\"");
    angles(8, "-4° 36' 0,0\"", "15° 44' 14,0\"");
    angles(10, "48° 35' 59,9555\"", "7° 44' 12,2052\"");
    utm(13, "611 280.65", "0.00", "31");
    utm(14, "611 000.65", "0.00", "31");
    for (int k = 0; k <= 15; ++k) angles(16 + k, "0", std::to_string(k));
}

Bilan calcule(Grille& g, const ColonnesFeuille& c, Calcul calcul, long double Ra, long double Rb,
              const Avancement& avancement) {
    Bilan b;
    Grille::Lot lot(g);
    const long total = g.row_count() - 1;
    std::vector<std::string_view> vues;
    for (int r = 1; r < g.row_count(); ++r) {
        if (avancement && (r - 1) % 4096 == 0 && !avancement(r - 1, total)) {
            b.annule = true;
            break;
        }
        Ligne l(g, c, r);
        switch (calcul) {
        case Calcul::AnglesVersDecimal: l.angles_vers_decimal(); break;
        case Calcul::DecimalVersAngles: l.decimal_vers_angles_par_cellule(); break;
        case Calcul::XY: l.xy(Ra, Rb); break;
        case Calcul::AnglesVersUTM: l.angles_vers_utm(false, Ra, Rb); break;
        case Calcul::AnglesVersUTMVides: l.angles_vers_utm(true, Ra, Rb); break;
        case Calcul::UTMVersLatLon: l.utm_vers_latlon(Ra, Rb); break;
        }
        ++b.traitees;
        if (l.refusee()) {
            ++b.refusees;
            if (b.premieres.size() < 10) b.premieres.push_back(l.refus());
            continue;
        }
        for (const ValeurRefusee& v : l.videes()) {
            ++b.videes;
            if (b.premieres.size() < 10) b.premieres.push_back(v);
        }
        const Grille::Rangee avant = g.ligne(r);
        bool change = false;
        vues.clear();
        for (int k = 0; k < g.col_count(); ++k) {
            vues.emplace_back(l.cellules()[static_cast<std::size_t>(k)]);
            change = change || avant[k] != vues.back();
        }
        if (change) g.affecte_ligne(r, vues.data(), static_cast<int>(vues.size()));
    }
    return b;
}

std::string message_bilan(const Bilan& b) {
    if (b.refusees == 0 && b.videes == 0) return {};
    std::string m;
    if (b.refusees == 1) m = "1 ligne n'a pas été convertie (valeur illisible ou hors limites) :";
    else if (b.refusees > 1)
        m = std::to_string(b.refusees) + " lignes n'ont pas été converties (valeurs illisibles ou hors limites) :";
    if (b.videes == 1) m += "1 valeur n'a pas été convertie (illisible ou hors limites), son angle est vidé :";
    else if (b.videes > 1)
        m += std::to_string(b.videes) +
             " valeurs n'ont pas été converties (illisibles ou hors limites), leurs angles sont vidés :";
    for (const ValeurRefusee& v : b.premieres)
        m += "\rn° " + std::to_string(v.ligne) + "  " + v.colonne + "  <" + v.texte + ">";
    if (b.refusees + b.videes > static_cast<long>(b.premieres.size())) m += "\r...";
    return m;
}

std::string texte_export(const Grille& g) {
    std::string t;
    for (int r = 0; r < g.row_count(); ++r) {
        const Grille::Rangee l = g.ligne(r);
        for (int k = 0; k < g.col_count(); ++k) {
            if (r > 0 && (k == 2 || k == 3)) t += conversion::enleve_tous_blancs(l[k]);
            else t += l[k];
            t += '\t';
        }
        t += "\r\n";
    }
    return t;
}

void exporte_feuille(const Grille& g) {
    if (!port().oui_non("Voulez-vous copier le tableazu \r  dans le presse papier (valeurs séparées par TABULATION) "
                        "\r  et dans un fichier <UTMpresse_papier.txt> ?"))
        return;
    const std::string texte = texte_export(g);
    const std::string fichier = chemin_programme("UTMpresse_papier.txt");
    std::size_t perdus = 0;
    std::string echec;
    try {
        ecrit_fichier_sur(fichier, utf8_vers_cp1252(texte, &perdus));
    } catch (const ErreurFichier& e) {
        echec = e.what();
    }
    port().presse_papier_ecrit(texte);
    if (!echec.empty()) {
        port().erreur("Le presse-papier est à jour, mais pas le fichier <" + fichier + "> :\r" + echec);
        return;
    }
    if (perdus > 0)
        port().information("Certains caractères ne peuvent pas être enregistrés dans " + fichier +
                           " : ils ont été remplacés par « ? ».");
    port().information("Le presse-papier est à jour  \r ainsi que le fichier <" + fichier + ">");
}

long importe_texte(Grille& g, const ColonnesFeuille& c, std::string_view texte) {
    Grille::Lot lot(g);
    g.reserve_lignes(static_cast<int>(std::min<std::size_t>(
                         std::count(texte.begin(), texte.end(), '\n') + 2, feuille_lignes_max)));
    long n = 0;
    std::size_t debut = 0;
    std::vector<std::string_view> cellules(static_cast<std::size_t>(g.col_count()));
    const auto pose = [&](int col, std::string_view t) {
        if (col >= 0 && col < g.col_count()) cellules[static_cast<std::size_t>(col)] = t;
    };
    while (debut < texte.size() && n + 1 < feuille_lignes_max) {
        std::size_t fin = texte.find('\n', debut);
        if (fin == std::string_view::npos) fin = texte.size();
        std::string_view ligne = texte.substr(debut, fin - debut);
        debut = fin + 1;
        if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
        if (vide(ligne)) continue;
        const char sep = ligne.find('\t') != std::string_view::npos ? '\t' : ';';
        const int r = static_cast<int>(++n);
        if (r >= g.row_count()) g.set_row_count(r + 1);
        // The row built once, not cell by cell.
        std::fill(cellules.begin(), cellules.end(), std::string_view());
        const std::string numero = format_d(r, 3), lib = conversion::extrait_champ_strict(ligne, 1, sep),
                          est = conversion::extrait_champ_strict(ligne, 5, sep),
                          nord = conversion::extrait_champ_strict(ligne, 4, sep);
        pose(0, numero);
        pose(c.lib, lib);
        pose(c.est, est);
        pose(c.nord, nord);
        pose(c.zone, "37");
        pose(c.hemi, "N");
        pose(c.ellipsoide, "WGS 84");
        g.affecte_ligne(r, cellules.data(), g.col_count());
    }
    g.set_row_count(static_cast<int>(n) + 1);
    if (debut < texte.size() && !vide(texte.substr(debut)))
        port().information("Le fichier a plus de lignes que la feuille ne peut en contenir : seules les " +
                           std::to_string(feuille_lignes_max - 1) + " premières positions ont été lues.");
    return n;
}

Cellules cellules_tabulees(std::string_view texte) {
    Cellules r;
    for (std::size_t debut = 0; debut < texte.size();) {
        std::size_t fin = texte.find('\n', debut);
        if (fin == std::string_view::npos) fin = texte.size();
        std::string_view l = texte.substr(debut, fin - debut);
        debut = fin + 1;
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        auto& ligne = r.emplace_back();
        for (std::size_t d = 0;;) {
            const std::size_t tab = l.find('\t', d);
            ligne.emplace_back(l.substr(d, tab == std::string_view::npos ? l.npos : tab - d));
            if (tab == std::string_view::npos) break;
            d = tab + 1;
        }
    }
    return r;
}

namespace {

const std::string& case_de(const Cellules& cellules, std::size_t ligne, std::size_t col) {
    static const std::string vide_;
    if (ligne >= cellules.size() || col >= cellules[ligne].size()) return vide_;
    return cellules[ligne][col];
}

void vide_feuille(Grille& g) {
    for (int r = 1; r < g.row_count(); ++r) g.vide_ligne(r);
    g.set_row_count(2);
}

// Whole metres with thousands separators when the cell is a number, as it stands otherwise.
std::string metres(const std::string& t) {
    const std::string s = conversion::separateur_local(t);
    const auto v = conversion::est_reel(s) ? lit_decimal(s) : std::nullopt;
    return v ? format_n(*v, 7, 0) : s;
}

// The first occurrence of the letter removed; true when there was one.
bool retire(std::string& t, char lettre) {
    const auto i = t.find(lettre);
    if (i == std::string::npos) return false;
    t.erase(i, 1);
    return true;
}

} // namespace

long importe_classeur_utm(Grille& g, const ColonnesFeuille& c, const Cellules& cellules) {
    Grille::Lot lot(g);
    vide_feuille(g);
    const std::string zone = case_de(cellules, 0, 1);
    std::string ellipsoide = case_de(cellules, 1, 1);
    if (ellipsoide == "WGS84") ellipsoide = "WGS 84";
    const std::string hemi = case_de(cellules, 2, 1);
    long n = 0;
    for (std::size_t i = 3; i < 1001; ++i) {
        const std::string& lib = case_de(cellules, i, 0);
        if (vide(lib)) break;
        const int r = static_cast<int>(++n);
        if (r >= g.row_count()) g.set_row_count(r + 1);
        g.set_cell(0, r, std::to_string(n));
        g.set_cell(c.lib, r, lib);
        g.set_cell(c.est, r, metres(case_de(cellules, i, 1)));
        g.set_cell(c.nord, r, metres(case_de(cellules, i, 2)));
        g.set_cell(c.zone, r, zone);
        g.set_cell(c.hemi, r, hemi);
        g.set_cell(c.ellipsoide, r, ellipsoide);
    }
    return n;
}

long importe_classeur_latlon(Grille& g, const ColonnesFeuille& c, const Cellules& cellules) {
    Grille::Lot lot(g);
    vide_feuille(g);
    long n = 0;
    for (std::size_t i = 1; i <= 1001; ++i) {
        const std::string nom = enleve_blancs(case_de(cellules, i, 0));
        if (nom.empty()) break;
        std::string lat = enleve_blancs(case_de(cellules, i, 1));
        std::string lon = enleve_blancs(case_de(cellules, i, 2));
        retire(lat, 'N');
        if (retire(lat, 'S')) lat.insert(0, "-");
        if (retire(lon, 'O')) lon.insert(0, "-");
        retire(lon, 'E');
        const int r = static_cast<int>(++n);
        if (r >= g.row_count()) g.set_row_count(r + 1);
        g.set_cell(0, r, std::to_string(r));
        g.set_cell(c.lib, r, nom);
        const bool degres_lat = lat.find("°") != std::string::npos;
        const bool degres_lon = lon.find("°") != std::string::npos;
        g.set_cell(c.hemi, r, lat.find('-') != std::string::npos ? "S" : "N");
        g.set_cell(degres_lat ? c.dlat : c.lat, r, std::move(lat));
        g.set_cell(degres_lon ? c.dlon : c.lon, r, std::move(lon));
    }
    return n;
}

std::string prepare_exemple(std::string_view nom, const std::string& modele) {
    const std::string classeur = chemin_programme(std::string(nom) + ".xls");
    try {
        const std::string octets = lit_fichier(modele);
        if (std::ifstream(classeur).good() &&
            port().question("Importer un fichier Excel XLS",
                            "Le fichier " + classeur + "\r\rexiste déjà\r\racceptez-vous d'en perdre le contenu ?", "ON",
                            "Ecraser", "") != "O")
            return {};
        ecrit_fichier_sur(classeur, octets);
    } catch (const ErreurFichier& e) {
        if (!std::ifstream(modele).good()) port().information("Le fichier < " + modele + " > n'a pas été trouvé");
        else port().erreur(e.what());
        return {};
    }
    return classeur;
}

std::string colle(Grille& g, int col, int row, std::string_view texte) {
    std::vector<std::string_view> lignes;
    for (std::size_t debut = 0; debut < texte.size();) {
        std::size_t fin = texte.find('\n', debut);
        if (fin == std::string_view::npos) fin = texte.size();
        std::string_view l = texte.substr(debut, fin - debut);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        lignes.push_back(l);
        debut = fin + 1;
        if (static_cast<long>(lignes.size()) + row > feuille_lignes_max)
            return "Le presse-papier contient trop de lignes : la feuille est limitée à " +
                   std::to_string(feuille_lignes_max - 1) + " positions. Rien n'a été collé.";
    }
    if (lignes.empty() || row < 1 || col < 0) return {};
    Grille::Lot lot(g);
    const int derniere = row + static_cast<int>(lignes.size()) - 1;
    if (derniere >= g.row_count()) {
        const int avant = g.row_count();
        g.set_row_count(derniere + 1);
        for (int r = avant; r <= derniere; ++r) g.set_cell(0, r, std::to_string(r));
    }
    for (std::size_t i = 0; i < lignes.size(); ++i) {
        std::string_view l = lignes[i];
        int k = col;
        for (std::size_t debut = 0; k < g.col_count(); ++k) {
            const std::size_t tab = l.find('\t', debut);
            g.assigne_cell(k, row + static_cast<int>(i), l.substr(debut, tab == std::string_view::npos ? l.npos : tab - debut));
            if (tab == std::string_view::npos) break;
            debut = tab + 1;
        }
    }
    return {};
}

void recopie_vers_le_bas(Grille& g, int col, int row) {
    Grille::Lot lot(g);
    const std::string t{g.cell(col, row)};
    for (int r = row + 1; r < g.row_count(); ++r) g.set_cell(col, r, t);
}

void efface_feuille(Grille& g) {
    Grille::Lot lot(g);
    for (int r = 1; r < g.row_count(); ++r)
        for (int k = 1; k < g.col_count(); ++k) g.set_cell(k, r, {});
}

std::string format_n(long double v, int largeur, int decimales) {
    const std::string s = fixe_local(v, decimales);
    if (s.find('E') != std::string::npos) return a_gauche(s, largeur);
    const std::size_t signe = s[0] == '-' ? 1 : 0;
    std::size_t fin_entier = s.find(separateur_decimal());
    if (fin_entier == std::string::npos) fin_entier = s.size();
    std::string r = s.substr(0, signe);
    ajoute_groupe(r, std::string_view(s).substr(signe, fin_entier - signe));
    r += s.substr(fin_entier);
    return a_gauche(r, largeur);
}

std::string texte_aide() {
    std::string t =
        "Longitude ou E\tLatitude ou N\tSystème de coordonnées\r\n"
        "6 gr\t54 gr\tNTF méridien de Paris\r\n"
        "7°44´14.0\"\t48°36´00.0\"\tNTF méridien de Greenwich\r\n"
        "7°44´16.4\"\t48°36´03.0\"\tED50 Greenwich\r\n"
        "7°44´12.2\"\t48°35´59.9\"\tWGS84 Greenwich\r\n"
        "997 960 m\t114 185 m\tNTF Lambert I\r\n"
        "998 137 m\t2 413 822 m\tNTF Lambert II étendu\r\n"
        "406 946 m\t5 383 958 m\tED50 UTM fuseau 32 Nord\r\n"
        "406 864 m\t5 383 757 m\tWGS84 UTM fuseau 32 Nord\r\n"
        "1 049 052 m\t6 843 777 m\tRGF93 en projection Lambert-93\r\n"
        "\r\n"
        "Méridien central du fuseau (LongOrigin) :\r\n"
        "  longitude >= 0 : trunc(longitude / 6) * 6 + 3\r\n"
        "  longitude <  0 : trunc(longitude / 6) * 6 - 3\r\n"
        "  zone = (longitude + 183) / 6 arrondi\r\n"
        "\r\n"
        "Lettre UTM (bande de latitude, borne haute comprise) :\r\n";
    const char* lettres = "CDEFGHJKLMNPQRSTUVWX";
    for (int i = 19; i >= 0; --i) {
        const int bas = -80 + 8 * i;
        t += "  " + std::string(1, lettres[i]) + " : " + std::to_string(bas) + " < L <= " + std::to_string(bas + 8) +
             "\r\n";
    }
    t += "  Z : au-delà de 80 ou à -80 et au-dessous\r\n\r\nEllipsoïdes (a, b en mètres) :\r\n";
    for (int i = 0; i < nb_ellipsoides; ++i) {
        const TEllipsoid& e = Ellipsoid[static_cast<std::size_t>(i)];
        t += "  " + std::to_string(i) + "\t" + e.Name + "\t" + nombres::general(e.a, 12, '.') + "\t" +
             nombres::general(e.b, 12, '.') + "\r\n";
    }
    return t;
}

} // namespace vuv
