// Following a road on a 9999 x 7000 map against one pass reading every pixel of the window the
// search is bounded to. Run: ./bench_suivi_trait
#include "core/pixels/SuiviTrait.h"
#include "core/pixels/Trace.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int W = 9999, H = 7000;
constexpr std::uint16_t papier = 0x7BDE, rouge = 0x6084, bleu = 0x0118;

struct Carte {
    std::vector<std::uint16_t> px = std::vector<std::uint16_t>(std::size_t(W) * H, papier);
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // the clicks
    vuv::VuePixels vue() { return {reinterpret_cast<std::uint8_t*>(px.data()), W, H, 2L * W, vuv::FormatPixels::rgb555}; }
};

double y_route(double x) { return 3500 + 600 * std::sin(x / 500); }

// A 5 px red road winding from x = 1500, long enough for `pixels` steps, crossed every 300 px by
// blue roads.
Carte& carte(int pixels) {
    static Carte c;
    static int faite = 0;
    if (faite == pixels) return c;
    c = Carte{};
    vuv::VuePixels v = c.vue();
    for (int x = 0; x < W; x += 300) vuv::trace_segment(v, x, 0, x + 900, H - 1, 4, bleu);
    double x = 1500, n = 0;
    while (n < pixels && x < W - 10) {
        const double nx = x + 1;
        vuv::trace_segment(v, int(x), int(y_route(x)), int(nx), int(y_route(nx)), 5, rouge);
        n += std::max(1.0, std::abs(y_route(nx) - y_route(x)));
        x = nx;
    }
    c.x0 = 1500, c.y0 = int(y_route(1500)), c.x1 = int(x), c.y1 = int(y_route(x));
    faite = pixels;
    return c;
}

void BM_SuivreTrait(benchmark::State& s) {
    Carte& c = carte(int(s.range(0)));
    vuv::VuePixels v = c.vue();
    const std::uint32_t couleur = vuv::couleur_sous(v, c.x0, c.y0);
    int pixels = 0;
    for (auto _ : s) {
        const vuv::ResultatSuivi r = vuv::suit_trait(v, couleur, c.x0, c.y0, c.x1, c.y1, {});
        if (!r.ok()) s.SkipWithError(r.message.c_str());
        pixels = r.pixels;
        benchmark::DoNotOptimize(r.points.data());
    }
    s.counters["pixels_chemin"] = pixels;
}
BENCHMARK(BM_SuivreTrait)->Arg(5000)->Unit(benchmark::kMillisecond);

// The window the search is bounded to (the clicks' box and its margin), read once.
void BM_SuivreTrait_anchor(benchmark::State& s) {
    Carte& c = carte(int(s.range(0)));
    const int marge = 64 + int(std::hypot(c.x1 - c.x0, c.y1 - c.y0) / 4);
    const int fx = std::max(0, std::min(c.x0, c.x1) - marge), fy = std::max(0, std::min(c.y0, c.y1) - marge);
    const int lx = std::min(W, std::max(c.x0, c.x1) + marge + 1), ly = std::min(H, std::max(c.y0, c.y1) + marge + 1);
    for (auto _ : s) {
        std::uint64_t somme = 0;
        for (int y = fy; y < ly; ++y) {
            const std::uint16_t* l = c.px.data() + std::size_t(y) * W;
            for (int x = fx; x < lx; ++x) somme += l[x];
        }
        benchmark::DoNotOptimize(somme);
    }
    s.counters["pixels_fenetre"] = double(lx - fx) * double(ly - fy);
}
BENCHMARK(BM_SuivreTrait_anchor)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
