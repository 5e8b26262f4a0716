#pragma once

#include "JSValues.hpp"

namespace JSCommands::UtilityCommands {

// The zone JSON stored at the last Generate Plan click, else the selected zones' GUIDs as a JSON
// array text; the argument is ignored.
GS::Ref<JS::Base> GetSelection(GS::Ref<JS::Base> argument);

// {major, minor, patch, string} of the add-on; the argument is ignored.
GS::Ref<JS::Base> GetPluginVersion(GS::Ref<JS::Base> argument);

// {isMetric, lengthUnit, lengthUnitCode, lengthDecimals, roundInch} of the project's working units;
// an error object when the host cannot tell them.
GS::Ref<JS::Base> GetWorkingUnits(GS::Ref<JS::Base> argument);

} // namespace JSCommands::UtilityCommands
