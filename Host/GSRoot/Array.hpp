#pragma once

#include "Definitions.hpp"
#include "GSException.hpp"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace GS {

// An ordered list with value semantics; copies are deep.
template <typename T>
class Array {
public:
    Array() = default;
    Array(std::initializer_list<T> items) : items(items) {}

    void Push(const T& item) { items.push_back(item); }
    void Push(T&& item) { items.push_back(std::move(item)); }
    void Insert(USize index, const T& item) {
        CheckIndex(index, GetSize() + 1);
        items.insert(items.begin() + index, item);
    }
    void Delete(USize index) {
        CheckIndex(index, GetSize());
        items.erase(items.begin() + index);
    }
    void Pop() {
        CheckIndex(0, GetSize());
        items.pop_back();
    }
    void Clear() { items.clear(); }
    void SetSize(USize size) { items.resize(size); }
    // Room for that many items without reallocating; never shrinks.
    void SetCapacity(USize capacity) { items.reserve(capacity); }

    USize GetSize() const { return static_cast<USize>(items.size()); }
    bool IsEmpty() const { return items.empty(); }
    bool Contains(const T& item) const { return std::find(items.begin(), items.end(), item) != items.end(); }
    USize FindFirst(const T& item) const {
        auto it = std::find(items.begin(), items.end(), item);
        return it == items.end() ? MaxUSize : static_cast<USize>(it - items.begin());
    }

    T& operator[](USize index) {
        CheckIndex(index, GetSize());
        return items[index];
    }
    const T& operator[](USize index) const {
        CheckIndex(index, GetSize());
        return items[index];
    }
    T& GetFirst() { return (*this)[0]; }
    const T& GetFirst() const { return (*this)[0]; }
    T& GetLast() { return (*this)[GetSize() - 1]; }
    const T& GetLast() const { return (*this)[GetSize() - 1]; }

    bool operator==(const Array& other) const { return items == other.items; }
    bool operator!=(const Array& other) const { return items != other.items; }

    auto begin() { return items.begin(); }
    auto end() { return items.end(); }
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }

    static constexpr USize MaxUSize = 0xFFFFFFFF;

private:
    static void CheckIndex(USize index, USize limit) {
        if (index >= limit) {
            throw IndexOutOfBoundsException();
        }
    }

    std::vector<T> items;
};

} // namespace GS
