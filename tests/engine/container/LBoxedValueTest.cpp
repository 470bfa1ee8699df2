#include "container/LBoolean.h"
#include "container/LFloat.h"
#include "container/LInt.h"
#include "container/LUInt.h"
#include "container/LString.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"
#include "support/LTestStreams.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

namespace {

float F(const char* aText) { return LFloat(LString(aText)).mValue; }
int I(const char* aText) { return LInt(LString(aText)).mValue; }
unsigned int U(const char* aText) { return LUInt(LString(aText)).mValue; }
bool B(const char* aText) { return LBoolean(LString(aText)).mValue; }

std::string Head(const LBase& aObject, const char* aClass)
{
    char text[96];
    std::snprintf(text, sizeof(text), "[%s <%llx>", aClass,
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&aObject)));
    return text;
}

} // namespace

TEST(BoxedParsing, FloatTakesTheLongestDecimalPrefix)
{
    EXPECT_FLOAT_EQ(1.2f, F("1.2.3"));
    EXPECT_FLOAT_EQ(0.5f, F(".5"));
    EXPECT_FLOAT_EQ(5.0f, F("5."));
    EXPECT_EQ(0.0f, F("."));
    EXPECT_FLOAT_EQ(12.0f, F("12abc"));
    EXPECT_FLOAT_EQ(3.5f, F("3.5kg"));
    EXPECT_FLOAT_EQ(-2.25f, F("-2.25"));
    EXPECT_FLOAT_EQ(1.0f, F("1-2"));
}

TEST(BoxedParsing, FloatRefusesBlanksSignsAndRepeatedMinus)
{
    for (const char* text : {" 1", "+1", "--1", "-", ""}) {
        const float value = F(text);
        EXPECT_EQ(0.0f, value) << text;
        EXPECT_FALSE(std::signbit(value)) << text;
    }
    const float negativeZero = F("-0");
    EXPECT_EQ(0.0f, negativeZero);
    EXPECT_TRUE(std::signbit(negativeZero));
}

TEST(BoxedParsing, FloatExponentIsAnAssertionAndTheNumberSoFarStands)
{
    LLogCapture log;
    EXPECT_FLOAT_EQ(1.0f, F("1e5"));
    EXPECT_FLOAT_EQ(1.0f, F("1E5"));
    EXPECT_EQ(0.0f, F("e5"));
    EXPECT_EQ(3, log.Count("Exponential notation not supported!"));
    const std::vector<std::string> lines = log.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(0u, lines[0].find("ASSERT FAILURE: .\\container\\LFloat.cpp, "));
}

TEST(BoxedParsing, FloatWithTooManyDigits)
{
    EXPECT_TRUE(std::isinf(F(std::string(400, '9').c_str())));
    EXPECT_EQ(0.0f, F(("0." + std::string(400, '0') + "1").c_str()));
}

TEST(BoxedParsing, IntWrapsInThirtyTwoBits)
{
    EXPECT_EQ(-2147483647 - 1, I("2147483648"));
    EXPECT_EQ(1, I("4294967297"));
    EXPECT_EQ(-2147483647 - 1, I("-2147483648"));
    EXPECT_EQ(1, I("1.5"));
    EXPECT_EQ(3, I("3.5kg"));
    EXPECT_EQ(0, I("-0"));
    EXPECT_EQ(-17, I("-17x"));
    for (const char* text : {" 1", "+1", "--1", "-", "", "x1"}) {
        EXPECT_EQ(0, I(text)) << text;
    }
}

TEST(BoxedParsing, UIntTakesLeadingDigitsOnly)
{
    EXPECT_EQ(0u, U("-1"));
    EXPECT_EQ(4294967295u, U("4294967295"));
    EXPECT_EQ(0u, U("4294967296"));
    EXPECT_EQ(1u, U("1.5"));
    EXPECT_EQ(0u, U("+1"));
    EXPECT_EQ(0u, U(""));
}

TEST(BoxedParsing, BooleanIsTrueOnlyForTrueInAnyCase)
{
    EXPECT_TRUE(B("true"));
    EXPECT_TRUE(B("TRUE"));
    EXPECT_TRUE(B("tRuE"));
    for (const char* text : {"1", "yes", "", " true", "true ", "tru", "truee"}) {
        EXPECT_FALSE(B(text)) << text;
    }
}

TEST(BoxedConstruction, NumbersConvertByTheirRules)
{
    EXPECT_EQ(4294967295u, LUInt(-1).mValue);
    EXPECT_EQ(4294967295u, LUInt(-1.0).mValue);
    EXPECT_EQ(4294967295u, LUInt(-1.0f).mValue);
    EXPECT_EQ(3u, LUInt(3.9).mValue);
    EXPECT_EQ(-3, LInt(-3.9).mValue);
    EXPECT_EQ(1, LInt(4294967297.0).mValue); // low 32 bits of the 64-bit truncation
    EXPECT_EQ(200, LInt(static_cast<unsigned char>(200)).mValue);
    EXPECT_EQ(4294967295.0f, LFloat(4294967295u).mValue);
    EXPECT_EQ(0, LInt(std::numeric_limits<double>::quiet_NaN()).mValue);
    EXPECT_EQ(0, LInt(1e30).mValue);
    EXPECT_EQ(0u, LUInt(-1e30f).mValue);
}

TEST(BoxedDump, ShowsClassAddressAndValue)
{
    LFloat f(1.5f);
    EXPECT_EQ(Head(f, "LFloat") + " value:1.500000]", ToStd(f.Dump()));
    LInt i(-4);
    EXPECT_EQ(Head(i, "LInt") + " value:-4]", ToStd(i.Dump()));
    LUInt u(0xAA000001u);
    EXPECT_EQ(Head(u, "LUInt") + " value:-1442840575]", ToStd(u.Dump()));
    LBoolean b(true);
    EXPECT_EQ(Head(b, "LBoolean") + "]", ToStd(b.Dump()));
}

TEST(BoxedPersistence, ValuesRoundTripThroughTheirPrimitives)
{
    LMemoryStream stream(4, -1);
    LFloat f(2.5f);
    LInt i(-9);
    LBoolean b(true);
    ASSERT_TRUE(f.Write(&stream));
    ASSERT_TRUE(i.Write(&stream));
    ASSERT_TRUE(b.Write(&stream));
    EXPECT_EQ(9, stream.GetPosition());
    Load(stream, WrittenBytes(stream));
    LFloat f2;
    LInt i2;
    LBoolean b2;
    EXPECT_TRUE(f2.Read(&stream));
    EXPECT_TRUE(i2.Read(&stream));
    EXPECT_TRUE(b2.Read(&stream));
    EXPECT_EQ(2.5f, f2.mValue);
    EXPECT_EQ(-9, i2.mValue);
    EXPECT_TRUE(b2.mValue);
    EXPECT_FALSE(f2.Read(&stream));
}
