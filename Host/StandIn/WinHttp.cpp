#include "GSException.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Host.hpp"
#include "StandIn/HttpAddress.hpp"
#include "StandIn/HttpTransfer.hpp"

#include <winhttp.h>

#include <algorithm>
#include <cctype>
#include <cwchar>
#include <map>
#include <memory>
#include <stdexcept>

namespace StandIn {

namespace {

enum class HandleKind { Session, Connection, Request };
enum class RequestState { Opened, Sent, Received, Failed };

// WinHTTP's own time-outs until the caller sets others: resolve none, connect 60 s, send and receive
// 30 s each.
constexpr int DefaultTimeouts[] = {0, 60000, 30000, 30000};

// A session, connection or request handle. Each keeps a copy of what it took from its parent, so
// closing a parent first leaves it working, as in WinHTTP.
struct InternetObject {
    HandleKind kind = HandleKind::Session;
    std::string userAgent;
    bool withoutProxy = false;
    std::vector<int> timeouts{std::begin(DefaultTimeouts), std::end(DefaultTimeouts)};
    std::string server;
    unsigned port = 0;
    // Requests only.
    RequestState state = RequestState::Opened;
    size_t exchange = 0;
    std::vector<std::string> headers;
    std::unique_ptr<HttpTransfer> transfer;
};

std::map<HINTERNET, std::unique_ptr<InternetObject>>& OpenHandles() {
    static std::map<HINTERNET, std::unique_ptr<InternetObject>> handles;
    return handles;
}

Int32 badCloses = 0;

// Handle values are never reused, so a second close of a handle is always caught.
HINTERNET NewHandle(std::unique_ptr<InternetObject> object) {
    static std::uintptr_t next = 0x1000;
    next += 0x10;
    auto* handle = reinterpret_cast<HINTERNET>(next);
    OpenHandles().emplace(handle, std::move(object));
    return handle;
}

// Fails the call with the code armed for it, as its last error.
bool FailedWithArmedCode(const std::string& call) {
    if (auto code = Faults::Take(call)) {
        SetLastError(static_cast<DWORD>(*code));
        return true;
    }
    return false;
}

// Fails the call on demand: "CALL:throw" throws a GS::Exception, "CALL:throwStd" a standard
// exception, and "CALL" fails it with the armed code as the last error.
bool FailedOnDemand(const char* call) {
    const std::string name(call);
    if (Faults::Take(name + ":throwStd")) {
        throw std::runtime_error(name + " failed");
    }
    if (Faults::Take(name + ":throw")) {
        throw GS::Exception(GS::UniString(name + " failed"));
    }
    return FailedWithArmedCode(name);
}

template <typename Result>
Result Fail(DWORD error, Result result) {
    SetLastError(error);
    return result;
}

// The open handle of one of the kinds, or null with the last error set.
InternetObject* Find(HINTERNET handle, std::initializer_list<HandleKind> kinds) {
    auto found = OpenHandles().find(handle);
    if (found == OpenHandles().end()) {
        return Fail<InternetObject*>(ERROR_INVALID_HANDLE, nullptr);
    }
    InternetObject* object = found->second.get();
    if (std::find(kinds.begin(), kinds.end(), object->kind) == kinds.end()) {
        return Fail<InternetObject*>(ERROR_WINHTTP_INCORRECT_HANDLE_TYPE, nullptr);
    }
    return object;
}

// The request handle in the given state, or null with the last error set.
InternetObject* FindRequest(HINTERNET handle, RequestState state) {
    InternetObject* request = Find(handle, {HandleKind::Request});
    if (request != nullptr && request->state != state) {
        return Fail<InternetObject*>(ERROR_WINHTTP_INCORRECT_HANDLE_STATE, nullptr);
    }
    return request;
}

// A handle under parent, with what it takes from it.
std::unique_ptr<InternetObject> ChildOf(const InternetObject& parent, HandleKind kind) {
    auto child = std::make_unique<InternetObject>();
    child->kind = kind;
    child->userAgent = parent.userAgent;
    child->withoutProxy = parent.withoutProxy;
    child->timeouts = parent.timeouts;
    child->server = parent.server;
    child->port = parent.port;
    return child;
}

// The request's record; one the driver has dropped meanwhile is written to a scratch record.
HttpExchange& ExchangeOf(const InternetObject& request) {
    static HttpExchange dropped;
    auto& exchanges = Host().http.exchanges;
    return request.exchange < exchanges.size() ? exchanges[request.exchange] : dropped;
}

// A failure of the exchange itself: the request is spent, and the record keeps the code.
BOOL FailExchange(InternetObject& request, DWORD error) {
    request.state = RequestState::Failed;
    ExchangeOf(request).error = error;
    return Fail(error, FALSE);
}

// Windows' wchar_t is UTF-16 and here UTF-32; the texts of HTTP are ASCII.
std::string Narrow(LPCWSTR text, size_t length) {
    std::string narrow;
    for (size_t i = 0; i < length; ++i) {
        narrow += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
    }
    return narrow;
}

std::string Narrow(LPCWSTR text) {
    return text == nullptr ? std::string() : Narrow(text, std::wcslen(text));
}

bool IsHostName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '-' || c == '.' || c == ':' || c == '[' || c == ']';
    });
}

std::string HeaderName(const std::string& line) {
    std::string name = line.substr(0, line.find(':'));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

// Adds header lines separated by CR LF: ADD appends, ADD_IF_NEW refuses a name already there,
// REPLACE drops the lines of that name first.
bool AddHeaders(InternetObject& request, const std::string& text, DWORD modifiers) {
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find("\r\n", from);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(from, end - from);
        from = end + 2;
        if (line.empty()) {
            continue;
        }
        if (line.find(':') == std::string::npos || line.find_first_of("\r\n") != std::string::npos) {
            return Fail(ERROR_INVALID_PARAMETER, false);
        }
        auto sameName = [&](const std::string& header) { return HeaderName(header) == HeaderName(line); };
        const bool present = std::any_of(request.headers.begin(), request.headers.end(), sameName);
        if ((modifiers & WINHTTP_ADDREQ_FLAG_ADD_IF_NEW) != 0 && present) {
            return Fail(ERROR_INVALID_PARAMETER, false);
        }
        if ((modifiers & WINHTTP_ADDREQ_FLAG_REPLACE) != 0) {
            std::erase_if(request.headers, sameName);
        }
        request.headers.push_back(line);
        ExchangeOf(request).headers.push_back(line);
    }
    return true;
}

} // namespace

namespace WinHttpLedger {

Int32 OpenCount() {
    return static_cast<Int32>(OpenHandles().size());
}

Int32 BadCloseCount() {
    return badCloses;
}

void Reset() {
    OpenHandles().clear();
    badCloses = 0;
}

} // namespace WinHttpLedger

} // namespace StandIn

using namespace StandIn;

HINTERNET WinHttpOpen(LPCWSTR agent, DWORD accessType, LPCWSTR, LPCWSTR, DWORD flags) {
    if (FailedOnDemand("WinHttpOpen")) {
        return nullptr;
    }
    // Synchronous sessions with the system's proxy setting or none; no named proxies.
    if (flags != 0 ||
        (accessType != WINHTTP_ACCESS_TYPE_DEFAULT_PROXY && accessType != WINHTTP_ACCESS_TYPE_NO_PROXY)) {
        return Fail<HINTERNET>(ERROR_INVALID_PARAMETER, nullptr);
    }
    auto session = std::make_unique<InternetObject>();
    session->userAgent = Narrow(agent);
    session->withoutProxy = accessType == WINHTTP_ACCESS_TYPE_NO_PROXY;
    return NewHandle(std::move(session));
}

BOOL WinHttpSetTimeouts(HINTERNET handle, int resolveTimeout, int connectTimeout, int sendTimeout,
                        int receiveTimeout) {
    if (FailedOnDemand("WinHttpSetTimeouts")) {
        return FALSE;
    }
    InternetObject* object = Find(handle, {HandleKind::Session, HandleKind::Request});
    if (object == nullptr) {
        return FALSE;
    }
    const std::vector<int> timeouts = {resolveTimeout, connectTimeout, sendTimeout, receiveTimeout};
    // -1 and 0 both mean no limit.
    if (std::any_of(timeouts.begin(), timeouts.end(), [](int t) { return t < -1; })) {
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    object->timeouts = timeouts;
    if (object->transfer) {
        object->transfer->SetTimeouts({resolveTimeout, connectTimeout, sendTimeout, receiveTimeout});
    }
    return TRUE;
}

HINTERNET WinHttpConnect(HINTERNET session, LPCWSTR serverName, INTERNET_PORT serverPort, DWORD) {
    if (FailedOnDemand("WinHttpConnect")) {
        return nullptr;
    }
    const InternetObject* parent = Find(session, {HandleKind::Session});
    if (parent == nullptr) {
        return nullptr;
    }
    const std::string server = Narrow(serverName);
    if (!IsHostName(server)) {
        return Fail<HINTERNET>(ERROR_WINHTTP_INVALID_URL, nullptr);
    }
    std::unique_ptr<InternetObject> connection = ChildOf(*parent, HandleKind::Connection);
    connection->server = server;
    connection->port = serverPort;
    return NewHandle(std::move(connection));
}

HINTERNET WinHttpOpenRequest(HINTERNET connection, LPCWSTR verb, LPCWSTR objectName, LPCWSTR, LPCWSTR,
                             LPCWSTR*, DWORD flags) {
    if (FailedOnDemand("WinHttpOpenRequest")) {
        return nullptr;
    }
    const InternetObject* parent = Find(connection, {HandleKind::Connection});
    if (parent == nullptr) {
        return nullptr;
    }
    std::unique_ptr<InternetObject> request = ChildOf(*parent, HandleKind::Request);
    HttpExchange exchange;
    exchange.userAgent = request->userAgent;
    exchange.server = request->server;
    exchange.port = request->port;
    exchange.verb = verb == nullptr ? "GET" : Narrow(verb);
    exchange.path = objectName == nullptr ? "/" : Narrow(objectName);
    exchange.secure = (flags & WINHTTP_FLAG_SECURE) != 0;
    request->exchange = Host().http.exchanges.size();
    Host().http.exchanges.push_back(exchange);
    return NewHandle(std::move(request));
}

BOOL WinHttpAddRequestHeaders(HINTERNET request, LPCWSTR headers, DWORD headersLength, DWORD modifiers) {
    if (FailedOnDemand("WinHttpAddRequestHeaders")) {
        return FALSE;
    }
    InternetObject* object = FindRequest(request, RequestState::Opened);
    if (object == nullptr) {
        return FALSE;
    }
    if (headers == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    const size_t length = headersLength == static_cast<DWORD>(-1) ? std::wcslen(headers) : headersLength;
    return AddHeaders(*object, Narrow(headers, length), modifiers) ? TRUE : FALSE;
}

BOOL WinHttpSendRequest(HINTERNET request, LPCWSTR headers, DWORD headersLength, LPVOID optional,
                        DWORD optionalLength, DWORD totalLength, DWORD_PTR) {
    if (FailedOnDemand("WinHttpSendRequest")) {
        return FALSE;
    }
    InternetObject* object = FindRequest(request, RequestState::Opened);
    if (object == nullptr) {
        return FALSE;
    }
    // Requests carry no body here.
    if (optional != nullptr || optionalLength != 0 || totalLength != 0) {
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    if (headers != nullptr) {
        const size_t length = headersLength == static_cast<DWORD>(-1) ? std::wcslen(headers) : headersLength;
        if (!AddHeaders(*object, Narrow(headers, length), WINHTTP_ADDREQ_FLAG_ADD)) {
            return FALSE;
        }
    }
    HttpExchange& exchange = ExchangeOf(*object);
    exchange.timeouts = object->timeouts;
    exchange.sent = true;
    const std::optional<HttpTarget> target =
        HttpTargetOf(object->server, object->port, exchange.secure, exchange.path);
    if (!target) {
        return FailExchange(*object, ERROR_WINHTTP_NAME_NOT_RESOLVED);
    }
    exchange.address = target->address;
    const std::vector<int>& t = object->timeouts;
    object->transfer =
        std::make_unique<HttpTransfer>(HttpTransfer::Request{target->address,
                                                             exchange.verb,
                                                             object->headers,
                                                             object->userAgent,
                                                             target->direct || object->withoutProxy,
                                                             {t[0], t[1], t[2], t[3]}});
    if (DWORD error = object->transfer->Send()) {
        return FailExchange(*object, error);
    }
    object->state = RequestState::Sent;
    return TRUE;
}

BOOL WinHttpReceiveResponse(HINTERNET request, LPVOID) {
    if (FailedOnDemand("WinHttpReceiveResponse")) {
        return FALSE;
    }
    InternetObject* object = FindRequest(request, RequestState::Sent);
    if (object == nullptr) {
        return FALSE;
    }
    if (DWORD error = object->transfer->ReceiveHeaders()) {
        return FailExchange(*object, error);
    }
    object->state = RequestState::Received;
    ExchangeOf(*object).status = object->transfer->Status();
    return TRUE;
}

BOOL WinHttpQueryHeaders(HINTERNET request, DWORD infoLevel, LPCWSTR, LPVOID buffer, LPDWORD bufferLength,
                         LPDWORD) {
    if (FailedOnDemand("WinHttpQueryHeaders")) {
        return FALSE;
    }
    const InternetObject* object = FindRequest(request, RequestState::Received);
    if (object == nullptr) {
        return FALSE;
    }
    if (bufferLength == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    // Only the status code is kept, as a number or as text.
    if ((infoLevel & 0xFFFF) != WINHTTP_QUERY_STATUS_CODE) {
        return Fail(ERROR_WINHTTP_HEADER_NOT_FOUND, FALSE);
    }
    const long status = object->transfer->Status();
    if ((infoLevel & WINHTTP_QUERY_FLAG_NUMBER) != 0) {
        if (buffer == nullptr || *bufferLength < sizeof(DWORD)) {
            *bufferLength = sizeof(DWORD);
            return Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
        }
        *static_cast<DWORD*>(buffer) = static_cast<DWORD>(status);
        *bufferLength = sizeof(DWORD);
        return TRUE;
    }
    const std::wstring text = std::to_wstring(status);
    const DWORD needed = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    if (buffer == nullptr || *bufferLength < needed) {
        *bufferLength = needed;
        return Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
    }
    std::wmemcpy(static_cast<wchar_t*>(buffer), text.c_str(), text.size() + 1);
    *bufferLength = needed - sizeof(wchar_t);
    return TRUE;
}

BOOL WinHttpQueryDataAvailable(HINTERNET request, LPDWORD numberOfBytesAvailable) {
    if (FailedOnDemand("WinHttpQueryDataAvailable")) {
        return FALSE;
    }
    InternetObject* object = FindRequest(request, RequestState::Received);
    if (object == nullptr) {
        return FALSE;
    }
    size_t available = 0;
    if (DWORD error = object->transfer->WaitForBody(&available)) {
        return FailExchange(*object, error);
    }
    if (numberOfBytesAvailable != nullptr) {
        *numberOfBytesAvailable = static_cast<DWORD>(available);
    }
    return TRUE;
}

BOOL WinHttpReadData(HINTERNET request, LPVOID buffer, DWORD numberOfBytesToRead, LPDWORD numberOfBytesRead) {
    if (FailedOnDemand("WinHttpReadData")) {
        return FALSE;
    }
    InternetObject* object = FindRequest(request, RequestState::Received);
    if (object == nullptr) {
        return FALSE;
    }
    if (numberOfBytesRead == nullptr || (buffer == nullptr && numberOfBytesToRead > 0)) {
        return Fail(ERROR_INVALID_PARAMETER, FALSE);
    }
    HttpExchange& exchange = ExchangeOf(*object);
    exchange.readSizes.push_back(numberOfBytesToRead);
    size_t available = object->transfer->Held();
    if (available == 0 && numberOfBytesToRead > 0) {
        if (DWORD error = object->transfer->WaitForBody(&available)) {
            return FailExchange(*object, error);
        }
    }
    const size_t read = object->transfer->Take(static_cast<char*>(buffer), numberOfBytesToRead);
    exchange.bytesRead += read;
    *numberOfBytesRead = static_cast<DWORD>(read);
    return TRUE;
}

BOOL WinHttpCloseHandle(HINTERNET handle) {
    // Never throws: callers close from destructors.
    if (FailedWithArmedCode("WinHttpCloseHandle")) {
        return FALSE;
    }
    if (OpenHandles().erase(handle) == 0) {
        ++badCloses;
        return Fail(ERROR_INVALID_HANDLE, FALSE);
    }
    return TRUE;
}
