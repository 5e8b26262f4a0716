#pragma once

#include "JSValues.hpp"

namespace JSCommands {

using CommandHandler = GS::Ref<JS::Base> (*)(GS::Ref<JS::Base> argument);

// Runs one handler with the page's argument. Nothing thrown by a handler reaches the script engine:
// the failure is logged with its detail and the page gets a generic failure envelope.
GS::Ref<JS::Base> JSCommandWrapper(CommandHandler handler, const GS::Ref<JS::Base>& argument);

} // namespace JSCommands
