#pragma once

#include "ACAPI/Result.hpp"

namespace ACAPI::Library {

class LibraryManager;

// A registered library part, as the library manager gives it.
class HOST_API LibPart {
    friend class LibraryManager;

    explicit LibPart(Int32 index) : index(index) {}

    Int32 index;
};

} // namespace ACAPI::Library
