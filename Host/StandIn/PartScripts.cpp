#include "StandIn/PartScripts.hpp"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace StandIn {

namespace {

struct Command {
    std::string word;
    std::vector<std::string> arguments;
};

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

Command Parse(const std::string& line) {
    Command command;
    size_t space = line.find_first_of(" \t");
    command.word = line.substr(0, space);
    if (space != std::string::npos) {
        std::stringstream rest(line.substr(space));
        std::string argument;
        while (std::getline(rest, argument, ',')) {
            command.arguments.push_back(Trimmed(argument));
        }
    }
    return command;
}

std::optional<double> Evaluate(const std::string& argument, const ParameterValue& value) {
    if (argument.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    double number = std::strtod(argument.c_str(), &end);
    if (end != argument.c_str() && *end == '\0') {
        return std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
    }
    return value(argument);
}

// The arguments' values, or a problem naming the first that cannot be read.
std::optional<std::vector<double>> Values(const Command& command, size_t count, const ParameterValue& value,
                                          size_t line, std::vector<std::string>* problems) {
    if (command.arguments.size() != count) {
        problems->push_back("line " + std::to_string(line) + ": " + command.word + " takes " +
                            std::to_string(count) + " arguments");
        return std::nullopt;
    }
    std::vector<double> values;
    for (const std::string& argument : command.arguments) {
        std::optional<double> v = Evaluate(argument, value);
        if (!v) {
            problems->push_back("line " + std::to_string(line) + ": \"" + argument + "\" has no value");
            return std::nullopt;
        }
        values.push_back(*v);
    }
    return values;
}

// Calls `read` with each command line and its number; blank lines and comments ("!") are skipped.
template <typename Read>
void ForEachCommand(const std::string& script, Read read) {
    std::istringstream in(script);
    std::string raw;
    size_t number = 0;
    while (std::getline(in, raw)) {
        ++number;
        std::string line = Trimmed(raw);
        if (!line.empty() && line[0] != '!') {
            read(Parse(line), number);
        }
    }
}

std::string Unread(const Command& command, size_t line) {
    return "line " + std::to_string(line) + ": " + command.word + " is not read by the stand-in";
}

} // namespace

PartSymbol Read2DScript(const std::string& script, const ParameterValue& value) {
    PartSymbol symbol;
    ForEachCommand(script, [&](const Command& command, size_t line) {
        if (command.word == "LINE2") {
            if (auto v = Values(command, 4, value, line, &symbol.problems)) {
                symbol.lines.push_back({{(*v)[0], (*v)[1]}, {(*v)[2], (*v)[3]}});
            }
        } else if (command.word == "PROJECT2" &&
                   command.arguments == std::vector<std::string>{"3", "270", "2"}) {
            symbol.projection = true;
        } else {
            symbol.problems.push_back(Unread(command, line));
        }
    });
    return symbol;
}

PartModel Read3DScript(const std::string& script, const ParameterValue& value) {
    PartModel model;
    ForEachCommand(script, [&](const Command& command, size_t line) {
        if (command.word == "BLOCK") {
            if (auto v = Values(command, 3, value, line, &model.problems)) {
                model.blocks.push_back({(*v)[0], (*v)[1], (*v)[2]});
            }
        } else {
            model.problems.push_back(Unread(command, line));
        }
    });
    return model;
}

} // namespace StandIn
