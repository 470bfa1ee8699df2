#include "container/LVectorFloat.h"
#include "container/LVectorInt.h"
#include "container/LVectorUInt.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(VectorNumber, AccessorsCheckIndexAndOut)
{
    LLogCapture log;
    LVectorInt ints;
    ints.Add(7);
    int out = 99;
    EXPECT_EQ(1, ints.GetAt(0, &out)); // overwrites whatever the out held
    EXPECT_EQ(7, out);
    EXPECT_EQ(0, ints.GetAt(0, nullptr));
    EXPECT_TRUE(log.Contains("Invalid argument."));
    EXPECT_EQ(0, ints[3]);
    EXPECT_EQ(0, ints[-1]);
    EXPECT_EQ(2, log.Count("Index out of bounds."));
    EXPECT_TRUE(log.Contains("ERROR: .\\container\\LVectorInt.cpp"));
    LVectorUInt uints;
    uints.Add(0xFFFFFFFFu);
    EXPECT_EQ(0, uints.Find(0xFFFFFFFFu));
}

TEST(VectorNumber, FloatsCompareByFloatingEquality)
{
    LVectorFloat floats;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    floats.Add(nan);
    floats.Add(-0.0f);
    floats.Add(2.5f);
    EXPECT_EQ(-1, floats.Find(nan));
    EXPECT_EQ(1, floats.Find(0.0f));
    EXPECT_EQ(1, floats.RemoveAllOf(nan));
    EXPECT_EQ(3, floats.GetCount()); // a NaN equals nothing, so it stays
    EXPECT_TRUE(std::isnan(floats[0]));
}

TEST(VectorNumber, AddArrayGrowsByTheShortfallAndChecksItsArguments)
{
    LLogCapture log;
    LVectorFloat floats(2, 50);
    floats.Add(1.0f);
    const float more[3] = {2.0f, 3.0f, 4.0f};
    ASSERT_EQ(1, floats.AddArray(more, 3));
    EXPECT_EQ(4, floats.GetCapacity());
    EXPECT_EQ(4.0f, floats[3]);
    EXPECT_EQ(0, floats.AddArray(nullptr, 1));
    EXPECT_TRUE(log.Contains("Invalid arg. apArray == NULL."));
    EXPECT_EQ(0, floats.AddArray(more, -1));
    EXPECT_TRUE(log.Contains("Invalid arg. aCount: -1"));
    EXPECT_EQ(4, floats.GetCount());
}

TEST(VectorNumber, CopiesAreIndependentAndSelfAssignmentIsHarmless)
{
    LVectorInt source(3, 4);
    source.Add(1);
    source.Add(2);
    LVectorInt copy(source);
    EXPECT_EQ(3, copy.GetCapacity());
    EXPECT_EQ(4, copy.GetIncrement());
    copy.SetAt(0, 10, nullptr);
    EXPECT_EQ(1, source[0]);
    LVectorInt& alias = copy;
    copy = alias;
    EXPECT_EQ(2, copy.GetCount());
    EXPECT_EQ(10, copy[0]);
    EXPECT_EQ(2, copy[1]);
}
