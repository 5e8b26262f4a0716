#include "GSRoot.hpp"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

TEST(UniString, RoundTripsNonAsciiTextThroughTheDefaultConversion) {
    const char* texts[] = {"Außenwand", "Ñandú – 東京", "plan 🏠 room", ""};
    for (const char* text : texts) {
        EXPECT_STREQ(GS::UniString(text).ToCStr().Get(), text);
    }
}

TEST(UniString, CountsUtf16CodeUnits) {
    EXPECT_EQ(GS::UniString("abc").GetLength(), 3u);
    EXPECT_EQ(GS::UniString("ß").GetLength(), 1u);
    GS::UniString house("🏠");
    ASSERT_EQ(house.GetLength(), 2u);
    EXPECT_EQ(house[0], 0xD83C);
    EXPECT_EQ(house[1], 0xDFE0);
}

TEST(UniString, ReplacesMalformedUtf8WithoutLosingTheRest) {
    GS::UniString text("a\xC3(b\xFF"
                       "c");
    ASSERT_EQ(text.GetLength(), 6u);
    EXPECT_EQ(text[1], 0xFFFD);
    EXPECT_EQ(text[2], u'(');
    EXPECT_EQ(text[4], 0xFFFD);
    EXPECT_EQ(text[5], u'c');
    EXPECT_STREQ(GS::UniString("\xED\xA0\x80x").ToCStr().Get(), "\xEF\xBF\xBD"
                                                                "x");
}

TEST(UniString, PrintfFormatsLikeCAndKeepsPercentInArguments) {
    EXPECT_EQ(GS::UniString::Printf("%d walls, %.2f m, 0x%08X", -3, 2.5, 0x81060001u),
              GS::UniString("-3 walls, 2.50 m, 0x81060001"));
    EXPECT_EQ(GS::UniString::Printf("[%s]", "100% %d done"), GS::UniString("[100% %d done]"));
    EXPECT_EQ(GS::UniString::Printf("%s", GS::UniString("Außen").ToCStr().Get()).GetLength(), 5u);
}

TEST(UniString, ScansLikeSscanf) {
    int value = -1;
    EXPECT_EQ(GS::UniString("03").SScanf("%d", &value), 1);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(GS::UniString("x").SScanf("%d", &value), 0);
}

TEST(UniString, SplitKeepsEmptyPieces) {
    GS::Array<GS::UniString> pieces;
    EXPECT_EQ(GS::UniString("b1-3-u2-s5").Split("-", &pieces), 4u);
    EXPECT_EQ(pieces[3], GS::UniString("s5"));
    EXPECT_EQ(GS::UniString("b1").Split("-", &pieces), 1u);
    EXPECT_EQ(GS::UniString("a--b-").Split("-", &pieces), 4u);
    EXPECT_TRUE(pieces[1].IsEmpty());
    EXPECT_TRUE(pieces[3].IsEmpty());
}

TEST(UniString, ComparesAndSearchesWithAndWithoutCase) {
    GS::UniString position("Exterior Wall");
    EXPECT_TRUE(position.IsEqual("EXTERIOR WALL", GS::CaseInsensitive));
    EXPECT_FALSE(position.IsEqual("EXTERIOR WALL"));
    EXPECT_TRUE(position.ToLowerCase().Contains("exterior"));
    EXPECT_TRUE(GS::UniString("AUSSEN").IsEqual("aussen", GS::CaseInsensitive));
    EXPECT_EQ(GS::UniString("Äußen").ToUpperCase(), GS::UniString("ÄUßEN"));
    EXPECT_TRUE(GS::UniString("UNIT:kitchen").BeginsWith("UNIT:"));
    EXPECT_TRUE(GS::UniString("https://x/").EndsWith("/"));
    EXPECT_FALSE(GS::UniString("/").EndsWith("//"));
    EXPECT_EQ(GS::UniString("a").FindFirst("b"), GS::UniString::MaxIndex);
}

TEST(UniString, EditsByCodeUnit) {
    GS::UniString name("UNIT:Living room");
    name.DeleteFirst(5);
    EXPECT_EQ(name, GS::UniString("Living room"));
    EXPECT_EQ(name.ReplaceAll(" ", "_"), 1u);
    EXPECT_EQ(name, GS::UniString("Living_room"));
    EXPECT_THROW(name.GetSubstring(100, 1), GS::IndexOutOfBoundsException);
}

TEST(UniString, FixedLengthCopyStaysInsideTheField) {
    GS::uchar_t field[8];
    for (GS::uchar_t& unit : field) {
        unit = u'#';
    }
    GS::UniString longName("A very long room name");
    GS::ucsncpy(field, longName.ToUStr().Get(), 4);
    EXPECT_EQ(GS::ucslen(field), 3u);
    EXPECT_EQ(field[4], u'#');
}

TEST(Exceptions, AreNotStandardExceptionsAndCarryTheHostMessages) {
    static_assert(!std::is_base_of_v<std::exception, GS::Exception>);
    try {
        GS::Ref<int> empty;
        (void)*empty;
        FAIL() << "a null dereference must throw";
    } catch (const GS::Exception& e) {
        EXPECT_EQ(e.GetMessage(), GS::UniString("Null pointer."));
    }
    EXPECT_EQ(GS::ClassCastException().GetMessage(), GS::UniString("Bad cast."));
}

} // namespace
