#pragma once

#include "DGBrowser.hpp"
#include "DGModule.hpp"
#include "Page/PageEngine.hpp"

#include <vector>

namespace StandIn {

// What the user does to palettes, items and browsers, and what the driver reads back from them:
// none of it is part of the dialog library the add-on sees.
class HOST_API DialogDriver {
public:
    // Asks the panel's observers; true when one accepted (closing is the observer's business).
    static bool RequestClose(DG::Panel& panel);
    // The user drags the panel larger by the growth; its observers hear of it.
    static void UserResize(DG::Panel& panel, short horizontal, short vertical);
    static bool IsMovingItems(const DG::Panel& panel);
    // Calls the button's observers, only when it is enabled.
    static void Click(DG::Button& button);

    static const GS::Guid& GuidOf(const DG::Palette& palette);
    static bool IsProcessingEvents(const DG::Palette& palette);
    static short LastShowPosition(const DG::Palette& palette);

    // Every address, script and load error in order, and the page itself.
    static const std::vector<GS::UniString>& LoadedURLs(const DG::Browser& browser);
    static const std::vector<GS::UniString>& ExecutedScripts(const DG::Browser& browser);
    static const std::vector<GS::UniString>& LoadErrors(const DG::Browser& browser);
    static PageEngine& PageOf(DG::Browser& browser);
};

} // namespace StandIn
