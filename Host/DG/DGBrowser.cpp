#include "DGBrowser.hpp"

#include "Page/PageEngine.hpp"
#include "Page/PageRegistry.hpp"
#include "StandIn/Browsers.hpp"

#include <algorithm>

namespace DG {

Browser::Browser(const Panel& panel, short itemId)
    : Item(panel, itemId), page(std::make_unique<StandIn::PageEngine>()) {
    RequireKind("Browser");
    StandIn::LiveBrowsers().push_back(this);
}

Browser::~Browser() {
    auto& browsers = StandIn::LiveBrowsers();
    browsers.erase(std::remove(browsers.begin(), browsers.end(), this), browsers.end());
}

void Browser::LoadURL(const GS::UniString& newURL) {
    url = newURL;
    loadedURLs.push_back(newURL);
    try {
        page->Load(newURL, StandIn::PageRegistry::ScriptFor(newURL));
    } catch (const GS::Exception& exception) {
        loadErrors.push_back(exception.GetMessage());
    }
}

bool Browser::ExecuteJS(const GS::UniString& script) {
    executedScripts.push_back(script);
    if (const GS::UniString* failure = StandIn::TakeBrowserScriptFailure()) {
        throw GS::Exception(*failure);
    }
    // The page may close this browser's palette: nothing here may touch the control afterwards.
    page->Run(script);
    return true;
}

bool Browser::RegisterAsynchJSObject(GS::Ref<JS::Object> object) {
    page->RegisterObject(std::move(object));
    return true;
}

} // namespace DG
