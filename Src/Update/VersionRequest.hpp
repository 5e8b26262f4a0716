#pragma once

#include <windows.h>

#include <winhttp.h>

#include <chrono>
#include <cstddef>
#include <string>

namespace VersionCheck {

// Far above any answer of the version service (about a hundred bytes), and above what a sound
// service could ever send; a longer body is not read further and the response is not used.
constexpr size_t MaxResponseBytes = 16 * 1024 * 1024;

// A refusal (426) refuses whatever its body says; only this much of it is read, for the log.
constexpr size_t RefusalBodyBytes = 1024;

// The whole exchange (connect, send, wait for the answer and read it) ends within this, on the main
// thread: the user waits for it in the menu command.
constexpr std::chrono::milliseconds RequestDeadline{10000};

// GET https://host/v1/plugins/check_version_allowed with the user agent, each phase limited to
// 5 seconds and all of them together to deadline. True when a response was received: status and
// body are filled (the body may end early when a read fails). Failures, and a deadline passed before
// the answer was read, log a warning and give false; never throws.
bool SendVersionRequest(const std::string& host, const std::string& userAgent, std::string& body,
                        DWORD& status, std::chrono::milliseconds deadline = RequestDeadline);

} // namespace VersionCheck
