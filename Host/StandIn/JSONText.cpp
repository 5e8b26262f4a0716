#include "StandIn/JSONText.hpp"

#include <cmath>
#include <cstdio>

namespace JS {

namespace {

void AppendQuoted(std::string& out, const GS::UniString& text) {
    out += '"';
    for (const char c : std::string(text.ToCStr(CC_UTF8).Get())) {
        const auto unit = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (unit < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", unit);
            out += escape;
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendNumber(std::string& out, double number) {
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", number);
    out += text;
}

void AppendValue(std::string& out, const Value& value) {
    switch (value.GetType()) {
    case Value::BOOL:
        out += value.GetBool() ? "true" : "false";
        return;
    case Value::INTEGER:
    case Value::UINTEGER:
        out += std::to_string(value.GetInteger());
        return;
    case Value::DOUBLE:
        AppendNumber(out, value.GetDouble());
        return;
    case Value::STRING:
        AppendQuoted(out, value.GetString());
        return;
    case Value::DEFAULT:
        break;
    }
    out += "null";
}

void Append(std::string& out, const GS::Ref<Base>& value) {
    if (const auto plain = GS::DynamicCast<Value>(value)) {
        AppendValue(out, *plain);
    } else if (const auto array = GS::DynamicCast<Array>(value)) {
        out += '[';
        const char* separator = "";
        for (const GS::Ref<Base>& item : array->GetItemArray()) {
            out += separator;
            Append(out, item);
            separator = ",";
        }
        out += ']';
    } else if (const auto object = GS::DynamicCast<Object>(value)) {
        out += '{';
        const char* separator = "";
        for (const Object::Member& member : object->GetItemTable()) {
            out += separator;
            AppendQuoted(out, member.name);
            out += ':';
            Append(out, member.value);
            separator = ",";
        }
        out += '}';
    } else {
        out += "null";
    }
}

} // namespace

std::string ToJSONText(const GS::Ref<Base>& value) {
    std::string out;
    Append(out, value);
    return out;
}

} // namespace JS
