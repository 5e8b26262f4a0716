// The test programs run the add-on's code in their own process without error reporting: before any
// test, its set-up is refused by the host, which turns reporting off for the process as it would in
// Archicad. Only the tests of error reporting start the library, each in a freshly loaded add-on.
#include "Logging/SentryLogger.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"

#include <gtest/gtest.h>

namespace {

class ErrorReportingOff : public ::testing::Environment {
public:
    void SetUp() override {
        StandIn::Faults::Arm("sentry_init", 1);
        SentryLogger::EnsureInitialized();
        StandIn::ResetHost();
    }
};

[[maybe_unused]] const ::testing::Environment* const errorReportingOff =
    ::testing::AddGlobalTestEnvironment(new ErrorReportingOff);

} // namespace
