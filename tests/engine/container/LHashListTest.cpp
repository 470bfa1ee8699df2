#include "container/LHashList.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

namespace {

int gA, gB, gC, gD;
void* const A = &gA;
void* const B = &gB;
void* const C = &gC;
void* const D = &gD;

} // namespace

TEST(HashListUnique, FiledUnderTheirHashesInInsertionOrder)
{
    LLogCapture log;
    LHashList list(7, false);
    ASSERT_EQ(1, list.Add(30u, A, true));
    ASSERT_EQ(1, list.Add(10u, B, true));
    ASSERT_EQ(1, list.Add(20u, C, true));
    EXPECT_EQ(B, list.GetItem(10u));
    EXPECT_EQ(C, list.GetItem(20u));
    EXPECT_EQ(A, list.GetItem(30u));
    EXPECT_EQ(A, list.GetItemAt(0));
    EXPECT_EQ(0, list.Add(10u, D, true));
    EXPECT_TRUE(log.Contains("Hash matching aHash found in list. aHash: 10"));
    EXPECT_EQ(3, list.GetCount());
    void* item = nullptr;
    ASSERT_EQ(1, list.Remove(30u, &item));
    EXPECT_EQ(A, item);
    EXPECT_EQ(B, list.GetItem(10u));
    EXPECT_EQ(C, list.GetItem(20u));
    EXPECT_EQ(B, list.GetItemAt(0));
    ASSERT_EQ(1, list.AddAt(0, 5u, D, true));
    EXPECT_EQ(D, list.GetItemAt(0));
    EXPECT_EQ(B, list.GetItem(10u));
    EXPECT_EQ(C, list.GetItem(20u));
    EXPECT_EQ(D, list.GetItem(5u));
    EXPECT_EQ(0, list.AddAt(3, 6u, D, true));
    EXPECT_TRUE(log.Contains("AddAt failure. Index out of bounds."));
}

TEST(HashListUnsorted, NonUniqueAddsAreSortedOnLookup)
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

TEST(HashListKeys, KeysAreHashedAndNotStored)
{
    LLogCapture log;
    LHashList list(7, false);
    EXPECT_EQ(12514u, list.Add(LString("ab"), A, true));
    EXPECT_EQ(A, list.GetItem(12514u));
    EXPECT_EQ(A, list.GetItem(LString("ab")));
    EXPECT_EQ(0, list.IndexOf(LString("ab")));
    EXPECT_EQ(nullptr, list.GetItem(LString("cd")));
    EXPECT_TRUE(log.Contains("Key not found: cd"));
    EXPECT_EQ(0u, list.Add(LString("ab"), B, true));
    EXPECT_TRUE(log.Contains("Hash matching aKey found in list. aKey: ab"));
    EXPECT_EQ(0u, list.Add(LString(""), C, true));
    EXPECT_EQ(C, list.GetItem(0u));
}

TEST(HashListRemove, RefusalsLeaveTheListAlone)
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
    item = nullptr;
    EXPECT_EQ(0, list.Remove(2u, &item));
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(nullptr, list.GetItemAt(1));
    EXPECT_TRUE(log.Contains("Index out of bounds."));
}

TEST(HashListFreeHash, WalksUpToTheFirstFreeValue)
{
    LLogCapture log;
    LHashList list(7, false);
    EXPECT_EQ(5u, list.FindFreeHash(5, true, 1, 0xFFFFFF));
    list.Add(5u, A, true);
    list.Add(6u, B, true);
    list.Add(9u, C, true);
    EXPECT_EQ(7u, list.FindFreeHash(5, true, 1, 0xFFFFFF));
    EXPECT_EQ(4u, list.FindFreeHash(6, false, 1, 0xFFFFFF));
    EXPECT_EQ(10u, list.FindFreeHash(9, true, 1, 0xFFFFFF));
    EXPECT_EQ(0u, list.FindFreeHash(5, true, 3, 3));
    EXPECT_TRUE(log.Contains("Invalid range."));
    EXPECT_EQ(3u, list.FindFreeHash(3, true, 3, 3));
}

TEST(HashListFreeHash, WrapsAndStaysInBounds)
{
    LHashList list(7, false);
    for (unsigned int v = 1; v <= 4; ++v) {
        list.Add(v, A, true);
    }
    // Past the largest hash in use, and past the top of the range.
    EXPECT_EQ(5u, list.FindFreeHash(4, true, 1, 5));
    list.Add(5u, A, true);
    EXPECT_EQ(0u, list.FindFreeHash(3, true, 1, 5));
    EXPECT_EQ(0u, list.FindFreeHash(1, false, 1, 5));
    // From the top of the range back to its bottom.
    EXPECT_EQ(6u, list.FindFreeHash(5, true, 1, 6));
    // At the top of the unsigned range the walk wraps without overflowing.
    list.Add(0xFFFFFFFEu, A, true);
    list.Add(0xFFFFFFFFu, A, true);
    EXPECT_EQ(0xFFFFFFF0u, list.FindFreeHash(0xFFFFFFFEu, true, 0xFFFFFFF0u, 0xFFFFFFFFu));
    // Walking down below the first pair wraps to the top.
    LHashList low(7, false);
    low.Add(1u, A, true);
    low.Add(2u, A, true);
    EXPECT_EQ(10u, low.FindFreeHash(1, false, 1, 10));
}
