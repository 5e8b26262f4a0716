#pragma once

#include "Definitions.hpp"
#include "uchar_t.hpp"

#include <string>
#include <type_traits>

namespace GS {

template <typename T>
class Array;

enum CaseComparison { CaseSensitive, CaseInsensitive };

// Character conversions. The default is the host's code page: UTF-8 unless the driver chose another
// (StandIn/CodePage.hpp); CC_WindowsUnicode converts narrow text as UTF-8.
enum CharCode { CC_Default, CC_UTF8, CC_WindowsUnicode };

// Text as UTF-16 code units, as in GSRoot: lengths and indices count code units.
class HOST_API UniString {
public:
    static constexpr USize MaxIndex = 0xFFFFFFFF;

    // A narrow copy that lives as long as this object (the full expression, for a temporary).
    class CStr {
    public:
        explicit CStr(std::string text) : text(std::move(text)) {}
        const char* Get() const { return text.c_str(); }
        USize GetLength() const { return static_cast<USize>(text.size()); }

    private:
        std::string text;
    };

    UniString() = default;
    UniString(const char* text, CharCode charCode = CC_Default);
    UniString(const std::string& text, CharCode charCode = CC_Default) : UniString(text.c_str(), charCode) {}
    UniString(const char16_t* text);
    UniString(const char16_t* text, USize length);
    explicit UniString(std::u16string text) : units(std::move(text)) {}

    USize GetLength() const { return static_cast<USize>(units.size()); }
    bool IsEmpty() const { return units.empty(); }
    UniChar operator[](USize index) const;
    UniChar& operator[](USize index);
    // The code units, terminated; valid while the text is alive and unchanged.
    class UStr {
    public:
        explicit UStr(const uchar_t* content) : content(content) {}
        const uchar_t* Get() const { return content; }
        operator const uchar_t*() const { return content; }

    private:
        const uchar_t* content;
    };
    UStr ToUStr() const { return UStr(units.c_str()); }

    CStr ToCStr(CharCode charCode = CC_Default) const;
    std::wstring ToWide() const;
    static UniString FromWide(const std::wstring& wide);

    // printf-style formatting of narrow arguments; %s takes UTF-8 text.
    template <typename... Args>
    static UniString Printf(const UniString& format, Args... args) {
        static_assert((std::is_trivially_copyable_v<Args> && ...), "Printf takes plain values only");
        return FormatNarrow(format.ToCStr().Get(), args...);
    }
    static UniString FormatNarrow(const char* format, ...) __attribute__((format(printf, 1, 2)));

    // Like C sscanf over the narrow form; returns the number of items read.
    template <typename... Args>
    Int32 SScanf(const char* format, Args... outputs) const {
        return ScanNarrow(ToCStr().Get(), format, outputs...);
    }

    bool IsEqual(const UniString& other, CaseComparison comparison = CaseSensitive) const;
    bool operator==(const UniString& other) const { return units == other.units; }
    bool operator!=(const UniString& other) const { return units != other.units; }
    bool operator<(const UniString& other) const { return units < other.units; }

    bool Contains(const UniString& part, CaseComparison comparison = CaseSensitive) const;
    bool Contains(UniChar unit) const;
    bool BeginsWith(const UniString& prefix, CaseComparison comparison = CaseSensitive) const;
    bool EndsWith(const UniString& suffix, CaseComparison comparison = CaseSensitive) const;
    USize FindFirst(const UniString& part, USize from = 0) const;
    USize FindLast(const UniString& part) const;

    UniString ToLowerCase() const;
    UniString ToUpperCase() const;
    UniString& SetToLowerCase();
    UniString& SetToUpperCase();

    UniString GetSubstring(USize from, USize length) const;
    UniString& Delete(USize from, USize length);
    UniString& DeleteFirst(USize length) { return Delete(0, length); }
    UniString& Truncate(USize length);
    UniString& Trim();
    USize ReplaceAll(const UniString& from, const UniString& to);
    // Splits at every occurrence of the delimiter; empty pieces are kept.
    USize Split(const UniString& delimiter, Array<UniString>* pieces) const;

    UniString& Append(const UniString& other);
    UniString& Append(UniChar unit);
    UniString& operator+=(const UniString& other) { return Append(other); }
    UniString& operator+=(UniChar unit) { return Append(unit); }
    friend UniString operator+(UniString left, const UniString& right) { return left.Append(right); }
    friend UniString operator+(UniString left, const char* right) { return left.Append(UniString(right)); }
    friend UniString operator+(const char* left, const UniString& right) {
        return UniString(left).Append(right);
    }

    UInt32 GenerateHashValue() const;

private:
    static Int32 ScanNarrow(const char* text, const char* format, ...) __attribute__((format(scanf, 2, 3)));
    UniString Folded() const;

    std::u16string units;
};

} // namespace GS
