#pragma once

#include "Model/PlanTemplate.hpp"

namespace Tolva::Parsers {

// Parses the text {"planTemplate": {...}} into plan. Only the root and the plan's identity fields
// are fatal; on false errorText says why and plan must not be used.
bool ParsePlanTemplate(const GS::UniString& jsonText, PlanTemplate& plan, GS::UniString& errorText);

} // namespace Tolva::Parsers
