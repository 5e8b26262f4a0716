#pragma once

#include "GSException.hpp"

#include <optional>
#include <utility>

namespace GS {

// A value that may be absent; reading an absent one throws.
template <typename T>
class Optional {
public:
    Optional() = default;
    Optional(const T& value) : value(value) {}
    Optional(T&& value) : value(std::move(value)) {}

    bool HasValue() const { return value.has_value(); }
    const T& Get() const {
        if (!value) {
            throw IllegalArgumentException("Optional has no value.");
        }
        return *value;
    }
    T& Get() { return const_cast<T&>(std::as_const(*this).Get()); }
    const T& operator*() const { return Get(); }
    T& operator*() { return Get(); }
    const T* operator->() const { return &Get(); }
    T* operator->() { return &Get(); }
    void Clear() { value.reset(); }

private:
    std::optional<T> value;
};

} // namespace GS
