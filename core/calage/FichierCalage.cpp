#include "core/calage/FichierCalage.h"

#include "core/document/Document.h"
#include "core/fichiers/EcritureSure.h"
#include "core/projet/Projet.h"
#include "core/text/encodage.h"

#include <charconv>
#include <cmath>
#include <sys/stat.h>
#include <vector>

namespace vuv {
namespace {

constexpr std::string_view entete = "Vuviviva points de calage";
constexpr std::string_view version = "1";

std::string nombre(long double v) {
    char t[64];
    const auto r = std::to_chars(t, t + sizeof t, v);
    return {t, r.ptr};
}

bool lit_nombre(std::string_view t, long double& v) {
    if (t.empty()) return false;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    return r.ec == std::errc{} && r.ptr == t.data() + t.size() && std::isfinite(v);
}

std::vector<std::string_view> lignes_de(std::string_view t) {
    std::vector<std::string_view> r;
    while (!t.empty()) {
        const auto fin = t.find('\n');
        std::string_view l = t.substr(0, fin);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        r.push_back(l);
        if (fin == std::string_view::npos) break;
        t.remove_prefix(fin + 1);
    }
    return r;
}

std::vector<std::string_view> champs_de(std::string_view l, std::size_t max) {
    std::vector<std::string_view> r;
    while (r.size() + 1 < max) {
        const auto p = l.find(';');
        if (p == std::string_view::npos) break;
        r.push_back(l.substr(0, p));
        l.remove_prefix(p + 1);
    }
    r.push_back(l);
    return r;
}

} // namespace

std::string texte_points_controle(const std::vector<PointControle>& points) {
    std::string t;
    for (const PointControle& p : points) {
        t += nombre(p.x) + " " + nombre(p.y) + " " + nombre(p.X) + " " + nombre(p.Y);
        if (!p.nom.empty()) t += " " + p.nom;
        t += "\r\n";
    }
    return t;
}

std::string lit_points_controle(std::string_view texte, std::vector<PointControle>& points) {
    std::vector<PointControle> lus;
    int numero = 0;
    for (std::string_view l : lignes_de(texte)) {
        ++numero;
        const auto blanc = [](char c) { return c == ' ' || c == '\t'; };
        std::size_t i = 0;
        while (i < l.size() && blanc(l[i])) ++i;
        if (i == l.size() || l[i] == '#') continue;
        PointControle p;
        long double* v[] = {&p.x, &p.y, &p.X, &p.Y};
        for (long double* cible : v) {
            while (i < l.size() && blanc(l[i])) ++i;
            std::size_t fin = i;
            while (fin < l.size() && !blanc(l[fin])) ++fin;
            std::string mot(l.substr(i, fin - i));
            for (char& c : mot)
                if (c == ',') c = '.';
            if (!lit_nombre(mot, *cible))
                return "La ligne " + std::to_string(numero) + " n'a pas la forme « x y X Y [nom] ».";
            i = fin;
        }
        while (i < l.size() && blanc(l[i])) ++i;
        p.nom = std::string(l.substr(i));
        lus.push_back(std::move(p));
        if (static_cast<int>(lus.size()) > max_points_controle)
            return "Le fichier tient plus de " + std::to_string(max_points_controle) + " points de calage.";
    }
    if (lus.empty()) return "Le fichier ne tient aucun point de calage « x y X Y [nom] ».";
    points = std::move(lus);
    return {};
}

std::string chemin_calage(const std::string& projet) { return chemin_base(projet) + ".cal"; }

std::string texte_calage(const CalageEtendu& c) {
    std::string t = std::string(entete) + " " + std::string(version) + "\r\n";
    t += "methode=" + std::string(code_methode(c.methode)) + "\r\n";
    t += "points=" + std::to_string(c.points.size()) + "\r\n";
    for (const PointControle& p : c.points)
        t += nombre(p.x) + ";" + nombre(p.y) + ";" + nombre(p.X) + ";" + nombre(p.Y) + ";" + (p.utilise ? "1" : "0") +
             ";" + p.nom + "\r\n";
    return t;
}

std::string lit_texte_calage(std::string_view texte, CalageEtendu& c) {
    const std::vector<std::string_view> l = lignes_de(texte);
    if (l.empty() || l[0].substr(0, entete.size()) != entete) return "ce n'est pas un fichier de points de calage";
    if (l[0] != std::string(entete) + " " + std::string(version))
        return "il vient d'une autre version (« " + std::string(l[0]) + " »)";
    CalageEtendu lu;
    if (l.size() < 3 || l[1].substr(0, 8) != "methode=" || !methode_de_code(l[1].substr(8), lu.methode))
        return "la méthode (ligne 2) est inconnue";
    int n = -1;
    const std::string_view cn = l[2].substr(0, 7) == "points=" ? l[2].substr(7) : std::string_view{};
    const auto r = std::from_chars(cn.data(), cn.data() + cn.size(), n);
    if (cn.empty() || r.ec != std::errc{} || r.ptr != cn.data() + cn.size() || n < 0)
        return "le nombre de points (ligne 3) est illisible";
    if (n > max_points_controle)
        return "il annonce " + std::to_string(n) + " points, au plus " + std::to_string(max_points_controle);
    std::size_t tenues = l.size() - 3;
    while (tenues > 0 && l[3 + tenues - 1].empty()) --tenues;
    if (tenues != static_cast<std::size_t>(n))
        return "il annonce " + std::to_string(n) + " points mais en contient " + std::to_string(tenues);
    for (int i = 0; i < n; ++i) {
        const auto f = champs_de(l[3 + static_cast<std::size_t>(i)], 6);
        PointControle p;
        const std::string ou = "le point " + std::to_string(i + 1) + " (ligne " + std::to_string(i + 4) + ")";
        if (f.size() != 6 || !lit_nombre(f[0], p.x) || !lit_nombre(f[1], p.y) || !lit_nombre(f[2], p.X) ||
            !lit_nombre(f[3], p.Y) || (f[4] != "0" && f[4] != "1"))
            return ou + " est illisible";
        p.utilise = f[4] == "1";
        p.nom = std::string(f[5]);
        lu.points.push_back(std::move(p));
    }
    c = std::move(lu);
    return {};
}

std::string lit_calage_projet(Document& d, const std::string& projet) {
    d.controle = {};
    const std::string chemin = chemin_calage(projet);
    struct stat st {};
    if (::stat(chemin.c_str(), &st) != 0) return {};
    const std::string suite = ". Le projet s'ouvre avec ses 3 points de calage.";
    std::string octets;
    try {
        octets = lit_fichier(chemin);
    } catch (const ErreurFichier& e) {
        d.controle.fichier_refuse = true;
        return std::string(e.what()) + suite;
    }
    CalageEtendu c;
    std::string raison = lit_texte_calage(cp1252_vers_utf8(octets), c);
    if (raison.empty()) {
        // The project's rows are the first three ticked points; a side file that disagrees was
        // written for another state of the project.
        int k = 0;
        for (const PointControle& p : c.points) {
            if (!p.utilise || k >= 3) continue;
            if (k >= d.nb_calage) {
                raison = "il nomme plus de points de calage que le projet n'en a (" + std::to_string(d.nb_calage) + ")";
                break;
            }
            const EnregistrementCalage& e = d.calage[static_cast<std::size_t>(k)];
            if (std::lround(p.x) != e.x || std::lround(p.y) != e.y) {
                raison = "son point " + std::to_string(k + 1) + " n'est pas le point de calage " +
                         std::to_string(k + 1) + " du projet";
                break;
            }
            ++k;
        }
    }
    if (!raison.empty()) {
        d.controle.fichier_refuse = true;
        return "Le fichier des points de calage " + chemin + " n'est pas lu : " + raison + suite;
    }
    d.controle = std::move(c);
    const std::string erreur = d.controle.reajuste();
    if (!erreur.empty()) return erreur + suite;
    return {};
}

} // namespace vuv
