#include "StandIn/HttpTransfer.hpp"

#include <winhttp.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace StandIn {

namespace {

// Beyond this the transfer pauses, so a huge body never piles up in the host.
constexpr size_t HeldBodyLimit = 64 * 1024;
// How long one wait for the sockets lasts before the time-outs are looked at again.
constexpr int PollSliceMs = 50;

void InitialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

unsigned long WinHttpErrorOf(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return ERROR_WINHTTP_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT:
        return ERROR_WINHTTP_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT:
        return ERROR_WINHTTP_TIMEOUT;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
        return ERROR_WINHTTP_SECURE_FAILURE;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return ERROR_WINHTTP_INVALID_URL;
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
        return ERROR_WINHTTP_INVALID_SERVER_RESPONSE;
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
        return ERROR_WINHTTP_CONNECTION_ERROR;
    default:
        return ERROR_WINHTTP_INTERNAL_ERROR;
    }
}

// Microseconds since the transfer started at which curl reached a step, or 0 before it.
curl_off_t StepTime(CURL* easy, CURLINFO step) {
    curl_off_t time = 0;
    curl_easy_getinfo(easy, step, &time);
    return time;
}

} // namespace

HttpTransfer::HttpTransfer(const Request& request) : timeouts(request.timeouts) {
    InitialiseCurl();
    easy = curl_easy_init();
    multi = curl_multi_init();
    curl_easy_setopt(easy, CURLOPT_URL, request.address.c_str());
    if (request.verb != "GET") {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.verb.c_str());
    }
    if (!request.userAgent.empty()) {
        curl_easy_setopt(easy, CURLOPT_USERAGENT, request.userAgent.c_str());
    }
    for (const std::string& header : request.headers) {
        headerList = curl_slist_append(headerList, header.c_str());
    }
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headerList);
    if (request.direct) {
        curl_easy_setopt(easy, CURLOPT_PROXY, "");
    }
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpTransfer::OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpTransfer::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    // The debug hook is the one that tells when the request has gone out; it needs verbose on.
    curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, &HttpTransfer::OnDebug);
    curl_easy_setopt(easy, CURLOPT_DEBUGDATA, this);
    curl_multi_add_handle(multi, easy);
    started = lastProgress = Clock::now();
}

HttpTransfer::~HttpTransfer() {
    curl_multi_remove_handle(multi, easy);
    curl_easy_cleanup(easy);
    curl_multi_cleanup(multi);
    curl_slist_free_all(headerList);
}

size_t HttpTransfer::OnHeader(char* data, size_t size, size_t count, void* self) {
    auto* transfer = static_cast<HttpTransfer*>(self);
    const size_t bytes = size * count;
    transfer->lastProgress = Clock::now();
    // A blank line ends a block of headers; informational (1xx) blocks come before the response's.
    if (bytes <= 2 && (bytes == 0 || data[0] == '\r' || data[0] == '\n')) {
        long code = 0;
        curl_easy_getinfo(transfer->easy, CURLINFO_RESPONSE_CODE, &code);
        if (code >= 200) {
            transfer->status = code;
            transfer->headersReceived = true;
        }
    }
    return bytes;
}

size_t HttpTransfer::OnBody(char* data, size_t size, size_t count, void* self) {
    auto* transfer = static_cast<HttpTransfer*>(self);
    if (transfer->Held() >= HeldBodyLimit) {
        // curl keeps these bytes and offers them again when the transfer resumes.
        transfer->paused = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    transfer->lastProgress = Clock::now();
    transfer->body.append(data, size * count);
    return size * count;
}

int HttpTransfer::OnDebug(CURL*, curl_infotype type, char*, size_t, void* self) {
    if (type == CURLINFO_HEADER_OUT) {
        auto* transfer = static_cast<HttpTransfer*>(self);
        transfer->requestSent = true;
        transfer->lastProgress = Clock::now();
    }
    return 0;
}

void HttpTransfer::CollectResult() {
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE) {
            finished = true;
            failure = message->data.result == CURLE_OK ? 0 : WinHttpErrorOf(message->data.result);
        }
    }
}

bool HttpTransfer::Overdue() const {
    const Clock::time_point now = Clock::now();
    auto late = [&](Clock::time_point from, int limitMs) {
        return limitMs > 0 && now - from > std::chrono::milliseconds(limitMs);
    };
    if (requestSent) {
        return late(lastProgress, timeouts.receive);
    }
    if (curl_off_t sending = StepTime(easy, CURLINFO_PRETRANSFER_TIME_T)) {
        return late(started + std::chrono::microseconds(sending), timeouts.send);
    }
    if (curl_off_t resolved = StepTime(easy, CURLINFO_NAMELOOKUP_TIME_T)) {
        return late(started + std::chrono::microseconds(resolved), timeouts.connect);
    }
    return late(started, timeouts.resolve);
}

template <typename Reached>
unsigned long HttpTransfer::Drive(Reached reached) {
    while (!reached()) {
        if (finished) {
            return failure != 0 ? failure : ERROR_WINHTTP_INVALID_SERVER_RESPONSE;
        }
        int running = 0;
        curl_multi_perform(multi, &running);
        CollectResult();
        if (reached() || finished) {
            continue;
        }
        if (Overdue()) {
            // The exchange is over: later calls fail the same way.
            finished = true;
            failure = ERROR_WINHTTP_TIMEOUT;
            return failure;
        }
        curl_multi_poll(multi, nullptr, 0, PollSliceMs, nullptr);
    }
    return 0;
}

void HttpTransfer::Resume() {
    if (paused && Held() == 0) {
        paused = false;
        curl_easy_pause(easy, CURLPAUSE_CONT);
    }
}

unsigned long HttpTransfer::Send() {
    return Drive([this] { return requestSent; });
}

unsigned long HttpTransfer::ReceiveHeaders() {
    lastProgress = Clock::now();
    return Drive([this] { return headersReceived; });
}

unsigned long HttpTransfer::WaitForBody(size_t* available) {
    *available = 0;
    lastProgress = Clock::now();
    Resume();
    const unsigned long code = Drive([this] { return Held() > 0 || finished; });
    // What arrived before a failure is still delivered; the failure comes with the next wait.
    if (Held() > 0) {
        *available = Held();
        return 0;
    }
    return code != 0 ? code : failure;
}

size_t HttpTransfer::Take(char* buffer, size_t size) {
    const size_t count = std::min(size, Held());
    std::memcpy(buffer, body.data() + taken, count);
    taken += count;
    if (taken == body.size()) {
        body.clear();
        taken = 0;
    }
    return count;
}

} // namespace StandIn
