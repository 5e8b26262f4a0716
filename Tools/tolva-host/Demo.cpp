#include "Demo.hpp"

#include "PageSteps.hpp"
#include "PaletteSteps.hpp"
#include "SideBySide.hpp"
#include "StandIn/Palettes.hpp"
#include "StandIn/PlanDrawing.hpp"
#include "StandIn/Project.hpp"
#include "TolvaResourceIDs.h"

#include <rapidjson/document.h>

#include <fstream>

namespace {

const GS::Guid PlanPalette("{B3C7E5F1-9A2D-4E6F-8B4C-1D7F6E3A9C2B}");
// What the page last reported after the prefix ("selection ", "import "), or empty text.
std::string LastPageReport(const std::string& prefix) {
    std::string last;
    for (const GS::UniString& report : PageReports()) {
        const std::string text = report.ToCStr(CC_UTF8).Get();
        if (text.rfind(prefix, 0) == 0) {
            last = text.substr(prefix.size());
        }
    }
    return last;
}

// The envelope's message or error text, as the user reads it.
std::string EnvelopeText(const std::string& envelope) {
    rapidjson::Document document;
    document.Parse(envelope.c_str());
    if (document.HasParseError() || !document.IsObject()) {
        return envelope;
    }
    for (const char* member : {"message", "error"}) {
        if (document.HasMember(member) && document[member].IsString()) {
            return document[member].GetString();
        }
    }
    return envelope;
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

// Generate Plan with a click at (x, y), what the page received, and the plan it imported there.
void GeneratePlanAt(HostProgram& host, double x, double y, const std::string& drawingPath) {
    std::ostream& out = host.Out();
    const short story = StandIn::TheModel().activeStory;
    const std::string before = StandIn::DrawStory(story);
    out << "Pressing Generate Plan and clicking at (" << x << ", " << y << ")\n";
    StandIn::QueuePointAnswer({NoError, {x, y, 0}});
    PressButton(PlanPalette, "Generate Plan");
    PrintPalette(out, PlanPalette);
    const std::string selection = LastPageReport("selection ");
    if (selection.empty()) {
        out << "The page received no room\n";
    } else {
        out << "The page called getSelection and received:\n" << selection << "\n";
    }
    const std::string answer = LastPageReport("import ");
    if (!answer.empty()) {
        out << "The page called importPlan and received:\n" << EnvelopeText(answer) << "\n";
    }
    if (!drawingPath.empty()) {
        std::ofstream(drawingPath) << SideBySide("Before", before,
                                                 "After the import (the room's edges marked)",
                                                 StandIn::DrawStory(story, EdgesOf(selection)));
        out << "Drew the story before and after, the room's edges marked (outer edges in red): "
            << drawingPath << "\n";
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
