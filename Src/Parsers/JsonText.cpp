#include "Parsers/JsonText.hpp"

#include <cstring>
#include <string>

namespace Tolva::Parsers {

GS::UniString ToUniString(const char* text, size_t length) {
    GS::UniString result;
    const char* end = text + length;
    while (true) {
        const char* nul = static_cast<const char*>(std::memchr(text, '\0', static_cast<size_t>(end - text)));
        const char* pieceEnd = nul != nullptr ? nul : end;
        // The common case, one piece without NUL, converts without a second copy.
        GS::UniString piece(std::string(text, pieceEnd), GS::CC_Default);
        if (nul == nullptr && result.IsEmpty()) {
            return piece;
        }
        result.Append(piece);
        if (nul == nullptr) {
            return result;
        }
        result.Append(GS::UniChar(0));
        text = nul + 1;
    }
}

GS::UniString ToUniString(const rapidjson::Value& stringValue) {
    return ToUniString(stringValue.GetString(), stringValue.GetStringLength());
}

} // namespace Tolva::Parsers
