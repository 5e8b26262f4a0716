#pragma once

#include "UniString.hpp"

#include <vector>

namespace StandIn {

// One ShellExecuteW call as the add-on made it.
struct ShellExecution {
    GS::UniString verb;
    GS::UniString file;
    int show = 0;
};

struct ShellState {
    std::vector<ShellExecution> executions;
    // What ShellExecuteW answers; above 32 is success.
    long result = 42;
    // Every Sleep call's milliseconds, in order; nothing really waits.
    std::vector<unsigned long> sleeps;
};

} // namespace StandIn
