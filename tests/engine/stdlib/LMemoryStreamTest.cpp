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
    // Growth values without a rule (and ones that would overflow) double.
    for (const Case c : {Case {-1, 2050}, Case {-4, 1281}, Case {-2, 1537}, Case {0, 1025}, Case {10, 1035},
                         Case {-3, 2050}, Case {INT_MIN, 2050}}) {
        LMemoryStream stream(1024, c.growBy);
        ASSERT_TRUE(stream.WriteBytes(1025, bytes.data()));
        EXPECT_EQ(c.capacity, stream.GetCapacity()) << "growBy " << c.growBy;
        EXPECT_EQ(bytes, WrittenBytes(stream));
    }
    EXPECT_EQ(4, LMemoryStream(-100, -1).GetCapacity());
}

TEST(MemoryStreamGrowth, WritesFromItsOwnBufferAndOversizedWrites)
{
    LLogCapture log;
    LMemoryStream stream(4, -1);
    stream.WriteBytes(4, "abcd");
    ASSERT_TRUE(stream.WriteBytes(4, stream.GetBuffer())); // the source moves with the growth
    EXPECT_EQ("abcdabcd", WrittenBytes(stream));
    EXPECT_FALSE(stream.WriteBytes(INT_MAX, "x"));
    EXPECT_EQ(8, stream.GetPosition());
    EXPECT_TRUE(log.Contains("Memory stream too large"));
}

TEST(MemoryStreamBounds, ReadsSeeksAndSkipsStayInsideTheBlock)
{
    LLogCapture log;
    LMemoryStream stream(4, -1);
    Load(stream, "abc");
    char out[8] = {'-', '-', '-', '-'};
    EXPECT_FALSE(stream.ReadBytes(4, out));
    EXPECT_EQ('-', out[0]); // nothing delivered
    EXPECT_EQ(0, stream.GetPosition());
    EXPECT_TRUE(stream.ReadBytes(3, out));
    EXPECT_FALSE(stream.ReadBytes(1, out));
    EXPECT_TRUE(stream.ReadBytes(0, out));
    EXPECT_FALSE(stream.ReadBytes(-1, out));
    EXPECT_FALSE(stream.WriteBytes(-1, out));
    EXPECT_EQ(2, log.Count("Invalid argument."));

    EXPECT_FALSE(stream.SetPosition(4));
    EXPECT_FALSE(stream.SetPosition(-1));
    EXPECT_TRUE(stream.Skip(-3));
    EXPECT_FALSE(stream.Skip(-1));
    EXPECT_FALSE(stream.Skip(INT_MAX));
    EXPECT_EQ(0, stream.GetPosition());
    EXPECT_EQ(2, log.Count("Position out of range: "));
    EXPECT_EQ(2, log.Count("Skip out of range: "));
}

TEST(MemoryStreamContents, CreateFromBufferReplacesAndRewinds)
{
    LLogCapture log;
    LMemoryStream stream(1024, -1);
    stream.WriteBytes(3, "old");
    const unsigned char data[] = {1, 2, 3, 4, 5};
    EXPECT_FALSE(stream.CreateFromBuffer(-1, data));
    EXPECT_FALSE(stream.CreateFromBuffer(1, nullptr));
    EXPECT_EQ(2, log.Count("CreateFromBuffer failure. Invalid arg."));
    EXPECT_EQ("old", WrittenBytes(stream));
    ASSERT_TRUE(stream.CreateFromBuffer(5, data));
    EXPECT_EQ(0, stream.GetPosition());
    EXPECT_EQ(5, stream.GetRemaining());
    ASSERT_TRUE(stream.CreateFromBuffer(0, data));
    unsigned char out = 0;
    EXPECT_FALSE(stream.ReadBytes(1, &out));
    EXPECT_TRUE(stream.WriteBytes(2, "ab")); // an emptied stream still takes writes
    EXPECT_EQ("ab", WrittenBytes(stream));
}
