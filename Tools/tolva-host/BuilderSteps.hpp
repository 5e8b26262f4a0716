#pragma once

#include <rapidjson/document.h>

#include <ostream>

// Session steps that run one of the add-on's builders on plan-format JSON, each in one undo step,
// so that a builder can be tried alone and its result looked at in the drawing.

// "wallGuides" (the plan's wall guides), "skipStoryPlan": walls from the guide graph.
void BuildWalls(std::ostream& out, const rapidjson::Value& step, short story);
// "polygon" (outline and holes), "thickness" (mm): one slab.
void BuildSlab(std::ostream& out, const rapidjson::Value& step, short story);
// "container" (a plan container), "spaceType" (optional): one labelled zone.
void BuildZone(std::ostream& out, const rapidjson::Value& step, short story);
