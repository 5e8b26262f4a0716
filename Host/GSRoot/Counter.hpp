#pragma once

#include "Definitions.hpp"

namespace GS {

// The reference counter type GS::Ref is parametrized with, as in GSRoot.
class HOST_API Counter {
public:
    explicit Counter(UInt32 initialValue = 0) : value(initialValue) {}
    Counter(const Counter&) = delete;
    Counter& operator=(const Counter&) = delete;

    UInt32 operator++(int) { return value++; }
    UInt32 operator++() { return ++value; }
    UInt32 operator--(int) { return value--; }
    UInt32 operator--() { return --value; }
    operator UInt32() const { return value; }

private:
    UInt32 value;
};

} // namespace GS
