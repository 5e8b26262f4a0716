#pragma once

#include "Location.hpp"

namespace IO {

// File-system error codes (our choice of values; the add-on only tells "exists" apart).
constexpr GSErrCode FileSystemFailed = -5000;
constexpr GSErrCode FileSystemNotFound = -5001;
constexpr GSErrCode FileSystemTargetExists = -5006;

class HOST_API FileSystem {
public:
    static constexpr GSErrCode TargetExists = FileSystemTargetExists;

    GSErrCode CreateFolder(const Location& folder) const;
    bool Contains(const Location& location) const;
    bool IsFolder(const Location& location) const;
};

HOST_API extern FileSystem fileSystem;

} // namespace IO
