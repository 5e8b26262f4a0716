#include "Update/VersionResponse.hpp"

#include "Logging/Logger.hpp"
#include "Parsers/JsonReader.hpp"
#include "Parsers/JsonText.hpp"

#include <string>

namespace VersionCheck {

namespace {

constexpr const char* Category = "VersionCheck";

// The member's text when it is a string.
const rapidjson::Value* StringMember(const rapidjson::Value& object, const char* name) {
    auto member = object.FindMember(name);
    return member != object.MemberEnd() && member->value.IsString() ? &member->value : nullptr;
}

} // namespace

bool ParseVersionResponse(const std::string& body, VersionResponse& result) {
    // The add-on's one JSON reader: its depth limit keeps a hostile answer from exhausting the stack.
    rapidjson::Document document;
    const Tolva::Parsers::JsonReadResult read = Tolva::Parsers::ReadJson(body.data(), body.size(), document);
    if (!read.IsOk()) {
        Logger::Warning(Category, "JSON parse error at offset " + GS::UniString(std::to_string(read.offset)) +
                                      ": " + read.ErrorText());
        return false;
    }
    const rapidjson::Value* minimum =
        document.IsObject() ? StringMember(document, "minimumVersionAllowed") : nullptr;
    if (minimum == nullptr) {
        Logger::Warning(Category, "Missing or invalid 'minimumVersionAllowed' field in response");
        return false;
    }
    result.minimumVersionAllowed = Tolva::Parsers::ToUniString(*minimum);
    const rapidjson::Value* latest = StringMember(document, "latestVersion");
    result.latestVersion = latest != nullptr ? Tolva::Parsers::ToUniString(*latest) : GS::UniString();
    return true;
}

} // namespace VersionCheck
