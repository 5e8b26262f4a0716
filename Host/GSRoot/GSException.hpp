#pragma once

#include "Definitions.hpp"
#include "UniString.hpp"

namespace GS {

// The host's exceptions form their own hierarchy, apart from std::exception, as in GSRoot. A message
// left out (nullptr) gives the class's own default text.
class HOST_API GSException {
public:
    // GSRoot's Error, what an exception reports without a code of its own.
    static constexpr GSErrCode DefaultErrCode = -7003;

    explicit GSException(const char* message = nullptr, const char* fileName = nullptr, UInt32 lineNumber = 0,
                         const GSException* cause = nullptr, GSErrCode errCode = DefaultErrCode)
        : GSException(message != nullptr ? UniString(message) : UniString(), fileName, lineNumber, cause,
                      errCode) {}
    explicit GSException(const char* message, const char* fileName, UInt32 lineNumber,
                         const GSException& cause, GSErrCode errCode)
        : GSException(message, fileName, lineNumber, &cause, errCode) {}
    explicit GSException(const UniString& message, const char* fileName = nullptr, UInt32 lineNumber = 0,
                         const GSException* /*cause*/ = nullptr, GSErrCode errCode = DefaultErrCode)
        : message(message), fileName(fileName), lineNumber(lineNumber), errCode(errCode) {}
    explicit GSException(const UniString& message, const char* fileName, UInt32 lineNumber,
                         const GSException& cause, GSErrCode errCode)
        : GSException(message, fileName, lineNumber, &cause, errCode) {}
    GSException(const GSException& source) = default;
    virtual ~GSException() = default;

    virtual const char* GetName() const { return "GS::Exception"; }
    GSErrCode GetErrCode() const noexcept { return errCode; }
    const UniString& GetMessage() const { return message; }
    const char* GetFileName() const { return fileName; }
    UInt32 GetLineNumber() const { return lineNumber; }

    GSException& operator=(const GSException& source) = default;

protected:
    // The derived classes' form without a cause.
    GSException(const UniString& message, const char* fileName, UInt32 lineNumber, GSErrCode errCode)
        : GSException(message, fileName, lineNumber, nullptr, errCode) {}

private:
    UniString message;
    const char* fileName = nullptr;
    UInt32 lineNumber = 0;
    GSErrCode errCode = DefaultErrCode;
};

typedef GSException Exception; // GS::Exception

// The DevKit's four constructors; nullptr for the message gives the class's default text.
#define GS_DECLARE_EXCEPTION(Name, Base, DefaultMessage)                                                     \
    class HOST_API Name : public Base {                                                                      \
    public:                                                                                                  \
        explicit Name(const char* msg, const char* fName, UInt32 lNumber, const GSException& cause,          \
                      GSErrCode errCode = GSException::DefaultErrCode)                                       \
            : Base(UniString(msg != nullptr ? msg : DefaultMessage), fName, lNumber, cause, errCode) {}      \
        explicit Name(const char* msg = nullptr, const char* fName = nullptr, UInt32 lNumber = 0,            \
                      GSErrCode errCode = GSException::DefaultErrCode)                                       \
            : Base(UniString(msg != nullptr ? msg : DefaultMessage), fName, lNumber, errCode) {}             \
        explicit Name(const UniString& msg, const char* fName, UInt32 lNumber, const GSException& cause,     \
                      GSErrCode errCode = GSException::DefaultErrCode)                                       \
            : Base(msg, fName, lNumber, cause, errCode) {}                                                   \
        explicit Name(const UniString& msg, const char* fName = nullptr, UInt32 lNumber = 0,                 \
                      GSErrCode errCode = GSException::DefaultErrCode)                                       \
            : Base(msg, fName, lNumber, errCode) {}                                                          \
        const char* GetName() const override { return "GS::" #Name; }                                        \
    };

GS_DECLARE_EXCEPTION(GeneralException, GSException, "General exception.")
GS_DECLARE_EXCEPTION(LogicErrorException, GeneralException, "Logic error.")
GS_DECLARE_EXCEPTION(RunTimeErrorException, GeneralException, "Run-time error.")
GS_DECLARE_EXCEPTION(NullPointerException, LogicErrorException, "Null pointer.")
GS_DECLARE_EXCEPTION(ClassCastException, LogicErrorException, "Bad cast.")
GS_DECLARE_EXCEPTION(IllegalArgumentException, LogicErrorException, "Illegal argument.")
GS_DECLARE_EXCEPTION(IndexOutOfBoundsException, LogicErrorException, "Index out of bounds.")
GS_DECLARE_EXCEPTION(OutOfMemoryException, RunTimeErrorException, "Out of memory.")

#undef GS_DECLARE_EXCEPTION

} // namespace GS
