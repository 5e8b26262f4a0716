#pragma once

#include "Definitions.hpp"
#include "GSException.hpp"

#include <functional>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

namespace GS {

// Hash of a key: its member GenerateHashValue(), a free GenerateHashValue(key), or std::hash.
template <typename K>
UInt32 HashOf(const K& key) {
    if constexpr (requires { key.GenerateHashValue(); }) {
        return static_cast<UInt32>(key.GenerateHashValue());
    } else if constexpr (requires { GenerateHashValue(key); }) {
        return static_cast<UInt32>(GenerateHashValue(key));
    } else {
        return static_cast<UInt32>(std::hash<K>{}(key));
    }
}

// A key-value table that always enumerates in insertion order, whatever its buckets.
template <typename K, typename V>
class HashTable {
public:
    // Adds the pair unless the key is present; returns false and keeps the old value then.
    bool Add(const K& key, const V& value) {
        if (ContainsKey(key)) {
            return false;
        }
        index.emplace(key, pairs.size());
        pairs.emplace_back(key, value);
        return true;
    }
    // Adds or overwrites.
    void Put(const K& key, const V& value) {
        if (V* existing = GetPtr(key)) {
            *existing = value;
        } else {
            Add(key, value);
        }
    }
    bool Delete(const K& key) {
        auto found = index.find(key);
        if (found == index.end()) {
            return false;
        }
        pairs.erase(pairs.begin() + static_cast<std::ptrdiff_t>(found->second));
        Reindex();
        return true;
    }

    bool ContainsKey(const K& key) const { return index.find(key) != index.end(); }
    V* GetPtr(const K& key) {
        auto found = index.find(key);
        return found == index.end() ? nullptr : &pairs[found->second].second;
    }
    const V* GetPtr(const K& key) const {
        auto found = index.find(key);
        return found == index.end() ? nullptr : &pairs[found->second].second;
    }
    const V& Get(const K& key) const {
        if (const V* value = GetPtr(key)) {
            return *value;
        }
        throw IllegalArgumentException("Key not found.");
    }
    V& Get(const K& key) {
        if (V* value = GetPtr(key)) {
            return *value;
        }
        throw IllegalArgumentException("Key not found.");
    }
    bool Get(const K& key, V* value) const {
        const V* found = GetPtr(key);
        if (found != nullptr) {
            *value = *found;
        }
        return found != nullptr;
    }

    USize GetSize() const { return static_cast<USize>(pairs.size()); }
    bool IsEmpty() const { return pairs.empty(); }
    void Clear() {
        pairs.clear();
        index.clear();
    }

    auto begin() { return pairs.begin(); }
    auto end() { return pairs.end(); }
    auto begin() const { return pairs.begin(); }
    auto end() const { return pairs.end(); }

private:
    struct Hasher {
        size_t operator()(const K& key) const { return HashOf(key); }
    };

    void Reindex() {
        index.clear();
        for (size_t i = 0; i < pairs.size(); ++i) {
            index.emplace(pairs[i].first, i);
        }
    }

    std::vector<std::pair<K, V>> pairs;
    std::unordered_map<K, size_t, Hasher> index;
};

} // namespace GS
