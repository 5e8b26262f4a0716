#include "Builders/SpacesImport.hpp"

#include "Logging/Logger.hpp"

#include <cmath>
#include <optional>

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";

// Not-a-number and infinite values say nothing about where the building stands.
template <typename Items, typename Height>
std::optional<double> LowestFinite(const Items& items, Height height) {
    std::optional<double> lowest;
    for (const auto& item : items) {
        const double value = height(item);
        if (std::isfinite(value) && (!lowest || value < *lowest)) {
            lowest = value;
        }
    }
    return lowest;
}

} // namespace

GSErrCode ComputeBaseElevation(const GS::Array<TolvaSpace>& spaces, const GS::Array<TolvaStory>* stories,
                               double& baseMm) {
    baseMm = 0.0;
    if (stories != nullptr && !stories->IsEmpty()) {
        if (const auto lowest =
                LowestFinite(*stories, [](const TolvaStory& story) { return story.heightOffset; })) {
            baseMm = *lowest;
            Logger::Info(Category,
                         GS::UniString::Printf("Using base elevation %.0f mm from building data", baseMm));
            return NoError;
        }
        Logger::Warning(Category,
                        "Building data provided but no valid elevations found, falling back to spaces.json");
    }
    if (spaces.IsEmpty()) {
        return NoError;
    }
    const auto lowest = LowestFinite(spaces, [](const TolvaSpace& space) { return space.labelPosition.z; });
    if (!lowest) {
        Logger::Error(Category,
                      "No valid elevations found in spaces.json - all z-values are NaN or infinite");
        return APIERR_BADPARS;
    }
    baseMm = *lowest;
    Logger::Info(Category,
                 GS::UniString::Printf("Calculated base elevation %.0f mm from spaces.json", baseMm));
    return NoError;
}

} // namespace Tolva::Builders::BuildingOrchestrator
