#include "StandIn/Host.hpp"

#include <windows.h>

#include <shellapi.h>

namespace {

thread_local DWORD lastError = 0;

// Windows' wchar_t is UTF-16; here it is UTF-32, and addresses only need the units below U+10000.
GS::UniString FromWide(LPCWSTR text) {
    GS::UniString converted;
    for (; text != nullptr && *text != L'\0'; ++text) {
        converted += GS::UniChar(static_cast<char16_t>(*text));
    }
    return converted;
}

} // namespace

HINSTANCE ShellExecuteW(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, int show) {
    StandIn::ShellState& shell = StandIn::Host().shell;
    shell.executions.push_back(StandIn::ShellExecution{FromWide(verb), FromWide(file), show});
    return reinterpret_cast<HINSTANCE>(shell.result);
}

void Sleep(DWORD milliseconds) {
    StandIn::Host().shell.sleeps.push_back(milliseconds);
}

DWORD GetLastError() {
    return lastError;
}

void SetLastError(DWORD errorCode) {
    lastError = errorCode;
}
