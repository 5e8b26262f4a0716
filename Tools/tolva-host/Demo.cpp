#include "Demo.hpp"

#include "PageSteps.hpp"
#include "PaletteSteps.hpp"
#include "StandIn/Palettes.hpp"
#include "StandIn/Project.hpp"
#include "TolvaResourceIDs.h"

#include <rapidjson/document.h>

namespace {

const GS::Guid PlanPalette("{B3C7E5F1-9A2D-4E6F-8B4C-1D7F6E3A9C2B}");
constexpr const char* SelectionReport = "selection ";

// The zone boundary JSON the page last received, or empty text.
std::string LastSelection() {
    std::string last;
    for (const GS::UniString& report : PageReports()) {
        const std::string text = report.ToCStr(GS::CC_UTF8).Get();
        if (text.rfind(SelectionReport, 0) == 0) {
            last = text.substr(std::string(SelectionReport).size());
        }
    }
    return last;
}

// The boundary's edges in metres; "outer" ones emphasised.
std::vector<StandIn::PlanMark> EdgesOf(const std::string& zoneJson) {
    std::vector<StandIn::PlanMark> marks;
    rapidjson::Document document;
    document.Parse(zoneJson.c_str());
    if (document.HasParseError() || !document.IsObject() || !document.HasMember("adjacentSegments")) {
        return marks;
    }
    for (const auto& segment : document["adjacentSegments"].GetArray()) {
        const auto& points = segment["lineSegment"]["points"];
        marks.push_back({{points[0][0].GetDouble() / 1000, points[0][1].GetDouble() / 1000},
                         {points[1][0].GetDouble() / 1000, points[1][1].GetDouble() / 1000},
                         std::string(segment["type"].GetString()) == "outer"});
    }
    return marks;
}

// Generate Plan with a click at (x, y), and what the page received.
void GeneratePlanAt(HostProgram& host, double x, double y, const std::string& drawingPath) {
    std::ostream& out = host.Out();
    out << "Pressing Generate Plan and clicking at (" << x << ", " << y << ")\n";
    StandIn::QueuePointAnswer({NoError, {x, y, 0}});
    PressButton(PlanPalette, "Generate Plan");
    PrintPalette(out, PlanPalette);
    const std::string selection = LastSelection();
    if (selection.empty()) {
        out << "The page received no room\n";
    } else {
        out << "The page called getSelection and received:\n" << selection << "\n";
    }
    if (!drawingPath.empty()) {
        host.SaveDrawing(drawingPath, std::nullopt, EdgesOf(selection));
        out << "Drew the story with the room's edges (outer edges in red): " << drawingPath << "\n";
    }
}

} // namespace

void RunDemo(HostProgram& host, double x, double y, const std::string& drawingPath) {
    std::ostream& out = host.Out();
    out << "Loaded the add-on:\n";
    host.PrintInfo();
    out << "Choosing Tolva > Launch Tolva (Beta)\n";
    host.ChooseMenuItem(ID_ADDON_MENU, ID_ADDON_MENU_LAUNCH_ITEM);
    if (StandIn::FindPalette(PlanPalette) == nullptr) {
        // The add-on refused to open, as when its version is no longer allowed.
        out << "The plan generation palette did not open\n";
    } else {
        GeneratePlanAt(host, x, y, drawingPath);
    }
    out << "Quitting\n";
    host.Quit();
}
