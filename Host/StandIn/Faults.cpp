#include "StandIn/Faults.hpp"

#include "GSException.hpp"

#include <map>

namespace StandIn::Faults {

namespace {

struct Fault {
    GSErrCode code = 0;
    Int32 times = 0;
    Int32 skip = 0;
    bool fired = false;
};

std::map<std::string, Fault>& Armed() {
    static std::map<std::string, Fault> faults;
    return faults;
}

std::map<std::string, Int32>& Calls() {
    static std::map<std::string, Int32> calls;
    return calls;
}

struct NthCall {
    Int32 n = 0;
    GSErrCode code = 0;
    Int32 counted = 0;
    std::optional<std::string> failed;
};

NthCall& TheNthCall() {
    static NthCall nth;
    return nth;
}

// A narrowed variant names its call before a single ':' ("ACAPI_Attribute_Get:Layer"), while
// "::" belongs to a call's own name ("LibraryManager::GetLibPartByName").
bool IsVariant(const std::string& call) {
    for (size_t at = call.find(':'); at != std::string::npos; at = call.find(':', at + 2)) {
        if (at + 1 >= call.size() || call[at + 1] != ':') {
            return true;
        }
    }
    return false;
}

// Counts a call by its own name and tells whether it is the one to fail.
std::optional<GSErrCode> CountHostCall(const std::string& call) {
    NthCall& nth = TheNthCall();
    if (IsVariant(call) || ++nth.counted != nth.n) {
        return std::nullopt;
    }
    nth.failed = call;
    return nth.code;
}

// Faults dropped without having failed a call, until TakeUnreached reads them.
std::vector<std::string>& DroppedUnreached() {
    static std::vector<std::string> dropped;
    return dropped;
}

} // namespace

void Arm(const std::string& call, GSErrCode code, Int32 times, Int32 skip) {
    auto armed = Armed().find(call);
    if (armed != Armed().end() && !armed->second.fired) {
        DroppedUnreached().push_back(call);
    }
    Armed()[call] = {code, times, skip, false};
}

void Clear() {
    for (const auto& [call, fault] : Armed()) {
        if (!fault.fired) {
            DroppedUnreached().push_back(call);
        }
    }
    Armed().clear();
    Calls().clear();
    TheNthCall() = {};
}

std::optional<GSErrCode> Take(const std::string& call) {
    ++Calls()[call];
    if (auto code = CountHostCall(call)) {
        return code;
    }
    auto found = Armed().find(call);
    if (found == Armed().end()) {
        return std::nullopt;
    }
    Fault& fault = found->second;
    if (fault.skip > 0) {
        --fault.skip;
        return std::nullopt;
    }
    GSErrCode code = fault.code;
    fault.fired = true;
    if (--fault.times <= 0) {
        Armed().erase(found);
    }
    return code;
}

void ThrowIfArmed(const std::string& call) {
    if (auto code = Take(call)) {
        throw GS::Exception(GS::UniString::Printf("%s failed (error %d)", call.c_str(), *code));
    }
}

Int32 CallCount(const std::string& call) {
    auto found = Calls().find(call);
    return found == Calls().end() ? 0 : found->second;
}

void Count(const std::string& call) {
    ++Calls()[call];
}

Int32 ApiCallCount() {
    Int32 total = 0;
    for (const auto& [call, count] : Calls()) {
        if (call.rfind("ACAPI_", 0) == 0 && call.find(':') == std::string::npos) {
            total += count;
        }
    }
    return total;
}

std::vector<std::string> TakeUnreached() {
    std::vector<std::string> unreached;
    unreached.swap(DroppedUnreached());
    for (auto fault = Armed().begin(); fault != Armed().end();) {
        if (fault->second.fired) {
            ++fault;
        } else {
            unreached.push_back(fault->first);
            fault = Armed().erase(fault);
        }
    }
    return unreached;
}

void FailNthCall(Int32 n, GSErrCode code) {
    TheNthCall() = {n, code, 0, std::nullopt};
}

std::optional<std::string> NthCallFailed() {
    return TheNthCall().failed;
}

Int32 HostCallCount() {
    return TheNthCall().counted;
}

} // namespace StandIn::Faults
