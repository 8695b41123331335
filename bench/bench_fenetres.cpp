// Hot paths of the main window on a big scan: painting the view and rebuilding the overlay.
#include "core/document/Digitalisation.h"
#include "core/document/Document.h"
#include "core/edition/EditionPoints.h"
#include "windows/principale/carte/Calque.h"
#include "windows/principale/carte/scroll_image.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {

constexpr int largeur = 9999, hauteur = 7000;
constexpr int ecran_l = 1600, ecran_h = 900;

const QImage& grand_fond() {
    static const QImage fond = [] {
        QImage f(largeur, hauteur, QImage::Format_RGB555);
        for (int y = 0; y < hauteur; ++y) {
            auto* l = reinterpret_cast<std::uint16_t*>(f.scanLine(y));
            for (int x = 0; x < largeur; ++x) l[x] = static_cast<std::uint16_t>((x * 7 + y * 13) & 0x7FFF);
        }
        return f;
    }();
    return fond;
}

// Zoom levels: the whole image, one image pixel per screen pixel, four screen pixels per one.
vuv::Rect vue_de(int zoom) {
    switch (zoom) {
    case 0: return {0, 0, largeur - 1, hauteur - 1};
    case 1: return {3000, 2000, 3000 + ecran_l - 1, 2000 + ecran_h - 1};
    default: return {3000, 2000, 3000 + ecran_l / 4 - 1, 2000 + ecran_h / 4 - 1};
    }
}

void BM_PaintView(benchmark::State& state) {
    vuv::ZoneImage zone;
    zone.resize(ecran_l, ecran_h);
    QImage cible(ecran_l, ecran_h, QImage::Format_RGB32);
    // Panning: each paint shows a view one pixel away from the last.
    const vuv::Rect vue = vue_de(static_cast<int>(state.range(0)));
    const vuv::Rect voisine{vue.x0 + 1, vue.y0, vue.x1 + 1, vue.y1};
    bool pair = false;
    for (auto _ : state) {
        zone.montre(grand_fond(), (pair = !pair) ? vue : voisine);
        QPainter p(&cible);
        zone.peint(p, QRect(0, 0, ecran_l, ecran_h)); // what the area's paint event does
        benchmark::DoNotOptimize(cible.constBits());
    }
}
BENCHMARK(BM_PaintView)->Name("BM_PaintView/whole")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintView)->Name("BM_PaintView/1to1")->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintView)->Name("BM_PaintView/4to1")->Arg(2)->Unit(benchmark::kMillisecond);

// The least work that fills the screen: one unscaled drawImage of a ready image.
void BM_PaintView_anchor(benchmark::State& state) {
    QImage pret(ecran_l, ecran_h, QImage::Format_RGB32);
    pret.fill(Qt::gray);
    QImage cible(ecran_l, ecran_h, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&cible);
        p.drawImage(0, 0, pret);
        benchmark::DoNotOptimize(cible.constBits());
    }
}
BENCHMARK(BM_PaintView_anchor)->Unit(benchmark::kMillisecond);

// n points on 99 lines of a big scan.
vuv::Document document_digitalise(int n) {
    vuv::Document d;
    d.mess_3_calage_svp_et_init(false);
    d.StringGrid3.set_row_count(100);
    for (int L = 1; L <= 99; ++L) {
        d.StringGrid3.set_cell(0, L, std::to_string(L));
        d.StringGrid3.set_cell(1, L, "4");
        d.StringGrid3.set_cell(2, L, std::to_string(255 + L * 256));
        d.StringGrid3.set_cell(3, L, "x");
    }
    // Digitized lines: each starts somewhere on the map and walks on in steps of a few
    // tens of pixels, as a road or a contour is clicked.
    std::uint32_t graine = 12345;
    auto hasard = [&graine](int borne) {
        graine = graine * 1103515245u + 12345u;
        return static_cast<int>((graine >> 16) % static_cast<std::uint32_t>(borne));
    };
    int x = 0, y = 0, L_precedent = 0;
    for (int row = 1; row <= n; ++row) {
        const int L = 1 + (row - 1) * 99 / n;
        if (L != L_precedent) {
            x = 500 + hasard(largeur - 1000);
            y = 500 + hasard(hauteur - 1000);
            L_precedent = L;
        }
        x = std::clamp(x + hasard(81) - 40, 0, largeur - 1);
        y = std::clamp(y + hasard(81) - 40, 0, hauteur - 1);
        d.affecte_en(row, L, "", 0, 0, 0, y, x);
        d.nb_points = row;
    }
    return d;
}

void BM_RedessinerCalque(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    vuv::Document d = document_digitalise(n);
    vuv::Calque c;
    c.fond = grand_fond();
    c.creer_calque_de_bitmap();
    const vuv::ReglagesTrace r;
    for (auto _ : state) {
        c.redessiner_calque(d, r);
        benchmark::DoNotOptimize(c.image.constBits());
    }
}
BENCHMARK(BM_RedessinerCalque)->Arg(10000)->Unit(benchmark::kMillisecond);

// One frame of a drag in the edit mode: a point moves and only what it changed is redrawn.
void BM_GlisserPoint(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    vuv::Document d = document_digitalise(n);
    vuv::Calque c;
    c.fond = grand_fond();
    c.creer_calque_de_bitmap();
    const vuv::ReglagesTrace r;
    c.redessiner_calque(d, r);
    const int row = n / 2;
    const auto p = vuv::point_de_table(d, row).value();
    int pas = 0;
    for (auto _ : state) {
        const int de = ++pas % 2 ? 10 : -10;
        const auto avant = vuv::point_de_table(d, row).value();
        vuv::edition::deplace_point(d, row, p.x + de, p.y + de);
        const vuv::Rect z = vuv::edition::zone_autour(d, row, {{row, avant.x, avant.y}});
        c.redessiner_zone(d, r, QRect(QPoint(z.x0, z.y0), QPoint(z.x1, z.y1)));
        benchmark::DoNotOptimize(c.image.constBits());
    }
}
BENCHMARK(BM_GlisserPoint)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_RedessinerCalque_anchor(benchmark::State& state) {
    QImage calque = grand_fond().copy();
    for (auto _ : state) {
        std::memcpy(calque.bits(), grand_fond().constBits(), static_cast<std::size_t>(grand_fond().sizeInBytes()));
        benchmark::DoNotOptimize(calque.constBits());
    }
}
BENCHMARK(BM_RedessinerCalque_anchor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
