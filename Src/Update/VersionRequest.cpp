#include "Update/VersionRequest.hpp"

#include "Logging/Logger.hpp"
#include "Update/VersionService.hpp"

#include <windows.h>

#include <algorithm>
#include <array>
#include <exception>

namespace VersionCheck {

namespace {

constexpr const char* Category = "VersionCheck";
constexpr int TimeoutMs = 5000;
constexpr DWORD ReadPieceBytes = 4096;

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

// Both texts are ASCII constants of ours.
std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// Appends the body piece by piece; stops at its end or when a query or read fails. False only when
// the body grows beyond MaxResponseBytes.
bool ReadBody(HINTERNET request, std::string& body) {
    std::array<char, ReadPieceBytes> buffer = {};
    for (;;) {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available) || available == 0) {
            return true;
        }
        const DWORD wanted = std::min(available, ReadPieceBytes);
        if (body.size() + wanted > MaxResponseBytes) {
            Logger::Warning(Category, GS::UniString::Printf("Response body exceeds %u bytes - not using it",
                                                            static_cast<unsigned>(MaxResponseBytes)));
            return false;
        }
        DWORD read = 0;
        // Nothing read is the end, as WinHTTP reports it.
        if (!WinHttpReadData(request, buffer.data(), wanted, &read) || read == 0) {
            return true;
        }
        body.append(buffer.data(), read);
    }
}

bool Exchange(const std::string& host, const std::string& userAgent, std::string& body, DWORD& status) {
    const std::wstring wideHost = Widen(host);
    const std::wstring wideAgent = Widen(userAgent);
    InternetHandle session(WinHttpOpen(wideAgent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                       WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) {
        Logger::Warning(Category, "WinHttpOpen failed");
        return false;
    }
    WinHttpSetTimeouts(session.Get(), TimeoutMs, TimeoutMs, TimeoutMs, TimeoutMs);
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
    if (!WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                            0) ||
        !WinHttpReceiveResponse(request.Get(), nullptr)) {
        Logger::Warning(Category, GS::UniString::Printf("WinHTTP request/response failed with error: %d",
                                                        static_cast<int>(GetLastError())));
        return false;
    }
    DWORD statusSize = sizeof(status);
    WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &status, &statusSize, WINHTTP_NO_HEADER_INDEX);
    return ReadBody(request.Get(), body);
}

} // namespace

bool SendVersionRequest(const std::string& host, const std::string& userAgent, std::string& body,
                        DWORD& status) {
    try {
        return Exchange(host, userAgent, body, status);
    } catch (const std::exception& e) {
        Logger::Warning(Category, GS::UniString::Printf("Exception in Windows HTTP request: %s", e.what()));
    } catch (...) {
        Logger::Warning(Category, "Unknown exception in Windows HTTP request");
    }
    return false;
}

} // namespace VersionCheck
