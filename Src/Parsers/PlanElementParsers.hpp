#pragma once

#include "Model/PlanTemplate.hpp"

#include <rapidjson/document.h>

// Element parsers of the plan records, shared with the building and the spaces parsers.
namespace Tolva::Parsers {

bool ParsePlanContainer(const rapidjson::Value& value, PlanContainer& container);
bool ParseSpaceType(const rapidjson::Value& value, SpaceType& spaceType);
bool ParseTransition(const rapidjson::Value& value, Transition& transition);
// Takes only the types "plan_object" and "plan_object_instance"; leaves the objectType to the caller.
bool ParseFurnitureObject(const rapidjson::Value& value, FurnitureObject& item);
bool ParseFurnitureTemplate(const rapidjson::Value& value, FurnitureTemplate& furnitureTemplate);

// What the callers keep of the furniture lists.
inline bool IsFurniture(const GS::UniString& objectType) {
    return objectType == "furniture";
}

} // namespace Tolva::Parsers
