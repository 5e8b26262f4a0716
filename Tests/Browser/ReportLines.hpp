#pragma once

#include "StandIn/Driver.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The report window's lines so far.
inline std::vector<std::string> ReportedLines() {
    std::vector<std::string> lines;
    for (const StandIn::ReportLine& line : StandIn::Host().report) {
        lines.push_back(line.text.ToCStr(CC_UTF8).Get());
    }
    return lines;
}

// A fresh host whose report window lines a test can read back.
class ReportLines : public ::testing::Test {
protected:
    void SetUp() override { StandIn::ResetHost(); }
    void TearDown() override { StandIn::ResetHost(); }
    static std::vector<std::string> Lines() { return ReportedLines(); }
};
