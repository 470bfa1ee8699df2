#include "container/LVector.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

namespace {

int gA, gB, gC, gD, gX;
void* const A = &gA;
void* const B = &gB;
void* const C = &gC;
void* const D = &gD;
void* const X = &gX;

} // namespace

TEST(VectorConstruction, DefaultsAndRefusedArguments)
{
    LLogCapture log;
    LVector vector;
    EXPECT_EQ(1000, vector.GetCapacity());
    EXPECT_EQ(100, vector.GetIncrement());
    EXPECT_EQ(0, vector.GetCount());
    // Every slot of the capacity reads as null once it is counted.
    ASSERT_EQ(1, vector.SetCount(1000));
    EXPECT_EQ(1000, vector.GetCapacity());
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(nullptr, vector.GetAt(i)) << i;
    }

    LVector odd(-5, 0);
    EXPECT_EQ(10, odd.GetCapacity());
    EXPECT_EQ(10, odd.GetIncrement());
    const auto lines = log.Lines();
    ASSERT_EQ(2u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("ERROR: .\\container\\LVector.cpp"));
    EXPECT_NE(std::string::npos, lines[0].find("Capacity out of range, using 10."));
    EXPECT_NE(std::string::npos, lines[1].find("Increment out of range, using 10."));

    log.Clear();
    LVector empty(0, 5);
    EXPECT_EQ(0, empty.GetCapacity());
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(1, empty.Add(A));
    EXPECT_EQ(5, empty.GetCapacity());
}

TEST(VectorGrowth, AddGrowsByIncrementAppendByOne)
{
    LVector added;
    LVector appended;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(1, added.Add(A));
        ASSERT_EQ(1, appended.Append(A));
    }
    EXPECT_EQ(1000, added.GetCapacity());
    ASSERT_EQ(1, added.Add(B));
    EXPECT_EQ(1100, added.GetCapacity());
    ASSERT_EQ(1, appended.Append(B));
    EXPECT_EQ(1001, appended.GetCapacity());
    ASSERT_EQ(1, appended.Append(C));
    EXPECT_EQ(1002, appended.GetCapacity());
    EXPECT_EQ(B, added.GetAt(1000));
    EXPECT_EQ(C, appended.GetAt(1001));
}

TEST(VectorGrowth, SetCountGrowsByShortfallPlusIncrement)
{
    LVector vector;
    ASSERT_EQ(1, vector.SetCount(1200));
    EXPECT_EQ(1300, vector.GetCapacity());
    EXPECT_EQ(1200, vector.GetCount());
}

TEST(VectorGrowth, GrowRefusesNegativeAndOverflowingAmounts)
{
    LLogCapture log;
    LVector vector(4, 2);
    EXPECT_EQ(0, vector.Grow(-1));
    EXPECT_TRUE(log.Contains("aAmt < 0: -1"));
    EXPECT_EQ(1, vector.Grow(0));
    EXPECT_EQ(0, vector.Grow(2147483647));
    EXPECT_EQ(4, vector.GetCapacity());
    EXPECT_EQ(0, vector.SetIncrement(0));
    EXPECT_TRUE(log.Contains("Increment out of range: 0"));
    EXPECT_EQ(2, vector.GetIncrement());
}

TEST(VectorInsertion, PastTheEndLeavesCountedGaps)
{
    LVector vector(10, 10);
    ASSERT_EQ(1, vector.InsertAt(5, X));
    EXPECT_EQ(6, vector.GetCount());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(nullptr, vector.GetAt(i));
    }
    EXPECT_EQ(X, vector.GetAt(5));
    ASSERT_EQ(1, vector.InsertAt(15, X));
    EXPECT_EQ(16, vector.GetCapacity());
    EXPECT_EQ(16, vector.GetCount());
    EXPECT_EQ(nullptr, vector.GetAt(10));
}

TEST(VectorInsertion, InFrontOfAFullVectorGrowsByIncrement)
{
    LVector vector(3, 7);
    vector.Add(A);
    vector.Add(B);
    vector.Add(C);
    ASSERT_EQ(1, vector.InsertAt(0, X));
    EXPECT_EQ(10, vector.GetCapacity());
    ASSERT_EQ(4, vector.GetCount());
    EXPECT_EQ(X, vector.GetAt(0));
    EXPECT_EQ(A, vector.GetAt(1));
    EXPECT_EQ(B, vector.GetAt(2));
    EXPECT_EQ(C, vector.GetAt(3));
}

TEST(VectorInsertion, NegativeIndicesAreRefused)
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
    EXPECT_EQ(1, vector.GetCount());
    EXPECT_EQ(A, vector.GetAt(0));
    EXPECT_EQ(nullptr, vector.GetAt(-1));
    EXPECT_EQ(0, vector.InsertAt(2147483647, X));
    EXPECT_EQ(4, vector.GetCapacity());
}

TEST(VectorInsertion, SetAtPastTheEndGrowsExactly)
{
    LVector vector(2, 10);
    void* old = A;
    ASSERT_EQ(1, vector.SetAt(4, X, &old));
    EXPECT_EQ(nullptr, old);
    EXPECT_EQ(5, vector.GetCapacity());
    EXPECT_EQ(5, vector.GetCount());
    ASSERT_EQ(1, vector.SetAt(4, B, &old));
    EXPECT_EQ(X, old);
}

TEST(VectorRemoval, RemoveAtHandsOutAndClearsTheFreedSlot)
{
    LLogCapture log;
    LVector vector(5, 5);
    vector.Add(A);
    vector.Add(B);
    vector.Add(C);
    void* out = nullptr;
    ASSERT_EQ(1, vector.RemoveAt(1, &out));
    EXPECT_EQ(B, out);
    EXPECT_EQ(2, vector.GetCount());
    EXPECT_EQ(5, vector.GetCapacity());
    EXPECT_EQ(A, vector.GetAt(0));
    EXPECT_EQ(C, vector.GetAt(1));
    ASSERT_EQ(1, vector.SetCount(3));
    EXPECT_EQ(nullptr, vector.GetAt(2));
    EXPECT_EQ(0, vector.RemoveAt(3, nullptr));
    EXPECT_TRUE(log.Contains("WARNING: .\\container\\LVector.cpp"));
    EXPECT_TRUE(log.Contains("aIndex out of range: 3"));
}

TEST(VectorRemoval, RemoveAllOfKeepsTheOthersInOrder)
{
    LVector vector;
    EXPECT_EQ(1, vector.RemoveAllOf(B));
    for (void* item : {B, A, B, C, B}) {
        vector.Add(item);
    }
    EXPECT_EQ(1, vector.RemoveAllOf(B));
    ASSERT_EQ(2, vector.GetCount());
    EXPECT_EQ(A, vector.GetAt(0));
    EXPECT_EQ(C, vector.GetAt(1));
    EXPECT_EQ(0, vector.Remove(B));
    EXPECT_EQ(1, vector.Remove(C));
    EXPECT_FALSE(vector.Contains(C));
}

TEST(VectorRemoval, SetCountLowersAndZeroes)
{
    LVector vector;
    for (void* item : {A, B, C, D}) {
        vector.Add(item);
    }
    ASSERT_EQ(1, vector.SetCount(2));
    ASSERT_EQ(1, vector.SetCount(4));
    EXPECT_EQ(B, vector.GetAt(1));
    EXPECT_EQ(nullptr, vector.GetAt(2));
    EXPECT_EQ(nullptr, vector.GetAt(3));
}

TEST(VectorStorage, CompactAndRemoveAll)
{
    LVector vector;
    vector.Add(A);
    vector.Add(B);
    vector.Add(C);
    ASSERT_EQ(1, vector.Compact());
    EXPECT_EQ(3, vector.GetCapacity());
    vector.RemoveAll();
    EXPECT_EQ(0, vector.GetCapacity());
    EXPECT_EQ(100, vector.GetIncrement());
    EXPECT_EQ(-1, vector.Find(A));
    // Still usable without an array.
    ASSERT_EQ(1, vector.Add(A));
    EXPECT_EQ(100, vector.GetCapacity());
    LVector other(3, 3);
    other.Compact();
    EXPECT_EQ(0, other.GetCapacity());
    ASSERT_EQ(1, other.InsertAt(4, A));
    EXPECT_EQ(5, other.GetCapacity());
}

TEST(VectorStorage, SetArrayOnlyIntoAnEmptyVector)
{
    LLogCapture log;
    LVector vector;
    vector.Add(A);
    void* source[3] = {A, B, C};
    EXPECT_EQ(0, vector.SetArray(source, 3));
    EXPECT_TRUE(log.Contains("Cannot replace existing items. Size must be 0."));
    vector.RemoveAll();
    EXPECT_EQ(0, vector.SetArray(source, -1));
    EXPECT_TRUE(log.Contains("Invalid arg. aSize: -1"));
    ASSERT_EQ(1, vector.SetArray(source, 3));
    EXPECT_EQ(3, vector.GetCount());
    EXPECT_EQ(3, vector.GetCapacity());
    source[1] = X;
    EXPECT_EQ(B, vector.GetAt(1));
}

TEST(VectorOutParameters, ValueOutMustPointAtNull)
{
    LLogCapture log;
    LVector vector;
    vector.Add(A);
    void* out = B;
    EXPECT_EQ(0, vector.GetAt(0, &out));
    EXPECT_EQ(B, out);
    EXPECT_EQ(0, vector.GetAt(0, nullptr));
    EXPECT_EQ(2, log.Count("Invalid argument."));
    out = nullptr;
    EXPECT_EQ(1, vector.GetAt(0, &out));
    EXPECT_EQ(A, out);
    out = nullptr;
    EXPECT_EQ(0, vector.GetAt(1, &out));
    EXPECT_TRUE(log.Contains("ERROR: .\\container\\LVector.cpp"));
    EXPECT_TRUE(log.Contains("aIndex out of range: 1"));

    log.Clear();
    void** array = reinterpret_cast<void**>(&out);
    void** before = array;
    EXPECT_EQ(0, vector.CopyToArray(&array));
    EXPECT_EQ(before, array);
    EXPECT_TRUE(log.Contains("Invalid argument."));
}

TEST(VectorOutParameters, CopyToArrayIsTheCallers)
{
    LLogCapture log;
    LVector vector;
    void** array = nullptr;
    ASSERT_EQ(1, vector.CopyToArray(&array));
    ASSERT_NE(nullptr, array);
    delete[] array;
    array = nullptr;
    vector.Add(A);
    vector.Add(B);
    ASSERT_EQ(1, vector.CopyToArray(&array));
    EXPECT_EQ(A, array[0]);
    EXPECT_EQ(B, array[1]);
    delete[] array;
    array = nullptr;
    vector.RemoveAll();
    EXPECT_EQ(0, vector.CopyToArray(&array));
    EXPECT_EQ(nullptr, array);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(VectorDump, NamesTheClassAndAddress)
{
    LVector vector;
    const std::string text = ToStd(vector.Dump());
    EXPECT_EQ(0u, text.find("[LVector <"));
    EXPECT_EQ('>', text[text.size() - 2]);
    EXPECT_EQ(']', text.back());
}
