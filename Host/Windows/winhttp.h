#pragma once

#include <windows.h>

// The part of WinHTTP, the system's HTTP client, that the add-on calls, with the system's own names.
// Synchronous use only: every call returns when its work is done or has failed; on failure
// GetLastError() tells the ERROR_WINHTTP_* code.
typedef LPVOID HINTERNET;

#define INTERNET_DEFAULT_HTTP_PORT 80
#define INTERNET_DEFAULT_HTTPS_PORT 443
typedef WORD INTERNET_PORT;

#define WINHTTP_FLAG_SECURE 0x00800000

#define WINHTTP_ACCESS_TYPE_DEFAULT_PROXY 0
#define WINHTTP_ACCESS_TYPE_NO_PROXY 1

#define WINHTTP_NO_PROXY_NAME NULL
#define WINHTTP_NO_PROXY_BYPASS NULL

#define WINHTTP_NO_REFERER NULL
#define WINHTTP_DEFAULT_ACCEPT_TYPES NULL

#define WINHTTP_NO_ADDITIONAL_HEADERS NULL
#define WINHTTP_NO_REQUEST_DATA NULL

#define WINHTTP_HEADER_NAME_BY_INDEX NULL
#define WINHTTP_NO_HEADER_INDEX NULL

#define WINHTTP_ADDREQ_FLAG_ADD_IF_NEW 0x10000000
#define WINHTTP_ADDREQ_FLAG_ADD 0x20000000
#define WINHTTP_ADDREQ_FLAG_REPLACE 0x80000000

#define WINHTTP_ERROR_BASE 12000
#define ERROR_WINHTTP_TIMEOUT (WINHTTP_ERROR_BASE + 2)
#define ERROR_WINHTTP_INTERNAL_ERROR (WINHTTP_ERROR_BASE + 4)
#define ERROR_WINHTTP_INVALID_URL (WINHTTP_ERROR_BASE + 5)
#define ERROR_WINHTTP_NAME_NOT_RESOLVED (WINHTTP_ERROR_BASE + 7)
#define ERROR_WINHTTP_INCORRECT_HANDLE_TYPE (WINHTTP_ERROR_BASE + 18)
#define ERROR_WINHTTP_INCORRECT_HANDLE_STATE (WINHTTP_ERROR_BASE + 19)
#define ERROR_WINHTTP_CANNOT_CONNECT (WINHTTP_ERROR_BASE + 29)
#define ERROR_WINHTTP_CONNECTION_ERROR (WINHTTP_ERROR_BASE + 30)
#define ERROR_WINHTTP_HEADER_NOT_FOUND (WINHTTP_ERROR_BASE + 150)
#define ERROR_WINHTTP_INVALID_SERVER_RESPONSE (WINHTTP_ERROR_BASE + 152)
#define ERROR_WINHTTP_SECURE_FAILURE (WINHTTP_ERROR_BASE + 175)

#define WINHTTP_QUERY_STATUS_CODE 19
#define WINHTTP_QUERY_FLAG_NUMBER 0x20000000

extern "C" {

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

} // extern "C"
