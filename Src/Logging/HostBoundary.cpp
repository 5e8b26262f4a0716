#include "Logging/HostBoundary.hpp"

#include "GSException.hpp"
#include "Logging/Logger.hpp"

#include <exception>

namespace HostBoundary {

std::optional<GS::UniString> DescribeCurrentException() {
    try {
        throw;
    } catch (const GS::Exception& e) {
        return "GS::Exception: " + e.GetMessage();
    } catch (const std::exception& e) {
        return GS::UniString("std::exception: ") + GS::UniString(e.what(), CC_UTF8);
    } catch (...) {
        return std::nullopt;
    }
}

void LogEscapedException(const char* category, const char* entry) noexcept {
    try {
        const std::optional<GS::UniString> description = DescribeCurrentException();
        Logger::Error(category, GS::UniString("Exception in ") + entry + ": " +
                                    description.value_or("Unknown exception"));
    } catch (...) {
        // Not even the text could be made; the host must still not see the exception.
    }
}

} // namespace HostBoundary
