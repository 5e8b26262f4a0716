#pragma once

#include "JSValues.hpp"

namespace JSCommands::PlanImportCommands {

// A failed import step: the log text at ERROR under "PlanImportCommands", then the page's error
// envelope with the result text (MakeErrorResult, which logs it once more under "API").
GS::Ref<JS::Base> ImportFailure(const GS::UniString& logText, const GS::UniString& resultText);

} // namespace JSCommands::PlanImportCommands
