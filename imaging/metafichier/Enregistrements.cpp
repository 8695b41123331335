#include "imaging/metafichier/Enregistrements.h"

extern "C" {
#include <uemf.h>
#include <uemf_safe.h>
#include <uwmf.h>
}

namespace vuv::mf {

namespace {

std::uint32_t u32(const unsigned char* o) { return o[0] | o[1] << 8 | o[2] << 16 | std::uint32_t{o[3]} << 24; }
std::uint16_t u16(const unsigned char* o) { return static_cast<std::uint16_t>(o[0] | o[1] << 8); }
std::int16_t i16(const unsigned char* o) { return static_cast<std::int16_t>(u16(o)); }
std::int32_t i32(const unsigned char* o) { return static_cast<std::int32_t>(u32(o)); }

std::string sans_prefixe(const char* nom) {
    std::string s = nom ? nom : "";
    if (s.rfind("U_", 0) == 0) s.erase(0, 2);
    return s;
}

bool verifiable(std::uint32_t type) {
    switch (type) {
    case 69: case 96: case 97: case 102: case 103: case 105: case 106: case 107: case 109: case 110: case 111:
    case 112: case 113: case 117: case 119: case 120: case 121:
        return false;
    default: return type >= U_EMR_MIN && type <= U_EMR_MAX;
    }
}

} // namespace

bool est_emf(const unsigned char* o, std::size_t n) { return n >= 88 && u32(o) == 1 && u32(o + 40) == 0x464D4520u; }
bool est_wmf_placable(const unsigned char* o, std::size_t n) { return n >= 22 && u32(o) == 0x9AC6CDD7u; }

std::string nom_emf(std::uint32_t type) {
    if (type >= U_EMR_MIN && type <= U_EMR_MAX) return sans_prefixe(U_emr_names(type));
    return "EMR " + std::to_string(type);
}
std::string nom_wmf(std::uint32_t fonction) { return sans_prefixe(U_wmr_names(static_cast<int>(fonction & 0xFF))); }

Lecture lit_emf(const unsigned char* o, std::size_t n) {
    Lecture l;
    l.emf = true;
    if (!est_emf(o, n)) {
        l.erreur = "ce n'est pas un métafichier EMF";
        return l;
    }
    l.cadre = {static_cast<double>(i32(o + 24)), static_cast<double>(i32(o + 28)), static_cast<double>(i32(o + 32)),
               static_cast<double>(i32(o + 36))};
    l.a_cadre = true;
    l.device_px_l = i32(o + 72);
    l.device_px_h = i32(o + 76);
    l.device_mm_l = i32(o + 80);
    l.device_mm_h = i32(o + 84);
    bool fin = false;
    for (std::size_t pos = 0; !fin;) {
        if (n - pos < 8) break;  // no EOF record: what was read is drawn
        const std::uint32_t type = u32(o + pos), taille = u32(o + pos + 4);
        if (taille < 8 || taille % 4 != 0 || taille > n - pos) {
            l.erreur = "fichier endommagé";  // a record runs past the end: nothing after it can be trusted
            return l;
        }
        // libUEMF checks the counts and offsets inside the record against its size. The types
        // it cannot check (it says so on the console) are read through Champs alone.
        if (type == U_EMR_EOF) fin = true;
        if (pos == 0 || !verifiable(type) || U_emf_record_safe(reinterpret_cast<const char*>(o + pos)))
            l.enregistrements.push_back({type, pos, taille});
        else
            ++l.refuses;
        pos += taille;
    }
    return l;
}

Lecture lit_wmf(const unsigned char* o, std::size_t n) {
    Lecture l;
    std::size_t pos = 0;
    if (est_wmf_placable(o, n)) {
        l.cadre = {static_cast<double>(i16(o + 6)), static_cast<double>(i16(o + 8)), static_cast<double>(i16(o + 10)),
                   static_cast<double>(i16(o + 12))};
        l.unites_par_pouce = u16(o + 14);
        if (l.unites_par_pouce == 0) {
            l.erreur = "unités par pouce nulles";
            return l;
        }
        l.a_cadre = true;
        pos = 22;
    }
    if (n - pos < 18 || (u16(o + pos) != 1 && u16(o + pos) != 2) || u16(o + pos + 2) != 9) {
        l.erreur = l.a_cadre ? "fichier endommagé" : "ce n'est pas un métafichier EMF ou WMF";
        return l;
    }
    pos += 18;
    const char* limite = reinterpret_cast<const char*>(o + n);
    while (n - pos >= 6) {
        const std::size_t taille = U_WMRRECSAFE_get(reinterpret_cast<const char*>(o + pos), limite);
        const std::uint64_t annonce = std::uint64_t{u32(o + pos)} * 2;
        if (taille == 0 || annonce < 6 || annonce > n - pos) {
            l.erreur = "fichier endommagé";
            return l;
        }
        const std::uint16_t fonction = u16(o + pos + 4);
        l.enregistrements.push_back({fonction, pos, static_cast<std::size_t>(annonce)});
        pos += static_cast<std::size_t>(annonce);
        if (fonction == 0) break;  // EOF
    }
    return l;
}

} // namespace vuv::mf
