// The main of every test program. Besides running the tests, it fails a test that armed a host
// fault the code never reached (such a test usually checks nothing) and a test during which a host
// function threw into a page (the add-on's commands must never throw into the script engine).
#include "Page/PageEngine.hpp"
#include "StandIn/Faults.hpp"

#include <gtest/gtest.h>

namespace {

class StrictStandIn : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { StandIn::TakeEscapedExceptions(); }

    void OnTestEnd(const ::testing::TestInfo&) override {
        for (const std::string& call : StandIn::Faults::TakeUnreached()) {
            ADD_FAILURE() << "The fault armed on " << call << " never failed a call";
        }
        for (const std::string& escaped : StandIn::TakeEscapedExceptions()) {
            ADD_FAILURE() << "An exception reached the script engine: " << escaped;
        }
        // Nothing armed here may fail the next test's calls.
        StandIn::Faults::Clear();
        StandIn::Faults::TakeUnreached();
    }
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Appended after the default printer, so it hears of a test's end before the printer does.
    ::testing::UnitTest::GetInstance()->listeners().Append(new StrictStandIn);
    return RUN_ALL_TESTS();
}
