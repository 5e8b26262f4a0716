#include "CommandTape.hpp"

#include <cmath>
#include <cstring>
#include <limits>

namespace CommandTape {

namespace {

enum Tag : uint8_t { None, Text, LongText, Double, SpecialNumber, Integer, Boolean, List, Members, TagCount };

// Nesting deeper than this decodes as text, so the tree stays finite whatever the bytes.
constexpr int MaxDepth = 48;
constexpr size_t MaxChildren = 24;
// A long text repeats a short piece up to this many code units: huge, and still fast to build.
constexpr size_t LongTextUnits = 4u << 20;

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data(data), size(size) {}

    bool AtEnd() const { return at >= size; }
    uint8_t Byte() { return AtEnd() ? 0 : data[at++]; }
    size_t Length() {
        size_t length = 0;
        for (int shift = 0; shift < 28 && !AtEnd(); shift += 7) {
            const uint8_t byte = Byte();
            length |= static_cast<size_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                break;
            }
        }
        return length;
    }
    std::string Bytes(size_t length) {
        length = std::min(length, size - std::min(at, size));
        std::string bytes(reinterpret_cast<const char*>(data + at), length);
        at += length;
        return bytes;
    }
    double Number() {
        const std::string bytes = Bytes(sizeof(double));
        double value = 0;
        std::memcpy(&value, bytes.data(), bytes.size());
        return value;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

GS::Ref<JS::Base> TextValue(const std::string& bytes) {
    return GS::NewRef<JS::Value>(GS::UniString(bytes.c_str(), CC_UTF8));
}

double Special(uint8_t pick) {
    static const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity(),
                                    -std::numeric_limits<double>::infinity(),
                                    -0.0,
                                    std::numeric_limits<double>::max(),
                                    std::numeric_limits<double>::lowest(),
                                    std::numeric_limits<double>::denorm_min(),
                                    9007199254740993.0,
                                    2147483648.0,
                                    -2147483649.0,
                                    1e-300,
                                    0.5};
    return values[pick % std::size(values)];
}

GS::Ref<JS::Base> Value(Reader& reader, int depth);

GS::Ref<JS::Base> Nested(Reader& reader, int depth) {
    GS::Ref<JS::Base> value = Value(reader, depth + 1);
    return value == nullptr ? GS::Ref<JS::Base>(GS::NewRef<JS::Value>()) : value;
}

GS::Ref<JS::Base> Value(Reader& reader, int depth) {
    const uint8_t tag = reader.Byte() % TagCount;
    if (depth > MaxDepth && (tag == List || tag == Members)) {
        return TextValue("deep");
    }
    switch (tag) {
    case Text:
        return TextValue(reader.Bytes(reader.Length()));
    case LongText: {
        std::string piece = reader.Bytes(reader.Byte() % 16 + 1);
        if (piece.empty()) {
            piece.push_back('x');
        }
        std::string text;
        text.reserve(LongTextUnits);
        while (text.size() + piece.size() <= LongTextUnits) {
            text += piece;
        }
        return TextValue(text);
    }
    case Double:
        return GS::NewRef<JS::Value>(reader.Number());
    case SpecialNumber:
        return GS::NewRef<JS::Value>(Special(reader.Byte()));
    case Integer:
        return GS::NewRef<JS::Value>(static_cast<Int32>(reader.Number()));
    case Boolean:
        return GS::NewRef<JS::Value>((reader.Byte() & 1) != 0);
    case List: {
        auto list = GS::NewRef<JS::Array>();
        for (size_t count = reader.Byte() % MaxChildren; count > 0 && !reader.AtEnd(); --count) {
            list->AddItem(Nested(reader, depth));
        }
        return list;
    }
    case Members: {
        auto object = GS::NewRef<JS::Object>();
        for (size_t count = reader.Byte() % MaxChildren; count > 0 && !reader.AtEnd(); --count) {
            const std::string name = reader.Bytes(reader.Length());
            object->AddItem(GS::UniString(name.c_str(), CC_UTF8), Nested(reader, depth));
        }
        return object;
    }
    default:
        return GS::Ref<JS::Base>();
    }
}

std::string Length(size_t length) {
    std::string bytes;
    do {
        const uint8_t low = length & 0x7F;
        length >>= 7;
        bytes += static_cast<char>(length != 0 ? (low | 0x80) : low);
    } while (length != 0);
    return bytes;
}

std::string TextItem(const std::string& text) {
    return static_cast<char>(Text) + Length(text.size()) + text;
}

} // namespace

const std::vector<std::string>& CommandNames() {
    static const std::vector<std::string> names = {"getSelection",
                                                   "importPlan",
                                                   "importBuildingFromVariantData",
                                                   "importZonesFromSpaces",
                                                   "getPluginVersion",
                                                   "getWorkingUnits",
                                                   "getBuildingMassAsJson",
                                                   "getGridlines",
                                                   "getCenterlines",
                                                   "getZoneAtPoint",
                                                   "launchBrowser",
                                                   "closeBrowserPalette",
                                                   "getContext",
                                                   "importplan"};
    return names;
}

Call Decode(const uint8_t* data, size_t size) {
    Reader reader(data, size);
    Call call;
    call.command = CommandNames()[reader.Byte() % CommandNames().size()];
    call.argument = Value(reader, 0);
    return call;
}

std::string EncodeText(size_t command, const std::string& text) {
    return static_cast<char>(command) + TextItem(text);
}

std::string EncodeTexts(size_t command, const std::vector<std::string>& texts) {
    std::string bytes = {static_cast<char>(command), static_cast<char>(List),
                         static_cast<char>(texts.size())};
    for (const std::string& text : texts) {
        bytes += TextItem(text);
    }
    return bytes;
}

std::string EncodeNone(size_t command) {
    return {static_cast<char>(command), static_cast<char>(None)};
}

} // namespace CommandTape
