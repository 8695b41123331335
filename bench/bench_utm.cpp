// UTM conversions against GeographicLib's transverse Mercator on the same points and meridians.
// Run: ./bench_utm --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include "core/geo/UTMLaLo.h"

#include <GeographicLib/TransverseMercator.hpp>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

struct Point {
    long double lat, lon;
    long double meridien;
    std::uint8_t zone;
    vuv::Hemisphere h;
    long double est, nord;
};

// Latitudes -80 to 84, all longitudes, always the same.
const std::vector<Point>& points(std::size_t n) {
    static std::vector<Point> p;
    if (p.size() == n) return p;
    p.clear();
    p.reserve(n);
    std::mt19937_64 alea(20260514);
    std::uniform_real_distribution<double> lat(-80, 84), lon(-180, 180);
    for (std::size_t i = 0; i < n; ++i) {
        Point q{};
        q.lat = lat(alea);
        q.lon = lon(alea);
        const vuv::PositionUTM u = vuv::LatLongToUTM(vuv::WGS_84, q.lat, q.lon);
        q.meridien = u.LongOrigin;
        q.zone = u.Zone;
        q.h = q.lat < 0 ? vuv::Hemisphere::South : vuv::Hemisphere::North;
        q.est = u.Easting;
        q.nord = u.Northing;
        p.push_back(q);
    }
    return p;
}

void BM_Utm(benchmark::State& state) {
    const auto& p = points(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        long double somme = 0;
        for (const Point& q : p) {
            const vuv::PositionUTM u = vuv::LatLongToUTM(vuv::WGS_84, q.lat, q.lon);
            somme += u.Easting + u.Northing + u.Zone + u.Letter;
        }
        benchmark::DoNotOptimize(somme);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Utm)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_Utm_anchor(benchmark::State& state) {
    const auto& p = points(static_cast<std::size_t>(state.range(0)));
    const GeographicLib::TransverseMercator& tm = GeographicLib::TransverseMercator::UTM();
    for (auto _ : state) {
        double somme = 0;
        for (const Point& q : p) {
            double x, y;
            tm.Forward(static_cast<double>(q.meridien), static_cast<double>(q.lat), static_cast<double>(q.lon), x, y);
            somme += x + y;
        }
        benchmark::DoNotOptimize(somme);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Utm_anchor)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_UtmInverse(benchmark::State& state) {
    const auto& p = points(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        long double somme = 0;
        for (const Point& q : p) {
            const vuv::LatLong g = vuv::UTMToLatLong(vuv::WGS_84, q.zone, q.h, q.est, q.nord);
            somme += g.Lat + g.Long;
        }
        benchmark::DoNotOptimize(somme);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_UtmInverse)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_UtmInverse_anchor(benchmark::State& state) {
    const auto& p = points(static_cast<std::size_t>(state.range(0)));
    const GeographicLib::TransverseMercator& tm = GeographicLib::TransverseMercator::UTM();
    for (auto _ : state) {
        double somme = 0;
        for (const Point& q : p) {
            const double x = static_cast<double>(q.est) - 500000;
            const double y = static_cast<double>(q.nord) - (q.h == vuv::Hemisphere::South ? 10000000 : 0);
            double lat, lon;
            tm.Reverse(static_cast<double>(q.meridien), x, y, lat, lon);
            somme += lat + lon;
        }
        benchmark::DoNotOptimize(somme);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_UtmInverse_anchor)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
