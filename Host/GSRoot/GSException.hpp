#pragma once

#include "UniString.hpp"

namespace GS {

// The host's exceptions form their own hierarchy, apart from std::exception, as in GSRoot.
class HOST_API Exception {
public:
    explicit Exception(const UniString& message = UniString()) : message(message) {}
    virtual ~Exception() = default;
    const UniString& GetMessage() const { return message; }
    virtual const char* GetName() const { return "GS::Exception"; }

private:
    UniString message;
};

#define GS_DECLARE_EXCEPTION(Name, Base, DefaultMessage)                                                     \
    class HOST_API Name : public Base {                                                                      \
    public:                                                                                                  \
        explicit Name(const UniString& message = UniString(DefaultMessage)) : Base(message) {}               \
        const char* GetName() const override { return "GS::" #Name; }                                        \
    };

GS_DECLARE_EXCEPTION(GeneralException, Exception, "General exception.")
GS_DECLARE_EXCEPTION(LogicErrorException, GeneralException, "Logic error.")
GS_DECLARE_EXCEPTION(RunTimeErrorException, GeneralException, "Run-time error.")
GS_DECLARE_EXCEPTION(NullPointerException, LogicErrorException, "Null pointer.")
GS_DECLARE_EXCEPTION(ClassCastException, LogicErrorException, "Bad cast.")
GS_DECLARE_EXCEPTION(IllegalArgumentException, LogicErrorException, "Illegal argument.")
GS_DECLARE_EXCEPTION(IndexOutOfBoundsException, LogicErrorException, "Index out of bounds.")
GS_DECLARE_EXCEPTION(OutOfMemoryException, RunTimeErrorException, "Out of memory.")

#undef GS_DECLARE_EXCEPTION

} // namespace GS
