#pragma once

#include "UniString.hpp"

#include <string>

// Which page script the browser runs for an address. The host ships the web application's stand-in
// pages from examples/pages; an address is matched exactly, and one without a page gets an empty
// page. Page files are read at each load, so an edited page shows on the next load.
namespace StandIn::PageRegistry {

// Adds or replaces the page of an address; throws a GS::Exception when the file cannot be read.
HOST_API void AddPage(const GS::UniString& address, const std::string& file);
// The page script of the address, or empty text for an address without a page.
HOST_API std::string ScriptFor(const GS::UniString& address);
// The plan the web application generates for a room, as the plan generation page asks for it
// (host.generatedPlan()): the text of a plan file {"planTemplate": ...}; an empty path for none.
// Throws a GS::Exception when the file cannot be read.
HOST_API void SetGeneratedPlan(const std::string& file);
// The plan's text, or empty text when none is set.
HOST_API std::string GeneratedPlan();
// Back to the shipped pages, without a generated plan.
HOST_API void Reset();

} // namespace StandIn::PageRegistry
