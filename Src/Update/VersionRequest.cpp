#include "Update/VersionRequest.hpp"

#include "Logging/Logger.hpp"
#include "Update/VersionService.hpp"

#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <exception>

namespace VersionCheck {

namespace {

constexpr const char* Category = "VersionCheck";
constexpr int TimeoutMs = 5000;
constexpr DWORD ReadPieceBytes = 4096;
constexpr DWORD StatusUpgradeRequired = 426;

// A WinHTTP handle, closed when it goes out of scope, so every path closes what it opened: the
// request first, then the connection, then the session.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle(handle) {}
    ~InternetHandle() {
        if (handle != nullptr) {
            WinHttpCloseHandle(handle);
        }
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET Get() const { return handle; }
    explicit operator bool() const { return handle != nullptr; }

private:
    HINTERNET handle;
};

// The one limit of the whole exchange. Each WinHTTP wait has its own time-out, which a server sending
// a byte now and then never lets fire; so every wait is also cut to the time left.
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds budget) : budget(budget), end(Clock::now() + budget) {}

    bool Passed() const { return Clock::now() >= end; }

    // Limits the handle's next waits to the time left, once that is below the phases' own limit.
    // False when no time is left.
    bool Limit(HINTERNET handle) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) {
            return false;
        }
        const int limit = static_cast<int>(std::min<long long>(left, limitSet));
        if (limit < limitSet) {
            WinHttpSetTimeouts(handle, limit, limit, limit, limit);
            limitSet = limit;
        }
        return true;
    }

    void LogPassed() const {
        Logger::Warning(Category, GS::UniString::Printf("Version check took longer than its %d ms limit",
                                                        static_cast<int>(budget.count())));
    }

private:
    using Clock = std::chrono::steady_clock;
    std::chrono::milliseconds budget;
    Clock::time_point end;
    int limitSet = TimeoutMs;
};

// Both texts are ASCII constants of ours.
std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// Appends the body piece by piece; stops at its end or when a query or read fails. A refusal's body
// is only logged, so no more than RefusalBodyBytes of it is read. False when the body grows beyond
// MaxResponseBytes or the deadline passes.
bool ReadBody(HINTERNET request, DWORD status, Deadline& deadline, std::string& body) {
    std::array<char, ReadPieceBytes> buffer = {};
    const size_t limit = status == StatusUpgradeRequired ? RefusalBodyBytes : MaxResponseBytes;
    for (;;) {
        if (status == StatusUpgradeRequired && body.size() >= limit) {
            return true;
        }
        DWORD available = 0;
        if (!deadline.Limit(request)) {
            break;
        }
        if (!WinHttpQueryDataAvailable(request, &available) || available == 0) {
            if (deadline.Passed()) {
                break;
            }
            return true;
        }
        DWORD wanted = std::min(available, ReadPieceBytes);
        if (status == StatusUpgradeRequired) {
            wanted = std::min(wanted, static_cast<DWORD>(limit - body.size()));
        }
        if (body.size() + wanted > MaxResponseBytes) {
            Logger::Warning(Category, GS::UniString::Printf("Response body exceeds %u bytes - not using it",
                                                            static_cast<unsigned>(MaxResponseBytes)));
            return false;
        }
        DWORD read = 0;
        if (!deadline.Limit(request)) {
            break;
        }
        // Nothing read is the end, as WinHTTP reports it.
        if (!WinHttpReadData(request, buffer.data(), wanted, &read) || read == 0) {
            if (deadline.Passed()) {
                break;
            }
            return true;
        }
        body.append(buffer.data(), read);
    }
    // A refusal stands on its status; what came of its body is enough for the log.
    if (status == StatusUpgradeRequired) {
        return true;
    }
    deadline.LogPassed();
    return false;
}

bool Exchange(const std::string& host, const std::string& userAgent, std::string& body, DWORD& status,
              std::chrono::milliseconds budget) {
    Deadline deadline(budget);
    const std::wstring wideHost = Widen(host);
    const std::wstring wideAgent = Widen(userAgent);
    InternetHandle session(WinHttpOpen(wideAgent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                       WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) {
        Logger::Warning(Category, "WinHttpOpen failed");
        return false;
    }
    WinHttpSetTimeouts(session.Get(), TimeoutMs, TimeoutMs, TimeoutMs, TimeoutMs);
    deadline.Limit(session.Get());
    InternetHandle connection(
        WinHttpConnect(session.Get(), wideHost.c_str(), INTERNET_DEFAULT_HTTPS_PORT, 0));
    if (!connection) {
        Logger::Warning(Category, "WinHttpConnect failed");
        return false;
    }
    const std::wstring widePath = Widen(ServicePath);
    InternetHandle request(WinHttpOpenRequest(connection.Get(), L"GET", widePath.c_str(), nullptr,
                                              WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                              WINHTTP_FLAG_SECURE));
    if (!request) {
        Logger::Warning(Category, "WinHttpOpenRequest failed");
        return false;
    }
    const std::wstring agentHeader = L"User-Agent: " + wideAgent;
    WinHttpAddRequestHeaders(request.Get(), agentHeader.c_str(), static_cast<DWORD>(-1),
                             WINHTTP_ADDREQ_FLAG_ADD);
    const bool answered = deadline.Limit(request.Get()) &&
                          WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                                             WINHTTP_NO_REQUEST_DATA, 0, 0, 0) &&
                          deadline.Limit(request.Get()) && WinHttpReceiveResponse(request.Get(), nullptr);
    if (!answered && deadline.Passed()) {
        deadline.LogPassed();
        return false;
    }
    if (!answered) {
        Logger::Warning(Category, GS::UniString::Printf("WinHTTP request/response failed with error: %d",
                                                        static_cast<int>(GetLastError())));
        return false;
    }
    DWORD statusSize = sizeof(status);
    WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &statusSize, WINHTTP_NO_HEADER_INDEX);
    return ReadBody(request.Get(), status, deadline, body);
}

} // namespace

bool SendVersionRequest(const std::string& host, const std::string& userAgent, std::string& body,
                        DWORD& status, std::chrono::milliseconds deadline) {
    try {
        return Exchange(host, userAgent, body, status, deadline);
    } catch (const std::exception& e) {
        Logger::Warning(Category, GS::UniString::Printf("Exception in Windows HTTP request: %s", e.what()));
    } catch (...) {
        Logger::Warning(Category, "Unknown exception in Windows HTTP request");
    }
    return false;
}

} // namespace VersionCheck
