#include "JSCommands/JSCommandWrapper.hpp"

#include "JSCommands/ArgumentReaders.hpp"
#include "JSCommands/UtilityCommands.hpp"
#include "ReportLines.hpp"
#include "StandIn/JSONText.hpp"

#include <stdexcept>

namespace {

constexpr const char* GenericFailure =
    R"("{\"success\":false,\"error\":\"An error occurred while processing your request.\"}")";

GS::Ref<JS::Base> Echo(GS::Ref<JS::Base> argument) {
    return GS::NewRef<JS::Value>(JSCommands::GetStringArgument(argument));
}
GS::Ref<JS::Base> ThrowsHostException(GS::Ref<JS::Base>) {
    throw GS::IllegalArgumentException("bad input");
}
GS::Ref<JS::Base> ThrowsStandardException(GS::Ref<JS::Base>) {
    throw std::runtime_error("out of range");
}
GS::Ref<JS::Base> ThrowsSomethingElse(GS::Ref<JS::Base>) {
    throw 42;
}

using CommandWrapper = ReportLines;

TEST_F(CommandWrapper, ReturnsTheHandlersResultAndLogsNothing) {
    EXPECT_EQ(JS::ToJSONText(JSCommands::JSCommandWrapper(Echo, GS::NewRef<JS::Value>("hi"))), "\"hi\"");
    EXPECT_TRUE(Lines().empty());
}

TEST_F(CommandWrapper, AHostExceptionGivesTheGenericFailureLoggedTwice) {
    EXPECT_EQ(JS::ToJSONText(JSCommands::JSCommandWrapper(ThrowsHostException, {})), GenericFailure);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[ERROR] JSCommandWrapper: GS::Exception: bad input",
                           "[ERROR] API: An error occurred while processing your request.",
                       }));
}

TEST_F(CommandWrapper, AStandardExceptionGivesTheGenericFailureLoggedTwice) {
    EXPECT_EQ(JS::ToJSONText(JSCommands::JSCommandWrapper(ThrowsStandardException, {})), GenericFailure);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[ERROR] JSCommandWrapper: std::exception: out of range",
                           "[ERROR] API: An error occurred while processing your request.",
                       }));
}

TEST_F(CommandWrapper, AnythingElseGivesTheUnexpectedFailureLoggedTwice) {
    EXPECT_EQ(JS::ToJSONText(JSCommands::JSCommandWrapper(ThrowsSomethingElse, {})),
              R"("{\"success\":false,\"error\":\"An unexpected error occurred.\"}")");
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[ERROR] JSCommandWrapper: Unknown exception caught in command execution",
                           "[ERROR] API: An unexpected error occurred.",
                       }));
}

TEST_F(CommandWrapper, AnObjectWhereAStringIsExpectedIsABadCastAndTheGenericFailure) {
    EXPECT_EQ(JS::ToJSONText(JSCommands::JSCommandWrapper(Echo, GS::NewRef<JS::Object>())), GenericFailure);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[ERROR] JSCommandWrapper: GS::Exception: Bad cast.",
                           "[ERROR] API: An error occurred while processing your request.",
                       }));
}

TEST(UtilityCommands, PluginVersionIsTheVersionObjectInOrder) {
    EXPECT_EQ(JS::ToJSONText(JSCommands::UtilityCommands::GetPluginVersion({})),
              R"({"major":1,"minor":0,"patch":6,"string":"1.0.6"})");
}

} // namespace
