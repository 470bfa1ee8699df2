#include "Render/LColor.h"
#include "container/LString.h"
#include "stdlib/LMemoryStream.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(ColorPacking, PackedValueRoundTrips)
{
    const LColor color(0xFF804000u);
    EXPECT_EQ(1.0f, color.a);
    EXPECT_FLOAT_EQ(128.0f / 255.0f, color.r);
    EXPECT_FLOAT_EQ(64.0f / 255.0f, color.g);
    EXPECT_EQ(0.0f, color.b);
    EXPECT_EQ(0xFF804000u, color.ToARGB());
    EXPECT_EQ(LColor(), LColor(0u));
}

TEST(ColorPacking, EveryByteSurvives)
{
    for (unsigned v = 0; v < 256; ++v) {
        const unsigned char byte = static_cast<unsigned char>(v);
        const LColor color(byte, byte, byte, byte);
        ASSERT_EQ(v * 0x01010101u, color.ToARGB()) << v;
    }
}

TEST(ColorPacking, OutOfRangeComponentsAreLimitedToTheirByte)
{
    LColor color;
    color.Set(2.0f, -1.0f, 1.5f, 0.5f);
    EXPECT_EQ(0xFF00FF7Fu, color.ToARGB());
    LColor white(1.0f, 1.0f, 1.0f);
    white += white;
    EXPECT_EQ(0xFFFFFFFFu, white.ToARGB());
    LColor nan;
    nan.Set(0.0f / 0.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(0x00FF0000u, nan.ToARGB());
}

TEST(ColorArithmetic, ClampedAndInPlaceForms)
{
    const LColor clamped(1.5f, -0.5f, 0.25f);
    EXPECT_EQ(1.0f, clamped.a);
    EXPECT_EQ(1.0f, clamped.r);
    EXPECT_EQ(0.0f, clamped.g);
    EXPECT_EQ(0.25f, clamped.b);

    const LColor white(1.0f, 1.0f, 1.0f);
    EXPECT_EQ(white, white + white);
    LColor sum = white;
    sum += white;
    EXPECT_EQ(2.0f, sum.r);
    EXPECT_EQ(2.0f, sum.a);
    EXPECT_EQ(white, white * 3.0f);
    LColor scaled = white;
    scaled *= 3.0f;
    EXPECT_EQ(3.0f, scaled.g);
    EXPECT_EQ(LColor(0.5f, 0.5f, 0.5f, 0.5f), LColor(0.5f, 1.0f, 1.0f, 1.0f) * LColor(1.0f, 0.5f, 0.5f, 0.5f));
    EXPECT_EQ(LColor(1.0f, 0.75f, 0.75f, 0.75f), LColor(1.0f, 0.5f, 0.5f, 0.5f) + 0.25f);
    LColor powered(0.5f, 0.5f, 0.25f, 1.0f);
    powered.Pow(2.0f);
    EXPECT_EQ(0.25f, powered.a);
    EXPECT_EQ(0.0625f, powered.g);
    EXPECT_NE(powered, LColor());
}

TEST(ColorPersistence, WritesRedGreenBlueAlphaAndReadsBack)
{
    LMemoryStream stream(4, -1);
    const LColor color(0.25f, 1.0f, 0.5f, 0.0f);
    ASSERT_TRUE(color.Write(&stream));
    EXPECT_EQ("00 00 80 3F 00 00 00 3F 00 00 00 00 00 00 80 3E", Hex(WrittenBytes(stream)));
    Load(stream, WrittenBytes(stream));
    LColor read;
    ASSERT_TRUE(read.Read(&stream));
    EXPECT_EQ(color, read);
    EXPECT_FALSE(read.Read(&stream));
}

TEST(ColorDump, ShowsTheFourComponents)
{
    const LColor red(1.0f, 0.0f, 0.0f);
    char head[64];
    std::snprintf(head, sizeof(head), "[LColor <%llx>",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&red)));
    EXPECT_EQ(std::string(head) + " A:1.000000 R:1.000000 G:0.000000 B:0.000000]", ToStd(red.Dump()));
}
