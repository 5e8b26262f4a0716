#include "Logging/ErrorAggregation.hpp"
#include "Logging/ErrorPattern.hpp"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>

namespace {

using ErrorAggregation::NormalizeNarrowMessage;

// The four passes as regular expressions: right on short messages, but libstdc++'s matcher
// recurses per character and overflows the stack on long ones.
std::string NormalizeWithRegex(const std::string& message) {
    static const std::regex singleQuoted("'[^']+'");
    static const std::regex doubleQuoted("\"[^\"]+\"");
    static const std::regex guid("\\{[0-9A-Fa-f-]+\\}");
    static const std::regex number("\\b\\d+\\b");
    std::string pattern = std::regex_replace(message, singleQuoted, "<name>");
    pattern = std::regex_replace(pattern, doubleQuoted, "<name>");
    pattern = std::regex_replace(pattern, guid, "<guid>");
    return std::regex_replace(pattern, number, "<N>");
}

TEST(ErrorPattern, ReplacesNamesGuidsAndWholeNumbers) {
    EXPECT_EQ(NormalizeNarrowMessage("Door 'D12' FAILED: Creation error 5"),
              "Door <name> FAILED: Creation error <N>");
    EXPECT_EQ(NormalizeNarrowMessage("Zone \"Living Room\" of {1D7F6E3A-9C2B-4E6F-8B4C-B3C7E5F19A2D} at 3 m"),
              "Zone <name> of <guid> at <N> m");
    EXPECT_EQ(NormalizeNarrowMessage("t1 and 3D keep their digits, 12_a and a_12 too, -7 and 1.5 do not"),
              "t1 and 3D keep their digits, 12_a and a_12 too, -<N> and <N>.<N> do not");
    EXPECT_EQ(NormalizeNarrowMessage("'' and \"\" and {} enclose nothing, {xyz} is no GUID"),
              "'' and \"\" and {} enclose nothing, {xyz} is no GUID");
}

TEST(ErrorPattern, AppliesThePassesInOrderOnEachOthersOutput) {
    // A double-quoted text around a single-quoted one is one name after the first pass.
    EXPECT_EQ(NormalizeNarrowMessage("\"a'b'c\" x"), "<name> x");
    // Quotes that the first pass consumed cannot close a double-quoted text.
    EXPECT_EQ(NormalizeNarrowMessage("\"a'b\"c'"), "\"a<name>");
    // A name replaced before a number leaves a boundary in front of it.
    EXPECT_EQ(NormalizeNarrowMessage("x'y'7 x7"), "x<name><N> x7");
    EXPECT_EQ(NormalizeNarrowMessage("'''a'"), "''<name>");
    EXPECT_EQ(NormalizeNarrowMessage("{{0A}}"), "{<guid>}");
}

TEST(ErrorPattern, GivesTheRegularExpressionsResultOnRandomMessages) {
    const std::string alphabet = "'\"{}-aFg0 7_<\n\xC3\xA9";
    std::mt19937 random(20241208);
    std::uniform_int_distribution<size_t> length(0, 24);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    for (int i = 0; i < 20000; ++i) {
        std::string message(length(random), ' ');
        for (char& c : message) {
            c = alphabet[pick(random)];
        }
        ASSERT_EQ(NormalizeNarrowMessage(message), NormalizeWithRegex(message)) << "message: " << message;
    }
}

TEST(ErrorPattern, NormalisesAMegabyteMessageWithoutRecursion) {
    const std::string id(1 << 20, 'x');
    const std::string hex(1 << 20, 'A');
    const std::string digits(1 << 20, '7');
    EXPECT_EQ(NormalizeNarrowMessage("Container '" + id + "' of {" + hex + "} has " + digits + " items"),
              "Container <name> of <guid> has <N> items");
    const std::string unclosed = "Id '" + id + " 12";
    EXPECT_EQ(NormalizeNarrowMessage(unclosed), "Id '" + id + " <N>");
}

TEST(ErrorPattern, KeepsTextOutsideThePatternsAsUnicode) {
    EXPECT_EQ(ErrorAggregation::NormalizeErrorMessage("Tür 'Außen' hat 2 Flügel"),
              GS::UniString("Tür <name> hat <N> Flügel"));
}

} // namespace
