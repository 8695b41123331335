#pragma once
// The records of an EMF or WMF file, framed and checked before anything is drawn: every record
// lies inside the file, and every field read through `Champs` lies inside its record.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace vuv::mf {

// Bounds-checked little-endian fields of one record; a field outside it reads 0 and clears ok.
class Champs {
public:
    Champs(const unsigned char* p, std::size_t n) : p_(p), n_(n) {}
    bool tient(std::size_t debut, std::size_t longueur) const { return debut <= n_ && longueur <= n_ - debut; }
    std::uint8_t u8(std::size_t i) { return tient(i, 1) ? p_[i] : faux(); }
    std::uint16_t u16(std::size_t i) { return tient(i, 2) ? static_cast<std::uint16_t>(p_[i] | p_[i + 1] << 8) : faux(); }
    std::int16_t i16(std::size_t i) { return static_cast<std::int16_t>(u16(i)); }
    std::uint32_t u32(std::size_t i) {
        return tient(i, 4) ? static_cast<std::uint32_t>(p_[i] | p_[i + 1] << 8 | p_[i + 2] << 16) | std::uint32_t{p_[i + 3]} << 24
                           : faux();
    }
    std::int32_t i32(std::size_t i) { return static_cast<std::int32_t>(u32(i)); }
    float f32(std::size_t i) {
        const std::uint32_t v = u32(i);
        float f;
        std::memcpy(&f, &v, 4);
        return f;
    }
    // `n` bytes from `i`, or nullptr (and !ok) when they do not all lie in the record.
    const unsigned char* octets(std::size_t i, std::size_t n) {
        if (tient(i, n)) return p_ + i;
        ok = false;
        return nullptr;
    }
    std::size_t taille() const { return n_; }
    bool ok = true;

private:
    std::uint8_t faux() {
        ok = false;
        return 0;
    }
    const unsigned char* p_;
    std::size_t n_;
};

struct Enregistrement {
    std::uint32_t type = 0;  // EMF record type, or the WMF function number
    std::size_t debut = 0, taille = 0;
};

struct Rectangle {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double l() const { return x1 - x0; }
    double h() const { return y1 - y0; }
};

struct Lecture {
    bool emf = false;
    std::vector<Enregistrement> enregistrements;
    std::string erreur;  // French, empty when the file was read
    // EMF: the frame in 0.01 mm and the reference device in pixels and millimetres.
    // WMF: the placeable header's frame in its units; no frame otherwise.
    Rectangle cadre;
    bool a_cadre = false;
    double unites_par_pouce = 0;  // WMF
    double device_px_l = 0, device_px_h = 0, device_mm_l = 0, device_mm_h = 0;
    int refuses = 0;  // records refused by the checks, not drawn
};

// `o` must outlive the result's use: records are offsets into it.
Lecture lit_emf(const unsigned char* o, std::size_t n);
Lecture lit_wmf(const unsigned char* o, std::size_t n);
bool est_emf(const unsigned char* o, std::size_t n);
bool est_wmf_placable(const unsigned char* o, std::size_t n);

// The record's name as libUEMF gives it ("EMR_ALPHABLEND", "WMR_ARC").
std::string nom_emf(std::uint32_t type);
std::string nom_wmf(std::uint32_t fonction);

// Records not drawn or refused, by name, for the user.
using Decompte = std::map<std::string, int>;

} // namespace vuv::mf
