#pragma once

#include "Array.hpp"
#include "Ref.hpp"
#include "UniString.hpp"

#include <functional>

// Script values the add-on exchanges with a page; all are held through GS::Ref<JS::Base>, shared
// between the add-on and the script engine.
namespace JS {

class HOST_API Base {
public:
    virtual ~Base();
};

class HOST_API Function : public Base {
    friend class Object;

private:
    GS::UniString name;
    std::function<GS::Ref<Base>(GS::Ref<Base>)> callBack;

public:
    Function() = default;
    Function(const GS::UniString& name);
    Function(const GS::UniString& name, const std::function<GS::Ref<Base>(GS::Ref<Base>)>& callBack);
    template <typename F, typename O>
    Function(const GS::UniString& name, F function, O object);
    const GS::UniString& GetName() const;

    // What the page's call of the function answers; a function without a callback answers nothing.
    GS::Ref<Base> Call(GS::Ref<Base> argument) const;

    virtual ~Function();
};

template <typename F, typename O>
Function::Function(const GS::UniString& name, F function, O object) : name(name) {
    callBack = std::bind(function, object, std::placeholders::_1);
}

// Members keep the order they were added in: results have fixed member orders.
class HOST_API Object : public Base {
public:
    struct Member {
        GS::UniString name;
        GS::Ref<Base> value;
    };

private:
    GS::UniString name;
    GS::Array<Member> members;

public:
    Object() = default;
    Object(const GS::UniString& name);
    const GS::UniString& GetName() const;

    void AddItem(const GS::UniString& name, GS::Ref<Base> item);
    void AddItem(GS::Ref<Function> function);
    const GS::Array<Member>& GetItemTable() const;

    // Calls the member function of that name; a null reference when there is none.
    GS::Ref<Base> CalledFromJSSide(const GS::UniString& functionName, GS::Ref<Base> params);

    virtual ~Object();
};

class HOST_API Array : public Base {
    GS::Array<GS::Ref<Base>> items;

public:
    void AddItem(GS::Ref<Base> item);
    const GS::Array<GS::Ref<Base>>& GetItemArray() const;

    virtual ~Array();
};

class HOST_API Value : public Base {
public:
    enum ValueType { DEFAULT = 0, BOOL, INTEGER, UINTEGER, DOUBLE, STRING };

private:
    ValueType valueType = DEFAULT;

    // One scalar at a time, read through its type: a mesh's answer holds millions of values.
    union {
        bool boolValue;
        Int32 intValue;
        UInt32 uintValue;
        double doubleValue = 0;
    };
    GS::UniString stringValue;

public:
    Value() = default;
    Value(bool boolValue);
    Value(Int32 intValue);
    Value(UInt32 uintValue);
    Value(double doubleValue);
    Value(const GS::UniString& stringValue);
    // The text is UTF-8.
    Value(const char* cStrValue);

    bool GetBool() const;
    Int32 GetInteger() const;
    UInt32 GetUInteger() const;
    // Integer values as doubles too.
    double GetDouble() const;
    const GS::UniString& GetString() const;

    bool IsNull() const;

    ValueType GetType() const;

    virtual ~Value();
};

} // namespace JS
