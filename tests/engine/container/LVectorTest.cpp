#include "container/LVector.h"
#include "container/LVectorString.h"
#include "support/LLogCapture.h"
#include "support/LTestPointers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<void*> Items(const LVector& aVector)
{
    std::vector<void*> items;
    for (int i = 0; i < aVector.GetCount(); ++i) {
        items.push_back(aVector.GetAt(i));
    }
    return items;
}

} // namespace

TEST(VectorConstruction, DefaultsAndRefusedArguments)
{
    LLogCapture log;
    LVector vector;
    EXPECT_EQ(1000, vector.GetCapacity());
    EXPECT_EQ(100, vector.GetIncrement());
    // Every slot of the capacity reads as null once it is counted.
    ASSERT_EQ(1, vector.SetCount(1000));
    EXPECT_EQ(std::vector<void*>(1000, nullptr), Items(vector));

    LVector odd(-5, 0);
    EXPECT_EQ(10, odd.GetCapacity());
    EXPECT_EQ(10, odd.GetIncrement());
    const auto lines = log.Lines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("ERROR: .\\container\\LVector.cpp"));
    EXPECT_NE(std::string::npos, lines[0].find("Capacity out of range, using 10."));
    EXPECT_NE(std::string::npos, lines[1].find("Increment out of range, using 10."));

    LVector empty(0, 5);
    EXPECT_EQ(1, empty.Add(A));
    EXPECT_EQ(5, empty.GetCapacity());
}

TEST(VectorGrowth, EachOperationGrowsByItsOwnRule)
{
    LVector added;
    LVector appended;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(1, added.Add(A));
        ASSERT_EQ(1, appended.Append(A));
    }
    ASSERT_EQ(1, added.Add(B));
    EXPECT_EQ(1100, added.GetCapacity());
    ASSERT_EQ(1, appended.Append(B));
    EXPECT_EQ(1001, appended.GetCapacity());
    EXPECT_EQ(B, appended.GetAt(1000));

    LVector counted;
    ASSERT_EQ(1, counted.SetCount(1200));
    EXPECT_EQ(1300, counted.GetCapacity());

    LVector set(2, 10);
    void* old = A;
    ASSERT_EQ(1, set.SetAt(4, X, &old));
    EXPECT_EQ(nullptr, old);
    EXPECT_EQ(5, set.GetCapacity());
    EXPECT_EQ(5, set.GetCount());

    LVector full(3, 7);
    full.Add(A);
    full.Add(B);
    full.Add(C);
    ASSERT_EQ(1, full.InsertAt(0, X));
    EXPECT_EQ(10, full.GetCapacity());
    EXPECT_EQ((std::vector<void*> {X, A, B, C}), Items(full));
}

TEST(VectorInsertion, PastTheEndLeavesCountedGaps)
{
    LVector vector(10, 10);
    ASSERT_EQ(1, vector.InsertAt(5, X));
    EXPECT_EQ((std::vector<void*> {nullptr, nullptr, nullptr, nullptr, nullptr, X}), Items(vector));
    ASSERT_EQ(1, vector.InsertAt(15, X));
    EXPECT_EQ(16, vector.GetCapacity());
    EXPECT_EQ(16, vector.GetCount());
    EXPECT_EQ(nullptr, vector.GetAt(10));
}

TEST(VectorInsertion, NegativeAndOverflowingArgumentsAreRefused)
{
    LLogCapture log;
    LVector vector(4, 4);
    vector.Add(A);
    EXPECT_EQ(0, vector.InsertAt(-1, X));
    EXPECT_TRUE(log.Contains("WARNING: .\\container\\LVector.cpp"));
    EXPECT_TRUE(log.Contains("aIndex < 0: -1"));
    EXPECT_EQ(0, vector.SetAt(-3, X, nullptr));
    EXPECT_TRUE(log.Contains("aIndex < 0: -3"));
    EXPECT_EQ(0, vector.SetCount(-2));
    EXPECT_TRUE(log.Contains("aCount < 0: -2"));
    EXPECT_EQ(0, vector.Grow(-1));
    EXPECT_TRUE(log.Contains("aAmt < 0: -1"));
    EXPECT_EQ(0, vector.SetIncrement(0));
    EXPECT_TRUE(log.Contains("Increment out of range: 0"));
    EXPECT_EQ(0, vector.Grow(2147483647));
    EXPECT_EQ(0, vector.InsertAt(2147483647, X));
    EXPECT_EQ(nullptr, vector.GetAt(-1));
    EXPECT_EQ((std::vector<void*> {A}), Items(vector));
    EXPECT_EQ(4, vector.GetCapacity());
    EXPECT_EQ(4, vector.GetIncrement());
}

TEST(VectorRemoval, RemovalsKeepOrderAndZeroTheFreedSlots)
{
    LLogCapture log;
    LVector vector(5, 5);
    for (void* item : {B, A, B, C, D}) {
        vector.Add(item);
    }
    void* out = nullptr;
    ASSERT_EQ(1, vector.RemoveAt(4, &out));
    EXPECT_EQ(D, out);
    EXPECT_EQ(0, vector.RemoveAt(4, nullptr));
    EXPECT_TRUE(log.Contains("aIndex out of range: 4"));
    EXPECT_EQ(1, vector.RemoveAllOf(B));
    EXPECT_EQ((std::vector<void*> {A, C}), Items(vector));
    EXPECT_EQ(5, vector.GetCapacity());
    ASSERT_EQ(1, vector.SetCount(1));
    ASSERT_EQ(1, vector.SetCount(3));
    EXPECT_EQ((std::vector<void*> {A, nullptr, nullptr}), Items(vector));
    EXPECT_EQ(0, vector.Remove(B));
    EXPECT_EQ(1, vector.Remove(A));
    EXPECT_EQ(1, LVector().RemoveAllOf(B));
}

TEST(VectorStorage, CompactRemoveAllAndSetArray)
{
    LLogCapture log;
    LVector vector;
    vector.Add(A);
    vector.Add(B);
    ASSERT_EQ(1, vector.Compact());
    EXPECT_EQ(2, vector.GetCapacity());
    void* source[3] = {A, B, C};
    EXPECT_EQ(0, vector.SetArray(source, 3));
    EXPECT_TRUE(log.Contains("Cannot replace existing items. Size must be 0."));
    vector.RemoveAll();
    EXPECT_EQ(0, vector.GetCapacity());
    EXPECT_EQ(-1, vector.Find(A));
    EXPECT_EQ(0, vector.SetArray(source, -1));
    EXPECT_TRUE(log.Contains("Invalid arg. aSize: -1"));
    ASSERT_EQ(1, vector.SetArray(source, 3));
    EXPECT_EQ(3, vector.GetCapacity());
    source[1] = X;
    EXPECT_EQ((std::vector<void*> {A, B, C}), Items(vector));
    // Without an array the vector is still usable.
    LVector other(3, 3);
    other.Compact();
    EXPECT_EQ(0, other.GetCapacity());
    ASSERT_EQ(1, other.InsertAt(4, A));
    EXPECT_EQ(5, other.GetCapacity());
}

TEST(VectorOutParameters, ValueOutMustBeGivenAndPointAtNull)
{
    LLogCapture log;
    LVector vector;
    vector.Add(A);
    void* out = B;
    EXPECT_EQ(0, vector.GetAt(0, &out));
    EXPECT_EQ(B, out);
    EXPECT_EQ(0, vector.GetAt(0, nullptr));
    void** array = &out;
    EXPECT_EQ(0, vector.CopyToArray(&array));
    EXPECT_EQ(&out, array);
    EXPECT_EQ(3, log.Count("Invalid argument."));
    out = nullptr;
    EXPECT_EQ(0, vector.GetAt(1, &out));
    EXPECT_TRUE(log.Contains("aIndex out of range: 1"));
    EXPECT_EQ(1, vector.GetAt(0, &out));
    EXPECT_EQ(A, out);

    log.Clear();
    array = nullptr;
    ASSERT_EQ(1, vector.CopyToArray(&array));
    EXPECT_EQ(A, array[0]);
    delete[] array;
    array = nullptr;
    vector.RemoveAll();
    EXPECT_EQ(0, vector.CopyToArray(&array));
    EXPECT_EQ(nullptr, array);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VectorStorage, AVectorMadeWithoutSlotsAnswersAsIfItHeldAnEmptyArray)
{
    LLogCapture log;
    LVector vector(0, 4);
    EXPECT_EQ(0, vector.GetCapacity());
    EXPECT_EQ(nullptr, vector.GetAt(0));
    EXPECT_EQ(-1, vector.Find(A));
    void** array = nullptr;
    ASSERT_EQ(1, vector.CopyToArray(&array));
    EXPECT_NE(nullptr, array);
    delete[] array;
    // It grows by its increment on first use, and once its array is freed it has none.
    ASSERT_EQ(1, vector.Add(A));
    EXPECT_EQ(4, vector.GetCapacity());
    vector.RemoveAll();
    array = nullptr;
    EXPECT_EQ(0, vector.CopyToArray(&array));

    // Copies keep the answer: an empty copy of one, none of a freed one.
    LVectorString empty(0, 2);
    LVectorString copy(empty);
    LString* strings = nullptr;
    ASSERT_EQ(1, copy.CopyToArray(&strings));
    delete[] strings;
    strings = nullptr;
    LVectorString freed(2, 2);
    freed.Compact();
    copy = freed;
    EXPECT_EQ(0, copy.CopyToArray(&strings));
    copy = empty;
    ASSERT_EQ(1, copy.CopyToArray(&strings));
    delete[] strings;
    EXPECT_TRUE(log.Lines().empty());
}
