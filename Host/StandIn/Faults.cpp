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
}

std::optional<GSErrCode> Take(const std::string& call) {
    ++Calls()[call];
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

} // namespace StandIn::Faults
