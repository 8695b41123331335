#include "sig/DonneesSig.h"

#include "core/document/Document.h"
#include "core/export/LectureExport.h"
#include "core/text/extraitUTIL.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace vuv::sig {
namespace {

int colonne(const Document& d, const char* nom, bool exigee) {
    const int c = d.indice_col(nom);
    if (c < 0 && exigee)
        throw ErreurExport(std::string("La colonne ") + nom + " manque dans l'entête du tableau des points.");
    return c;
}

std::string quoi(const char* colonne, int row) {
    return std::string("colonne ") + colonne + " du point n°" + std::to_string(row);
}

std::string_view sans_blancs(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
}

// The cells the program writes read straight to double; anything else (a decimal comma, an
// exponent, a mistake) goes through the export's own reader, which names the cell when it fails.
long double reel(std::string_view cellule, const char* colonne, int row) {
    const std::string_view t = sans_blancs(cellule);
    double v = 0;
    const auto [fin, e] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::fixed);
    if (e == std::errc() && fin == t.data() + t.size() && std::isfinite(v)) return v;
    return lit_reel_sig(cellule, quoi(colonne, row));
}

int entier(std::string_view cellule, const char* colonne, int row) {
    const LectureEntier r = lit_entier(cellule);
    return r.erreur == 0 ? r.valeur : lit_entier_export(cellule, quoi(colonne, row));
}

} // namespace

bool LigneSig::fermee() const {
    return sommets.size() >= 4 && sommets.front().X == sommets.back().X && sommets.front().Y == sommets.back().Y;
}

std::string couleur_hex(std::string_view cellule) {
    const LectureEntier c = lit_entier(cellule);
    if (c.erreur != 0 || enleve_blancs(cellule).empty() || c.valeur < 0 || c.valeur > 0xFFFFFF) return {};
    const auto v = static_cast<unsigned>(c.valeur);
    char t[8];
    std::snprintf(t, sizeof t, "#%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    return t;
}

DonneesSig releve_sig(const Document& d, bool lignes_choisies) {
    const Grille& points = d.StringGrid1;
    const Grille& table = d.StringGrid3;
    const int cn = colonne(d, "n", false), cL = colonne(d, "L", true), clib = colonne(d, "Libellé", false);
    const int cX = colonne(d, "X", true), cY = colonne(d, "Y", true), cZ = colonne(d, "Z", false);

    const int nb_lignes = std::max(table.row_count() - 1, 0);
    std::vector<char> choisie(static_cast<std::size_t>(nb_lignes) + 1, 0);
    for (int L = 1; L <= nb_lignes; ++L) choisie[static_cast<std::size_t>(L)] = !lignes_choisies || table.cell(3, L) == "x";

    DonneesSig r;
    std::vector<std::vector<SommetSig>> sommets(choisie.size());
    const int fin = std::min(d.nb_points, points.row_count() - 1);
    r.points.reserve(static_cast<std::size_t>(std::max(fin, 0)));
    for (int row = 1; row <= fin; ++row) {
        const int L = entier(points.cell(cL, row), "L", row);
        const bool dans_table = L >= 1 && L <= nb_lignes;
        if (lignes_choisies && !(dans_table && choisie[static_cast<std::size_t>(L)])) continue;
        PointSig p;
        p.L = L;
        p.X = static_cast<double>(reel(points.cell(cX, row), "X", row));
        p.Y = static_cast<double>(reel(points.cell(cY, row), "Y", row));
        const std::string_view z = points.cell(cZ, row);
        if (const std::string_view t = sans_blancs(z); !t.empty() && t != "-") {
            // The no-value marker written out reads as no altitude, as an empty or "-" cell.
            const long double v = reel(z, "Z", row);
            if (!est_absente(v)) p.Z = static_cast<double>(v);
        }
        const std::string_view n = points.cell(cn, row);
        const LectureEntier ln = lit_entier(n);
        if (ln.erreur == 0 && !sans_blancs(n).empty()) p.n = ln.valeur;
        p.libelle = std::string(points.cell(clib, row));
        if (p.Z && *p.Z != 0) r.avec_z = true;
        if (dans_table) sommets[static_cast<std::size_t>(L)].push_back({p.X, p.Y, p.Z.value_or(0)});
        r.points.push_back(std::move(p));
    }

    for (int L = 1; L <= nb_lignes; ++L) {
        auto& s = sommets[static_cast<std::size_t>(L)];
        if (s.empty()) continue;
        LigneSig l;
        l.L = L;
        l.nom = std::string(table.cell(4, L));
        const LectureEntier e = lit_entier(table.cell(1, L));
        if (e.erreur == 0 && !enleve_blancs(table.cell(1, L)).empty()) l.epaisseur = e.valeur;
        l.couleur = couleur_hex(table.cell(2, L));
        l.sommets = std::move(s);
        r.lignes.push_back(std::move(l));
    }
    return r;
}

} // namespace vuv::sig
