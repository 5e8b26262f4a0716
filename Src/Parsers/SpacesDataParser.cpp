#include "Parsers/SpacesDataParser.hpp"

#include "Logging/Logger.hpp"
#include "Parsers/FieldReaders.hpp"
#include "Parsers/GeometryParsers.hpp"
#include "Parsers/JsonReader.hpp"
#include "Parsers/JsonText.hpp"
#include "Parsers/ListRoot.hpp"
#include "Parsers/ParserLog.hpp"
#include "Parsers/PlanElementParsers.hpp"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace Tolva::Parsers {

namespace {

constexpr const char* SpacesDataCategory = "ParseSpacesData";
constexpr const char* SpaceCategory = "ParseSpace";
constexpr const char* UnitCategory = "ParseUnitAsSpace";
constexpr const char* StoryLevelCategory = "ExtractStoryLevelFromSpaceId";

GS::Array<GS::UniString> SplitId(const GS::UniString& id) {
    GS::Array<GS::UniString> parts;
    id.Split("-", &parts);
    return parts;
}

// The decimal integer at the start of the text, read as a "%d" scan reads it (blanks and a sign
// before it, anything after it), except that a number that does not fit 32 bits is not read: a
// scan's overflow is undefined and gave nonsense floors.
std::optional<Int32> LeadingInt32(const GS::UniString& text) {
    const auto narrow = text.ToCStr();
    const char* begin = narrow.Get();
    const char* end = begin + std::strlen(begin);
    while (begin < end && std::isspace(static_cast<unsigned char>(*begin))) {
        ++begin;
    }
    if (begin + 1 < end && begin[0] == '+' && std::isdigit(static_cast<unsigned char>(begin[1]))) {
        ++begin;
    }
    Int32 value = 0;
    if (std::from_chars(begin, end, value).ec != std::errc()) {
        return std::nullopt;
    }
    return value;
}

// The mean of the points' x and y (z = 0). Coordinates near the largest double overflow their sum;
// only then is each divided first, so ordinary means keep their usual rounding.
TolvaPoint3D MeanOf(const GS::Array<TolvaPoint3D>& points) {
    const double count = points.GetSize();
    double sumX = 0.0;
    double sumY = 0.0;
    for (const TolvaPoint3D& point : points) {
        sumX += point.x;
        sumY += point.y;
    }
    if (std::isfinite(sumX) && std::isfinite(sumY)) {
        return {sumX / count, sumY / count, 0.0};
    }
    double meanX = 0.0;
    double meanY = 0.0;
    for (const TolvaPoint3D& point : points) {
        meanX += point.x / count;
        meanY += point.y / count;
    }
    return {meanX, meanY, 0.0};
}

// A string member as text; empty when missing or of another type.
GS::UniString StringOrEmpty(const rapidjson::Value& object, const char* key) {
    const rapidjson::Value* value = FindField(object, key);
    return value != nullptr && value->IsString() ? ToUniString(*value) : GS::UniString();
}

void ParseSpaceTypes(const rapidjson::Value& project, SpacesData& data) {
    // An array root has no "spaceTypes" either.
    const rapidjson::Value* spaceTypes = FindField(project, "spaceTypes");
    if (spaceTypes == nullptr || !spaceTypes->IsArray()) {
        Logger::Warning(SpacesDataCategory, "project.json missing 'spaceTypes' array");
        return;
    }
    for (const rapidjson::Value& element : spaceTypes->GetArray()) {
        SpaceType spaceType;
        if (ParseSpaceType(element, spaceType)) {
            data.spaceTypes.Push(std::move(spaceType));
        }
    }
}

// Appends the elements that parse, warning with the index of each that does not; returns how many
// were appended.
template <typename Parse>
USize AppendSpaces(const rapidjson::Value& list, SpacesData& data, Parse parse, const char* failure) {
    USize appended = 0;
    for (rapidjson::SizeType i = 0; i < list.Size(); ++i) {
        TolvaSpace space;
        if (parse(list[i], space)) {
            data.spaces.Push(std::move(space));
            ++appended;
        } else {
            Logger::Warning(SpacesDataCategory, GS::UniString::Printf(failure, i));
        }
    }
    return appended;
}

bool ParseSpacesText(const GS::UniString& spacesJson, SpacesData& data, GS::UniString& errorText) {
    rapidjson::Document document;
    JsonReadResult read = ReadJson(spacesJson, document);
    if (!read.IsOk()) {
        errorText = "Failed to parse spaces.json: " + read.ErrorText();
        return false;
    }
    const rapidjson::Value* list = FindListArray(document);
    if (list == nullptr) {
        errorText = "spaces.json must be an array or an object with a 'value' array property";
        return false;
    }
    AppendSpaces(*list, data, ParseSpace, "Failed to parse space at index %u");
    if (data.spaces.IsEmpty()) {
        Logger::Info(SpacesDataCategory, "No valid spaces found in spaces.json");
    }
    return true;
}

void ParseUnitsText(const GS::UniString& unitsJson, SpacesData& data) {
    rapidjson::Document document;
    JsonReadResult read = ReadJson(unitsJson, document);
    if (!read.IsOk()) {
        Logger::Warning(SpacesDataCategory, "Failed to parse units.json: " + read.ErrorText());
        return;
    }
    const rapidjson::Value* list = FindListArray(document);
    if (list == nullptr) {
        Logger::Warning(SpacesDataCategory,
                        "units.json must be an array or an object with a 'value' array property");
        return;
    }
    USize units = AppendSpaces(*list, data, ParseUnitAsSpace, "Failed to parse unit at index %u");
    if (units > 0) {
        Logger::Info(SpacesDataCategory,
                     GS::UniString::Printf("Parsed %u units from units.json for zone import", units));
    } else {
        Logger::Info(SpacesDataCategory, "No valid units found in units.json");
    }
}

} // namespace

Int32 ExtractStoryLevelFromSpaceId(const GS::UniString& id) {
    if (id.IsEmpty()) {
        return -1;
    }
    GS::Array<GS::UniString> parts = SplitId(id);
    if (parts.GetSize() < 2) {
        Logger::Warning(StoryLevelCategory,
                        "Invalid space ID format (expected 'building-story-unit-space'): " + id);
        return -1;
    }
    const std::optional<Int32> level = LeadingInt32(parts[1]);
    if (!level) {
        Logger::Warning(StoryLevelCategory, "Failed to parse story level from: " + parts[1]);
        return -1;
    }
    return *level;
}

bool ParseSpace(const rapidjson::Value& value, TolvaSpace& space) {
    if (!value.IsObject()) {
        return false;
    }
    const rapidjson::Value* polygon = FindField(value, "polygon");
    if (polygon == nullptr || !polygon->IsObject()) {
        Logger::Warning(SpaceCategory, "Space missing required 'polygon' field");
        return false;
    }
    if (!ParsePolygon(*polygon, space.polygon)) {
        Logger::Warning(SpaceCategory, "Failed to parse polygon");
        return false;
    }
    const rapidjson::Value* labelPosition = FindField(value, "labelPosition");
    if (labelPosition == nullptr || !labelPosition->IsArray()) {
        Logger::Warning(SpaceCategory, "Space missing required 'labelPosition' field");
        return false;
    }
    if (!ParsePoint3D(*labelPosition, space.labelPosition)) {
        Logger::Warning(SpaceCategory, "Failed to parse labelPosition");
        return false;
    }
    // null and other types leave the space without a type.
    space.spaceTypeId = StringOrEmpty(value, "spaceTypeId");

    GS::UniString identifier = StringOrEmpty(value, "id");
    if (identifier.IsEmpty()) {
        identifier = StringOrEmpty(value, "unitId");
    }
    if (identifier.IsEmpty()) {
        space.storyLevel = 0;
        Logger::Debug(SpaceCategory, "No id or unitId found, defaulting to storyLevel=0");
        return true;
    }
    space.storyLevel = ExtractStoryLevelFromSpaceId(identifier);
    if constexpr (DebugLogged) {
        Logger::Debug(SpaceCategory, GS::UniString::Printf("Extracted from id/unitId='%s' -> storyLevel=%d",
                                                           identifier.ToCStr().Get(), space.storyLevel));
    }
    if (space.storyLevel < 0) {
        Logger::Warning(SpaceCategory, "Failed to extract story level from id/unitId: " + identifier);
        space.storyLevel = 0;
    }
    return true;
}

bool ParseUnitAsSpace(const rapidjson::Value& value, TolvaSpace& space) {
    if (!value.IsObject()) {
        return false;
    }
    GS::UniString id;
    if (!GetRequiredString(value, "id", id, true)) {
        Logger::Warning(UnitCategory, "Unit missing 'id' field");
        return false;
    }
    const auto idNarrow = id.ToCStr();
    const char* idText = idNarrow.Get();
    const rapidjson::Value* polygon = FindField(value, "polygon");
    if (polygon == nullptr || !polygon->IsObject()) {
        Logger::Warning(UnitCategory, GS::UniString::Printf("Unit %s missing 'polygon' field", idText));
        return false;
    }
    if (!ParsePolygon(*polygon, space.polygon)) {
        Logger::Warning(UnitCategory, GS::UniString::Printf("Failed to parse polygon for unit %s", idText));
        return false;
    }
    if (space.polygon.polylines.IsEmpty() || space.polygon.polylines[0].points.IsEmpty()) {
        Logger::Warning(UnitCategory, GS::UniString::Printf("Unit %s has empty polygon", idText));
        return false;
    }

    // The label goes to the mean of the outer contour's points; a closing point counts as one.
    space.labelPosition = MeanOf(space.polygon.polylines[0].points);

    GS::UniString storyId;
    if (!GetRequiredString(value, "storyId", storyId, false) || storyId.IsEmpty()) {
        storyId.Truncate(0);
        GS::Array<GS::UniString> parts = SplitId(id);
        if (parts.GetSize() >= 2) {
            storyId = parts[0] + "-" + parts[1];
        }
        space.storyLevel = ExtractStoryLevelFromSpaceId(id);
        if constexpr (DebugLogged) {
            Logger::Debug(UnitCategory,
                          GS::UniString::Printf("Extracted from id='%s' -> storyId='%s', storyLevel=%d",
                                                idText, storyId.ToCStr().Get(), space.storyLevel));
        }
    } else {
        space.storyLevel = ExtractStoryLevelFromSpaceId(storyId);
        if constexpr (DebugLogged) {
            Logger::Debug(UnitCategory, GS::UniString::Printf("Extracted from storyId='%s' -> storyLevel=%d",
                                                              storyId.ToCStr().Get(), space.storyLevel));
        }
    }
    if (space.storyLevel < 0) {
        Logger::Warning(
            UnitCategory,
            GS::UniString::Printf("Failed to extract story level for unit %s, using ground floor", idText));
        space.storyLevel = 0;
    }
    space.spaceTypeId = "UNIT:" + id + ":" + storyId;
    return true;
}

bool ParseSpacesData(const GS::UniString& spacesJson, const GS::UniString& projectJson,
                     const GS::UniString& unitsJson, SpacesData& data, GS::UniString& errorText) {
    if (projectJson.IsEmpty() || projectJson == "{}") {
        Logger::Info(SpacesDataCategory, "No project.json provided - skipping space types (unit zones only)");
    } else {
        rapidjson::Document project;
        JsonReadResult read = ReadJson(projectJson, project);
        if (!read.IsOk()) {
            errorText = "Failed to parse project.json: " + read.ErrorText();
            return false;
        }
        ParseSpaceTypes(project, data);
    }
    if (!spacesJson.IsEmpty() && !ParseSpacesText(spacesJson, data, errorText)) {
        return false;
    }
    if (!unitsJson.IsEmpty()) {
        ParseUnitsText(unitsJson, data);
    }
    return true;
}

} // namespace Tolva::Parsers
