#include "StandIn/LibraryPartFile.hpp"

#include "GSException.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>

namespace StandIn {

namespace {

constexpr const char* Signature = "TOLVA LIBRARY PART 1";

struct SectionName {
    const char* header;
    std::string LibraryPartText::*text;
};

const SectionName Sections[] = {{"== master script", &LibraryPartText::masterScript},
                                {"== 3d script", &LibraryPartText::script3D},
                                {"== 2d script", &LibraryPartText::script2D},
                                {"== comment", &LibraryPartText::comment}};
constexpr const char* ParametersHeader = "== parameters";

const std::map<std::string, API_LibTypeID>& TypeWords() {
    static const std::map<std::string, API_LibTypeID> words = {
        {"object", APILib_ObjectID}, {"door", APILib_DoorID}, {"window", APILib_WindowID}};
    return words;
}

const std::map<std::string, API_AddParID>& ParameterTypeWords() {
    static const std::map<std::string, API_AddParID> words = {{"length", APIParT_Length},
                                                              {"real", APIParT_RealNum},
                                                              {"angle", APIParT_Angle},
                                                              {"integer", APIParT_Integer},
                                                              {"boolean", APIParT_Boolean}};
    return words;
}

[[noreturn]] void Fail(size_t line, const std::string& what) {
    throw GS::Exception(
        GS::UniString::Printf("Library part, line %u: %s", static_cast<unsigned>(line), what.c_str()));
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// "key: value" of a header line, or a failure naming the expected key.
std::string HeaderValue(const std::vector<std::string>& lines, size_t at, const char* key) {
    std::string prefix = std::string(key) + ": ";
    if (at >= lines.size() || lines[at].rfind(prefix, 0) != 0) {
        Fail(at + 1, "expected \"" + prefix + "...\"");
    }
    return lines[at].substr(prefix.size());
}

API_AddParType ParameterLine(const std::string& line, size_t number) {
    char name[64] = {};
    char type[16] = {};
    double value = 0;
    char rest = 0;
    if (std::sscanf(line.c_str(), "%63s %15s %lf %c", name, type, &value, &rest) != 3) {
        Fail(number, "expected \"<name> <type> <value>\"");
    }
    auto typeID = ParameterTypeWords().find(type);
    if (typeID == ParameterTypeWords().end()) {
        Fail(number, std::string("unknown parameter type \"") + type + "\"");
    }
    if (std::strlen(name) >= API_NameLen || !std::isfinite(value)) {
        Fail(number, "a parameter name has at most 31 characters and a finite value");
    }
    API_AddParType parameter = {};
    parameter.typeID = typeID->second;
    std::strncpy(parameter.name, name, API_NameLen - 1);
    parameter.value.real = value;
    return parameter;
}

std::vector<API_AddParType> ParameterSection(const std::vector<std::string>& lines, size_t first,
                                             size_t end) {
    std::vector<API_AddParType> parameters;
    for (size_t i = first; i < end; ++i) {
        if (!lines[i].empty()) {
            parameters.push_back(ParameterLine(lines[i], i + 1));
        }
    }
    return parameters;
}

bool IsHeader(const std::string& line) {
    return line.rfind("== ", 0) == 0;
}

} // namespace

std::vector<API_AddParType> ReadParameterLines(const std::string& text) {
    std::vector<std::string> lines = Lines(text);
    return ParameterSection(lines, 0, lines.size());
}

std::string WriteParameterLines(const std::vector<API_AddParType>& parameters) {
    std::string text;
    for (const API_AddParType& parameter : parameters) {
        const char* type = "real";
        for (const auto& [word, id] : ParameterTypeWords()) {
            if (id == parameter.typeID) {
                type = word.c_str();
            }
        }
        char line[128];
        std::snprintf(line, sizeof line, "%s %s %.10g%s", parameter.name, type, parameter.value.real,
                      GS::EOL);
        text += line;
    }
    return text;
}

LibraryPartText ReadLibraryPart(const std::string& text) {
    std::vector<std::string> lines = Lines(text);
    if (lines.empty() || lines[0] != Signature) {
        Fail(1, std::string("expected \"") + Signature + "\"");
    }
    LibraryPartText part;
    part.name = GS::UniString(HeaderValue(lines, 1, "name"));
    if (part.name.IsEmpty()) {
        Fail(2, "a library part needs a name");
    }
    std::string type = HeaderValue(lines, 2, "type");
    if (TypeWords().count(type) == 0) {
        Fail(3, "expected the type object, door or window");
    }
    part.type = TypeWords().at(type);
    std::string placeable = HeaderValue(lines, 3, "placeable");
    if (placeable != "yes" && placeable != "no") {
        Fail(4, "expected placeable yes or no");
    }
    part.placeable = placeable == "yes";
    part.ownUnID = HeaderValue(lines, 4, "unique id");
    part.parentUnID = HeaderValue(lines, 5, "parent id");
    size_t at = 6;
    while (at < lines.size()) {
        if (!IsHeader(lines[at])) {
            Fail(at + 1, "expected a section header \"== ...\"");
        }
        size_t end = at + 1;
        while (end < lines.size() && !IsHeader(lines[end])) {
            ++end;
        }
        if (lines[at] == ParametersHeader) {
            part.parameters = ParameterSection(lines, at + 1, end);
        } else {
            const SectionName* section = nullptr;
            for (const SectionName& known : Sections) {
                if (lines[at] == known.header) {
                    section = &known;
                }
            }
            if (section == nullptr) {
                Fail(at + 1, "unknown section \"" + lines[at] + "\"");
            }
            std::string& content = part.*(section->text);
            for (size_t i = at + 1; i < end; ++i) {
                content += lines[i];
                if (section->text != &LibraryPartText::comment || i + 1 < end) {
                    content += section->text == &LibraryPartText::comment ? "\n" : GS::EOL;
                }
            }
        }
        at = end;
    }
    return part;
}

std::string WriteLibraryPart(const LibraryPartText& part) {
    std::string type = "object";
    for (const auto& [word, id] : TypeWords()) {
        if (id == part.type) {
            type = word;
        }
    }
    std::string text = std::string(Signature) + GS::EOL;
    text += std::string("name: ") + part.name.ToCStr().Get() + GS::EOL;
    text += "type: " + type + GS::EOL;
    text += std::string("placeable: ") + (part.placeable ? "yes" : "no") + GS::EOL;
    text += "unique id: " + part.ownUnID + GS::EOL;
    text += "parent id: " + part.parentUnID + GS::EOL;
    for (const SectionName& section : Sections) {
        const std::string& content = part.*(section.text);
        text += std::string(section.header) + GS::EOL + content;
        if (!content.empty() && content.back() != '\n') {
            text += GS::EOL;
        }
    }
    text += std::string(ParametersHeader) + GS::EOL + WriteParameterLines(part.parameters);
    return text;
}

} // namespace StandIn
