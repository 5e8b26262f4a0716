#include "ExampleArguments.hpp"

#include "CommandSession.hpp"

namespace {

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (c == '\n' || c == '\r' || c == '\t') {
            quoted += ' ';
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

} // namespace

std::string ExamplePlanArgument(bool withReference) {
    // The example file is an object holding "planTemplate", as the page sends it; the reference is
    // the apartment's bedroom the plan was made for.
    const std::string plan = SourceFile("examples/plans/apartment-bedroom-plan.json");
    return std::string("{") + (withReference ? "\"reference\": {\"x\": 8000, \"y\": 6000}, " : "") +
           plan.substr(plan.find('{') + 1);
}

std::vector<std::string> ExampleBuildingTexts(const std::string& folder) {
    std::vector<std::string> texts;
    for (const char* name :
         {"stories", "units", "transitions", "furniture-instances", "furniture-templates"}) {
        texts.push_back(SourceFile(folder + name + ".json"));
    }
    return texts;
}

std::string ExampleFilesArgument() {
    std::string files;
    for (const char* name : {"spaces.json", "project.json", "stories.json", "units.json"}) {
        files += std::string(files.empty() ? "" : ", ") + "{\"name\": \"" + name +
                 "\", \"content\": " + JsonString(SourceFile(std::string("examples/spaces/") + name)) + "}";
    }
    return "{\"files\": [" + files + "]}";
}
