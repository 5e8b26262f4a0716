#include "Builders/StoryMappingUtils.hpp"

#include "ACAPinc.h"
#include "Logging/Logger.hpp"

#include <cmath>

namespace Tolva::Builders::StoryMappingUtils {

namespace {

constexpr const char* Category = "StoryMappingUtils";

bool HasElevationNear(const ElevationFloorMap& map, double elevationMm) {
    for (const auto& [elevation, floor] : map) {
        if (std::abs(elevation - elevationMm) < SameElevationTolerance) {
            return true;
        }
    }
    return false;
}

} // namespace

GSErrCode BuildElevationMapping(ElevationFloorMap& map, short& floorOffset) {
    API_StoryInfo storyInfo = {};
    if (const GSErrCode err = ACAPI_ProjectSetting_GetStorySettings(&storyInfo); err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to get story settings: error %d", err));
        return err;
    }
    floorOffset = storyInfo.skipNullFloor ? 1 : 0;
    Logger::Debug(Category, GS::UniString::Printf("skipNullFloor=%s, floorOffset=%d",
                                                  storyInfo.skipNullFloor ? "true" : "false", floorOffset));
    for (Int32 index = storyInfo.firstStory; index <= storyInfo.lastStory; ++index) {
        const double levelM = (*storyInfo.data)[index - storyInfo.firstStory].level;
        const double elevationMm = levelM * 1000.0;
        if (HasElevationNear(map, elevationMm)) {
            continue;
        }
        map.Add(elevationMm, static_cast<short>(index));
        Logger::Debug(Category, GS::UniString::Printf("Story %d: elevation %.3f m (%.0f mm) → floor index %d",
                                                      index, levelM, elevationMm, index));
    }
    BMKillHandle(reinterpret_cast<GSHandle*>(&storyInfo.data));
    Logger::Info(Category, GS::UniString::Printf(
                               "Built elevation-to-floor mapping with %d unique elevations (floorOffset=%d)",
                               static_cast<Int32>(map.GetSize()), floorOffset));
    return NoError;
}

} // namespace Tolva::Builders::StoryMappingUtils
