#include "GSException.hpp"
#include "HttpServers/LocalHttpServer.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"

#include <winhttp.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class WinHttp : public ::testing::Test {
protected:
    void SetUp() override { StandIn::ResetHost(); }
    void TearDown() override { StandIn::ResetHost(); }

    // A GET request for path on server, opened but not sent.
    struct Opened {
        HINTERNET session = nullptr;
        HINTERNET connection = nullptr;
        HINTERNET request = nullptr;
        void Close() const {
            for (HINTERNET handle : {request, connection, session}) {
                EXPECT_TRUE(WinHttpCloseHandle(handle));
            }
        }
    };
    static Opened Open(const wchar_t* server, const wchar_t* path = L"/v1/a") {
        Opened opened;
        opened.session = WinHttpOpen(L"Agent/1", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, nullptr, nullptr, 0);
        opened.connection = WinHttpConnect(opened.session, server, INTERNET_DEFAULT_HTTPS_PORT, 0);
        opened.request = WinHttpOpenRequest(opened.connection, L"GET", path, nullptr, nullptr, nullptr,
                                            WINHTTP_FLAG_SECURE);
        EXPECT_NE(opened.request, nullptr);
        return opened;
    }
    static std::string ReadAll(HINTERNET request, DWORD piece) {
        std::string body;
        std::string buffer(piece, '\0');
        DWORD available = 0;
        while (WinHttpQueryDataAvailable(request, &available) && available > 0) {
            DWORD read = 0;
            EXPECT_TRUE(WinHttpReadData(request, buffer.data(), piece, &read));
            body.append(buffer.data(), read);
        }
        return body;
    }
};

TEST_F(WinHttp, HandlesAreCountedUntilClosedAndAreClosedOnce) {
    Opened opened = Open(L"api.example.com");
    EXPECT_EQ(StandIn::WinHttpLedger::OpenCount(), 3);
    EXPECT_TRUE(WinHttpCloseHandle(opened.session)) << "a parent may go first";
    EXPECT_TRUE(
        WinHttpAddRequestHeaders(opened.request, L"X-A: 1", static_cast<DWORD>(-1), WINHTTP_ADDREQ_FLAG_ADD));
    EXPECT_TRUE(WinHttpCloseHandle(opened.request));
    EXPECT_TRUE(WinHttpCloseHandle(opened.connection));
    EXPECT_EQ(StandIn::WinHttpLedger::OpenCount(), 0);
    EXPECT_FALSE(WinHttpCloseHandle(opened.request));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(StandIn::WinHttpLedger::BadCloseCount(), 1);
}

TEST_F(WinHttp, CallsCheckTheirHandlesAndOrder) {
    Opened opened = Open(L"api.example.com");
    DWORD status = 0;
    DWORD size = sizeof(status);
    EXPECT_FALSE(WinHttpQueryHeaders(opened.request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                     nullptr, &status, &size, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_INCORRECT_HANDLE_STATE) << "before a response";
    EXPECT_FALSE(WinHttpReceiveResponse(opened.request, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_INCORRECT_HANDLE_STATE) << "before sending";
    EXPECT_EQ(WinHttpConnect(opened.connection, L"a.b", 443, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_INCORRECT_HANDLE_TYPE);
    EXPECT_FALSE(WinHttpSetTimeouts(opened.connection, 1, 1, 1, 1));
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_INCORRECT_HANDLE_TYPE);
    EXPECT_FALSE(WinHttpSetTimeouts(opened.session, -2, 1, 1, 1));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WinHttpConnect(opened.session, L"a.b/x?y", 443, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_INVALID_URL);
    EXPECT_FALSE(WinHttpAddRequestHeaders(opened.request, L"no colon", static_cast<DWORD>(-1),
                                          WINHTTP_ADDREQ_FLAG_ADD));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WinHttpOpen(L"Agent", 3 /* a named proxy */, L"proxy:8080", nullptr, 0), nullptr);
    opened.Close();
}

TEST_F(WinHttp, WithoutNetworkAHostOutsideTheTableIsNotResolved) {
    Opened opened = Open(L"api.example.com");
    EXPECT_FALSE(WinHttpSendRequest(opened.request, nullptr, 0, nullptr, 0, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_NAME_NOT_RESOLVED);
    const StandIn::HttpExchange& exchange = StandIn::Host().http.exchanges.back();
    EXPECT_TRUE(exchange.sent);
    EXPECT_EQ(exchange.error, ERROR_WINHTTP_NAME_NOT_RESOLVED);
    EXPECT_FALSE(WinHttpSendRequest(opened.request, nullptr, 0, nullptr, 0, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_INCORRECT_HANDLE_STATE) << "a request is sent once";
    opened.Close();
}

TEST_F(WinHttp, TheHostTableAllowsPlainHttpOnlyToThisMachine) {
    EXPECT_THROW(StandIn::MapHttpHost("api.example.com", "http://example.com:8080"),
                 GS::IllegalArgumentException);
    EXPECT_THROW(StandIn::MapHttpHost("api.example.com", "ftp://127.0.0.1"), GS::IllegalArgumentException);
    EXPECT_THROW(StandIn::MapHttpHost("api.example.com", "http://127.0.0.1.example.com/"),
                 GS::IllegalArgumentException);
    StandIn::MapHttpHost("API.Example.com", "http://localhost:1/base/");
    StandIn::MapHttpHost("b.example.com", "https://mirror.example.com");
    StandIn::MapHttpHost("c.example.com", "http://[::1]:8080");
    const auto& table = StandIn::Host().http.hostTable;
    EXPECT_EQ(table.at("api.example.com"), "http://localhost:1/base");
    EXPECT_EQ(table.size(), 3u);
}

TEST_F(WinHttp, ARequestGoesWhereTheTableSendsItAndIsReadInPieces) {
    const std::string body(100000, 'b');
    LocalHttpServer server(203, body);
    StandIn::MapHttpHost("api.example.com", server.Address() + "/base");
    Opened opened = Open(L"API.example.com", L"/v1/a?x=1");
    ASSERT_TRUE(WinHttpAddRequestHeaders(opened.request, L"User-Agent: Mine/2\r\nX-B: 2",
                                         static_cast<DWORD>(-1), WINHTTP_ADDREQ_FLAG_ADD));
    EXPECT_FALSE(WinHttpAddRequestHeaders(opened.request, L"x-b: 3", static_cast<DWORD>(-1),
                                          WINHTTP_ADDREQ_FLAG_ADD_IF_NEW));
    ASSERT_TRUE(WinHttpSendRequest(opened.request, nullptr, 0, nullptr, 0, 0, 0));
    ASSERT_TRUE(WinHttpReceiveResponse(opened.request, nullptr));

    DWORD status = 0;
    DWORD size = 1;
    EXPECT_FALSE(WinHttpQueryHeaders(opened.request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                     nullptr, &status, &size, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    ASSERT_TRUE(WinHttpQueryHeaders(opened.request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                    nullptr, &status, &size, nullptr));
    EXPECT_EQ(status, 203u);
    wchar_t text[8] = {};
    size = sizeof(text);
    ASSERT_TRUE(
        WinHttpQueryHeaders(opened.request, WINHTTP_QUERY_STATUS_CODE, nullptr, text, &size, nullptr));
    EXPECT_EQ(std::wstring(text), L"203");
    EXPECT_FALSE(WinHttpQueryHeaders(opened.request, 1 /* content type */, nullptr, text, &size, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_HEADER_NOT_FOUND);

    EXPECT_EQ(ReadAll(opened.request, 1000), body);
    opened.Close();

    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].path, "/base/v1/a");
    EXPECT_EQ(server.Requests()[0].userAgents, std::vector<std::string>{"Mine/2"})
        << "the request's own agent replaces the session's";
    const StandIn::HttpExchange& exchange = StandIn::Host().http.exchanges.back();
    EXPECT_EQ(exchange.address, server.Address() + "/base/v1/a?x=1");
    EXPECT_EQ(exchange.headers, (std::vector<std::string>{"User-Agent: Mine/2", "X-B: 2"}));
    EXPECT_EQ(exchange.bytesRead, body.size());
}

TEST_F(WinHttp, ARefusedConnectionFailsTheSend) {
    std::string address;
    {
        LocalHttpServer gone;
        address = gone.Address();
    }
    StandIn::MapHttpHost("api.example.com", address);
    Opened opened = Open(L"api.example.com");
    EXPECT_FALSE(WinHttpSendRequest(opened.request, nullptr, 0, nullptr, 0, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_CANNOT_CONNECT);
    opened.Close();
}

TEST_F(WinHttp, AnHttpsAddressGetsATlsHandshakeThatAPlainServerFails) {
    LocalHttpServer plain(200, "{}");
    std::string address = plain.Address();
    address.replace(0, 4, "https");
    StandIn::MapHttpHost("api.example.com", address);
    Opened opened = Open(L"api.example.com");
    EXPECT_FALSE(WinHttpSendRequest(opened.request, nullptr, 0, nullptr, 0, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_SECURE_FAILURE);
    EXPECT_TRUE(plain.Requests().empty()) << "nothing readable reached the server";
    opened.Close();
}

TEST_F(WinHttp, EveryCallFailsOnDemandWithoutChangingAnything) {
    StandIn::Faults::Arm("WinHttpOpen", ERROR_WINHTTP_INTERNAL_ERROR);
    EXPECT_EQ(WinHttpOpen(L"Agent", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_WINHTTP_INTERNAL_ERROR);
    Opened opened = Open(L"api.example.com");
    StandIn::Faults::Arm("WinHttpCloseHandle", ERROR_INVALID_HANDLE);
    EXPECT_FALSE(WinHttpCloseHandle(opened.request));
    EXPECT_EQ(StandIn::WinHttpLedger::OpenCount(), 3) << "a failed close leaves the handle open";
    StandIn::Faults::Arm("WinHttpOpenRequest:throwStd", 0);
    EXPECT_THROW(WinHttpOpenRequest(opened.connection, L"GET", L"/", nullptr, nullptr, nullptr, 0),
                 std::runtime_error);
    StandIn::Faults::Arm("WinHttpSendRequest:throw", 0);
    EXPECT_THROW(WinHttpSendRequest(opened.request, nullptr, 0, nullptr, 0, 0, 0), GS::Exception);
    EXPECT_EQ(StandIn::WinHttpLedger::OpenCount(), 3);
    opened.Close();
}

} // namespace
