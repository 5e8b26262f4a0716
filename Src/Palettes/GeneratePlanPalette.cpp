#include "Palettes/GeneratePlanPalette.hpp"

#include "ACAPinc.h"
#include "Logging/Logger.hpp"
#include "Palettes/BrowserPalette.hpp"
#include "Palettes/PaletteIdentity.hpp"
#include "Palettes/PaletteMessages.hpp"
#include "Palettes/PointClickFlow.hpp"
#include "Palettes/WebAddresses.hpp"
#include "TolvaResourceIDs.h"
#include "Update/PluginVersion.hpp"
#include "ZoneBoundary/StoredZoneData.hpp"

namespace {

constexpr const char* Category = "GeneratePlanPalette";
constexpr short KeepPosition = -32768;

struct PlanPaletteState {
    GS::Ref<GeneratePlanPalette> instance;
};

PlanPaletteState& State() {
    static PlanPaletteState state;
    return state;
}

} // namespace

// The texts of one of the two buttons that open a page of the web application.
struct GeneratePlanPalette::PageButton {
    const char* clicked;
    const char* opening;
    const char* openingAddress;
    const char* titleSuffix;
    const char* failureStatus;
    const char* failureLog;
    GS::UniString (*address)();
};

namespace {

GS::UniString DownloadAddress() {
    return WebAddresses::JoinUrlPath(WebAddresses::GetProductionUrl(), WebAddresses::DownloadPage);
}

} // namespace

const GeneratePlanPalette::PageButton GeneratePlanPalette::DownloadButton = {
    "Download button clicked",
    "Opening download page",
    "Opening production download page: ",
    "Download",
    "Error opening download page",
    "Exception in OnDownloadButtonClicked",
    DownloadAddress};
const GeneratePlanPalette::PageButton GeneratePlanPalette::UploadButton = {
    "Upload button clicked",
    "Opening upload page",
    "Opening production upload page: ",
    "Upload",
    "Error opening upload page",
    "Exception in OnUploadButtonClicked",
    WebAddresses::GetUploadUrl};

GeneratePlanPalette::GeneratePlanPalette()
    : DG::Palette(ACAPI_GetOwnResModule(), ID_GENERATE_PLAN_PALETTE, ACAPI_GetOwnResModule(),
                  GS::Guid(PaletteIdentity::GeneratePlanPaletteGuid)),
      generatePlanButton(*this, ID_GENERATE_PLAN_BUTTON), downloadButton(*this, ID_DOWNLOAD_BUTTON),
      uploadButton(*this, ID_UPLOAD_BUTTON), statusText(*this, ID_STATUS_TEXT),
      versionText(*this, ID_VERSION_TEXT) {
    Logger::Debug(Category, "Constructor called");
    versionText.SetText(GS::UniString("v") + PluginVersion::Text + " (Beta)");
    generatePlanButton.Attach(*this);
    downloadButton.Attach(*this);
    uploadButton.Attach(*this);
    Attach(*this);
    BeginEventProcessing();
    ACAPI_KeepInMemory(true);
    Logger::Info(Category, "Palette created successfully");
}

GeneratePlanPalette::~GeneratePlanPalette() {
    Logger::Debug(Category, "Destructor called");
    StoredZoneData::Instance().Clear();
    EndEventProcessing();
    Detach(*this);
    uploadButton.Detach(*this);
    downloadButton.Detach(*this);
    generatePlanButton.Detach(*this);
}

void GeneratePlanPalette::Create() {
    if (Exists()) {
        return;
    }
    Logger::Info(Category, "Creating singleton instance");
    State().instance = GS::Ref<GeneratePlanPalette>(new GeneratePlanPalette());
}

void GeneratePlanPalette::Destroy() {
    if (!Exists()) {
        return;
    }
    Logger::Info(Category, "Destroying singleton instance");
    State().instance = nullptr;
}

bool GeneratePlanPalette::Exists() {
    return State().instance != nullptr;
}

GeneratePlanPalette& GeneratePlanPalette::GetInstance() {
    return *State().instance;
}

void GeneratePlanPalette::Show() {
    Logger::Debug(Category, "Showing palette");
    DG::Palette::Show(KeepPosition);
}

void GeneratePlanPalette::Hide() {
    Logger::Debug(Category, "Hiding palette");
    DG::Palette::Hide();
}

void GeneratePlanPalette::SetStatus(const GS::UniString& text) {
    statusText.SetText(text);
    Logger::Debug(Category, "Status updated: " + text);
}

void GeneratePlanPalette::StoreZoneData(const GS::UniString& json) {
    if (Exists()) {
        StoredZoneData::Instance().Store(json);
    }
}

void GeneratePlanPalette::ClearStoredZoneData() {
    StoredZoneData::Instance().Clear();
}

void GeneratePlanPalette::PanelCloseRequested(const DG::PanelCloseRequestEvent&, bool* accepted) {
    Logger::Debug(Category, "Panel close requested");
    *accepted = true;
    Hide();
}

void GeneratePlanPalette::ButtonClicked(const DG::ButtonClickEvent& event) {
    if (event.GetSource() == &generatePlanButton) {
        Logger::Info(Category, "Generate Plan button clicked");
        OnGeneratePlanButtonClicked();
    } else if (event.GetSource() == &downloadButton) {
        Logger::Debug(Category, DownloadButton.clicked);
        OnPageButtonClicked(DownloadButton);
    } else if (event.GetSource() == &uploadButton) {
        Logger::Debug(Category, UploadButton.clicked);
        OnPageButtonClicked(UploadButton);
    }
}

void GeneratePlanPalette::OnGeneratePlanButtonClicked() {
    try {
        statusText.SetText(GS::UniString());
        Logger::Info(Category, "Opening production browser with point-click");
        PointClickFlow(BrowserMode::GeneratePlan, WebAddresses::ProductionEnvironmentName);
    } catch (...) {
        SetStatus("Unexpected error occurred");
        Logger::Error(Category, "Exception in OnGeneratePlanButtonClicked");
    }
}

void GeneratePlanPalette::OnPageButtonClicked(const PageButton& button) {
    try {
        statusText.SetText(GS::UniString());
        Logger::Info(Category, button.opening);
        const GS::UniString address = button.address();
        Logger::Info(Category, button.openingAddress + address);
        if (!BrowserPalette::Exists()) {
            BrowserPalette::Create(BrowserMode::StartPage);
        }
        BrowserPalette& browser = BrowserPalette::GetInstance();
        browser.LoadUrl(address);
        if (!browser.IsVisible()) {
            browser.Show();
        }
        browser.SetTitleSuffix(button.titleSuffix);
    } catch (...) {
        SetStatus(button.failureStatus);
        Logger::Error(Category, button.failureLog);
    }
}

GSErrCode GeneratePlanPalette::PaletteControlCallback(Int32, API_PaletteMessageID messageID,
                                                      GS::IntPtr param) {
    return PaletteControlCallbackOf<GeneratePlanPalette>(Category, messageID, param, [] {
        Create();
        GetInstance().Show();
    });
}
