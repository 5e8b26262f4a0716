#include "Builders/WallBuilder.hpp"

#include "Builders/LayerManager.hpp"
#include "Builders/MaterialManager.hpp"
#include "Builders/PropertySetter.hpp"
#include "Logging/ErrorAggregation.hpp"
#include "Logging/Logger.hpp"

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "WallBuilder";
constexpr double DefaultHeightMetres = 3.0;

API_Coord Metres(const TolvaPoint3D& point) {
    return {point.x / 1000.0, point.y / 1000.0};
}

// What the plan decides of a wall; everything else stays as the defaults have it.
void Override(API_Element& wall, const TolvaPoint3D& begin, const TolvaPoint3D& end, double thickness,
              short floorInd, double bottomOffset, double height, API_AttributeIndex layer,
              API_AttributeIndex material) {
    if (layer.ToInt32_Deprecated() != 0) {
        wall.header.layer = layer;
    }
    wall.header.floorInd = floorInd;
    API_WallType& fields = wall.wall;
    fields.modelElemStructureType = API_BasicStructure;
    fields.buildingMaterial = material;
    fields.composite = ACAPI_CreateAttributeIndex(0);
    fields.profileAttr = ACAPI_CreateAttributeIndex(0);
    fields.begC = Metres(begin);
    fields.endC = Metres(end);
    fields.thickness = thickness / 1000.0;
    fields.referenceLineLocation = APIWallRefLine_Center;
    fields.height = height > 0 ? height / 1000.0 : DefaultHeightMetres;
    fields.bottomOffset = bottomOffset;
    fields.flipped = false;
    fields.polyCanChange = false;
    fields.offset = 0.0;
    fields.topOffset = 0.0;
}

} // namespace

GSErrCode WallBuilder::CreateWall(const TolvaPoint3D& begin, const TolvaPoint3D& end, double thickness,
                                  short floorInd, double bottomOffset, API_Guid& wallGuid, double height,
                                  API_AttributeIndex layer, bool markAsExterior) {
    API_AttributeIndex material = {};
    if (const GSErrCode err = MaterialManager::GetTolvaMaterial(material); err != NoError) {
        Logger::Error(Category, "Failed to get Tolva material for wall creation");
        return err;
    }
    API_Element wall = {};
    API_ElementMemo memo = {};
    wall.header.type = API_WallID;
    const GSErrCode defaults = ACAPI_Element_GetDefaults(&wall, &memo);
    // Walls are made without a memo.
    ACAPI_DisposeElemMemoHdls(&memo);
    if (defaults != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to get wall defaults: %d", defaults));
        return defaults;
    }
    Override(wall, begin, end, thickness, floorInd, bottomOffset, height, layer, material);
    if (const GSErrCode err = ACAPI_Element_Create(&wall, nullptr); err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to create wall: %d", err));
        return err;
    }
    wallGuid = wall.header.guid;
    if (markAsExterior) {
        if (const GSErrCode err = PropertySetter::SetPositionExterior(wallGuid); err != NoError) {
            Logger::Warning(Category, GS::UniString::Printf("Failed to set Position property: %d", err));
        }
    }
    return NoError;
}

GSErrCode WallBuilder::CreateWallsFromGraph(const WallGuides& wallGuides, short floorInd,
                                            GS::Array<API_Guid>& createdWalls, bool skipStoryPlanWalls) {
    ErrorAggregation::ErrorAggregationScope scope("Wall Creation", wallGuides.edges.GetSize());
    UInt32 created = 0;
    GSErrCode lastError = NoError;
    for (USize i = 0; i < wallGuides.edges.GetSize(); ++i) {
        if (!IsUsableEdge(wallGuides, i)) {
            scope.RecordSkip();
            continue;
        }
        const WallGuide* guide = GuideOfEdge(wallGuides, i);
        if (guide == nullptr) {
            continue;
        }
        if (skipStoryPlanWalls && guide->source == "story-plan") {
            Logger::Debug(Category,
                          GS::UniString::Printf("Skipping story wall (edge %u) to avoid duplicate", i));
            scope.RecordSkip();
            continue;
        }
        if (guide->geometryType != "simple" || !(guide->width > 0)) {
            continue;
        }
        API_AttributeIndex layer = {};
        if (LayerManager::GetWallLayer(WallLayerKind::UnitWalls, layer) != NoError) {
            Logger::Warning(Category, "Failed to get Unit Walls layer, using default layer");
            layer = ACAPI_CreateAttributeIndex(0);
        }
        const GS::Array<Int32>& edge = wallGuides.edges[i];
        API_Guid wallGuid = {};
        const GSErrCode err = CreateWall(wallGuides.vertices[static_cast<USize>(edge[0])],
                                         wallGuides.vertices[static_cast<USize>(edge[1])], guide->width,
                                         floorInd, 0.0, wallGuid, 0.0, layer, false);
        if (err != NoError) {
            scope.RecordFailure();
            Logger::ErrorWithContext(Category,
                                     GS::UniString::Printf("Edge %d: Wall creation FAILED with error %d",
                                                           static_cast<Int32>(i), err),
                                     GS::UniString::Printf("edge %u", i));
            lastError = err;
            continue;
        }
        createdWalls.Push(wallGuid);
        ++created;
        scope.RecordSuccess();
    }
    const ErrorAggregation::ErrorAggregationContext& counts = scope.GetContext();
    Logger::Info(Category,
                 GS::UniString::Printf("Wall creation from %u edges: %u created, %u failed, %u skipped",
                                       counts.totalItems, counts.successCount, counts.failedCount,
                                       counts.skippedCount));
    return created > 0 ? NoError : lastError;
}

} // namespace Tolva::Builders
