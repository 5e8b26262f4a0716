#pragma once

#include "JS/JSValues.hpp"

namespace JSCommands::UtilityCommands {

// {major, minor, patch, string} of the add-on; the argument is ignored.
GS::Ref<JS::Base> GetPluginVersion(GS::Ref<JS::Base> argument);

} // namespace JSCommands::UtilityCommands
