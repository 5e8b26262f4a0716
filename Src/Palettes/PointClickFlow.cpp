#include "Palettes/PointClickFlow.hpp"

#include "ACAPinc.h"
#include "Logging/Logger.hpp"
#include "Palettes/GeneratePlanPalette.hpp"
#include "ZoneBoundary/ZoneBoundaryUtils.hpp"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr const char* Category = "GeneratePlanPalette";
constexpr int ScriptAttempts = 10;
constexpr DWORD ScriptRetryDelayMs = 200;
constexpr const char* SelectionScript = "TOLVA.archicad.onSelectionChanged()";

void SetStatus(const GS::UniString& text) {
    if (GeneratePlanPalette::Exists()) {
        GeneratePlanPalette::GetInstance().SetStatus(text);
    }
}

void Fail(const GS::UniString& text) {
    SetStatus(text);
    Logger::Error(Category, text);
}

// The clicked plan point, or nothing when the user cancelled or the input failed.
std::optional<API_Coord> AskForPoint() {
    API_GetPointType pointInfo{};
    std::snprintf(pointInfo.prompt, sizeof(pointInfo.prompt), "%s",
                  "Click inside a room to find enclosing walls");
    const GSErrCode err = ACAPI_UserInput_GetPoint(&pointInfo);
    if (err == APIERR_CANCEL) {
        Logger::Info(Category, "User cancelled point selection");
        return std::nullopt;
    }
    if (err != NoError) {
        Fail(GS::UniString::Printf("Error: Failed to get point (code: %d)", err));
        return std::nullopt;
    }
    const API_Coord3D& pos = pointInfo.pos;
    Logger::Debug(Category, GS::UniString::Printf("User clicked at (%.2f, %.2f, %.2f)", pos.x, pos.y, pos.z));
    if (!std::isfinite(pos.x) || !std::isfinite(pos.y)) {
        SetStatus("Error: Invalid point coordinates");
        Logger::Error(Category, "Invalid point coordinates (NaN or infinity)");
        return std::nullopt;
    }
    return API_Coord{pos.x, pos.y};
}

// False when the palette could not be opened; the reason is on the status line.
bool OpenBrowser(BrowserMode mode, const GS::UniString& environmentName) {
    try {
        if (BrowserPalette::Exists() && BrowserPalette::GetMode() != mode) {
            BrowserPalette::Destroy();
        }
        if (!BrowserPalette::Exists()) {
            BrowserPalette::Create(mode);
        }
        if (!BrowserPalette::GetInstance().IsVisible()) {
            BrowserPalette::GetInstance().Show();
        }
        return true;
    } catch (const GS::Exception& e) {
        Fail("Error: Could not open " + environmentName + " browser (" + e.GetMessage() + ")");
    } catch (...) {
        SetStatus("Error: Could not open " + environmentName + " browser");
        Logger::Error(Category, "Unknown exception opening " + environmentName + " browser");
    }
    GeneratePlanPalette::ClearStoredZoneData();
    return false;
}

void TriggerPage(const GS::UniString& environmentName) {
    Logger::Debug(Category, GS::UniString("Executing JavaScript: ") + SelectionScript);
    for (int attempt = 1; attempt <= ScriptAttempts; ++attempt) {
        try {
            BrowserPalette::GetInstance().RunScript(SelectionScript);
            Logger::Info(Category,
                         GS::UniString::Printf("Triggered onSelectionChanged in %s browser on attempt %d",
                                               environmentName.ToCStr().Get(), attempt));
            return;
        } catch (...) {
            if (attempt < ScriptAttempts) {
                Logger::Debug(Category, GS::UniString::Printf(
                                            "JavaScript execution attempt %d failed, retrying...", attempt));
                Sleep(ScriptRetryDelayMs);
            }
        }
    }
    SetStatus(
        GS::UniString::Printf("Error: Failed to trigger browser callback after %d attempts", ScriptAttempts));
    Logger::Error(Category, "Failed to trigger onSelectionChanged in " + environmentName +
                                " browser after 10 attempts");
    GeneratePlanPalette::ClearStoredZoneData();
}

} // namespace

void PointClickFlow(BrowserMode mode, const GS::UniString& environmentName) {
    GeneratePlanPalette::ClearStoredZoneData();
    const std::optional<API_Coord> point = AskForPoint();
    if (!point) {
        return;
    }
    const ZoneBoundaryUtils::ZoneExtractionResult result = ZoneBoundaryUtils::ExtractZoneDataAtPoint(*point);
    if (!result.success) {
        SetStatus("Error: " + result.errorMessage);
        Logger::Error(Category, result.errorMessage);
        return;
    }
    Logger::Debug(Category, "Zone extraction successful");
    GeneratePlanPalette::StoreZoneData(result.zoneDataJson);
    Logger::Debug(Category, "Stored zone data for HTML retrieval");

    // A fresh page always reads the new zone.
    if (BrowserPalette::Exists()) {
        Logger::Info(Category, "Browser exists - destroying to force fresh load with new zone data");
        BrowserPalette::Destroy();
    }
    if (!OpenBrowser(mode, environmentName)) {
        return;
    }
    if (BrowserPalette::Exists()) {
        BrowserPalette::GetInstance().SetTitleSuffix("Generate Plan");
    }
    TriggerPage(environmentName);
}
