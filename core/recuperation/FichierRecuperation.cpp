#include "core/recuperation/FichierRecuperation.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace vuv {
namespace {

constexpr std::string_view debut_pied = "/VUVIVIVA RECUPERATION\r\n";
constexpr std::string_view fin_pied = "/FIN\r\n";

// One value per line: a line end inside a path or a WKT would cut the lines.
std::string sur_une_ligne(std::string v) {
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    return v;
}

} // namespace

std::string dossier_recuperation() {
    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* pw = ::getpwuid(::getuid());
            home = pw ? pw->pw_dir : "";
        }
        base = std::string(home) + "/.local/share";
    }
    if (base.empty() || base.back() != '/') base += '/';
    return base + "vuviviva/recuperation/";
}

std::string pied_recuperation(const PiedRecuperation& e) {
    return std::string(debut_pied) + "version=" + sur_une_ligne(e.version) +
           "\r\ndate=" + std::to_string(static_cast<long long>(e.date)) + "\r\nprojet=" + sur_une_ligne(e.projet) +
           "\r\nsysteme=" + sur_une_ligne(e.systeme_wkt) + "\r\n" + std::string(fin_pied);
}

bool lit_recuperation(std::string_view octets, PiedRecuperation& e, std::string_view& octets_projet,
                      std::string& raison) {
    std::string_view journal;
    return lit_recuperation(octets, e, octets_projet, journal, raison);
}

bool lit_recuperation(std::string_view octets, PiedRecuperation& e, std::string_view& octets_projet,
                      std::string_view& journal, std::string& raison) {
    e = {};
    octets_projet = journal = {};
    // A file cut anywhere loses its last line. No line of the journal starts with "/".
    std::size_t debut = octets.rfind(debut_pied);
    while (debut != std::string_view::npos && debut > 0 && octets[debut - 1] != '\n')
        debut = octets.rfind(debut_pied, debut - 1);
    const std::size_t fin_lignes =
        debut == std::string_view::npos ? debut
                                        : octets.find("\r\n" + std::string(fin_pied), debut + debut_pied.size() - 2);
    if (fin_lignes == std::string_view::npos) {
        raison = "Le fichier de récupération est incomplet : ses lignes de fin manquent ou sont coupées.";
        return false;
    }
    std::string_view lignes = octets.substr(debut + debut_pied.size(), fin_lignes + 2 - debut - debut_pied.size());
    journal = octets.substr(fin_lignes + 2 + fin_pied.size());
    bool version = false, date = false;
    while (!lignes.empty()) {
        const std::size_t fin = lignes.find("\r\n");
        const std::string_view l = lignes.substr(0, fin);
        lignes.remove_prefix(fin == std::string_view::npos ? lignes.size() : fin + 2);
        const std::size_t egal = l.find('=');
        const std::string_view cle = l.substr(0, egal), valeur = egal == l.npos ? "" : l.substr(egal + 1);
        if (cle == "version") {
            e.version = valeur;
            version = true;
        } else if (cle == "date") {
            long long t = 0;
            const auto [fin_nombre, erreur] = std::from_chars(valeur.data(), valeur.data() + valeur.size(), t);
            date = erreur == std::errc() && fin_nombre == valeur.data() + valeur.size();
            e.date = static_cast<std::time_t>(t);
        } else if (cle == "projet") {
            e.projet = valeur;
        } else if (cle == "systeme") {
            e.systeme_wkt = valeur;
        }
    }
    if (!version || !date) {
        raison = std::string("Les dernières lignes du fichier de récupération n'ont pas de ") +
                 (version ? "date" : "version") + ".";
        return false;
    }
    octets_projet = octets.substr(0, debut);
    return true;
}

std::string date_recuperation(std::time_t t) {
    std::tm l{};
    localtime_r(&t, &l);
    char texte[48];
    std::snprintf(texte, sizeof texte, "%02d/%02d/%04d à %02d:%02d", l.tm_mday, l.tm_mon + 1, l.tm_year + 1900,
                  l.tm_hour, l.tm_min);
    return texte;
}

std::string question_recuperation(std::time_t t) {
    return "Récupérer le travail non enregistré du " + date_recuperation(t) + " ?";
}

} // namespace vuv
