#pragma once

#include "DGModule.hpp"
#include "JSValues.hpp"

#include <memory>
#include <vector>

namespace StandIn {
class PageEngine;
}

namespace DG {

// The browser control: one page each. Loading an address runs the address's page from the page
// registry in a new page with the registered objects; registrations last as long as the control.
class HOST_API Browser : public Item {
public:
    Browser(const Panel& panel, short itemId);
    ~Browser() override;

    // A page whose script fails still loads; its error is kept, as a console would.
    void LoadURL(const GS::UniString& url);
    GS::UniString GetURL() const { return url; }
    // True once the script has run; throws a GS::Exception with the engine's text when it fails.
    bool ExecuteJS(const GS::UniString& script);
    // True: the objects of a browser last as long as the control.
    bool RegisterAsynchJSObject(GS::Ref<JS::Object> object);

private:
    friend class StandIn::DialogDriver;

    GS::UniString url;
    std::vector<GS::UniString> loadedURLs;
    std::vector<GS::UniString> executedScripts;
    std::vector<GS::UniString> loadErrors;
    std::unique_ptr<StandIn::PageEngine> page;
};

} // namespace DG
