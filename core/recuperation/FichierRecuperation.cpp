#include "core/recuperation/FichierRecuperation.h"

#include "core/projet/Projet.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace vuv {
namespace {

constexpr std::string_view marqueur = "VUVIVIVA RECUPERATION";

// One value per line: a line end inside a path or a WKT would cut the header.
std::string sur_une_ligne(std::string v) {
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    return v;
}

std::string_view ligne_suivante(std::string_view& reste, bool& trouvee) {
    const std::size_t fin = reste.find('\n');
    trouvee = fin != std::string_view::npos;
    std::string_view l = reste.substr(0, trouvee ? fin : reste.size());
    reste.remove_prefix(trouvee ? fin + 1 : reste.size());
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    return l;
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

std::string entete_recuperation(const EnteteRecuperation& e) {
    return std::string(marqueur) + "\r\nversion=" + sur_une_ligne(e.version) +
           "\r\ndate=" + std::to_string(static_cast<long long>(e.date)) + "\r\nprojet=" + sur_une_ligne(e.projet) +
           "\r\nsysteme=" + sur_une_ligne(e.systeme_wkt) + "\r\n\r\n";
}

bool lit_recuperation(std::string_view octets, EnteteRecuperation& e, std::string_view& octets_projet,
                      std::string& raison) {
    e = {};
    octets_projet = {};
    std::string_view reste = octets;
    bool trouvee = false;
    const std::string_view premiere = ligne_suivante(reste, trouvee);
    if (premiere != marqueur) {
        raison = "Ce n'est pas un fichier de récupération de Vuviviva : la première ligne est <" +
                 extrait_lisible(premiere) + ">.";
        return false;
    }
    bool version = false, date = false;
    for (;;) {
        const std::string_view l = ligne_suivante(reste, trouvee);
        if (!trouvee) {
            raison = "Le fichier de récupération s'arrête avant la fin de son en-tête.";
            return false;
        }
        if (l.empty()) break;
        const std::size_t egal = l.find('=');
        const std::string_view cle = l.substr(0, egal), valeur = egal == l.npos ? "" : l.substr(egal + 1);
        if (cle == "version") {
            e.version = valeur;
            version = true;
        } else if (cle == "date") {
            long long t = 0;
            const auto [fin, erreur] = std::from_chars(valeur.data(), valeur.data() + valeur.size(), t);
            date = erreur == std::errc() && fin == valeur.data() + valeur.size();
            e.date = static_cast<std::time_t>(t);
        } else if (cle == "projet") {
            e.projet = valeur;
        } else if (cle == "systeme") {
            e.systeme_wkt = valeur;
        }
    }
    if (!version || !date) {
        raison = std::string("L'en-tête du fichier de récupération n'a pas de ") + (version ? "date" : "version") + ".";
        return false;
    }
    octets_projet = reste;
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
