// The companion file read whole, the checks both readers share, the image beside the
// companion and the calibration written into the document.
#include "core/georef/Compagnon.h"

#include "core/document/Document.h"
#include "core/georef/Lecture.h"
#include "core/text/extraitUTIL.h"
#include "core/text/nombres.h"
#include "core/text/separateur.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

namespace vuv {
namespace georef {

Lecture::Lecture(const std::string& chemin) : chemin_(chemin) {
    long taille = 0;
    if (!lit_fichier_texte(chemin, texte_, taille, &erreur_, taille_max_compagnon)) {
        texte_.clear();
        return;
    }
    if (texte_.find_first_not_of(" \t\r\n") == std::string::npos) {
        refus(sans_ligne, "le fichier est vide");
        return;
    }
    // CR LF, LF and a lone CR all end a line.
    std::size_t debut = 0;
    for (std::size_t i = 0; i <= texte_.size(); ++i) {
        if (i < texte_.size() && texte_[i] != '\n' && texte_[i] != '\r') continue;
        lignes_.push_back({std::string_view(texte_).substr(debut, i - debut), debut});
        if (i + 1 < texte_.size() && texte_[i] == '\r' && texte_[i + 1] == '\n') ++i;
        debut = i + 1;
    }
}

std::size_t Lecture::ligne_de(std::size_t pos) const {
    const auto apres = std::upper_bound(lignes_.begin(), lignes_.end(), pos,
                                        [](std::size_t p, const Ligne& l) { return p < l.debut; });
    return apres == lignes_.begin() ? 0 : static_cast<std::size_t>(apres - lignes_.begin() - 1);
}

void Lecture::refus(std::size_t ligne, const std::string& raison) {
    erreur_ = "Fichier <" + chemin_ + ">";
    if (ligne != sans_ligne) erreur_ += ", ligne " + std::to_string(ligne + 1);
    erreur_ += " : " + raison;
}

std::string_view sans_blancs(std::string_view t) {
    const auto blanc = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!t.empty() && blanc(t.front())) t.remove_prefix(1);
    while (!t.empty() && blanc(t.back())) t.remove_suffix(1);
    return t;
}

std::optional<long double> reel(std::string_view t, bool e_minuscule) {
    const auto v = nombres::lit(t, '.', true, e_minuscule);
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

std::optional<long long> entier(std::string_view t) {
    const LectureEntier e = lit_entier(t);
    if (e.erreur != 0) return std::nullopt;
    return e.valeur;
}

namespace {

using ld = long double;

// Zero up to the rounding of the two products: three points on one line, or so nearly that
// the transform would divide by noise.
bool alignes(ld x1, ld y1, ld x2, ld y2, ld x3, ld y3) {
    const ld a = (y1 - y2) * (x3 - x2), b = (x1 - x2) * (y3 - y2);
    return std::fabs(a - b) <= 1e-12L * (std::fabs(a) + std::fabs(b));
}

} // namespace

std::string alignement(const CalageCompagnon& c) {
    const auto& p = c.points;
    if (alignes(p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y))
        return "les trois points de calage sont alignés sur l'image";
    ld X[3], Y[3];
    for (int k = 0; k < 3; ++k) {
        X[k] = nombres::lit(p[k].X, separateur_decimal(), true, false).value_or(0);
        Y[k] = nombres::lit(p[k].Y, separateur_decimal(), true, false).value_or(0);
    }
    if (alignes(X[0], Y[0], X[1], Y[1], X[2], Y[2]))
        return "les trois points de calage sont alignés en coordonnées réelles";
    return {};
}

} // namespace georef

namespace fs = std::filesystem;

std::string chemin_image_tab(const std::string& compagnon, const std::string& nom) {
    if (!nom.empty() && nom.front() == '/') return nom;
    const fs::path dossier = fs::path(compagnon).parent_path();
    return dossier.empty() ? nom : dossier.string() + "/" + nom;
}

namespace {

bool meme_nom_sans_casse(std::string_view a, std::string_view b) {
    const auto bas = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return bas(x) == bas(y);
           });
}

} // namespace

std::string georef::cherche_sans_casse(const std::string& chemin) {
    const fs::path p(chemin);
    const fs::path dossier = p.parent_path().empty() ? fs::path(".") : p.parent_path();
    const std::string nom_cherche = p.filename().string();
    std::string trouve;
    std::error_code ec;
    for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
        const std::string nom = it->path().filename().string();
        std::error_code type;
        if (!meme_nom_sans_casse(nom, nom_cherche) || !it->is_regular_file(type)) continue;
        if (trouve.empty() || nom < trouve) trouve = nom;
    }
    if (trouve.empty()) return {};
    return p.parent_path().empty() ? trouve : (dossier / trouve).string();
}

std::string image_hdr(const std::string& compagnon) {
    fs::path p(compagnon);
    for (const char* ext : {".BMP", ".JPG", ".TIF"})
        if (std::string trouve = georef::cherche_sans_casse(p.replace_extension(ext).string()); !trouve.empty())
            return trouve;
    return {};
}

std::string image_hdr_manquante(const std::string& compagnon) {
    return fs::path(compagnon).replace_extension(".TIF").string();
}

std::string applique_calage(Document& d, const CalageCompagnon& c) {
    std::int32_t x[3], y[3];
    for (int k = 0; k < 3; ++k) {
        const std::int64_t px = c.points[k].x + d.dx0, py = c.points[k].y + d.dy0;
        constexpr std::int64_t bas = std::numeric_limits<std::int32_t>::min();
        constexpr std::int64_t haut = std::numeric_limits<std::int32_t>::max();
        if (px < bas || px > haut || py < bas || py > haut)
            return "Le point de calage " + std::to_string(k + 1) + " (" + std::to_string(px) + ", " +
                   std::to_string(py) + ") sort des pixels possibles : calibration inchangée";
        x[k] = static_cast<std::int32_t>(px);
        y[k] = static_cast<std::int32_t>(py);
    }

    Grille& g = d.StringGrid2;
    if (g.row_count() < 4) g.set_row_count(4);
    const int cX = d.indice_col_cal("X"), cY = d.indice_col_cal("Y"), cZ = d.indice_col_cal("Z");
    const int cx = d.indice_col_cal("x"), cy = d.indice_col_cal("y");
    {
        const Grille::Lot lot(g);
        for (int k = 1; k <= 3; ++k) {
            const PointCompagnon& p = c.points[static_cast<std::size_t>(k - 1)];
            g.set_cell(cX, k, p.X);
            g.set_cell(cY, k, p.Y);
            g.set_cell(cZ, k, "0");
            g.set_cell(cx, k, std::to_string(x[k - 1]));
            g.set_cell(cy, k, std::to_string(y[k - 1]));
        }
    }
    d.nb_calage = 3;
    d.controle = {};
    d.releve_calage(3);
    d.sauve = false;
    return {};
}

} // namespace vuv
