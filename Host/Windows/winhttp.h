#pragma once

#include <windows.h>

// The part of WinHTTP, the system's HTTP client, that the add-on calls, with the system's own names.
// Synchronous use only: every call returns when its work is done or has failed; on failure
// GetLastError() tells the ERROR_WINHTTP_* code.
using INTERNET_PORT = unsigned short;
using HINTERNET = void*;

constexpr DWORD WINHTTP_ACCESS_TYPE_DEFAULT_PROXY = 0;
constexpr DWORD WINHTTP_ACCESS_TYPE_NO_PROXY = 1;
#define WINHTTP_NO_PROXY_NAME nullptr
#define WINHTTP_NO_PROXY_BYPASS nullptr
#define WINHTTP_NO_REFERER nullptr
#define WINHTTP_DEFAULT_ACCEPT_TYPES nullptr
#define WINHTTP_NO_ADDITIONAL_HEADERS nullptr
#define WINHTTP_NO_REQUEST_DATA nullptr
#define WINHTTP_HEADER_NAME_BY_INDEX nullptr
#define WINHTTP_NO_HEADER_INDEX nullptr

constexpr INTERNET_PORT INTERNET_DEFAULT_HTTP_PORT = 80;
constexpr INTERNET_PORT INTERNET_DEFAULT_HTTPS_PORT = 443;

constexpr DWORD WINHTTP_FLAG_SECURE = 0x00800000;

constexpr DWORD WINHTTP_ADDREQ_FLAG_ADD_IF_NEW = 0x10000000;
constexpr DWORD WINHTTP_ADDREQ_FLAG_ADD = 0x20000000;
constexpr DWORD WINHTTP_ADDREQ_FLAG_REPLACE = 0x80000000;

constexpr DWORD WINHTTP_QUERY_STATUS_CODE = 19;
constexpr DWORD WINHTTP_QUERY_FLAG_NUMBER = 0x20000000;

constexpr DWORD ERROR_WINHTTP_TIMEOUT = 12002;
constexpr DWORD ERROR_WINHTTP_INTERNAL_ERROR = 12004;
constexpr DWORD ERROR_WINHTTP_INVALID_URL = 12005;
constexpr DWORD ERROR_WINHTTP_NAME_NOT_RESOLVED = 12007;
constexpr DWORD ERROR_WINHTTP_INCORRECT_HANDLE_TYPE = 12018;
constexpr DWORD ERROR_WINHTTP_INCORRECT_HANDLE_STATE = 12019;
constexpr DWORD ERROR_WINHTTP_CANNOT_CONNECT = 12029;
constexpr DWORD ERROR_WINHTTP_CONNECTION_ERROR = 12030;
constexpr DWORD ERROR_WINHTTP_HEADER_NOT_FOUND = 12150;
constexpr DWORD ERROR_WINHTTP_INVALID_SERVER_RESPONSE = 12152;
constexpr DWORD ERROR_WINHTTP_SECURE_FAILURE = 12175;

// A session; the agent is sent as the User-Agent of its requests that do not carry their own.
HOST_API HINTERNET WinHttpOpen(LPCWSTR agent, DWORD accessType, LPCWSTR proxyName, LPCWSTR proxyBypass,
                               DWORD flags);
// The resolve, connect, send and receive time-outs in milliseconds (0: none) of a session or a
// request; a session passes its time-outs on to the requests opened after.
HOST_API BOOL WinHttpSetTimeouts(HINTERNET handle, int resolveTimeout, int connectTimeout, int sendTimeout,
                                 int receiveTimeout);
// A connection to a server; nothing goes over the network yet.
HOST_API HINTERNET WinHttpConnect(HINTERNET session, LPCWSTR serverName, INTERNET_PORT serverPort,
                                  DWORD reserved);
HOST_API HINTERNET WinHttpOpenRequest(HINTERNET connection, LPCWSTR verb, LPCWSTR objectName, LPCWSTR version,
                                      LPCWSTR referrer, LPCWSTR* acceptTypes, DWORD flags);
// Header lines "Name: value", separated by CR LF; a length of (DWORD)-1 means up to the NUL.
HOST_API BOOL WinHttpAddRequestHeaders(HINTERNET request, LPCWSTR headers, DWORD headersLength,
                                       DWORD modifiers);
HOST_API BOOL WinHttpSendRequest(HINTERNET request, LPCWSTR headers, DWORD headersLength, LPVOID optional,
                                 DWORD optionalLength, DWORD totalLength, DWORD_PTR context);
HOST_API BOOL WinHttpReceiveResponse(HINTERNET request, LPVOID reserved);
HOST_API BOOL WinHttpQueryHeaders(HINTERNET request, DWORD infoLevel, LPCWSTR name, LPVOID buffer,
                                  LPDWORD bufferLength, LPDWORD index);
// The number of body bytes that can be read without waiting; 0 at the end of the body.
HOST_API BOOL WinHttpQueryDataAvailable(HINTERNET request, LPDWORD numberOfBytesAvailable);
HOST_API BOOL WinHttpReadData(HINTERNET request, LPVOID buffer, DWORD numberOfBytesToRead,
                              LPDWORD numberOfBytesRead);
HOST_API BOOL WinHttpCloseHandle(HINTERNET handle);
