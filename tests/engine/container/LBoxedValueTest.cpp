#include "container/LBoolean.h"
#include "container/LFloat.h"
#include "container/LInt.h"
#include "container/LUInt.h"
#include "container/LString.h"
#include "stdlib/LMemoryStream.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

float F(const std::string& aText) { return LFloat(LString(aText.c_str())).mValue; }
int I(const char* aText) { return LInt(LString(aText)).mValue; }
unsigned int U(const char* aText) { return LUInt(LString(aText)).mValue; }

} // namespace

TEST(BoxedParsing, FloatTakesTheLongestDecimalPrefix)
{
    struct Case { const char* text; float value; };
    for (const Case c : {Case {"1.2.3", 1.2f}, Case {".5", 0.5f}, Case {"5.", 5.0f}, Case {".", 0.0f},
                         Case {"3.5kg", 3.5f}, Case {"-2.25", -2.25f}, Case {"1-2", 1.0f}, Case {" 1", 0.0f},
                         Case {"+1", 0.0f}, Case {"--1", 0.0f}, Case {"", 0.0f}}) {
        EXPECT_FLOAT_EQ(c.value, F(c.text)) << c.text;
    }
    EXPECT_TRUE(std::signbit(F("-0")));
    EXPECT_TRUE(std::isinf(F(std::string(400, '9'))));
    EXPECT_EQ(0.0f, F("0." + std::string(400, '0') + "1"));
}

TEST(BoxedParsing, FloatExponentIsAnAssertionAndTheNumberSoFarStands)
{
    LLogCapture log;
    EXPECT_FLOAT_EQ(1.0f, F("1e5"));
    EXPECT_EQ(0.0f, F("E5"));
    EXPECT_EQ(2, log.Count("Exponential notation not supported!"));
    EXPECT_EQ(0u, log.Lines()[0].find("ASSERT FAILURE: .\\container\\LFloat.cpp, "));
}

TEST(BoxedParsing, IntegersTakeLeadingDigitsAndWrapInThirtyTwoBits)
{
    struct Case { const char* text; int value; };
    for (const Case c : {Case {"2147483648", -2147483647 - 1}, Case {"4294967297", 1}, Case {"1.5", 1},
                         Case {"-17x", -17}, Case {" 1", 0}, Case {"+1", 0}, Case {"--1", 0}, Case {"x1", 0}}) {
        EXPECT_EQ(c.value, I(c.text)) << c.text;
    }
    EXPECT_EQ(0u, U("-1"));
    EXPECT_EQ(4294967295u, U("4294967295"));
    EXPECT_EQ(0u, U("4294967296"));
    EXPECT_EQ(1u, U("1.5"));
}

TEST(BoxedParsing, BooleanIsTrueOnlyForTrueInAnyCase)
{
    for (const char* text : {"true", "TRUE", "tRuE"}) {
        EXPECT_TRUE(LBoolean(LString(text)).mValue) << text;
    }
    for (const char* text : {"1", "yes", "", " true", "true ", "truee"}) {
        EXPECT_FALSE(LBoolean(LString(text)).mValue) << text;
    }
}

TEST(BoxedConstruction, NumbersConvertByTheirRules)
{
    EXPECT_EQ(4294967295u, LUInt(-1).mValue);
    EXPECT_EQ(4294967295u, LUInt(-1.0).mValue);
    EXPECT_EQ(3u, LUInt(3.9).mValue);
    EXPECT_EQ(-3, LInt(-3.9).mValue);
    EXPECT_EQ(1, LInt(4294967297.0).mValue); // low 32 bits of the 64-bit truncation
    EXPECT_EQ(0, LInt(std::numeric_limits<double>::quiet_NaN()).mValue);
    EXPECT_EQ(0, LInt(1e30).mValue);
    EXPECT_EQ(0u, LUInt(-1e30f).mValue);
}

TEST(BoxedPersistence, ValuesRoundTripThroughTheirPrimitives)
{
    LMemoryStream stream(4, -1);
    ASSERT_TRUE(LFloat(2.5f).Write(&stream));
    ASSERT_TRUE(LInt(-9).Write(&stream));
    ASSERT_TRUE(LBoolean(true).Write(&stream));
    EXPECT_EQ(9, stream.GetPosition());
    stream.SetPosition(0);
    LFloat f;
    LInt i;
    LBoolean b;
    EXPECT_TRUE(f.Read(&stream) && i.Read(&stream) && b.Read(&stream));
    EXPECT_EQ(2.5f, f.mValue);
    EXPECT_EQ(-9, i.mValue);
    EXPECT_TRUE(b.mValue);
}
