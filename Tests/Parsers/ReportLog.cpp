#include "ReportLog.hpp"

#include "StandIn/Host.hpp"

std::vector<std::string> ReportLines() {
    std::vector<std::string> lines;
    for (const StandIn::ReportLine& line : StandIn::Host().report) {
        lines.push_back(line.text.ToCStr().Get());
    }
    return lines;
}

void ClearReport() {
    StandIn::ResetHost();
}
