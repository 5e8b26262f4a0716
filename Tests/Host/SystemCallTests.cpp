#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/WindowsPaths.hpp"
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class SystemCalls : public ::testing::Test {
protected:
    void SetUp() override { StandIn::ResetHost(); }
    void TearDown() override { StandIn::ResetHost(); }
};

TEST_F(SystemCalls, ShowThisMachinesPathsThroughDriveLetters) {
    EXPECT_EQ(StandIn::WindowsPathOf("/opt/tolva/TolvaAddOn.so"), "Z:\\opt\\tolva\\TolvaAddOn.so");
    StandIn::Host().system.drives['C'] = "/srv/archicad/";
    EXPECT_EQ(StandIn::WindowsPathOf("/srv/archicad/Add-Ons/Tolva.apx"), "C:\\Add-Ons\\Tolva.apx");
    EXPECT_EQ(StandIn::WindowsPathOf("/srv/archicadX"), "Z:\\srv\\archicadX") << "whole folder names only";
    EXPECT_EQ(StandIn::MachinePathOf("c:\\Add-Ons\\.sentry-native"), "/srv/archicad/Add-Ons/.sentry-native");
    EXPECT_EQ(StandIn::MachinePathOf("Z:\\opt\\x"), "/opt/x");
    EXPECT_EQ(StandIn::MachinePathOf("Q:\\opt\\x"), std::nullopt) << "no such drive";
    EXPECT_EQ(StandIn::MachinePathOf("relative\\x"), std::nullopt);
}

TEST_F(SystemCalls, NameTheModuleHoldingAnAddress) {
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    ASSERT_TRUE(GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(&StandIn::WindowsPathOf), &module));
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    const std::string library =
        StandIn::WindowsPathOf(fs::canonical(TOLVA_ADDON_PATH).parent_path().string()) +
        "\\libArchicadStandIn.so";
    EXPECT_EQ(std::string(path), library);
    EXPECT_EQ(length, library.size());

    char cut[10] = {};
    EXPECT_EQ(GetModuleFileNameA(module, cut, sizeof cut), 10u) << "a cut path answers the buffer's size";
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::string(cut), library.substr(0, 9));

    StandIn::Host().system.moduleFileName = "C:\\Program Files\\Tolva\\Tolva.apx";
    ASSERT_GT(GetModuleFileNameA(module, path, MAX_PATH), 0u);
    EXPECT_EQ(std::string(path), "C:\\Program Files\\Tolva\\Tolva.apx");

    EXPECT_FALSE(GetModuleHandleExA(0, "TolvaAddOn", &module)) << "only the module holding an address";
    StandIn::Faults::Arm("GetModuleHandleExA", 1);
    EXPECT_FALSE(GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(&StandIn::WindowsPathOf), &module));
    StandIn::Faults::Arm("GetModuleFileNameA", 1);
    EXPECT_EQ(GetModuleFileNameA(module, path, MAX_PATH), 0u);
}

TEST_F(SystemCalls, TellFilesFromFoldersAndNothing) {
    const fs::path folder = fs::path(::testing::TempDir()) / "SystemCalls.attributes";
    fs::create_directories(folder);
    std::ofstream(folder / "crashpad_handler.exe") << "x";
    const std::string windowsFolder = StandIn::WindowsPathOf(folder.string());
    EXPECT_EQ(GetFileAttributesA(windowsFolder.c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA((windowsFolder + "\\crashpad_handler.exe").c_str()), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(GetFileAttributesA((windowsFolder + "\\missing.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA("Q:\\crashpad_handler.exe"), INVALID_FILE_ATTRIBUTES);
    StandIn::Faults::Arm("GetFileAttributesA", 1);
    EXPECT_EQ(GetFileAttributesA(windowsFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    fs::remove_all(folder);
}

TEST_F(SystemCalls, AnswerTheComputersNameWithinTheBuffer) {
    char name[16] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(GetComputerNameA(name, &size));
    EXPECT_EQ(size, std::strlen(name));
    EXPECT_LE(size, MAX_COMPUTERNAME_LENGTH);
    for (char c : std::string(name)) {
        EXPECT_FALSE(std::islower(static_cast<unsigned char>(c))) << name;
    }

    StandIn::Host().system.computerName = "ABC";
    size = 4;
    ASSERT_TRUE(GetComputerNameA(name, &size));
    EXPECT_EQ(std::string(name), "ABC");
    EXPECT_EQ(size, 3u);
    size = 3;
    EXPECT_FALSE(GetComputerNameA(name, &size)) << "no room for the terminator";
    EXPECT_EQ(GetLastError(), ERROR_BUFFER_OVERFLOW);
    EXPECT_EQ(size, 4u);
    StandIn::Faults::Arm("GetComputerNameA", 1);
    size = sizeof name;
    EXPECT_FALSE(GetComputerNameA(name, &size));
}

} // namespace
