#include "Builders/LayerManager.hpp"

#include "Logging/Logger.hpp"

#include <array>

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "LayerManager";
constexpr Int32 TolvaIntersectionGroup = 100;

struct CachedLayer {
    const char* name;
    bool valid = false;
    API_AttributeIndex index = {};
};

std::array<CachedLayer, 4>& LayerCache() {
    static std::array<CachedLayer, 4> cache = {
        CachedLayer{"Tolva Story Walls"}, CachedLayer{"Tolva Unit Walls"}, CachedLayer{"Tolva Facade Walls"},
        CachedLayer{"Tolva Furniture"}};
    return cache;
}

CachedLayer* CacheSlot(const GS::UniString& name) {
    for (CachedLayer& slot : LayerCache()) {
        if (name == slot.name) {
            return &slot;
        }
    }
    return nullptr;
}

const char* WallLayerName(WallLayerKind kind) {
    switch (kind) {
    case WallLayerKind::StoryWalls:
        return LayerCache()[0].name;
    case WallLayerKind::UnitWalls:
        return LayerCache()[1].name;
    case WallLayerKind::FacadeWalls:
        return LayerCache()[2].name;
    default:
        return nullptr;
    }
}

// Writes intersection group 100 into the layer unless it has it; the host's code otherwise 0.
GSErrCode EnsureIntersectionGroup(API_Attribute& layer) {
    if (layer.layer.conClassId == TolvaIntersectionGroup) {
        return NoError;
    }
    layer.layer.conClassId = TolvaIntersectionGroup;
    return ACAPI_Attribute_Modify(&layer, nullptr);
}

} // namespace

GSErrCode LayerManager::GetWallLayer(WallLayerKind kind, API_AttributeIndex& index) {
    if (kind == WallLayerKind::Default) {
        index = ACAPI_CreateAttributeIndex(0);
        return NoError;
    }
    const char* name = WallLayerName(kind);
    if (name == nullptr) {
        Logger::Error(Category, "Unknown wall type");
        return APIERR_GENERAL;
    }
    return GetOrCreateLayer(name, index);
}

GSErrCode LayerManager::GetFurnitureLayer(API_AttributeIndex& index) {
    return GetOrCreateLayer(LayerCache()[3].name, index);
}

GSErrCode LayerManager::GetOrCreateLayer(const GS::UniString& name, API_AttributeIndex& index) {
    CachedLayer* slot = CacheSlot(name);
    if (slot != nullptr && slot->valid && slot->index.IsPositive()) {
        index = slot->index;
        return NoError;
    }
    const auto remember = [&] {
        if (slot != nullptr) {
            slot->valid = true;
            slot->index = index;
        }
    };
    if (FindLayer(name, index)) {
        Logger::Info(Category, GS::UniString::Printf("Found existing layer '%s' at index %d",
                                                     name.ToCStr().Get(), index.ToInt32_Deprecated()));
        remember();
        return NoError;
    }
    Logger::Info(Category,
                 GS::UniString::Printf("Layer '%s' not found, creating new layer", name.ToCStr().Get()));
    const GSErrCode err = CreateLayer(name, index);
    if (err == NoError) {
        remember();
    }
    return err;
}

bool LayerManager::FindLayer(const GS::UniString& name, API_AttributeIndex& index) {
    GS::UniString layerName = name;
    API_Attribute layer = {};
    layer.header.typeID = API_LayerID;
    layer.header.uniStringNamePtr = &layerName;
    const GSErrCode err = ACAPI_Attribute_Get(&layer);
    if (err == APIERR_BADNAME) {
        return false;
    }
    if (err != NoError) {
        Logger::Warning(
            Category,
            GS::UniString::Printf("Layer existence check failed with error %d, will attempt creation", err));
        return false;
    }
    if (const GSErrCode updateErr = EnsureIntersectionGroup(layer); updateErr != NoError) {
        Logger::Warning(Category,
                        GS::UniString::Printf("Failed to update intersection group for layer '%s': error %d",
                                              name.ToCStr().Get(), updateErr));
    }
    index = layer.header.index;
    return true;
}

GSErrCode LayerManager::CreateLayer(const GS::UniString& name, API_AttributeIndex& index) {
    GS::UniString layerName = name;
    API_Attribute layer = {};
    layer.header.typeID = API_LayerID;
    layer.header.uniStringNamePtr = &layerName;
    const GSErrCode err = ACAPI_Attribute_Create(&layer, nullptr);
    if (err == APIERR_ATTREXIST) {
        Logger::Info(Category, "Layer already exists (created by another call), retrieving index");
        if (FindLayer(name, index)) {
            return NoError;
        }
        Logger::Error(Category, "Layer exists but could not retrieve index");
        return APIERR_GENERAL;
    }
    if (err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to create layer '%s': error code %d",
                                                      name.ToCStr().Get(), err));
        return err;
    }
    index = layer.header.index;
    API_Attribute created = {};
    created.header.typeID = API_LayerID;
    created.header.index = index;
    GSErrCode updateErr = ACAPI_Attribute_Get(&created);
    if (updateErr == NoError) {
        updateErr = EnsureIntersectionGroup(created);
    }
    if (updateErr != NoError) {
        Logger::Warning(Category,
                        GS::UniString::Printf("Failed to set intersection group for new layer '%s': error %d",
                                              name.ToCStr().Get(), updateErr));
    }
    Logger::Info(Category, GS::UniString::Printf("Created layer '%s' at index %d", name.ToCStr().Get(),
                                                 index.ToInt32_Deprecated()));
    return NoError;
}

void LayerManager::ForgetIndices() {
    for (CachedLayer& slot : LayerCache()) {
        slot.valid = false;
        slot.index = {};
    }
}

void LayerManager::InvalidateCache() {
    ForgetIndices();
    Logger::Info(Category, "Cache invalidated due to project change");
}

} // namespace Tolva::Builders
