#include "ZoneBoundary/ZoneBoundaryUtils.hpp"

#include "ACAPinc.h"
#include "Logging/Logger.hpp"
#include "Parsers/JsonReader.hpp"
#include "Parsers/JsonText.hpp"
#include "ZoneBoundary/ReferencePointCache.hpp"
#include "ZoneBoundary/TemporaryZoneCreator.hpp"
#include "ZoneBoundary/ZoneBoundaryCommands.hpp"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace ZoneBoundaryUtils {

namespace {

constexpr const char* Category = "ZoneBoundaryUtils";
constexpr int MaxDecimalPlaces = 10;

ZoneExtractionResult Failure(const GS::UniString& logged, const GS::UniString& message) {
    Logger::Error(Category, logged);
    ZoneExtractionResult result;
    result.errorMessage = message;
    return result;
}

GSErrCode ReadBoundaryThroughTemporaryZone(const API_Coord& point, GS::UniString& json) {
    API_Guid zone = APINULLGuid;
    if (const GSErrCode err = TemporaryZoneCreator::CreateTemporaryZoneAtPoint(point, zone); err != NoError) {
        Logger::Error(Category, GS::UniString::Printf("Failed to create temporary zone (error: %d)", err));
        return err;
    }
    Logger::Info(Category, "Successfully created temporary zone");
    json = JSCommands::ExtractZoneBoundaryAsJSON(zone);
    // The extraction stands even when the zone stays behind.
    if (const GSErrCode err = TemporaryZoneCreator::DeleteTemporaryZone(zone); err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("Failed to delete temporary zone (error: %d)", err));
    } else {
        Logger::Info(Category, "Successfully deleted temporary zone");
    }
    return NoError;
}

GS::UniString CompactText(const rapidjson::Document& document) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    writer.SetMaxDecimalPlaces(MaxDecimalPlaces);
    document.Accept(writer);
    return Tolva::Parsers::ToUniString(buffer.GetString(), buffer.GetSize());
}

} // namespace

ZoneExtractionResult ExtractZoneDataAtPoint(const API_Coord& point) {
    Logger::Debug(Category,
                  GS::UniString::Printf("ExtractZoneDataAtPoint: Starting extraction at (%.2f, %.2f)",
                                        point.x, point.y));
    const double referenceX = point.x * 1000.0;
    const double referenceY = point.y * 1000.0;

    GS::UniString json;
    const GSErrCode err = ACAPI_CallUndoableCommand(
        "Extract Zone Boundary", [&]() { return ReadBoundaryThroughTemporaryZone(point, json); });
    if (err != NoError) {
        const GS::UniString message =
            GS::UniString::Printf("Failed to extract zone boundary (error: %d)", err);
        return Failure(message, message);
    }
    if (json.IsEmpty()) {
        return Failure("ExtractZoneBoundaryAsJSON returned empty data",
                       "Failed to extract zone boundary data");
    }
    rapidjson::Document document;
    const Tolva::Parsers::JsonReadResult read = Tolva::Parsers::ReadJson(json, document);
    if (!read.IsOk()) {
        return Failure(
            GS::UniString::Printf("JSON parse error at offset %u", static_cast<unsigned>(read.offset)),
            "Failed to parse zone data JSON");
    }
    if (!document.IsObject()) {
        return Failure("Zone data is not a JSON object", "Invalid zone data format");
    }
    if (document.HasMember("success") && document["success"].IsBool() && !document["success"].GetBool()) {
        GS::UniString message = "Failed to extract zone boundary data";
        if (document.HasMember("error") && document["error"].IsString()) {
            message = Tolva::Parsers::ToUniString(document["error"]);
        }
        return Failure(message, message);
    }

    rapidjson::Value reference(rapidjson::kObjectType);
    reference.AddMember("x", referenceX, document.GetAllocator());
    reference.AddMember("y", referenceY, document.GetAllocator());
    if (document.HasMember("reference")) {
        document["reference"] = reference;
    } else {
        document.AddMember("reference", reference, document.GetAllocator());
    }

    ReferencePointCache::Instance().Save(referenceX, referenceY);
    Logger::Info(Category, "Successfully extracted zone boundary data with reference point");
    ZoneExtractionResult result;
    result.success = true;
    result.zoneDataJson = CompactText(document);
    result.referenceX = referenceX;
    result.referenceY = referenceY;
    return result;
}

} // namespace ZoneBoundaryUtils
