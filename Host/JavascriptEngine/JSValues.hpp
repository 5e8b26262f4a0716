#pragma once

#include "Array.hpp"
#include "Ref.hpp"
#include "UniString.hpp"

#include <functional>
#include <utility>

// Script values the add-on exchanges with a page; all are held through GS::Ref<JS::Base>, shared
// between the add-on and the script engine.
namespace JS {

class HOST_API Base {
public:
    virtual ~Base() = default;
};

class HOST_API Value : public Base {
public:
    // Type codes in the host's order; 5 is what the add-on tests for.
    enum Type : Int32 { DEFAULT = 0, BOOL = 1, INTEGER = 2, UINTEGER = 3, DOUBLE = 4, STRING = 5 };

    Value() = default;
    explicit Value(bool value) : type(BOOL), boolValue(value) {}
    explicit Value(Int32 value) : type(INTEGER), integerValue(value) {}
    explicit Value(double value) : type(DOUBLE), doubleValue(value) {}
    explicit Value(const GS::UniString& value) : type(STRING), stringValue(value) {}
    explicit Value(const char* value) : type(STRING), stringValue(value, GS::CC_UTF8) {}

    Type GetType() const { return type; }
    const GS::UniString& GetString() const { return stringValue; }
    bool GetBool() const { return boolValue; }
    Int32 GetInteger() const { return integerValue; }
    double GetDouble() const { return type == INTEGER ? integerValue : doubleValue; }

private:
    Type type = DEFAULT;
    bool boolValue = false;
    Int32 integerValue = 0;
    double doubleValue = 0.0;
    GS::UniString stringValue;
};

class HOST_API Function : public Base {
public:
    using Callable = std::function<GS::Ref<Base>(GS::Ref<Base>)>;

    Function(const GS::UniString& name, Callable callable) : name(name), callable(std::move(callable)) {}

    const GS::UniString& GetName() const { return name; }
    GS::Ref<Base> Call(GS::Ref<Base> argument) const { return callable(std::move(argument)); }

private:
    GS::UniString name;
    Callable callable;
};

class HOST_API Array : public Base {
public:
    void AddItem(GS::Ref<Base> item) { items.Push(std::move(item)); }
    const GS::Array<GS::Ref<Base>>& GetItemArray() const { return items; }

private:
    GS::Array<GS::Ref<Base>> items;
};

// Members keep the order they were added in: results have fixed member orders.
class HOST_API Object : public Base {
public:
    struct Member {
        GS::UniString name;
        GS::Ref<Base> value;
    };

    Object() = default;
    explicit Object(const GS::UniString& name) : name(name) {}

    const GS::UniString& GetName() const { return name; }
    // The object takes the function over, as the host's object does.
    void AddItem(Function* function);
    void AddItem(const GS::UniString& memberName, GS::Ref<Base> value);
    const GS::Array<Member>& GetItemTable() const { return members; }

private:
    GS::UniString name;
    GS::Array<Member> members;
};

} // namespace JS
