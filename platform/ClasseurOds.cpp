// The first table of an .ods workbook's content part. Rows and cells may stand for many
// (number-rows-repeated, number-columns-repeated): empty ones are only counted, and repeated
// cells that hold a value are kept up to the last column and row read.
#include "platform/ArchiveXml.h"
#include "platform/ClasseurXls.h"
#include "platform/ClasseurZip.h"
#include "platform/DatesClasseur.h"

#include "core/text/extraitUTIL.h"

#include <charconv>
#include <cstring>
#include <vector>

namespace vuv::classeur_zip {
namespace {

constexpr std::string_view TABLE = "opendocument:xmlns:table:", TEXTE = "opendocument:xmlns:text:",
                           OFFICE = "opendocument:xmlns:office:";

bool dans(NomXml n, std::string_view espace, std::string_view local) {
    return n.local == local && n.espace.find(espace) != std::string_view::npos;
}

std::uint64_t repetition(const char** a, std::string_view nom) {
    const char* v = LecteurXml::attribut(a, nom, TABLE);
    std::uint64_t n = 1;
    if (v) std::from_chars(v, v + std::strlen(v), n);
    return n == 0 ? 1 : std::min<std::uint64_t>(n, std::uint64_t{1} << 30);
}

struct Contenu : LecteurXml {
    std::unique_ptr<FeuilleClasseur> f = std::make_unique<FeuilleClasseur>();
    std::string erreur;

    int tables = 0;   // depth of tables: 1 inside the first one
    bool finie = false;
    std::uint64_t ligne = 0, colonne = 0, lignes_repetees = 1, colonnes_repetees = 1;
    std::vector<std::pair<std::uint32_t, std::string>> cellules_ligne; // the row's cells, kept to repeat it

    // The cell being read.
    bool dans_cellule = false, formule = false, texte_en_attribut = false;
    std::string sorte, valeur, texte_cellule;
    int paragraphes = 0, dans_p = 0, note = 0;

    void refuse(std::string pourquoi) {
        erreur = std::move(pourquoi);
        arrete = true;
    }

    void debut(NomXml n, const char** a) override {
        if (dans(n, TABLE, "table")) {
            ++tables;
            return;
        }
        if (tables != 1) return;
        if (dans(n, TABLE, "table-row")) {
            lignes_repetees = repetition(a, "number-rows-repeated");
            colonne = 0;
            cellules_ligne.clear();
        } else if (dans(n, TABLE, "table-cell") || dans(n, TABLE, "covered-table-cell")) {
            debut_cellule(a);
        } else if (dans_cellule && dans(n, OFFICE, "annotation")) {
            ++note;
        } else if (dans_cellule && note == 0 && dans(n, TEXTE, "p")) {
            if (paragraphes++ > 0) texte_cellule += '\n';
            ++dans_p;
        } else if (dans_p && note == 0) {
            if (dans(n, TEXTE, "s")) texte_cellule.append(std::min<std::uint64_t>(repetition_texte(a), 1000), ' ');
            else if (dans(n, TEXTE, "tab")) texte_cellule += '\t';
            else if (dans(n, TEXTE, "line-break")) texte_cellule += '\n';
        }
    }

    static std::uint64_t repetition_texte(const char** a) {
        const char* v = attribut(a, "c", TEXTE);
        std::uint64_t n = 1;
        if (v) std::from_chars(v, v + std::strlen(v), n);
        return n;
    }

    void debut_cellule(const char** a) {
        dans_cellule = true;
        colonnes_repetees = repetition(a, "number-columns-repeated");
        formule = attribut(a, "formula", TABLE) != nullptr;
        const char* s = attribut(a, "value-type", OFFICE);
        sorte = s ? s : "";
        if (const char* c = attribut(a, "value-type", "calcext"); c && std::strcmp(c, "error") == 0) sorte = "erreur";
        const char* v = nullptr;
        if (sorte == "float" || sorte == "percentage" || sorte == "currency") v = attribut(a, "value", OFFICE);
        else if (sorte == "date") v = attribut(a, "date-value", OFFICE);
        else if (sorte == "time") v = attribut(a, "time-value", OFFICE);
        else if (sorte == "boolean") v = attribut(a, "boolean-value", OFFICE);
        else if (sorte == "string") v = attribut(a, "string-value", OFFICE);
        valeur = v ? v : "";
        texte_cellule.clear();
        paragraphes = dans_p = note = 0;
        texte_en_attribut = v != nullptr;
    }

    void fin(NomXml n) override {
        if (dans(n, TABLE, "table")) {
            if (--tables == 0) {
                finie = true;
                arrete = true;
            }
            return;
        }
        if (tables != 1) return;
        if (dans(n, TABLE, "table-row")) {
            fin_ligne();
        } else if (dans(n, TABLE, "table-cell") || dans(n, TABLE, "covered-table-cell")) {
            fin_cellule();
        } else if (dans_cellule && dans(n, OFFICE, "annotation")) {
            --note;
        } else if (dans_cellule && note == 0 && dans(n, TEXTE, "p")) {
            --dans_p;
        }
    }

    void texte(std::string_view t) override {
        if (dans_p > 0 && note == 0) texte_cellule += t;
    }

    void fin_cellule() {
        dans_cellule = false;
        const std::uint64_t premiere = colonne;
        colonne += colonnes_repetees;
        if (premiere >= FeuilleClasseur::colonnes_max || ligne >= lignes_max) return;
        const auto l = static_cast<std::uint32_t>(ligne), k = static_cast<std::uint32_t>(premiere);
        std::string t;
        if (sorte.empty()) {
            // An empty text result is saved as an empty paragraph; no paragraph at all is no result.
            if (formule && paragraphes == 0) return refuse(formule_sans_resultat(l, k));
            t = texte_cellule; // a cell of no type shows its paragraphs, if it has any
        } else if (sorte == "float" || sorte == "percentage" || sorte == "currency") {
            double v = 0;
            const auto [fin, ec] = std::from_chars(valeur.data(), valeur.data() + valeur.size(), v);
            if (ec != std::errc() || fin != valeur.data() + valeur.size())
                return refuse("le nombre de la cellule " + nom_cellule(l, k) + " est illisible");
            t = texte_nombre_classeur(v);
        } else if (sorte == "date" || sorte == "time") {
            const auto d = sorte == "date" ? texte_date_iso(valeur) : texte_duree_iso(valeur);
            if (!d) return refuse("la date de la cellule " + nom_cellule(l, k) + " est illisible");
            t = *d;
        } else if (sorte == "boolean") {
            t = valeur == "true" ? "1" : "0";
        } else if (sorte == "string" && texte_en_attribut) {
            t = valeur;
        } else {
            t = texte_cellule;
        }
        if (t.empty()) return;
        const std::uint64_t derniere = std::min<std::uint64_t>(colonne, FeuilleClasseur::colonnes_max);
        for (std::uint64_t c = premiere; c < derniere; ++c) cellules_ligne.emplace_back(static_cast<std::uint32_t>(c), t);
    }

    void fin_ligne() {
        if (cellules_ligne.empty()) {
            ligne += lignes_repetees;
            return;
        }
        for (std::uint64_t r = 0; r < lignes_repetees && ligne < lignes_max; ++r, ++ligne) {
            for (const auto& [c, t] : cellules_ligne) f->pose(static_cast<std::uint32_t>(ligne), c, t);
            if (f->nb_cellules() > cellules_max) return refuse("il a plus de " + std::to_string(cellules_max) + " cellules");
        }
    }
};

} // namespace

std::unique_ptr<FeuilleClasseur> lit_ods(ArchiveXml& a, std::string& pourquoi) {
    Contenu c;
    pourquoi = a.lit("content.xml", c);
    if (pourquoi.empty()) pourquoi = c.erreur;
    if (pourquoi.empty() && !c.finie) pourquoi = "le classeur n'a pas de feuille";
    return pourquoi.empty() ? std::move(c.f) : nullptr;
}

} // namespace vuv::classeur_zip
