#include "StandIn/JSONText.hpp"

#include <charconv>
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

// "%.17g": to_chars with a precision formats as printf does, without its cost per digit.
void AppendNumber(std::string& out, double number) {
    if (!std::isfinite(number)) {
        out += "null";
        return;
    }
    char text[32];
    out.append(text, std::to_chars(text, text + sizeof text, number, std::chars_format::general, 17).ptr);
}

void AppendValue(std::string& out, const Value& value) {
    switch (value.GetType()) {
    case Value::BOOL:
        out += value.GetBool() ? "true" : "false";
        return;
    case Value::INTEGER: {
        char text[16];
        out.append(text, std::to_chars(text, text + sizeof text, value.GetInteger()).ptr);
        return;
    }
    case Value::UINTEGER: {
        char text[16];
        out.append(text, std::to_chars(text, text + sizeof text, value.GetUInteger()).ptr);
        return;
    }
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

// Plain pointers: a counted cast per value would cost two atomic counts each.
void Append(std::string& out, const Base* value) {
    if (const auto plain = dynamic_cast<const Value*>(value)) {
        AppendValue(out, *plain);
    } else if (const auto array = dynamic_cast<const Array*>(value)) {
        out += '[';
        const char* separator = "";
        for (const GS::Ref<Base>& item : array->GetItemArray()) {
            out += separator;
            Append(out, item);
            separator = ",";
        }
        out += ']';
    } else if (const auto object = dynamic_cast<const Object*>(value)) {
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
    Append(out, static_cast<const Base*>(value));
    return out;
}

} // namespace JS
