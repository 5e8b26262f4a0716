#pragma once

#include "ACAPinc.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the host reads of a library part's scripts: LINE2 and PROJECT2 3, 270, 2 in the 2D script,
// BLOCK in the 3D script, with numbers or parameter names as arguments. Any other line is reported
// as a problem and left out, never guessed.
namespace StandIn {

using ParameterValue = std::function<std::optional<double>(const std::string& name)>;

struct Segment2D {
    API_Coord from = {};
    API_Coord to = {};
};

struct Block3D {
    double a = 0;
    double b = 0;
    double height = 0;
};

struct PartSymbol {
    std::vector<Segment2D> lines;
    // PROJECT2 3, 270, 2: the outline of the 3D model seen from above.
    bool projection = false;
    std::vector<std::string> problems;
};

struct PartModel {
    std::vector<Block3D> blocks;
    std::vector<std::string> problems;
};

HOST_API PartSymbol Read2DScript(const std::string& script, const ParameterValue& value);
HOST_API PartModel Read3DScript(const std::string& script, const ParameterValue& value);

} // namespace StandIn
