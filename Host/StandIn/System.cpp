// Module path, file attributes and computer name: answered from this machine through the host's
// drive letters, or as the driver scripted them (StandIn::SystemState), and failed on demand.
#include "StandIn/Faults.hpp"
#include "StandIn/Host.hpp"
#include "StandIn/WindowsPaths.hpp"
#include <windows.h>

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

std::string ModuleFile(HMODULE module) {
    Dl_info info = {};
    if (dladdr(module, &info) == 0 || info.dli_fname == nullptr || info.dli_fname[0] == '\0') {
        return std::filesystem::read_symlink("/proc/self/exe").string();
    }
    return std::filesystem::absolute(info.dli_fname).lexically_normal().string();
}

// The NetBIOS form of this machine's host name: at most 15 characters, in capitals.
std::string MachineName() {
    char host[256] = {};
    gethostname(host, sizeof(host) - 1);
    std::string name(host, std::strcspn(host, "."));
    name.resize(std::min<size_t>(name.size(), MAX_COMPUTERNAME_LENGTH));
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

} // namespace

using namespace StandIn;

BOOL GetModuleHandleExA(DWORD flags, LPCSTR moduleName, HMODULE* module) {
    // Only the form the add-on uses, the module holding an address, is answered.
    if (Faults::Take("GetModuleHandleExA") || module == nullptr ||
        !(flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS)) {
        return 0;
    }
    Dl_info info = {};
    if (dladdr(moduleName, &info) == 0) {
        return 0;
    }
    *module = static_cast<HMODULE>(info.dli_fbase);
    return 1;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
    if (Faults::Take("GetModuleFileNameA") || size == 0) {
        return 0;
    }
    const std::optional<std::string>& scripted = Host().system.moduleFileName;
    const std::string path = scripted ? *scripted : WindowsPathOf(ModuleFile(module));
    if (path.size() >= size) {
        std::memcpy(fileName, path.data(), size - 1);
        fileName[size - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    std::memcpy(fileName, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

DWORD GetTempPathA(DWORD size, LPSTR buffer) {
    if (Faults::Take("GetTempPathA")) {
        return 0;
    }
    const std::optional<std::string>& scripted = Host().system.tempFolder;
    std::error_code error;
    const std::string path =
        scripted ? *scripted : WindowsPathOf(std::filesystem::temp_directory_path(error).string()) + "\\";
    if (buffer == nullptr || path.size() >= size) {
        return static_cast<DWORD>(path.size() + 1);
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

DWORD GetFileAttributesA(LPCSTR fileName) {
    if (Faults::Take("GetFileAttributesA")) {
        return INVALID_FILE_ATTRIBUTES;
    }
    const std::optional<std::string> path = MachinePathOf(fileName);
    std::error_code error;
    if (!path || !std::filesystem::exists(*path, error)) {
        return INVALID_FILE_ATTRIBUTES;
    }
    return std::filesystem::is_directory(*path, error) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
}

BOOL GetComputerNameA(LPSTR buffer, LPDWORD size) {
    if (Faults::Take("GetComputerNameA") || size == nullptr) {
        return 0;
    }
    const std::string name = Host().system.computerName.value_or(MachineName());
    if (*size < name.size() + 1) {
        *size = static_cast<DWORD>(name.size() + 1);
        SetLastError(ERROR_BUFFER_OVERFLOW);
        return 0;
    }
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<DWORD>(name.size());
    return 1;
}
