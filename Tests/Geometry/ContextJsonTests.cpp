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
}

// The context of one group holding one mesh of one vertex at x, beside a mesh at the root.
ContextJson::ContextWriter OneGroup(double x) {
    ContextJson::ContextWriter writer;
    writer.AddMesh(Mesh({{x, 0, 0}}));
    writer.OpenGroup();
    writer.OpenGroup();
    writer.CloseGroup("empty", "#000000");
    writer.AddMesh(Mesh({{1, 2, 3}}, {{0, 0, 0}}));
    writer.CloseGroup("group1", "#0a0b0c");
    return writer;
}

TEST(ContextWriter, WritesTheDocumentAndTheHashOfItsValue) {
    ContextJson::ContextWriter writer = OneGroup(1234.567891);
    const std::string hash = writer.Finish("custom geometry", "#AAAAAA");
    const std::string mesh = R"({"vertices":[[1234.567891,0,0]],"faces":[],"type":"mesh"})";
    const std::string value =
        R"({"items":[)" + mesh +
        R"(,{"items":[{"items":[],"name":"empty","color":"#000000",)"
        R"("blockInstances":[],"type":"group"},{"vertices":[[1,2,3]],"faces":[[0,0,0]],)"
        R"("type":"mesh"}],"name":"group1","color":"#0a0b0c","blockInstances":[],)"
        R"("type":"group"}],"name":"custom geometry","color":"#AAAAAA",)"
        R"("blockDefinitions":{},"blockInstances":[],"type":"group"})";
    EXPECT_EQ(std::string(writer.Text()),
              R"({"version":1,"type":"context","value":)" + value + R"(,"hash":")" + Crc(value) + "\"}");
    EXPECT_EQ(writer.Size(), std::string(writer.Text()).size());
    EXPECT_EQ(hash, Crc(value));
    EXPECT_EQ(OneGroup(1234.567891).Finish("custom geometry", "#AAAAAA"), hash)
        << "the same value, the same hash";
}

TEST(ContextWriter, ATenthDigitChangesTheHashAndAnEleventhDoesNot) {
    auto hashOf = [](double x) { return OneGroup(x).Finish("custom geometry", "#AAAAAA"); };
    EXPECT_NE(hashOf(1234.567891), hashOf(1234.567892));
    EXPECT_EQ(hashOf(1234.5678910), hashOf(1234.56789104)) << "ten significant digits are written";
}

TEST(TextBuffer, GrowsWithoutLosingWhatItHolds) {
    TextBuffer text;
    std::string expected;
    for (int i = 0; i < 100000; ++i) {
        const std::string part = std::to_string(i) + ",";
        text.Append(part);
        expected += part;
    }
    EXPECT_EQ(text.View(), expected);
    EXPECT_STREQ(text.CStr(), expected.c_str());
}

} // namespace
