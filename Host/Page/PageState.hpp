#pragma once

#include "JSValues.hpp"
#include "Page/PageTimeLimit.hpp"

#include <duktape.h>

#include <vector>

namespace StandIn {

// What outlives one loaded page: the host's registered objects and the page's reports. The
// engine's heap carries a pointer to it, so natives and the time check reach it.
struct PageState {
    explicit PageState(std::chrono::milliseconds limit) : timeLimit(limit) {}

    PageTimeLimit timeLimit;
    std::vector<GS::Ref<JS::Object>> objects;
    std::vector<GS::UniString> reports;
};

PageState& StateOf(duk_context* ctx);

} // namespace StandIn
