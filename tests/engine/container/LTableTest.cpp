#include "container/LTableString.h"
#include "container/LTableUInt.h"
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

TEST(TableSlots, NumberKeysShareSlotsByModulo)
{
    LTableUInt table;
    table.Add(13, B);
    table.Add(3, A);
    table.Add(23, C);
    table.Add(0, D);
    EXPECT_EQ(3, table.GetSlotCount(3));
    EXPECT_EQ(4, table.GetCount());
    void** values = nullptr;
    ASSERT_EQ(1, table.GetValues(&values));
    EXPECT_EQ(D, values[0]);
    EXPECT_EQ(B, values[1]);
    EXPECT_EQ(A, values[2]);
    EXPECT_EQ(C, values[3]);
    delete[] values;
    unsigned int* keys = nullptr;
    ASSERT_EQ(1, table.GetSlotKeys(3, &keys));
    EXPECT_EQ(13u, keys[0]);
    EXPECT_EQ(23u, keys[2]);
    delete[] keys;
}

TEST(TableSlots, BadSlotsAndSlotCounts)
{
    LLogCapture log;
    LTableUInt numbers;
    EXPECT_EQ(-1, numbers.GetSlotCount(10));
    EXPECT_TRUE(log.Contains("Slot index out of bounds: 10"));
    LTableString strings;
    EXPECT_EQ(0, strings.GetSlotCount(10));
    EXPECT_EQ(2, log.Count("Slot index out of bounds: 10"));
    EXPECT_EQ(10, LTableUInt(0).GetSlotTotal());
    EXPECT_EQ(10, LTableString(-5).GetSlotTotal());
    EXPECT_EQ(8, LTableUInt(8).GetSlotTotal());
}

TEST(TableKeys, UniqueKeysGetAndRemove)
{
    LTableUInt table;
    table.Add(3, A);
    table.Add(13, B);
    table.Add(23, C);
    EXPECT_EQ(0, table.Add(13, D));
    EXPECT_EQ(3, table.GetCount());
    void* value = nullptr;
    ASSERT_EQ(1, table.Remove(3, &value));
    EXPECT_EQ(A, value);
    EXPECT_EQ(2, table.GetCount());
    value = nullptr;
    ASSERT_EQ(1, table.Get(13, &value));
    EXPECT_EQ(B, value);
    value = nullptr;
    ASSERT_EQ(1, table.Get(23, &value));
    EXPECT_EQ(C, value);
    value = nullptr;
    EXPECT_EQ(0, table.Get(3, &value));
    EXPECT_EQ(0, table.Remove(3, &value));
}

TEST(TableOutParameters, CheckedBeforeAnythingChanges)
{
    LLogCapture log;
    LTableUInt numbers;
    numbers.Add(1, A);
    void* value = B;
    EXPECT_EQ(0, numbers.Get(1, &value));
    EXPECT_EQ(0, numbers.Remove(1, &value));
    EXPECT_EQ(0, numbers.Remove(1, nullptr));
    EXPECT_EQ(3, log.Count("Invalid argument."));
    EXPECT_EQ(1, numbers.GetCount());
    EXPECT_TRUE(numbers.ContainsKey(1));

    LTableString strings;
    strings.Add(LString("key"), A);
    EXPECT_EQ(0, strings.Remove(LString("key"), &value));
    EXPECT_EQ(1, strings.GetCount());
    EXPECT_TRUE(strings.ContainsKey(LString("key")));
}

TEST(TableStrings, FirstUnitChoosesTheSlot)
{
    LTableString table;
    table.Add(LString("apple"), A);
    table.Add(LString("avocado"), B);
    table.Add(LString(""), C);
    EXPECT_EQ(2, table.GetSlotCount(7));
    EXPECT_EQ(1, table.GetSlotCount(0));
    void* value = nullptr;
    ASSERT_EQ(1, table.Get(LString(""), &value));
    EXPECT_EQ(C, value);
}

TEST(TableStrings, GetAndRemoveApplyTheTablesCaseFlag)
{
    LTableString table(8);
    table.Add(LString("Alpha"), A);
    table.SetIgnoreCase(true);
    // Add compares with the table's flag: a case variant is a duplicate.
    EXPECT_EQ(0, table.Add(LString("alpha"), B));
    void* value = nullptr;
    ASSERT_EQ(1, table.Get(LString("ALPHA"), &value));
    EXPECT_EQ(A, value);
    table.SetIgnoreCase(false);
    // The slot list was left ignoring case by the last Add; Get must not use that.
    value = nullptr;
    EXPECT_EQ(0, table.Get(LString("alpha"), &value));
    EXPECT_EQ(0, table.Remove(LString("alpha"), &value));
    EXPECT_EQ(1, table.GetCount());
    ASSERT_EQ(1, table.Remove(LString("Alpha"), &value));
    EXPECT_EQ(A, value);
}

TEST(TableStrings, KeysAreIndependentCopies)
{
    LTableString table;
    table.Add(LString("c"), C);
    table.Add(LString("a"), A);
    table.Add(LString("b"), B);
    LString* keys = nullptr;
    ASSERT_EQ(1, table.GetKeys(&keys));
    void* value = nullptr;
    table.Remove(LString("a"), &value);
    // Slots 7, 8, 9 for a, b, c.
    EXPECT_EQ("a", ToStd(keys[0]));
    EXPECT_EQ("b", ToStd(keys[1]));
    EXPECT_EQ("c", ToStd(keys[2]));
    delete[] keys;
    table.RemoveAll();
    EXPECT_EQ(0, table.GetCount());
    EXPECT_FALSE(table.ContainsKey(LString("b")));
    EXPECT_EQ(0, ToStd(table.Dump()).find("[LTableString <"));
}
