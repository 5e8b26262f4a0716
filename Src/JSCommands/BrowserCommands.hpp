#pragma once

#include "JSValues.hpp"

namespace JSCommands::BrowserCommands {

// Opens an http:// or https:// address (the argument) in the user's default browser.
GS::Ref<JS::Base> LaunchBrowser(GS::Ref<JS::Base> argument);

// Hides the browser palette; its page stays loaded.
GS::Ref<JS::Base> CloseBrowserPalette(GS::Ref<JS::Base> argument);

} // namespace JSCommands::BrowserCommands
