// The host's binding of sentry-native. The add-on is linked so that six of its calls into the
// library come here first (`--wrap`, see Host/CMakeLists.txt); each goes on to the real library,
// changed only as the platform would change it: Windows paths become this machine's paths, the
// DSN's address becomes the session's receiver (or none offline), and faults fail or throw on demand.
#include "GSException.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Host.hpp"
#include "StandIn/WindowsPaths.hpp"

#include <sentry.h>

#include <optional>
#include <string>

namespace {

StandIn::ErrorReportingState& State() {
    return StandIn::Host().errorReporting;
}

// The DSN with the receiver as its address (scheme, host and port change; key and project stay);
// without a receiver the DSN as it is when the host reaches the internet, else none.
std::optional<std::string> RoutedDsn(const char* dsn) {
    const std::string& receiver = State().receiver;
    if (dsn == nullptr) {
        return std::nullopt;
    }
    if (receiver.empty()) {
        return StandIn::Host().http.internet ? std::optional<std::string>(dsn) : std::nullopt;
    }
    const std::string text = dsn;
    const size_t scheme = text.find("://");
    const size_t at = text.find('@', scheme == std::string::npos ? 0 : scheme + 3);
    const size_t path = text.find('/', at == std::string::npos ? 0 : at);
    if (scheme == std::string::npos || at == std::string::npos || path == std::string::npos) {
        return text; // not a DSN: the library refuses it as it is
    }
    return "http://" + text.substr(scheme + 3, at - scheme - 2) + receiver + text.substr(path);
}

std::string MachinePath(const char* windowsPath) {
    return StandIn::MachinePathOf(windowsPath).value_or(windowsPath);
}

} // namespace

extern "C" {

HOST_API sentry_options_t* __wrap_sentry_options_new() {
    if (StandIn::Faults::Take("sentry_options_new")) {
        return nullptr;
    }
    return sentry_options_new();
}

HOST_API void __wrap_sentry_options_set_dsn(sentry_options_t* options, const char* dsn) {
    State().dsns.push_back(dsn != nullptr ? dsn : "");
    const std::optional<std::string> routed = RoutedDsn(dsn);
    sentry_options_set_dsn(options, routed ? routed->c_str() : nullptr);
}

HOST_API void __wrap_sentry_options_set_database_path(sentry_options_t* options, const char* path) {
    State().databasePaths.push_back(path);
    sentry_options_set_database_path(options, MachinePath(path).c_str());
}

HOST_API void __wrap_sentry_options_set_handler_path(sentry_options_t* options, const char* path) {
    State().handlerPaths.push_back(path);
    sentry_options_set_handler_path(options, MachinePath(path).c_str());
}

HOST_API int __wrap_sentry_init(sentry_options_t* options) {
    ++State().initAttempts;
    // The library owns the options from here, also when it is not called.
    if (auto code = StandIn::Faults::Take("sentry_init:throw")) {
        sentry_options_free(options);
        throw GS::Exception(GS::UniString::Printf("sentry_init failed (error %d)", *code));
    }
    if (auto code = StandIn::Faults::Take("sentry_init")) {
        sentry_options_free(options);
        return *code;
    }
    return sentry_init(options);
}

HOST_API int __wrap_sentry_close() {
    ++State().closes;
    return sentry_close();
}

} // extern "C"
