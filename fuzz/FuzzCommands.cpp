// Every command of the page's "ACAPI" object, called through the real bridge (the page's script
// engine, the script object, the command wrapper) with arbitrary arguments, on a project with
// rooms, morphs, grids and lines selected. A call must give the page an answer (or, for a name the
// add-on lacks, no function), throw nothing into the engine and leave no handle behind.
#include "CommandSession.hpp"
#include "CommandTape.hpp"

#include "GSException.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/HandleLedger.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

const std::string& Project() {
    static const std::string text = SourceFile("fuzz/project.json");
    return text;
}

void PrintExecutions();

// Executions per command name, printed when the process ends.
std::map<std::string, long>& Executions() {
    static std::map<std::string, long> executions;
    // Registered after the map is made, so that it runs before the map is destroyed.
    static const bool printing = std::atexit(PrintExecutions) == 0;
    (void)printing;
    return executions;
}

void PrintExecutions() {
    for (const auto& [command, count] : Executions()) {
        std::fprintf(stderr, "fuzz-commands: %s executed %ld times\n", command.c_str(), count);
    }
}

CommandSession*& SessionSlot() {
    static CommandSession* session = nullptr;
    return session;
}

void EndSession() {
    delete SessionSlot();
    SessionSlot() = nullptr;
}

// Started on the first input and ended at exit before the host's statics made while opening the
// project are gone, as a host unloads its add-ons before it quits.
CommandSession& Session() {
    if (SessionSlot() == nullptr) {
        SessionSlot() = new CommandSession(TOLVA_ADDON_PATH);
    }
    return *SessionSlot();
}

[[noreturn]] void Fail(const std::string& command, const std::string& what) {
    std::fprintf(stderr, "fuzz-commands: %s: %s\n", command.c_str(), what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CommandTape::Call call = CommandTape::Decode(data, size);
    CommandSession& session = Session();
    session.Open(Project(), {API_ZoneID, API_MorphID, API_ObjectID, API_LineID, API_PolyLineID}, {3, 4, 0});
    static const bool ending = std::atexit(EndSession) == 0;
    (void)ending;
    const Int32 liveHandles = StandIn::HandleLedger::LiveCount();
    StandIn::TakeEscapedExceptions();
    // The page's time limit stops endless page scripts; these arguments are huge on purpose, and
    // handing them into the page may take longer on a loaded or sanitized build.
    session.SetPageTimeLimit(std::chrono::seconds(60));
    const bool known = session.Has(call.command);
    StandIn::PageCallResult result;
    try {
        result = session.Call(call.command, call.argument);
    } catch (const GS::Exception& e) {
        if (known) {
            Fail(call.command,
                 "the page could not call it: " + std::string(e.GetMessage().ToCStr(CC_UTF8).Get()));
        }
    }
    for (const std::string& escaped : StandIn::TakeEscapedExceptions()) {
        Fail(call.command, "an exception reached the script engine: " + escaped);
    }
    if (known && result.state != StandIn::PageCallResult::State::Fulfilled) {
        Fail(call.command, "the page got no answer: " + result.text);
    }
    if (StandIn::HandleLedger::LiveCount() != liveHandles ||
        StandIn::HandleLedger::DoubleReleaseCount() != 0) {
        Fail(call.command, "memory handles leaked or released twice");
    }
    StandIn::Faults::Clear();
    ++Executions()[call.command];
    return 0;
}
