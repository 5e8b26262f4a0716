#include "Parsers/PlanElementParsers.hpp"

#include "Parsers/ElementLists.hpp"
#include "Parsers/FieldReaders.hpp"
#include "Parsers/GeometryParsers.hpp"
#include "Parsers/ParserLog.hpp"
#include "Parsers/WallGuideParsers.hpp"

namespace Tolva::Parsers {

namespace {

bool ParseRequiredPoint(const rapidjson::Value& object, const char* key, TolvaPoint3D& point) {
    const rapidjson::Value* value = FindField(object, key);
    return value != nullptr && ParsePoint3D(*value, point);
}

// Optional members whose parse result does not matter: a bad one keeps the default.
template <typename Record, typename Parse>
void ParseOptional(const rapidjson::Value& object, const char* key, Record& record, Parse parse) {
    if (const rapidjson::Value* value = FindField(object, key)) {
        parse(*value, record);
    }
}

void ParseTransforms(const rapidjson::Value& transforms, Transition& transition) {
    ParseOptional(transforms, "frontSide", transition.frontSide, ParseTransform);
    ParseOptional(transforms, "backSide", transition.backSide, ParseTransform);
    ParseOptional(transforms, "center", transition.center, ParseTransform);
    transition.hasTransforms = true;
}

bool ParseFurnitureShape(const rapidjson::Value& value, FurnitureShape& shape) {
    if (!value.IsObject() || !GetRequiredString(value, "type", shape.type, true)) {
        return false;
    }
    AppendParsed(FindField(value, "points"), shape.points, ParsePoint3D);
    return true;
}

} // namespace

bool ParsePlanContainer(const rapidjson::Value& value, PlanContainer& container) {
    if (!value.IsObject() || !GetRequiredString(value, "type", container.type, true) ||
        !GetRequiredString(value, "containedPlanType", container.containedPlanType, true) ||
        !GetRequiredString(value, "id", container.id, true)) {
        return false;
    }
    const rapidjson::Value* bounds = FindField(value, "bounds");
    if (bounds == nullptr || !ParsePolygon(*bounds, container.bounds)) {
        return false;
    }
    AppendParsed(FindField(value, "boundsWallGuideSegments"), container.boundsWallGuideSegments,
                 ParseBoundsWallGuideSegment);
    ParseOptional(value, "transform", container.transform, ParseTransform);
    AppendStrings(FindField(value, "tagIds"), container.tagIds);
    ParseOptional(value, "referencePoint", container.referencePoint, ParsePoint3D);
    GetRequiredString(value, "spaceTypeId", container.spaceTypeId, false);
    return true;
}

bool ParseSpaceType(const rapidjson::Value& value, SpaceType& spaceType) {
    if (!value.IsObject() || !GetRequiredString(value, "id", spaceType.id, true)) {
        return false;
    }
    GetRequiredString(value, "class", spaceType.className, false);
    if (!GetRequiredString(value, "color", spaceType.color, true) ||
        !GetRequiredString(value, "displayName", spaceType.displayName, true)) {
        return false;
    }
    GetRequiredBool(value, "slabCut", spaceType.slabCut, false);
    GetRequiredBool(value, "gfaExclude", spaceType.gfaExclude, false);
    GetRequiredBool(value, "giaExclude", spaceType.giaExclude, false);
    GetRequiredBool(value, "niaExclude", spaceType.niaExclude, false);
    GetRequiredBool(value, "ufaExclude", spaceType.ufaExclude, false);
    GetRequiredBool(value, "needsDaylight", spaceType.needsDaylight, false);
    GetRequiredBool(value, "verticalTransportation", spaceType.verticalTransportation, false);
    return true;
}

bool ParseTransition(const rapidjson::Value& value, Transition& transition) {
    if (!value.IsObject() || !GetRequiredString(value, "id", transition.id, true) ||
        !GetRequiredString(value, "type", transition.type, true) ||
        !ParseRequiredPoint(value, "location", transition.location) ||
        !ParseRequiredPoint(value, "direction", transition.direction)) {
        return false;
    }
    GetRequiredBool(value, "isFlipped", transition.isFlipped, false);
    GetRequiredString(value, "definitionId", transition.definitionId, false);
    GetRequiredNumber(value, "scale", transition.scale, false);
    GetRequiredString(value, "unitId", transition.unitId, false);
    GetRequiredString(value, "storyId", transition.storyId, false);
    const rapidjson::Value* transforms = FindField(value, "transforms");
    if (transforms != nullptr && transforms->IsObject()) {
        ParseTransforms(*transforms, transition);
    }
    return true;
}

bool ParseFurnitureObject(const rapidjson::Value& value, FurnitureObject& item) {
    if (!value.IsObject() || !GetRequiredString(value, "id", item.id, true) ||
        !GetRequiredString(value, "type", item.type, true)) {
        return false;
    }
    if (item.type != "plan_object" && item.type != "plan_object_instance") {
        return false;
    }
    if (!ParseRequiredPoint(value, "location", item.location) ||
        !ParseRequiredPoint(value, "direction", item.direction)) {
        return false;
    }
    GetRequiredBool(value, "isFlipped", item.isFlipped, false);
    GetRequiredString(value, "objectType", item.objectType, false);
    GetRequiredString(value, "planObjectTemplateId", item.planObjectTemplateId, false);
    GetRequiredString(value, "storyId", item.storyId, false);
    if constexpr (DebugLogged) {
        Logger::Debug(ParserCategory,
                      GS::UniString::Printf("Parsed furniture object: id=%s, storyId=%s, "
                                            "location=(%f, %f, %f)",
                                            item.id.ToCStr().Get(), item.storyId.ToCStr().Get(),
                                            item.location.x, item.location.y, item.location.z));
    }
    return true;
}

bool ParseFurnitureTemplate(const rapidjson::Value& value, FurnitureTemplate& furnitureTemplate) {
    if (!value.IsObject() || !GetRequiredString(value, "id", furnitureTemplate.id, true) ||
        !GetRequiredString(value, "name", furnitureTemplate.name, true)) {
        return false;
    }
    GetRequiredString(value, "objectType", furnitureTemplate.objectType, false);
    GetRequiredString(value, "visibility", furnitureTemplate.visibility, false);
    AppendStrings(FindField(value, "tags"), furnitureTemplate.tags);
    ParseOptional(value, "bounds", furnitureTemplate.bounds, ParsePolygon);
    AppendParsed(FindField(value, "shape2d"), furnitureTemplate.shape2d, ParseFurnitureShape);
    return true;
}

} // namespace Tolva::Parsers
