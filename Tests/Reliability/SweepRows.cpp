#include "SweepRows.hpp"

#include "ExampleArguments.hpp"

#include <regex>

namespace {

GS::Ref<JS::Base> Text(const std::string& text) {
    return GS::NewRef<JS::Value>(GS::UniString(text.c_str(), CC_UTF8));
}

GS::Ref<JS::Base> None() {
    return GS::Ref<JS::Base>();
}

// The number after "LABEL: " in the text at or after `from`, or -1.
int NumberAfter(const std::string& text, const std::string& label, size_t from = 0) {
    const size_t at = text.find(label + ": ", from);
    return at == std::string::npos ? -1 : std::stoi(text.substr(at + label.size() + 2));
}

GS::Ref<JS::Base> PlanArgument() {
    return Text(ExamplePlanArgument(true));
}

GS::Ref<JS::Base> BuildingArgument() {
    auto texts = GS::NewRef<JS::Array>();
    for (const std::string& text : ExampleBuildingTexts("examples/buildings/tower/")) {
        texts->AddItem(Text(text));
    }
    return texts;
}

GS::Ref<JS::Base> ZonesArgument() {
    return Text(ExampleFilesArgument());
}

std::map<API_ElemTypeID, int> PlanCounts(const std::string& summary) {
    const size_t created = summary.find("Created:");
    return {{API_WallID, NumberAfter(summary, "Walls", created)},
            {API_ZoneID, NumberAfter(summary, "Zones", created)},
            {API_DoorID, NumberAfter(summary, "Doors", created)},
            {API_ObjectID, std::max(0, NumberAfter(summary, "Furniture", created))}};
}

std::map<API_ElemTypeID, int> BuildingCounts(const std::string& summary) {
    const size_t created = summary.find("Created:");
    return {{API_SlabID, NumberAfter(summary, "Slabs", created)},
            {API_ZoneID, NumberAfter(summary, "GFA Zones", created)},
            {API_WallID, NumberAfter(summary, "Walls", created)},
            {API_DoorID, NumberAfter(summary, "Doors", created)},
            {API_ObjectID, std::max(0, NumberAfter(summary, "Furniture", created))}};
}

std::map<API_ElemTypeID, int> ZoneCounts(const std::string& summary) {
    std::smatch match;
    if (std::regex_search(summary, match, std::regex("(?:Successfully created all|Created:) (\\d+) zones"))) {
        return {{API_ZoneID, std::stoi(match[1])}};
    }
    return {{API_ZoneID, -1}};
}

} // namespace

std::vector<SweepRow> SweepRows() {
    const std::vector<API_ElemTypeID> everything = {API_WallID,  API_SlabID, API_ZoneID, API_ObjectID,
                                                    API_MorphID, API_MeshID, API_LineID, API_PolyLineID};
    return {
        {"getZoneAtPoint", "apartment.json", {}, {3, 4, 0}, None, {}},
        {"getContext", "masses.json", everything, {}, None, {}},
        {"getBuildingMassAsJson", "masses.json", {API_MorphID}, {}, None, {}},
        {"getGridlines", "site-grid.json", {API_ObjectID}, {}, None, {}},
        {"getCenterlines", "site-grid.json", {API_LineID, API_PolyLineID}, {}, None, {}},
        {"getSelection", "apartment.json", {API_ZoneID, API_WallID}, {}, None, {}},
        {"getWorkingUnits", "apartment.json", {}, {}, None, {}},
        {"importPlan", "apartment.json", {}, {}, PlanArgument, PlanCounts},
        {"importBuildingFromVariantData", "new-project.json", {}, {}, BuildingArgument, BuildingCounts},
        {"importZonesFromSpaces", "harbour-row.json", {}, {}, ZonesArgument, ZoneCounts},
    };
}
