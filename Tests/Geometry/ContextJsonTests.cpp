#include "Geometry/ContextJson.hpp"
#include "Geometry/Crc32.hpp"
#include "MeshBuilders.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <thread>

namespace {

using MeshBuilders::Mesh;

std::string Crc(const std::string& text) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08x", ContextJson::ComputeCrc32(text.data(), text.size()));
    return hex;
}

TEST(ComputeCrc32, IsTheCrcOfZlib) {
    EXPECT_EQ(Crc("abc"), "352441c2");
    EXPECT_EQ(Crc("123456789"), "cbf43926");
    EXPECT_EQ(Crc(""), "00000000");
    EXPECT_EQ(Crc(std::string("\0\xff", 2)), "6cdbfd72") << "every byte value counts";
}

TEST(ComputeCrc32, BuildsItsTableOnceForAllThreads) {
    std::vector<std::thread> threads;
    std::vector<std::string> results(8);
    for (size_t i = 0; i < results.size(); ++i) {
        threads.emplace_back([&results, i] { results[i] = Crc("abc"); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(results, std::vector<std::string>(8, "352441c2"));
}

TEST(WriteMeshJson, WritesEveryVertexAndFaceCompactly) {
    const JSCommands::MeshData mesh =
        Mesh({{0, -0.5, 1e-7}, {1234.5678901234, 100000000000, 0.1 * 3}}, {{0, 1, 12}, {3, 2, 1, 0}});
    EXPECT_EQ(
        ContextJson::WriteMeshJson(mesh),
        R"({"vertices":[[0,-0.5,1e-07],[1234.56789,1e+11,0.3]],"faces":[[0,1,12],[3,2,1,0]],"type":"mesh"})");
    EXPECT_EQ(ContextJson::WriteMeshJson({}), R"({"vertices":[],"faces":[],"type":"mesh"})");
}

TEST(WriteMeshJson, WritesNumbersAsPrintfDoesWithTenDigits) {
    std::mt19937_64 random(29);
    std::uniform_real_distribution<double> metres(-1e5, 1e5);
    for (int i = 0; i < 20000; ++i) {
        // Millimetres from metres, as exported, and round values, small values and signed zeros.
        const double values[] = {metres(random) * 1000, std::round(metres(random)), metres(random) * 1e-9,
                                 i % 2 == 0 ? 0.0 : -0.0};
        for (const double value : values) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "[[%.10g,0,0]]", value);
            const std::string text = ContextJson::WriteMeshJson(Mesh({{value, 0, 0}}));
            ASSERT_EQ(text.substr(12, text.find(']') + 2 - 12), expected) << value;
        }
    }
}

TEST(WriteGroupJson, WritesTheBlockMembersOnlyWhenAskedFor) {
    EXPECT_EQ(ContextJson::WriteGroupJson("[]", "custom geometry", "#AAAAAA", true, true),
              R"({"items":[],"name":"custom geometry","color":"#AAAAAA","blockDefinitions":{},)"
              R"("blockInstances":[],"type":"group"})");
    EXPECT_EQ(ContextJson::WriteGroupJson("[1,2]", "object1", "#0a0b0c", false, true),
              R"({"items":[1,2],"name":"object1","color":"#0a0b0c","blockInstances":[],"type":"group"})");
    EXPECT_EQ(ContextJson::WriteGroupJson("[]", "a \\\"b\\\"", "#000000", false, false),
              R"({"items":[],"name":"a \"b\"","color":"#000000","type":"group"})");
    EXPECT_EQ(ContextJson::JoinItems({"{}", "[]", "{}"}), "[{},[],{}]");
    EXPECT_EQ(ContextJson::JoinItems({}), "[]");
}

TEST(WriteContextDocument, HashesTheValueItCarries) {
    const std::string value = ContextJson::WriteGroupJson(
        ContextJson::JoinItems({ContextJson::WriteMeshJson(Mesh({{1234.567891, 0, 0}}))}), "custom geometry",
        "#AAAAAA", true, true);
    const ContextJson::ContextDocument document = ContextJson::WriteContextDocument(value);
    EXPECT_EQ(document.text,
              R"({"version":1,"type":"context","value":)" + value + R"(,"hash":")" + Crc(value) + "\"}");
    EXPECT_EQ(document.hash, Crc(value));
    EXPECT_EQ(ContextJson::WriteContextDocument(value).hash, document.hash)
        << "the same value, the same hash";
}

TEST(WriteContextDocument, ATenthDigitChangesTheHashAndAnEleventhDoesNot) {
    auto hashOf = [](double x) {
        return ContextJson::WriteContextDocument(ContextJson::WriteMeshJson(Mesh({{x, 0, 0}}))).hash;
    };
    EXPECT_NE(hashOf(1234.567891), hashOf(1234.567892));
    EXPECT_EQ(hashOf(1234.5678910), hashOf(1234.56789104)) << "ten significant digits are written";
}

} // namespace
