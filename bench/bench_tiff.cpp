// The TIFF writer against one fwrite of the finished file's bytes into the same folder. Both
// end with fsync, as every save does. Writeback makes single runs noisy: read the medians.
// Run: ./bench_tiff [--benchmark_filter=Tiff]; VUVIVIVA_BENCH_DIR chooses the folder (default /tmp).
#include "core/tiff/Bmp2Tiff.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int largeur = 9999;
constexpr int hauteur = 7000;

std::string dossier() {
    const char* d = std::getenv("VUVIVIVA_BENCH_DIR");
    return d ? d : "/tmp";
}

// A 32-bit map-like scan: paper tone, a grid, contour-like curves.
std::vector<std::uint8_t>& carte() {
    static std::vector<std::uint8_t> p = [] {
        std::vector<std::uint8_t> v(static_cast<std::size_t>(largeur) * hauteur * 4);
        for (int y = 0; y < hauteur; ++y) {
            std::uint8_t* l = v.data() + static_cast<std::size_t>(y) * largeur * 4;
            for (int x = 0; x < largeur; ++x) {
                const bool trait = x % 500 == 0 || y % 500 == 0 || ((x * x / 97 + y * 3) % 211) < 2;
                l[4 * x] = trait ? 40 : 205;
                l[4 * x + 1] = trait ? 60 : static_cast<std::uint8_t>(225 + (x ^ y) % 7);
                l[4 * x + 2] = trait ? 120 : 235;
                l[4 * x + 3] = 255;
            }
        }
        return v;
    }();
    return p;
}

vuv::ImageTiff image() {
    return {vuv::VuePixels{carte().data(), largeur, hauteur, largeur * 4L, vuv::FormatPixels::rgb32}, 32, nullptr, 0};
}

void BM_EcrireTiff(benchmark::State& state) {
    const std::string c = dossier() + "/vuviviva_bench.tif";
    const vuv::ImageTiff im = image();
    for (auto _ : state) vuv::WriteTiffToFile(c, im);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 209979226);
    ::unlink(c.c_str());
}
BENCHMARK(BM_EcrireTiff)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

void BM_EcrireTiff_anchor(benchmark::State& state) {
    std::ostringstream flux;
    vuv::WriteTiffToStream(flux, image());
    const std::string octets = flux.str();
    if (octets.size() != 209979226u) state.SkipWithError("taille inattendue");
    const std::string c = dossier() + "/vuviviva_bench_anchor.tif";
    for (auto _ : state) {
        std::FILE* f = std::fopen(c.c_str(), "wb");
        std::fwrite(octets.data(), 1, octets.size(), f);
        std::fflush(f);
        ::fsync(fileno(f));
        std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 209979226);
    ::unlink(c.c_str());
}
BENCHMARK(BM_EcrireTiff_anchor)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
