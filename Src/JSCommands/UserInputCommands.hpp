#pragma once

#include "JSValues.hpp"

namespace JSCommands::UserInputCommands {

// Asks the user to click inside a room and answers the room's boundary JSON as a plain string, or
// an error envelope; the argument is ignored.
GS::Ref<JS::Base> GetZoneAtPoint(GS::Ref<JS::Base> argument);

} // namespace JSCommands::UserInputCommands
