#include "StandIn/WindowsPaths.hpp"

#include "StandIn/Host.hpp"

#include <algorithm>
#include <cctype>

namespace StandIn {

namespace {

std::string WithTrailingSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder.push_back('/');
    }
    return folder;
}

} // namespace

std::string WindowsPathOf(const std::string& path) {
    char bestDrive = 0;
    std::string bestFolder;
    for (const auto& [drive, folder] : Host().system.drives) {
        const std::string prefix = WithTrailingSlash(folder);
        if (path.rfind(prefix, 0) == 0 && prefix.size() > bestFolder.size()) {
            bestDrive = drive;
            bestFolder = prefix;
        }
    }
    if (bestDrive == 0) {
        return path;
    }
    std::string rest = path.substr(bestFolder.size());
    std::replace(rest.begin(), rest.end(), '/', '\\');
    return std::string(1, bestDrive) + ":\\" + rest;
}

std::optional<std::string> MachinePathOf(const std::string& windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(windowsPath[0]))) {
        return std::nullopt;
    }
    const auto& drives = Host().system.drives;
    const auto drive =
        drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(windowsPath[0]))));
    if (drive == drives.end()) {
        return std::nullopt;
    }
    std::string rest = windowsPath.substr(2);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    while (!rest.empty() && rest.front() == '/') {
        rest.erase(0, 1);
    }
    return WithTrailingSlash(drive->second) + rest;
}

} // namespace StandIn
