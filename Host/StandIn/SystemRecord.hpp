#pragma once

#include <map>
#include <optional>
#include <string>

namespace StandIn {

// What the Windows system calls answer. Windows paths are this machine's paths seen through drive
// letters, as under Wine: by default Z: is the root, so "/opt/x" is "Z:\opt\x".
struct SystemState {
    // GetComputerNameA's answer; unset: this machine's name in capitals, as Windows keeps it.
    std::optional<std::string> computerName;
    // GetModuleFileNameA's answer for any module; unset: the module's own file.
    std::optional<std::string> moduleFileName;
    // GetTempPathA's answer (with its trailing backslash); unset: this machine's temporary folder.
    std::optional<std::string> tempFolder;
    // Drive letters (upper case) and the folders they stand for.
    std::map<char, std::string> drives{{'Z', "/"}};
};

} // namespace StandIn
