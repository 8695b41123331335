#pragma once
// A busy EMF written byte by byte, so that any renderer can be timed on the same file:
// pens, brushes, filled polygons, polylines and Bézier curves over a 200 × 150 mm frame.
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

class EmfBrut {
public:
    void u32(std::uint32_t v) { for (int k = 0; k < 4; ++k) o.push_back(static_cast<char>(v >> (8 * k))); }
    void i16(int v) { for (int k = 0; k < 2; ++k) o.push_back(static_cast<char>(static_cast<std::uint16_t>(v) >> (8 * k))); }
    void debut(std::uint32_t type) { debut_ = o.size(); u32(type); u32(0); }
    void fin() {
        while ((o.size() - debut_) % 4) o.push_back('\0');
        const auto n = static_cast<std::uint32_t>(o.size() - debut_);
        for (int k = 0; k < 4; ++k) o[debut_ + 4 + k] = static_cast<char>(n >> (8 * k));
        ++records;
    }
    std::string o;
    std::uint32_t records = 0;

private:
    std::size_t debut_ = 0;
};

// About `n` records; device 2000 × 1500 pixels for 200 × 150 mm.
inline std::string emf_charge(int n) {
    EmfBrut e;
    e.debut(1);
    for (const std::uint32_t v : {0u, 0u, 1999u, 1499u, 0u, 0u, 20000u, 15000u, 0x464D4520u, 0x10000u, 0u, 0u}) e.u32(v);
    e.u32(4);  // handles, reserved
    for (const std::uint32_t v : {0u, 0u, 0u, 2000u, 1500u, 200u, 150u, 0u, 0u, 0u, 200000u, 150000u}) e.u32(v);
    e.fin();
    for (int i = 0; e.records < static_cast<std::uint32_t>(n); ++i) {
        const std::uint32_t couleur = (i * 2654435761u) & 0xFFFFFFu;
        e.debut(38);  // CREATEPEN
        e.u32(1); e.u32(i % 5); e.u32(1 + i % 7); e.u32(0); e.u32(couleur ^ 0x808080u); e.fin();
        e.debut(37); e.u32(1); e.fin();
        e.debut(39);  // CREATEBRUSHINDIRECT
        e.u32(2); e.u32(0); e.u32(couleur); e.u32(0); e.fin();
        e.debut(37); e.u32(2); e.fin();
        const int x = (i * 37) % 1800, y = (i * 91) % 1300;
        e.debut(86);  // POLYGON16
        e.u32(x); e.u32(y); e.u32(x + 200); e.u32(y + 200); e.u32(6);
        static const int etoile[6][2] = {{0, 0}, {200, 30}, {170, 200}, {90, 120}, {20, 180}, {60, 60}};
        for (const auto& p : etoile) {
            e.i16(x + p[0]); e.i16(y + p[1]);
        }
        e.fin();
        e.debut(87);  // POLYLINE16
        e.u32(0); e.u32(0); e.u32(2000); e.u32(1500); e.u32(5);
        for (int k = 0; k < 5; ++k) { e.i16((x + k * 97) % 2000); e.i16((y + k * 53 * (k % 2 ? 1 : -1) + 1500) % 1500); }
        e.fin();
        e.debut(85);  // POLYBEZIER16
        e.u32(0); e.u32(0); e.u32(2000); e.u32(1500); e.u32(4);
        e.i16(x); e.i16(y); e.i16(x + 300); e.i16(y - 100); e.i16(x + 50); e.i16(y + 300); e.i16(x + 250); e.i16(y + 150);
        e.fin();
        e.debut(40); e.u32(1); e.fin();  // DELETEOBJECT
        e.debut(40); e.u32(2); e.fin();
    }
    e.debut(14); e.u32(0); e.u32(16); e.u32(20); e.fin();  // EOF
    const auto taille = static_cast<std::uint32_t>(e.o.size());
    for (int k = 0; k < 4; ++k) e.o[48 + k] = static_cast<char>(taille >> (8 * k));
    for (int k = 0; k < 4; ++k) e.o[52 + k] = static_cast<char>(e.records >> (8 * k));
    return e.o;
}

} // namespace bench
