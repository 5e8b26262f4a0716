#include "GSRoot.hpp"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

struct SegmentKey {
    int a;
    int b;
    bool operator==(const SegmentKey& other) const { return a == other.a && b == other.b; }
    // Every key in one bucket: order and lookups must not depend on the hash.
    UInt32 GenerateHashValue() const { return 7; }
};

template <typename Table>
std::vector<std::string> Keys(const Table& table) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : table) {
        keys.push_back(key.ToCStr().Get());
    }
    return keys;
}

TEST(HashTable, EnumeratesInInsertionOrderAndFirstAddWins) {
    GS::HashTable<GS::UniString, int> table;
    EXPECT_TRUE(table.Add("zeta", 1));
    EXPECT_TRUE(table.Add("alpha", 2));
    EXPECT_FALSE(table.Add("zeta", 3));
    table.Put("beta", 4);
    table.Put("alpha", 5);
    EXPECT_EQ(Keys(table), (std::vector<std::string>{"zeta", "alpha", "beta"}));
    EXPECT_EQ(table.Get("zeta"), 1);
    EXPECT_EQ(table.Get("alpha"), 5);
    EXPECT_TRUE(table.Delete("zeta"));
    EXPECT_EQ(Keys(table), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(table.Get("beta"), 4);
    EXPECT_EQ(table.GetPtr("zeta"), nullptr);
}

TEST(HashTable, TakesUserHashesAndNumericKeys) {
    GS::HashTable<SegmentKey, int> segments;
    for (int i = 0; i < 20; ++i) {
        segments.Add({i, -i}, i);
    }
    EXPECT_FALSE(segments.Add({3, -3}, 99));
    EXPECT_EQ(segments.Get({3, -3}), 3);
    EXPECT_EQ(segments.GetSize(), 20u);

    GS::HashTable<double, short> elevations;
    elevations.Add(3.0, 1);
    elevations.Add(0.0, 0);
    EXPECT_EQ(elevations.begin()->first, 3.0);
    GS::HashTable<double, short> copy = elevations;
    elevations.Clear();
    EXPECT_EQ(copy.GetSize(), 2u);
    EXPECT_TRUE(copy.ContainsKey(0.0));
}

TEST(Array, CopiesDeeplyAndChecksIndices) {
    GS::Array<GS::Array<Int32>> nested;
    nested.Push({1, 2});
    GS::Array<GS::Array<Int32>> copy = nested;
    nested[0].Push(3);
    EXPECT_EQ(copy[0].GetSize(), 2u);
    EXPECT_TRUE(copy[0].Contains(2));
    EXPECT_THROW(copy[1], GS::IndexOutOfBoundsException);
}

struct Base {
    virtual ~Base() = default;
};
struct Derived : Base {
    int value = 42;
};
struct Other : Base {};

TEST(Ref, CountsSharedOwnersAndCastsDynamically) {
    GS::Ref<Base> base(new Derived);
    EXPECT_EQ(base.GetRefCount(), 1);
    {
        GS::Ref<Derived> derived = GS::DynamicCast<Derived>(base);
        ASSERT_TRUE(derived != nullptr);
        EXPECT_EQ(derived->value, 42);
        EXPECT_EQ(base.GetRefCount(), 2);
        EXPECT_TRUE(GS::DynamicCast<Other>(base) == nullptr);
    }
    EXPECT_EQ(base.GetRefCount(), 1);
    base = nullptr;
    EXPECT_FALSE(base);
}

TEST(Lock, IsReentrantOnTheSameThreadAndExcludesOthers) {
    GS::Lock lock;
    GS::Guard<GS::Lock> outer(lock);
    GS::Guard<GS::Lock> inner(lock);
    bool otherThreadGotIt = true;
    std::thread other([&] {
        otherThreadGotIt = lock.TryAcquire();
        if (otherThreadGotIt) {
            lock.Release();
        }
    });
    other.join();
    EXPECT_FALSE(otherThreadGotIt);
}

} // namespace
