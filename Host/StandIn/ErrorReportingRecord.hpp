#pragma once

#include "Definitions.hpp"

#include <string>
#include <vector>

namespace StandIn {

// The host's side of sentry-native: where the library's reports go and what the add-on set up.
struct ErrorReportingState {
    // A receiver's "127.0.0.1:PORT"; empty: the reports have no address and stay on the machine.
    std::string receiver;
    // The options as the add-on gave them, in order.
    std::vector<std::string> dsns;
    std::vector<std::string> databasePaths;
    std::vector<std::string> handlerPaths;
    Int32 initAttempts = 0;
    Int32 closes = 0;
};

} // namespace StandIn
