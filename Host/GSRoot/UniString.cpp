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
std::u16string DecodeUtf8(const char* text, size_t length) {
    // Never more units than bytes: size the text once and trim it at the end.
    std::u16string out(length, u'\0');
    char16_t* written = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    const auto* const end = p + length;
    while (p != end) {
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
        while (taken < extra && p + 1 + taken != end && (p[1 + taken] & 0xC0) == 0x80) {
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
void ForEachCodePoint(std::u16string_view units, Visit visit) {
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

std::u16string DecodeWindows1252(const char* text, size_t length) {
    std::u16string out;
    out.reserve(length);
    for (const auto* p = reinterpret_cast<const unsigned char*>(text);
         p != reinterpret_cast<const unsigned char*>(text) + length; ++p) {
        AppendCodePoint(out, StandIn::DecodeWindows1252(*p));
    }
    return out;
}

bool IsUtf8(GSCharCode charCode) {
    return charCode != CC_Default || StandIn::DefaultCodePage() == StandIn::CodePage::Utf8;
}

char16_t LowerUnit(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF ? unit : static_cast<char16_t>(std::towlower(unit));
}

char16_t UpperUnit(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF ? unit : static_cast<char16_t>(std::towupper(unit));
}

char16_t NarrowToUnit(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
        return byte;
    }
    // A lone byte above ASCII is no UTF-8 character.
    return IsUtf8(CC_Default) ? static_cast<char16_t>(ReplacementCharacter)
                              : static_cast<char16_t>(StandIn::DecodeWindows1252(byte));
}

char UnitToNarrow(char16_t unit) {
    if (unit < 0x80) {
        return static_cast<char>(unit);
    }
    return IsUtf8(CC_Default) ? '?' : StandIn::EncodeWindows1252(unit);
}

bool IsBlank(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

std::u16string Decode(const char* text, size_t length, GSCharCode charCode) {
    return IsUtf8(charCode) ? DecodeUtf8(text, length) : DecodeWindows1252(text, length);
}

std::u16string FromLayout(const UniChar::Layout* text, size_t length) {
    return std::u16string(text, text + length);
}

std::u16string Folded(std::u16string_view units) {
    std::u16string out(units);
    std::transform(out.begin(), out.end(), out.begin(), LowerUnit);
    return out;
}

} // namespace

const char* EOL = "\r\n";

// --- UniChar ---------------------------------------------------------------------------------------

UniChar::UniChar(char c) : uniChar(NarrowToUnit(c)) {}

UniChar::UniChar(unsigned char c) : uniChar(NarrowToUnit(static_cast<char>(c))) {}

UniChar& UniChar::operator=(char c) {
    uniChar = NarrowToUnit(c);
    return *this;
}

UniChar& UniChar::operator=(unsigned char c) {
    uniChar = NarrowToUnit(static_cast<char>(c));
    return *this;
}

UniChar::operator char() const {
    return UnitToNarrow(uniChar);
}

UniChar::operator unsigned char() const {
    return static_cast<unsigned char>(UnitToNarrow(uniChar));
}

bool UniChar::operator==(char rightOp) const {
    return uniChar == NarrowToUnit(rightOp);
}

bool UniChar::operator==(unsigned char rightOp) const {
    return uniChar == NarrowToUnit(static_cast<char>(rightOp));
}

// --- UniString -------------------------------------------------------------------------------------

UniString::UStr::UStr(const char16_t* units, USize length) : content(new UniChar::Layout[length + 1]) {
    std::copy(units, units + length, content.get());
    content[length] = 0;
}

UniString::UniString(const UniChar::Layout* uStr) {
    if (uStr != nullptr) {
        units = FromLayout(uStr, ucslen(uStr));
    }
}

UniString::UniString(const UniChar::Layout* uChars, USize charCount) : units(FromLayout(uChars, charCount)) {}

UniString::UniString(const char* cStr, GSCharCode charCode) {
    if (cStr != nullptr) {
        units = Decode(cStr, std::strlen(cStr), charCode);
    }
}

UniString::UniString(const char* chars, USize charCount, GSCharCode charCode)
    : units(Decode(chars, charCount, charCode)) {}

UniString::UniString(std::string_view str, GSCharCode charCode)
    : units(Decode(str.data(), str.size(), charCode)) {}

UniString::UniString(const Concatenation& source) : units(source.result.units) {}

UniString& UniString::operator=(const UniChar::Layout* uStr) {
    return *this = UniString(uStr);
}

UniString& UniString::operator=(const char* cStr) {
    return *this = UniString(cStr);
}

UniString& UniString::operator=(std::u16string_view str) {
    units = str;
    return *this;
}

UniString& UniString::operator=(std::string_view str) {
    return *this = UniString(str);
}

UniString& UniString::operator=(const UniString& source) {
    units = source.units;
    return *this;
}

UniString& UniString::operator=(UniString&& source) {
    units = std::move(source.units);
    return *this;
}

UniString& UniString::operator=(const Concatenation& source) {
    units = source.result.units;
    return *this;
}

UIndex UniString::CheckedIndex(UIndex idx) const {
    if (idx >= units.size()) {
        throw IndexOutOfBoundsException();
    }
    return idx;
}

std::u16string_view UniString::Range(UIndex from, USize range) const {
    if (from > units.size()) {
        throw IndexOutOfBoundsException();
    }
    return std::u16string_view(units).substr(from, range);
}

UniString::UStr UniString::ToUStr(UIndex from, USize range) const {
    const std::u16string_view part = Range(from, range);
    return UStr(part.data(), static_cast<USize>(part.size()));
}

UniString::CStr UniString::ToCStr(UIndex from, USize range, GSCharCode charCode, OnConversionError) const {
    const std::u16string_view part = Range(from, range);
    std::string out;
    out.reserve(part.size());
    if (IsUtf8(charCode)) {
        ForEachCodePoint(part, [&](char32_t cp) { AppendUtf8(out, cp); });
    } else {
        ForEachCodePoint(part, [&](char32_t cp) { out.push_back(StandIn::EncodeWindows1252(cp)); });
    }
    return CStr(std::move(out));
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

USize UniString::ScanNarrow(const char* text, const char* format, ...) {
    va_list args;
    va_start(args, format);
    int read = std::vsscanf(text, format, args);
    va_end(args);
    return read < 0 ? 0 : static_cast<USize>(read);
}

bool UniString::operator==(const char* rightOp) const {
    return *this == UniString(rightOp);
}

bool UniString::operator==(const UniChar::Layout* rightOp) const {
    return *this == UniString(rightOp);
}

bool UniString::operator==(std::string_view rightOp) const {
    return *this == UniString(rightOp);
}

bool UniString::IsEqual(const UniString& rightOp, CaseComparison caseComparison) const {
    return caseComparison == CaseSensitive ? units == rightOp.units : Folded(units) == Folded(rightOp.units);
}

bool UniString::Contains(UniChar uc, UIndex from, USize range) const {
    return FindFirst(uc, from, range) != MaxUIndex;
}

bool UniString::Contains(const UniString& str, UIndex from, USize range) const {
    return Range(from, range).find(str.units) != std::u16string_view::npos;
}

UIndex UniString::FindFirst(UniChar uc, UIndex from, USize range) const {
    if (from > units.size()) {
        return MaxUIndex;
    }
    const size_t at = Range(from, range).find(static_cast<char16_t>(uc));
    return at == std::u16string_view::npos ? MaxUIndex : static_cast<UIndex>(from + at);
}

UIndex UniString::FindFirst(const UniString& str, UIndex from, USize range) const {
    if (from > units.size()) {
        return MaxUIndex;
    }
    const size_t at = Range(from, range).find(str.units);
    return at == std::u16string_view::npos ? MaxUIndex : static_cast<UIndex>(from + at);
}

UIndex UniString::FindLast(UniChar uc) const {
    const size_t at = units.rfind(static_cast<char16_t>(uc));
    return at == std::u16string::npos ? MaxUIndex : static_cast<UIndex>(at);
}

UIndex UniString::FindLast(const UniString& str) const {
    const size_t at = units.rfind(str.units);
    return at == std::u16string::npos ? MaxUIndex : static_cast<UIndex>(at);
}

bool UniString::BeginsWith(const UniString& str) const {
    return std::u16string_view(units).substr(0, str.units.size()) == str.units;
}

bool UniString::EndsWith(const UniString& str) const {
    return str.units.size() <= units.size() &&
           std::u16string_view(units).substr(units.size() - str.units.size()) == str.units;
}

USize UniString::ReplaceAll(UniChar oldChar, UniChar newChar, UIndex from, USize range) {
    const std::u16string_view part = Range(from, range);
    USize count = 0;
    for (size_t i = from; i < from + part.size(); ++i) {
        if (oldChar == units[i]) {
            units[i] = newChar;
            ++count;
        }
    }
    return count;
}

USize UniString::ReplaceAll(const UniString& oldStr, const UniString& newStr, UIndex from, USize range) {
    if (oldStr.IsEmpty()) {
        return 0;
    }
    size_t end = from + Range(from, range).size();
    USize count = 0;
    size_t at = from;
    while ((at = units.find(oldStr.units, at)) != std::u16string::npos && at + oldStr.units.size() <= end) {
        units.replace(at, oldStr.units.size(), newStr.units);
        at += newStr.units.size();
        end = end + newStr.units.size() - oldStr.units.size();
        ++count;
    }
    return count;
}

USize UniString::Count(UniChar uc, UIndex from, USize range) const {
    const std::u16string_view part = Range(from, range);
    return static_cast<USize>(std::count(part.begin(), part.end(), static_cast<char16_t>(uc)));
}

USize UniString::Count(const UniString& str, UIndex from, USize range) const {
    const std::u16string_view part = Range(from, range);
    if (str.IsEmpty()) {
        return 0;
    }
    USize count = 0;
    for (size_t at = part.find(str.units); at != std::u16string_view::npos;
         at = part.find(str.units, at + str.units.size())) {
        ++count;
    }
    return count;
}

void UniString::SetToUpperCase(UIndex from, USize range) {
    const size_t count = Range(from, range).size();
    std::transform(units.begin() + from, units.begin() + from + count, units.begin() + from, UpperUnit);
}

void UniString::SetToLowerCase(UIndex from, USize range) {
    const size_t count = Range(from, range).size();
    std::transform(units.begin() + from, units.begin() + from + count, units.begin() + from, LowerUnit);
}

UniString UniString::ToUpperCase(UIndex from, USize range) const {
    UniString result(*this);
    result.SetToUpperCase(from, range);
    return result;
}

UniString UniString::ToLowerCase(UIndex from, USize range) const {
    UniString result(*this);
    result.SetToLowerCase(from, range);
    return result;
}

bool UniString::IsASCII() const {
    return std::all_of(units.begin(), units.end(), [](char16_t unit) { return unit < 0x80; });
}

UniString UniString::GetSubstring(UIndex from, USize range) const {
    return UniString(Range(from, range));
}

UniString UniString::GetSuffix(USize range) const {
    return range >= units.size() ? *this : UniString(Range(static_cast<UIndex>(units.size() - range), range));
}

UInt32 UniString::Split(const UniString& separatorString, Array<UniString>* parts) const {
    parts->Clear();
    if (separatorString.IsEmpty()) {
        parts->Push(*this);
        return 1;
    }
    const std::u16string_view text(units);
    size_t start = 0;
    size_t at = 0;
    while ((at = text.find(separatorString.units, start)) != std::u16string_view::npos) {
        parts->Push(UniString(text.substr(start, at - start)));
        start = at + separatorString.units.size();
    }
    parts->Push(UniString(text.substr(start)));
    return parts->GetSize();
}

void UniString::Insert(UIndex to, UniChar uc) {
    Range(to, 0);
    units.insert(units.begin() + to, static_cast<char16_t>(uc));
}

void UniString::Insert(UIndex to, const UniString& str, UIndex strFrom, USize strRange) {
    Range(to, 0);
    units.insert(to, str.Range(strFrom, strRange));
}

void UniString::Append(const UniString& str, UIndex strFrom, USize strRange) {
    units += str.Range(strFrom, strRange);
}

void UniString::Append(const UniChar::Layout* uStr) {
    units += FromLayout(uStr, ucslen(uStr));
}

void UniString::Append(const UniChar::Layout* uChars, USize charCount) {
    units += FromLayout(uChars, charCount);
}

void UniString::Append(const char* cStr, GSCharCode charCode) {
    units += Decode(cStr, std::strlen(cStr), charCode);
}

void UniString::Append(const char* chars, USize charCount, GSCharCode charCode) {
    units += Decode(chars, charCount, charCode);
}

void UniString::Append(std::string_view str, GSCharCode charCode) {
    units += Decode(str.data(), str.size(), charCode);
}

UniString& UniString::operator+=(UniChar uc) {
    Append(uc);
    return *this;
}

UniString& UniString::operator+=(const UniString& str) {
    Append(str);
    return *this;
}

UniString& UniString::operator+=(const UniChar::Layout* uStr) {
    Append(uStr);
    return *this;
}

UniString& UniString::operator+=(const char* cStr) {
    Append(cStr, CC_Default);
    return *this;
}

UniString& UniString::operator+=(std::u16string_view str) {
    Append(str);
    return *this;
}

UniString& UniString::operator+=(std::string_view str) {
    Append(str, CC_Default);
    return *this;
}

void UniString::Pad(USize toLength, UniChar filler) {
    if (toLength > units.size()) {
        units.resize(toLength, filler);
    }
}

void UniString::Fill(UniChar uc, UIndex from, USize range) {
    const size_t count = Range(from, range).size();
    std::fill(units.begin() + from, units.begin() + from + count, static_cast<char16_t>(uc));
}

void UniString::Delete(UIndex from, USize range) {
    Range(from, 0);
    units.erase(from, range);
}

UIndex UniString::DeleteFirst(UniChar uc, UIndex from, USize range) {
    const UIndex at = FindFirst(uc, from, range);
    if (at != MaxUIndex) {
        units.erase(at, 1);
    }
    return at;
}

UIndex UniString::DeleteFirst(const UniString& str, UIndex from, USize range) {
    const UIndex at = FindFirst(str, from, range);
    if (at != MaxUIndex) {
        units.erase(at, str.units.size());
    }
    return at;
}

void UniString::DeleteAll(UniChar uc, UIndex from, USize range) {
    while (DeleteFirst(uc, from, range) != MaxUIndex) {
    }
}

void UniString::DeleteAll(const UniString& str, UIndex from, USize range) {
    if (str.IsEmpty()) {
        return;
    }
    while (DeleteFirst(str, from, range) != MaxUIndex) {
    }
}

void UniString::TrimLeft() {
    const size_t first = std::find_if_not(units.begin(), units.end(), IsBlank) - units.begin();
    units.erase(0, first);
}

void UniString::TrimLeft(UniChar uc) {
    units.erase(0, units.find_first_not_of(static_cast<char16_t>(uc)));
}

void UniString::TrimRight() {
    while (!units.empty() && IsBlank(units.back())) {
        units.pop_back();
    }
}

void UniString::TrimRight(UniChar uc) {
    while (!units.empty() && uc == units.back()) {
        units.pop_back();
    }
}

void UniString::Trim() {
    TrimRight();
    TrimLeft();
}

void UniString::Trim(UniChar uc) {
    TrimRight(uc);
    TrimLeft(uc);
}

void UniString::Truncate(USize newLength) {
    if (newLength < units.size()) {
        units.resize(newLength);
    }
}

ULong UniString::GenerateHashValue() const {
    UInt32 hash = 2166136261u;
    for (char16_t unit : units) {
        hash = (hash ^ unit) * 16777619u;
    }
    return hash;
}

UniString::Concatenation UniString::Concatenate() {
    return Concatenation();
}

// --- Concatenation ---------------------------------------------------------------------------------

UniString::Concatenation& UniString::Concatenation::operator+(UniChar rightOp) {
    result.Append(rightOp);
    return *this;
}

UniString::Concatenation& UniString::Concatenation::operator+(const UniString& rightOp) {
    result.Append(rightOp);
    return *this;
}

UniString::Concatenation& UniString::Concatenation::operator+(const UniChar::Layout* rightOp) {
    result.Append(rightOp);
    return *this;
}

UniString::Concatenation& UniString::Concatenation::operator+(const char* rightOp) {
    result.Append(rightOp, CC_Default);
    return *this;
}

UniString::Concatenation& UniString::Concatenation::operator+(std::u16string_view rightOp) {
    result.Append(rightOp);
    return *this;
}

UniString::Concatenation& UniString::Concatenation::operator+(std::string_view rightOp) {
    result.Append(rightOp, CC_Default);
    return *this;
}

#define GS_CONCATENATE(Left, Right)                                                                          \
    UniString::Concatenation operator+(Left leftOp, Right rightOp) {                                         \
        UniString::Concatenation concatenation = UniString::Concatenate();                                   \
        concatenation + leftOp + rightOp;                                                                    \
        return concatenation;                                                                                \
    }

GS_CONCATENATE(UniChar, UniChar)
GS_CONCATENATE(UniChar, const UniString&)
GS_CONCATENATE(UniChar, const UniChar::Layout*)
GS_CONCATENATE(UniChar, const char*)
GS_CONCATENATE(UniChar, std::u16string_view)
GS_CONCATENATE(UniChar, std::string_view)
GS_CONCATENATE(const UniString&, UniChar)
GS_CONCATENATE(const UniString&, const UniString&)
GS_CONCATENATE(const UniString&, const UniChar::Layout*)
GS_CONCATENATE(const UniString&, const char*)
GS_CONCATENATE(const UniString&, std::u16string_view)
GS_CONCATENATE(const UniString&, std::string_view)
GS_CONCATENATE(const UniChar::Layout*, UniChar)
GS_CONCATENATE(const UniChar::Layout*, const UniString&)
GS_CONCATENATE(const UniChar::Layout*, std::u16string_view)
GS_CONCATENATE(const UniChar::Layout*, std::string_view)
GS_CONCATENATE(const char*, UniChar)
GS_CONCATENATE(const char*, const UniString&)
GS_CONCATENATE(const char*, std::u16string_view)
GS_CONCATENATE(const char*, std::string_view)

#undef GS_CONCATENATE

// --- uchar_t functions -----------------------------------------------------------------------------

namespace {

template <typename Unit>
void CopyTerminated(Unit* destination, const Unit* source, size_t size) {
    if (size == 0) {
        return;
    }
    size_t i = 0;
    for (; i + 1 < size && source[i] != 0; ++i) {
        destination[i] = source[i];
    }
    for (; i < size; ++i) {
        destination[i] = 0;
    }
}

template <typename Unit>
size_t LengthOf(const Unit* text) {
    size_t length = 0;
    while (text[length] != 0) {
        ++length;
    }
    return length;
}

} // namespace

uchar_t* ucsncpy(uchar_t* dst, const uchar_t* src, std::size_t n) {
    CopyTerminated(dst, src, n);
    return dst;
}

void ucsncpy(char16_t* dst, const char16_t* src, std::size_t n) {
    CopyTerminated(dst, src, n);
}

std::size_t ucslen(const uchar_t* str) {
    return LengthOf(str);
}

std::size_t ucslen(const char16_t* str) {
    return LengthOf(str);
}

} // namespace GS
