// HARNESS SHIM, not part of Archicad's DevKit. The Windows edition's GSRoot ships this header; the macOS
// edition has MacFastLockImpl.hpp instead. Declares GS::FastLock with the members MacFastLockImpl.hpp has.
#pragma once
namespace GS {
class FastLock {
public:
    FastLock();
    ~FastLock();
    FastLock(const FastLock&) = delete;
    FastLock& operator=(const FastLock&) = delete;
    void Acquire();
    bool TryAcquire();
    void Release();

private:
    void* impl = nullptr;
};
} // namespace GS
