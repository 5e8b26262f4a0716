#pragma once

#include "Definitions.hpp"

namespace GS {

// What a Guard holds: the lock it acquired.
template <class LockT>
class LockHolder {
public:
    explicit LockHolder(LockT& lock) : lock(lock) {}
    LockHolder(const LockHolder& rhs) : lock(rhs.lock) {}
    LockHolder& operator=(const LockHolder&) = delete;

    LockT& GetLock() { return lock; }

private:
    LockT& lock;
};

// Acquires on entering the scope and releases on leaving it.
class LockedLockingPolicy {
public:
    template <class LockT>
    void CreateScope(LockHolder<LockT>& lockHolder) {
        lockHolder.GetLock().Acquire();
    }
    template <class LockT>
    void CreateScope(LockHolder<LockT>& lockHolder, UInt32 timeout) {
        lockHolder.GetLock().TryAcquire(timeout);
    }
    template <class LockT>
    void DeleteScope(LockHolder<LockT>& lockHolder) {
        lockHolder.GetLock().Release();
    }
};

// Holds the lock for the lifetime of the guard, as GSRoot's Guard.
template <class LockT, class LockingPolicy = LockedLockingPolicy>
class Guard : private LockHolder<LockT>, private LockingPolicy {
public:
    Guard(LockT& lock) : LockHolder<LockT>(lock) { LockingPolicy::CreateScope(*this); }
    Guard(LockT& lock, UInt32 timeout) : LockHolder<LockT>(lock) {
        LockingPolicy::CreateScope(*this, timeout);
    }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
    ~Guard() { LockingPolicy::DeleteScope(*this); }
};

} // namespace GS
