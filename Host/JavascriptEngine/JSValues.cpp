#include "JSValues.hpp"

namespace JS {

void Object::AddItem(Function* function) {
    GS::Ref<Function> owned(function);
    members.Push(Member{owned->GetName(), owned});
}

void Object::AddItem(const GS::UniString& memberName, GS::Ref<Base> value) {
    members.Push(Member{memberName, std::move(value)});
}

} // namespace JS
