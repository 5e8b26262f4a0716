#pragma once

#include "JSValues.hpp"

#include <duktape.h>

// The page's natives: the host's registered objects, and `host.report(value)`, whose texts (a
// string as it is, anything else as JSON) the host keeps in order.
namespace StandIn::PageBridge {

// The runtime's internal object, kept where page code cannot reach it.
void StoreRuntime(duk_context* ctx);
void PushRuntimeFunction(duk_context* ctx, const char* name);

void InstallHost(duk_context* ctx);
// Makes the object a global of the page under its name; its functions answer with a promise.
void InstallObject(duk_context* ctx, const JS::Object& object);

} // namespace StandIn::PageBridge
