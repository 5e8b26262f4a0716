#pragma once

// The page's script-side runtime: a then-able Promise with a job queue, since the engine has none.
namespace StandIn::PageRuntime {

// A function expression taking (global, recordKey) and answering the runtime's internal object:
// runJobs(), settled(fulfilled, value), call(objectName, functionName, argument, argumentIsJSON) and
// describe(value).
extern const char* const Source;

} // namespace StandIn::PageRuntime
