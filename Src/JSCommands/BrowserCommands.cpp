#include "JSCommands/BrowserCommands.hpp"

#include "JSCommands/ArgumentReaders.hpp"
#include "JSCommands/ResultEnvelope.hpp"
#include "Logging/Logger.hpp"
#include "Palettes/BrowserPalette.hpp"

#include <windows.h>

#include <cstdint>
#include <shellapi.h>
#include <string>

namespace JSCommands::BrowserCommands {

namespace {

constexpr const char* Category = "BrowserCommands";
constexpr USize MaxAddressLength = 2048;

bool IsWebAddress(const GS::UniString& address) {
    if (address.GetLength() > MaxAddressLength) {
        return false;
    }
    const GS::UniString lower = address.ToLowerCase();
    return lower.BeginsWith("http://") || lower.BeginsWith("https://");
}

std::wstring ToWide(const GS::UniString& text) {
    std::wstring wide;
    for (USize i = 0; i < text.GetLength(); ++i) {
        wide += static_cast<wchar_t>(static_cast<char16_t>(text[i]));
    }
    return wide;
}

} // namespace

GS::Ref<JS::Base> LaunchBrowser(GS::Ref<JS::Base> argument) {
    const GS::UniString address = GetStringArgument(argument);
    Logger::Debug(Category, "Attempting to launch URL: " + address);
    if (!IsWebAddress(address)) {
        Logger::Warning(Category, "Invalid URL rejected: " + address);
        return MakeErrorResult("Invalid URL: Must start with http:// or https://");
    }
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", ToWide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    const auto code = static_cast<int>(reinterpret_cast<std::intptr_t>(result));
    if (code <= 32) {
        Logger::Warning(Category, GS::UniString::Printf("ShellExecuteW failed with code: %d", code));
        return MakeErrorResult(
            "Failed to launch browser. Please check your system's default browser settings.");
    }
    Logger::Info(Category, "Successfully launched browser");
    return MakeSuccessResult("Browser launched");
}

GS::Ref<JS::Base> CloseBrowserPalette(GS::Ref<JS::Base>) {
    Logger::Debug(Category, "JavaScript requested to close BrowserPalette");
    if (!BrowserPalette::Exists()) {
        Logger::Debug(Category, "BrowserPalette does not exist, nothing to close");
        return MakeSuccessResult("BrowserPalette already closed");
    }
    BrowserPalette::GetInstance().Hide();
    Logger::Info(Category, "BrowserPalette closed via JavaScript command");
    return MakeSuccessResult("BrowserPalette closed");
}

} // namespace JSCommands::BrowserCommands
