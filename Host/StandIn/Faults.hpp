#pragma once

#include "Definitions.hpp"

#include <optional>
#include <string>
#include <vector>

// Failing host calls on demand: a fault is addressed by the call's name (narrowed by a suffix such
// as "BMAllocateHandle" or "ACAPI_Element_Create:Wall" where a call has variants), skips the first
// `skip` calls and then fails the next `times` calls with `code`, without changing host state.
namespace StandIn::Faults {

HOST_API void Arm(const std::string& call, GSErrCode code, Int32 times = 1, Int32 skip = 0);
HOST_API void Clear();
// Consumes one armed failure of the call, if there is one.
HOST_API std::optional<GSErrCode> Take(const std::string& call);
// Throws GS::Exception "CALL failed (error CODE)" when a failure of the call is armed: for the
// host's calls that report failures by throwing.
HOST_API void ThrowIfArmed(const std::string& call);
// How often the call was made since the faults were last cleared.
HOST_API Int32 CallCount(const std::string& call);
// Counts a call that never fails on demand, so that the counts cover it as well.
HOST_API void Count(const std::string& call);
// How many calls of the API (names beginning "ACAPI_") were made since the faults were last
// cleared, each call once: a narrowed name ("ACAPI_Element_Create:Zone") is the same call again.
HOST_API Int32 ApiCallCount();

// The faults that were armed and never failed a call: those that Clear or a new Arm of the same
// call dropped since the last call, then those still armed, which are disarmed. A fault that never
// fires usually means that a test checks nothing.
HOST_API std::vector<std::string> TakeUnreached();

// Fails the n-th host call from now (from 1), whatever its name, with `code`: a sweep over every
// call an operation makes. Calls are counted by their own names; the narrowed variants a call also
// asks for ("ACAPI_Element_Create:Wall", "CALL:throw") are not counted again. Clear disarms it; it
// is never reported as unreached, since a sweep ends with a run that makes fewer calls.
HOST_API void FailNthCall(Int32 n, GSErrCode code);
// The call that the n-th call failure failed, if it did.
HOST_API std::optional<std::string> NthCallFailed();
// The host calls counted since the faults were last cleared or FailNthCall was armed.
HOST_API Int32 HostCallCount();

} // namespace StandIn::Faults
