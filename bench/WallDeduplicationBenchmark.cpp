// DeduplicateWallSegments against hashing the same segments alone (their key into a table of the
// same kind, one look-up each), on the candidate walls of generated buildings of 10, 20 and 40
// stories of 50 units. items_per_second counts segments, so time per segment is its inverse. The
// aims: de-duplication within 1.5 times the hashing, and the same time per segment at every size.
#include "Builders/WallCollectors.hpp"
#include "Builders/WallDeduplication.hpp"
#include "StandIn/Driver.hpp"
#include "SyntheticBuilding.hpp"

#include <benchmark/benchmark.h>

#include <map>
#include <unordered_map>

namespace {

using namespace Tolva::Builders::BuildingOrchestrator;

constexpr double Tolerance = 500.0;

const GS::Array<WallSegment>& CandidateWalls(int stories) {
    static std::map<int, GS::Array<WallSegment>> sets;
    GS::Array<WallSegment>& segments = sets[stories];
    if (segments.IsEmpty()) {
        const Tolva::BuildingData building = MakeSyntheticBuilding(stories);
        Tolva::Builders::ElevationFloorMap elevations;
        StoryHeightTable heights;
        StoryFloorTable floors;
        for (short s = 0; s < stories; ++s) {
            elevations.Add(s * 3000.0, s);
            heights.Add(building.stories[s].id, building.stories[s].height);
            floors.Add(building.stories[s].id, s);
        }
        CollectStoryWalls(building, elevations, 0, Tolerance, segments);
        CollectUnitWalls(building, heights, floors, Tolerance, segments);
        CollectFacadeWalls(building, elevations, 0, Tolerance, segments);
    }
    return segments;
}

struct KeyHash {
    size_t operator()(const WallSegmentKey& key) const { return key.GenerateHashValue(); }
};

void HashSegmentsAlone(benchmark::State& state) {
    const GS::Array<WallSegment>& segments = CandidateWalls(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::unordered_map<WallSegmentKey, Int32, KeyHash> table;
        table.reserve(segments.GetSize());
        Int32 index = 0;
        for (const WallSegment& segment : segments) {
            table.try_emplace(MakeWallSegmentKey(segment, 2.0 * Tolerance), index++);
        }
        benchmark::DoNotOptimize(table.size());
    }
    state.SetItemsProcessed(state.iterations() * segments.GetSize());
    state.counters["segments"] = segments.GetSize();
}

void Deduplicate(benchmark::State& state) {
    const GS::Array<WallSegment>& segments = CandidateWalls(static_cast<int>(state.range(0)));
    USize kept = 0;
    for (auto _ : state) {
        kept = DeduplicateWallSegments(segments, Tolerance).GetSize();
        state.PauseTiming();
        StandIn::Host().report.clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * segments.GetSize());
    state.counters["segments"] = segments.GetSize();
    state.counters["kept"] = kept;
}

BENCHMARK(HashSegmentsAlone)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMicrosecond);
BENCHMARK(Deduplicate)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
