#include "Parsers/ListRoot.hpp"

namespace Tolva::Parsers {

const rapidjson::Value* FindListArray(const rapidjson::Value& root) {
    if (root.IsArray()) {
        return &root;
    }
    if (root.IsObject()) {
        auto value = root.FindMember("value");
        if (value != root.MemberEnd() && value->value.IsArray()) {
            return &value->value;
        }
    }
    return nullptr;
}

} // namespace Tolva::Parsers
