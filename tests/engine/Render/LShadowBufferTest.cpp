// The shadow pass as the rasterizer receives it: the six calls that prepare the stencil
// for the volumes, the shade over the marked pixels and the states put back, and a
// failing call that still lets every later one be made.
#include "Render/LShadowBuffer.h"

#include "Render/LIRasterizer.h"
#include "Render/LITexture.h"
#include "support/LFakeRasterizer.h"
#include "support/LFakeRender.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kBegin = {"Clear(1)",
                                         "SetStencilEnable(1)",
                                         "SetAlphaBlendEnable(0)",
                                         "SetZEnable(1)",
                                         "SetZWriteEnable(0)",
                                         "SetColorWriteEnable(0)"};

const std::vector<std::string> kRender = {"SetColorWriteEnable(1)",
                                          "SetCullMode(0)",
                                          "SetStencilFunc(1,0,16777215)",
                                          "SetStencilFail(0)",
                                          "SetStencilZFail(0)",
                                          "SetStencilPass(0)",
                                          "SetAlphaBlendEnable(1)",
                                          "SetBlendFactor(0.3)",
                                          "SetTexture(texture)",
                                          "SetVertexBuffer(1,4)",
                                          "SetTransform(1)",
                                          "SetTransform(2)",
                                          "SetZEnable(0)",
                                          "DrawPrimitive(4,0,2)",
                                          "SetStencilEnable(0)",
                                          "SetCullMode(2)",
                                          "SetZEnable(1)",
                                          "SetZWriteEnable(1)",
                                          "SetAlphaBlendEnable(0)"};

class ShadowBufferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterFakeRender();
        mFake = dynamic_cast<LFakeRasterizer*>(LIRasterizer::Get());
        ASSERT_NE(nullptr, mFake);
        mBuffer = std::make_unique<LShadowBuffer>();
        mFake->Reset();
    }

    LFakeRasterizer* mFake = nullptr;
    std::unique_ptr<LShadowBuffer> mBuffer;
};

} // namespace

TEST_F(ShadowBufferTest, TheStencilIsPreparedThenShadedAndTheStatesPutBack)
{
    ASSERT_NE(nullptr, mBuffer->GetTexture());
    ASSERT_NE(nullptr, mBuffer->GetQuad());
    ASSERT_TRUE(mBuffer->BeginShadowVolumes());
    EXPECT_EQ(kBegin, mFake->Calls());
    mFake->Reset();
    ASSERT_TRUE(mBuffer->Render(0.3f));
    EXPECT_EQ(kRender, mFake->Calls());
    // The quad covers the viewport: identity view, the orthographic 1 x 1 box.
    ASSERT_EQ(1u, mFake->Draws().size());
    const LFakeRasterizer::Draw& draw = mFake->Draws()[0];
    EXPECT_EQ(1.0f, draw.mView[0]);
    EXPECT_EQ(0.0f, draw.mView[12]);
    EXPECT_FLOAT_EQ(2.0f, draw.mProjection[0]);
    EXPECT_FLOAT_EQ(2.0f, draw.mProjection[5]);
    EXPECT_FLOAT_EQ(1.0f / 400.0f, draw.mProjection[10]);
    const std::vector<float> quad = {-0.5f, -0.5f, 0, -0.5f, 0.5f, 0, 0.5f, -0.5f, 0, 0.5f, 0.5f, 0};
    EXPECT_EQ(quad, draw.mVertices);
}

TEST_F(ShadowBufferTest, AFailingCallFailsThePassButEveryCallIsMade)
{
    mFake->FailTransform(LIRasterizer::kView);
    EXPECT_FALSE(mBuffer->Render(0.3f));
    EXPECT_EQ(kRender.size(), mFake->Calls().size());
    EXPECT_EQ("SetAlphaBlendEnable(0)", mFake->Calls().back());
}
