#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A growing 8-bit text in one block for texts of tens of megabytes: it grows with realloc, which moves
// large blocks by remapping their pages rather than copying and touching them again.
class TextBuffer {
public:
    TextBuffer() = default;
    ~TextBuffer();
    TextBuffer(TextBuffer&& other) noexcept;
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;

    // Where to write at least size more bytes; throws std::bad_alloc when there is no memory for them.
    char* Room(size_t size);
    // The end of what was written into the room.
    void MovedTo(char* pen) { used = static_cast<size_t>(pen - data); }
    void Append(std::string_view part);

    size_t Size() const { return used; }
    std::string_view View() const { return {data, used}; }
    // The text, terminated by a zero byte.
    const char* CStr();

private:
    char* data = nullptr;
    size_t used = 0;
    size_t capacity = 0;
};
