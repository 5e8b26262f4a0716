#pragma once

#include <string>
#include <vector>

// Inputs for every command made from the examples: the plan, the building, the spaces and
// the addresses the page opens; the commands without argument with none and with a stray one.
std::vector<std::string> CommandSeeds();
