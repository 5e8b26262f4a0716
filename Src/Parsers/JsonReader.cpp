#include "Parsers/JsonReader.hpp"

#include "Parsers/JsonText.hpp"

#include <rapidjson/error/en.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>

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

JsonReadResult ReadJson(const char* text, size_t length, rapidjson::Document& document) {
    // The reader itself would accept any value as the root.
    size_t start = SkipBlanks(text, 0, length);
    if (start < length && text[start] != '{' && text[start] != '[') {
        return {rapidjson::kParseErrorUnspecificSyntaxError, start};
    }

    // Bounded by length, so text need not end in a NUL; the reader also takes a NUL byte for the end,
    // and whatever follows it is caught as trailing text below.
    rapidjson::MemoryStream stream(text, length);
    rapidjson::Reader reader;
    auto generator = [&](rapidjson::Document& target) {
        DepthLimitedHandler handler(target);
        return !reader.Parse<rapidjson::kParseStopWhenDoneFlag>(stream, handler).IsError();
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

JsonReadResult ReadJson(const GS::UniString& text, rapidjson::Document& document) {
    Utf8Text narrow = ToUtf8(text);
    return ReadJson(narrow.bytes.get(), narrow.length, document);
}

} // namespace Tolva::Parsers
