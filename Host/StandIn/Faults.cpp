#include "StandIn/Faults.hpp"

#include <map>

namespace StandIn::Faults {

namespace {

struct Fault {
    GSErrCode code = 0;
    Int32 times = 0;
    Int32 skip = 0;
};

std::map<std::string, Fault>& Armed() {
    static std::map<std::string, Fault> faults;
    return faults;
}

std::map<std::string, Int32>& Calls() {
    static std::map<std::string, Int32> calls;
    return calls;
}

} // namespace

void Arm(const std::string& call, GSErrCode code, Int32 times, Int32 skip) {
    Armed()[call] = {code, times, skip};
}

void Clear() {
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
    if (--fault.times <= 0) {
        Armed().erase(found);
    }
    return code;
}

Int32 CallCount(const std::string& call) {
    auto found = Calls().find(call);
    return found == Calls().end() ? 0 : found->second;
}

} // namespace StandIn::Faults
