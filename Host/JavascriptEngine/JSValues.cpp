#include "JSValues.hpp"

#include <utility>

namespace JS {

Base::~Base() = default;

Function::Function(const GS::UniString& name) : name(name) {}

Function::Function(const GS::UniString& name, const std::function<GS::Ref<Base>(GS::Ref<Base>)>& callBack)
    : name(name), callBack(callBack) {}

const GS::UniString& Function::GetName() const {
    return name;
}

GS::Ref<Base> Function::Call(GS::Ref<Base> argument) const {
    if (!callBack) {
        return GS::Ref<Base>();
    }
    return callBack(std::move(argument));
}

Function::~Function() = default;

Object::Object(const GS::UniString& name) : name(name) {}

const GS::UniString& Object::GetName() const {
    return name;
}

void Object::AddItem(const GS::UniString& memberName, GS::Ref<Base> item) {
    members.Push(Member{memberName, std::move(item)});
}

void Object::AddItem(GS::Ref<Function> function) {
    const GS::UniString memberName = function->GetName();
    members.Push(Member{memberName, std::move(function)});
}

const GS::Array<Object::Member>& Object::GetItemTable() const {
    return members;
}

GS::Ref<Base> Object::CalledFromJSSide(const GS::UniString& functionName, GS::Ref<Base> params) {
    for (const Member& member : members) {
        if (member.name == functionName) {
            if (auto function = GS::DynamicCast<Function>(member.value)) {
                return function->Call(std::move(params));
            }
        }
    }
    return GS::Ref<Base>();
}

Object::~Object() = default;

void Array::AddItem(GS::Ref<Base> item) {
    items.Push(std::move(item));
}

const GS::Array<GS::Ref<Base>>& Array::GetItemArray() const {
    return items;
}

Array::~Array() = default;

Value::Value(bool boolValue) : valueType(BOOL), boolValue(boolValue) {}

Value::Value(Int32 intValue) : valueType(INTEGER), intValue(intValue) {}

Value::Value(UInt32 uintValue) : valueType(UINTEGER), uintValue(uintValue) {}

Value::Value(double doubleValue) : valueType(DOUBLE), doubleValue(doubleValue) {}

Value::Value(const GS::UniString& stringValue) : valueType(STRING), stringValue(stringValue) {}

Value::Value(const char* cStrValue) : valueType(STRING), stringValue(cStrValue, CC_UTF8) {}

bool Value::GetBool() const {
    return valueType == BOOL && boolValue;
}

Int32 Value::GetInteger() const {
    return valueType == INTEGER ? intValue : 0;
}

UInt32 Value::GetUInteger() const {
    return valueType == UINTEGER ? uintValue : 0;
}

double Value::GetDouble() const {
    switch (valueType) {
    case INTEGER:
        return intValue;
    case UINTEGER:
        return uintValue;
    case DOUBLE:
        return doubleValue;
    default:
        return 0;
    }
}

const GS::UniString& Value::GetString() const {
    return stringValue;
}

bool Value::IsNull() const {
    return valueType == DEFAULT;
}

Value::ValueType Value::GetType() const {
    return valueType;
}

Value::~Value() = default;

} // namespace JS
