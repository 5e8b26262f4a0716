#pragma once

#include "ACAPinc.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace Tolva::Builders {

// Walls read once, in the order given, with a grid over their extents, so that finding the wall
// nearest to a point does not read every wall again for each point.
class WallIndex {
public:
    struct Hit {
        const API_Element* wall = nullptr;
        double distance = 0; // m, to the wall's reference line
        double offset = 0;   // m, from the wall's begin to the nearest point
    };

    // Walls that cannot be read, or shorter than 1 mm, are left out.
    explicit WallIndex(const GS::Array<API_Guid>& walls);

    // Whether no wall was given at all (not: none could be read).
    bool NoneGiven() const { return givenCount == 0; }

    // The nearest wall; among equal distances the earliest given. Walls within the radius are found
    // through the grid; when none is that close, every wall is measured.
    std::optional<Hit> Nearest(const API_Coord& point, double radius) const;

private:
    using CellKey = std::int64_t;

    std::optional<Hit> NearestAmong(const API_Coord& point, const std::vector<size_t>& candidates) const;
    std::vector<size_t> CandidatesNear(const API_Coord& point, double radius) const;

    USize givenCount = 0;
    std::vector<API_Element> walls;
    std::unordered_map<CellKey, std::vector<size_t>> cells;
    // Walls too long for the grid, measured for every point.
    std::vector<size_t> unbounded;
};

} // namespace Tolva::Builders
