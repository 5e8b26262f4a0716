#include "JSCommands/JSCommandWrapper.hpp"

#include "JSCommands/ResultEnvelope.hpp"
#include "Logging/Logger.hpp"

#include <exception>

namespace JSCommands {

namespace {

constexpr const char* Category = "JSCommandWrapper";
constexpr const char* ProcessingFailure = "An error occurred while processing your request.";

} // namespace

GS::Ref<JS::Base> JSCommandWrapper(CommandHandler handler, const GS::Ref<JS::Base>& argument) {
    try {
        return handler(argument);
    } catch (const GS::Exception& e) {
        Logger::Error(Category, "GS::Exception: " + e.GetMessage());
        return MakeErrorResult(ProcessingFailure);
    } catch (const std::exception& e) {
        Logger::Error(Category, GS::UniString("std::exception: ") + GS::UniString(e.what(), GS::CC_UTF8));
        return MakeErrorResult(ProcessingFailure);
    } catch (...) {
        Logger::Error(Category, "Unknown exception caught in command execution");
        return MakeErrorResult("An unexpected error occurred.");
    }
}

} // namespace JSCommands
