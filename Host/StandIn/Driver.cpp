#include "StandIn/Driver.hpp"

#include "StandIn/Attributes.hpp"
#include "StandIn/Libraries.hpp"
#include "StandIn/Model3D.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/Properties.hpp"
#include "StandIn/Stories.hpp"

#include <algorithm>

namespace StandIn {

bool SendMenuCommand(short menuResID, short itemIndex) {
    for (const MenuRegistration& menu : Host().menus) {
        if (menu.resID == menuResID && menu.handler != nullptr) {
            API_MenuParams params = {};
            params.menuItemRef.menuResID = menuResID;
            params.menuItemRef.itemIndex = itemIndex;
            menu.handler(&params);
            return true;
        }
    }
    return false;
}

void NotifySelectionChanged() {
    if (Host().selectionHandler != nullptr) {
        API_Neig neig = {};
        Host().selectionHandler(&neig);
    }
}

void DeliverProjectEvent(API_NotifyEventID event) {
    // A copy: a handler may subscribe or unsubscribe while it runs.
    std::vector<EventSubscription> subscriptions = Host().eventSubscriptions;
    for (const EventSubscription& subscription : subscriptions) {
        if ((subscription.eventTypes & event) != 0) {
            subscription.handler(event, 0);
        }
    }
}

void ResetProjectContents() {
    TheModel() = Model();
    Settings() = ProjectSettings();
    Attributes() = NewProjectAttributes();
    Properties() = PropertySettings();
    Libraries() = NewProjectLibraries();
    Model3DChanged();
}

void NewProject() {
    ResetProjectContents();
    Host().project = ProjectState::New;
    DeliverProjectEvent(APINotify_New);
}

void StartUntitledProject() {
    ResetProjectContents();
    Host().project = ProjectState::New;
}

void QuitApplication() {
    DeliverProjectEvent(APINotify_Quit);
}

std::optional<bool> SendPaletteMessage(Int32 referenceID, API_PaletteMessageID message) {
    auto& palettes = Host().palettes;
    auto found = std::find_if(palettes.begin(), palettes.end(),
                              [&](const PaletteRegistration& p) { return p.referenceID == referenceID; });
    if (found == palettes.end()) {
        return std::nullopt;
    }
    bool visible = false;
    GS::IntPtr param = message == APIPalMsg_IsPaletteVisible ? reinterpret_cast<GS::IntPtr>(&visible) : 0;
    found->callback(referenceID, message, param);
    if (message == APIPalMsg_IsPaletteVisible) {
        return visible;
    }
    return std::nullopt;
}

std::vector<ReportLine> Alerts() {
    std::vector<ReportLine> alerts;
    std::copy_if(Host().report.begin(), Host().report.end(), std::back_inserter(alerts),
                 [](const ReportLine& line) { return line.alert; });
    return alerts;
}

} // namespace StandIn
