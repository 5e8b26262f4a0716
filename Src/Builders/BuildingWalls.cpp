#include "Builders/BuildingWalls.hpp"

#include "Builders/LayerManager.hpp"
#include "Builders/WallBuilder.hpp"
#include "Logging/Logger.hpp"

namespace Tolva::Builders::BuildingOrchestrator {

namespace {

constexpr const char* Category = "BuildingOrchestrator";

API_AttributeIndex LayerOf(WallLayerKind kind) {
    API_AttributeIndex layer = ACAPI_CreateAttributeIndex(0);
    if (kind != WallLayerKind::Default && LayerManager::GetWallLayer(kind, layer) != NoError) {
        Logger::Warning(Category, "Failed to get layer for wall type, using default layer");
        layer = ACAPI_CreateAttributeIndex(0);
    }
    return layer;
}

} // namespace

GSErrCode CreateWallsFromSegments(const GS::Array<WallSegment>& segments, GS::Array<API_Guid>& createdWalls,
                                  GS::Array<WallSlabPair>& wallSlabPairs, Int32& created, Int32& failed) {
    for (USize i = 0; i < segments.GetSize(); ++i) {
        const WallSegment& segment = segments[i];
        API_Guid wallGuid = {};
        const GSErrCode err = WallBuilder::CreateWall(
            segment.start, segment.end, segment.thickness, segment.floorIndex, segment.bottomOffset, wallGuid,
            segment.height, LayerOf(segment.layerKind), segment.isExterior);
        if (err != NoError) {
            ++failed;
            Logger::Error(Category, GS::UniString::Printf("Failed to create wall %d: error %d",
                                                          static_cast<Int32>(i), err));
            continue;
        }
        createdWalls.Push(wallGuid);
        ++created;
        if (segment.isExterior) {
            wallSlabPairs.Push({wallGuid, API_Guid{}, static_cast<short>(segment.floorIndex + 1)});
        }
    }
    return NoError;
}

GSErrCode ApplySeoTrimming(const GS::Array<WallSlabPair>& wallSlabPairs, const FloorSlabTable& slabsByFloor) {
    Int32 successful = 0;
    Int32 failedCount = 0;
    GSErrCode lastFailure = NoError;
    for (const WallSlabPair& pair : wallSlabPairs) {
        const API_Guid* slab = slabsByFloor.GetPtr(pair.slabFloorIndex);
        if (slab == nullptr) {
            Logger::Debug(Category, GS::UniString::Printf("No slab found for story level %d (top story?)",
                                                          static_cast<Int32>(pair.slabFloorIndex)));
            continue;
        }
        const GSErrCode err = ACAPI_Element_SolidLink_Create(pair.wallGuid, *slab, APISolid_Substract, 0);
        if (err == NoError) {
            ++successful;
            Logger::Debug(Category, "Applied SEO trim to facade wall");
        } else if (err == APIERR_LINKEXIST) {
            ++successful;
            Logger::Debug(Category, "SEO link already exists for facade wall");
        } else {
            ++failedCount;
            lastFailure = err;
            Logger::Warning(Category, GS::UniString::Printf("Failed to apply SEO: error %d", err));
        }
    }
    Logger::Info(Category,
                 GS::UniString::Printf("SEO trimming: %d successful, %d failed", successful, failedCount));
    return lastFailure;
}

} // namespace Tolva::Builders::BuildingOrchestrator
