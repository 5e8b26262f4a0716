// The zone import of a large project: 500 spaces (rooms and units) over 10 stories, into a fresh
// project each time. Reports the time, the host's API calls and the memory handles allocated per zone.
#include "Builders/SpacesImport.hpp"
#include "Builders/ZoneBuilder.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/Stories.hpp"

#include <benchmark/benchmark.h>

namespace {

constexpr int StoryCount = 10;
constexpr int SpacesPerStory = 50;
constexpr double StoryHeightMm = 3000.0;
// Five of the project's own categories and one it lacks, which every lookup form is tried for.
constexpr const char* Categories[] = {"Bedroom",     "Kitchen",     "Bathroom",
                                      "Living Area", "Circulation", "Loggia"};
// Every tenth space of a story is a unit.
constexpr int UnitEvery = 10;

Tolva::TolvaPolygon Square(double x, double y, double side) {
    Tolva::TolvaPolyline ring;
    ring.points.Push({x, y, 0});
    ring.points.Push({x + side, y, 0});
    ring.points.Push({x + side, y + side, 0});
    ring.points.Push({x, y + side, 0});
    Tolva::TolvaPolygon polygon;
    polygon.polylines.Push(ring);
    return polygon;
}

Tolva::SpacesData Project() {
    Tolva::SpacesData data;
    for (const char* category : Categories) {
        Tolva::SpaceType type;
        type.id = GS::UniString("st-") + category;
        type.className = category;
        type.displayName = category;
        data.spaceTypes.Push(type);
    }
    for (int story = 0; story < StoryCount; ++story) {
        for (int i = 0; i < SpacesPerStory; ++i) {
            Tolva::TolvaSpace space;
            const double x = (i % 10) * 4000.0;
            const double y = (i / 10) * 4000.0;
            space.polygon = Square(x, y, 4000.0);
            space.labelPosition = {x + 2000, y + 2000, story * StoryHeightMm};
            space.storyLevel = story;
            if (i % UnitEvery == 0) {
                space.spaceTypeId = GS::UniString::Printf("UNIT:b1-%d-u%d:b1-%d", story, i, story);
                space.labelPosition.z = 0;
            } else {
                space.spaceTypeId = data.spaceTypes[i % data.spaceTypes.GetSize()].id;
            }
            data.spaces.Push(space);
        }
    }
    return data;
}

Tolva::BuildingData Stories() {
    Tolva::BuildingData building;
    for (int story = 0; story < StoryCount; ++story) {
        Tolva::TolvaStory record;
        record.id = GS::UniString::Printf("b1-%d", story);
        record.heightOffset = story * StoryHeightMm;
        building.stories.Push(record);
    }
    return building;
}

void FreshProject() {
    StandIn::ResetHost();
    StandIn::Settings().stories.assign(StoryCount, {"Story", StoryHeightMm / 1000.0});
    Tolva::Builders::ZoneBuilder::InvalidateCategoryCache();
}

void ImportSpaces(benchmark::State& state) {
    const Tolva::SpacesData data = Project();
    const Tolva::BuildingData building = Stories();
    const auto zones = static_cast<double>(data.spaces.GetSize());
    double apiCalls = 0;
    double handles = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FreshProject();
        state.ResumeTiming();
        GS::UniString summary;
        const GSErrCode err = ACAPI_CallUndoableCommand("Import Tolva Zones", [&] {
            return Tolva::Builders::BuildingOrchestrator::ImportSpaces(data, summary, &building);
        });
        if (err != NoError || StandIn::TheModel().elements.empty()) {
            state.SkipWithError("the import failed");
            break;
        }
        apiCalls = StandIn::Faults::ApiCallCount();
        handles = StandIn::Faults::CallCount("BMAllocateHandle");
    }
    state.counters["zones"] = zones;
    state.counters["time_per_zone"] = benchmark::Counter(
        zones, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["api_calls_per_zone"] = apiCalls / zones;
    state.counters["handles_per_zone"] = handles / zones;
}

BENCHMARK(ImportSpaces)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
