#include "UniString.hpp"

#include "Array.hpp"
#include "GSException.hpp"
#include "StandIn/CodePage.hpp"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <vector>

namespace GS {

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

// Writes one code point at out, as a surrogate pair above the basic plane, and returns its end.
char16_t* PutCodePoint(char16_t* out, char32_t cp) {
    if (cp >= 0x10000) {
        cp -= 0x10000;
        *out++ = static_cast<char16_t>(0xD800 + (cp >> 10));
        *out++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        *out++ = static_cast<char16_t>(cp);
    }
    return out;
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
    char16_t units[2];
    out.append(units, PutCodePoint(units, cp));
}

// Decodes UTF-8; every malformed sequence becomes one U+FFFD and decoding goes on.
std::u16string DecodeUtf8(const char* text) {
    // Never more units than bytes: size the text once and trim it at the end.
    std::u16string out(std::strlen(text), u'\0');
    char16_t* written = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        unsigned char lead = *p;
        if (lead < 0x80) {
            *written++ = lead;
            ++p;
            continue;
        }
        int extra = 0;
        char32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            cp = lead & 0x07;
        } else {
            *written++ = static_cast<char16_t>(ReplacementCharacter);
            ++p;
            continue;
        }
        int taken = 0;
        while (taken < extra && (p[1 + taken] & 0xC0) == 0x80) {
            cp = (cp << 6) | (p[1 + taken] & 0x3F);
            ++taken;
        }
        bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
        bool invalid = taken < extra || overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF);
        written = PutCodePoint(written, invalid ? ReplacementCharacter : cp);
        p += 1 + taken;
    }
    out.resize(static_cast<size_t>(written - out.data()));
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Walks the code points of UTF-16 text; an unpaired surrogate yields U+FFFD.
template <typename Visit>
void ForEachCodePoint(const std::u16string& units, Visit visit) {
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            visit(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            visit(ReplacementCharacter);
        } else {
            visit(u);
        }
    }
}

std::u16string DecodeWindows1252(const char* text) {
    std::u16string out;
    out.reserve(std::strlen(text));
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        AppendCodePoint(out, StandIn::DecodeWindows1252(*p));
    }
    return out;
}

bool IsUtf8(CharCode charCode) {
    return charCode != CC_Default || StandIn::DefaultCodePage() == StandIn::CodePage::Utf8;
}

char16_t LowerUnit(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF ? unit : static_cast<char16_t>(std::towlower(unit));
}

char16_t UpperUnit(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF ? unit : static_cast<char16_t>(std::towupper(unit));
}

} // namespace

UniString::UniString(const char* text, CharCode charCode) {
    if (text != nullptr) {
        units = IsUtf8(charCode) ? DecodeUtf8(text) : DecodeWindows1252(text);
    }
}

UniString::UniString(const char16_t* text) : units(text != nullptr ? text : u"") {}

UniString::UniString(const char16_t* text, USize length) : units(text, length) {}

UniChar UniString::operator[](USize index) const {
    if (index >= units.size()) {
        throw IndexOutOfBoundsException();
    }
    return units[index];
}

UniChar& UniString::operator[](USize index) {
    if (index >= units.size()) {
        throw IndexOutOfBoundsException();
    }
    return units[index];
}

UniString::CStr UniString::ToCStr(CharCode charCode) const {
    std::string out;
    out.reserve(units.size());
    if (IsUtf8(charCode)) {
        ForEachCodePoint(units, [&](char32_t cp) { AppendUtf8(out, cp); });
    } else {
        ForEachCodePoint(units, [&](char32_t cp) { out.push_back(StandIn::EncodeWindows1252(cp)); });
    }
    return CStr(std::move(out));
}

std::wstring UniString::ToWide() const {
    std::wstring out;
    ForEachCodePoint(units, [&](char32_t cp) { out.push_back(static_cast<wchar_t>(cp)); });
    return out;
}

UniString UniString::FromWide(const std::wstring& wide) {
    std::u16string out;
    for (wchar_t c : wide) {
        AppendCodePoint(out, static_cast<char32_t>(c));
    }
    return UniString(std::move(out));
}

UniString UniString::FormatNarrow(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buffer(needed > 0 ? static_cast<size_t>(needed) + 1 : 1, '\0');
    if (needed > 0) {
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
    }
    va_end(args);
    return UniString(buffer.data());
}

Int32 UniString::ScanNarrow(const char* text, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int read = std::vsscanf(text, format, args);
    va_end(args);
    return read < 0 ? 0 : read;
}

UniString UniString::Folded() const {
    std::u16string out(units);
    std::transform(out.begin(), out.end(), out.begin(), LowerUnit);
    return UniString(std::move(out));
}

bool UniString::IsEqual(const UniString& other, CaseComparison comparison) const {
    return comparison == CaseSensitive ? units == other.units : Folded().units == other.Folded().units;
}

bool UniString::Contains(const UniString& part, CaseComparison comparison) const {
    if (comparison == CaseInsensitive) {
        return Folded().units.find(part.Folded().units) != std::u16string::npos;
    }
    return units.find(part.units) != std::u16string::npos;
}

bool UniString::Contains(UniChar unit) const {
    return units.find(unit) != std::u16string::npos;
}

bool UniString::BeginsWith(const UniString& prefix, CaseComparison comparison) const {
    if (prefix.units.size() > units.size()) {
        return false;
    }
    return GetSubstring(0, prefix.GetLength()).IsEqual(prefix, comparison);
}

bool UniString::EndsWith(const UniString& suffix, CaseComparison comparison) const {
    if (suffix.units.size() > units.size()) {
        return false;
    }
    return GetSubstring(GetLength() - suffix.GetLength(), suffix.GetLength()).IsEqual(suffix, comparison);
}

USize UniString::FindFirst(const UniString& part, USize from) const {
    size_t at = units.find(part.units, from);
    return at == std::u16string::npos ? MaxIndex : static_cast<USize>(at);
}

USize UniString::FindLast(const UniString& part) const {
    size_t at = units.rfind(part.units);
    return at == std::u16string::npos ? MaxIndex : static_cast<USize>(at);
}

UniString UniString::ToLowerCase() const {
    return Folded();
}

UniString UniString::ToUpperCase() const {
    std::u16string out(units);
    std::transform(out.begin(), out.end(), out.begin(), UpperUnit);
    return UniString(std::move(out));
}

UniString& UniString::SetToLowerCase() {
    *this = ToLowerCase();
    return *this;
}

UniString& UniString::SetToUpperCase() {
    *this = ToUpperCase();
    return *this;
}

UniString UniString::GetSubstring(USize from, USize length) const {
    if (from > units.size()) {
        throw IndexOutOfBoundsException();
    }
    return UniString(units.substr(from, length));
}

UniString& UniString::Delete(USize from, USize length) {
    if (from > units.size()) {
        throw IndexOutOfBoundsException();
    }
    units.erase(from, length);
    return *this;
}

UniString& UniString::Truncate(USize length) {
    if (length < units.size()) {
        units.resize(length);
    }
    return *this;
}

UniString& UniString::Trim() {
    auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
    while (!units.empty() && blank(units.back())) {
        units.pop_back();
    }
    size_t first = 0;
    while (first < units.size() && blank(units[first])) {
        ++first;
    }
    units.erase(0, first);
    return *this;
}

USize UniString::ReplaceAll(const UniString& from, const UniString& to) {
    if (from.IsEmpty()) {
        return 0;
    }
    USize count = 0;
    size_t at = 0;
    while ((at = units.find(from.units, at)) != std::u16string::npos) {
        units.replace(at, from.units.size(), to.units);
        at += to.units.size();
        ++count;
    }
    return count;
}

USize UniString::Split(const UniString& delimiter, Array<UniString>* pieces) const {
    pieces->Clear();
    if (delimiter.IsEmpty()) {
        pieces->Push(*this);
        return 1;
    }
    size_t start = 0;
    size_t at = 0;
    while ((at = units.find(delimiter.units, start)) != std::u16string::npos) {
        pieces->Push(UniString(units.substr(start, at - start)));
        start = at + delimiter.units.size();
    }
    pieces->Push(UniString(units.substr(start)));
    return pieces->GetSize();
}

UniString& UniString::Append(const UniString& other) {
    units += other.units;
    return *this;
}

UniString& UniString::Append(UniChar unit) {
    units.push_back(unit);
    return *this;
}

UInt32 UniString::GenerateHashValue() const {
    UInt32 hash = 2166136261u;
    for (char16_t unit : units) {
        hash = (hash ^ unit) * 16777619u;
    }
    return hash;
}

void ucsncpy(uchar_t* destination, const uchar_t* source, USize size) {
    if (size == 0) {
        return;
    }
    USize i = 0;
    for (; i + 1 < size && source[i] != 0; ++i) {
        destination[i] = source[i];
    }
    for (; i < size; ++i) {
        destination[i] = 0;
    }
}

USize ucslen(const uchar_t* text) {
    USize length = 0;
    while (text[length] != 0) {
        ++length;
    }
    return length;
}

} // namespace GS
