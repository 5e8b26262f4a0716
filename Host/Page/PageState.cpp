#include "Page/PageState.hpp"

namespace StandIn {

PageState& StateOf(duk_context* ctx) {
    duk_memory_functions functions;
    duk_get_memory_functions(ctx, &functions);
    return *static_cast<PageState*>(functions.udata);
}

} // namespace StandIn

// The engine asks this now and then while it runs bytecode; true stops the script.
duk_bool_t tolva_page_time_is_up(void* udata) {
    return static_cast<StandIn::PageState*>(udata)->timeLimit.IsUp();
}
