#include "JSCommands/JSCommandWrapper.hpp"

#include "JSCommands/ResultEnvelope.hpp"
#include "Logging/HostBoundary.hpp"
#include "Logging/Logger.hpp"

namespace JSCommands {

namespace {

constexpr const char* Category = "JSCommandWrapper";
constexpr const char* ProcessingFailure = "An error occurred while processing your request.";

} // namespace

GS::Ref<JS::Base> JSCommandWrapper(CommandHandler handler, const GS::Ref<JS::Base>& argument) {
    try {
        return handler(argument);
    } catch (...) {
        if (const std::optional<GS::UniString> description = HostBoundary::DescribeCurrentException()) {
            Logger::Error(Category, *description);
            return MakeErrorResult(ProcessingFailure);
        }
        Logger::Error(Category, "Unknown exception caught in command execution");
        return MakeErrorResult("An unexpected error occurred.");
    }
}

} // namespace JSCommands
