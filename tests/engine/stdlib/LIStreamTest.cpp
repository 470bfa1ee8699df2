#include "container/LString.h"
#include "stdlib/LIStream.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

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

TEST(StreamEncoding, ValuesHaveTheirGoldenBytesAndReadBack)
{
    LMemoryStream stream(1024, -1);
    ASSERT_TRUE(stream.Write(LString("ab")));
    EXPECT_EQ("02 00 00 00 61 00 62 00 00 00", Hex(WrittenBytes(stream)));
    ASSERT_TRUE(stream.Write(LString()));
    EXPECT_EQ("00 00 00 00 00 00", Hex(WrittenBytes(stream).substr(10)));
    stream.SetPosition(0);
    LString text;
    LString empty("not yet");
    EXPECT_TRUE(stream.Read(text) && stream.Read(empty));
    EXPECT_EQ("ab", ToStd(text));
    EXPECT_TRUE(empty.IsEmpty());

    LMemoryStream values(1024, -1);
    values.Write(1.0f);
    values.Write(1);
    values.Write(true);
    values.Write(static_cast<unsigned short>(0x1234));
    values.Write(0xAABBCCDDu);
    values.Write(static_cast<unsigned char>(0xFE));
    values.Write(-2);
    values.Write("hi"); // raw text: no count, no terminator
    values.Write(u"\u00e9");
    EXPECT_EQ("00 00 80 3F 01 00 00 00 01 34 12 DD CC BB AA FE FE FF FF FF 68 69 E9 00", Hex(WrittenBytes(values)));
    values.SetPosition(0);
    float floatValue = 0;
    int intValue = 0;
    bool flag = false;
    unsigned short shortValue = 0;
    unsigned int uintValue = 0;
    unsigned char byte = 0;
    int negative = 0;
    EXPECT_TRUE(values.Read(floatValue) && values.Read(intValue) && values.Read(flag) && values.Read(shortValue) &&
                values.Read(uintValue) && values.Read(byte) && values.Read(negative));
    EXPECT_EQ(1.0f, floatValue);
    EXPECT_EQ(1, intValue);
    EXPECT_TRUE(flag);
    EXPECT_EQ(0x1234, shortValue);
    EXPECT_EQ(0xAABBCCDDu, uintValue);
    EXPECT_EQ(0xFE, byte);
    EXPECT_EQ(-2, negative);

    LLogCapture log;
    EXPECT_FALSE(values.Write(""));
    EXPECT_FALSE(values.Write(u""));
    EXPECT_EQ(2, log.Count("Invalid argument."));
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
    EXPECT_TRUE(log.Contains("Invalid string length: 3"));
    // Negative and huge counts too.
    for (const char* count : {"\xFF\xFF\xFF\xFF", "\xFF\xFF\xFF\x7F", "\x00\x00\x00\x40"}) {
        Load(stream, std::string(count, 4) + std::string(16, '\0'));
        EXPECT_FALSE(stream.Read(text));
        EXPECT_EQ("kept", ToStd(text));
    }
    EXPECT_EQ(4, log.Count("Invalid string length: "));
}

TEST(StreamStrings, FailedTransfersAreReported)
{
    LString text("kept");
    LLimitedStream countOnly(4);
    EXPECT_FALSE(countOnly.Read(text));
    EXPECT_EQ("kept", ToStd(text));
    LLimitedStream noRoom(4);
    EXPECT_FALSE(noRoom.Write(LString("ab")));
    LLimitedStream enough(10);
    EXPECT_TRUE(enough.Write(LString("ab")));
}

TEST(StreamStrings, TextEndsAtItsFirstZeroOrItsCount)
{
    LMemoryStream stream(4, -1);
    // Count 3, units a 0 b, terminator; then count 1, unit c, a non-zero "terminator".
    Load(stream, std::string("\x03\0\0\0", 4) + Units(std::u16string(u"a\0b\0", 4)) +
                     std::string("\x01\0\0\0", 4) + Units(u"cd"));
    LString first;
    LString second;
    EXPECT_TRUE(stream.Read(first) && stream.Read(second));
    EXPECT_EQ("a", ToStd(first));
    EXPECT_EQ("c", ToStd(second));
}

TEST(StreamText, TerminatedReadsTakeTheZeroAndFailWithoutOne)
{
    LMemoryStream stream(4, -1);
    Load(stream, std::string("hi\0rest", 7));
    char* text = nullptr;
    ASSERT_TRUE(stream.Read(text));
    EXPECT_EQ(0, std::memcmp(text, "hi\0", 3));
    EXPECT_EQ(3, stream.GetPosition());
    delete[] text;
    text = nullptr;
    EXPECT_FALSE(stream.Read(text)); // "rest" has no terminator
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(3, stream.GetPosition());

    Load(stream, Units(std::u16string(u"ok\0", 3)));
    char16_t* units = nullptr;
    ASSERT_TRUE(stream.Read(units));
    EXPECT_EQ(u"ok", std::u16string(units));
    delete[] units;
}

TEST(StreamText, CountedReadsCheckTheirArguments)
{
    LLogCapture log;
    LMemoryStream stream(4, -1);
    Load(stream, Units(u"xyz"));
    char16_t* units = nullptr;
    ASSERT_TRUE(stream.Read(2, units));
    EXPECT_EQ(u"xy", std::u16string(units));
    delete[] units;

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

TEST(StreamMode, TextModeWritesOneTaggedLinePerValueAndReadsIgnoreIt)
{
    {
        LLogCapture log;
        EXPECT_FALSE(LIStream::SetMode(2)); // an invalid mode falls back to text
        EXPECT_TRUE(log.Contains("Invalid mode: 2, using MODE_TEXT."));
    }
    TextMode mode;
    EXPECT_EQ(LIStream::MODE_TEXT, LIStream::GetMode());
    LMemoryStream stream(4, -1);
    stream.Write(true);
    stream.Write(static_cast<unsigned char>(9));
    stream.Write(static_cast<unsigned short>(300));
    stream.Write(7);
    stream.Write(0xFFFFFFFFu);
    stream.Write(1.5f);
    stream.Write(LString("name"));
    stream.Write("ab");
    stream.Write(u"cd");
    EXPECT_TRUE(stream.WriteComment(LString("note")));
    EXPECT_EQ(Units(u"<xbool>true\n<xbyte>9\n<xushort>300\n<xint>7\n<xuint>-1\n<xfloat>1.500000\n"
                    u"<LString>name\n<xchar[2]>ab\n<xwchar[2]>cd\n<comment>note\n"),
              WrittenBytes(stream));
    Load(stream, std::string("\x2A\0\0\0", 4));
    int value = 0;
    EXPECT_TRUE(stream.Read(value));
    EXPECT_EQ(42, value);
    LIStream::SetMode(LIStream::MODE_BINARY);
    EXPECT_FALSE(stream.WriteComment(LString("note"))); // nothing in binary mode
}
