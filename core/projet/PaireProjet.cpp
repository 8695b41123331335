#include "core/projet/PaireProjet.h"

#include "core/fichiers/SommeControle.h"
#include "core/projet/Projet.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <optional>

namespace vuv {
namespace {

constexpr std::string_view entete = "/VUVIVIVA PAIRE\r\n";
// What a save's safe write names its files while they are not yet in place.
constexpr std::string_view temporaire = ".~enr";
constexpr std::string_view aucun = "aucun";

std::string signature(std::string_view octets) {
    return somme_hex(somme_controle(octets)) + ' ' + std::to_string(octets.size());
}

// The whole file when it is there and at most `max` bytes.
std::optional<std::string> lit(const std::string& chemin, std::size_t max) {
    std::ifstream f(chemin, std::ios::binary);
    if (!f) return std::nullopt;
    std::string t(max + 1, '\0');
    f.read(t.data(), static_cast<std::streamsize>(t.size()));
    if (f.bad() || static_cast<std::size_t>(f.gcount()) > max) return std::nullopt;
    t.resize(static_cast<std::size_t>(f.gcount()));
    return t;
}

// What the record says the ".prj" is, when it names these ".trl" bytes.
std::optional<std::string> prj_attendu(const std::string& record, const std::string& trl) {
    const std::optional<std::string> t = lit(record, 4096);
    const std::string debut = std::string(entete) + "trl=" + trl + "\r\nprj=";
    if (!t || !t->starts_with(debut) || !t->ends_with("\r\n")) return std::nullopt;
    return t->substr(debut.size(), t->size() - debut.size() - 2);
}

} // namespace

std::string chemin_paire(const std::string& projet) { return chemin_base(projet) + ".paire"; }

std::string texte_paire(std::string_view trl, const std::string* prj) {
    return std::string(entete) + "trl=" + signature(trl) + "\r\nprj=" + (prj ? signature(*prj) : std::string(aucun)) +
           "\r\n";
}

void acheve_paire_interrompue(const std::string& projet) {
    const std::string record = chemin_paire(projet), record_nouveau = record + std::string(temporaire);
    const std::optional<std::string> t = lit(record_nouveau, 4096);
    if (!t) return;
    // The sizes first: the project is read whole only when it may be the one named.
    const std::size_t taille = t->find(' ', entete.size());
    const std::size_t fin_taille = t->find("\r\n", entete.size());
    std::error_code ec;
    const auto taille_trl = std::filesystem::file_size(projet, ec);
    if (ec || taille == std::string::npos || fin_taille == std::string::npos ||
        t->substr(taille + 1, fin_taille - taille - 1) != std::to_string(taille_trl))
        return;
    const std::optional<std::string> trl = lit(projet, static_cast<std::size_t>(taille_trl));
    if (!trl) return;
    const std::optional<std::string> attendu = prj_attendu(record_nouveau, signature(*trl));
    if (!attendu) return;
    const std::string prj = chemin_systeme(projet), prj_nouveau = prj + std::string(temporaire);
    if (*attendu == aucun) {
        ::unlink(prj.c_str());
    } else if (const auto n = lit(prj_nouveau, 1 << 20); n && signature(*n) == *attendu) {
        if (::rename(prj_nouveau.c_str(), prj.c_str()) != 0) return;
    } else if (const auto p = lit(prj, 1 << 20); !p || signature(*p) != *attendu) {
        return;
    }
    ::rename(record_nouveau.c_str(), record.c_str());
}

SystemeApparie systeme_apparie(const std::string& projet, std::string_view octets_trl) {
    SystemeApparie r;
    const std::string trl = signature(octets_trl), record = chemin_paire(projet);
    std::optional<std::string> attendu = prj_attendu(record, trl);
    const bool interrompu = !attendu;
    if (interrompu) attendu = prj_attendu(record + std::string(temporaire), trl);
    if (!attendu) return r;
    r.connu = true;
    const std::string prj = chemin_systeme(projet);
    // A system file is a few kilobytes; a huge one is not the one saved.
    const std::optional<std::string> en_place = lit(prj, 1 << 20);
    // A save without a system cut before it took the older one away.
    if (*attendu == aucun && (!en_place || interrompu)) return r;
    if (en_place && signature(*en_place) == *attendu) {
        r.chemin = prj;
        return r;
    }
    const std::string nouveau = prj + std::string(temporaire);
    if (const auto t = lit(nouveau, 1 << 20); t && signature(*t) == *attendu) {
        r.chemin = nouveau;
        return r;
    }
    if (en_place) {
        r.chemin = prj;
        r.message = "Le fichier " + prj + " n'est pas le système de coordonnées enregistré avec le projet " + projet +
                    " (un enregistrement a été interrompu, ou l'un des deux fichiers a été changé depuis) : il est "
                    "repris tel quel, vérifiez le système du projet.";
    } else {
        r.message = "Le système de coordonnées enregistré avec le projet " + projet + " est introuvable (" + prj +
                    " manque) : le projet est ouvert sans système.";
    }
    return r;
}

} // namespace vuv
