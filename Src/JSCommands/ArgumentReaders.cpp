#include "JSCommands/ArgumentReaders.hpp"

namespace JSCommands {

GS::UniString GetStringArgument(const GS::Ref<JS::Base>& argument) {
    if (argument.IsNull()) {
        return GS::UniString();
    }
    const auto value = GS::DynamicCast<JS::Value>(argument);
    if (value.IsNull()) {
        throw GS::ClassCastException();
    }
    return value->GetString();
}

GS::Ref<JS::Array> GetArrayArgument(const GS::Ref<JS::Base>& argument) {
    if (argument.IsNull()) {
        return GS::Ref<JS::Array>();
    }
    const auto array = GS::DynamicCast<JS::Array>(argument);
    if (array.IsNull()) {
        throw GS::ClassCastException();
    }
    return array;
}

} // namespace JSCommands
