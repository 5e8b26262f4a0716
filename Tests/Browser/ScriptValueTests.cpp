#include "StandIn/JSONText.hpp"

#include <gtest/gtest.h>

namespace {

TEST(ScriptValues, ValuesKeepTheirTypeAndText) {
    EXPECT_EQ(JS::Value(GS::UniString("a")).GetType(), 5);
    EXPECT_EQ(JS::Value("b").GetType(), 5);
    EXPECT_EQ(JS::Value(Int32(3)).GetType(), JS::Value::INTEGER);
    EXPECT_EQ(JS::Value(2.5).GetType(), JS::Value::DOUBLE);
    EXPECT_EQ(JS::Value("\xc3\xa4").GetString(), GS::UniString(u"\u00e4"));
    EXPECT_EQ(JS::Value(Int32(3)).GetDouble(), 3.0);
    EXPECT_EQ(JS::ToJSONText(GS::NewRef<JS::Value>(UInt32(4000000000u))), "4000000000");
}

TEST(ScriptValues, ObjectMembersKeepTheirOrder) {
    auto object = GS::NewRef<JS::Object>();
    object->AddItem("z", GS::NewRef<JS::Value>(Int32(1)));
    object->AddItem("a", GS::NewRef<JS::Value>("x"));
    auto array = GS::NewRef<JS::Array>();
    array->AddItem(GS::NewRef<JS::Value>(0.5));
    array->AddItem(GS::NewRef<JS::Value>(true));
    object->AddItem("m", array);
    EXPECT_EQ(JS::ToJSONText(object), R"({"z":1,"a":"x","m":[0.5,true]})");
}

TEST(ScriptValues, AFunctionIsAddedUnderItsOwnNameAndCallsItsCallable) {
    JS::Object object("ACAPI");
    object.AddItem(new JS::Function("echo", [](GS::Ref<JS::Base> argument) { return argument; }));
    ASSERT_EQ(object.GetItemTable().GetSize(), 1u);
    EXPECT_EQ(object.GetItemTable()[0].name, GS::UniString("echo"));
    const auto function = GS::DynamicCast<JS::Function>(object.GetItemTable()[0].value);
    ASSERT_TRUE(function != nullptr);
    const auto answer = function->Call(GS::NewRef<JS::Value>("hi"));
    EXPECT_EQ(JS::ToJSONText(answer), "\"hi\"");
}

TEST(ScriptValues, DynamicCastTellsTheKindsApart) {
    GS::Ref<JS::Base> array = GS::NewRef<JS::Array>();
    EXPECT_TRUE(GS::DynamicCast<JS::Value>(array) == nullptr);
    EXPECT_TRUE(GS::DynamicCast<JS::Object>(array) == nullptr);
    EXPECT_TRUE(GS::DynamicCast<JS::Array>(array) != nullptr);
}

TEST(ScriptValues, JSONTextEscapesControlCharactersAndPrintsNullForNothing) {
    EXPECT_EQ(JS::ToJSONText(GS::NewRef<JS::Value>("a\"\\\n\x01")), R"("a\"\\\n\u0001")");
    EXPECT_EQ(JS::ToJSONText(GS::Ref<JS::Base>()), "null");
    EXPECT_EQ(JS::ToJSONText(GS::NewRef<JS::Value>()), "null");
}

} // namespace
