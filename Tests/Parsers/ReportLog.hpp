#pragma once

#include <string>
#include <vector>

// The report window's lines as narrow text, for comparing log output.
std::vector<std::string> ReportLines();
// Empties the report window.
void ClearReport();
