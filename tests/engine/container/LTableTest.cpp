#include "container/LTableString.h"
#include "container/LTableUInt.h"
#include "support/LLogCapture.h"
#include "support/LTestPointers.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

TEST(Table, NumberKeysShareSlotsByModulo)
{
    LTableUInt table;
    table.Add(13, B);
    table.Add(3, A);
    table.Add(23, C);
    table.Add(0, D);
    EXPECT_EQ(0, table.Add(13, D));
    EXPECT_EQ(4, table.GetCount());
    EXPECT_EQ(3, table.GetSlotCount(3));
    void** values = nullptr;
    ASSERT_EQ(1, table.GetValues(&values));
    EXPECT_EQ(D, values[0]);
    EXPECT_EQ(B, values[1]);
    EXPECT_EQ(A, values[2]);
    EXPECT_EQ(C, values[3]);
    delete[] values;
    void* value = nullptr;
    ASSERT_EQ(1, table.Remove(13, &value));
    EXPECT_EQ(B, value);
    value = nullptr;
    ASSERT_EQ(1, table.Get(23, &value));
    EXPECT_EQ(C, value);
    EXPECT_EQ(3, table.GetCount());
}

TEST(Table, BadSlotsAndSlotCounts)
{
    LLogCapture log;
    EXPECT_EQ(-1, LTableUInt().GetSlotCount(10));
    EXPECT_EQ(0, LTableString().GetSlotCount(10));
    EXPECT_EQ(2, log.Count("Slot index out of bounds: 10"));
    EXPECT_EQ(10, LTableUInt(0).GetSlotTotal());
    EXPECT_EQ(10, LTableString(-5).GetSlotTotal());
}

TEST(Table, OutParametersAreCheckedBeforeAnythingChanges)
{
    LLogCapture log;
    LTableUInt numbers;
    numbers.Add(1, A);
    void* value = B;
    EXPECT_EQ(0, numbers.Get(1, &value));
    EXPECT_EQ(0, numbers.Remove(1, &value));
    EXPECT_EQ(0, numbers.Remove(1, nullptr));
    EXPECT_EQ(3, log.Count("Invalid argument."));
    EXPECT_TRUE(numbers.ContainsKey(1));

    LTableString strings;
    strings.Add(LString("key"), A);
    EXPECT_EQ(0, strings.Remove(LString("key"), &value));
    EXPECT_EQ(1, strings.GetCount());
    EXPECT_TRUE(strings.ContainsKey(LString("key")));
}

TEST(TableString, FirstUnitChoosesTheSlot)
{
    LTableString table;
    table.Add(LString("apple"), A);
    table.Add(LString("avocado"), B);
    table.Add(LString(""), C);
    EXPECT_EQ(2, table.GetSlotCount(7));
    EXPECT_EQ(1, table.GetSlotCount(0));
}

TEST(TableString, GetAndRemoveApplyTheTablesCaseFlag)
{
    LTableString table(8);
    table.Add(LString("Alpha"), A);
    table.SetIgnoreCase(true);
    EXPECT_EQ(0, table.Add(LString("alpha"), B));
    void* value = nullptr;
    ASSERT_EQ(1, table.Get(LString("ALPHA"), &value));
    EXPECT_EQ(A, value);
    table.SetIgnoreCase(false);
    // The slot list was left ignoring case by the last Add; Get must not use that.
    value = nullptr;
    EXPECT_EQ(0, table.Get(LString("alpha"), &value));
    EXPECT_EQ(0, table.Remove(LString("alpha"), &value));
    ASSERT_EQ(1, table.Remove(LString("Alpha"), &value));
    EXPECT_EQ(A, value);
}

TEST(TableString, KeysAreIndependentCopiesSlotBySlot)
{
    LTableString table;
    table.Add(LString("c"), C);
    table.Add(LString("a"), A);
    table.Add(LString("b"), B);
    LString* keys = nullptr;
    ASSERT_EQ(1, table.GetKeys(&keys));
    table.RemoveAll();
    EXPECT_EQ("a", ToStd(keys[0]));
    EXPECT_EQ("b", ToStd(keys[1]));
    EXPECT_EQ("c", ToStd(keys[2]));
    delete[] keys;
    EXPECT_FALSE(table.ContainsKey(LString("b")));
}
