#pragma once

#include "UniString.hpp"

#include <optional>

// Where Archicad calls into the add-on (entry points, the menu, palette callbacks, notifications)
// nothing may be thrown back: an exception crossing into the host takes the whole session down.
namespace HostBoundary {

// What the exception being handled is, for the log: "GS::Exception: " + its message,
// "std::exception: " + its description, or nothing for any other exception. Only inside a catch.
std::optional<GS::UniString> DescribeCurrentException();

// Logs the exception being handled at ERROR under the category as "Exception in ENTRY: " and its
// description ("Unknown exception" for one without). Only inside a catch; never throws.
void LogEscapedException(const char* category, const char* entry) noexcept;

// Runs the body of a call from the host and returns its result; when the body throws, the exception
// is logged and `failed` is returned instead.
template <typename Result, typename Body>
Result Guard(const char* category, const char* entry, Result failed, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        LogEscapedException(category, entry);
        return failed;
    }
}

} // namespace HostBoundary
