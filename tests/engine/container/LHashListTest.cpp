#include "container/LHashList.h"
#include "support/LLogCapture.h"
#include "support/LTestPointers.h"

#include <gtest/gtest.h>

TEST(HashList, UniqueItemsAreFoundByHashThroughAddsAndRemovals)
{
    LLogCapture log;
    LHashList list(7, false);
    ASSERT_EQ(1, list.Add(30u, A, true));
    ASSERT_EQ(1, list.Add(10u, B, true));
    ASSERT_EQ(1, list.Add(20u, C, true));
    EXPECT_EQ(0, list.Add(10u, D, true));
    EXPECT_TRUE(log.Contains("Hash matching aHash found in list. aHash: 10"));
    void* item = nullptr;
    ASSERT_EQ(1, list.Remove(30u, &item));
    EXPECT_EQ(A, item);
    ASSERT_EQ(1, list.AddAt(0, 5u, D, true));
    EXPECT_EQ(D, list.GetItemAt(0));
    EXPECT_EQ(B, list.GetItemAt(1));
    for (auto [hash, expected] : {std::pair {5u, D}, std::pair {10u, B}, std::pair {20u, C}}) {
        EXPECT_EQ(expected, list.GetItem(hash)) << hash;
    }
    EXPECT_EQ(0, list.AddAt(3, 6u, D, true));
    EXPECT_TRUE(log.Contains("AddAt failure. Index out of bounds."));
}

TEST(HashList, NonUniqueAddsAreSortedOnLookup)
{
    LHashList list(7, false);
    list.Add(3u, C, false);
    list.Add(1u, A, false);
    list.Add(2u, B, false);
    EXPECT_EQ(A, list.GetItem(1u));
    EXPECT_EQ(B, list.GetItem(2u));
    EXPECT_EQ(C, list.GetItem(3u));
    EXPECT_EQ(C, list.GetItemAt(0));
}

TEST(HashList, KeysAreHashedAndNotStored)
{
    LLogCapture log;
    LHashList list(7, false);
    EXPECT_EQ(12514u, list.Add(LString("ab"), A, true));
    EXPECT_EQ(A, list.GetItem(12514u));
    EXPECT_EQ(0, list.IndexOf(LString("ab")));
    EXPECT_EQ(nullptr, list.GetItem(LString("cd")));
    EXPECT_TRUE(log.Contains("Key not found: cd"));
    EXPECT_EQ(0u, list.Add(LString("ab"), B, true));
    EXPECT_TRUE(log.Contains("Hash matching aKey found in list. aKey: ab"));
}

TEST(HashList, RefusedRemovalsLeaveTheListAlone)
{
    LLogCapture log;
    LHashList list(7, false);
    void* item = nullptr;
    EXPECT_EQ(0, list.Remove(1u, &item));
    EXPECT_TRUE(log.Contains("List empty."));
    list.Add(1u, A, true);
    item = B;
    EXPECT_EQ(0, list.Remove(1u, &item));
    EXPECT_EQ(0, list.Remove(1u, nullptr));
    EXPECT_EQ(2, log.Count("Invalid arg."));
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(nullptr, list.GetItemAt(1));
    EXPECT_TRUE(log.Contains("Index out of bounds."));
}

TEST(HashList, FindFreeHashWalksToTheFirstFreeValueInsideItsRange)
{
    LLogCapture log;
    LHashList list(7, false);
    EXPECT_EQ(5u, list.FindFreeHash(5, true, 1, 0xFFFFFF));
    list.Add(5u, A, true);
    list.Add(6u, B, true);
    list.Add(9u, C, true);
    EXPECT_EQ(7u, list.FindFreeHash(5, true, 1, 0xFFFFFF));
    EXPECT_EQ(4u, list.FindFreeHash(6, false, 1, 0xFFFFFF));
    EXPECT_EQ(0u, list.FindFreeHash(5, true, 3, 3));
    EXPECT_TRUE(log.Contains("Invalid range."));

    LHashList full(7, false);
    for (unsigned int v = 1; v <= 5; ++v) {
        full.Add(v, A, true);
    }
    EXPECT_EQ(0u, full.FindFreeHash(3, true, 1, 5));
    EXPECT_EQ(0u, full.FindFreeHash(1, false, 1, 5));
    EXPECT_EQ(6u, full.FindFreeHash(5, true, 1, 6));
    EXPECT_EQ(10u, full.FindFreeHash(1, false, 1, 10)); // down past the bottom wraps to the top
    // At the top of the unsigned range the walk wraps without overflowing.
    full.Add(0xFFFFFFFEu, A, true);
    full.Add(0xFFFFFFFFu, A, true);
    EXPECT_EQ(0xFFFFFFF0u, full.FindFreeHash(0xFFFFFFFEu, true, 0xFFFFFFF0u, 0xFFFFFFFFu));
}
