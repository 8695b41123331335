// World files and the six-term affine transform: the half pixel between a world file's
// centre of the first pixel and the corner the calibration counts from is applied here only.
#include "core/georef/Monde.h"

#include "core/document/Document.h"
#include "core/georef/Lecture.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"

#include <cmath>
#include <filesystem>

namespace vuv {

using georef::Lecture;
using georef::sans_blancs;
using georef::sans_ligne;

namespace {

using ld = long double;

bool nul(ld a, ld b) { return a == 0 && b == 0; }

std::string general(ld v) { return nombres::general(v, 15, separateur_decimal()); }

bool finie(const TransformationAffine& t) {
    for (ld v : t.c)
        if (!std::isfinite(v)) return false;
    return true;
}

} // namespace

std::string raison_non_inversible(const TransformationAffine& t) {
    const auto& c = t.c;
    if (!finie(t)) return "les termes de la transformation dépassent les nombres possibles";
    if (nul(c[1], c[4])) return "la taille du pixel en largeur est nulle";
    if (nul(c[2], c[5])) return "la taille du pixel en hauteur est nulle";
    const ld a = c[1] * c[5], b = c[2] * c[4];
    if (!std::isfinite(a - b) || std::fabs(a - b) <= 1e-12L * (std::fabs(a) + std::fabs(b)))
        return "la transformation n'est pas inversible : les lignes et les colonnes de l'image "
               "tombent sur une même droite";
    return {};
}

LectureMonde lit_fichier_monde(const std::string& chemin) {
    LectureMonde r;
    Lecture f(chemin);
    auto echec = [&](std::size_t ligne, const std::string& raison) {
        r.erreur = f.echec(ligne, raison).erreur;
        return r;
    };
    if (f.refuse()) return echec(sans_ligne, {});

    // A, D, B, E, C, F in the order of the file, and the line each came from.
    ld v[6] = {};
    std::size_t ligne[6] = {};
    int n = 0;
    for (std::size_t i = 0; i < f.lignes().size() && n < 6; ++i) {
        const std::string_view t = sans_blancs(f.lignes()[i].texte);
        if (t.empty()) continue;
        std::string point(t);
        if (point.find('.') == std::string::npos)
            if (const auto virgule = point.find(','); virgule != std::string::npos) point[virgule] = '.';
        const auto x = georef::reel(point, true);
        if (!x) return echec(i, "<" + std::string(t) + "> n'est pas un nombre");
        ligne[n] = i;
        v[n++] = *x;
    }
    if (n < 6)
        return echec(sans_ligne, "un fichier de géoréférence tient six nombres, un par ligne ; celui-ci n'en a que " +
                                     std::to_string(n));

    const ld A = v[0], D = v[1], B = v[2], E = v[3], C = v[4], F = v[5];
    if (nul(A, D)) return echec(ligne[0], "la taille du pixel en largeur est nulle");
    if (nul(B, E)) return echec(ligne[3], "la taille du pixel en hauteur est nulle");
    r.t.c = {C - A / 2 - B / 2, A, B, F - D / 2 - E / 2, D, E};
    if (const std::string e = raison_non_inversible(r.t); !e.empty()) return echec(sans_ligne, e);
    return r;
}

namespace fs = std::filesystem;

std::string fichier_monde(const std::string& image) {
    const fs::path p(image);
    std::string e = p.extension().string();
    if (!e.empty()) e.erase(0, 1);
    std::string candidats[3];
    int n = 0;
    if (!e.empty()) {
        candidats[n++] = std::string{e.front(), e.back(), 'w'};
        candidats[n++] = e + "w";
    }
    candidats[n++] = "wld";
    for (int k = 0; k < n; ++k) {
        fs::path monde = p;
        monde.replace_extension("." + candidats[k]);
        if (std::string trouve = georef::cherche_sans_casse(monde.string()); !trouve.empty()) return trouve;
    }
    return {};
}

std::string chemin_fichier_monde(const std::string& image) {
    fs::path p(image);
    std::string e = p.extension().string();
    if (e.size() < 2) return image + ".wld";
    const char fin = e.back();
    const bool majuscule = fin >= 'A' && fin <= 'Z';
    p.replace_extension(std::string{'.', e[1], fin, majuscule ? 'W' : 'w'});
    return p.string();
}

CalageCompagnon calage_affine(const TransformationAffine& t, std::int64_t W, std::int64_t H) {
    CalageCompagnon r;
    if (const std::string e = raison_non_inversible(t); !e.empty()) {
        r.erreur = e;
        return r;
    }
    const auto& c = t.c;
    const ld w = static_cast<ld>(W), h = static_cast<ld>(H);
    const ld X[3] = {c[0], c[0] + h * c[2], c[0] + w * c[1] + h * c[2]};
    const ld Y[3] = {c[3], c[3] + h * c[5], c[3] + w * c[4] + h * c[5]};
    for (int k = 0; k < 3; ++k)
        if (!std::isfinite(X[k]) || !std::isfinite(Y[k])) {
            r.erreur = "les coordonnées des coins de l'image dépassent les nombres possibles";
            return r;
        }
    r.points[0] = {general(X[0]), general(Y[0]), 0, 0};
    r.points[1] = {general(X[1]), general(Y[1]), 0, H};
    r.points[2] = {general(X[2]), general(Y[2]), W, H};
    r.erreur = georef::alignement(r);
    return r;
}

std::optional<TransformationAffine> transformation_calage(const Document& d, int W, int H) {
    if (d.nb_calage < 3 || W <= 0 || H <= 0) return std::nullopt;
    const auto& k = d.calage;
    const ld g = (static_cast<ld>(k[0].y) - k[1].y) * (static_cast<ld>(k[2].x) - k[1].x) -
                 (static_cast<ld>(k[0].x) - k[1].x) * (static_cast<ld>(k[2].y) - k[1].y);
    if (g == 0) return std::nullopt;
    ld X0 = 0, Y0 = 0, Xw = 0, Yw = 0, Xh = 0, Yh = 0;
    d.repere_carte(0, 0, X0, Y0);
    d.repere_carte(W, 0, Xw, Yw);
    d.repere_carte(0, H, Xh, Yh);
    TransformationAffine t;
    t.c = {X0, (Xw - X0) / W, (Xh - X0) / H, Y0, (Yw - Y0) / W, (Yh - Y0) / H};
    if (!raison_non_inversible(t).empty()) return std::nullopt;
    return t;
}

std::string texte_fichier_monde(const TransformationAffine& t) {
    const auto& c = t.c;
    const ld termes[6] = {c[1], c[4], c[2], c[5], c[0] + c[1] / 2 + c[2] / 2, c[3] + c[4] / 2 + c[5] / 2};
    std::string r;
    for (ld v : termes) r += nombres::general(v, 17, '.') + "\r\n";
    return r;
}

} // namespace vuv
