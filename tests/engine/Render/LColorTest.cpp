#include "Render/LColor.h"
#include "container/LString.h"
#include "stdlib/LMemoryStream.h"
#include "support/LTestStreams.h"

#include <gtest/gtest.h>

TEST(ColorPacking, EveryByteSurvivesAndComponentsLandInTheirBytes)
{
    for (unsigned v = 0; v < 256; ++v) {
        const unsigned char byte = static_cast<unsigned char>(v);
        ASSERT_EQ(v * 0x01010101u, LColor(byte, byte, byte, byte).ToARGB()) << v;
    }
    const LColor color(0xFF804000u);
    EXPECT_FLOAT_EQ(128.0f / 255.0f, color.r);
    EXPECT_FLOAT_EQ(64.0f / 255.0f, color.g);
    EXPECT_EQ(0xFF804000u, color.ToARGB());
}

TEST(ColorPacking, OutOfRangeComponentsAreLimitedToTheirByte)
{
    LColor color;
    color.Set(2.0f, -1.0f, 1.5f, 0.5f);
    EXPECT_EQ(0xFF00FF7Fu, color.ToARGB());
    LColor nan;
    nan.Set(0.0f / 0.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(0x00FF0000u, nan.ToARGB());
}

TEST(ColorArithmetic, OperatorsClampWhileInPlaceFormsDoNot)
{
    const LColor white(1.0f, 1.0f, 1.0f);
    EXPECT_EQ(LColor(1.0f, 1.0f, 0.0f, 0.25f), LColor(1.5f, -0.5f, 0.25f));
    EXPECT_EQ(white, white + white);
    EXPECT_EQ(white, white * 3.0f);
    LColor sum = white;
    sum += white;
    EXPECT_EQ(2.0f, sum.a);
    sum *= 1.5f;
    EXPECT_EQ(3.0f, sum.g);
    EXPECT_EQ(LColor(0.5f, 0.5f, 0.5f, 0.5f), LColor(0.5f, 1.0f, 1.0f, 1.0f) * LColor(1.0f, 0.5f, 0.5f, 0.5f));
    EXPECT_EQ(LColor(1.0f, 0.75f, 0.75f, 0.75f), LColor(1.0f, 0.5f, 0.5f, 0.5f) + 0.25f);
    LColor powered(0.5f, 0.5f, 0.25f, 1.0f);
    powered.Pow(2.0f);
    EXPECT_EQ(LColor(0.25f, 0.25f, 0.0625f, 1.0f), powered);
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
