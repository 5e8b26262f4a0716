#include "JSCommands/UserInputCommands.hpp"

#include "ACAPinc.h"
#include "JSCommands/ResultEnvelope.hpp"
#include "Logging/Logger.hpp"
#include "ZoneBoundary/ZoneBoundaryUtils.hpp"

#include <cmath>
#include <cstdio>

namespace JSCommands::UserInputCommands {

namespace {
constexpr const char* Category = "UserInputCommands";
}

GS::Ref<JS::Base> GetZoneAtPoint(GS::Ref<JS::Base>) {
    Logger::Debug(Category, "GetZoneAtPoint: Prompting user for point input");
    API_GetPointType pointInfo{};
    std::snprintf(pointInfo.prompt, sizeof(pointInfo.prompt), "%s",
                  "Click inside a room to find enclosing walls");
    const GSErrCode err = ACAPI_UserInput_GetPoint(&pointInfo);
    if (err == APIERR_CANCEL) {
        Logger::Info(Category, "GetZoneAtPoint: User cancelled point selection");
        return MakeErrorResult("User cancelled point selection");
    }
    if (err != NoError) {
        const GS::UniString message = GS::UniString::Printf("Failed to get point input (error: %d)", err);
        Logger::Error(Category, message);
        return MakeErrorResult(message);
    }
    const API_Coord3D& clicked = pointInfo.pos;
    Logger::Debug(Category, GS::UniString::Printf("GetZoneAtPoint: User clicked at (%.2f, %.2f, %.2f)",
                                                  clicked.x, clicked.y, clicked.z));
    if (!std::isfinite(clicked.x) || !std::isfinite(clicked.y)) {
        Logger::Error(Category, "Invalid point coordinates (NaN or infinity)");
        return MakeErrorResult("Invalid point coordinates");
    }
    const ZoneBoundaryUtils::ZoneExtractionResult result =
        ZoneBoundaryUtils::ExtractZoneDataAtPoint({clicked.x, clicked.y});
    if (!result.success) {
        Logger::Error(Category, result.errorMessage);
        return MakeErrorResult(result.errorMessage);
    }
    Logger::Info(Category, "GetZoneAtPoint: Successfully returned zone boundary data with clicked point");
    return GS::NewRef<JS::Value>(result.zoneDataJson);
}

} // namespace JSCommands::UserInputCommands
