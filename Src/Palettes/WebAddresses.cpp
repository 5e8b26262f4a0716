#include "Palettes/WebAddresses.hpp"

namespace WebAddresses {

namespace {
constexpr const char* ProductionUrl = "https://app.tolva.ai/";
constexpr const char* UploadUrl = "https://app.tolva.ai/upload";
} // namespace

GS::UniString GetProductionUrl() {
    return ProductionUrl;
}

GS::UniString GetUploadUrl() {
    return UploadUrl;
}

GS::UniString JoinUrlPath(const GS::UniString& address, const GS::UniString& pageWord) {
    GS::UniString joined = address;
    if (!joined.EndsWith("/")) {
        joined += "/";
    }
    return joined + pageWord;
}

} // namespace WebAddresses
