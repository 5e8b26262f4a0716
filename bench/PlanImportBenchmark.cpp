#include "DGBrowser.hpp"
#include "DGModule.hpp"
#include "StandIn/AddOnModule.hpp"
#include "StandIn/DialogDriver.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Palettes.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/ProjectFile.hpp"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

// importPlan as the page calls it, on plans of n rooms of 4 x 4 m in a grid inside one walled hall:
// the walls between the rooms, a door and a piece of furniture in each room, a zone per room.
namespace {

constexpr double Cell = 4000; // mm
constexpr Int32 BrowserPaletteRef = static_cast<Int32>(2513767824u);

struct Grid {
    int columns;
    int rows;
};

Grid GridFor(int rooms) {
    const int columns = static_cast<int>(std::ceil(std::sqrt(rooms)));
    return {columns, (rooms + columns - 1) / columns};
}

std::string Point(double x, double y) {
    std::ostringstream out;
    out << "[" << x << "," << y << ",0]";
    return out.str();
}

std::string Ring(double x, double y, double size) {
    return "{\"type\":\"polyline\",\"points\":[" + Point(x, y) + "," + Point(x + size, y) + "," +
           Point(x + size, y + size) + "," + Point(x, y + size) + "]}";
}

std::string Square(double x, double y, double size) {
    return "{\"type\":\"polygon\",\"polylines\":[" + Ring(x, y, size) + "]}";
}

// The plan's wall graph: every grid line between two grid points, the hall's outline left to the story.
std::string WallGuides(const Grid& grid) {
    std::ostringstream vertices, edges, guides;
    auto vertex = [&](int i, int j) { return j * (grid.columns + 1) + i; };
    for (int j = 0; j <= grid.rows; ++j) {
        for (int i = 0; i <= grid.columns; ++i) {
            vertices << (vertex(i, j) ? "," : "") << Point(i * Cell, j * Cell);
        }
    }
    int edge = 0;
    auto add = [&](int a, int b, bool outline) {
        edges << (edge ? "," : "") << "[" << a << "," << b << "]";
        guides << (edge ? "," : "") << "\"" << edge << "\":{\"source\":\""
               << (outline ? "story-plan" : "unit-plan")
               << "\",\"geometry\":{\"type\":\"simple\",\"width\":100}}";
        ++edge;
    };
    for (int j = 0; j <= grid.rows; ++j) {
        for (int i = 0; i <= grid.columns; ++i) {
            if (i < grid.columns) {
                add(vertex(i, j), vertex(i + 1, j), j == 0 || j == grid.rows);
            }
            if (j < grid.rows) {
                add(vertex(i, j), vertex(i, j + 1), i == 0 || i == grid.columns);
            }
        }
    }
    return "{\"edgeGraph\":{\"edges\":[" + edges.str() + "],\"vertices\":[" + vertices.str() +
           "]},\"guides\":{" + guides.str() + "}}";
}

std::string Plan(int rooms) {
    const Grid grid = GridFor(rooms);
    std::ostringstream containers, doors, furniture;
    for (int k = 0; k < rooms; ++k) {
        const double x = (k % grid.columns) * Cell, y = (k / grid.columns) * Cell;
        const std::string id = std::to_string(k);
        containers
            << (k ? "," : "") << "{\"type\":\"container\",\"containedPlanType\":\"room\",\"id\":\"room-" << id
            << "\",\"bounds\":" << Square(x, y, Cell) << ",\"referencePoint\":" << Point(x + 2000, y + 2000)
            << ",\"transform\":[1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1],\"tagIds\":[],\"spaceTypeId\":\"st-room\"}";
        doors << (k ? "," : "") << "{\"id\":\"door-" << id
              << "\",\"type\":\"door\",\"location\":" << Point(x + 2000, y)
              << ",\"direction\":[0,1,0],\"definitionId\":\"door\"}";
        furniture << (k ? "," : "") << "{\"id\":\"item-" << id
                  << "\",\"type\":\"plan_object\",\"location\":" << Point(x + 2000, y + 2000)
                  << ",\"direction\":[0,1,0],\"planObjectTemplateId\":\"tpl-table\"}";
    }
    return "{\"type\":\"plan\",\"planType\":\"unit\",\"id\":\"bench\",\"bounds\":" +
           Square(0, 0, grid.columns * Cell) + ",\"subContainers\":[" + containers.str() +
           "],\"transitions\":[" + doors.str() + "],\"wallGuides\":" + WallGuides(grid) +
           ",\"spaceTypes\":[{\"id\":\"st-room\",\"class\":\"residential\",\"color\":\"#F2C94C\","
           "\"displayName\":\"Room\"}],"
           "\"planObjects\":[" +
           furniture.str() +
           "],\"planObjectTemplates\":[{\"id\":\"tpl-table\",\"name\":\"Table\",\"bounds\":" +
           Square(-400, -400, 800) + ",\"shape2d\":[" + Ring(-400, -400, 800) + "]}]}";
}

// The hall: four walls around the grid and its zone, in a new project, saved as a project file.
std::string Hall(const Grid& grid) {
    StandIn::NewProject();
    const double w = grid.columns * Cell / 1000, h = grid.rows * Cell / 1000;
    const API_Coord corners[5] = {{0, 0}, {w, 0}, {w, h}, {0, h}, {0, 0}};
    for (int k = 0; k < 4; ++k) {
        API_Element wall = {};
        wall.header.type = API_WallID;
        ACAPI_Element_GetDefaults(&wall, nullptr);
        wall.wall.begC = corners[k];
        wall.wall.endC = corners[k + 1];
        StandIn::PlantElement(&wall, nullptr);
    }
    API_Element zone = {};
    zone.header.type = API_ZoneID;
    ACAPI_Element_GetDefaults(&zone, nullptr);
    StandIn::StoredMemo outline;
    outline.coords = {{}, corners[0], corners[1], corners[2], corners[3], corners[4]};
    outline.pends = {0, 5};
    StandIn::PlantElement(&zone, &outline);
    return StandIn::SaveProject();
}

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
    }
    return quoted + "\"";
}

void ImportPlanThroughThePage(benchmark::State& state) {
    const int rooms = static_cast<int>(state.range(0));
    const std::filesystem::path hall =
        std::filesystem::temp_directory_path() / ("tolva-bench-hall-" + std::to_string(rooms) + ".json");
    const std::string argument =
        Quoted("{\"reference\":{\"x\":1000,\"y\":1000},\"planTemplate\":" + Plan(rooms) + "}");

    StandIn::ResetHost();
    { std::ofstream(hall) << Hall(GridFor(rooms)); }
    auto module = std::make_unique<StandIn::AddOnModule>(TOLVA_ADDON_PATH);
    API_EnvirParams envir = {};
    if (module->StartUp(&envir) != NoError) {
        state.SkipWithError("the add-on did not start");
        return;
    }
    StandIn::SendPaletteMessage(BrowserPaletteRef, APIPalMsg_OpenPalette);
    DG::Palette* palette = StandIn::FindPalette(GS::Guid("{FEE27B6B-3873-4834-98B5-F0081AA4CD45}"));
    auto& page = StandIn::DialogDriver::PageOf(dynamic_cast<DG::Browser&>(*palette->GetItem(1)));
    page.SetTimeLimit(std::chrono::minutes(10));
    size_t created = 0;
    for (auto _ : state) {
        state.PauseTiming();
        StandIn::OpenProjectFile(hall.string());
        StandIn::Host().report.clear();
        const size_t before = StandIn::TheModel().elements.size();
        state.ResumeTiming();
        const std::string answer = page.CallObjectFunction("ACAPI", "importPlan", argument).text;
        state.PauseTiming();
        created = StandIn::TheModel().elements.size() - before;
        if (answer.find("\"success\":true") == std::string::npos) {
            state.SkipWithError(answer.c_str());
        }
        state.SetLabel(answer);
        state.ResumeTiming();
    }
    state.counters["created"] = static_cast<double>(created);
    state.counters["per_element"] =
        benchmark::Counter(static_cast<double>(created) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    StandIn::QuitApplication();
    module.reset();
    StandIn::ResetHost();
}

BENCHMARK(ImportPlanThroughThePage)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
