#pragma once

#include "Definitions.hpp"

#include <mutex>

namespace GS {

// Re-entrant on the same thread: a holder may take it again without deadlocking.
class Lock {
public:
    void Acquire(bool /*interruptible*/ = true) { mutex.lock(); }
    // Without waiting: the stand-in takes no timeout.
    bool TryAcquire(UInt32 /*timeout*/ = 0, bool /*interruptible*/ = true, UInt32* remaining = nullptr) {
        if (remaining != nullptr) {
            *remaining = 0;
        }
        return mutex.try_lock();
    }
    void Release() { mutex.unlock(); }

    // Standard lockable names, so std::lock_guard and std::scoped_lock work too.
    void lock() { Acquire(); }
    bool try_lock() { return TryAcquire(); }
    void unlock() { Release(); }

private:
    std::recursive_mutex mutex;
};

} // namespace GS
