#pragma once

#include <mutex>

namespace GS {

// Re-entrant on the same thread: a holder may take it again without deadlocking.
class Lock {
public:
    void Acquire() { mutex.lock(); }
    bool TryAcquire() { return mutex.try_lock(); }
    void Release() { mutex.unlock(); }

    // Standard lockable names, so std::lock_guard and std::scoped_lock work too.
    void lock() { Acquire(); }
    bool try_lock() { return TryAcquire(); }
    void unlock() { Release(); }

private:
    std::recursive_mutex mutex;
};

template <typename L>
class Guard {
public:
    explicit Guard(L& lock) : lock(lock) { lock.Acquire(); }
    ~Guard() { lock.Release(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    L& lock;
};

} // namespace GS
