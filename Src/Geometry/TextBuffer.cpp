#include "Geometry/TextBuffer.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace {

constexpr size_t SmallestBlock = 4096;

} // namespace

TextBuffer::TextBuffer(TextBuffer&& other) noexcept
    : data(std::exchange(other.data, nullptr)), used(std::exchange(other.used, 0)),
      capacity(std::exchange(other.capacity, 0)) {}

TextBuffer::~TextBuffer() {
    std::free(data);
}

char* TextBuffer::Room(size_t size) {
    if (capacity - used < size) {
        const size_t grown = std::max({capacity * 2, used + size, SmallestBlock});
        void* moved = std::realloc(data, grown);
        if (moved == nullptr) {
            throw std::bad_alloc();
        }
        data = static_cast<char*>(moved);
        capacity = grown;
    }
    return data + used;
}

void TextBuffer::Append(std::string_view part) {
    char* pen = Room(part.size());
    std::memcpy(pen, part.data(), part.size());
    MovedTo(pen + part.size());
}

const char* TextBuffer::CStr() {
    *Room(1) = '\0';
    return data;
}
