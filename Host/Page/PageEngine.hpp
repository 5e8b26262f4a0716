#pragma once

#include "JSValues.hpp"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace StandIn {

// How a call the host made from the page ended, once the page's jobs ran out.
struct PageCallResult {
    enum class State { Fulfilled, Rejected, Pending };

    State state = State::Pending;
    // A fulfilled string as it is, any other value as the page's JSON.stringify gives it ("undefined"
    // for undefined); for a rejection the reason as the page's String() gives it.
    std::string text;
    // The fulfilled value as a script value (see PageValues for the conversion).
    GS::Ref<JS::Base> value;
};

// One page: an ES5 script engine with a then-able Promise, the host's registered objects and the
// global `host.report`. Every entry (Load, Run, DrainJobs, CallObjectFunction) runs the page's
// queued jobs before it returns and is stopped with a GS::Exception when it runs longer than the
// time limit. Script errors raise a GS::Exception with the engine's error text.
class HOST_API PageEngine {
public:
    static constexpr std::chrono::milliseconds DefaultTimeLimit{2000};

    explicit PageEngine(std::chrono::milliseconds timeLimit = DefaultTimeLimit);
    // A page may make the host destroy it from inside one of its own calls; the engine then
    // lives on until that call has returned.
    ~PageEngine();
    PageEngine(const PageEngine&) = delete;
    PageEngine& operator=(const PageEngine&) = delete;

    void SetTimeLimit(std::chrono::milliseconds limit);

    // Starts a new page at the address (the global `location.href`) with the registered objects,
    // and runs its script.
    void Load(const GS::UniString& address, const std::string& script);
    void Run(const GS::UniString& script);
    void DrainJobs();

    // Registered objects survive loads; one of the same name replaces the earlier one.
    void RegisterObject(GS::Ref<JS::Object> object);
    const std::vector<GS::Ref<JS::Object>>& GetRegisteredObjects() const;

    // Runs objectName.functionName(argument) from the page and waits for its promise. The argument
    // is a script value, or JSON text that the page parses. Throws "no function" when the page
    // has no such function.
    PageCallResult CallObjectFunction(const GS::UniString& objectName, const GS::UniString& functionName,
                                      const GS::Ref<JS::Base>& argument);
    PageCallResult CallObjectFunction(const GS::UniString& objectName, const GS::UniString& functionName,
                                      const std::string& argumentJSON);

    // The texts the page passed to host.report, in order, over all loads.
    const std::vector<GS::UniString>& GetReports() const;

private:
    struct Context;
    std::shared_ptr<Context> context;
};

// What the host's registered functions threw into any page since the last call, each as
// "OBJECT.FUNCTION threw KIND: MESSAGE". The page still sees a rejected promise; the test programs
// fail a test that leaves one here, since the add-on's commands must never throw into the engine.
HOST_API std::vector<std::string> TakeEscapedExceptions();

} // namespace StandIn
