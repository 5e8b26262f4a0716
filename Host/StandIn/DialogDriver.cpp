#include "StandIn/DialogDriver.hpp"

namespace StandIn {

bool DialogDriver::RequestClose(DG::Panel& panel) {
    bool accepted = false;
    const std::vector<DG::PanelObserver*> notified = panel.observers;
    for (DG::PanelObserver* observer : notified) {
        observer->PanelCloseRequested(DG::PanelCloseRequestEvent(panel), &accepted);
    }
    return accepted;
}

void DialogDriver::UserResize(DG::Panel& panel, short horizontal, short vertical) {
    panel.width = static_cast<short>(panel.width + horizontal);
    panel.height = static_cast<short>(panel.height + vertical);
    const std::vector<DG::PanelObserver*> notified = panel.observers;
    for (DG::PanelObserver* observer : notified) {
        observer->PanelResized(DG::PanelResizeEvent(panel, horizontal, vertical));
    }
}

bool DialogDriver::IsMovingItems(const DG::Panel& panel) {
    return panel.movingItems;
}

void DialogDriver::Click(DG::Button& button) {
    if (!button.IsEnabled()) {
        return;
    }
    const std::vector<DG::ButtonItemObserver*> notified = button.observers;
    for (DG::ButtonItemObserver* observer : notified) {
        observer->ButtonClicked(DG::ButtonClickEvent(button));
    }
}

const GS::Guid& DialogDriver::GuidOf(const DG::Palette& palette) {
    return palette.guid;
}

bool DialogDriver::IsProcessingEvents(const DG::Palette& palette) {
    return palette.processingEvents;
}

short DialogDriver::LastShowPosition(const DG::Palette& palette) {
    return palette.lastShowPosition;
}

const std::vector<GS::UniString>& DialogDriver::LoadedURLs(const DG::Browser& browser) {
    return browser.loadedURLs;
}

const std::vector<GS::UniString>& DialogDriver::ExecutedScripts(const DG::Browser& browser) {
    return browser.executedScripts;
}

const std::vector<GS::UniString>& DialogDriver::LoadErrors(const DG::Browser& browser) {
    return browser.loadErrors;
}

PageEngine& DialogDriver::PageOf(DG::Browser& browser) {
    return *browser.page;
}

} // namespace StandIn
