#include "container/LVectorString.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

TEST(VectorString, StoresItsOwnCopies)
{
    LVectorString vector;
    LString text("alpha");
    vector.Add(text);
    text = "changed";
    EXPECT_EQ("alpha", ToStd(vector[0]));
    vector.SetAt(0, LString("beta"));
    vector.SetAt(3, LString("delta"));
    EXPECT_EQ(4, vector.GetCount());
    EXPECT_EQ("beta", ToStd(vector[0]));
    EXPECT_EQ(1, vector.RemoveAt(0));
    EXPECT_EQ("delta", ToStd(vector[2]));
    ASSERT_EQ(1, vector.SetCount(1));
    ASSERT_EQ(1, vector.SetCount(3));
    EXPECT_TRUE(vector[2].IsEmpty());
}

TEST(VectorString, GapSlotsReadAsEmpty)
{
    LLogCapture log;
    LVectorString vector(10, 10);
    ASSERT_EQ(1, vector.InsertAt(3, LString("x")));
    EXPECT_EQ(0, vector.Find(LString("")));
    LString out("keep");
    ASSERT_EQ(1, vector.GetAt(1, out));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_TRUE(vector[2].IsEmpty());
    EXPECT_TRUE(vector.GetRef(2).IsEmpty());
    EXPECT_EQ("x", ToStd(vector.GetRef(3)));
    EXPECT_TRUE(vector.GetRef(4).IsEmpty());
    EXPECT_TRUE(vector[7].IsEmpty());
    EXPECT_TRUE(log.Contains("Index out of bounds."));
    EXPECT_EQ(0, vector.GetAt(9, out));
    EXPECT_TRUE(log.Contains("aIndex out of range: 9"));
}

TEST(VectorString, IgnoreCaseFlag)
{
    LVectorString vector;
    vector.Add(LString("Apple"));
    vector.Add(LString("pear"));
    vector.Add(LString("APPLE"));
    EXPECT_EQ(-1, vector.Find(LString("apple")));
    vector.SetIgnoreCase(true);
    EXPECT_EQ(0, vector.Find(LString("apple")));
    EXPECT_EQ(1, vector.RemoveAllOf(LString("apple")));
    ASSERT_EQ(1, vector.GetCount());
    EXPECT_EQ("pear", ToStd(vector[0]));
}

TEST(VectorString, CopiesAreIndependentAndSelfAssignmentIsHarmless)
{
    LVectorString* source = new LVectorString(5, 3);
    source->Add(LString("one"));
    source->InsertAt(2, LString("three"));
    source->SetIgnoreCase(true);
    LVectorString copy(*source);
    EXPECT_EQ(5, copy.GetCapacity());
    EXPECT_TRUE(copy.GetIgnoreCase());
    source->SetAt(0, LString("changed"));
    delete source;
    ASSERT_EQ(3, copy.GetCount());
    EXPECT_EQ("one", ToStd(copy[0]));
    EXPECT_TRUE(copy[1].IsEmpty());
    EXPECT_EQ("three", ToStd(copy[2]));

    LVectorString assigned;
    assigned.Add(LString("old"));
    assigned = copy;
    LVectorString& alias = assigned;
    assigned = alias;
    ASSERT_EQ(3, assigned.GetCount());
    EXPECT_EQ("one", ToStd(assigned[0]));
    EXPECT_EQ("three", ToStd(assigned[2]));
}

TEST(VectorString, ArraysInAndOut)
{
    LLogCapture log;
    LVectorString vector(1, 10);
    const LString words[2] = {LString("a"), LString("b")};
    ASSERT_EQ(1, vector.AddArray(words, 2));
    EXPECT_EQ(2, vector.GetCapacity());
    EXPECT_EQ(0, vector.AddArray(words, -2));
    EXPECT_EQ(0, vector.AddArray(nullptr, 1));
    vector.SetCount(3);
    LString* array = nullptr;
    ASSERT_EQ(1, vector.CopyToArray(&array));
    EXPECT_EQ("a", ToStd(array[0]));
    EXPECT_EQ("b", ToStd(array[1]));
    EXPECT_TRUE(array[2].IsEmpty());
    LString* held = array;
    EXPECT_EQ(0, vector.CopyToArray(&array));
    EXPECT_EQ(held, array);
    EXPECT_TRUE(log.Contains("Invalid argument."));
    delete[] array;
}
