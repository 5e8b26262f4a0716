#include "Update/VersionResponse.hpp"

#include "Logging/Logger.hpp"
#include "Parsers/JsonReader.hpp"
#include "Parsers/JsonText.hpp"

#include <rapidjson/error/en.h>

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
        size_t offset = read.offset;
        rapidjson::ParseErrorCode code = read.code;
        if (code == rapidjson::kParseErrorUnspecificSyntaxError && offset < body.size() &&
            body[offset] != '{' && body[offset] != '[') {
            // The reader turns away a root that is neither object nor array before parsing it; such a
            // root holds no nesting, so the library itself can say what is wrong with it, if anything.
            rapidjson::Document plain;
            plain.Parse(body.data(), body.size());
            if (!plain.HasParseError()) {
                Logger::Warning(Category, "Missing or invalid 'minimumVersionAllowed' field in response");
                return false;
            }
            code = plain.GetParseError();
            offset = plain.GetErrorOffset();
        }
        Logger::Warning(Category, "JSON parse error at offset " + GS::UniString(std::to_string(offset)) +
                                      ": " + rapidjson::GetParseError_En(code));
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
