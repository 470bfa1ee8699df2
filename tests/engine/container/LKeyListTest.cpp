#include "container/LKeyListString.h"
#include "container/LKeyListUInt.h"
#include "support/LLogCapture.h"
#include "support/LTestPointers.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<void*> Values(const LKeyListUInt& aList)
{
    std::vector<void*> values;
    for (int i = 0; i < aList.GetCount(); ++i) {
        void* value = nullptr;
        aList.GetValueAt(i, &value);
        values.push_back(value);
    }
    return values;
}

} // namespace

TEST(KeyList, InsertionPositionsAndBounds)
{
    LKeyListUInt list;
    EXPECT_EQ(0, list.AddAt(1, 1, A));
    EXPECT_EQ(0, list.AddAt(-1, 1, A));
    list.Add(1, A);
    list.Add(2, B);
    list.Add(3, C);
    EXPECT_EQ(0, list.AddAt(4, 9, D));
    ASSERT_EQ(1, list.AddAt(1, 4, D));
    ASSERT_EQ(1, list.AddHead(0, B));
    EXPECT_EQ((std::vector<void*> {B, A, D, B, C}), Values(list));
    EXPECT_EQ(nullptr, list.GetHeadElement()->GetPrev());
    EXPECT_EQ(3u, list.GetTailElement()->GetKey());
}

TEST(KeyList, DuplicateKeysFirstFromTheHeadWins)
{
    LKeyListUInt list;
    list.Add(5, A);
    list.Add(6, B);
    list.Add(5, C);
    void* value = nullptr;
    ASSERT_EQ(1, list.RemoveKey(5, &value));
    EXPECT_EQ(A, value);
    list.Add(5, D);
    EXPECT_EQ(1, list.RemoveAllKey(5));
    EXPECT_EQ((std::vector<void*> {B}), Values(list));
}

TEST(KeyList, RemovingHeadTailAndTheOnlyElement)
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
    value = nullptr;
    ASSERT_EQ(1, list.RemoveTail(&key, &value));
    EXPECT_EQ(C, value);
    EXPECT_EQ(list.GetHeadElement(), list.GetTailElement());
    ASSERT_EQ(1, list.RemoveAt(0, nullptr, nullptr));
    EXPECT_EQ(nullptr, list.GetHeadElement());
    EXPECT_EQ(nullptr, list.GetTailElement());
    ASSERT_EQ(1, list.Add(7, D));
    EXPECT_EQ((std::vector<void*> {D}), Values(list));
    // A bad position clears the given outs of the number list.
    key = 9;
    EXPECT_EQ(0, list.RemoveAt(3, &key, &value));
    EXPECT_EQ(0u, key);
}

TEST(KeyList, AnOccupiedValueOutIsRefusedBeforeTheElementIsUnlinked)
{
    LLogCapture log;
    LKeyListUInt list;
    list.Add(1, A);
    list.Add(2, B);
    list.Add(3, C);
    void* value = D;
    EXPECT_EQ(0, list.RemoveAt(1, nullptr, &value));
    EXPECT_EQ(0, list.RemoveKey(3, &value));
    EXPECT_EQ(2, log.Count("Invalid argument."));
    EXPECT_EQ(D, value);
    EXPECT_EQ((std::vector<void*> {A, B, C}), Values(list));
    EXPECT_EQ(C, list.GetTailElement()->GetValue());

    LKeyListString strings;
    strings.Add(LString("k"), A);
    EXPECT_EQ(0, strings.RemoveKey(LString("k"), &value));
    EXPECT_TRUE(strings.ContainsKey(LString("k")));
}

TEST(KeyList, ValueOutRule)
{
    LLogCapture log;
    LKeyListUInt list;
    void* value = A;
    EXPECT_EQ(0, list.GetHead(nullptr, &value));
    EXPECT_EQ(A, value);
    value = nullptr;
    EXPECT_EQ(0, list.GetHead(nullptr, &value)); // empty list
    list.Add(1, A);
    value = B;
    EXPECT_EQ(0, list.GetValue(1, &value));
    EXPECT_EQ(0, list.GetValue(1, nullptr));
    EXPECT_EQ(0, list.GetKeyAt(0, nullptr));
    void** values = &value;
    EXPECT_EQ(0, list.GetValues(&values));
    EXPECT_EQ(5, log.Count("Invalid argument."));
    EXPECT_TRUE(log.Contains("ERROR: .\\container\\LKeyListUInt.cpp"));
    unsigned int key = 5;
    EXPECT_EQ(0, list.GetKeyAt(1, &key));
    EXPECT_EQ(0u, key);
}

TEST(KeyList, ArraysOfValuesAndKeysInListOrder)
{
    LKeyListUInt list;
    list.Add(3, A);
    list.Add(1, B);
    void** values = nullptr;
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
}

TEST(KeyListString, CaseKeysAndUntouchedOuts)
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
    ASSERT_EQ(1, list.RemoveValue(A, &key));
    EXPECT_EQ("foo", ToStd(key));
    value = nullptr;
    EXPECT_EQ(0, list.RemoveAt(5, &key, &value));
    EXPECT_EQ("foo", ToStd(key));
}
