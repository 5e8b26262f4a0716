#pragma once

// The maker's version service.
namespace VersionCheck {

constexpr const char* ServiceHost = "api.tolva.ai";
constexpr const char* ServicePath = "/v1/plugins/check_version_allowed";

} // namespace VersionCheck
