#pragma once

#include "Definitions.hpp"

namespace GS {

// Fixed-length copy into a host record's UniChar field: at most size - 1 units, always terminated.
HOST_API void ucsncpy(uchar_t* destination, const uchar_t* source, USize size);
HOST_API USize ucslen(const uchar_t* text);

} // namespace GS
