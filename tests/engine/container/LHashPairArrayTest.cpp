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
    EXPECT_EQ(1, pairs.Search(20, nullptr));
    int insertAt = -1;
    EXPECT_EQ(-1, pairs.Search(25, &insertAt));
    EXPECT_EQ(2, insertAt);
    EXPECT_EQ(1, pairs.RemoveAt(1));
    EXPECT_EQ(0, pairs.RemoveAt(2));
    ASSERT_EQ(2, pairs.GetCount());
    EXPECT_EQ(30u, pairs.At(1).mHash);
}

TEST(HashPairArray, ManyInsertsThenSortByHash)
{
    LHashPairArray pairs;
    for (int i = 0; i < 5000; ++i) {
        ASSERT_EQ(1, pairs.InsertAt(i / 2, LHashPair(static_cast<unsigned>(i % 7), i)));
    }
    ASSERT_EQ(5000, pairs.GetCount());
    pairs.SortByHash();
    for (int i = 1; i < 5000; ++i) {
        ASSERT_LE(pairs.At(i - 1).mHash, pairs.At(i).mHash) << i;
    }
}
