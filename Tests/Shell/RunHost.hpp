#pragma once

#include <array>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>

// What the add-on logs when a project is opened or the host quits: its attribute caches are emptied.
inline const std::string CachesEmptied = "[INFO] LayerManager: Cache invalidated due to project change\n"
                                         "[INFO] MaterialManager: Cache invalidated due to project change\n";

// Runs tolva-host with the given arguments and collects what it printed. It runs offline: tests
// never reach the internet, and the version service is one on this machine (--version-service) or
// unreachable.
struct Outcome {
    int status = -1;
    std::string output; // standard output and standard error together
};

inline Outcome RunHost(const std::string& arguments) {
    std::string command = std::string(TOLVA_HOST_PATH) + " --offline " + arguments + " 2>&1";
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return outcome;
    }
    std::array<char, 4096> buffer;
    size_t read = 0;
    while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        outcome.output.append(buffer.data(), read);
    }
    int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

// A path in the temporary folder that no other test uses: tests run in parallel processes.
inline std::string TempPath(const std::string& name) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + test->test_suite_name() + "." + test->name() + "." + name;
}

// Writes a file in the test's temporary folder and returns its path.
inline std::string WriteTemp(const std::string& name, const std::string& text) {
    std::string path = TempPath(name);
    std::ofstream(path) << text;
    return path;
}

// A file's whole text, or empty text when it cannot be read.
inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The number of times a text occurs in another.
inline size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}
