#pragma once

#include "Definitions.hpp"
#include "UniString.hpp"

#include <optional>
#include <utility>

// The value-or-error results of the host's object API.
namespace ACAPI {

struct Error {
    GSErrCode kind = NoError;
    GS::UniString text;
};

class HOST_API ResultBase {
public:
    // Called when an error result is unwrapped; the stand-in throws a GS::Exception with the text.
    [[noreturn]] static void HandleUnwrapFailure(const char* text);
};

template <typename T>
class Result : public ResultBase {
public:
    Result(T value) : value(std::move(value)) {}
    Result(Error error) : error(std::move(error)) {}

    bool IsOk() const { return value.has_value(); }
    bool IsErr() const { return !value.has_value(); }
    const Error& UnwrapErr() const { return error; }

    T& Unwrap() & {
        if (!value) {
            HandleUnwrapFailure("Attempting to Unwrap an error Result");
        }
        return *value;
    }
    T&& Unwrap() && {
        if (!value) {
            HandleUnwrapFailure("Attempting to Unwrap an error Result");
        }
        return std::move(*value);
    }

private:
    std::optional<T> value;
    Error error;
};

template <typename T>
Result<T> Ok(T value) {
    return Result<T>(std::move(value));
}

} // namespace ACAPI
