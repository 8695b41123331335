// MapInfo raster table:
//   File "carte.jpg"
//   Type "RASTER"
//   (600000,2100000) (0,0) Label "Pt 1",
//   ...
// Control points are read only from the "(X,Y) (x,y)" lines that follow Type: a later clause
// such as "Bounds (...)" on another line never supplies one.
#include "core/georef/Compagnon.h"
#include "core/georef/Lecture.h"
#include "core/text/extraitUTIL.h"

#include <algorithm>

namespace vuv {

using georef::Lecture;
using georef::sans_blancs;
using georef::sans_ligne;

namespace {

bool marque(const std::string& champ) { return !champ.empty() && champ.front() == '?'; }

// One "(X,Y) (x,y) ..." line into p; the reason it cannot be, or empty.
std::string point_de_ligne(std::string_view ligne, PointCompagnon& p) {
    std::string travail(ligne);
    const std::string X = extrait_texte_entre(travail, "", "(", ",");
    const std::string Y = marque(X) ? X : extrait_texte_entre(travail, "", ",", ")");
    const std::string x = marque(Y) ? Y : extrait_texte_entre(travail, "", "(", ",");
    const std::string y = marque(x) ? x : extrait_texte_entre(travail, "", ",", ")");
    if (marque(y)) return "point de calage illisible, (X,Y) (x,y) attendu";

    for (const std::string* r : {&X, &Y}) {
        const std::string_view t = sans_blancs(*r);
        if (!georef::reel(t, false)) return "<" + std::string(t) + "> n'est pas un nombre";
    }
    const std::string_view tx = sans_blancs(x), ty = sans_blancs(y);
    const auto vx = georef::entier(tx), vy = georef::entier(ty);
    if (!vx) return "<" + std::string(tx) + "> n'est pas un pixel entier";
    if (!vy) return "<" + std::string(ty) + "> n'est pas un pixel entier";
    p.X = filtre_nombre(sans_blancs(X)); // the point becomes the local separator
    p.Y = filtre_nombre(sans_blancs(Y));
    p.x = *vx;
    p.y = *vy;
    return {};
}

} // namespace

CalageCompagnon lit_tab(const std::string& chemin) {
    CalageCompagnon r;
    Lecture f(chemin);
    auto echec = [&f](std::size_t ligne, const std::string& raison) { return f.echec(ligne, raison); };
    if (f.refuse()) return echec(sans_ligne, {});
    const std::string& texte = f.texte();

    const std::size_t cle_file = texte.find("File");
    if (cle_file == std::string::npos) return echec(sans_ligne, "la clé File (nom de l'image) est absente");
    const std::size_t n_file = f.ligne_de(cle_file);
    const georef::Ligne& ligne_file = f.lignes()[n_file];
    const std::string_view reste = ligne_file.texte.substr(cle_file + 4 - ligne_file.debut);
    if (std::count(reste.begin(), reste.end(), '"') < 2)
        return echec(n_file, "le nom de l'image qui suit File n'est pas entre guillemets");
    std::string travail = texte;
    r.image = extrait_texte_entre(travail, "File", "\"", "\"");
    std::replace(r.image.begin(), r.image.end(), '\\', '/');
    if (r.image.empty()) return echec(n_file, "le nom de l'image est vide");

    // The working text now starts at the name's closing quote.
    const std::size_t cle_type = texte.find("Type", texte.size() - travail.size());
    if (cle_type == std::string::npos) return echec(sans_ligne, "la clé Type est absente après File");

    int n = 0;
    const auto& lignes = f.lignes();
    for (std::size_t i = f.ligne_de(cle_type) + 1; i < lignes.size() && n < 3; ++i) {
        const std::string_view l = sans_blancs(lignes[i].texte);
        if (l.empty()) continue;
        if (l.front() != '(') break;
        if (const std::string e = point_de_ligne(l, r.points[static_cast<std::size_t>(n)]); !e.empty())
            return echec(i, e);
        ++n;
    }
    if (n < 3)
        return echec(sans_ligne, "3 points de calage (X,Y) (x,y) attendus après Type, " + std::to_string(n) +
                                     (n > 1 ? " trouvés" : " trouvé"));
    if (const std::string e = georef::alignement(r); !e.empty()) return echec(sans_ligne, e);
    return r;
}

} // namespace vuv
