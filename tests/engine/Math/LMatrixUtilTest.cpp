#include "LMatrix4.h"
#include "Math/LIMatrixUtil.h"
#include "Math/LMatrixUtilDX9.h"
#include "Math/LMatrixUtilDX9Creator.h"
#include "memory/LMemoryManager.h"
#include "object/LRegistry.h"
#include "stdlib/LCleaner.h"
#include "support/LLogCapture.h"
#include "support/LTestStrings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr float kPi = 3.14159265358979f;

void ExpectMatrixNear(const LMatrix4& aExpected, const LMatrix4& aActual, float aTolerance)
{
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(aExpected[i], aActual[i], aTolerance) << "element " << i;
    }
}

// A utility that counts its translations, made by a test creator under "matrixutil".
class LCountingUtil : public LMatrixUtilDX9
{
public:
    LMatrix4* Translation(LMatrix4* aOut, float aX, float aY, float aZ) override
    {
        ++sTranslations;
        return LMatrixUtilDX9::Translation(aOut, aX, aY, aZ);
    }
    static int sTranslations;
};
int LCountingUtil::sTranslations = 0;

class LTestUtilCreator : public LIObjectCreator
{
public:
    explicit LTestUtilCreator(bool aFails) : LIObjectCreator(LString("matrixutil")), mFails(aFails) {}
    LObject* Create() override { return mFails ? nullptr : L_NEW LCountingUtil(); }

private:
    bool mFails;
};

} // namespace

TEST(MatrixUtility, MadeByTheCreatorRegisteredUnderItsId)
{
    LTestUtilCreator* creator = L_NEW LTestUtilCreator(false);
    ASSERT_TRUE(LRegistry::Get()->AddCreator(creator));
    LMatrix4 m;
    LMatrix4::Translation(&m, 1, 2, 3);
    EXPECT_EQ(1, LCountingUtil::sTranslations);
    EXPECT_NE(nullptr, dynamic_cast<LCountingUtil*>(LIMatrixUtil::Get()));
}

TEST(MatrixUtility, DefaultCreatorRegisteredWhenNoneIs)
{
    LIMatrixUtil* util = LIMatrixUtil::Get();
    ASSERT_NE(nullptr, util);
    EXPECT_EQ(util, LIMatrixUtil::Get());
    EXPECT_EQ(util, LMatrix4::GetUtil());
    LIObjectCreator* creator = LRegistry::Get()->GetCreator(LString("matrixutil"));
    ASSERT_NE(nullptr, dynamic_cast<LMatrixUtilDX9Creator*>(creator));
    LObject* second = creator->Create();
    EXPECT_NE(nullptr, dynamic_cast<LMatrixUtilDX9*>(second));
    EXPECT_NE(static_cast<LObject*>(LIMatrixUtil::Get()), second);
    delete second;
}

TEST(MatrixUtility, FailedCreationIsLoggedAndTheMathGoesOn)
{
    LLogCapture log;
    ASSERT_TRUE(LRegistry::Get()->AddCreator(L_NEW LTestUtilCreator(true)));
    EXPECT_EQ(nullptr, LIMatrixUtil::Get());
    EXPECT_EQ(1, log.Count("LIMatrixUtil creation failure."));
    LMatrix4 m;
    EXPECT_EQ(&m, LMatrix4::Translation(&m, 1, 2, 3));
    EXPECT_EQ(3.0f, m[14]);
}

TEST(MatrixUtility, DeletedByTheCleanerAndNotMadeAgain)
{
    LLogCapture log;
    LIMatrixUtil* util = LIMatrixUtil::Get();
    ASSERT_NE(nullptr, util);
    delete LCleaner::Get();
    EXPECT_EQ(nullptr, LIMatrixUtil::Get());
    EXPECT_EQ(0, log.Count("creation failure"));

    // The facade keeps working on its own utility after exit clean-up.
    LIMatrixUtil* fallback = LMatrix4::GetUtil();
    ASSERT_NE(nullptr, fallback);
    EXPECT_NE(util, fallback);
    LMatrix4 a, b, product;
    LMatrix4::Translation(&a, 1, 2, 3);
    LMatrix4::Scaling(&b, 2, 2, 2);
    EXPECT_EQ(&product, LMatrix4::Multiply(&product, &a, &b));
    EXPECT_EQ(2.0f, product[12]);
    EXPECT_EQ(6.0f, product[14]);
}

TEST(MatrixFacade, WrappersReturnOutAndFollowDirect3D)
{
    LMatrix4 m(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(&m, LMatrix4::Identity(&m));
    EXPECT_EQ(LMatrix4(), m);
    // Row vectors: the translation is the last row.
    LMatrix4::Translation(&m, 4, 5, 6);
    EXPECT_EQ(LMatrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 4, 5, 6, 1), m);
    LMatrix4::RotationZ(&m, 0.5f);
    EXPECT_FLOAT_EQ(std::sin(0.5f), m[1]);
    EXPECT_FLOAT_EQ(-std::sin(0.5f), m[4]);
}

TEST(MatrixFacade, MultiplyWithOutAliasingAnInput)
{
    LMatrix4 a, b, separate;
    LMatrix4::RotationY(&a, 0.7f);
    LMatrix4::Translation(&b, 1, -2, 3);
    LMatrix4::Multiply(&separate, &a, &b);
    LMatrix4 outIsA = a;
    LMatrix4::Multiply(&outIsA, &outIsA, &b);
    EXPECT_EQ(separate, outIsA);
    LMatrix4 outIsB = b;
    LMatrix4::Multiply(&outIsB, &a, &outIsB);
    EXPECT_EQ(separate, outIsB);
}

TEST(MatrixFacade, OrthoMapsScreenEdgeAndNearPlane)
{
    LMatrix4 ortho;
    LMatrix4::Ortho(&ortho, 800.0f, 600.0f, -200.0f, 200.0f);
    const LVector3 edge(400.0f, 0.0f, -200.0f);
    LVector3 out;
    EXPECT_EQ(&out, LMatrix4::TransformCoord(&out, &ortho, &edge));
    EXPECT_FLOAT_EQ(1.0f, out.x);
    EXPECT_FLOAT_EQ(0.0f, out.z);
    const LVector3 farPoint(0.0f, -300.0f, 200.0f);
    LMatrix4::TransformCoord(&out, &ortho, &farPoint);
    EXPECT_FLOAT_EQ(-1.0f, out.y);
    EXPECT_FLOAT_EQ(1.0f, out.z);
}

TEST(MatrixFacade, TransformCoordDividesAndTransformNormalIgnoresTranslation)
{
    LMatrix4 perspective;
    LMatrix4::PerspectiveFov(&perspective, kPi / 2.0f, 1.0f, 1.0f, 101.0f);
    const LVector3 point(2.0f, 2.0f, 4.0f);
    LVector3 out;
    LMatrix4::TransformCoord(&out, &perspective, &point);
    EXPECT_FLOAT_EQ(0.5f, out.x); // x / z with yScale 1
    LMatrix4 moved;
    LMatrix4::Translation(&moved, 100, 200, 300);
    EXPECT_EQ(&out, LMatrix4::TransformNormal(&out, &moved, &point));
    EXPECT_EQ(point, out);
}

TEST(MatrixFacade, InverseOfSingularGivesIdentityAndNull)
{
    const LMatrix4 singular(1, 2, 3, 4, 2, 4, 6, 8, 0, 0, 1, 0, 0, 0, 0, 1);
    LMatrix4 out(9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9);
    EXPECT_EQ(nullptr, LMatrix4::Inverse(&out, &singular));
    EXPECT_EQ(LMatrix4::kIdentity, out);

    LMatrix4 m, inverse, product;
    LMatrix4::RotationX(&m, 0.4f);
    m[12] = 3.0f;
    EXPECT_EQ(&inverse, LMatrix4::Inverse(&inverse, &m));
    LMatrix4::Multiply(&product, &m, &inverse);
    ExpectMatrixNear(LMatrix4::kIdentity, product, 1e-6f);
}

TEST(MatrixFacade, QuaternionRotationAgreesWithTheAxisRotation)
{
    LQuaternion q;
    q.y = std::sin(0.25f);
    q.w = std::cos(0.25f);
    LMatrix4 fromQuaternion, rotation;
    LMatrix4::RotationQuaternion(&fromQuaternion, &q);
    LMatrix4::RotationY(&rotation, 0.5f);
    ExpectMatrixNear(rotation, fromQuaternion, 1e-6f);
    LQuaternion back;
    LMatrix4::QuaternionFromMatrix(&back, &rotation);
    EXPECT_NEAR(q.y, back.y, 1e-6f);
}

TEST(MatrixFacade, LookAtPlacesTheTargetAhead)
{
    const LVector3 eye(0.0f, 10.0f, 0.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 0.0f, 1.0f);
    LMatrix4 view;
    LMatrix4::LookAt(&view, &eye, &at, &up);
    LVector3 out;
    LMatrix4::TransformCoord(&out, &view, &at);
    EXPECT_NEAR(0.0f, out.x, 1e-6f);
    EXPECT_NEAR(0.0f, out.y, 1e-6f);
    EXPECT_NEAR(10.0f, out.z, 1e-6f);
}
