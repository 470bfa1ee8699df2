#include "support/LFakeRasterizer.h"

#include "Render/LITexture.h"
#include "Render/LIndexBuffer.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"

#include <cstring>

namespace {
LFakeRasterizer* sFake = nullptr;
} // namespace

LFakeRasterizer* LFakeRasterizer::Instance()
{
    return sFake;
}

LFakeRasterizer::LFakeRasterizer()
{
    for (auto& transform : mTransforms) {
        transform = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    }
    mViewport.mWidth = 800;
    mViewport.mHeight = 600;
    sFake = this;
}

LFakeRasterizer::~LFakeRasterizer()
{
    if (sFake == this) {
        sFake = nullptr;
    }
}

LString LFakeRasterizer::Dump() const
{
    return DumpHead("LFakeRasterizer") + "]";
}

int LFakeRasterizer::CountCalls(const std::string& aPrefix) const
{
    int count = 0;
    for (const std::string& call : mCalls) {
        count += call.compare(0, aPrefix.size(), aPrefix) == 0 ? 1 : 0;
    }
    return count;
}

void LFakeRasterizer::Reset()
{
    mCalls.clear();
    mDraws.clear();
}

void LFakeRasterizer::AddDraw(int aPrimitive, int aStart, int aCount, bool aIndexed)
{
    mDraws.push_back(Draw {aPrimitive, aStart, aCount, aIndexed, mTransforms[kWorld], mTransforms[kView],
                           mTransforms[kProjection], mViewport, mTextureHandle, mCurrentTexture, mBlendFactor,
                           mVertexFormat, mVertices, aIndexed ? mIndices : std::vector<int>()});
}

int LFakeRasterizer::SetTexture()
{
    mCurrentTexture = nullptr;
    mTextureHandle = 0;
    return Record("SetTexture");
}

int LFakeRasterizer::DrawIndexedPrimitive(int aPrimitive, int aPrimitiveCount, int aVertexCount,
                                          int aStartIndex, int aBaseVertex)
{
    AddDraw(aPrimitive, aStartIndex, aPrimitiveCount, true);
    return Record("DrawIndexedPrimitive", aPrimitive, aPrimitiveCount, aVertexCount, aStartIndex, aBaseVertex);
}

int LFakeRasterizer::DrawPrimitive(int aPrimitive, int aStartVertex, int aPrimitiveCount)
{
    AddDraw(aPrimitive, aStartVertex, aPrimitiveCount, false);
    return Record("DrawPrimitive", aPrimitive, aStartVertex, aPrimitiveCount);
}

int LFakeRasterizer::GetViewport(LViewport* aViewport)
{
    if (aViewport != nullptr) {
        *aViewport = mViewport;
    }
    return Record("GetViewport");
}

int LFakeRasterizer::GetTransform(int aTransform, LMatrix4* aMatrix)
{
    if (aTransform < 0 || aTransform > 2 || aMatrix == nullptr) {
        return 0;
    }
    std::memcpy(aMatrix, mTransforms[aTransform].data(), sizeof(float) * 16);
    return Record("GetTransform", aTransform);
}

int LFakeRasterizer::SetBlendFactor(float aAlpha)
{
    mBlendFactor = aAlpha < 0.0f ? 0.0f : (aAlpha > 1.0f ? 1.0f : aAlpha);
    return Record("SetBlendFactor", aAlpha);
}

int LFakeRasterizer::SetViewport(int, float aX0, float aX1, float aY0, float aY1, float aMinZ, float aMaxZ)
{
    return SetViewport(static_cast<int>(aX0), static_cast<int>(aY0), static_cast<int>(aX1 - aX0),
                       static_cast<int>(aY0 - aY1), aMinZ, aMaxZ);
}

int LFakeRasterizer::SetIndexBuffer(LIndexBuffer* aBuffer)
{
    if (aBuffer == nullptr) {
        return 0;
    }
    mIndices.clear();
    for (int i = 0; i < aBuffer->GetIndexCount(); ++i) {
        mIndices.push_back(aBuffer->GetIndex(i));
    }
    return Record("SetIndexBuffer", aBuffer->GetIndexFormat());
}

int LFakeRasterizer::SetLight(int aIndex, const LLight* aLight)
{
    if (aLight == nullptr) {
        return 0;
    }
    mLights.insert_or_assign(aIndex, *aLight);
    return Record("SetLight", aIndex);
}

int LFakeRasterizer::LightEnable(int aIndex, bool aEnable)
{
    mLightsEnabled[aIndex] = aEnable;
    return Record("LightEnable", aIndex, aEnable);
}

int LFakeRasterizer::SetMaterial(const LMaterial* aMaterial)
{
    if (aMaterial == nullptr) {
        return 0;
    }
    mMaterial = *aMaterial;
    const int result = Record("SetMaterial");
    return aMaterial->GetTexture() != 0 ? SetTexture(static_cast<unsigned int>(aMaterial->GetTexture())) : result;
}

int LFakeRasterizer::SetTexture(LITexture* aTexture)
{
    mCurrentTexture = aTexture;
    mTextureHandle = 0;
    return Record("SetTexture", "texture");
}

int LFakeRasterizer::SetTexture(unsigned int aHandle)
{
    LTextureManager* manager = LTextureManager::Get();
    LITexture* texture = manager != nullptr && aHandle != 0 ? manager->GetTexture(aHandle) : nullptr;
    mCurrentTexture = texture;
    mTextureHandle = aHandle;
    Record("SetTexture", aHandle);
    // A handle that names no texture is a caller's fault the real device would not show.
    return texture != nullptr ? mResult : 0;
}

int LFakeRasterizer::SetTransform(int aTransform, const LMatrix4* aMatrix)
{
    if (aTransform < 0 || aTransform > 2 || aMatrix == nullptr) {
        return 0;
    }
    std::memcpy(mTransforms[aTransform].data(), aMatrix, sizeof(float) * 16);
    const int result = Record("SetTransform", aTransform);
    return aTransform == mFailedTransform ? 0 : result;
}

int LFakeRasterizer::SetVertexBuffer(LVertexBuffer* aBuffer)
{
    if (aBuffer == nullptr || LVertexBuffer::GetFormatSize(aBuffer->GetVertexFormat()) == 0) {
        return 0;
    }
    mVertexFormat = aBuffer->GetVertexFormat();
    const float* data = static_cast<const float*>(aBuffer->GetVertex(0));
    mVertices.assign(data, data + aBuffer->GetVertexSize() * aBuffer->GetVertexCount() / 4);
    return Record("SetVertexBuffer", mVertexFormat, aBuffer->GetVertexCount());
}

int LFakeRasterizer::SetViewport(int aX, int aY, int aWidth, int aHeight, float aMinZ, float aMaxZ)
{
    mViewport = LViewport {static_cast<uint32_t>(aX), static_cast<uint32_t>(aY), static_cast<uint32_t>(aWidth),
                           static_cast<uint32_t>(aHeight), aMinZ, aMaxZ};
    return Record("SetViewport", aX, aY, aWidth, aHeight);
}
