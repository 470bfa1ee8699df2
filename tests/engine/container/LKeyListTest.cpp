#include "container/LKeyListString.h"
#include "container/LKeyListUInt.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

namespace {

int gA, gB, gC, gD;
void* const A = &gA;
void* const B = &gB;
void* const C = &gC;
void* const D = &gD;

void* ValueAt(const LKeyListUInt& aList, int aPosition)
{
    void* value = nullptr;
    aList.GetValueAt(aPosition, &value);
    return value;
}

} // namespace

TEST(KeyListInsertion, PositionsAndBounds)
{
    LKeyListUInt list;
    EXPECT_EQ(0, list.AddAt(1, 1, A));
    EXPECT_EQ(0, list.AddAt(-1, 1, A));
    ASSERT_EQ(1, list.Add(1, A));
    ASSERT_EQ(1, list.Add(2, B));
    ASSERT_EQ(1, list.Add(3, C));
    EXPECT_EQ(0, list.AddAt(4, 9, D));
    ASSERT_EQ(1, list.AddAt(1, 4, D));
    ASSERT_EQ(4, list.GetCount());
    EXPECT_EQ(A, ValueAt(list, 0));
    EXPECT_EQ(D, ValueAt(list, 1));
    EXPECT_EQ(B, ValueAt(list, 2));
    EXPECT_EQ(C, ValueAt(list, 3));
    ASSERT_EQ(1, list.AddHead(0, B));
    EXPECT_EQ(B, ValueAt(list, 0));
    EXPECT_EQ(nullptr, list.GetHeadElement()->GetPrev());
    EXPECT_EQ(nullptr, list.GetTailElement()->GetNext());
    EXPECT_EQ(3u, list.GetTailElement()->GetKey());
}

TEST(KeyListDuplicates, FirstFromTheHeadWins)
{
    LKeyListUInt list;
    list.Add(5, A);
    list.Add(6, B);
    list.Add(5, C);
    void* value = nullptr;
    ASSERT_EQ(1, list.GetValue(5, &value));
    EXPECT_EQ(A, value);
    value = nullptr;
    ASSERT_EQ(1, list.RemoveKey(5, &value));
    EXPECT_EQ(A, value);
    list.Add(5, D);
    EXPECT_EQ(1, list.RemoveAllKey(5));
    EXPECT_EQ(1, list.GetCount());
    EXPECT_FALSE(list.ContainsKey(5));
}

TEST(KeyListRemoval, HeadTailAndOnly)
{
    LKeyListUInt list;
    list.Add(1, A);
    list.Add(2, B);
    list.Add(3, C);
    unsigned int key = 0;
    void* value = nullptr;
    ASSERT_EQ(1, list.RemoveHead(&key, &value));
    EXPECT_EQ(1u, key);
    EXPECT_EQ(A, value);
    EXPECT_EQ(nullptr, list.GetHeadElement()->GetPrev());
    EXPECT_EQ(2u, list.GetHeadElement()->GetKey());
    value = nullptr;
    ASSERT_EQ(1, list.RemoveTail(&key, &value));
    EXPECT_EQ(C, value);
    EXPECT_EQ(list.GetHeadElement(), list.GetTailElement());
    ASSERT_EQ(1, list.RemoveAt(0, nullptr, nullptr));
    EXPECT_EQ(nullptr, list.GetHeadElement());
    EXPECT_EQ(nullptr, list.GetTailElement());
    EXPECT_EQ(0, list.GetCount());
    ASSERT_EQ(1, list.Add(7, D));
    EXPECT_EQ(D, ValueAt(list, 0));
    // A bad position clears the given outs.
    key = 9;
    value = nullptr;
    EXPECT_EQ(0, list.RemoveAt(3, &key, &value));
    EXPECT_EQ(0u, key);
}

TEST(KeyListRemoval, OccupiedValueOutKeepsTheElement)
{
    LLogCapture log;
    LKeyListUInt list;
    list.Add(1, A);
    list.Add(2, B);
    list.Add(3, C);
    void* value = D;
    EXPECT_EQ(0, list.RemoveAt(1, nullptr, &value));
    EXPECT_TRUE(log.Contains("Invalid argument."));
    EXPECT_EQ(D, value);
    ASSERT_EQ(3, list.GetCount());
    EXPECT_EQ(B, ValueAt(list, 1));
    EXPECT_EQ(0, list.RemoveKey(3, &value));
    EXPECT_EQ(C, ValueAt(list, 2));
    EXPECT_EQ(list.GetTailElement()->GetValue(), C);

    LKeyListString strings;
    strings.Add(LString("k"), A);
    EXPECT_EQ(0, strings.RemoveKey(LString("k"), &value));
    EXPECT_EQ(1, strings.GetCount());
    EXPECT_TRUE(strings.ContainsKey(LString("k")));
}

TEST(KeyListOutParameters, ValueOutRule)
{
    LLogCapture log;
    LKeyListUInt list;
    void* value = A;
    EXPECT_EQ(0, list.GetHead(nullptr, &value));
    EXPECT_EQ(A, value);
    value = nullptr;
    EXPECT_EQ(0, list.GetHead(nullptr, &value));
    EXPECT_EQ(nullptr, value);
    list.Add(1, A);
    value = B;
    EXPECT_EQ(0, list.GetValue(1, &value));
    EXPECT_EQ(0, list.GetValue(1, nullptr));
    EXPECT_EQ(0, list.GetKeyAt(0, nullptr));
    EXPECT_EQ(4, log.Count("Invalid argument."));
    EXPECT_TRUE(log.Contains("ERROR: .\\container\\LKeyListUInt.cpp"));
    unsigned int key = 5;
    EXPECT_EQ(0, list.GetKeyAt(1, &key));
    EXPECT_EQ(0u, key);
}

TEST(KeyListArrays, ValuesAndKeysInOrder)
{
    LKeyListUInt list;
    void** values = nullptr;
    ASSERT_EQ(1, list.GetValues(&values));
    ASSERT_NE(nullptr, values);
    delete[] values;
    values = nullptr;
    list.Add(3, A);
    list.Add(1, B);
    ASSERT_EQ(1, list.GetValues(&values));
    EXPECT_EQ(A, values[0]);
    EXPECT_EQ(B, values[1]);
    unsigned int* keys = nullptr;
    ASSERT_EQ(1, list.GetKeys(&keys));
    EXPECT_EQ(3u, keys[0]);
    EXPECT_EQ(1u, keys[1]);
    delete[] values;
    delete[] keys;
    EXPECT_EQ(1, list.RemoveValue(B));
    EXPECT_FALSE(list.ContainsValue(B));
    EXPECT_EQ(0, ToStd(list.Dump()).find("[LKeyListUInt <"));
}

TEST(KeyListString, CaseAndKeys)
{
    LKeyListString list;
    list.Add(LString("foo"), A);
    list.Add(LString("bar"), B);
    EXPECT_FALSE(list.ContainsKey(LString("Foo")));
    list.SetIgnoreCase(true);
    void* value = nullptr;
    ASSERT_EQ(1, list.GetValue(LString("FOO"), &value));
    EXPECT_EQ(A, value);
    LString key("old");
    EXPECT_EQ(0, list.GetKeyAt(2, key));
    EXPECT_TRUE(key.IsEmpty());
    ASSERT_EQ(1, list.GetTail(key, nullptr));
    EXPECT_EQ("bar", ToStd(key));
    LString* keys = nullptr;
    ASSERT_EQ(1, list.GetKeys(&keys));
    EXPECT_EQ("foo", ToStd(keys[0]));
    EXPECT_EQ("bar", ToStd(keys[1]));
    delete[] keys;
    LString removedKey;
    ASSERT_EQ(1, list.RemoveValue(A, &removedKey));
    EXPECT_EQ("foo", ToStd(removedKey));
    key = "untouched";
    value = nullptr;
    EXPECT_EQ(0, list.RemoveAt(5, &key, &value));
    EXPECT_EQ("untouched", ToStd(key));
    EXPECT_EQ(0, ToStd(list.Dump()).find("[LKeyListString <"));
}
