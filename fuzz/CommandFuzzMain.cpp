// The bridge fuzz target's own driver, for builds without libFuzzer (g++): runs the seeds made
// from the examples and every corpus file given, then as many mutations of them as asked for.
//   fuzz-commands [-runs=N] [-seconds=S] [-seed=X] [-last=FILE] [-write-seeds=DIR] [CORPUS...]
// -last names the file each mutated input is written to before it runs, so that a crash leaves it.
#include "CommandSeeds.hpp"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

struct Options {
    long runs = 0;
    long seconds = 0;
    unsigned seed = 1;
    std::string last;
    std::string writeSeeds;
    std::vector<std::string> corpus;
};

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void Run(const std::string& input) {
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

// Tokens that JSON readers treat specially, or that break a text's structure.
const char* const Tokens[] = {"NaN",
                              "Infinity",
                              "-Infinity",
                              "1e999",
                              "-1e999",
                              "1e-999",
                              "-0",
                              "null",
                              "[]",
                              "{}",
                              "\"",
                              "\\",
                              "\\u0000",
                              "\\ud800",
                              "99999999999999999999",
                              "[[[[[[[[[[[[[[[[",
                              "}}}}",
                              "\xff",
                              "\xc3",
                              "\xed\xa0\x80",
                              ",",
                              ":",
                              "true"};

std::string Mutated(std::string input, const std::vector<std::string>& corpus, std::mt19937& random) {
    auto below = [&](size_t bound) { return bound == 0 ? 0 : static_cast<size_t>(random() % bound); };
    for (size_t steps = 1 + below(4); steps > 0; --steps) {
        const size_t at = below(input.size() + 1);
        switch (below(7)) {
        case 0:
            if (!input.empty()) {
                input[below(input.size())] ^= static_cast<char>(1u << below(8));
            }
            break;
        case 1:
            if (!input.empty()) {
                input[below(input.size())] = static_cast<char>(random());
            }
            break;
        case 2:
            input.insert(at, Tokens[below(std::size(Tokens))]);
            break;
        case 3:
            input.erase(at, below(64));
            break;
        case 4:
            input.insert(at, input.substr(below(input.size() + 1), below(256)));
            break;
        case 5: {
            const std::string& other = corpus[below(corpus.size())];
            input = input.substr(0, at) + other.substr(below(other.size() + 1));
            break;
        }
        default:
            if (!input.empty()) {
                input[0] = static_cast<char>(random());
            }
        }
    }
    return input;
}

Options Parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char* name) { return arg.substr(std::string(name).size()); };
        if (arg.rfind("-runs=", 0) == 0) {
            options.runs = std::stol(value("-runs="));
        } else if (arg.rfind("-seconds=", 0) == 0) {
            options.seconds = std::stol(value("-seconds="));
        } else if (arg.rfind("-seed=", 0) == 0) {
            options.seed = static_cast<unsigned>(std::stoul(value("-seed=")));
        } else if (arg.rfind("-last=", 0) == 0) {
            options.last = value("-last=");
        } else if (arg.rfind("-write-seeds=", 0) == 0) {
            options.writeSeeds = value("-write-seeds=");
        } else {
            options.corpus.push_back(arg);
        }
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    std::vector<std::string> corpus = CommandSeeds();
    if (!options.writeSeeds.empty()) {
        std::filesystem::create_directories(options.writeSeeds);
        for (size_t i = 0; i < corpus.size(); ++i) {
            std::ofstream(options.writeSeeds + "/seed-" + std::to_string(i), std::ios::binary) << corpus[i];
        }
        return 0;
    }
    for (const std::string& given : options.corpus) {
        if (std::filesystem::is_directory(given)) {
            for (const auto& entry : std::filesystem::directory_iterator(given)) {
                corpus.push_back(FileBytes(entry.path()));
            }
        } else {
            corpus.push_back(FileBytes(given));
        }
    }
    for (const std::string& input : corpus) {
        Run(input);
    }
    std::mt19937 random(options.seed);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(options.seconds);
    long runs = 0;
    for (; runs < options.runs || std::chrono::steady_clock::now() < end; ++runs) {
        const std::string input = Mutated(corpus[random() % corpus.size()], corpus, random);
        if (!options.last.empty()) {
            std::ofstream(options.last, std::ios::binary) << input;
        }
        Run(input);
    }
    std::printf("fuzz-commands: %zu corpus inputs and %ld mutations ran clean\n", corpus.size(), runs);
    return 0;
}
