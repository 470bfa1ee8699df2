#include "container/LString.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(MemoryStreamGrowth, CapacityFollowsTheRuleFromTheNeed)
{
    const std::string bytes(1025, 'x');
    struct Case { int growBy; int capacity; };
    for (const Case c : {Case {-1, 2050}, Case {-4, 1281}, Case {-2, 1537}, Case {0, 1025}, Case {10, 1035}}) {
        LMemoryStream stream(1024, c.growBy);
        ASSERT_TRUE(stream.WriteBytes(1025, bytes.data()));
        EXPECT_EQ(c.capacity, stream.GetCapacity()) << "growBy " << c.growBy;
        EXPECT_EQ(bytes, WrittenBytes(stream));
    }
}

TEST(MemoryStreamGrowth, InvalidGrowthValuesDouble)
{
    for (int growBy : {-3, -5, INT_MIN}) {
        LMemoryStream stream(4, growBy);
        ASSERT_TRUE(stream.WriteBytes(5, "abcde"));
        EXPECT_EQ(10, stream.GetCapacity()) << "growBy " << growBy;
        EXPECT_EQ("abcde", WrittenBytes(stream));
    }
}

TEST(MemoryStreamGrowth, SmallCapacityIsRaisedToFour)
{
    LMemoryStream stream(1, -1);
    EXPECT_EQ(4, stream.GetCapacity());
    LMemoryStream negative(-100, -1);
    EXPECT_EQ(4, negative.GetCapacity());
}

TEST(MemoryStreamGrowth, WritingFromItsOwnBufferSurvivesGrowth)
{
    LMemoryStream stream(4, -1);
    stream.WriteBytes(4, "abcd");
    ASSERT_TRUE(stream.WriteBytes(4, stream.GetBuffer()));
    EXPECT_EQ("abcdabcd", WrittenBytes(stream));
}

TEST(MemoryStreamGrowth, AWriteThatCannotFitInAnIntIsRefused)
{
    LLogCapture log;
    LMemoryStream stream(4, -1);
    stream.WriteBytes(4, "abcd");
    EXPECT_FALSE(stream.WriteBytes(INT_MAX, "x"));
    EXPECT_EQ(4, stream.GetPosition());
    EXPECT_TRUE(log.Contains("Memory stream too large"));
}

TEST(MemoryStreamBounds, ReadsPastTheEndFailAndDeliverNothing)
{
    LMemoryStream stream(4, -1);
    Load(stream, "abc");
    char out[8] = {'-', '-', '-', '-'};
    EXPECT_FALSE(stream.ReadBytes(4, out));
    EXPECT_EQ('-', out[0]);
    EXPECT_EQ(0, stream.GetPosition());
    EXPECT_TRUE(stream.ReadBytes(3, out));
    EXPECT_FALSE(stream.ReadBytes(1, out));
    EXPECT_TRUE(stream.ReadBytes(0, out));
    EXPECT_EQ(3, stream.GetPosition());
}

TEST(MemoryStreamBounds, NegativeCountsAreRefused)
{
    LLogCapture log;
    LMemoryStream stream(4, -1);
    char out[4];
    EXPECT_FALSE(stream.ReadBytes(-1, out));
    EXPECT_FALSE(stream.WriteBytes(-1, out));
    EXPECT_EQ(0, stream.GetPosition());
    EXPECT_EQ(2, log.Count("Invalid argument."));
}

TEST(MemoryStreamBounds, SeeksAndSkipsStayInsideTheBlock)
{
    LLogCapture log;
    LMemoryStream stream(8, -1);
    EXPECT_TRUE(stream.SetPosition(8));
    EXPECT_FALSE(stream.SetPosition(9));
    EXPECT_FALSE(stream.SetPosition(-1));
    EXPECT_EQ(8, stream.GetPosition());
    EXPECT_TRUE(stream.Skip(-8));
    EXPECT_FALSE(stream.Skip(-1));
    EXPECT_FALSE(stream.Skip(INT_MAX));
    EXPECT_EQ(0, stream.GetPosition());
    EXPECT_EQ(2, log.Count("Position out of range: "));
    EXPECT_EQ(2, log.Count("Skip out of range: "));
}

TEST(MemoryStreamContents, CreateFromBufferReplacesAndRewinds)
{
    LMemoryStream stream(1024, -1);
    stream.WriteBytes(3, "old");
    const unsigned char data[] = {1, 2, 3, 4, 5};
    ASSERT_TRUE(stream.CreateFromBuffer(5, data));
    EXPECT_EQ(5, stream.GetCapacity());
    EXPECT_EQ(0, stream.GetPosition());
    EXPECT_EQ(5, stream.GetRemaining());
    unsigned char out[5] = {};
    EXPECT_TRUE(stream.ReadBytes(5, out));
    EXPECT_EQ(5, out[4]);

    ASSERT_TRUE(stream.CreateFromBuffer(0, data));
    EXPECT_EQ(0, stream.GetCapacity());
    EXPECT_FALSE(stream.ReadBytes(1, out));
    // An emptied stream still takes writes.
    EXPECT_TRUE(stream.WriteBytes(2, "ab"));
    EXPECT_EQ("ab", WrittenBytes(stream));
}

TEST(MemoryStreamContents, CreateFromBufferRefusesBadArguments)
{
    LLogCapture log;
    LMemoryStream stream(4, -1);
    stream.WriteBytes(2, "ok");
    const unsigned char data[] = {1};
    EXPECT_FALSE(stream.CreateFromBuffer(-1, data));
    EXPECT_FALSE(stream.CreateFromBuffer(1, nullptr));
    EXPECT_EQ(2, log.Count("CreateFromBuffer failure. Invalid arg."));
    EXPECT_EQ("ok", WrittenBytes(stream));
}
