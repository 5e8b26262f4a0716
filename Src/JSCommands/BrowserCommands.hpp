#pragma once

#include "JS/JSValues.hpp"

namespace JSCommands::BrowserCommands {

// Opens an http:// or https:// address (the argument) in the user's default browser.
GS::Ref<JS::Base> LaunchBrowser(GS::Ref<JS::Base> argument);

} // namespace JSCommands::BrowserCommands
