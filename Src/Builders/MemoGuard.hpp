#pragma once

#include "ACAPinc.h"

namespace Tolva::Builders {

// Releases an element memo's members on every way out of a builder.
struct MemoGuard {
    explicit MemoGuard(API_ElementMemo& memo) : memo(memo) {}
    MemoGuard(const MemoGuard&) = delete;
    MemoGuard& operator=(const MemoGuard&) = delete;
    ~MemoGuard() { ACAPI_DisposeElemMemoHdls(&memo); }

    API_ElementMemo& memo;
};

} // namespace Tolva::Builders
