#include "GSRoot.hpp"
#include "StandIn/CodePage.hpp"
#include "StandIn/Driver.hpp"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

TEST(UniString, RoundTripsNonAsciiTextThroughTheDefaultConversion) {
    const char* texts[] = {"Außenwand", "Ñandú – 東京", "plan 🏠 room", ""};
    for (const char* text : texts) {
        EXPECT_STREQ(GS::UniString(text).ToCStr().Get(), text);
    }
}

TEST(UniString, DefaultConversionFollowsTheCodePageTheDriverChose) {
    StandIn::SetDefaultCodePage(StandIn::CodePage::Windows1252);
    const GS::UniString kitchen(u"K\u00fcche \u20ac5 \u6f22\U0001F600");
    // One byte per letter; what the code page lacks becomes '?', one per code point.
    EXPECT_STREQ(kitchen.ToCStr().Get(), "K\xFC"
                                         "che \x80"
                                         "5 ??");
    EXPECT_EQ(GS::UniString("K\xFC"
                            "che \x80\x81\x9F"),
              GS::UniString(u"K\u00fcche \u20ac\u0081\u0178"));
    // UTF-8 asked by name stays UTF-8.
    EXPECT_STREQ(kitchen.ToCStr(CC_UTF8).Get(), "K\xC3\xBC"
                                                "che \xE2\x82\xAC"
                                                "5 \xE6\xBC\xA2\xF0\x9F\x98\x80");
    EXPECT_EQ(GS::UniString("K\xC3\xBC"
                            "che",
                            CC_UTF8),
              GS::UniString(u"K\u00fcche"));
    // A fresh host converts with UTF-8 again.
    StandIn::ResetHost();
    EXPECT_EQ(StandIn::DefaultCodePage(), StandIn::CodePage::Utf8);
    EXPECT_STREQ(GS::UniString(u"K\u00fcche").ToCStr().Get(), "K\xC3\xBC"
                                                              "che");
}

TEST(UniString, CountsUtf16CodeUnits) {
    EXPECT_EQ(GS::UniString("abc").GetLength(), 3u);
    EXPECT_EQ(GS::UniString("ß").GetLength(), 1u);
    GS::UniString house("🏠");
    ASSERT_EQ(house.GetLength(), 2u);
    EXPECT_EQ(house.GetChar(0), u'\xD83C');
    EXPECT_EQ(house.GetChar(1), u'\xDFE0');
}

TEST(UniString, ReplacesMalformedUtf8WithoutLosingTheRest) {
    GS::UniString text("a\xC3(b\xFF"
                       "c");
    ASSERT_EQ(text.GetLength(), 6u);
    EXPECT_EQ(text.GetChar(1), u'\xFFFD');
    EXPECT_EQ(text.GetChar(2), u'(');
    EXPECT_EQ(text.GetChar(4), u'\xFFFD');
    EXPECT_EQ(text.GetChar(5), u'c');
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
    EXPECT_EQ(GS::UniString("03").SScanf("%d", &value), 1u);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(GS::UniString("x").SScanf("%d", &value), 0u);
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
    EXPECT_EQ(GS::UniString("a").FindFirst("b"), GS::MaxUIndex);
}

TEST(UniString, EditsByCodeUnit) {
    GS::UniString name("UNIT:Living room");
    name.Delete(0, 5);
    EXPECT_EQ(name, GS::UniString("Living room"));
    EXPECT_EQ(name.ReplaceAll(" ", "_"), 1u);
    EXPECT_EQ(name, GS::UniString("Living_room"));
    EXPECT_THROW(name.GetSubstring(100, 1), GS::IndexOutOfBoundsException);
}

TEST(UniString, DeleteFirstTakesOneCharacterOrTheFirstOccurrence) {
    GS::UniString name("UNIT:a:b");
    name.DeleteFirst();
    EXPECT_EQ(name, GS::UniString("NIT:a:b"));
    EXPECT_EQ(name.DeleteFirst(GS::UniChar(u':')), 3u);
    EXPECT_EQ(name, GS::UniString("NITa:b"));
    EXPECT_EQ(name.DeleteFirst(GS::UniString("x")), GS::MaxUIndex);
}

TEST(UniString, ConcatenatesIntoOneText) {
    const GS::UniString middle("b");
    const GS::UniString joined = "a" + middle + GS::UniChar(u'c') + GS::UniString("d") + "e";
    EXPECT_EQ(joined, GS::UniString("abcde"));
    EXPECT_TRUE(joined != middle);
}

TEST(UniString, HasTheDevKitsCharacterTypes) {
    static_assert(std::is_same_v<GS::uchar_t, unsigned short>);
    static_assert(std::is_class_v<GS::UniChar>);
    static_assert(!std::is_convertible_v<int, GS::UniChar>, "an int is ambiguous as a UniChar");
    EXPECT_EQ(GS::UniChar(u'x'), u'x');
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
