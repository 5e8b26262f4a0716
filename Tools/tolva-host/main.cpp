// tolva-host: the headless host. It loads the add-on and plays the user and Archicad.
#include "Demo.hpp"
#include "HostProgram.hpp"
#include "ObjExport.hpp"
#include "Page/PageEngine.hpp"
#include "Page/PageRegistry.hpp"
#include "PageSteps.hpp"
#include "ReceivedEvents.hpp"
#include "Session.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/ProjectFile.hpp"
#include "TolvaResourceIDs.h"
#include "ZoneImportFiles.hpp"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

namespace {

constexpr int UsageError = 2;
constexpr int RunError = 1;
// Inside the bedroom of examples/projects/apartment.json: two exterior and two interior walls.
constexpr double DemoClickX = 8.0;
constexpr double DemoClickY = 6.0;
// The plan the web application answers that bedroom with.
constexpr const char* DemoPlan = TOLVA_EXAMPLES_DIR "/plans/apartment-bedroom-plan.json";
// The maker's API host, which the add-on asks whether its version is still allowed.
constexpr const char* VersionServiceHost = "api.tolva.ai";

const char* Usage =
    "usage: tolva-host [--addon PATH] [--report FILE] [--project FILE] [--save FILE]\n"
    "                  [--svg FILE [--story N|all]] [--obj FILE] [--page ADDRESS=FILE ...]\n"
    "                  [--plan FILE] [--receiver FILE] [--version-service URL] [--offline]\n"
    "                  info | run SESSION.json | demo | call COMMAND [ARG...] | import-zones FOLDER\n";

struct Options {
    std::string verb;
    std::string sessionPath;
    std::string zonesFolder;
    std::string addOnPath = DefaultAddOnPath();
    std::string reportPath;
    std::string projectPath;
    std::string savePath;
    std::string svgPath;
    std::string story;
    std::string objPath;
    std::string planPath;
    std::vector<std::string> pages;
    std::string receiverPath;
    std::string versionService;
    bool offline = false;
    std::string command;
    std::vector<std::string> arguments;
};

bool ParseOptions(int argc, char** argv, Options* options, std::string* error) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const std::map<std::string, std::string*> valued = {
            {"--addon", &options->addOnPath},       {"--report", &options->reportPath},
            {"--project", &options->projectPath},   {"--save", &options->savePath},
            {"--svg", &options->svgPath},           {"--story", &options->story},
            {"--obj", &options->objPath},           {"--version-service", &options->versionService},
            {"--receiver", &options->receiverPath}, {"--plan", &options->planPath}};
        if (arg == "--offline") {
            options->offline = true;
        } else if (arg == "--page") {
            if (i + 1 >= argc) {
                *error = "--page needs a value";
                return false;
            }
            options->pages.push_back(argv[++i]);
        } else if (auto option = valued.find(arg); option != valued.end()) {
            if (i + 1 >= argc) {
                *error = arg + " needs a value";
                return false;
            }
            *option->second = argv[++i];
        } else if (arg.rfind("--", 0) == 0) {
            *error = "unknown option " + arg;
            return false;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.empty()) {
        *error = "no verb given";
        return false;
    }
    options->verb = positional[0];
    size_t expected = options->verb == "run" || options->verb == "import-zones" ? 2 : 1;
    if (options->verb != "info" && options->verb != "run" && options->verb != "demo" &&
        options->verb != "call" && options->verb != "import-zones") {
        *error = "unknown verb " + options->verb;
        return false;
    }
    if (options->verb == "call") {
        if (positional.size() < 2) {
            *error = "call takes a command name";
            return false;
        }
        options->command = positional[1];
        options->arguments.assign(positional.begin() + 2, positional.end());
        return true;
    }
    if (positional.size() != expected) {
        *error = options->verb == "run"            ? "run takes one session file"
                 : options->verb == "import-zones" ? "import-zones takes one folder"
                                                   : options->verb + " takes no arguments";
        return false;
    }
    if (options->verb == "run") {
        options->sessionPath = positional[1];
    }
    if (options->verb == "import-zones") {
        options->zonesFolder = positional[1];
    }
    return true;
}

void EchoReportLine(const StandIn::ReportLine& line) {
    std::cerr << (line.alert ? "[alert] " : "") << line.text.ToCStr().Get() << "\n";
}

bool WriteReport(const std::string& path) {
    std::ofstream file(path);
    for (const StandIn::ReportLine& line : StandIn::Host().report) {
        file << (line.alert ? "[alert] " : "") << line.text.ToCStr().Get() << "\n";
    }
    return static_cast<bool>(file);
}

std::optional<Int32> StoryOption(const Options& options) {
    if (options.story.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    long value = std::strtol(options.story.c_str(), &end, 10);
    if (*end != '\0' || value < -32768 || value > 32767) {
        throw GS::Exception(GS::UniString::Printf("--story %s is not a story index", options.story.c_str()));
    }
    return static_cast<Int32>(value);
}

// Prints what the page's promise resolved with; a rejection or a promise that never settles fails.
int CallAndPrintResult(const std::string& command, const StandIn::PageCallResult& result) {
    switch (result.state) {
    case StandIn::PageCallResult::State::Fulfilled:
        std::cout << result.text << "\n";
        return 0;
    case StandIn::PageCallResult::State::Rejected:
        std::cerr << "tolva-host: ACAPI." << command << " was rejected: " << result.text << "\n";
        return RunError;
    default:
        std::cerr << "tolva-host: ACAPI." << command << " never settled\n";
        return RunError;
    }
}

int CallAndPrint(const std::string& command, const std::vector<std::string>& arguments) {
    return CallAndPrintResult(command, CallCommand(command, arguments));
}

// Hands the folder's project files to the zone import as the page does; an import that answers with
// a failure fails too.
int ImportZonesAndPrint(const std::string& folder) {
    const StandIn::PageCallResult result = CallCommand("importZonesFromSpaces", {ZoneImportArgument(folder)});
    const int status = CallAndPrintResult("importZonesFromSpaces", result);
    return status == 0 && result.text.rfind("{\"success\":true", 0) != 0 ? RunError : status;
}

// A session that arms a fault no call reaches checks nothing, and an exception that reached the
// page from the add-on's commands is the add-on's fault, even when the page went on.
int CheckStandIn(int status) {
    for (const std::string& call : StandIn::Faults::TakeUnreached()) {
        std::cerr << "tolva-host: the fault armed on " << call << " never failed a call\n";
        status = RunError;
    }
    for (const std::string& escaped : StandIn::TakeEscapedExceptions()) {
        std::cerr << "tolva-host: an exception reached the page: " << escaped << "\n";
        status = RunError;
    }
    return status;
}

int Run(const Options& options) {
    std::string sessionText;
    if (options.verb == "run") {
        std::ifstream file(options.sessionPath);
        if (!file) {
            std::cerr << "tolva-host: cannot read " << options.sessionPath << "\n";
            return UsageError;
        }
        std::stringstream text;
        text << file.rdbuf();
        sessionText = text.str();
    }
    if (options.reportPath.empty()) {
        StandIn::Host().reportEcho = EchoReportLine;
    }
    for (const std::string& page : options.pages) {
        AddPageOption(page);
    }
    StandIn::PageRegistry::SetGeneratedPlan(
        options.planPath.empty() && options.verb == "demo" ? DemoPlan : options.planPath);
    if (!options.objPath.empty()) {
        WriteMeshAnswersTo(options.objPath);
    }
    StandIn::Host().http.internet = !options.offline;
    if (!options.versionService.empty()) {
        StandIn::MapHttpHost(VersionServiceHost, options.versionService);
    }
    // Declared before the host, so that it writes its events after the add-on has been released.
    std::unique_ptr<ReceivedEvents> receivedEvents;
    if (!options.receiverPath.empty()) {
        receivedEvents = std::make_unique<ReceivedEvents>(options.receiverPath);
    }
    // Archicad always has a project open: the untitled one it starts with, until the user opens a file.
    StandIn::StartUntitledProject();
    HostProgram host(options.addOnPath, std::cout);
    if (!options.projectPath.empty()) {
        StandIn::OpenProjectFile(options.projectPath);
    }
    int status = 0;
    if (options.verb == "info") {
        host.PrintInfo();
    } else if (options.verb == "run") {
        RunSession(host, sessionText);
    } else if (options.verb == "call") {
        status = CallAndPrint(options.command, options.arguments);
    } else if (options.verb == "import-zones") {
        status = ImportZonesAndPrint(options.zonesFolder);
    } else {
        RunDemo(host, DemoClickX, DemoClickY, options.svgPath);
    }
    if (!options.savePath.empty()) {
        StandIn::SaveProjectFile(options.savePath);
    }
    if (!options.svgPath.empty() && options.verb != "demo") {
        if (options.story == "all") {
            for (const std::string& written : host.SaveDrawingsOfEveryStory(options.svgPath)) {
                std::cerr << "tolva-host: drew " << written << "\n";
            }
        } else {
            host.SaveDrawing(options.svgPath, StoryOption(options));
        }
    }
    host.Quit();
    return CheckStandIn(status);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, &options, &error)) {
        std::cerr << "tolva-host: " << error << "\n" << Usage;
        return UsageError;
    }
    int status = RunError;
    try {
        status = Run(options);
    } catch (const GS::Exception& e) {
        std::cerr << "tolva-host: " << e.GetMessage().ToCStr().Get() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "tolva-host: " << e.what() << "\n";
    }
    if (!options.reportPath.empty() && !WriteReport(options.reportPath)) {
        std::cerr << "tolva-host: cannot write " << options.reportPath << "\n";
        status = RunError;
    }
    return status;
}
