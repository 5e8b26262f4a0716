#include "JSCommands/ArgumentReaders.hpp"

#include <gtest/gtest.h>

namespace {

using JSCommands::GetArrayArgument;
using JSCommands::GetStringArgument;

TEST(StringArgument, IsTheValuesStringOrEmptyForNothing) {
    EXPECT_EQ(GetStringArgument(GS::NewRef<JS::Value>("text")), GS::UniString("text"));
    EXPECT_EQ(GetStringArgument(GS::Ref<JS::Base>()), GS::UniString());
}

TEST(StringArgument, AnyOtherKindIsABadCastAndTheCountIsRestored) {
    for (GS::Ref<JS::Base> argument :
         {GS::Ref<JS::Base>(GS::NewRef<JS::Object>()), GS::Ref<JS::Base>(GS::NewRef<JS::Array>())}) {
        const long before = argument.GetRefCount();
        try {
            GetStringArgument(argument);
            ADD_FAILURE() << "no exception";
        } catch (const GS::ClassCastException& e) {
            EXPECT_EQ(e.GetMessage(), GS::UniString("Bad cast."));
        }
        EXPECT_EQ(argument.GetRefCount(), before);
    }
}

TEST(ArrayArgument, IsTheArrayOrNullForNothing) {
    auto array = GS::NewRef<JS::Array>();
    array->AddItem(GS::NewRef<JS::Value>("a"));
    const GS::Ref<JS::Base> argument = array;
    const auto read = GetArrayArgument(argument);
    ASSERT_TRUE(read != nullptr);
    EXPECT_EQ(read->GetItemArray().GetSize(), 1u);
    EXPECT_TRUE(GetArrayArgument(GS::Ref<JS::Base>()) == nullptr);
}

TEST(ArrayArgument, AStringIsABadCastAndTheCountIsRestored) {
    const GS::Ref<JS::Base> argument = GS::NewRef<JS::Value>("a");
    EXPECT_THROW(GetArrayArgument(argument), GS::ClassCastException);
    EXPECT_EQ(argument.GetRefCount(), 1);
}

} // namespace
