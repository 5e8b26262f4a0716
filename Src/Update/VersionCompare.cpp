#include "Update/VersionCompare.hpp"

#include "Logging/Logger.hpp"

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace VersionCheck {

namespace {

constexpr const char* Category = "VersionCheck";

// The pieces between the dots as a stream read up to each dot gives them: no piece for an empty text
// or after a final dot, an empty piece between two dots in a row.
std::vector<std::string> SplitAtDots(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream stream(text);
    std::string part;
    while (std::getline(stream, part, '.')) {
        parts.push_back(part);
    }
    return parts;
}

} // namespace

bool IsVersionAtLeast(const GS::UniString& version, const GS::UniString& reference) {
    try {
        const std::string versionText = version.ToCStr().Get();
        const std::string referenceText = reference.ToCStr().Get();
        const std::vector<std::string> versionParts = SplitAtDots(versionText);
        const std::vector<std::string> referenceParts = SplitAtDots(referenceText);
        if (versionParts.size() != 3 || referenceParts.size() != 3) {
            Logger::Warning(Category, GS::UniString::Printf(
                                          "Invalid version format: current=%s, minimum=%s - assuming valid",
                                          versionText.c_str(), referenceText.c_str()));
            return true;
        }
        for (size_t i = 0; i < 3; ++i) {
            const int ours = std::stoi(versionParts[i]);
            const int theirs = std::stoi(referenceParts[i]);
            if (ours != theirs) {
                return ours > theirs;
            }
        }
        return true;
    } catch (const std::exception& e) {
        Logger::Warning(
            Category, GS::UniString::Printf("Error parsing version numbers: %s - assuming valid", e.what()));
        return true;
    }
}

} // namespace VersionCheck
