#include "core/recuperation/Journal.h"

#include "core/annulation/EtatDocument.h"
#include "core/annulation/PileAnnulation.h"
#include "core/document/Document.h"
#include "core/fichiers/PetitBoutiste.h"
#include "core/fichiers/SommeControle.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <vector>

namespace vuv {
namespace {

constexpr unsigned char format = 1;

class Ecrivain {
public:
    void octet(unsigned char v) { t_ += static_cast<char>(v); }
    void entier(std::int64_t v) {
        unsigned char p[8];
        pose32(p, static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
        pose32(p + 4, static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> 32));
        t_.append(reinterpret_cast<const char*>(p), 8);
    }
    // The program that reads it back is the same version on the same machine (the file's
    // last lines say so): the value's own bytes are exact.
    void reel(long double v) {
        char p[sizeof v];
        std::memcpy(p, &v, sizeof v);
        t_.append(p, sizeof v);
    }
    void texte(std::string_view v) {
        entier(static_cast<std::int64_t>(v.size()));
        t_ += v;
    }
    std::string& resultat() { return t_; }

private:
    std::string t_;
};

class Lecteur {
public:
    explicit Lecteur(std::string_view t) : t_(t) {}
    bool ok() const { return ok_; }
    std::size_t reste() const { return t_.size(); }
    unsigned char octet() { return prend(1) ? static_cast<unsigned char>(dernier_[0]) : 0; }
    std::int64_t entier() {
        if (!prend(8)) return 0;
        const auto* p = reinterpret_cast<const unsigned char*>(dernier_);
        return static_cast<std::int64_t>(lit32(p) | (std::uint64_t{lit32(p + 4)} << 32));
    }
    int petit(int max) {
        const std::int64_t v = entier();
        if (v < 0 || v > max) ok_ = false;
        return ok_ ? static_cast<int>(v) : 0;
    }
    long double reel() {
        long double v = 0;
        if (prend(sizeof v)) std::memcpy(&v, dernier_, sizeof v);
        return v;
    }
    std::string_view texte() {
        const std::int64_t n = entier();
        if (n < 0 || static_cast<std::uint64_t>(n) > t_.size()) ok_ = false;
        if (!ok_ || !prend(static_cast<std::size_t>(n))) return {};
        return {dernier_, static_cast<std::size_t>(n)};
    }

private:
    bool prend(std::size_t n) {
        if (!ok_ || n > t_.size()) {
            ok_ = false;
            return false;
        }
        dernier_ = t_.data();
        t_.remove_prefix(n);
        return true;
    }
    std::string_view t_;
    const char* dernier_ = nullptr;
    bool ok_ = true;
};

std::string echappe(std::string_view brut) {
    std::string t;
    t.reserve(brut.size() + brut.size() / 16 + 4);
    for (const char c : brut) {
        if (c == '\\') t += "\\\\";
        else if (c == '\r') t += "\\r";
        else if (c == '\n') t += "\\n";
        else t += c;
    }
    return t;
}

bool desechappe(std::string_view t, std::string& brut) {
    brut.clear();
    brut.reserve(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '\\') {
            brut += t[i];
            continue;
        }
        if (++i == t.size()) return false;
        if (t[i] == '\\') brut += '\\';
        else if (t[i] == 'r') brut += '\r';
        else if (t[i] == 'n') brut += '\n';
        else return false;
    }
    return true;
}

Grille& grille(Document& d, int i) { return i == 0 ? d.StringGrid1 : i == 1 ? d.StringGrid2 : d.StringGrid3; }

// Read whole before anything changes: a record is applied entirely or not at all.
struct Table {
    int indice = 0, lignes = 0, colonnes = 0, premiere = 0;
    std::vector<std::string_view> cellules;
};

bool applique(std::string_view brut, Document& d, std::time_t& date) {
    Lecteur l(brut);
    if (l.octet() != format) return false;
    date = static_cast<std::time_t>(l.entier());
    EtatDocument e;
    constexpr int grand = 0x7ffffffe;
    e.nb_points = l.petit(grand);
    e.num_ligne = l.petit(grand);
    e.nouvelle_ligne = l.octet() != 0;
    e.nb_calage = l.petit(3);
    for (EnregistrementCalage& c : e.calage) {
        c.valide = l.octet() != 0;
        c.x = static_cast<std::int32_t>(l.entier());
        c.y = static_cast<std::int32_t>(l.entier());
        c.X = l.reel();
        c.Y = l.reel();
        c.Z = l.reel();
    }
    for (int& r : e.ligne_choisie) r = l.petit(grand);
    e.lignes_fixes_points = l.petit(grand);
    const int n = l.octet();
    if (n > 3) return false;
    std::vector<Table> tables(static_cast<std::size_t>(n));
    for (Table& t : tables) {
        t.indice = l.petit(2);
        t.lignes = l.petit(grand);
        t.colonnes = l.petit(0xFFFF);
        t.premiere = l.petit(t.lignes);
        // Each cell takes at least its length's eight bytes: a damaged count cannot ask for more.
        const std::uint64_t nombre = std::uint64_t(t.lignes - t.premiere) * std::uint64_t(t.colonnes);
        if (!l.ok() || nombre > l.reste() / 8) return false;
        t.cellules.reserve(static_cast<std::size_t>(nombre));
        for (std::uint64_t k = 0; k < nombre; ++k) t.cellules.push_back(l.texte());
    }
    if (!l.ok() || l.reste() != 0) return false;
    for (const Table& t : tables) {
        Grille& g = grille(d, t.indice);
        g.set_col_count(t.colonnes);
        g.set_row_count(t.lignes);
        for (int r = t.premiere; r < t.lignes; ++r)
            g.affecte_ligne(r, t.cellules.data() + std::size_t(r - t.premiere) * std::size_t(t.colonnes),
                            t.colonnes);
    }
    e.applique(d);
    e.choisit_lignes(d);
    return true;
}

} // namespace

std::string enregistrement_journal(const Document& d, const std::array<int, 3>& premieres, std::time_t date) {
    Ecrivain e;
    e.octet(format);
    e.entier(date);
    const EtatDocument etat = EtatDocument::de(d);
    e.entier(etat.nb_points);
    e.entier(etat.num_ligne);
    e.octet(etat.nouvelle_ligne ? 1 : 0);
    e.entier(etat.nb_calage);
    for (const EnregistrementCalage& c : etat.calage) {
        e.octet(c.valide ? 1 : 0);
        e.entier(c.x);
        e.entier(c.y);
        e.reel(c.X);
        e.reel(c.Y);
        e.reel(c.Z);
    }
    for (const int r : etat.ligne_choisie) e.entier(r);
    e.entier(etat.lignes_fixes_points);
    const Grille* grilles[3] = {&d.StringGrid1, &d.StringGrid2, &d.StringGrid3};
    unsigned char n = 0;
    for (const int p : premieres) n += p != PileAnnulation::aucune_ligne ? 1 : 0;
    e.octet(n);
    for (int i = 0; i < 3; ++i) {
        const int p = premieres[static_cast<std::size_t>(i)];
        if (p == PileAnnulation::aucune_ligne) continue;
        const Grille& g = *grilles[i];
        const int premiere = std::min(std::max(p, 0), g.row_count());
        e.entier(i);
        e.entier(g.row_count());
        e.entier(g.col_count());
        e.entier(premiere);
        for (int r = premiere; r < g.row_count(); ++r) {
            const Grille::Rangee rangee = g.ligne(r);
            for (int c = 0; c < g.col_count(); ++c) e.texte(rangee[c]);
        }
    }
    const std::string texte = echappe(e.resultat());
    return "J" + somme_hex(somme_controle(texte)) + " " + texte + "\r\n";
}

RelectureJournal rejoue_journal(std::string_view journal, Document& d) {
    RelectureJournal r;
    std::string brut;
    while (!journal.empty()) {
        const std::size_t fin = journal.find("\r\n");
        const std::string_view ligne = journal.substr(0, fin);
        std::time_t date = 0;
        if (fin == std::string_view::npos || ligne.size() < 18 || ligne[0] != 'J' || ligne[17] != ' ' ||
            ligne.substr(1, 16) != somme_hex(somme_controle(ligne.substr(18))) ||
            !desechappe(ligne.substr(18), brut) || !applique(brut, d, date)) {
            r.coupe = true;
            break;
        }
        ++r.enregistrements;
        r.date = date;
        journal.remove_prefix(fin + 2);
    }
    return r;
}

} // namespace vuv
