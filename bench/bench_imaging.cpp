// Background decoding against its anchors: libjpeg alone (the floor for any JPEG load), Qt's
// reader, and a plain memcpy of as many 15-bit bytes as the decoded image holds.
// Run: ./bench_imaging [--benchmark_filter=Jpeg]. The first run draws and encodes the test maps
// (a few seconds); VUVIVIVA_BENCH_JPEG names an existing JPEG to use instead of the larger one.
#include "imaging/DecodageImage.h"
#include "imaging/EncodageImage.h"
#include "imaging/Pixels.h"
#include "samples/CarteExemple.h"

#include "tests/support/LectureJpeg.h"
#include "windows/principale/carte/Calque.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int largeur = 9999;
constexpr int hauteur = 7000;

QString chemin_jpeg;
QString chemin_jpeg_q95;  // a 6000 × 4000 scan at high quality, where the DCT method matters most

// Map-like scans drawn once and cached in the temporary folder.
QString prepare_carte(int l, int h, int qualite) {
    const QString chemin =
        QDir::temp().filePath(QStringLiteral("vuviviva_bench_%1x%2_q%3.jpg").arg(l).arg(h).arg(qualite));
    if (QFile::exists(chemin)) return chemin;
    std::fprintf(stderr, "drawing %s...\n", qPrintable(chemin));
    const QImage carte = vuv::exemple::dessine_carte({.largeur = l, .hauteur = h, .grain = 6});
    const vuv::ResultatEcriture r = vuv::ecrit_jpeg(carte, chemin, qualite);
    if (!r) {
        std::fprintf(stderr, "%s\n", qPrintable(r.message));
        std::exit(1);
    }
    return chemin;
}

void prepare_jpeg() {
    chemin_jpeg = qEnvironmentVariable("VUVIVIVA_BENCH_JPEG");
    if (chemin_jpeg.isEmpty()) chemin_jpeg = prepare_carte(largeur, hauteur, 85);
    chemin_jpeg_q95 = prepare_carte(6000, 4000, 95);
}

std::int64_t octets_555() { return std::int64_t{largeur} * hauteur * 2; }

void BM_DecodeJpeg(benchmark::State& state) {
    for (auto _ : state) {
        vuv::ImageDecodee r = vuv::decode_image(chemin_jpeg);
        if (!r) state.SkipWithError(qPrintable(r.message));
        benchmark::DoNotOptimize(r.image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * octets_555());
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The whole first load: the background decoded at 15 bits, then the overlay made as its copy.
void BM_ChargerJpeg(benchmark::State& state) {
    for (auto _ : state) {
        vuv::ImageDecodee r = vuv::decode_image(chemin_jpeg);
        if (!r) state.SkipWithError(qPrintable(r.message));
        vuv::Calque calque;
        calque.fond = std::move(r.image);
        calque.creer_calque_de_bitmap();
        benchmark::DoNotOptimize(calque.image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * octets_555());
}
BENCHMARK(BM_ChargerJpeg)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// libjpeg-turbo alone with the decoder's settings, every row into the same throw-away buffer;
// once per DCT method, since the accurate one is kept only while it costs no measurable time.
void BM_ChargerJpeg_anchor(benchmark::State& state, J_DCT_METHOD methode, const QString* chemin) {
    std::int64_t pixels = 0;
    for (auto _ : state) {
        ::test::LectureJpeg j(*chemin);
        jpeg_decompress_struct& d = j.d;
        j.demarre(JCS_EXT_RGBX, methode);
        std::vector<unsigned char> ligne(std::size_t{d.output_width} * d.output_components * 2);
        JSAMPROW lignes[2] = {ligne.data(), ligne.data() + ligne.size() / 2};
        while (d.output_scanline < d.output_height) jpeg_read_scanlines(&d, lignes, 2);
        pixels = std::int64_t{d.output_width} * d.output_height;
        jpeg_finish_decompress(&d);
        benchmark::DoNotOptimize(ligne.data());
    }
    state.SetBytesProcessed(state.iterations() * pixels * 2);
}
BENCHMARK_CAPTURE(BM_ChargerJpeg_anchor, islow, JDCT_ISLOW, &chemin_jpeg)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ChargerJpeg_anchor, ifast, JDCT_IFAST, &chemin_jpeg)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ChargerJpeg_anchor, islow_6000x4000_q95, JDCT_ISLOW, &chemin_jpeg_q95)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ChargerJpeg_anchor, ifast_6000x4000_q95, JDCT_IFAST, &chemin_jpeg_q95)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The whole decoder on the high-quality scan.
void BM_DecodeJpeg_q95(benchmark::State& state) {
    for (auto _ : state) {
        vuv::ImageDecodee r = vuv::decode_image(chemin_jpeg_q95);
        if (!r) state.SkipWithError(qPrintable(r.message));
        benchmark::DoNotOptimize(r.image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * 6000 * 4000 * 2);
}
BENCHMARK(BM_DecodeJpeg_q95)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Qt's own reader, its allocation limit raised so that it accepts the image.
void BM_ChargerJpeg_qt(benchmark::State& state) {
    for (auto _ : state) {
        QImageReader lecteur(chemin_jpeg);
        lecteur.setAllocationLimit(1024);
        QImage image = lecteur.read();
        if (image.isNull()) state.SkipWithError("Qt refused the image");
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * octets_555());
}
BENCHMARK(BM_ChargerJpeg_qt)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The anchor of the brief: copying as many bytes as the 15-bit image holds, into memory
// already touched (pure bandwidth)...
void BM_Memcpy555(benchmark::State& state) {
    std::vector<char> source(static_cast<std::size_t>(octets_555()), 1);
    std::vector<char> cible(source.size(), 2);
    for (auto _ : state) {
        std::memcpy(cible.data(), source.data(), source.size());
        benchmark::DoNotOptimize(cible.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * octets_555());
}
BENCHMARK(BM_Memcpy555)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// ...and into a fresh image each time, as a decode must (first-touch page faults included).
void BM_Memcpy555_fresh(benchmark::State& state) {
    std::vector<char> source(static_cast<std::size_t>(octets_555()), 1);
    for (auto _ : state) {
        QImage image = vuv::nouvelle_image(largeur, hauteur, QImage::Format_RGB555);
        for (int y = 0; y < hauteur; ++y)
            std::memcpy(image.scanLine(y), source.data() + std::size_t(y) * largeur * 2, std::size_t(largeur) * 2);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * octets_555());
}
BENCHMARK(BM_Memcpy555_fresh)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

long kio_status(const char* champ) {
    std::ifstream f("/proc/self/status");
    std::string ligne;
    while (std::getline(f, ligne))
        if (ligne.rfind(champ, 0) == 0) return std::stol(ligne.substr(std::strlen(champ)));
    return -1;
}

// Peak memory of one decode, per image pixel: the peak-RSS mark is reset first.
void BM_DecodeJpeg_peak(benchmark::State& state) {
    double octets_par_pixel = 0;
    for (auto _ : state) {
        malloc_trim(0);
        { std::ofstream("/proc/self/clear_refs") << "5"; }
        const long avant = kio_status("VmRSS:");
        vuv::ImageDecodee r = vuv::decode_image(chemin_jpeg);
        const long pic = kio_status("VmHWM:");
        benchmark::DoNotOptimize(r.image.constBits());
        octets_par_pixel = (pic - avant) * 1024.0 / (double(largeur) * hauteur);
    }
    state.counters["bytes_per_pixel"] = octets_par_pixel;
}
BENCHMARK(BM_DecodeJpeg_peak)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);  // fonts for the map's texts
    prepare_jpeg();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
