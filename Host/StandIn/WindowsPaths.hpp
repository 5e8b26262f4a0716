#pragma once

#include "Definitions.hpp"

#include <optional>
#include <string>

// Windows paths of this machine's files through the host's drive letters (StandIn::SystemState).
namespace StandIn {

// "Z:\opt\x" for "/opt/x" with the default drives: the drive whose folder holds the path (the
// deepest one), backslashes between the names.
HOST_API std::string WindowsPathOf(const std::string& path);
// The file a drive-letter path names; none for another drive or a path without one.
HOST_API std::optional<std::string> MachinePathOf(const std::string& windowsPath);

} // namespace StandIn
