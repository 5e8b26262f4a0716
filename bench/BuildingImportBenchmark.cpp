#include "ACAPinc.h"
#include "Builders/BuildingImport.hpp"
#include "Builders/StoryMappingUtils.hpp"
#include "Builders/WallCollectors.hpp"
#include "BuildingVariantGenerator.hpp"
#include "Logging/SentryLogger.hpp"
#include "Main/ProjectEvents.hpp"
#include "Parsers/BuildingDataParser.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Host.hpp"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace Tolva::Builders::BuildingOrchestrator;

GS::UniString Text(const std::string& text) {
    return GS::UniString(text.c_str(), CC_UTF8);
}

Tolva::BuildingData Variant(int stories, int unitsPerStory) {
    const BuildingGenerator::VariantTexts texts =
        BuildingGenerator::GenerateVariant({stories, unitsPerStory});
    Tolva::BuildingData building;
    GS::UniString error;
    if (!Tolva::Parsers::ParseBuildingData(Text(texts.stories), Text(texts.units), Text(texts.transitions),
                                           Text(texts.furnitureInstances), Text(texts.furnitureTemplates),
                                           building, error)) {
        std::abort();
    }
    return building;
}

// The candidate wall segments the import collects, each story on its own floor.
double CandidateSegments(const Tolva::BuildingData& building) {
    Tolva::Builders::ElevationFloorMap map;
    StoryHeightTable heights;
    StoryFloorTable floors;
    for (const Tolva::TolvaStory& story : building.stories) {
        const auto floor = static_cast<short>(map.GetSize());
        map.Add(story.heightOffset, floor);
        heights.Add(story.id, story.height);
        floors.Add(story.id, floor);
    }
    GS::Array<WallSegment> segments;
    CollectStoryWalls(building, map, 0, 500.0, segments);
    CollectUnitWalls(building, heights, floors, 500.0, segments);
    CollectFacadeWalls(building, map, 0, 500.0, segments);
    return static_cast<double>(segments.GetSize());
}

void FreshProject(const char* addOnPath) {
    StandIn::ResetHost();
    StandIn::NewProject();
    StandIn::Host().ownLocation = addOnPath;
    ProjectEventHandler(APINotify_New, 0);
}

// The whole import of stories x units per story (50 unless given) into a new project, in its
// undoable step. The stories series shows growth with the building's height; the units series (10 x
// 200, 20 x 100, 40 x 50: the same doors and walls) growth with the units on one floor.
void WholeImport(benchmark::State& state) {
    const int unitsPerStory = state.range(1) > 0 ? static_cast<int>(state.range(1)) : 50;
    const Tolva::BuildingData building = Variant(static_cast<int>(state.range(0)), unitsPerStory);
    const double segments = CandidateSegments(building);
    for (auto _ : state) {
        state.PauseTiming();
        FreshProject(TOLVA_ADDON_PATH);
        state.ResumeTiming();
        GS::UniString summary;
        const GSErrCode err = ACAPI_CallUndoableCommand("Import Tolva Building",
                                                        [&] { return ImportBuilding(building, summary); });
        if (err != NoError) {
            state.SkipWithError("the import failed");
        }
    }
    state.counters["segments"] = segments;
    state.counters["per_segment"] = benchmark::Counter(
        segments, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(WholeImport)
    ->ArgNames({"stories", "units"})
    ->Args({10, 50})
    ->Args({20, 50})
    ->Args({40, 50})
    ->Args({10, 200})
    ->Args({20, 100})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3);

} // namespace

int main(int argc, char** argv) {
    // Error reporting stays off, as in the tests.
    StandIn::Faults::Arm("sentry_init", 1);
    SentryLogger::EnsureInitialized();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
