#include "Logging/SentryLogger.hpp"

#include "Logging/AggregatedEvent.hpp"
#include "Logging/Logger.hpp"
#include "Update/PluginVersion.hpp"
#include <windows.h>

#include <sentry.h>

#include <algorithm>
#include <optional>
#include <string>

namespace SentryLogger {

namespace {

constexpr const char* Category = "SentryLogger";
constexpr const char* Dsn = TOLVA_SENTRY_DSN;
constexpr const char* ReleasePrefix = "tolva-archicad-plugin@";
constexpr const char* Environment = "production";
constexpr const char* DatabaseFolderName = ".sentry-native";
constexpr const char* CrashHandlerName = "crashpad_handler.exe";

// The library is running.
bool initialised = false;
// Set-up failed once, or the add-on is being released: nothing starts the library again.
bool disabled = false;

struct ReportingPaths {
    std::string database;
    std::string handler; // empty: the library's own choice
};

// The database in the user's temporary folder, for an add-on folder whose paths would not fit; none
// when that folder cannot be told or is too long as well.
std::optional<ReportingPaths> PathsInTheTemporaryFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, path);
    if (length == 0 || length >= MAX_PATH) {
        return std::nullopt;
    }
    ReportingPaths paths{std::string(path, length) + DatabaseFolderName, std::string()};
    if (paths.database.size() >= MAX_PATH) {
        return std::nullopt;
    }
    Logger::Warning(Category,
                    GS::UniString::Printf("Keeping Sentry's database in the temporary folder: %s", path));
    return paths;
}

// Where the database and crash handler go: beside the add-on's own file, or, when those paths would
// not fit the platform's path length, the database in the temporary folder (the working folder, the
// library's default, may be anywhere and shared). Unset when the add-on's file cannot be told: the
// library's defaults apply. Set but empty when no folder fits: reporting stays off.
std::optional<std::optional<ReportingPaths>> ReportingPlaces() {
    HMODULE module = nullptr;
    char path[MAX_PATH] = {};
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(&ReportingPlaces), &module)) {
        return std::nullopt;
    }
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0) {
        return std::nullopt;
    }
    // A cut-off path names another folder.
    std::string folder(path, std::min<DWORD>(length, MAX_PATH - 1));
    if (const size_t separator = folder.rfind('\\'); separator != std::string::npos) {
        folder.erase(separator + 1);
    }
    ReportingPaths paths{folder + DatabaseFolderName, folder + CrashHandlerName};
    if (length >= MAX_PATH || paths.database.size() >= MAX_PATH || paths.handler.size() >= MAX_PATH) {
        Logger::Warning(
            Category, GS::UniString::Printf("Add-on folder too long for Sentry's files: %s", folder.c_str()));
        return PathsInTheTemporaryFolder();
    }
    return paths;
}

void ApplyGlobalContext() {
    try {
        if (const GS::UniString version = GetHostVersionText(); !version.IsEmpty()) {
            sentry_set_tag("archicad.version", version.ToCStr().Get());
        }
        sentry_set_tag("plugin.version", PluginVersion::Text);
        if (const GS::UniString platform = GetPlatformText(); !platform.IsEmpty()) {
            sentry_set_tag("platform", platform.ToCStr().Get());
        }
        if (const GS::UniString userId = GetAnonymousUserId(); !userId.IsEmpty()) {
            sentry_value_t user = sentry_value_new_object();
            sentry_value_set_by_key(user, "id", sentry_value_new_string(userId.ToCStr().Get()));
            sentry_set_user(user);
        }
    } catch (...) {
        Logger::Warning(Category, "Exception during context setup");
    }
}

// Starts the library on first use; false when reporting is off.
bool Ready() {
    if (!initialised && !disabled) {
        EnsureInitialized();
    }
    return initialised;
}

} // namespace

void EnsureInitialized() {
    if (initialised || disabled) {
        return;
    }
    try {
        sentry_options_t* options = sentry_options_new();
        if (options == nullptr) {
            Logger::Warning(Category, "Failed to create Sentry options");
            disabled = true;
            return;
        }
        sentry_options_set_dsn(options, Dsn);
        sentry_options_set_release(options, (std::string(ReleasePrefix) + PluginVersion::Text).c_str());
        sentry_options_set_environment(options, Environment);
        if (const std::optional<std::optional<ReportingPaths>> places = ReportingPlaces()) {
            if (!*places) {
                Logger::Warning(Category, "No folder for Sentry's database - error reporting is off");
                sentry_options_free(options);
                disabled = true;
                return;
            }
            const ReportingPaths& paths = **places;
            if (!paths.handler.empty() &&
                GetFileAttributesA(paths.handler.c_str()) == INVALID_FILE_ATTRIBUTES) {
                Logger::Warning(
                    Category, GS::UniString::Printf("Crashpad handler not found: %s", paths.handler.c_str()));
            }
            sentry_options_set_database_path(options, paths.database.c_str());
            if (!paths.handler.empty()) {
                sentry_options_set_handler_path(options, paths.handler.c_str());
            }
        }
        // The library owns the options from here, whatever the result.
        if (const int result = sentry_init(options); result != 0) {
            Logger::Warning(Category, GS::UniString::Printf("Failed to initialize Sentry SDK: %d", result));
            disabled = true;
            return;
        }
        ApplyGlobalContext();
        initialised = true;
        Logger::Info(Category, "Sentry SDK initialized successfully");
    } catch (...) {
        Logger::Warning(Category, "Exception during Sentry initialization");
        disabled = true;
    }
}

void CaptureError(const GS::UniString& category, const GS::UniString& message) {
    if (!Ready()) {
        return;
    }
    try {
        sentry_value_t event = sentry_value_new_message_event(SENTRY_LEVEL_ERROR, category.ToCStr().Get(),
                                                              message.ToCStr().Get());
        sentry_value_t tags = sentry_value_new_object();
        sentry_value_set_by_key(tags, "category", sentry_value_new_string(category.ToCStr().Get()));
        sentry_value_set_by_key(event, "tags", tags);
        sentry_capture_event(event);
    } catch (...) {
        // Debug, so that a failed report never comes back through the logger's error path.
        Logger::Debug(Category, "Exception while sending error to Sentry");
    }
}

void CaptureAggregatedErrors(const ErrorAggregation::ErrorAggregationContext& context) {
    if (!Ready()) {
        return;
    }
    try {
        sentry_capture_event(ErrorAggregation::BuildAggregatedEvent(context));
        Logger::Info(Category, GS::UniString::Printf(
                                   "Sent aggregated Sentry event: %s (%u errors, %u patterns)",
                                   context.operationType.ToCStr().Get(),
                                   ErrorAggregation::TotalErrorCount(context), context.errors.GetSize()));
    } catch (...) {
        Logger::Debug(Category, "Exception while sending aggregated error to Sentry");
    }
}

void Shutdown() {
    // Whatever happens, nothing may start the library once the add-on is being released.
    disabled = true;
    if (!initialised) {
        return;
    }
    try {
        sentry_close();
        initialised = false;
        Logger::Info(Category, "Sentry SDK shut down");
    } catch (...) {
        Logger::Warning(Category, "Exception during Sentry shutdown");
    }
}

} // namespace SentryLogger
