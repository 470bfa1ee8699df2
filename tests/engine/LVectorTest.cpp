#include "LGeometryConstants.h"
#include "LLine2.h"
#include "LQuaternion.h"
#include "LVector2.h"
#include "LVector3.h"
#include "LVector4.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

constexpr float kPi = 3.14159265358979f;

bool SameBits(float aA, float aB)
{
    return std::memcmp(&aA, &aB, sizeof(float)) == 0;
}

std::string Address(const void* aPointer)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(aPointer)));
    return text;
}

} // namespace

TEST(VectorValues, ConversionsFillZerosAndOrderingsHoldForEveryComponent)
{
    LVector3 assigned(7, 8, 9);
    assigned = LVector2(1, 2);
    EXPECT_EQ(LVector3(1, 2, 0), assigned);
    LVector4 four(LVector3(1, 2, 3), 4.0f);
    four = LVector3(5, 6, 7);
    EXPECT_EQ(0.0f, four.w);
    EXPECT_EQ(0.0f, LQuaternion().w); // not the identity

    EXPECT_EQ(LVector3(0, 0, 1), LVector3::Cross(LVector3(1, 0, 0), LVector3(0, 1, 0)));
    EXPECT_TRUE(LVector2(1, 2) < LVector2(2, 3));
    EXPECT_FALSE(LVector2(1, 2) < LVector2(2, 2));
    EXPECT_FALSE(LVector2(1, 2) >= LVector2(2, 2));
    EXPECT_TRUE(LVector2(1, 2) <= LVector2(2, 2));
    EXPECT_FALSE(LVector3(1, 2, 3) > LVector3(0, 1, 3));
    EXPECT_TRUE(LVector3(1, 2, 3).Equals(LVector3(1.5f, 2, 2.5f), 0.5f));
    EXPECT_FALSE(LVector3(1, 2, 3).Equals(LVector3(1.5f, 2, 2.49f), 0.5f));
}

TEST(VectorNormalize, ShortVectorsGiveFixedUnitValues)
{
    LLogCapture log;
    const LVector2 zeroConst2;
    EXPECT_EQ(LVector2(0, 1), zeroConst2.Normalize(0.001f));
    LVector2 zero2;
    zero2.Normalize(0.0f);
    EXPECT_EQ(LVector2(0, 1), zero2);

    const LVector3 zeroConst3;
    EXPECT_EQ(LVector3(0, 1, 0), zeroConst3.Normalize(0.001f));
    EXPECT_EQ(1, log.Count("Normalize failure."));
    LVector3 zero3;
    zero3.Normalize(0.001f);
    EXPECT_EQ(LVector3(0, 1, 0), zero3);
    EXPECT_EQ(1, log.Count("Normalize failure.")); // the in-place form is silent

    LQuaternion q;
    q.Normalize(0.001f);
    EXPECT_EQ(1.0f, q.w);
    EXPECT_EQ(0.0f, q.x + q.y + q.z);
}

TEST(VectorNormalize, NearUnitIsLeftBitForBit)
{
    const LVector2 nearUnit(0.6f, 0.801f); // squared length 1.0016
    const LVector2 copy = nearUnit.Normalize(0.01f);
    EXPECT_TRUE(SameBits(nearUnit.x, copy.x) && SameBits(nearUnit.y, copy.y));
    const LVector2 scaled = nearUnit.Normalize(0.001f);
    EXPECT_NEAR(1.0f, scaled.Length(), 1e-6f);

    LVector3 v(0.0f, 0.6f, 0.801f);
    v.Normalize(0.01f);
    EXPECT_TRUE(SameBits(0.801f, v.z));
}

TEST(VectorNormalize, SquaredLengthEqualToToleranceDiffersByForm)
{
    LLogCapture log;
    const LVector3 half(0.5f, 0.0f, 0.0f); // squared length 0.25
    LVector3 out;
    half.Normalize(out, 0.25f);
    EXPECT_EQ(LVector3(0, 1, 0), out);
    EXPECT_EQ(1, log.Count("ASSERT FAILURE: "));

    LVector3 inPlace(half);
    inPlace.Normalize(0.25f);
    EXPECT_EQ(LVector3(1, 0, 0), inPlace);
    EXPECT_EQ(1, log.Count("ASSERT FAILURE: "));
}

TEST(Vector2Geometry, RotationsSlopeAndSides)
{
    LVector2 v(1, 0);
    v.RotateMinus90();
    EXPECT_EQ(LVector2(0, -1), v);
    v.Rotate(kPi / 2.0f);
    EXPECT_NEAR(1.0f, v.x, 1e-6f);
    EXPECT_NEAR(0.0f, v.y, 1e-6f);

    // Equal x: the difference in y over the epsilon, with its sign.
    const float up = LVector2(1, 5).GetSlope(LVector2(1, 2));
    EXPECT_FLOAT_EQ(3.0f / kGeometryEpsilon, up);
    EXPECT_TRUE(std::isfinite(up));
    EXPECT_LT(LVector2(1, 2).GetSlope(LVector2(1, 5)), 0.0f);

    const LLine2 axis(LVector2(0, 0), LVector2(1, 0), L_LINE_SEGMENT);
    EXPECT_EQ(-1, LVector2(0.5f, 1).GetSideOfLine(axis));
    EXPECT_EQ(1, LVector2(0.5f, -1).GetSideOfLine(axis));
    EXPECT_EQ(0, LVector2(7, 0).GetSideOfLine(axis));

    EXPECT_TRUE(LVector2(0, -1).IsSameQuadrant(LVector2(5, 0)));
    EXPECT_FALSE(LVector2(1, -1).IsSameQuadrant(LVector2(-1, -1)));
    EXPECT_TRUE(LVector3(-1, 0, 2).IsSameSigns(LVector3(-3, 0, 1)));
    EXPECT_FALSE(LVector3(-1, 0, 2).IsSameSigns(LVector3(0, 0, 1)));
    EXPECT_FALSE(LVector3(1, 0, 2).IsSameSigns(LVector3(1, -0.5f, 1)));
}

TEST(Vector2Geometry, AnglesNeverDivideByZero)
{
    EXPECT_EQ(0.0f, LVector2(0, 0).GetAngle(LVector2(1, 0)));
    EXPECT_EQ(0.0f, LVector2(1, 0).GetAngle(LVector2(0, 0)));
    EXPECT_NEAR(kPi / 2.0f, LVector2(2, 0).GetAngle(LVector2(0, 3)), 1e-6f);
    EXPECT_NEAR(kPi / 4.0f, LVector2(1, 0).GetAngle(LVector2(1, 1)), 1e-6f);
    EXPECT_NEAR(0.0f, LVector2(0.1f, 0.7f).GetAngle(LVector2(0.1f, 0.7f) * 3.0f), 1e-6f);
    // A cosine that rounds just below -1 is a half turn, not a failure.
    EXPECT_NEAR(kPi, LVector2(0.1f, 0.7f).GetAngle(LVector2(-0.3f, -2.1f)), 1e-6f);

    EXPECT_NEAR(kPi / 2.0f, LVector2(0, 0).GetAngleAt(LVector2(1, 0), LVector2(0, 1)), 1e-6f);
    EXPECT_EQ(0.0f, LVector2(0, 0).GetAngleAt(LVector2(0, 0), LVector2(0, 1)));
    EXPECT_EQ(0.0f, LVector2(0, 0).GetAngleAt(LVector2(1, 0), LVector2(0, 0)));
}

TEST(VectorIndex, OutOfRangeLogsAndGivesZero)
{
    LLogCapture log;
    EXPECT_EQ(0.0f, LVector2(1, 2)[2]);
    EXPECT_EQ(0.0f, LVector3(1, 2, 3)[-1]);
    EXPECT_EQ(4.0f, LVector4(1, 2, 3, 4)[3]);
    EXPECT_EQ(0.0f, LVector4(1, 2, 3, 4)[4]);
    ASSERT_EQ(3, log.Count("Index out of bounds."));
    EXPECT_EQ(0u, log.Lines()[0].find("ERROR: .\\LVector2.cpp, "));
}

TEST(Quaternion, HamiltonProduct)
{
    // i * j = k, j * i = -k.
    LQuaternion i, j;
    i.x = 1.0f;
    j.y = 1.0f;
    EXPECT_EQ(1.0f, (i * j).z);
    EXPECT_EQ(-1.0f, (j * i).z);
    i *= j;
    EXPECT_EQ(1.0f, i.z);
    EXPECT_EQ(0.0f, i.x);
}

TEST(VectorText, ToStringAndDump)
{
    EXPECT_EQ("1.000000|-2.500000|3.000000", ToStd(LVector3(1, -2.5f, 3).ToString()));
    const LVector2 v(1, 2);
    EXPECT_EQ("[LVector2 <" + Address(&v) + "> (1.000000, 2.000000)]", ToStd(v.Dump()));
    const LVector4 w(1, 2, 3, 4);
    EXPECT_EQ("[LVector4 <" + Address(&w) + "> (1.000000, 2.000000, 3.000000, 4.000000)]", ToStd(w.Dump()));
}
