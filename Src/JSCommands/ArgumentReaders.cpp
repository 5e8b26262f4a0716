#include "JSCommands/ArgumentReaders.hpp"

namespace JSCommands {

GS::UniString GetStringArgument(const GS::Ref<JS::Base>& argument) {
    if (argument == nullptr) {
        return GS::UniString();
    }
    const auto value = GS::DynamicCast<JS::Value>(argument);
    if (value == nullptr) {
        throw GS::ClassCastException("Bad cast.", __FILE__, __LINE__);
    }
    return value->GetString();
}

GS::Ref<JS::Array> GetArrayArgument(const GS::Ref<JS::Base>& argument) {
    if (argument == nullptr) {
        return GS::Ref<JS::Array>();
    }
    const auto array = GS::DynamicCast<JS::Array>(argument);
    if (array == nullptr) {
        throw GS::ClassCastException("Bad cast.", __FILE__, __LINE__);
    }
    return array;
}

} // namespace JSCommands
