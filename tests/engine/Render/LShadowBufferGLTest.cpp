// The stencil shadow of a box hovering over a grey floor, drawn on the software GL
// stand-in: the shade darkens only the floor inside the shadow, the shade is clamped,
// and the pass leaves depth testing and writing on and blending off.
#include "Render/LShadowBuffer.h"

#include "LMatrix4.h"
#include "LVector3.h"
#include "Render/LCamera.h"
#include "Render/LIRasterizer.h"
#include "Render/LLight.h"
#include "Render/LMesh.h"
#include "Render/LShadowVolume.h"
#include "Render/LVertexBuffer.h"
#include "support/LLogCapture.h"
#include "support/LTestGraphics.h"
#include "writers/LModelBuilder.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr uint32_t kGrey = 0xFF808080u;

class ShadowBufferGLTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mGraphics.IsReady());
        LTestGraphics::RegisterCreators();
        mRasterizer = LIRasterizer::Get();
        ASSERT_NE(nullptr, mRasterizer);
        mCamera = std::make_unique<LCamera>();
        // Low over the floor, so that the view meets the shadow through its side.
        mCamera->SetPosition(0.0f, 4.0f, -10.0f);
        mCamera->SetTarget(0.0f, 0.0f, 0.0f);
        mBuffer = std::make_unique<LShadowBuffer>();
        std::vector<float> vertices;
        std::vector<unsigned> indices;
        LModelBuilder::AddBox(vertices, indices, LVector3(-1, 1, -1), LVector3(1, 3, 1));
        mBox.reset(LModelBuilder::StaticMesh(vertices, indices));
        LModelBuilder::SetDuplicates(*mBox, vertices);
        ASSERT_TRUE(mVolume.Create(LString("box"), mBox.get()));
        mSun.mDirection = LVector3(0.0f, -1.0f, 0.0f);
    }

    // A flat quad of one colour in the plane y = aY, x and z from -aHalf to aHalf.
    void Plane(float aY, float aHalf, float aR, float aG, float aB, float aA)
    {
        const float data[] = {-aHalf, aY, -aHalf, aR, aG, aB, aA, aHalf, aY, -aHalf, aR, aG, aB, aA,
                              -aHalf, aY, aHalf,  aR, aG, aB, aA, aHalf, aY, aHalf,  aR, aG, aB, aA};
        LVertexBuffer buffer;
        ASSERT_EQ(1, buffer.Create(2, data, 4));
        ASSERT_EQ(1, mRasterizer->SetVertexBuffer(&buffer));
        ASSERT_EQ(1, mRasterizer->DrawPrimitive(LIRasterizer::kTriangleStrip, 0, 2));
    }

    // The grey floor into colour and depth, then the pass with aShade (no volume drawn
    // when aVolume is off).
    void Frame(float aShade, bool aVolume = true)
    {
        ASSERT_EQ(1, mRasterizer->SetClearColor(LColor(0.0f, 0.0f, 1.0f)));
        ASSERT_EQ(1, mRasterizer->Clear());
        ASSERT_TRUE(mCamera->Apply());
        ASSERT_EQ(1, mRasterizer->SetLighting(false));
        ASSERT_EQ(1, mRasterizer->SetCullMode(LIRasterizer::kCullNone));
        ASSERT_EQ(1, mRasterizer->SetTexture());
        ASSERT_EQ(1, mRasterizer->SetZEnable(true));
        ASSERT_EQ(1, mRasterizer->SetZWriteEnable(true));
        Plane(0.0f, 20.0f, 0.5f, 0.5f, 0.5f, 1.0f);
        ASSERT_EQ(1, mRasterizer->SetBlendFunc(LIRasterizer::kBlendSrcAlpha, LIRasterizer::kBlendInvSrcAlpha));
        EXPECT_TRUE(mBuffer->BeginShadowVolumes());
        if (aVolume) {
            EXPECT_TRUE(mVolume.Update(&mSun));
            EXPECT_TRUE(mVolume.BuildVolume(mCamera.get()));
            EXPECT_TRUE(mVolume.Render());
        }
        EXPECT_TRUE(mBuffer->Render(aShade));
        ASSERT_TRUE(mCamera->Apply());
        ASSERT_EQ(1, mRasterizer->SetTexture());
        ASSERT_EQ(1, mRasterizer->SetBlendFactor(1.0f));
    }

    // The pixel of a world point.
    uint32_t At(const LVector3& aWorld) const
    {
        LMatrix4 viewProjection;
        LMatrix4::Multiply(&viewProjection, mCamera->GetViewMatrix(), mCamera->GetProjectionMatrix());
        LVector3 clip;
        LMatrix4::TransformCoord(&clip, &viewProjection, &aWorld);
        const int x = static_cast<int>((clip.x + 1.0f) * 0.5f * mGraphics.Width());
        const int y = static_cast<int>((1.0f - clip.y) * 0.5f * mGraphics.Height());
        return mGraphics.Pixel(x, y) | 0xFF000000u;
    }

    LLogCapture mLog;
    LTestGraphics mGraphics {64, 48};
    LIRasterizer* mRasterizer = nullptr;
    std::unique_ptr<LCamera> mCamera;
    std::unique_ptr<LShadowBuffer> mBuffer;
    std::unique_ptr<LMesh> mBox;
    LShadowVolume mVolume;
    LLight mSun {LLight::kDirectional};
};

const LVector3 kUnderTheBox(0.0f, 0.0f, 0.0f);
const LVector3 kBesideTheBox(4.0f, 0.0f, 0.0f);

} // namespace

TEST_F(ShadowBufferGLTest, TheShadeDarkensTheFloorUnderTheBoxOnly)
{
    Frame(0.3f);
    // 0x80 x 0.7 = 0x59.6.
    EXPECT_TRUE(PixelNear(At(kUnderTheBox), 0xFF595959u, 2)) << std::hex << At(kUnderTheBox);
    EXPECT_TRUE(PixelNear(At(kBesideTheBox), kGrey, 1)) << std::hex << At(kBesideTheBox);
    EXPECT_TRUE(PixelNear(At(LVector3(0.0f, 0.0f, -4.0f)), kGrey, 1));
}

TEST_F(ShadowBufferGLTest, WithoutAVolumeNoPixelChanges)
{
    Frame(0.3f, false);
    for (uint32_t pixel : mGraphics.Picture()) {
        const uint32_t opaque = pixel | 0xFF000000u;
        // The floor, or the clear colour above the horizon.
        EXPECT_TRUE(PixelNear(opaque, kGrey, 1) || PixelNear(opaque, 0xFF0000FFu, 1)) << std::hex << opaque;
    }
}

TEST_F(ShadowBufferGLTest, TheShadeIsClampedToOpaqueAndToNothing)
{
    Frame(1.5f);
    EXPECT_TRUE(PixelNear(At(kUnderTheBox), 0xFF000000u, 1)) << std::hex << At(kUnderTheBox);
    Frame(-0.5f);
    EXPECT_TRUE(PixelNear(At(kUnderTheBox), kGrey, 1)) << std::hex << At(kUnderTheBox);
}

TEST_F(ShadowBufferGLTest, AfterThePassDepthIsTestedAndWrittenAndNothingBlends)
{
    // The opposite of what the pass puts back, before it.
    ASSERT_EQ(1, mRasterizer->SetAlphaBlendEnable(true));
    ASSERT_EQ(1, mRasterizer->SetZWriteEnable(false));
    Frame(0.3f);
    // Back faces are culled again after the pass; the planes below face either way.
    ASSERT_EQ(1, mRasterizer->SetCullMode(LIRasterizer::kCullNone));
    // Below the floor: hidden by the floor's depth.
    Plane(-1.0f, 20.0f, 1.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_TRUE(PixelNear(At(kBesideTheBox), kGrey, 1));
    // Above it, half transparent: drawn whole, since nothing blends, and its depth written,
    // so that a plane drawn later between the two stays hidden.
    Plane(0.5f, 20.0f, 1.0f, 0.0f, 0.0f, 0.5f);
    Plane(0.25f, 20.0f, 0.0f, 1.0f, 0.0f, 1.0f);
    EXPECT_TRUE(PixelNear(At(LVector3(4.0f, 0.5f, 0.0f)), 0xFFFF0000u, 1)) << std::hex << At(LVector3(4.0f, 0.5f, 0.0f));
}
