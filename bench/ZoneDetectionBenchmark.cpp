#include "StandIn/ZoneGeometry.hpp"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using StandIn::ZoneGeometry::WallFootprint;

// A story of cells x cells rooms of 4 m, each cell edge one wall: 2 k (k + 1) walls.
std::vector<WallFootprint> GridOfRooms(int cells) {
    std::vector<WallFootprint> walls;
    for (int i = 0; i <= cells; ++i) {
        for (int j = 0; j < cells; ++j) {
            walls.push_back({{4.0 * i, 4.0 * j}, {4.0 * i, 4.0 * (j + 1)}, 0.2, APIWallRefLine_Center});
            walls.push_back({{4.0 * j, 4.0 * i}, {4.0 * (j + 1), 4.0 * i}, 0.2, APIWallRefLine_Center});
        }
    }
    return walls;
}

void Detect(benchmark::State& state, StandIn::ZoneGeometry::Method method) {
    std::vector<WallFootprint> walls = GridOfRooms(static_cast<int>(state.range(0)));
    API_Coord middle = {2.0 + 4.0 * static_cast<double>(state.range(0) / 2), 2.0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(StandIn::ZoneGeometry::DetectBoundary(walls, middle, method));
    }
    state.counters["walls"] = static_cast<double>(walls.size());
}

void ByReferenceLines(benchmark::State& state) {
    Detect(state, StandIn::ZoneGeometry::Method::ReferenceLine);
}

void ByInnerEdges(benchmark::State& state) {
    Detect(state, StandIn::ZoneGeometry::Method::InnerEdge);
}

// 112, 544, 1984, 9940 and 50244 walls.
BENCHMARK(ByReferenceLines)->Arg(7)->Arg(16)->Arg(31)->Arg(70)->Arg(158)->Unit(benchmark::kMillisecond);
BENCHMARK(ByInnerEdges)->Arg(7)->Arg(16)->Arg(31)->Arg(70)->Arg(158)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
