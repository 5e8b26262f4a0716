#include "Parsers/JsonText.hpp"

#include <cstring>
#include <string>

namespace Tolva::Parsers {

namespace {

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Writes one code point at out and returns the end of what it wrote.
char* PutUtf8(char* out, char32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<char>(0xC0 | (cp >> 6));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (cp >> 12));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (cp >> 18));
        *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace

Utf8Text ToUtf8(const GS::UniString& text) {
    const std::u16string& units = text.ToUStr();
    // No unit takes more than three bytes: a surrogate pair takes four for its two units.
    Utf8Text result{std::unique_ptr<char[]>(new char[units.size() * 3 + 1]), 0};
    char* out = result.bytes.get();
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t unit = units[i];
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
        } else if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            out = PutUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00));
        } else {
            out = PutUtf8(out, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? 0xFFFD : unit);
        }
    }
    result.length = static_cast<size_t>(out - result.bytes.get());
    return result;
}

GS::UniString ToUniString(const char* text, size_t length) {
    GS::UniString result;
    const char* end = text + length;
    while (true) {
        const char* nul = static_cast<const char*>(std::memchr(text, '\0', static_cast<size_t>(end - text)));
        const char* pieceEnd = nul != nullptr ? nul : end;
        result.Append(GS::UniString(std::string(text, pieceEnd), GS::CC_Default));
        if (nul == nullptr) {
            return result;
        }
        result.Append(GS::UniChar(0));
        text = nul + 1;
    }
}

GS::UniString ToUniString(const rapidjson::Value& stringValue) {
    const char* text = stringValue.GetString();
    size_t length = stringValue.GetStringLength();
    // The document ends every string with a NUL, so one without embedded NULs, the common case,
    // converts in place without a copy.
    if (std::memchr(text, '\0', length) == nullptr) {
        return GS::UniString(text, GS::CC_Default);
    }
    return ToUniString(text, length);
}

} // namespace Tolva::Parsers
