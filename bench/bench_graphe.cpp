// The 3D graph's whole view on a big survey. Run: ./bench_graphe
#include "core/document/Document.h"
#include "core/graphe/Graphe3D.h"
#include "core/text/separateur.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int largeur = 1600, hauteur = 900;

// Random walks of 10-40-unit steps in a 10 000 x 7 000 frame, 99 lines each at its own
// altitude from 100 to 400, so that every point has a drop line.
vuv::Document document_de(int n) {
    vuv::Document d;
    std::mt19937 hasard(42);
    std::uniform_real_distribution<double> pas(10, 40), angle(0, 6.283185307179586);
    const int cX = d.indice_col("X"), cY = d.indice_col("Y"), cZ = d.indice_col("Z"), cL = d.indice_col("L");
    d.StringGrid1.set_row_count(n + 1);
    d.StringGrid3.set_row_count(100);
    double x = 5000, y = 3500;
    for (int r = 1; r <= n; ++r) {
        const int L = 1 + static_cast<int>(static_cast<long long>(r - 1) * 99 / n);
        const double a = angle(hasard), s = pas(hasard);
        x = std::clamp(x + s * std::cos(a), 0.0, 10000.0);
        y = std::clamp(y + s * std::sin(a), 0.0, 7000.0);
        d.StringGrid1.set_cell(cL, r, std::to_string(L));
        d.StringGrid1.set_cell(cX, r, std::to_string(x));
        d.StringGrid1.set_cell(cY, r, std::to_string(y));
        d.StringGrid1.set_cell(cZ, r, std::to_string(100 + 3 * (L - 1)));
        d.StringGrid3.set_cell(2, L, std::to_string(0x00FFFF00 ^ (L * 0x010203)));
    }
    d.nb_points = n;
    for (int k = 1; k <= 3; ++k) {
        d.StringGrid2.set_cell(d.indice_col_cal("X"), k, k == 2 ? "10000" : "0");
        d.StringGrid2.set_cell(d.indice_col_cal("Y"), k, k == 3 ? "7000" : "0");
    }
    return d;
}

void BM_Graphe3D(benchmark::State& state) {
    vuv::SeparateurLocal sep('.');
    const vuv::Document d = document_de(static_cast<int>(state.range(0)));
    vuv::graphe::Graphe3D g;
    g.init_variables_book(d, largeur, hauteur);
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    const vuv::VuePixels v{image.bits(), largeur, hauteur, static_cast<long>(image.bytesPerLine()), vuv::FormatPixels::rgb32};
    g.dessine_graphe(d, v); // warms the cache
    for (auto _ : state) {
        vuv::graphe::tourne_A(g.etat, 1);
        g.dessine_graphe(d, v);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Graphe3D)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same projected points drawn as the dots' pen draws them.
void BM_Graphe3D_anchor(benchmark::State& state) {
    vuv::SeparateurLocal sep('.');
    const vuv::Document d = document_de(static_cast<int>(state.range(0)));
    vuv::graphe::Graphe3D g;
    g.init_variables_book(d, largeur, hauteur);
    vuv::graphe::calcul_cos_sin(g.etat);
    std::vector<QPoint> points;
    for (const vuv::graphe::Trace3D& t : g.trace_book(d))
        if (t.point) points.emplace_back(t.x1, t.y1);
    QImage image(largeur, hauteur, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        QPainter p(&image);
        p.setPen(QPen(QColor(0, 255, 255), 3));
        p.drawPoints(points.data(), static_cast<int>(points.size()));
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Graphe3D_anchor)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
