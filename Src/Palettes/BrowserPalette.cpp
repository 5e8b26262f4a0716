#include "Palettes/BrowserPalette.hpp"

#include "ACAPinc.h"
#include "Logging/HostBoundary.hpp"
#include "Palettes/PaletteIdentity.hpp"
#include "Palettes/PaletteMessages.hpp"
#include "Palettes/WebAddresses.hpp"
#include "TolvaResourceIDs.h"

namespace {

constexpr const char* Category = "BrowserPalette";
constexpr short KeepPosition = -32768;

struct BrowserPaletteState {
    GS::Ref<BrowserPalette> instance;
    BrowserMode mode = BrowserMode::StartPage;
    BrowserPalette::CommandRegistration registerCommands = nullptr;
};

BrowserPaletteState& State() {
    static BrowserPaletteState state;
    return state;
}

GS::UniString AddressOf(BrowserMode mode) {
    if (mode == BrowserMode::GeneratePlan) {
        return WebAddresses::JoinUrlPath(WebAddresses::GetProductionUrl(), WebAddresses::GeneratePlanPage);
    }
    return WebAddresses::GetProductionUrl();
}

} // namespace

BrowserPalette::BrowserPalette()
    : DG::Palette(ACAPI_GetOwnResModule(), ID_BROWSER_PALETTE, ACAPI_GetOwnResModule(),
                  GS::Guid(PaletteIdentity::BrowserPaletteGuid)),
      browser(*this, ID_BROWSER_PALETTE_BROWSER) {
    Attach(*this);
    BeginEventProcessing();
}

BrowserPalette::~BrowserPalette() {
    Detach(*this);
    EndEventProcessing();
}

void BrowserPalette::Create(BrowserMode mode) {
    GS::Ref<BrowserPalette> palette(new BrowserPalette());
    State().mode = mode;
    palette->LoadUrl(AddressOf(mode));
    if (State().registerCommands != nullptr) {
        State().registerCommands(palette->browser);
    }
    palette->ExecuteScript("loadPluginVersion()");
    palette->ExecuteScript("TOLVA.archicad.onSelectionChanged ()");
    State().instance = palette;
    ACAPI_KeepInMemory(true);
}

void BrowserPalette::SetCommandRegistration(CommandRegistration registration) {
    State().registerCommands = registration;
}

void BrowserPalette::Destroy() {
    State().instance = nullptr;
}

bool BrowserPalette::Exists() {
    return State().instance != nullptr;
}

BrowserPalette& BrowserPalette::GetInstance() {
    return *State().instance;
}

BrowserMode BrowserPalette::GetMode() {
    return State().mode;
}

void BrowserPalette::Show() {
    DG::Palette::Show(KeepPosition);
}

void BrowserPalette::LoadUrl(const GS::UniString& address) {
    browser.LoadURL(address);
}

void BrowserPalette::ExecuteScript(const GS::UniString& script) {
    try {
        RunScript(script);
    } catch (const GS::Exception& e) {
        ACAPI_WriteReport("Failed to execute JavaScript: %s", false, e.GetMessage().ToCStr().Get());
    } catch (...) {
        ACAPI_WriteReport("Failed to execute JavaScript: Unknown exception", false);
    }
}

void BrowserPalette::RunScript(const GS::UniString& script) {
    browser.ExecuteJS(script);
}

void BrowserPalette::SetTitleSuffix(const GS::UniString& suffix) {
    SetTitle("Tolva - " + suffix);
}

void BrowserPalette::PanelCloseRequested(const DG::PanelCloseRequestEvent&, bool* accepted) {
    Hide();
    *accepted = true;
}

void BrowserPalette::PanelResized(const DG::PanelResizeEvent& event) {
    BeginMoveResizeItems();
    browser.Resize(event.GetHorizontalChange(), event.GetVerticalChange());
    EndMoveResizeItems();
}

GSErrCode BrowserPalette::PaletteControlCallback(Int32, API_PaletteMessageID messageID, GS::IntPtr param) {
    return PaletteControlCallbackOf<BrowserPalette>(Category, messageID, param, [] {
        if (!Exists()) {
            Create(BrowserMode::StartPage);
        }
        GetInstance().Show();
    });
}

GSErrCode BrowserPalette::SelectionChangeHandler(const API_Neig*) {
    return HostBoundary::Guard(Category, "SelectionChangeHandler", GSErrCode(NoError), [] {
        if (Exists()) {
            GetInstance().ExecuteScript("TOLVA.archicad.onSelectionChanged ()");
        }
        return NoError;
    });
}
