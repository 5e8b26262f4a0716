#include "Builders/FurnitureBuilder.hpp"

#include "Builders/FurnitureGeometry.hpp"
#include "Builders/FurnitureLibraryManager.hpp"
#include "Builders/LayerManager.hpp"
#include "Logging/Logger.hpp"

#include <cmath>
#include <cstring>

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "FurnitureBuilder";
constexpr double Pi = 3.14159265358979323846;

const FurnitureTemplate* FindTemplate(const GS::Array<FurnitureTemplate>& templates,
                                      const GS::UniString& id) {
    for (const FurnitureTemplate& furniture : templates) {
        if (furniture.id == id) {
            return &furniture;
        }
    }
    return nullptr;
}

// Sets a length or real parameter of that exact name; others are left alone.
void SetParameter(API_AddParType** params, const char* name, double value) {
    GSSize count = BMGetHandleSize(reinterpret_cast<GSConstHandle>(params)) /
                   static_cast<GSSize>(sizeof(API_AddParType));
    for (GSSize i = 0; i < count; ++i) {
        API_AddParType& parameter = (*params)[i];
        if (std::strcmp(parameter.name, name) == 0 &&
            (parameter.typeID == APIParT_Length || parameter.typeID == APIParT_RealNum)) {
            parameter.value.real = value;
        }
    }
}

} // namespace

double FurnitureRotation(const TolvaPoint3D& direction, bool isFlipped) {
    double angle = std::atan2(direction.y, direction.x) + (isFlipped ? Pi : 0.0);
    while (angle > Pi) {
        angle -= 2 * Pi;
    }
    while (angle < -Pi) {
        angle += 2 * Pi;
    }
    return angle;
}

GSErrCode FurnitureBuilder::CreateFurniture(const FurnitureObject& item,
                                            const GS::Array<FurnitureTemplate>& templates, short floorInd,
                                            API_Guid& object) {
    object = APINULLGuid;
    const FurnitureTemplate* furniture = FindTemplate(templates, item.planObjectTemplateId);
    if (furniture == nullptr) {
        Logger::Warning(Category, "Template not found: " + item.planObjectTemplateId);
        return APIERR_BADPARS;
    }
    const auto name = furniture->name.ToCStr();
    if (furniture->shape2d.IsEmpty()) {
        Logger::Warning(Category, GS::UniString::Printf("Template '%s' has no shape2d geometry", name.Get()));
        return APIERR_BADPARS;
    }
    Int32 libInd = FurnitureLibraryManager::GetLibraryPartForTemplate(*furniture);
    if (libInd == 0) {
        Logger::Warning(
            Category,
            GS::UniString::Printf("Per-template library part failed for '%s', using fallback", name.Get()));
        libInd = FurnitureLibraryManager::GetFallbackLibraryPart();
        if (libInd == 0) {
            Logger::Warning(Category, "Failed to load any furniture library part");
            return APIERR_GENERAL;
        }
    }
    FurnitureSize size = FurnitureFootprint(*furniture);
    double height = FurnitureHeightForName(furniture->name);
    API_AttributeIndex layer = {};
    if (LayerManager::GetFurnitureLayer(layer) != NoError) {
        layer = {};
    }

    API_Element element = {};
    API_ElementMemo memo = {};
    element.header.type = API_ObjectID;
    if (GSErrCode err = ACAPI_Element_GetDefaults(&element, &memo)) {
        ACAPI_DisposeElemMemoHdls(&memo);
        return err;
    }
    element.object.libInd = libInd;
    element.object.pos = {item.location.x / 1000.0, item.location.y / 1000.0};
    element.object.level = 0;
    element.object.angle = FurnitureRotation(item.direction, item.isFlipped);
    element.object.reflected = item.isFlipped;
    element.header.floorInd = floorInd;
    if (layer.ToInt32_Deprecated() != 0) {
        element.header.layer = layer;
    }
    if (memo.params != nullptr) {
        SetParameter(memo.params, "A", size.a / 1000);
        SetParameter(memo.params, "B", size.b / 1000);
        SetParameter(memo.params, "ZZYZX", height / 1000);
    }
    delete memo.elemInfoString;
    memo.elemInfoString = new GS::UniString(furniture->name);

    GSErrCode err = ACAPI_Element_Create(&element, &memo);
    if (err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("Failed to create furniture '%s': error 0x%08X",
                                                        name.Get(), err));
    } else {
        object = element.header.guid;
        Logger::Debug(Category, GS::UniString::Printf("Created furniture '%s' (%.0fx%.0fx%.0f mm)",
                                                      name.Get(), size.a, size.b, height));
    }
    ACAPI_DisposeElemMemoHdls(&memo);
    return err;
}

} // namespace Tolva::Builders
