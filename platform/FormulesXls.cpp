#include "platform/FormulesXls.h"

#include "platform/ConteneurOle.h"

#include "core/fichiers/PetitBoutiste.h"
#include "core/text/encodage.h"

#include <bit>
#include <optional>
#include <vector>

namespace vuv {
namespace {

constexpr std::uint32_t BOF = 0x0809, EOF_ = 0x000A, BOUNDSHEET = 0x0085, FORMULA = 0x0006, STRING = 0x0207,
                        CONTINUE = 0x003C, FORMAT = 0x041E, XF = 0x00E0, DATEMODE = 0x0022;

struct Enregistrement {
    std::uint32_t type = 0;
    std::string_view donnees;
};

// The records of a stream from an offset on; stops at the first one that runs past the end.
class Enregistrements {
public:
    Enregistrements(std::string_view flux, std::size_t debut) : f_(flux), p_(debut) {}
    std::optional<Enregistrement> suivant() {
        if (p_ > f_.size() || f_.size() - p_ < 4) return std::nullopt;
        const auto* o = reinterpret_cast<const unsigned char*>(f_.data() + p_);
        const std::size_t taille = lit16(o + 2);
        if (f_.size() - p_ - 4 < taille) return std::nullopt;
        Enregistrement e{lit16(o), f_.substr(p_ + 4, taille)};
        p_ += 4 + taille;
        return e;
    }

private:
    std::string_view f_;
    std::size_t p_;
};

std::uint32_t u8(std::string_view d, std::size_t p) { return static_cast<unsigned char>(d[p]); }
std::uint32_t u16(std::string_view d, std::size_t p) { return lit16(reinterpret_cast<const unsigned char*>(d.data() + p)); }
std::uint32_t u32(std::string_view d, std::size_t p) { return lit32(reinterpret_cast<const unsigned char*>(d.data() + p)); }

void ajoute_utf8(std::string& s, std::uint32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Characters of a BIFF8 string, Latin-1 bytes or UTF-16 units; a lone surrogate becomes U+FFFD.
class Unicode {
public:
    void octet(std::uint32_t c) { unite(c); }
    void unite(std::uint32_t u) {
        if (haut_ && u >= 0xDC00 && u <= 0xDFFF) {
            ajoute_utf8(s_, 0x10000 + ((haut_ - 0xD800) << 10) + (u - 0xDC00));
            haut_ = 0;
            return;
        }
        if (haut_) ajoute_utf8(s_, 0xFFFD);
        haut_ = 0;
        if (u >= 0xD800 && u <= 0xDBFF) haut_ = u;
        else ajoute_utf8(s_, u >= 0xDC00 && u <= 0xDFFF ? 0xFFFD : u);
    }
    std::string fin() {
        if (haut_) ajoute_utf8(s_, 0xFFFD);
        haut_ = 0;
        return std::move(s_);
    }

private:
    std::string s_;
    std::uint32_t haut_ = 0;
};

// A STRING record's text; in BIFF8 its characters may go on in CONTINUE records, each opening
// with its own width flag.
std::optional<std::string> texte_string(const Enregistrement& e, Enregistrements& suite, bool biff8) {
    if (e.donnees.size() < 2) return std::nullopt;
    std::size_t reste = u16(e.donnees, 0);
    if (!biff8) {
        if (e.donnees.size() < 2 + reste) return std::nullopt;
        return cp1252_vers_utf8(e.donnees.substr(2, reste));
    }
    Unicode u;
    std::string_view d = e.donnees.substr(2);
    for (;;) {
        if (d.empty()) return std::nullopt;
        const bool large = (u8(d, 0) & 1) != 0;
        std::size_t p = 1;
        for (; reste > 0 && p + (large ? 2 : 1) <= d.size(); --reste) {
            if (large) u.unite(u16(d, p));
            else u.octet(u8(d, p));
            p += large ? 2 : 1;
        }
        if (reste == 0) return u.fin();
        const auto c = suite.suivant();
        if (!c || c->type != CONTINUE) return std::nullopt;
        d = c->donnees;
    }
}

std::string nom_erreur(std::uint32_t code) {
    switch (code) {
    case 0x00: return "#NULL!";
    case 0x07: return "#DIV/0!";
    case 0x0F: return "#VALUE!";
    case 0x17: return "#REF!";
    case 0x1D: return "#NAME?";
    case 0x24: return "#NUM!";
    default: return "#N/A";
    }
}

// What the workbook globals tell: the BIFF version, the first worksheet's BOF, the date system
// and, by cell format (XF), what a number shows as a date.
struct Globales {
    bool biff8 = false, depuis_1904 = false;
    std::optional<std::size_t> feuille;
    std::vector<SorteTemps> temps;
};

// A FORMAT record's code: BIFF8 a Unicode string of 16-bit length, BIFF5 bytes of 8-bit length.
std::string code_format(std::string_view d, bool biff8) {
    if (!biff8) return d.size() < 3 ? std::string() : cp1252_vers_utf8(d.substr(3, u8(d, 2)));
    if (d.size() < 5) return {};
    const std::size_t n = u16(d, 2);
    const bool large = (u8(d, 4) & 1) != 0;
    std::string s;
    for (std::size_t i = 0, p = 5; i < n && p + (large ? 2 : 1) <= d.size(); ++i, p += large ? 2 : 1)
        s += static_cast<char>(large ? (u16(d, p) < 0x80 ? u16(d, p) : '?') : u8(d, p)); // codes are ASCII
    return s;
}

std::optional<Globales> globales(std::string_view flux) {
    Globales g;
    Enregistrements r(flux, 0);
    const auto bof = r.suivant();
    if (!bof || bof->type != BOF || bof->donnees.size() < 2) return std::nullopt;
    g.biff8 = u16(bof->donnees, 0) == 0x0600;
    std::map<std::uint32_t, std::string> codes;
    while (const auto e = r.suivant()) {
        const std::string_view d = e->donnees;
        if (e->type == EOF_) break;
        if (e->type == BOUNDSHEET && d.size() >= 6 && u8(d, 5) == 0 && !g.feuille) g.feuille = u32(d, 0);
        else if (e->type == DATEMODE && d.size() >= 2) g.depuis_1904 = u16(d, 0) != 0;
        else if (e->type == FORMAT && d.size() >= 2) codes[u16(d, 0)] = code_format(d, g.biff8);
        else if (e->type == XF && d.size() >= 4) {
            const auto c = codes.find(u16(d, 2));
            g.temps.push_back(sorte_format(static_cast<int>(u16(d, 2)), c == codes.end() ? std::string_view() : c->second));
        }
    }
    if (!g.feuille) return std::nullopt;
    return g;
}

} // namespace

std::map<std::uint64_t, ResultatFormule> resultats_formules_xls(std::string_view octets) {
    std::map<std::uint64_t, ResultatFormule> r;
    const auto flux = flux_ole(octets, {"Workbook", "Book"});
    if (!flux) return r;
    const auto g = globales(*flux);
    if (!g) return r;
    const bool biff8 = g->biff8;
    Enregistrements e(*flux, *g->feuille);
    const auto bof = e.suivant();
    if (!bof || bof->type != BOF) return r;
    bool attend_texte = false; // the formula at cle_texte has its text in the STRING record after it
    std::uint64_t cle_texte = 0;
    while (const auto x = e.suivant()) {
        if (x->type == EOF_ || x->type == BOF) break;
        if (x->type == STRING && attend_texte) {
            if (const auto t = texte_string(*x, e, biff8)) r[cle_texte] = {ResultatFormule::Sorte::texte, 0, *t};
            attend_texte = false;
            continue;
        }
        if (x->type != FORMULA || x->donnees.size() < 20) continue;
        const std::string_view d = x->donnees;
        const std::uint64_t cle = (std::uint64_t{u16(d, 0)} << 16) | u16(d, 2);
        attend_texte = false;
        if (u16(d, 12) != 0xFFFF) {
            const std::uint64_t bits = std::uint64_t{u32(d, 6)} | (std::uint64_t{u32(d, 10)} << 32);
            const std::size_t xf = u16(d, 4);
            r[cle] = {ResultatFormule::Sorte::nombre, std::bit_cast<double>(bits), {},
                      xf < g->temps.size() ? g->temps[xf] : SorteTemps::aucune, g->depuis_1904};
            continue;
        }
        switch (u8(d, 6)) {
        case 0:
            r[cle] = {ResultatFormule::Sorte::aucun, 0, {}};
            attend_texte = true;
            cle_texte = cle;
            break;
        case 1: r[cle] = {ResultatFormule::Sorte::booleen, u8(d, 8) ? 1.0 : 0.0, {}}; break;
        case 2: r[cle] = {ResultatFormule::Sorte::erreur, 0, nom_erreur(u8(d, 8))}; break;
        case 3: r[cle] = {ResultatFormule::Sorte::texte, 0, {}}; break;
        default: break;
        }
    }
    return r;
}

} // namespace vuv
