#include "Update/VersionCheck.hpp"

#include "Logging/Logger.hpp"
#include "Update/PluginVersion.hpp"
#include "Update/VersionCompare.hpp"
#include "Update/VersionRequest.hpp"
#include "Update/VersionResponse.hpp"
#include "Update/VersionService.hpp"

#include <exception>
#include <string>

namespace VersionCheck {

namespace {

constexpr const char* Category = "VersionCheck";
constexpr DWORD StatusOk = 200;
constexpr DWORD StatusUpgradeRequired = 426;

bool AllowsOurVersion(const std::string& body) {
    VersionResponse response;
    if (!ParseVersionResponse(body, response)) {
        Logger::Warning(Category, "Failed to parse response - allowing plugin to continue");
        return true;
    }
    const std::string minimum = response.minimumVersionAllowed.ToCStr().Get();
    Logger::Info(Category, GS::UniString::Printf("Minimum version allowed: %s", minimum.c_str()));
    if (!IsVersionAtLeast(PluginVersion::Text, response.minimumVersionAllowed)) {
        Logger::Error(Category,
                      GS::UniString::Printf("Plugin version %s is below minimum required version %s",
                                            PluginVersion::Text, minimum.c_str()));
        return false;
    }
    if (!response.latestVersion.IsEmpty()) {
        if (IsVersionAtLeast(PluginVersion::Text, response.latestVersion)) {
            Logger::Info(Category, "Plugin is up to date");
        } else {
            Logger::Info(Category,
                         GS::UniString::Printf("New version available: %s (current: %s)",
                                               response.latestVersion.ToCStr().Get(), PluginVersion::Text));
        }
    }
    Logger::Info(Category, "Version check completed successfully");
    return true;
}

} // namespace

bool CheckVersionAllowed() {
    return CheckVersionAllowed(RequestDeadline);
}

bool CheckVersionAllowed(std::chrono::milliseconds requestDeadline) {
    try {
        Logger::Info(Category, "Starting version check...");
        Logger::Info(Category, GS::UniString::Printf("Current plugin version: %s", PluginVersion::Text));
        const std::string userAgent =
            GS::UniString::Printf("Tolva-Archicad-plugin/%s", PluginVersion::Text).ToCStr().Get();
        Logger::Info(Category, GS::UniString::Printf("Checking version at: %s%s", ServiceHost, ServicePath));
        std::string body;
        DWORD status = 0;
        if (!SendVersionRequest(ServiceHost, userAgent, body, status, requestDeadline)) {
            Logger::Warning(Category, "HTTP request failed - allowing plugin to continue");
            return true;
        }
        if (status == StatusUpgradeRequired) {
            Logger::Error(Category, GS::UniString::Printf(
                                        "Server returned 426: Plugin version is not allowed (response: %s)",
                                        body.c_str()));
            return false;
        }
        if (status == StatusOk) {
            return AllowsOurVersion(body);
        }
        Logger::Warning(Category,
                        GS::UniString::Printf("Unexpected HTTP status %d - allowing plugin to continue",
                                              static_cast<int>(status)));
        return true;
    } catch (const std::exception& e) {
        Logger::Warning(Category,
                        GS::UniString::Printf(
                            "Exception during version check: %s - allowing plugin to continue", e.what()));
    } catch (...) {
        Logger::Warning(Category, "Unknown exception during version check - allowing plugin to continue");
    }
    return true;
}

} // namespace VersionCheck
