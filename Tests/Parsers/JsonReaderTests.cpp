#include "Parsers/JsonReader.hpp"
#include "Parsers/JsonText.hpp"
#include "StandIn/CodePage.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace Tolva::Parsers;

namespace {

JsonReadResult Read(const std::string& text) {
    rapidjson::Document document;
    return ReadJson(text.data(), text.size(), document);
}

} // namespace

TEST(JsonReader, AcceptsOnlyAnObjectOrAnArrayAsRoot) {
    EXPECT_TRUE(Read(" {} ").IsOk());
    EXPECT_TRUE(Read("\t[1]\r\n").IsOk());

    JsonReadResult number = Read("  42");
    EXPECT_EQ(number.code, rapidjson::kParseErrorUnspecificSyntaxError);
    EXPECT_EQ(number.offset, 2u);
    EXPECT_EQ(number.ErrorTextAtOffset(), "Unspecific syntax error. at offset 2");

    JsonReadResult empty = Read("");
    EXPECT_EQ(empty.ErrorTextAtOffset(), "The document is empty. at offset 0");
}

TEST(JsonReader, RefusesTextAfterTheRootEvenBehindANul) {
    JsonReadResult trailing = Read("{} x");
    EXPECT_EQ(trailing.ErrorTextAtOffset(),
              "The document root must not be followed by other values. at offset 3");

    JsonReadResult nul = Read(std::string("{}\0{}", 5));
    EXPECT_EQ(nul.code, rapidjson::kParseErrorDocumentRootNotSingular);
    EXPECT_EQ(nul.offset, 2u);
}

TEST(JsonReader, StopsDeepNestingAtTheLimit) {
    std::string atLimit(MaxJsonDepth, '[');
    atLimit += std::string(MaxJsonDepth, ']');
    EXPECT_TRUE(Read(atLimit).IsOk());

    // Deep enough to overflow the stack if anything recursed per level.
    std::string hostile(100000, '[');
    JsonReadResult deep = Read(hostile);
    EXPECT_EQ(deep.code, rapidjson::kParseErrorTermination);
    EXPECT_EQ(deep.ErrorText(), "Terminate parsing due to Handler error.");
    // Just behind the first bracket beyond the limit.
    EXPECT_EQ(deep.offset, MaxJsonDepth + 1);
}

TEST(JsonReader, KeepsEmbeddedNulsInStrings) {
    rapidjson::Document document;
    std::string text = R"(["a\u0000b", "\u00e9"])";
    ASSERT_TRUE(ReadJson(text.data(), text.size(), document).IsOk());
    GS::UniString value = ToUniString(document[0]);
    ASSERT_EQ(value.GetLength(), 3u);
    EXPECT_EQ(value.GetChar(2), u'b');
    EXPECT_EQ(ToUniString(document[1]), GS::UniString(u"\u00e9"));
}

TEST(JsonReader, ConvertsHostTextToUtf8AsTheHostDoes) {
    auto expectSameAsHost = [](const std::u16string& units) {
        GS::UniString text(units);
        std::string converted(Utf8Capacity(text), '\0');
        converted.resize(WriteUtf8(text, converted.data()));
        EXPECT_EQ(converted, text.ToCStr(CC_UTF8).Get()) << converted;
    };
    // ASCII, two- and three-byte units, a surrogate pair, unpaired surrogates at the end and inside.
    std::u16string units = u"a\u00df\u20ac\U0001F600";
    for (std::u16string tail : {std::u16string(1, u'\xD83D'), std::u16string(u"\xDE00x"), std::u16string()}) {
        expectSameAsHost(units + tail);
    }
    // Long ASCII runs are copied in blocks: a unit that is not ASCII at any place in or around one.
    for (std::u16string special : {std::u16string(u"\u00df"), std::u16string(u"\U0001F600"),
                                   std::u16string(1, u'\xD83D'), std::u16string(u"\u007f\u0080")}) {
        for (size_t at = 0; at <= 40; ++at) {
            expectSameAsHost(std::u16string(at, u'a') + special + std::u16string(40 - at, u'b'));
        }
    }
}

TEST(JsonReader, ReadsHostTextBackUnchangedWhateverTheDefaultCodePage) {
    struct BackToUtf8 {
        ~BackToUtf8() { StandIn::SetDefaultCodePage(StandIn::CodePage::Utf8); }
    } backToUtf8;
    for (StandIn::CodePage codePage : {StandIn::CodePage::Windows1252, StandIn::CodePage::Utf8}) {
        StandIn::SetDefaultCodePage(codePage);
        EXPECT_EQ(DefaultConversionIsUtf8(), codePage == StandIn::CodePage::Utf8);
        rapidjson::Document document;
        ASSERT_TRUE(ReadJson(GS::UniString(u"{\"name\": \"K\u00fcche\"}"), document).IsOk());
        EXPECT_EQ(ToUniString(document["name"]), GS::UniString(u"K\u00fcche"));
    }
}

TEST(JsonReader, HostTextWithANulFailsBehindTheRoot) {
    rapidjson::Document document;
    JsonReadResult read = ReadJson(GS::UniString(std::u16string(u"[1]\0[2]", 7)), document);
    EXPECT_EQ(read.code, rapidjson::kParseErrorDocumentRootNotSingular);
    EXPECT_EQ(read.offset, 3u);
}
