#pragma once

#include "JSValues.hpp"

// The page's context geometry: the selected morphs, slabs, zones, meshes and objects as grouped meshes.
namespace JSCommands::ContextCommands {

// The context JSON of the selection as a script string, with its CRC-32 hash; one of two fixed
// failure texts when nothing is selected or nothing could be extracted. The argument is ignored.
GS::Ref<JS::Base> GetContext(GS::Ref<JS::Base> argument);

} // namespace JSCommands::ContextCommands
