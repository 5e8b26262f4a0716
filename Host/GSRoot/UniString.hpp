#pragma once

#include "CH.hpp"
#include "Definitions.hpp"
#include "TextDefinitions.hpp"
#include "UniCHar.hpp"
#include "uchar_t.hpp"

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace GS {

template <typename T>
class Array;

// Text as UTF-16 code units, as in GSRoot: lengths and indices count code units. The members keep
// the DevKit's signatures; the text itself lives in a std::u16string.
class HOST_API UniString {
public:
    class Concatenation;

private:
    // A writable character of a string, what the non-const operator[] gives.
    class HOST_API UniCharRef {
    public:
        UniCharRef(UniString* targetString, UIndex targetCharIdx)
            : target(targetString), idx(targetCharIdx) {}

        UniCharRef& operator=(const UniCharRef& ucr) {
            target->SetChar(idx, ucr);
            return *this;
        }
        UniCharRef& operator=(const UniChar& uc) {
            target->SetChar(idx, uc);
            return *this;
        }
        UniCharRef& operator=(UniChar::Layout uc) {
            target->SetChar(idx, uc);
            return *this;
        }
        UniCharRef& operator=(char c) {
            target->SetChar(idx, c);
            return *this;
        }
        UniCharRef& operator=(unsigned char c) {
            target->SetChar(idx, c);
            return *this;
        }

        operator UniChar() const { return target->GetChar(idx); }
        operator UniChar::Layout() const { return target->GetChar(idx); }
        operator char() const { return target->GetChar(idx); }
        operator unsigned char() const { return target->GetChar(idx); }

        bool operator==(const UniCharRef& rightOp) const {
            return target->GetChar(idx) == rightOp.target->GetChar(rightOp.idx);
        }
        bool operator==(UniChar rightOp) const { return target->GetChar(idx) == rightOp; }
        bool operator==(UniChar::Layout rightOp) const { return target->GetChar(idx) == rightOp; }
        bool operator==(char rightOp) const { return target->GetChar(idx) == rightOp; }
        bool operator==(unsigned char rightOp) const { return target->GetChar(idx) == rightOp; }

    private:
        UniString* target;
        UIndex idx;
    };

    // A narrow copy that lives as long as this object (the full expression, for a temporary).
    class HOST_API CStr {
    public:
        explicit CStr(std::string text) : text(std::move(text)) {}
        CStr(CStr&& source) = default;
        CStr(const CStr&) = delete;
        CStr& operator=(const CStr&) = delete;

        operator const char*() const { return text.c_str(); }
        const char* Get() const { return text.c_str(); }
        USize GetLength() const { return static_cast<USize>(text.size()); }
        std::string_view ToStringView() const { return text; }

    private:
        std::string text;
    };

    // The code units, terminated, as their own copy: valid as long as this object.
    class HOST_API UStr {
    public:
        UStr(const char16_t* units, USize length);
        UStr(UStr&& source) = default;
        UStr(const UStr&) = delete;
        UStr& operator=(const UStr&) = delete;

        operator const UniChar::Layout*() const { return content.get(); }
        const UniChar::Layout* Get() const { return content.get(); }

    private:
        std::unique_ptr<UniChar::Layout[]> content;
    };

public:
    UniString() {}

    UniString(const UniChar::Layout* uStr);
    UniString(const UniChar::Layout* uChars, USize charCount);

    UniString(const char* cStr, GSCharCode charCode = CC_Default);
    UniString(const char* chars, USize charCount, GSCharCode charCode = CC_Default);

    UniString(std::u16string_view str) : units(str) {}
    UniString(std::string_view str, GSCharCode charCode = CC_Default);

    UniString(const UniString& source, UIndex sourceFrom = 0, USize sourceRange = MaxUSize)
        : units(sourceFrom == 0 && sourceRange >= source.units.size()
                    ? source.units
                    : std::u16string(source.Range(sourceFrom, sourceRange))) {}
    UniString(UniString&& source) : units(std::move(source.units)) {}

    UniString(const Concatenation& source);

    // printf-style formatting of narrow arguments; %s takes text in the default code page.
    template <typename... Args>
    static UniString Printf(const char* formatString, Args... args) {
        static_assert((std::is_trivially_copyable_v<Args> && ...), "Printf takes plain values only");
        return FormatNarrow(formatString, args...);
    }
    template <typename... Args>
    static UniString Printf(const UniChar::Layout* formatString, Args... args) {
        return Printf(UniString(formatString), args...);
    }
    template <typename... Args>
    static UniString Printf(const UniString& formatString, Args... args) {
        return Printf(formatString.ToCStr().Get(), args...);
    }

    UniString& operator=(const UniChar::Layout* uStr);
    UniString& operator=(const char* cStr);
    UniString& operator=(std::u16string_view str);
    UniString& operator=(std::string_view str);
    UniString& operator=(const UniString& source);
    UniString& operator=(UniString&& source);
    UniString& operator=(const Concatenation& source);

    void Swap(UniString& source) { units.swap(source.units); }

    // Character access; an index past the end throws IndexOutOfBoundsException.
    UniCharRef operator[](UIndex idx) { return UniCharRef(this, CheckedIndex(idx)); }
    UniChar operator[](UIndex idx) const { return GetChar(idx); }

    UniChar GetChar(UIndex idx) const { return static_cast<char16_t>(units[CheckedIndex(idx)]); }
    void SetChar(UIndex idx, UniChar uc) { units[CheckedIndex(idx)] = uc; }

    UniChar GetLast() const { return GetChar(GetLength() - 1); }

    // The stand-in's substring is a copy; a start past the end throws IndexOutOfBoundsException.
    UniString GetSubstring(UIndex from, USize range) const;
    UniString GetPrefix(USize range) const { return GetSubstring(0, range); }
    UniString GetSuffix(USize range) const;

    // Splits at every occurrence of the separator; empty parts are kept.
    UInt32 Split(const UniString& separatorString, Array<UniString>* parts) const;

    void Insert(UIndex to, UniChar uc);
    void Insert(UIndex to, const UniString& str, UIndex strFrom = 0, USize strRange = MaxUSize);

    void Append(UniChar uc) { units.push_back(uc); }
    void Append(const UniString& str, UIndex strFrom = 0, USize strRange = MaxUSize);
    void Append(const UniChar::Layout* uStr);
    void Append(const UniChar::Layout* uChars, USize charCount);
    void Append(const char* cStr, GSCharCode charCode = CC_Default);
    void Append(const char* chars, USize charCount, GSCharCode charCode = CC_Default);
    void Append(std::u16string_view str) { units += str; }
    void Append(std::string_view str, GSCharCode charCode = CC_Default);

    UniString& operator+=(UniChar uc);
    UniString& operator+=(const UniString& str);
    UniString& operator+=(const UniChar::Layout* uStr);
    UniString& operator+=(const char* cStr);
    UniString& operator+=(std::u16string_view str);
    UniString& operator+=(std::string_view str);

    friend Concatenation operator+(UniChar leftOp, UniChar rightOp);
    friend Concatenation operator+(UniChar leftOp, const UniString& rightOp);
    friend Concatenation operator+(UniChar leftOp, const UniChar::Layout* rightOp);
    friend Concatenation operator+(UniChar leftOp, const char* rightOp);
    friend Concatenation operator+(UniChar leftOp, std::u16string_view rightOp);
    friend Concatenation operator+(UniChar leftOp, std::string_view rightOp);

    friend Concatenation operator+(const UniString& leftOp, UniChar rightOp);
    friend Concatenation operator+(const UniString& leftOp, const UniString& rightOp);
    friend Concatenation operator+(const UniString& leftOp, const UniChar::Layout* rightOp);
    friend Concatenation operator+(const UniString& leftOp, const char* rightOp);
    friend Concatenation operator+(const UniString& leftOp, std::u16string_view rightOp);
    friend Concatenation operator+(const UniString& leftOp, std::string_view rightOp);

    friend Concatenation operator+(const UniChar::Layout* leftOp, UniChar rightOp);
    friend Concatenation operator+(const UniChar::Layout* leftOp, const UniString& rightOp);
    friend Concatenation operator+(const UniChar::Layout* leftOp, std::u16string_view rightOp);
    friend Concatenation operator+(const UniChar::Layout* leftOp, std::string_view rightOp);

    friend Concatenation operator+(const char* leftOp, UniChar rightOp);
    friend Concatenation operator+(const char* leftOp, const UniString& rightOp);
    friend Concatenation operator+(const char* leftOp, std::u16string_view rightOp);
    friend Concatenation operator+(const char* leftOp, std::string_view rightOp);

    void Pad(USize toLength, UniChar filler);
    void Fill(UniChar uc, UIndex from = 0, USize range = MaxUSize);

    // Deleting; a start past the end throws IndexOutOfBoundsException.
    void Delete(UIndex idx) { Delete(idx, 1); }
    void Delete(UIndex from, USize range);
    // Without arguments the first character; with one, its first occurrence (whose index it returns).
    void DeleteFirst() { Delete(0); }
    UIndex DeleteFirst(UniChar uc, UIndex from = 0, USize range = MaxUSize);
    UIndex DeleteFirst(const UniString& str, UIndex from = 0, USize range = MaxUSize);
    void DeleteLast() { Delete(GetLength() - 1); }
    void DeleteAll(UniChar uc, UIndex from = 0, USize range = MaxUSize);
    void DeleteAll(const UniString& str, UIndex from = 0, USize range = MaxUSize);

    // Trimming takes spaces, tabs and line ends.
    void TrimLeft();
    void TrimLeft(UniChar uc);
    void TrimRight();
    void TrimRight(UniChar uc);
    void Trim();
    void Trim(UniChar uc);

    void Clear() { units.clear(); }

    void SetLength(USize newLength) { units.resize(newLength); }
    void SetLength(USize newLength, UniChar filler) { units.resize(newLength, filler); }
    void Truncate(USize newLength);
    USize GetLength() const { return static_cast<USize>(units.size()); }
    bool IsEmpty() const { return units.empty(); }

    bool operator==(const UniString& rightOp) const { return units == rightOp.units; }
    bool operator==(const char* rightOp) const;
    bool operator==(const UniChar::Layout* rightOp) const;
    bool operator==(std::u16string_view rightOp) const { return units == rightOp; }
    bool operator==(std::string_view rightOp) const;

    bool operator<(const UniString& rightOp) const { return units < rightOp.units; }
    bool operator<=(const UniString& rightOp) const { return units <= rightOp.units; }
    bool operator>(const UniString& rightOp) const { return units > rightOp.units; }
    bool operator>=(const UniString& rightOp) const { return units >= rightOp.units; }

    bool IsEqual(const UniString& rightOp, CaseComparison caseComparison = CaseSensitive) const;

    // Finding; what is not found gives MaxUIndex.
    bool Contains(UniChar uc, UIndex from = 0, USize range = MaxUSize) const;
    bool Contains(const UniString& str, UIndex from = 0, USize range = MaxUSize) const;

    UIndex FindFirst(UniChar uc, UIndex from = 0, USize range = MaxUSize) const;
    UIndex FindFirst(const UniString& str, UIndex from = 0, USize range = MaxUSize) const;
    UIndex FindLast(UniChar uc) const;
    UIndex FindLast(const UniString& str) const;

    bool BeginsWith(UniChar uc) const { return !units.empty() && uc == units.front(); }
    bool BeginsWith(const UniString& str) const;
    bool EndsWith(UniChar uc) const { return !units.empty() && uc == units.back(); }
    bool EndsWith(const UniString& str) const;

    USize ReplaceAll(UniChar oldChar, UniChar newChar, UIndex from = 0, USize range = MaxUSize);
    USize ReplaceAll(const UniString& oldStr, const UniString& newStr, UIndex from = 0,
                     USize range = MaxUSize);

    USize Count(UniChar uc, UIndex from = 0, USize range = MaxUSize) const;
    USize Count(const UniString& str, UIndex from = 0, USize range = MaxUSize) const;

    void SetToUpperCase(UIndex from = 0, USize range = MaxUSize);
    void SetToLowerCase(UIndex from = 0, USize range = MaxUSize);

    UniString ToUpperCase(UIndex from = 0, USize range = MaxUSize) const;
    UniString ToLowerCase(UIndex from = 0, USize range = MaxUSize) const;

    bool IsASCII() const;

    // Like C sscanf over the narrow form; returns the number of items read.
    template <typename FormatType, class Type1, class... Types>
    USize SScanf(FormatType format, Type1* par1, Types*... pars) const {
        return ScanNarrow(ToCStr().Get(), UniString(format).ToCStr().Get(), par1, pars...);
    }

    enum OnConversionError { ReplaceWithFillers, ThrowException };

    UStr ToUStr(UIndex from = 0, USize range = MaxUSize) const;
    CStr ToCStr(UIndex from = 0, USize range = MaxUSize, GSCharCode charCode = CC_Default,
                OnConversionError onConversionError = ReplaceWithFillers) const;
    CStr ToCStr(GSCharCode charCode) const { return ToCStr(0, MaxUSize, charCode); }

    ULong GenerateHashValue() const;

private:
    static UniString FormatNarrow(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static USize ScanNarrow(const char* text, const char* format, ...) __attribute__((format(scanf, 2, 3)));

    static Concatenation Concatenate();

    UIndex CheckedIndex(UIndex idx) const;
    // The part [from, from + range) of the text, clipped to its end; a start past the end throws.
    std::u16string_view Range(UIndex from, USize range) const;

    std::u16string units;
};

// The value of a chain of +, kept until it becomes a UniString.
class HOST_API UniString::Concatenation {
public:
    Concatenation(const Concatenation& source) = default;
    Concatenation& operator=(const Concatenation& source) = default;
    ~Concatenation() = default;

    Concatenation& operator+(UniChar rightOp);
    Concatenation& operator+(const UniString& rightOp);
    Concatenation& operator+(const UniChar::Layout* rightOp);
    Concatenation& operator+(const char* rightOp);
    Concatenation& operator+(std::u16string_view rightOp);
    Concatenation& operator+(std::string_view rightOp);

private:
    Concatenation() = default;

    friend class UniString;

    UniString result;
};

HOST_API UniString::Concatenation operator+(UniChar leftOp, UniChar rightOp);
HOST_API UniString::Concatenation operator+(UniChar leftOp, const UniString& rightOp);
HOST_API UniString::Concatenation operator+(UniChar leftOp, const UniChar::Layout* rightOp);
HOST_API UniString::Concatenation operator+(UniChar leftOp, const char* rightOp);
HOST_API UniString::Concatenation operator+(UniChar leftOp, std::u16string_view rightOp);
HOST_API UniString::Concatenation operator+(UniChar leftOp, std::string_view rightOp);

HOST_API UniString::Concatenation operator+(const UniString& leftOp, UniChar rightOp);
HOST_API UniString::Concatenation operator+(const UniString& leftOp, const UniString& rightOp);
HOST_API UniString::Concatenation operator+(const UniString& leftOp, const UniChar::Layout* rightOp);
HOST_API UniString::Concatenation operator+(const UniString& leftOp, const char* rightOp);
HOST_API UniString::Concatenation operator+(const UniString& leftOp, std::u16string_view rightOp);
HOST_API UniString::Concatenation operator+(const UniString& leftOp, std::string_view rightOp);

HOST_API UniString::Concatenation operator+(const UniChar::Layout* leftOp, UniChar rightOp);
HOST_API UniString::Concatenation operator+(const UniChar::Layout* leftOp, const UniString& rightOp);
HOST_API UniString::Concatenation operator+(const UniChar::Layout* leftOp, std::u16string_view rightOp);
HOST_API UniString::Concatenation operator+(const UniChar::Layout* leftOp, std::string_view rightOp);

HOST_API UniString::Concatenation operator+(const char* leftOp, UniChar rightOp);
HOST_API UniString::Concatenation operator+(const char* leftOp, const UniString& rightOp);
HOST_API UniString::Concatenation operator+(const char* leftOp, std::u16string_view rightOp);
HOST_API UniString::Concatenation operator+(const char* leftOp, std::string_view rightOp);

} // namespace GS
