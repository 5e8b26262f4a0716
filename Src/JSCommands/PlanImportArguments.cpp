#include "JSCommands/PlanImportArguments.hpp"

#include "Logging/Logger.hpp"
#include "Parsers/JsonText.hpp"
#include "ZoneBoundary/ReferencePointCache.hpp"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace JSCommands::PlanImportCommands {

namespace {
constexpr const char* Category = "PlanImportCommands";
}

std::optional<ReferencePoint> ResolveReferencePoint(const rapidjson::Value& parameters,
                                                    ArgumentFailure& failure) {
    const auto reference = parameters.FindMember("reference");
    if (reference != parameters.MemberEnd() && reference->value.IsObject()) {
        const rapidjson::Value& point = reference->value;
        if (!point.HasMember("x") || !point["x"].IsNumber()) {
            failure = {"'reference.x' must be a number", "'reference.x' must be a number (in millimeters)"};
            return std::nullopt;
        }
        if (!point.HasMember("y") || !point["y"].IsNumber()) {
            failure = {"'reference.y' must be a number", "'reference.y' must be a number (in millimeters)"};
            return std::nullopt;
        }
        const ReferencePoint given{point["x"].GetDouble(), point["y"].GetDouble()};
        Logger::Debug(Category,
                      GS::UniString::Printf("Using reference from JSON: (%.2f, %.2f) mm", given.x, given.y));
        return given;
    }
    const ReferencePointCache::Reading cached = ReferencePointCache::Instance().TryGet();
    if (!cached.valid) {
        failure = {
            "No reference field provided and no cached reference available",
            "Missing 'reference' field and no cached reference point available. Please call "
            "getZoneAtPoint() first to establish a reference point, or include 'reference' in your JSON."};
        return std::nullopt;
    }
    Logger::Info(Category,
                 GS::UniString::Printf("Using cached reference from previous getZoneAtPoint: (%.2f, %.2f) mm",
                                       cached.x, cached.y));
    Logger::Warning(Category,
                    "No reference provided in importPlan call - using cached value. Consider including "
                    "reference explicitly in your JSON for more reliable imports.");
    return ReferencePoint{cached.x, cached.y};
}

GS::UniString ExtractPlanTemplateJson(const rapidjson::Value& planTemplate) {
    rapidjson::Document document(rapidjson::kObjectType);
    rapidjson::Value copy(planTemplate, document.GetAllocator());
    document.AddMember("planTemplate", copy, document.GetAllocator());
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    document.Accept(writer);
    GS::UniString text = Tolva::Parsers::ToUniString(buffer.GetString(), buffer.GetSize());
    Logger::Debug(Category, GS::UniString::Printf("Plan JSON length: %u chars", text.GetLength()));
    return text;
}

} // namespace JSCommands::PlanImportCommands
