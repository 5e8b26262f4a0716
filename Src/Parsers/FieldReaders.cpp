#include "Parsers/FieldReaders.hpp"

#include "Parsers/JsonText.hpp"
#include "Parsers/ParserLog.hpp"

namespace Tolva::Parsers {

namespace {

// The words of one field kind in the two warnings.
struct FieldKind {
    const char* missingWord;
    const char* typeWord;
    const char* expectedWord;
};

constexpr FieldKind StringKind{"string", "a string", "string"};
constexpr FieldKind NumberKind{"number", "a number", "number"};
constexpr FieldKind IntKind{"integer", "an integer", "integer"};
constexpr FieldKind BoolKind{"boolean", "a boolean", "boolean"};

template <typename IsKind, typename Store>
bool ReadField(const rapidjson::Value& object, const char* key, bool required, const FieldKind& kind,
               IsKind isKind, Store store) {
    const rapidjson::Value* value = FindField(object, key);
    if (value == nullptr) {
        if (required) {
            ParserWarning(GS::UniString::Printf("Missing required %s field: '%s'", kind.missingWord, key));
        }
        return !required;
    }
    if (!isKind(*value)) {
        ParserWarning(GS::UniString::Printf("Field '%s' is not %s (expected %s)", key, kind.typeWord,
                                            kind.expectedWord));
        return false;
    }
    store(*value);
    return true;
}

} // namespace

const rapidjson::Value* FindField(const rapidjson::Value& object, const char* key) {
    if (!object.IsObject()) {
        return nullptr;
    }
    auto member = object.FindMember(key);
    return member == object.MemberEnd() ? nullptr : &member->value;
}

bool GetRequiredString(const rapidjson::Value& object, const char* key, GS::UniString& out, bool required) {
    return ReadField(
        object, key, required, StringKind, [](const rapidjson::Value& v) { return v.IsString(); },
        [&](const rapidjson::Value& v) { out = ToUniString(v); });
}

bool GetRequiredNumber(const rapidjson::Value& object, const char* key, double& out, bool required) {
    return ReadField(
        object, key, required, NumberKind, [](const rapidjson::Value& v) { return v.IsNumber(); },
        [&](const rapidjson::Value& v) { out = v.GetDouble(); });
}

bool GetRequiredInt(const rapidjson::Value& object, const char* key, Int32& out, bool required) {
    // RapidJSON keeps 3.0 and 1e2 as doubles, so IsInt holds only for plain integers in range.
    return ReadField(
        object, key, required, IntKind, [](const rapidjson::Value& v) { return v.IsInt(); },
        [&](const rapidjson::Value& v) { out = v.GetInt(); });
}

bool GetRequiredBool(const rapidjson::Value& object, const char* key, bool& out, bool required) {
    return ReadField(
        object, key, required, BoolKind, [](const rapidjson::Value& v) { return v.IsBool(); },
        [&](const rapidjson::Value& v) { out = v.GetBool(); });
}

} // namespace Tolva::Parsers
