#pragma once

#include "Browser/ReportLines.hpp"
#include "Host/ModelTestSupport.hpp"

#include <string>
#include <vector>

// A fresh host model whose report lines a test reads back; no memory handle may stay behind.
class BuilderTest : public FreshModel {
protected:
    static std::vector<std::string> Lines() { return ReportedLines(); }
    static void ClearLines() { StandIn::Host().report.clear(); }
};
