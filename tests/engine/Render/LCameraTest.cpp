#include "Render/LCamera.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"
#include "support/LLogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// The left-handed look-at of D3DXMatrixLookAtLH, from its documented formula.
LMatrix4 ExpectedLookAt(const LVector3& aEye, const LVector3& aAt, const LVector3& aUp)
{
    const LVector3 z = (aAt - aEye) * (1.0f / (aAt - aEye).Length());
    LVector3 x = LVector3::Cross(aUp, z);
    x = x * (1.0f / x.Length());
    const LVector3 y = LVector3::Cross(z, x);
    return LMatrix4(x.x, y.x, z.x, 0.0f, x.y, y.y, z.y, 0.0f, x.z, y.z, z.z, 0.0f, -LVector3::Dot(x, aEye),
                    -LVector3::Dot(y, aEye), -LVector3::Dot(z, aEye), 1.0f);
}

// The left-handed perspective of D3DXMatrixPerspectiveFovLH.
LMatrix4 ExpectedPerspective(float aFovY, float aAspect, float aNear, float aFar)
{
    const float yScale = 1.0f / std::tan(aFovY / 2.0f);
    const float depth = aFar / (aFar - aNear);
    return LMatrix4(yScale / aAspect, 0.0f, 0.0f, 0.0f, 0.0f, yScale, 0.0f, 0.0f, 0.0f, 0.0f, depth, 1.0f, 0.0f,
                    0.0f, -aNear * depth, 0.0f);
}

void ExpectMatrix(const LMatrix4& aExpected, const LMatrix4* aActual)
{
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(aExpected[i], (*aActual)[i], 1e-4f * std::max(1.0f, std::fabs(aExpected[i]))) << i;
    }
}

class CameraTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        ASSERT_NE(nullptr, LIRasterizer::Get());
        mFake = LFakeRasterizer::Instance();
        mFake->Reset();
        mFake->FailTransform(-1);
    }

    LFakeRasterizer* mFake = nullptr;
};

} // namespace

TEST_F(CameraTest, NewCameraLooksAtTheOriginFromTenUnitsBack)
{
    LCamera camera;
    // Eye on -z looking along +z: only the translation of the eye remains.
    ExpectMatrix(LMatrix4(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 10, 1), camera.GetViewMatrix());
    ExpectMatrix(ExpectedPerspective(0.785f, 4.0f / 3.0f, 0.05f, 10000.0f), camera.GetProjectionMatrix());
    EXPECT_EQ(1.3333334f, camera.GetAspect());
}

TEST_F(CameraTest, EachSetterRebuildsTheMatrixItChanges)
{
    LCamera camera;
    const LMatrix4 projection = *camera.GetProjectionMatrix();
    camera.SetPosition(3.0f, 4.0f, -5.0f);
    camera.SetTarget(1.0f, 2.0f, 3.0f);
    ExpectMatrix(ExpectedLookAt(LVector3(3, 4, -5), LVector3(1, 2, 3), LVector3(0, 1, 0)), camera.GetViewMatrix());
    camera.SetUpVector(1.0f, 1.0f, 0.0f);
    ExpectMatrix(ExpectedLookAt(LVector3(3, 4, -5), LVector3(1, 2, 3), LVector3(1, 1, 0)), camera.GetViewMatrix());
    EXPECT_EQ(projection, *camera.GetProjectionMatrix());

    const LMatrix4 view = *camera.GetViewMatrix();
    EXPECT_TRUE(camera.SetPerspective(1.2f, 1.0f, 500.0f));
    ExpectMatrix(ExpectedPerspective(1.2f, 4.0f / 3.0f, 1.0f, 500.0f), camera.GetProjectionMatrix());
    EXPECT_TRUE(camera.SetAspect(2.0f));
    ExpectMatrix(ExpectedPerspective(1.2f, 2.0f, 1.0f, 500.0f), camera.GetProjectionMatrix());
    EXPECT_EQ(view, *camera.GetViewMatrix());
}

TEST_F(CameraTest, HorizontalFieldOfViewUsesTheAspectSetBefore)
{
    LCamera camera;
    EXPECT_TRUE(camera.SetPerspectiveHFov(1.0f, 0.1f, 100.0f));
    const float fovY = 2.0f * std::atan(std::tan(0.5f) * 0.75f);
    EXPECT_FLOAT_EQ(fovY, camera.GetFovY());
    ExpectMatrix(ExpectedPerspective(fovY, 4.0f / 3.0f, 0.1f, 100.0f), camera.GetProjectionMatrix());
    // A later aspect keeps the vertical angle.
    camera.SetAspect(1.0f);
    ExpectMatrix(ExpectedPerspective(fovY, 1.0f, 0.1f, 100.0f), camera.GetProjectionMatrix());
}

TEST_F(CameraTest, ValuesThatMakeNoProjectionAreRefused)
{
    LLogCapture log;
    LCamera camera;
    const LMatrix4 projection = *camera.GetProjectionMatrix();
    EXPECT_FALSE(camera.SetAspect(0.0f));
    EXPECT_FALSE(camera.SetAspect(NAN));
    EXPECT_FALSE(camera.SetPerspective(0.0f, 1.0f, 100.0f));
    EXPECT_FALSE(camera.SetPerspective(3.2f, 1.0f, 100.0f));
    EXPECT_FALSE(camera.SetPerspective(1.0f, 5.0f, 5.0f));
    // A horizontal angle of 0 (a missing value) gives a vertical angle of 0.
    EXPECT_FALSE(camera.SetPerspectiveHFov(0.0f, 1.0f, 100.0f));
    EXPECT_EQ(6, log.Count("ERROR: .\\Render\\LCamera.cpp, "));
    EXPECT_EQ(projection, *camera.GetProjectionMatrix());
    EXPECT_EQ(1.3333334f, camera.GetAspect());
}

TEST_F(CameraTest, ApplySetsAllThreeTransformsAndReportsAnyFailure)
{
    LCamera camera;
    camera.SetPosition(1.0f, 2.0f, 3.0f);
    EXPECT_TRUE(camera.Apply());
    const std::vector<std::string> order = {"SetTransform(0)", "SetTransform(2)", "SetTransform(1)"};
    EXPECT_EQ(order, mFake->Calls());
    LMatrix4 set;
    mFake->GetTransform(LIRasterizer::kWorld, &set);
    EXPECT_EQ(LMatrix4::kIdentity, set);
    mFake->GetTransform(LIRasterizer::kView, &set);
    EXPECT_EQ(*camera.GetViewMatrix(), set);
    mFake->GetTransform(LIRasterizer::kProjection, &set);
    EXPECT_EQ(*camera.GetProjectionMatrix(), set);

    for (int failing = 0; failing < 3; ++failing) {
        mFake->Reset();
        mFake->FailTransform(failing);
        EXPECT_FALSE(camera.Apply()) << failing;
        EXPECT_EQ(order, mFake->Calls()) << failing;
    }
}
