// A 2 000-record EMF drawn at 300 px/inch (2362 × 1772 pixels for its 200 × 150 mm frame).
#include "GenerateurEmf.h"
#include "imaging/Metafichier.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

void BM_MetafichierEmf300dpi(benchmark::State& state) {
    const std::string brut = bench::emf_charge(2000);
    const QByteArray octets(brut.data(), static_cast<qsizetype>(brut.size()));
    for (auto _ : state) {
        const vuv::Metafichier m = vuv::Metafichier::depuis_octets(octets, QStringLiteral("charge.emf"), 400'000'000);
        if (!m.ok()) state.SkipWithError(m.message().toStdString().c_str());
        const QImage im = m.rasterise(2362, 1772, Qt::white);
        benchmark::DoNotOptimize(im.constBits());
    }
}
BENCHMARK(BM_MetafichierEmf300dpi)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
