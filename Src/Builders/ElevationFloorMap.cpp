#include "Builders/ElevationFloorMap.hpp"

#include "Logging/Logger.hpp"

#include <cmath>
#include <limits>

namespace Tolva::Builders::StoryMappingUtils {

namespace {

constexpr const char* Category = "StoryMappingUtils";

} // namespace

short FindFloorForElevation(double elevationMm, const ElevationFloorMap& map) {
    double bestDistance = std::numeric_limits<double>::max();
    const short* bestFloor = nullptr;
    for (const auto& [elevation, floor] : map) {
        const double distance = std::abs(elevation - elevationMm);
        if (distance < bestDistance) {
            bestDistance = distance;
            bestFloor = &floor;
        }
    }
    if (bestFloor == nullptr) {
        Logger::Warning(Category, GS::UniString::Printf(
                                      "No floor mapping found for elevation %.0f mm, defaulting to floor 0",
                                      elevationMm));
        return 0;
    }
    if (bestDistance > SameElevationTolerance) {
        Logger::Warning(Category,
                        GS::UniString::Printf("No exact floor mapping found for elevation %.0f mm (closest "
                                              "is %.0f mm away), using floor %d",
                                              elevationMm, bestDistance, static_cast<Int32>(*bestFloor)));
    }
    return *bestFloor;
}

} // namespace Tolva::Builders::StoryMappingUtils
