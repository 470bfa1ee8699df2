#include "container/LString.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LIStream.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

std::string Units(const std::u16string& aText)
{
    return std::string(reinterpret_cast<const char*>(aText.data()), aText.size() * 2);
}

// Restores the process-wide mode after a test that changes it.
class TextMode
{
public:
    TextMode() { LIStream::SetMode(LIStream::MODE_TEXT); }
    ~TextMode() { LIStream::SetMode(LIStream::MODE_BINARY); }
};

} // namespace

TEST(StreamEncoding, ValuesHaveTheirGoldenBytes)
{
    LMemoryStream stream(1024, -1);
    ASSERT_TRUE(stream.Write(LString("ab")));
    EXPECT_EQ("02 00 00 00 61 00 62 00 00 00", Hex(WrittenBytes(stream)));

    LMemoryStream empty(1024, -1);
    ASSERT_TRUE(empty.Write(LString()));
    EXPECT_EQ("00 00 00 00 00 00", Hex(WrittenBytes(empty)));

    LMemoryStream values(1024, -1);
    EXPECT_TRUE(values.Write(1.0f));
    EXPECT_TRUE(values.Write(1));
    EXPECT_TRUE(values.Write(true));
    EXPECT_TRUE(values.Write(false));
    EXPECT_TRUE(values.Write(static_cast<unsigned short>(0x1234)));
    EXPECT_TRUE(values.Write(0xAABBCCDDu));
    EXPECT_TRUE(values.Write(static_cast<unsigned char>(0xFE)));
    EXPECT_TRUE(values.Write(-2));
    EXPECT_EQ("00 00 80 3F 01 00 00 00 01 00 34 12 DD CC BB AA FE FE FF FF FF", Hex(WrittenBytes(values)));
}

TEST(StreamEncoding, RawTextsHaveNoCountAndNoTerminator)
{
    LMemoryStream stream(16, -1);
    EXPECT_TRUE(stream.Write("hi"));
    EXPECT_TRUE(stream.Write(u"\u00e9!"));
    EXPECT_EQ("68 69 E9 00 21 00", Hex(WrittenBytes(stream)));

    LLogCapture log;
    EXPECT_FALSE(stream.Write(""));
    EXPECT_FALSE(stream.Write(u""));
    EXPECT_EQ(2, log.Count("Invalid argument."));
    EXPECT_EQ(6, stream.GetPosition());
}

TEST(StreamEncoding, IntAndOneCharacterStringTakeTwelveBytes)
{
    LMemoryStream stream(1024, -1);
    stream.Write(5);
    stream.Write(LString("x"));
    EXPECT_EQ(12, stream.GetPosition());
}

TEST(StreamEncoding, EveryValueReadsBackAsWritten)
{
    LMemoryStream stream(4, -1);
    const char16_t wide[] = {u'Z', 0x263A, 0};
    ASSERT_TRUE(stream.Write(true));
    ASSERT_TRUE(stream.Write(static_cast<unsigned char>(200)));
    ASSERT_TRUE(stream.Write(static_cast<unsigned short>(65535)));
    ASSERT_TRUE(stream.Write(-123456));
    ASSERT_TRUE(stream.Write(4000000000u));
    ASSERT_TRUE(stream.Write(-0.125f));
    ASSERT_TRUE(stream.Write(LString(wide)));
    ASSERT_TRUE(stream.Write(LString("")));

    ASSERT_TRUE(stream.SetPosition(0));
    bool flag = false;
    unsigned char byte = 0;
    unsigned short shortValue = 0;
    int intValue = 0;
    unsigned int uintValue = 0;
    float floatValue = 0;
    LString text;
    LString emptyText("not yet");
    EXPECT_TRUE(stream.Read(flag));
    EXPECT_TRUE(stream.Read(byte));
    EXPECT_TRUE(stream.Read(shortValue));
    EXPECT_TRUE(stream.Read(intValue));
    EXPECT_TRUE(stream.Read(uintValue));
    EXPECT_TRUE(stream.Read(floatValue));
    EXPECT_TRUE(stream.Read(text));
    EXPECT_TRUE(stream.Read(emptyText));
    EXPECT_TRUE(flag);
    EXPECT_EQ(200, byte);
    EXPECT_EQ(65535, shortValue);
    EXPECT_EQ(-123456, intValue);
    EXPECT_EQ(4000000000u, uintValue);
    EXPECT_EQ(-0.125f, floatValue);
    EXPECT_EQ(LString(wide), text);
    EXPECT_TRUE(emptyText.IsEmpty());
}

TEST(StreamStrings, CountBeyondTheDataLeftFailsWithoutReadingPastTheEnd)
{
    LLogCapture log;
    // Count 3 promises 8 bytes; only 4 follow.
    LMemoryStream stream(4, -1);
    Load(stream, std::string("\x03\x00\x00\x00", 4) + Units(u"ab"));
    LString text("kept");
    EXPECT_FALSE(stream.Read(text));
    EXPECT_EQ("kept", ToStd(text));
    EXPECT_LE(stream.GetPosition(), stream.GetCapacity());
    EXPECT_TRUE(log.Contains("Invalid string length: 3"));
}

TEST(StreamStrings, NegativeAndHugeCountsAreRefused)
{
    LLogCapture log;
    for (const char* count : {"\xFF\xFF\xFF\xFF", "\xFF\xFF\xFF\x7F", "\x00\x00\x00\x40"}) {
        LMemoryStream stream(4, -1);
        Load(stream, std::string(count, 4) + std::string(16, '\0'));
        LString text("kept");
        EXPECT_FALSE(stream.Read(text));
        EXPECT_EQ("kept", ToStd(text));
    }
    EXPECT_EQ(3, log.Count("Invalid string length: "));
}

TEST(StreamStrings, AFailedReadIsReported)
{
    LString text("kept");
    LLimitedStream countOnly(4);
    EXPECT_FALSE(countOnly.Read(text));
    EXPECT_EQ("kept", ToStd(text));
    LLimitedStream nothing(0);
    EXPECT_FALSE(nothing.Read(text));
}

TEST(StreamStrings, TextEndsAtItsFirstZeroOrItsCount)
{
    LMemoryStream stream(4, -1);
    // Count 3, units a 0 b, terminator; then count 1, unit c, a non-zero "terminator".
    Load(stream, std::string("\x03\0\0\0", 4) + Units(std::u16string(u"a\0b\0", 4)) +
                     std::string("\x01\0\0\0", 4) + Units(u"cd"));
    LString first;
    LString second;
    EXPECT_TRUE(stream.Read(first));
    EXPECT_TRUE(stream.Read(second));
    EXPECT_EQ("a", ToStd(first));
    EXPECT_EQ("c", ToStd(second));
}

TEST(StreamStrings, AStringWriteReportsEitherFailedPart)
{
    LLimitedStream noRoom(4);
    EXPECT_FALSE(noRoom.Write(LString("ab")));
    LLimitedStream enough(10);
    EXPECT_TRUE(enough.Write(LString("ab")));
}

TEST(StreamTerminatedText, ReadsUpToAndWithTheZero)
{
    LMemoryStream stream(4, -1);
    Load(stream, std::string("hi\0rest", 7));
    char* text = nullptr;
    ASSERT_TRUE(stream.Read(text));
    EXPECT_EQ(0, std::memcmp(text, "hi\0", 3));
    EXPECT_EQ(3, stream.GetPosition());
    delete[] text;

    LMemoryStream wide(4, -1);
    Load(wide, Units(std::u16string(u"ok\0", 3)));
    char16_t* units = nullptr;
    ASSERT_TRUE(wide.Read(units));
    EXPECT_EQ(u"ok", std::u16string(units));
    EXPECT_EQ(6, wide.GetPosition());
    delete[] units;
}

TEST(StreamTerminatedText, MissingTerminatorFailsWithNothingAllocated)
{
    LMemoryStream stream(4, -1);
    Load(stream, "abc");
    char* text = nullptr;
    EXPECT_FALSE(stream.Read(text));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(0, stream.GetPosition());
}

TEST(StreamCountedText, ReadsExactlyTheCountAndTerminates)
{
    LMemoryStream stream(4, -1);
    Load(stream, "abcdef");
    char* text = nullptr;
    ASSERT_TRUE(stream.Read(3, text));
    EXPECT_STREQ("abc", text);
    delete[] text;

    char16_t* units = nullptr;
    LMemoryStream wide(4, -1);
    Load(wide, Units(u"xyz"));
    ASSERT_TRUE(wide.Read(2, units));
    EXPECT_EQ(u"xy", std::u16string(units));
    delete[] units;
}

TEST(StreamCountedText, BadArgumentsAndShortDataAreRefused)
{
    LLogCapture log;
    LMemoryStream stream(4, -1);
    Load(stream, "abc");
    char* text = nullptr;
    EXPECT_FALSE(stream.Read(-1, text));
    EXPECT_TRUE(log.Contains("aNumChars is negative."));
    char placeholder = 0;
    char* used = &placeholder;
    EXPECT_FALSE(stream.Read(1, used));
    EXPECT_TRUE(log.Contains("Invalid argument."));
    EXPECT_FALSE(stream.Read(4, text));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(0, stream.GetPosition());
}

TEST(StreamMode, InvalidModeFallsBackToTextWithItsMessage)
{
    LLogCapture log;
    EXPECT_FALSE(LIStream::SetMode(2));
    EXPECT_EQ(LIStream::MODE_TEXT, LIStream::GetMode());
    EXPECT_TRUE(log.Contains("Invalid mode: 2, using MODE_TEXT."));
    LMemoryStream stream(4, -1);
    EXPECT_TRUE(stream.Write(7));
    EXPECT_EQ(Units(u"<xint>7\n"), WrittenBytes(stream));
    EXPECT_EQ(16, stream.GetPosition());
    LIStream::SetMode(LIStream::MODE_BINARY);
}

TEST(StreamMode, TextModeWritesOneTaggedLinePerValue)
{
    TextMode mode;
    LMemoryStream stream(4, -1);
    stream.Write(true);
    stream.Write(static_cast<unsigned char>(9));
    stream.Write(static_cast<unsigned short>(300));
    stream.Write(0xFFFFFFFFu);
    stream.Write(1.5f);
    stream.Write(LString("name"));
    stream.Write("ab");
    stream.Write(u"cd");
    EXPECT_TRUE(stream.WriteComment(LString("note")));
    EXPECT_EQ(Units(u"<xbool>true\n<xbyte>9\n<xushort>300\n<xuint>-1\n<xfloat>1.500000\n"
                    u"<LString>name\n<xchar[2]>ab\n<xwchar[2]>cd\n<comment>note\n"),
              WrittenBytes(stream));
}

TEST(StreamMode, CommentsAreNotWrittenInBinaryMode)
{
    LMemoryStream stream(4, -1);
    EXPECT_FALSE(stream.WriteComment(LString("note")));
    EXPECT_EQ(0, stream.GetPosition());
}

TEST(StreamMode, ReadsIgnoreTheMode)
{
    LMemoryStream stream(4, -1);
    stream.Write(42);
    stream.SetPosition(0);
    TextMode mode;
    int value = 0;
    EXPECT_TRUE(stream.Read(value));
    EXPECT_EQ(42, value);
}

TEST(StreamFreeFunctions, BehaveAsTheMembers)
{
    LMemoryStream stream(4, -1);
    EXPECT_TRUE(Write(&stream, 3));
    EXPECT_TRUE(Write(&stream, LString("q")));
    stream.SetPosition(0);
    int value = 0;
    LString text;
    EXPECT_TRUE(Read(&stream, value));
    EXPECT_TRUE(Read(&stream, text));
    EXPECT_EQ(3, value);
    EXPECT_EQ("q", ToStd(text));
}
