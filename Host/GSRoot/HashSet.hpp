#pragma once

#include "HashTable.hpp"

namespace GS {

template <typename K>
class HashSet {
public:
    bool Add(const K& key) { return table.Add(key, true); }
    bool Contains(const K& key) const { return table.ContainsKey(key); }
    bool Delete(const K& key) { return table.Delete(key); }
    USize GetSize() const { return table.GetSize(); }
    bool IsEmpty() const { return table.IsEmpty(); }
    void Clear() { table.Clear(); }

private:
    HashTable<K, bool> table;
};

} // namespace GS
