#include "Parsers/JsonReader.hpp"

#include "Parsers/JsonText.hpp"

#include <rapidjson/error/en.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

#include <cstring>
#include <new>
#include <utility>

namespace Tolva::Parsers {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

size_t SkipBlanks(const char* text, size_t from, size_t length) {
    while (from < length && IsBlank(text[from])) {
        ++from;
    }
    return from;
}

// Passes SAX events on to the document and refuses a container that would nest deeper than the
// limit; the reader then stops with kParseErrorTermination, so the reader's own recursion is bounded
// by the limit too.
class DepthLimitedHandler {
public:
    explicit DepthLimitedHandler(rapidjson::Document& target) : target(target) {}

    bool Null() { return target.Null(); }
    bool Bool(bool b) { return target.Bool(b); }
    bool Int(int i) { return target.Int(i); }
    bool Uint(unsigned u) { return target.Uint(u); }
    bool Int64(int64_t i) { return target.Int64(i); }
    bool Uint64(uint64_t u) { return target.Uint64(u); }
    bool Double(double d) { return target.Double(d); }
    bool RawNumber(const char* str, rapidjson::SizeType length, bool copy) {
        return target.RawNumber(str, length, copy);
    }
    bool String(const char* str, rapidjson::SizeType length, bool copy) {
        return target.String(str, length, copy);
    }
    bool Key(const char* str, rapidjson::SizeType length, bool copy) { return target.Key(str, length, copy); }
    bool StartObject() { return Enter() && target.StartObject(); }
    bool EndObject(rapidjson::SizeType members) {
        --depth;
        return target.EndObject(members);
    }
    bool StartArray() { return Enter() && target.StartArray(); }
    bool EndArray(rapidjson::SizeType elements) {
        --depth;
        return target.EndArray(elements);
    }

private:
    bool Enter() { return ++depth <= MaxJsonDepth; }

    rapidjson::Document& target;
    unsigned depth = 0;
};

} // namespace

GS::UniString JsonReadResult::ErrorText() const {
    return GS::UniString(rapidjson::GetParseError_En(code));
}

GS::UniString JsonReadResult::ErrorTextAtOffset() const {
    return GS::UniString::Printf("%s at offset %u", rapidjson::GetParseError_En(code),
                                 static_cast<unsigned>(offset));
}

namespace {

// Reads the root value from stream, which reads text of the given length; Flags are the reader's
// extra flags.
template <unsigned Flags, typename Stream>
JsonReadResult ReadRoot(Stream& stream, const char* text, size_t length, rapidjson::Document& document) {
    // The reader itself would accept any value as the root.
    size_t start = SkipBlanks(text, 0, length);
    if (start < length && text[start] != '{' && text[start] != '[') {
        return {rapidjson::kParseErrorUnspecificSyntaxError, start};
    }

    // The reader also takes a NUL byte for the end; whatever follows it is caught as trailing text.
    rapidjson::Reader reader;
    auto generator = [&](rapidjson::Document& target) {
        DepthLimitedHandler handler(target);
        return !reader.Parse<Flags | rapidjson::kParseStopWhenDoneFlag>(stream, handler).IsError();
    };
    document.Populate(generator);
    if (reader.HasParseError()) {
        return {reader.GetParseErrorCode(), reader.GetErrorOffset()};
    }

    size_t end = SkipBlanks(text, stream.Tell(), length);
    if (end < length) {
        return {rapidjson::kParseErrorDocumentRootNotSingular, end};
    }
    return {};
}

char* AllocateInPool(rapidjson::Document& document, size_t size) {
    char* memory = static_cast<char*>(document.GetAllocator().Malloc(size));
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    return memory;
}

// The text as 8 bits, NUL-terminated, in the document's pool, and its length. Strings are read back
// with the host's default conversion, so the text is written with it too; the one-pass writer stands
// in for it when that conversion is UTF-8.
std::pair<char*, size_t> NarrowIntoPool(const GS::UniString& text, rapidjson::Document& document) {
    if (DefaultConversionIsUtf8()) {
        char* narrow = AllocateInPool(document, Utf8Capacity(text));
        const size_t length = WriteUtf8(text, narrow);
        narrow[length] = '\0';
        return {narrow, length};
    }
    const auto converted = text.ToCStr();
    const size_t length = converted.GetLength();
    char* narrow = AllocateInPool(document, length + 1);
    std::memcpy(narrow, converted.Get(), length + 1);
    return {narrow, length};
}

} // namespace

JsonReadResult ReadJson(const char* text, size_t length, rapidjson::Document& document) {
    // Bounded by length, so text need not end in a NUL.
    rapidjson::MemoryStream stream(text, length);
    return ReadRoot<rapidjson::kParseNoFlags>(stream, text, length, document);
}

JsonReadResult ReadJson(const GS::UniString& text, rapidjson::Document& document) {
    // The 8-bit copy lives in the document's own pool, so the reader can decode strings in place and
    // the values point into it: one copy of the text instead of two, released with the document.
    const auto [narrow, length] = NarrowIntoPool(text, document);
    rapidjson::InsituStringStream stream(narrow);
    return ReadRoot<rapidjson::kParseInsituFlag>(stream, narrow, length, document);
}

} // namespace Tolva::Parsers
