// The first worksheet of an .xlsx workbook: its workbook part names the sheet, its relations
// the sheet's part, the shared strings hold its texts and the styles tell its dates.
#include "platform/ArchiveXml.h"
#include "platform/ClasseurXls.h"
#include "platform/ClasseurZip.h"
#include "platform/DatesClasseur.h"

#include "core/text/extraitUTIL.h"

#include <charconv>
#include <cstring>
#include <map>
#include <vector>

namespace vuv::classeur_zip {
namespace {

bool vrai(const char* v) { return v && (std::strcmp(v, "1") == 0 || std::strcmp(v, "true") == 0); }

int entier(const char* v) {
    int n = -1;
    if (v) std::from_chars(v, v + std::strlen(v), n);
    return n;
}

struct Classeur : LecteurXml {
    std::string id;
    bool depuis_1904 = false;
    void debut(NomXml n, const char** a) override {
        if (n.est("workbookPr")) depuis_1904 = vrai(attribut(a, "date1904"));
        if (n.est("sheet") && id.empty())
            if (const char* i = attribut(a, "id", "relationships")) id = i;
    }
    void fin(NomXml) override {}
    void texte(std::string_view) override {}
};

struct Relations : LecteurXml {
    std::string id, cible;
    void debut(NomXml n, const char** a) override {
        const char* i = attribut(a, "Id");
        const char* c = attribut(a, "Target");
        if (n.est("Relationship") && i && c && id == i) {
            cible = c;
            arrete = true;
        }
    }
    void fin(NomXml) override {}
    void texte(std::string_view) override {}
};

// The texts of <si> or <is>: the runs' <t>, less the phonetic guides (<rPh>).
struct Runs {
    std::string texte;
    bool dans_t = false;
    int phonetique = 0;
    void debut(NomXml n) {
        if (n.est("rPh")) ++phonetique;
        if (n.est("t")) dans_t = phonetique == 0;
    }
    void fin(NomXml n) {
        if (n.est("rPh")) --phonetique;
        if (n.est("t")) dans_t = false;
    }
    void ajoute(std::string_view t) {
        if (dans_t) texte += t;
    }
};

struct Partages : LecteurXml {
    std::vector<std::string> textes;
    Runs runs;
    bool dans_si = false;
    void debut(NomXml n, const char**) override {
        if (n.est("si")) {
            dans_si = true;
            runs = {};
        } else if (dans_si) {
            runs.debut(n);
        }
    }
    void fin(NomXml n) override {
        if (n.est("si")) {
            textes.push_back(std::move(runs.texte));
            dans_si = false;
        } else if (dans_si) {
            runs.fin(n);
        }
    }
    void texte(std::string_view t) override { runs.ajoute(t); }
};

struct Styles : LecteurXml {
    std::map<int, std::string> codes;
    std::vector<SorteTemps> sortes; // by style number of the cells
    bool dans_xfs = false;
    void debut(NomXml n, const char** a) override {
        if (n.est("numFmt")) {
            const char* c = attribut(a, "formatCode");
            codes[entier(attribut(a, "numFmtId"))] = c ? c : "";
        } else if (n.est("cellXfs")) {
            dans_xfs = true;
        } else if (n.est("xf") && dans_xfs) {
            const int f = entier(attribut(a, "numFmtId"));
            const auto c = codes.find(f);
            sortes.push_back(sorte_format(f < 0 ? 0 : f, c == codes.end() ? std::string_view() : c->second));
        }
    }
    void fin(NomXml n) override {
        if (n.est("cellXfs")) dans_xfs = false;
    }
    void texte(std::string_view) override {}
};

// "B3" as row 2, column 1 (from 0); false when it is no cell name.
bool adresse(const char* r, std::uint32_t& ligne, std::uint32_t& colonne) {
    std::uint64_t c = 0, l = 0;
    const char* p = r;
    for (; *p >= 'A' && *p <= 'Z' && c < (1u << 20); ++p) c = c * 26 + static_cast<unsigned>(*p - 'A' + 1);
    for (; *p >= '0' && *p <= '9' && l < (1u << 30); ++p) l = l * 10 + static_cast<unsigned>(*p - '0');
    if (*p || c == 0 || l == 0) return false;
    ligne = static_cast<std::uint32_t>(l - 1);
    colonne = static_cast<std::uint32_t>(c - 1);
    return true;
}

struct Feuille : LecteurXml {
    const std::vector<std::string>& partages;
    const std::vector<SorteTemps>& styles;
    bool depuis_1904;
    std::unique_ptr<FeuilleClasseur> f = std::make_unique<FeuilleClasseur>();
    std::string erreur;

    // The cell being read.
    std::uint32_t ligne = 0, colonne = 0, suivante = 0;
    std::string type, valeur;
    int style = 0;
    bool formule = false, a_valeur = false, dans_v = false, dans_is = false;
    Runs runs;

    Feuille(const std::vector<std::string>& p, const std::vector<SorteTemps>& s, bool d)
        : partages(p), styles(s), depuis_1904(d) {}

    void refuse(std::string pourquoi) {
        erreur = std::move(pourquoi);
        arrete = true;
    }

    void debut(NomXml n, const char** a) override {
        if (n.est("row")) {
            const int r = entier(attribut(a, "r"));
            if (r > 0) ligne = static_cast<std::uint32_t>(r - 1);
            suivante = 0;
        } else if (n.est("c")) {
            colonne = suivante;
            if (const char* r = attribut(a, "r"); r && !adresse(r, ligne, colonne))
                return refuse(std::string("la cellule nommée « ") + r + " » n'existe pas");
            suivante = colonne + 1;
            const char* t = attribut(a, "t");
            type = t ? t : "n";
            style = entier(attribut(a, "s"));
            formule = a_valeur = false;
            valeur.clear();
            runs = {};
        } else if (n.est("f")) {
            formule = true;
        } else if (n.est("v")) {
            dans_v = a_valeur = true;
        } else if (n.est("is")) {
            dans_is = a_valeur = true;
        } else if (dans_is) {
            runs.debut(n);
        }
    }

    void fin(NomXml n) override {
        if (n.est("v")) dans_v = false;
        else if (n.est("is")) dans_is = false;
        else if (dans_is) runs.fin(n);
        else if (n.est("c")) pose();
        else if (n.est("row")) ++ligne;
    }

    void texte(std::string_view t) override {
        if (dans_v) valeur += t;
        else if (dans_is) runs.ajoute(t);
    }

    void pose() {
        if (ligne >= lignes_max) {
            arrete = true;
            return;
        }
        // Only a text result may be empty: an empty number is a formula saved without its result.
        if (!a_valeur || (valeur.empty() && type != "str" && type != "inlineStr")) {
            if (formule) refuse(formule_sans_resultat(ligne, colonne));
            return;
        }
        std::string t;
        if (type == "s") {
            std::size_t i = 0;
            const auto [fin, ec] = std::from_chars(valeur.data(), valeur.data() + valeur.size(), i);
            if (ec != std::errc() || fin != valeur.data() + valeur.size() || i >= partages.size())
                return refuse("le texte de la cellule " + nom_cellule(ligne, colonne) + " manque");
            t = partages[i];
        } else if (type == "inlineStr") {
            t = runs.texte;
        } else if (type == "str" || type == "e") {
            t = valeur;
        } else if (type == "b") {
            t = valeur == "1" || valeur == "true" ? "1" : "0";
        } else if (type == "d") {
            const auto d = texte_date_iso(valeur);
            if (!d) return refuse("la date de la cellule " + nom_cellule(ligne, colonne) + " est illisible");
            t = *d;
        } else {
            double v = 0;
            const auto [fin, ec] = std::from_chars(valeur.data(), valeur.data() + valeur.size(), v);
            if (ec != std::errc() || fin != valeur.data() + valeur.size())
                return refuse("le nombre de la cellule " + nom_cellule(ligne, colonne) + " est illisible");
            const SorteTemps s = style >= 0 && static_cast<std::size_t>(style) < styles.size()
                                     ? styles[static_cast<std::size_t>(style)]
                                     : SorteTemps::aucune;
            const auto d = s == SorteTemps::aucune ? std::nullopt : texte_serie(v, depuis_1904, s);
            t = d ? *d : texte_nombre_classeur(v);
        }
        f->pose(ligne, colonne, std::move(t));
        if (f->nb_cellules() > cellules_max) refuse("il a plus de " + std::to_string(cellules_max) + " cellules");
    }
};

// "worksheets/sheet1.xml" from xl/, or "/xl/worksheets/sheet1.xml" from the root.
std::string partie_de(const std::string& cible) {
    if (!cible.empty() && cible[0] == '/') return cible.substr(1);
    return "xl/" + cible;
}

} // namespace

std::unique_ptr<FeuilleClasseur> lit_xlsx(ArchiveXml& a, std::string& pourquoi) {
    Classeur c;
    if (pourquoi = a.lit("xl/workbook.xml", c); !pourquoi.empty()) return nullptr;
    if (c.id.empty()) {
        pourquoi = "le classeur n'a pas de feuille";
        return nullptr;
    }
    Relations r;
    r.id = c.id;
    if (pourquoi = a.lit("xl/_rels/workbook.xml.rels", r); !pourquoi.empty()) return nullptr;
    if (r.cible.empty()) {
        pourquoi = "la première feuille du classeur manque";
        return nullptr;
    }
    Partages p;
    if (a.contient("xl/sharedStrings.xml"))
        if (pourquoi = a.lit("xl/sharedStrings.xml", p); !pourquoi.empty()) return nullptr;
    Styles s;
    if (a.contient("xl/styles.xml"))
        if (pourquoi = a.lit("xl/styles.xml", s); !pourquoi.empty()) return nullptr;
    Feuille f(p.textes, s.sortes, c.depuis_1904);
    pourquoi = a.lit(partie_de(r.cible), f);
    if (pourquoi.empty()) pourquoi = f.erreur;
    return pourquoi.empty() ? std::move(f.f) : nullptr;
}

} // namespace vuv::classeur_zip
