#include "Logging/HostBoundary.hpp"

#include "GSException.hpp"
#include "StandIn/Driver.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReportLines() {
    std::vector<std::string> lines;
    for (const StandIn::ReportLine& line : StandIn::Host().report) {
        lines.push_back(line.text.ToCStr().Get());
    }
    return lines;
}

TEST(HostBoundary, GivesTheBodysResultOrLogsWhatItThrewAndGivesTheFailureAnswer) {
    StandIn::ResetHost();
    EXPECT_EQ(HostBoundary::Guard("Cat", "Entry", -1, [] { return 7; }), 7);
    EXPECT_EQ(HostBoundary::Guard("Cat", "Entry", -1,
                                  []() -> int { throw GS::IllegalArgumentException("Bad value."); }),
              -1);
    EXPECT_EQ(HostBoundary::Guard("Cat", "Other", -2, []() -> int { throw std::length_error("too long"); }),
              -2);
    EXPECT_EQ(HostBoundary::Guard("Cat", "Other", -3, []() -> int { throw 42; }), -3);
    EXPECT_EQ(ReportLines(), (std::vector<std::string>{
                                 "[ERROR] Cat: Exception in Entry: GS::Exception: Bad value.",
                                 "[ERROR] Cat: Exception in Other: std::exception: too long",
                                 "[ERROR] Cat: Exception in Other: Unknown exception",
                             }));
    StandIn::ResetHost();
}

} // namespace
