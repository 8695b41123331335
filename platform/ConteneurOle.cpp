#include "platform/ConteneurOle.h"

#include "core/fichiers/PetitBoutiste.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

namespace vuv {
namespace {

constexpr std::uint32_t fin_de_chaine = 0xFFFFFFFEu;
constexpr std::size_t entree_repertoire = 128;

class Conteneur {
public:
    explicit Conteneur(std::string_view o) : o_(o) {}

    bool ouvre() {
        if (o_.size() < 512 || o_.substr(0, 8) != std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8))
            return false;
        const std::uint32_t decalage = u16(0x1E);
        if (decalage != 9 && decalage != 12) return false;
        secteur_ = std::size_t{1} << decalage;
        if (u16(0x20) != 6) return false;
        // The sector numbers of the allocation table: 109 in the header, then a chain of sectors.
        std::vector<std::uint32_t> secteurs_fat;
        for (std::size_t i = 0; i < 109; ++i) secteurs_fat.push_back(u32(0x4C + 4 * i));
        std::uint32_t difat = u32(0x44);
        for (std::size_t n = 0; difat < fin_de_chaine && n < nb_secteurs(); ++n) {
            const std::string_view s = secteur(difat);
            if (s.size() < secteur_) return false;
            for (std::size_t i = 0; i + 4 < secteur_; i += 4) secteurs_fat.push_back(lit(s, i));
            difat = lit(s, secteur_ - 4);
        }
        for (const std::uint32_t f : secteurs_fat) {
            if (f >= fin_de_chaine - 4) continue; // free or special: no table there
            if (fat_.size() >= nb_secteurs()) break; // the rest would describe sectors past the end
            const std::string_view s = secteur(f);
            if (s.size() < secteur_) return false;
            for (std::size_t i = 0; i < secteur_; i += 4) fat_.push_back(lit(s, i));
        }
        const auto rep = chaine(u32(0x30), fat_, secteur_, [this](std::uint32_t n) { return secteur(n); });
        if (!rep) return false;
        repertoire_ = *rep;
        if (repertoire_.size() < entree_repertoire) return false;
        coupure_ = u32(0x38);
        const auto minifat = chaine(u32(0x3C), fat_, secteur_, [this](std::uint32_t n) { return secteur(n); });
        if (minifat)
            for (std::size_t i = 0; i + 4 <= minifat->size(); i += 4) minifat_.push_back(lit(*minifat, i));
        return true;
    }

    std::optional<std::string> flux(std::initializer_list<std::string_view> noms) const {
        for (std::size_t e = 0; e + entree_repertoire <= repertoire_.size(); e += entree_repertoire) {
            const std::string_view d = std::string_view(repertoire_).substr(e, entree_repertoire);
            if (d[0x42] != 2 || !nomme(d, noms)) continue;
            const std::uint32_t taille = lit(d, 0x78);
            std::optional<std::string> f;
            if (taille < coupure_) {
                const std::string_view racine(repertoire_.data(), entree_repertoire);
                const auto mini = chaine(lit(racine, 0x74), fat_, secteur_, [this](std::uint32_t n) { return secteur(n); });
                if (!mini) return std::nullopt;
                f = chaine(lit(d, 0x74), minifat_, 64, [&mini](std::uint32_t n) {
                    return std::string_view(*mini).substr(std::min<std::size_t>(std::size_t{n} * 64, mini->size()), 64);
                });
            } else {
                f = chaine(lit(d, 0x74), fat_, secteur_, [this](std::uint32_t n) { return secteur(n); });
            }
            if (!f || f->size() < taille) return std::nullopt;
            f->resize(taille);
            return f;
        }
        return std::nullopt;
    }

private:
    static std::uint32_t lit(std::string_view s, std::size_t p) {
        return lit32(reinterpret_cast<const unsigned char*>(s.data() + p));
    }
    std::uint32_t u16(std::size_t p) const { return lit16(reinterpret_cast<const unsigned char*>(o_.data() + p)); }
    std::uint32_t u32(std::size_t p) const { return lit(o_, p); }
    std::size_t nb_secteurs() const { return o_.size() / secteur_; }

    // A sector as far as the file holds it (the last one may be cut short).
    std::string_view secteur(std::uint32_t n) const {
        const std::size_t debut = (std::size_t{n} + 1) * secteur_;
        if (debut >= o_.size()) return {};
        return o_.substr(debut, secteur_);
    }

    // The sectors of a chain end to end; a chain that loops, leaves the table or meets a
    // missing sector gives nothing.
    template <class Secteur>
    static std::optional<std::string> chaine(std::uint32_t n, const std::vector<std::uint32_t>& table, std::size_t taille,
                                             Secteur secteur) {
        std::string r;
        for (std::size_t pas = 0; n != fin_de_chaine; ++pas) {
            if (n >= table.size() || pas >= table.size()) return std::nullopt;
            const std::string_view s = secteur(n);
            if (s.size() < taille) return std::nullopt;
            r.append(s);
            n = table[n];
        }
        return r;
    }

    static bool nomme(std::string_view d, std::initializer_list<std::string_view> noms) {
        const std::size_t longueur = std::min<std::size_t>(lit16(reinterpret_cast<const unsigned char*>(d.data() + 0x40)), 64);
        std::string nom;
        for (std::size_t i = 0; i + 1 < longueur; i += 2) {
            if (d[i] == 0 && d[i + 1] == 0) break;
            if (d[i + 1] != 0) return false; // none of the names sought is outside ASCII
            nom += static_cast<char>(std::tolower(static_cast<unsigned char>(d[i])));
        }
        return std::any_of(noms.begin(), noms.end(), [&nom](std::string_view n) {
            return n.size() == nom.size() && std::equal(n.begin(), n.end(), nom.begin(), [](char a, char b) {
                       return std::tolower(static_cast<unsigned char>(a)) == b;
                   });
        });
    }

    std::string_view o_;
    std::size_t secteur_ = 512;
    std::uint32_t coupure_ = 4096;
    std::vector<std::uint32_t> fat_, minifat_;
    std::string repertoire_;
};

} // namespace

std::optional<std::string> flux_ole(std::string_view octets, std::initializer_list<std::string_view> noms) {
    Conteneur c(octets);
    if (!c.ouvre()) return std::nullopt;
    return c.flux(noms);
}

} // namespace vuv
