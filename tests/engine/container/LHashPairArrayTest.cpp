#include "container/LHashPairArray.h"

#include <gtest/gtest.h>

TEST(HashPairArray, InsertRemoveAndBounds)
{
    LHashPairArray pairs(2, 1);
    EXPECT_EQ(1, pairs.InsertAt(0, LHashPair(30, 0)));
    EXPECT_EQ(1, pairs.InsertAt(0, LHashPair(10, 1)));
    EXPECT_EQ(1, pairs.InsertAt(1, LHashPair(20, 2))); // grows past the first capacity
    EXPECT_EQ(0, pairs.InsertAt(4, LHashPair(99, 3)));
    EXPECT_EQ(0, pairs.InsertAt(-1, LHashPair(99, 3)));
    ASSERT_EQ(3, pairs.GetCount());
    EXPECT_EQ(10u, pairs.At(0).mHash);
    EXPECT_EQ(20u, pairs.At(1).mHash);
    EXPECT_EQ(30u, pairs.At(2).mHash);
    EXPECT_EQ(1, pairs.RemoveAt(1));
    EXPECT_EQ(0, pairs.RemoveAt(2));
    ASSERT_EQ(2, pairs.GetCount());
    EXPECT_EQ(30u, pairs.At(1).mHash);
}

TEST(HashPairArray, SortKeepsTheOrderOfEqualHashes)
{
    LHashPairArray pairs;
    const unsigned hashes[] = {5, 3, 5, 1, 3, 5};
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(1, pairs.InsertAt(pairs.GetCount(), LHashPair(hashes[i], i)));
    }
    pairs.SortByHash();
    const int expected[] = {3, 1, 4, 0, 2, 5};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(expected[i], pairs.At(i).mIndex) << i;
    }
}

TEST(HashPairArray, ManyInsertsStayInOrder)
{
    LHashPairArray pairs;
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(1, pairs.InsertAt(i / 2, LHashPair(static_cast<unsigned>(i), i)));
    }
    EXPECT_EQ(5000, pairs.GetCount());
    pairs.SortByHash();
    for (int i = 1; i < 5000; ++i) {
        ASSERT_LT(pairs.At(i - 1).mHash, pairs.At(i).mHash);
    }
}
