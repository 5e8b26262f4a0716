#include "Builders/SlabBuilder.hpp"

#include "Builders/MaterialManager.hpp"
#include "Builders/MemoGuard.hpp"
#include "Builders/PolygonConversion.hpp"
#include "Builders/SubPolygonMessage.hpp"
#include "Logging/Logger.hpp"

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "SlabBuilder";

} // namespace

GSErrCode SlabBuilder::CreateSlab(const TolvaPolygon& polygon, double thickness, short floorInd,
                                  API_Guid& slabGuid) {
    API_Element slab = {};
    API_ElementMemo memo = {};
    MemoGuard guard(memo);
    slab.header.type = API_SlabID;
    if (const GSErrCode err = ACAPI_Element_GetDefaults(&slab, &memo); err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Slab GetDefaults failed: %d", err));
        return err;
    }
    API_AttributeIndex material = {};
    if (const GSErrCode err = MaterialManager::GetTolvaMaterial(material); err != NoError) {
        Logger::Error(Category, "Failed to get Tolva material for slab creation");
        return err;
    }
    slab.slab.modelElemStructureType = API_BasicStructure;
    slab.slab.buildingMaterial = material;
    slab.slab.composite = ACAPI_CreateAttributeIndex(0);
    // The defaults' own polygon goes; the plan's replaces it.
    BMKillHandle(reinterpret_cast<GSHandle*>(&memo.coords));
    BMKillHandle(reinterpret_cast<GSHandle*>(&memo.pends));
    BMKillHandle(reinterpret_cast<GSHandle*>(&memo.parcs));
    slab.header.floorInd = floorInd;
    slab.slab.thickness = thickness / 1000.0;
    slab.slab.level = 0.0;
    if (polygon.polylines.IsEmpty()) {
        Logger::Error(Category, "Polygon has no polylines");
        return APIERR_BADPARS;
    }
    if (const GSErrCode err = ConvertToHostPolygon(polygon, slab.slab.poly, memo, Category, false, {}, true);
        err != NoError) {
        return err;
    }
    if (polygon.polylines.GetSize() > 1) {
        Logger::Info(Category, SubPolygonMessage("Slab created", polygon));
    }
    if (const GSErrCode err = ACAPI_Element_Create(&slab, &memo); err != NoError) {
        Logger::Error(Category,
                      GS::UniString::Printf("Slab creation failed: error code %d (0x%X)", err, err));
        return err;
    }
    slabGuid = slab.header.guid;
    return NoError;
}

} // namespace Tolva::Builders
