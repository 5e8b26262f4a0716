#pragma once

#include <windows.h>

#include <winhttp.h>

#include <cstddef>
#include <string>

namespace VersionCheck {

// Far above any answer of the version service (about a hundred bytes), and above what a sound
// service could ever send; a longer body is not read further and the response is not used.
constexpr size_t MaxResponseBytes = 16 * 1024 * 1024;

// GET https://host/v1/plugins/check_version_allowed with the user agent, each phase limited to
// 5 seconds. True when a response was received: status and body are filled (the body may end early
// when a read fails). Failures log a warning and give false; never throws.
bool SendVersionRequest(const std::string& host, const std::string& userAgent, std::string& body,
                        DWORD& status);

} // namespace VersionCheck
