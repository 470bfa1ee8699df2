#include "Render/LShadowBuffer.h"

#include "Render/LColor.h"
#include "Render/LIRasterizer.h"
#include "Render/LITexture.h"
#include "Render/LVertexBuffer.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

namespace {

// Drawn as a strip with the orthographic projection, the quad covers the viewport.
const float kQuad[12] = {-0.5f, -0.5f, 0.0f, -0.5f, 0.5f, 0.0f, 0.5f, -0.5f, 0.0f, 0.5f, 0.5f, 0.0f};
constexpr int kQuadFormat = 1;

} // namespace

LShadowBuffer::LShadowBuffer()
{
    mTexture = LITexture::CreateSolid(LColor(1.0f, 0.0f, 0.0f, 0.0f));
    if (mTexture == nullptr) {
        L_ASSERT_FAILURE("LShadowBuffer failure. No shadow texture.");
    }
    mQuad = L_NEW LVertexBuffer();
    if (mQuad == nullptr || !mQuad->Create(kQuadFormat, kQuad, 4)) {
        L_ASSERT_FAILURE("LShadowBuffer failure. No shadow quad.");
    }
    LMatrix4::Ortho(&mProjection, 1.0f, 1.0f, kNear, kFar);
}

LShadowBuffer::~LShadowBuffer()
{
    delete mTexture;
    mTexture = nullptr;
    delete mQuad;
    mQuad = nullptr;
}

bool LShadowBuffer::BeginShadowVolumes()
{
    LIRasterizer* rasterizer = LIRasterizer::Get();
    if (rasterizer == nullptr) {
        return false;
    }
    bool result = rasterizer->Clear(true) != 0;
    result = rasterizer->SetStencilEnable(true) != 0 && result;
    result = rasterizer->SetAlphaBlendEnable(false) != 0 && result;
    result = rasterizer->SetZEnable(true) != 0 && result;
    result = rasterizer->SetZWriteEnable(false) != 0 && result;
    result = rasterizer->SetColorWriteEnable(false) != 0 && result;
    return result;
}

bool LShadowBuffer::Render(float aShade)
{
    LIRasterizer* rasterizer = LIRasterizer::Get();
    if (rasterizer == nullptr) {
        return false;
    }
    bool result = rasterizer->SetColorWriteEnable(true) != 0;
    result = rasterizer->SetCullMode(LIRasterizer::kCullNone) != 0 && result;
    // Only pixels whose stencil value is not 0 (0 is less than it) are darkened.
    result = rasterizer->SetStencilFunc(LIRasterizer::kLess, 0, kStencilMask) != 0 && result;
    result = rasterizer->SetStencilFail(LIRasterizer::kKeep) != 0 && result;
    result = rasterizer->SetStencilZFail(LIRasterizer::kKeep) != 0 && result;
    result = rasterizer->SetStencilPass(LIRasterizer::kKeep) != 0 && result;
    result = rasterizer->SetAlphaBlendEnable(true) != 0 && result;
    result = rasterizer->SetBlendFactor(aShade) != 0 && result;
    result = rasterizer->SetTexture(mTexture) != 0 && result;
    result = rasterizer->SetVertexBuffer(mQuad) != 0 && result;
    result = rasterizer->SetTransform(LIRasterizer::kView, &mView) != 0 && result;
    result = rasterizer->SetTransform(LIRasterizer::kProjection, &mProjection) != 0 && result;
    result = rasterizer->SetZEnable(false) != 0 && result;
    result = rasterizer->DrawPrimitive(LIRasterizer::kTriangleStrip, 0, 2) != 0 && result;
    result = rasterizer->SetStencilEnable(false) != 0 && result;
    result = rasterizer->SetCullMode(LIRasterizer::kCullCounterClockwise) != 0 && result;
    result = rasterizer->SetZEnable(true) != 0 && result;
    result = rasterizer->SetZWriteEnable(true) != 0 && result;
    result = rasterizer->SetAlphaBlendEnable(false) != 0 && result;
    return result;
}
