// ParsePlanTemplate against a bare RapidJSON DOM parse of the same text, on generated plans of 1, 10
// and 50 MB. Both parse into fresh memory each time, as importPlan does, so the ratio compares like
// with like; "MB/s" is the bytes_per_second counter. The aim is a ratio within 1.6 and the same MB/s
// at every size.
#include "Parsers/PlanTemplateParser.hpp"

#include <benchmark/benchmark.h>
#include <rapidjson/document.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

std::string Point(double x, double y) {
    char text[64];
    std::snprintf(text, sizeof text, "[%.1f, %.1f, 0]", x, y);
    return text;
}

std::string Square(double x, double y, double size) {
    return R"({"type": "polygon", "polylines": [{"type": "polyline", "points": [)" + Point(x, y) + ", " +
           Point(x + size, y) + ", " + Point(x + size, y + size) + ", " + Point(x, y + size) + "]}]}";
}

// A plan-shaped text of about the given size: rooms with wall guides, doors and furniture.
std::string GeneratePlan(size_t bytes) {
    std::string containers, transitions, objects;
    for (int i = 0; containers.size() + transitions.size() + objects.size() < bytes; ++i) {
        double x = (i % 100) * 4000.0, y = (i / 100) * 4000.0;
        if (i > 0) {
            containers += ",\n";
            transitions += ",\n";
            objects += ",\n";
        }
        containers +=
            R"({"type": "container", "containedPlanType": "room", "id": "room-)" + std::to_string(i) +
            R"(", "bounds": )" + Square(x, y, 4000) +
            R"(, "boundsWallGuideSegments": [{"source": "unit-plan", "lineSegment": {"type": "polyline",
                      "points": [)" +
            Point(x, y) + ", " + Point(x + 4000, y) +
            R"(]}, "geometry": {"type": "simple", "width": 100}}], "transform": [1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1],
                      "tagIds": ["tag-a"], "referencePoint": )" +
            Point(x + 2000, y + 2000) + R"(, "spaceTypeId": "st-living"})";
        transitions += R"({"id": "door-)" + std::to_string(i) + R"(", "type": "door", "location": )" +
                       Point(x + 2000, y) + R"(, "direction": [0, 1, 0], "definitionId": "door-single-900",
                       "transforms": {"center": [1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1]}})";
        objects += R"({"id": "obj-)" + std::to_string(i) + R"(", "type": "plan_object", "location": )" +
                   Point(x + 1000, y + 1000) +
                   R"(, "direction": [0, 1, 0], "planObjectTemplateId": "tpl-sofa"})";
    }
    return R"({"planTemplate": {"type": "plan", "planType": "unit", "id": "bench", "subContainers": [)" +
           containers + R"(], "transitions": [)" + transitions + R"(], "planObjects": [)" + objects + "]}}";
}

const std::string& PlanText(size_t megabytes) {
    static std::map<size_t, std::string> texts;
    std::string& text = texts[megabytes];
    if (text.empty()) {
        text = GeneratePlan(megabytes << 20);
    }
    return text;
}

void ParseBareDom(const std::string& text) {
    rapidjson::Document document;
    document.Parse(text.c_str());
    benchmark::DoNotOptimize(document.IsObject());
}

void BareDomParse(benchmark::State& state) {
    const std::string& text = PlanText(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        ParseBareDom(text);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

double SecondsOf(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each iteration also times a bare DOM parse of the same text, so that "ratio" (the parse's time over
// the bare parse's) compares the two under the same conditions.
void ParsePlanTemplate(benchmark::State& state) {
    const std::string& narrow = PlanText(static_cast<size_t>(state.range(0)));
    GS::UniString text(narrow.c_str());
    double parseSeconds = 0;
    double bareSeconds = 0;
    for (auto _ : state) {
        // The plan is released outside the timed part: that is the model's cost, not the parse's.
        Tolva::PlanTemplate plan;
        double seconds = SecondsOf([&] {
            GS::UniString errorText;
            bool parsed = Tolva::Parsers::ParsePlanTemplate(text, plan, errorText);
            benchmark::DoNotOptimize(parsed);
        });
        state.SetIterationTime(seconds);
        parseSeconds += seconds;
        bareSeconds += SecondsOf([&] { ParseBareDom(narrow); });
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * narrow.size()));
    state.counters["ratio"] = parseSeconds / bareSeconds;
}

} // namespace

BENCHMARK(BareDomParse)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(ParsePlanTemplate)->Arg(1)->Arg(10)->Arg(50)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
