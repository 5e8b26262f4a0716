#include "AllocationPeak.hpp"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<size_t> held{0};
std::atomic<size_t> baseline{0};
std::atomic<size_t> peak{0};

void* Allocate(size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    const size_t now = held += malloc_usable_size(block);
    size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return block;
}

void Release(void* block) noexcept {
    if (block != nullptr) {
        held -= malloc_usable_size(block);
        std::free(block);
    }
}

} // namespace

void* operator new(size_t size) {
    return Allocate(size);
}
void* operator new[](size_t size) {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, size_t) noexcept {
    Release(block);
}

namespace AllocationPeak {

void Start() {
    baseline = held.load();
    peak = baseline.load();
}

size_t Stop() {
    return peak.load() - baseline.load();
}

} // namespace AllocationPeak
