#pragma once

#include "UniString.hpp"

#include <rapidjson/document.h>

#include <optional>

// The parts of importPlan's argument object.
namespace JSCommands::PlanImportCommands {

struct ReferencePoint {
    double x = 0; // mm
    double y = 0; // mm
};

// Why the argument was refused: the line for the report window and the text for the page.
struct ArgumentFailure {
    GS::UniString logText;
    GS::UniString resultText;
};

// The point given as "reference", or else the one last clicked for a room.
std::optional<ReferencePoint> ResolveReferencePoint(const rapidjson::Value& parameters,
                                                    ArgumentFailure& failure);

// {"planTemplate": <the given value>}, compact, as the plan template parser reads it.
GS::UniString ExtractPlanTemplateJson(const rapidjson::Value& planTemplate);

} // namespace JSCommands::PlanImportCommands
