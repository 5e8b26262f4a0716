#include "StandIn/GrcResources.hpp"

#include "GSException.hpp"

#include <gtest/gtest.h>

namespace {

using StandIn::ParseGrcResources;

TEST(GrcResources, ReadsStringListsJoiningLiteralsOnOneLine) {
    auto table = ParseGrcResources("'STR#' 32000 \"Names\" {\n"
                                   "  \"Tolva AddOn\"\n"
                                   "  \"Maker Add-On v\" \"1\" \".\" \"0\"\n"
                                   "  \"quote \\\" inside\"\n"
                                   "}\n");
    const auto& list = table.stringLists.at(32000);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1], GS::UniString("Maker Add-On v1.0"));
    EXPECT_EQ(list[2], GS::UniString("quote \" inside"));
}

TEST(GrcResources, ReadsDialogsWithTheirItemsAndSkipsUnknownTypes) {
    auto table = ParseGrcResources("'ACNF' 32500 \"Config\" { 1 { 2 } }\n"
                                   "'GDLG' 32505 Palette | noGrow | close 0 0 240 200 \"Tolva\" {\n"
                                   "  Button 20 20 200 25 LargePlain \"Generate Plan\"\n"
                                   "  LeftText 20 175 200 20 SmallPlain vCenter \"\"\n"
                                   "  Browser 0 0 450 180\n"
                                   "}\n"
                                   "'MDID' 32500 \"Id\" { 1414483030 1 }\n");
    const auto& dialog = table.dialogs.at(32505);
    EXPECT_EQ(dialog.type, "Palette");
    EXPECT_TRUE(dialog.HasFlag("close"));
    EXPECT_FALSE(dialog.HasFlag("grow"));
    EXPECT_EQ(dialog.width, 240);
    ASSERT_EQ(dialog.items.size(), 3u);
    EXPECT_EQ(dialog.items[0].text, GS::UniString("Generate Plan"));
    EXPECT_EQ(dialog.items[1].y, 175);
    EXPECT_EQ(dialog.items[2].kind, "Browser");
    EXPECT_EQ(table.identifiers.at(32500), (std::vector<UInt32>{1414483030u, 1u}));
}

TEST(GrcResources, NamesTheLineOfASyntaxError) {
    try {
        ParseGrcResources("'STR#' 32000 \"Names\" {\n  \"ok\"\n  missing quotes\n}\n");
        FAIL() << "a malformed resource must be refused";
    } catch (const GS::Exception& e) {
        EXPECT_EQ(e.GetMessage(), GS::UniString("GRC line 3: expected a string, found 'missing'"));
    }
    EXPECT_THROW(ParseGrcResources("'STR#' 1 \"x\" {\n \"open"), GS::Exception);
    EXPECT_THROW(ParseGrcResources("'GDLG' 1 Palette 0 0 x 1 \"t\" {}"), GS::Exception);
}

} // namespace
