#include "container/LHashKeyList.h"
#include "support/LLogCapture.h"
#include "support/LTestPointers.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

namespace {

// A one-unit key hashes to its unit, so this collides with "ab" at shift 7.
const LString kCollidesWithAb(u"\u30E2");

} // namespace

TEST(HashKeyListHash, RotateAndAdd)
{
    EXPECT_EQ(12514u, LHashKeyList::Hash(LString("ab"), 7, false));
    EXPECT_EQ(0u, LHashKeyList::Hash(LString(""), 7, false));
    EXPECT_EQ(LHashKeyList::Hash(LString("ab"), 7, false), LHashKeyList::Hash(LString("AB"), 7, true));
    EXPECT_NE(LHashKeyList::Hash(LString("ab"), 7, false), LHashKeyList::Hash(LString("AB"), 7, false));
    EXPECT_EQ(LHashKeyList::Hash(LString("xyz"), 7, false), LHashKeyList::Hash(LString("xyz"), 39, false));
    EXPECT_EQ(12514u, LHashKeyList::Hash(kCollidesWithAb, 7, false));
}

TEST(HashKeyListLookup, EqualHashesKeepTheirOwnValues)
{
    LHashKeyList list(7, false);
    ASSERT_EQ(12514u, list.AddAt(LString("ab"), A, true));
    ASSERT_EQ(12514u, list.AddAt(kCollidesWithAb, B, true));
    EXPECT_GE(list.GetCollisionCount(), 1);
    EXPECT_EQ(A, list.Get(LString("ab")));
    EXPECT_EQ(B, list.Get(kCollidesWithAb));
    EXPECT_EQ(0, list.IndexOf(LString("ab")));
    EXPECT_EQ(1, list.IndexOf(kCollidesWithAb));
}

TEST(HashKeyListLookup, AnAbsentKeyWithAPresentHashIsNotFound)
{
    LHashKeyList list(7, false);
    list.AddAt(LString("ab"), A, true);
    list.AddAt(LString("zz"), C, true);
    EXPECT_EQ(0, list.GetCollisionCount());
    EXPECT_EQ(nullptr, list.Get(kCollidesWithAb));
    EXPECT_EQ(-1, list.IndexOf(kCollidesWithAb));
    void* value = nullptr;
    EXPECT_EQ(0, list.RemoveAt(kCollidesWithAb, &value));
    EXPECT_EQ(2, list.GetCount());
    // By hash alone, no key comparison.
    EXPECT_EQ(A, list.Get(12514u));
}

TEST(HashKeyListLookup, UnsortedAddsAreFoundAfterwards)
{
    LHashKeyList list(7, false);
    const char* keys[] = {"zeta", "alpha", "mid", "beta", "omega", "kappa"};
    int values[6];
    for (int i = 0; i < 6; ++i) {
        list.AddAt(LString(keys[i]), &values[i], false);
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(&values[i], list.Get(LString(keys[i]))) << keys[i];
        EXPECT_EQ(i, list.IndexOf(LString(keys[i])));
    }
    // A sorted add after unsorted ones still refuses a duplicate.
    LLogCapture log;
    EXPECT_EQ(0u, list.AddAt(LString("mid"), A, true));
    EXPECT_TRUE(log.Contains("AddAt failure. Duplicate key:mid"));
    EXPECT_EQ(6, list.GetCount());
}

TEST(HashKeyListAdd, DuplicatesAndTheEmptyKey)
{
    LLogCapture log;
    LHashKeyList list(7, false);
    EXPECT_EQ(0u, list.AddAt(LString(""), A, true));
    EXPECT_EQ(1, list.GetCount());
    EXPECT_EQ(A, list.Get(LString("")));
    const unsigned int hash = list.AddAt(LString("key"), B, true);
    EXPECT_NE(0u, hash);
    const int collisions = list.GetCollisionCount();
    EXPECT_EQ(0u, list.AddAt(LString("key"), C, true));
    EXPECT_TRUE(log.Contains("ERROR: .\\container\\LHashKeyList.cpp"));
    EXPECT_TRUE(log.Contains("AddAt failure. Duplicate key:key"));
    EXPECT_EQ(collisions + 1, list.GetCollisionCount());
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ(B, list.Get(LString("key")));
    // Unsorted adds are not checked.
    EXPECT_EQ(hash, list.AddAt(LString("key"), C, false));
    EXPECT_EQ(3, list.GetCount());
}

TEST(HashKeyListAdd, IgnoreCaseRefusesCaseVariants)
{
    LHashKeyList list(7, true);
    list.AddAt(LString("Name"), A, true);
    EXPECT_EQ(0u, list.AddAt(LString("NAME"), B, true));
    EXPECT_EQ(A, list.Get(LString("nAmE")));
    LHashKeyList later(7, false);
    later.AddAt(LString("lower"), A, true);
    later.SetIgnoreCase(true);
    EXPECT_EQ(A, later.Get(LString("LOWER")));
}

TEST(HashKeyListPositions, InsertAtAPositionKeepsEveryKeysValue)
{
    LLogCapture log;
    LHashKeyList list(7, false);
    EXPECT_EQ(0u, list.AddAt(0, LString("x"), A, true));
    EXPECT_TRUE(log.Contains("AddAt failure. Index out of bounds."));
    list.AddAt(LString("one"), A, true);
    list.AddAt(LString("two"), B, true);
    list.AddAt(LString("three"), C, true);
    EXPECT_EQ(0u, list.AddAt(3, LString("x"), D, true));
    EXPECT_NE(0u, list.AddAt(0, LString("zero"), D, true));
    EXPECT_EQ(D, list.GetAt(0));
    EXPECT_EQ(A, list.Get(LString("one")));
    EXPECT_EQ(B, list.Get(LString("two")));
    EXPECT_EQ(C, list.Get(LString("three")));
    EXPECT_EQ(D, list.Get(LString("zero")));
    // A refused insertion leaves the positions alone.
    EXPECT_EQ(0u, list.AddAt(1, LString("two"), D, true));
    EXPECT_EQ(2, list.IndexOf(LString("two")));
    EXPECT_NE(0u, list.AddAt(2, LString("unsorted"), A, false));
    EXPECT_EQ(3, list.IndexOf(LString("two")));
    EXPECT_EQ(2, list.IndexOf(LString("unsorted")));
    LString key;
    ASSERT_EQ(1, list.GetKeyAt(2, key));
    EXPECT_EQ("unsorted", ToStd(key));
}

TEST(HashKeyListRemove, LaterPositionsMoveDown)
{
    LHashKeyList list(7, false);
    EXPECT_EQ(0, list.RemoveAt(LString("x"), nullptr));
    EXPECT_EQ(nullptr, list.Get(LString("x")));
    EXPECT_EQ(-1, list.IndexOf(LString("x")));
    list.AddAt(LString("a"), A, true);
    list.AddAt(LString("b"), B, true);
    list.AddAt(LString("c"), C, true);
    void* value = nullptr;
    ASSERT_EQ(1, list.RemoveAt(LString("b"), &value));
    EXPECT_EQ(B, value);
    EXPECT_EQ(C, list.GetAt(1));
    EXPECT_EQ(C, list.Get(LString("c")));
    EXPECT_EQ(1, list.IndexOf(LString("c")));
    LLogCapture log;
    value = D;
    EXPECT_EQ(0, list.RemoveAt(LString("c"), &value));
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ(nullptr, list.GetAt(2));
    EXPECT_TRUE(log.Contains("Index out of bounds."));
}

TEST(HashKeyListArrays, InvalidArgAndCallerOwnedArrays)
{
    LLogCapture log;
    LHashKeyList list(7, false);
    list.AddAt(LString("k1"), A, true);
    list.AddAt(LString("k2"), B, true);
    LString* keys = nullptr;
    ASSERT_EQ(1, list.GetKeyArray(&keys));
    EXPECT_EQ("k1", ToStd(keys[0]));
    EXPECT_EQ("k2", ToStd(keys[1]));
    EXPECT_EQ(0, list.GetKeyArray(&keys));
    EXPECT_TRUE(log.Contains("Invalid arg."));
    delete[] keys;
    void** values = nullptr;
    ASSERT_EQ(1, list.GetValueArray(&values));
    EXPECT_EQ(B, values[1]);
    delete[] values;
}
