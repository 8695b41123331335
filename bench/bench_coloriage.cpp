// Colouring a large overlay: the surface fill and the raster count against plain loops over
// the same 16-bit buffer. Run: ./bench_coloriage
#include "core/coloriage/Coloriage.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int W = 9999, H = 7000;
constexpr std::uint16_t eau = 0x001F, vert = 0x0200, rouge = 0x7C00;

struct Calque {
    std::vector<std::uint16_t> px;
    int w, h;
    vuv::VuePixels vue() {
        return {reinterpret_cast<std::uint8_t*>(px.data()), w, h, static_cast<long>(w) * 2, vuv::FormatPixels::rgb555};
    }
};

// A map: the left half one colour with a wavy edge and round islands, the right half a mix of
// field colours.
Calque& carte() {
    static Calque c = [] {
        Calque k{std::vector<std::uint16_t>(static_cast<std::size_t>(W) * H), W, H};
        for (int y = 0; y < H; ++y) {
            const int bord = W / 2 + static_cast<int>(400 * std::sin(y / 150.0) + 120 * std::sin(y / 17.0));
            for (int x = 0; x < W; ++x) {
                const int ix = x % 700 - 350, iy = y % 600 - 300;
                const bool ile = ix * ix + iy * iy < 90 * 90;
                k.px[static_cast<std::size_t>(y) * W + x] =
                    x < bord && !ile ? eau : static_cast<std::uint16_t>(0x4210 + ((x / 37 + y / 29) % 5));
            }
        }
        return k;
    }();
    return c;
}

// The same region as a comb of one-pixel corridors joined at the top.
Calque& peigne() {
    static Calque c = [] {
        Calque k{std::vector<std::uint16_t>(static_cast<std::size_t>(W) * H, eau), W, H};
        for (int y = 1; y < H; ++y)
            for (int x = 1; x < W; x += 2) k.px[static_cast<std::size_t>(y) * W + x] = 0;
        return k;
    }();
    return c;
}

void BM_Colorier(benchmark::State& s) {
    Calque& c = carte();
    std::size_t pic = 0;
    for (auto _ : s) {
        const std::uint16_t vers = c.px[static_cast<std::size_t>(10) * W + 10] == vert ? rouge : vert;
        const vuv::BilanRemplissage b = vuv::remplit_surface(c.vue(), 10, 10, vers);
        benchmark::DoNotOptimize(b.peints);
        pic = std::max(pic, b.octets_pile + b.octets_carte);
    }
    s.counters["octets_par_pixel"] = static_cast<double>(pic) / (static_cast<double>(W) * H);
}
BENCHMARK(BM_Colorier)->Unit(benchmark::kMillisecond);

// A plain 4-connected scanline fill: each row's run, then seeds for the rows above and below.
long long remplissage_simple(std::vector<std::uint16_t>& px, int w, int h, int x0, int y0, std::uint16_t n) {
    const std::uint16_t cible = px[static_cast<std::size_t>(y0) * w + x0];
    if (cible == n) return 0;
    std::vector<std::pair<int, int>> pile{{x0, y0}};
    long long peints = 0;
    while (!pile.empty()) {
        auto [x, y] = pile.back();
        pile.pop_back();
        std::uint16_t* r = &px[static_cast<std::size_t>(y) * w];
        if (r[x] != cible) continue;
        int a = x, b = x;
        while (a > 0 && r[a - 1] == cible) --a;
        while (b < w - 1 && r[b + 1] == cible) ++b;
        for (int i = a; i <= b; ++i) r[i] = n;
        peints += b - a + 1;
        for (int dy : {-1, 1}) {
            const int yy = y + dy;
            if (yy < 0 || yy >= h) continue;
            const std::uint16_t* q = &px[static_cast<std::size_t>(yy) * w];
            for (int i = a; i <= b; ++i)
                if (q[i] == cible && (i == a || q[i - 1] != cible)) pile.push_back({i, yy});
        }
    }
    return peints;
}

void BM_Colorier_anchor(benchmark::State& s) {
    Calque& c = carte();
    for (auto _ : s) {
        const std::uint16_t vers = c.px[static_cast<std::size_t>(10) * W + 10] == vert ? rouge : vert;
        benchmark::DoNotOptimize(remplissage_simple(c.px, W, H, 10, 10, vers));
    }
}
BENCHMARK(BM_Colorier_anchor)->Unit(benchmark::kMillisecond);

void BM_CompterCouleur(benchmark::State& s) {
    Calque& c = carte();
    const std::uint16_t fond = c.px[static_cast<std::size_t>(10) * W + 10];
    // The aqua contour of the first iteration stays: later ones find it already marked.
    for (auto _ : s) {
        const vuv::ComptageRaster n = vuv::compte_couleur(c.vue(), vuv::cadre_image(c.vue(), 0, 0), fond);
        benchmark::DoNotOptimize(n.nombre);
    }
}
BENCHMARK(BM_CompterCouleur)->Unit(benchmark::kMillisecond);

void BM_CompterCouleur_anchor(benchmark::State& s) {
    Calque& c = carte();
    const std::uint16_t fond = c.px[static_cast<std::size_t>(10) * W + 10];
    for (auto _ : s) {
        long long n = 0;
        for (std::uint16_t p : c.px) n += (p & 0x7FFF) == fond;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_CompterCouleur_anchor)->Unit(benchmark::kMillisecond);

// Peak extra memory of a fill: the surface fill of the map's region, and the border fill (its
// visited map and pending spans) of the comb.
void BM_Memoire_remplissage(benchmark::State& s) {
    const bool comb = s.range(0) != 0;
    Calque& c = comb ? peigne() : carte();
    std::size_t pic = 0;
    for (auto _ : s) {
        const std::uint16_t vers = c.px[static_cast<std::size_t>(10) * W + 10] == vert ? rouge : vert;
        const vuv::BilanRemplissage b =
            comb ? vuv::remplit_bordee(c.vue(), 0, 0, 0x0000, vers) : vuv::remplit_surface(c.vue(), 10, 10, vers);
        pic = std::max(pic, b.octets_pile + b.octets_carte);
    }
    s.counters["octets_par_pixel"] = static_cast<double>(pic) / (static_cast<double>(W) * H);
}
BENCHMARK(BM_Memoire_remplissage)->Arg(0)->Arg(1)->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
