#include "BM.hpp"

#include "StandIn/Faults.hpp"
#include "StandIn/HandleLedger.hpp"

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

namespace {

struct Block {
    char* data = nullptr;
    GSSize size = 0;
};

// Every live handle by its address; the block owns the handle's master pointer.
std::map<GSHandle, std::unique_ptr<Block>>& LiveHandles() {
    static std::map<GSHandle, std::unique_ptr<Block>> handles;
    return handles;
}

Int32 doubleReleases = 0;

// What a handle holds where the caller did not ask for cleared memory: not zero, so that a caller
// relying on zeros shows.
constexpr int UnclearedByte = 0xBE;

void Fill(char* bytes, GSSize count, GSFlags flags) {
    std::memset(bytes, (flags & ALLOCATE_CLEAR) != 0 ? 0 : UnclearedByte, static_cast<size_t>(count));
}

} // namespace

GSHandle BMAllocateHandle(GSSize size, GSFlags flags, short) {
    if (size < 0 || StandIn::Faults::Take("BMAllocateHandle")) {
        return nullptr;
    }
    auto block = std::make_unique<Block>();
    block->data = static_cast<char*>(std::malloc(size > 0 ? static_cast<size_t>(size) : 1));
    if (block->data == nullptr) {
        return nullptr;
    }
    Fill(block->data, size, flags);
    block->size = size;
    GSHandle handle = &block->data;
    LiveHandles().emplace(handle, std::move(block));
    return handle;
}

void BMKillHandle(GSHandle* handle) {
    if (handle == nullptr || *handle == nullptr) {
        return;
    }
    auto found = LiveHandles().find(*handle);
    if (found == LiveHandles().end()) {
        ++doubleReleases;
    } else {
        std::free(found->second->data);
        LiveHandles().erase(found);
    }
    *handle = nullptr;
}

GSSize BMGetHandleSize(GSConstHandle handle) {
    auto found = LiveHandles().find(const_cast<GSHandle>(handle));
    return found == LiveHandles().end() ? 0 : found->second->size;
}

GSHandle BMReallocHandle(GSHandle handle, GSSize newSize, GSFlags flags, short) {
    auto found = LiveHandles().find(handle);
    if (found == LiveHandles().end() || newSize < 0) {
        return nullptr;
    }
    Block& block = *found->second;
    char* grown =
        static_cast<char*>(std::realloc(block.data, newSize > 0 ? static_cast<size_t>(newSize) : 1));
    if (grown == nullptr) {
        return nullptr;
    }
    if (newSize > block.size) {
        Fill(grown + block.size, newSize - block.size, flags);
    }
    block.data = grown;
    block.size = newSize;
    return handle;
}

namespace {

// Every live pointer with its size.
std::map<GSConstPtr, GSSize>& LivePointers() {
    static std::map<GSConstPtr, GSSize> pointers;
    return pointers;
}

} // namespace

GSPtr BMAllocatePtr(GSSize nBytes, GSFlags allocFlags, short) {
    if (nBytes < 0 || StandIn::Faults::Take("BMAllocatePtr")) {
        return nullptr;
    }
    auto* bytes = static_cast<char*>(std::malloc(nBytes > 0 ? static_cast<size_t>(nBytes) : 1));
    if (bytes == nullptr) {
        return nullptr;
    }
    Fill(bytes, nBytes, allocFlags);
    LivePointers().emplace(bytes, nBytes);
    return bytes;
}

void BMKillPtr(GSPtr* p) {
    if (p == nullptr || *p == nullptr) {
        return;
    }
    if (LivePointers().erase(*p) == 0) {
        ++doubleReleases;
    } else {
        std::free(*p);
    }
    *p = nullptr;
}

GSSize BMGetPtrSize(GSConstPtr p) {
    auto found = LivePointers().find(p);
    return found == LivePointers().end() ? 0 : found->second;
}

namespace StandIn::HandleLedger {

Int32 LiveCount() {
    return static_cast<Int32>(LiveHandles().size() + LivePointers().size());
}
Int32 DoubleReleaseCount() {
    return doubleReleases;
}
void ResetDoubleReleaseCount() {
    doubleReleases = 0;
}

} // namespace StandIn::HandleLedger
