#include "StandIn/Browsers.hpp"

#include <algorithm>

namespace StandIn {

namespace {

struct ScriptFailures {
    GS::UniString message;
    Int32 times = 0;
};

ScriptFailures& Failures() {
    static ScriptFailures failures;
    return failures;
}

} // namespace

std::vector<DG::Browser*>& LiveBrowsers() {
    static std::vector<DG::Browser*> browsers;
    return browsers;
}

DG::Browser* FindBrowser(const DG::Panel& panel) {
    auto found = std::find_if(LiveBrowsers().begin(), LiveBrowsers().end(),
                              [&](const DG::Browser* browser) { return &browser->GetPanel() == &panel; });
    return found == LiveBrowsers().end() ? nullptr : *found;
}

void FailBrowserScripts(const GS::UniString& message, Int32 times) {
    Failures() = {message, times};
}

void ClearBrowserScriptFailures() {
    Failures() = {};
}

const GS::UniString* TakeBrowserScriptFailure() {
    ScriptFailures& failures = Failures();
    if (failures.times == 0) {
        return nullptr;
    }
    if (failures.times > 0) {
        --failures.times;
    }
    return &failures.message;
}

} // namespace StandIn
