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

template <size_t Count>
bool IsAsciiRun(const GS::uchar_t* units) {
    GS::uchar_t all = 0;
    for (size_t k = 0; k < Count; ++k) {
        all |= units[k];
    }
    return all < 0x80;
}

// The compiler turns this into a few vector instructions: the pointers do not alias.
template <size_t Count>
void NarrowAsciiRun(const GS::uchar_t* __restrict units, char* __restrict out) {
    for (size_t k = 0; k < Count; ++k) {
        out[k] = static_cast<char>(units[k]);
    }
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

bool DefaultConversionIsUtf8() {
    // A letter outside ASCII tells the code pages apart: UTF-8 writes it as these two bytes.
    return std::strcmp(GS::UniString(u"\u00e9").ToCStr().Get(), "\xC3\xA9") == 0;
}

size_t Utf8Capacity(const GS::UniString& text) {
    // No unit takes more than three bytes: a surrogate pair takes four for its two units.
    return static_cast<size_t>(text.GetLength()) * 3 + 1;
}

size_t WriteUtf8(const GS::UniString& text, char* out) {
    const auto codeUnits = text.ToUStr();
    const GS::uchar_t* units = codeUnits.Get();
    const size_t count = text.GetLength();
    char* const begin = out;
    constexpr size_t Run = 16;
    for (size_t i = 0; i < count; ++i) {
        // Page texts are almost all ASCII: copy such runs without looking at each unit alone.
        while (i + Run <= count && IsAsciiRun<Run>(units + i)) {
            NarrowAsciiRun<Run>(units + i, out);
            out += Run;
            i += Run;
        }
        if (i == count) {
            break;
        }
        char32_t unit = units[i];
        if (unit < 0x80) {
            *out++ = static_cast<char>(unit);
        } else if (IsHighSurrogate(unit) && i + 1 < count && IsLowSurrogate(units[i + 1])) {
            out = PutUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00));
        } else {
            out = PutUtf8(out, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? 0xFFFD : unit);
        }
    }
    return static_cast<size_t>(out - begin);
}

GS::UniString ToUniString(const char* text, size_t length) {
    GS::UniString result;
    const char* end = text + length;
    while (true) {
        const char* nul = static_cast<const char*>(std::memchr(text, '\0', static_cast<size_t>(end - text)));
        const char* pieceEnd = nul != nullptr ? nul : end;
        result.Append(GS::UniString(std::string(text, pieceEnd), CC_Default));
        if (nul == nullptr) {
            return result;
        }
        result.Append(GS::UniChar(u'\0'));
        text = nul + 1;
    }
}

GS::UniString ToUniString(const rapidjson::Value& stringValue) {
    const char* text = stringValue.GetString();
    size_t length = stringValue.GetStringLength();
    // The document ends every string with a NUL, so one without embedded NULs, the common case,
    // converts in place without a copy.
    if (std::memchr(text, '\0', length) == nullptr) {
        return GS::UniString(text, CC_Default);
    }
    return ToUniString(text, length);
}

} // namespace Tolva::Parsers
