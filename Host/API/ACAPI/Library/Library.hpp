#pragma once

#include "ACAPI/Result.hpp"
#include "Location.hpp"

namespace ACAPI::Library {

class LibraryManager;

// A library of the open project, as the library manager gives it.
class HOST_API Library {
    friend class LibraryManager;

    explicit Library(IO::Location location) : location(std::move(location)) {}

public:
    Result<IO::Location> GetLocation() const;

private:
    IO::Location location;
};

} // namespace ACAPI::Library
