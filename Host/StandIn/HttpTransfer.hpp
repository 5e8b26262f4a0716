#pragma once

#include <curl/curl.h>

#include <chrono>
#include <string>
#include <vector>

namespace StandIn {

// One HTTP exchange over libcurl, driven step by step as WinHTTP's synchronous calls drive theirs:
// send the request, wait for the response's headers, then take the body piece by piece. Every wait
// is bounded by its WinHTTP time-out, and at most a small buffer of the body is held here: the
// rest waits in the server's socket until the reader asks for it. Failures are ERROR_WINHTTP_* codes.
class HttpTransfer {
public:
    // Milliseconds; 0 or less means no limit.
    struct Timeouts {
        int resolve = 0;
        int connect = 0;
        int send = 0;
        int receive = 0;
    };
    struct Request {
        std::string address;
        std::string verb;
        std::vector<std::string> headers;
        std::string userAgent;
        // Past any proxy of the environment (the machine itself, or a session without proxy).
        bool direct = false;
        Timeouts timeouts;
    };

    explicit HttpTransfer(const Request& request);
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // As WinHTTP, a time-out set on a request that is under way bounds its next waits.
    void SetTimeouts(const Timeouts& limits) { timeouts = limits; }
    // Each returns 0 or the code it failed with.
    unsigned long Send();
    unsigned long ReceiveHeaders();
    long Status() const { return status; }
    // Waits until body bytes are held or the body has ended (then available is 0).
    unsigned long WaitForBody(size_t* available);
    size_t Held() const { return body.size() - taken; }
    // Moves up to size held bytes into buffer.
    size_t Take(char* buffer, size_t size);

private:
    using Clock = std::chrono::steady_clock;

    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    static size_t OnBody(char* data, size_t size, size_t count, void* self);
    static int OnDebug(CURL* easy, curl_infotype type, char* data, size_t size, void* self);

    template <typename Reached>
    unsigned long Drive(Reached reached);
    void CollectResult();
    // The time-out of the phase the exchange is in, when it has passed.
    bool Overdue() const;
    void Resume();

    Timeouts timeouts;
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    curl_slist* headerList = nullptr;
    Clock::time_point started;
    Clock::time_point lastProgress;
    bool requestSent = false;
    bool headersReceived = false;
    bool paused = false;
    bool finished = false;
    unsigned long failure = 0;
    long status = 0;
    std::string body;
    size_t taken = 0;
};

} // namespace StandIn
