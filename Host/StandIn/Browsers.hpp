#pragma once

#include "DGBrowser.hpp"

#include <vector>

// The browser controls that exist, so the driver can find a palette's page, and the scripts that
// fail on demand.
namespace StandIn {

HOST_API std::vector<DG::Browser*>& LiveBrowsers();
// The panel's browser, or null.
HOST_API DG::Browser* FindBrowser(const DG::Panel& panel);

// The next `times` runs of ExecuteJS (every run for a negative count) throw a GS::Exception with
// the message, without running the script.
HOST_API void FailBrowserScripts(const GS::UniString& message, Int32 times);
HOST_API void ClearBrowserScriptFailures();
// Consumes one armed failure: its message, or null when none is armed.
const GS::UniString* TakeBrowserScriptFailure();

} // namespace StandIn
