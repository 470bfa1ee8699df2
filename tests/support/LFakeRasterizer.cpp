#include "support/LFakeRasterizer.h"

#include "Render/LITexture.h"
#include "Render/LIndexBuffer.h"
#include "Render/LMaterial.h"
#include "Render/LTextureManager.h"
#include "Render/LVertexBuffer.h"
#include "Render/LColor.h"

#include <cstring>
#include <sstream>

namespace {
LFakeRasterizer* sFake = nullptr;

std::array<float, 16> Identity()
{
    std::array<float, 16> m {};
    m[0] = m[5] = m[10] = m[15] = 1.0f;
    return m;
}

std::string Text(float aValue)
{
    std::ostringstream out;
    out << aValue;
    return out.str();
}
} // namespace

LFakeRasterizer* LFakeRasterizer::Instance()
{
    return sFake;
}

LFakeRasterizer::LFakeRasterizer()
{
    for (auto& transform : mTransforms) {
        transform = Identity();
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

int LFakeRasterizer::Record(const std::string& aCall)
{
    mCalls.push_back(aCall);
    return mResult;
}

int LFakeRasterizer::CountCalls(const std::string& aPrefix) const
{
    int count = 0;
    for (const std::string& call : mCalls) {
        if (call.compare(0, aPrefix.size(), aPrefix) == 0) {
            ++count;
        }
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
    Draw draw;
    draw.mPrimitive = aPrimitive;
    draw.mStart = aStart;
    draw.mPrimitiveCount = aCount;
    draw.mIndexed = aIndexed;
    draw.mWorld = mTransforms[kWorld];
    draw.mView = mTransforms[kView];
    draw.mProjection = mTransforms[kProjection];
    draw.mViewport = mViewport;
    draw.mTextureHandle = mTextureHandle;
    draw.mTexture = mCurrentTexture;
    draw.mBlendFactor = mBlendFactor;
    draw.mVertexFormat = mVertexFormat;
    draw.mVertices = mVertices;
    if (aIndexed) {
        draw.mIndices = mIndices;
    }
    mDraws.push_back(draw);
}

int LFakeRasterizer::Clear()
{
    return Record("Clear()");
}

int LFakeRasterizer::Clear(bool aStencilOnly)
{
    return Record(std::string("Clear(") + (aStencilOnly ? "true" : "false") + ")");
}

int LFakeRasterizer::SetTexture()
{
    mCurrentTexture = nullptr;
    mTextureHandle = 0;
    return Record("SetTexture()");
}

int LFakeRasterizer::DrawIndexedPrimitive()
{
    Record("DrawIndexedPrimitive()");
    return 0;
}

int LFakeRasterizer::DrawIndexedPrimitive(int aPrimitive, int aPrimitiveCount, int aVertexCount,
                                          int aStartIndex, int aBaseVertex)
{
    AddDraw(aPrimitive, aStartIndex, aPrimitiveCount, true);
    return Record("DrawIndexedPrimitive(" + std::to_string(aPrimitive) + "," +
                  std::to_string(aPrimitiveCount) + "," + std::to_string(aVertexCount) + "," +
                  std::to_string(aStartIndex) + "," + std::to_string(aBaseVertex) + ")");
}

int LFakeRasterizer::DrawPrimitive()
{
    Record("DrawPrimitive()");
    return 0;
}

int LFakeRasterizer::DrawPrimitive(int aPrimitive, int aStartVertex, int aPrimitiveCount)
{
    AddDraw(aPrimitive, aStartVertex, aPrimitiveCount, false);
    return Record("DrawPrimitive(" + std::to_string(aPrimitive) + "," +
                  std::to_string(aStartVertex) + "," + std::to_string(aPrimitiveCount) + ")");
}

int LFakeRasterizer::GetViewport(LViewport* aViewport)
{
    if (aViewport != nullptr) {
        *aViewport = mViewport;
    }
    return Record("GetViewport()");
}

int LFakeRasterizer::GetTransform(int aTransform, LMatrix4* aMatrix)
{
    if (aTransform < 0 || aTransform > 2 || aMatrix == nullptr) {
        return 0;
    }
    std::memcpy(aMatrix, mTransforms[aTransform].data(), sizeof(float) * 16);
    return Record("GetTransform(" + std::to_string(aTransform) + ")");
}

int LFakeRasterizer::SetBlendFactor(float aAlpha)
{
    mBlendFactor = aAlpha < 0.0f ? 0.0f : (aAlpha > 1.0f ? 1.0f : aAlpha);
    return Record("SetBlendFactor(" + Text(aAlpha) + ")");
}

int LFakeRasterizer::SetAlphaBlendEnable(bool aEnable)
{
    return Record(std::string("SetAlphaBlendEnable(") + (aEnable ? "1" : "0") + ")");
}

int LFakeRasterizer::SetBlendFunc(int aSource, int aDestination)
{
    return Record("SetBlendFunc(" + std::to_string(aSource) + "," + std::to_string(aDestination) + ")");
}

int LFakeRasterizer::SetClearColor(LColor aColor)
{
    std::ostringstream out;
    out << "SetClearColor(" << aColor.a << "," << aColor.r << "," << aColor.g << "," << aColor.b << ")";
    return Record(out.str());
}

int LFakeRasterizer::SetClipRect(const LRectangle*)
{
    Record("SetClipRect()");
    return 1;
}

int LFakeRasterizer::SetColor(LColor)
{
    Record("SetColor()");
    return 0;
}

int LFakeRasterizer::SetColorWriteEnable(bool aEnable)
{
    return Record(std::string("SetColorWriteEnable(") + (aEnable ? "1" : "0") + ")");
}

int LFakeRasterizer::SetCullMode(int aCull)
{
    return Record("SetCullMode(" + std::to_string(aCull) + ")");
}

int LFakeRasterizer::SetZEnable(bool aEnable)
{
    return Record(std::string("SetZEnable(") + (aEnable ? "1" : "0") + ")");
}

int LFakeRasterizer::SetZWriteEnable(bool aEnable)
{
    return Record(std::string("SetZWriteEnable(") + (aEnable ? "1" : "0") + ")");
}

int LFakeRasterizer::SetFillMode(int aFill)
{
    return Record("SetFillMode(" + std::to_string(aFill) + ")");
}

int LFakeRasterizer::SetViewport(int, float aX0, float aX1, float aY0, float aY1, float aMinZ,
                                 float aMaxZ)
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
    return Record("SetIndexBuffer(" + std::to_string(aBuffer->GetIndexFormat()) + ")");
}

int LFakeRasterizer::SetLight(int aIndex, const LLight* aLight)
{
    if (aLight == nullptr) {
        return 0;
    }
    mLights.insert_or_assign(aIndex, *aLight);
    return Record("SetLight(" + std::to_string(aIndex) + ")");
}

int LFakeRasterizer::LightEnable(int aIndex, bool aEnable)
{
    mLightsEnabled[aIndex] = aEnable;
    return Record("LightEnable(" + std::to_string(aIndex) + "," + (aEnable ? "1" : "0") + ")");
}

int LFakeRasterizer::SetLighting(bool aEnable)
{
    return Record(std::string("SetLighting(") + (aEnable ? "1" : "0") + ")");
}

int LFakeRasterizer::SetLineWidth(float)
{
    Record("SetLineWidth()");
    return 0;
}

int LFakeRasterizer::SetMaterial(const LMaterial* aMaterial)
{
    if (aMaterial == nullptr) {
        return 0;
    }
    mMaterial = *aMaterial;
    int result = Record("SetMaterial()");
    if (aMaterial->GetTexture() != 0) {
        result = SetTexture(static_cast<unsigned int>(aMaterial->GetTexture()));
    }
    return result;
}

int LFakeRasterizer::SetShadeMode(int aShade)
{
    return Record("SetShadeMode(" + std::to_string(aShade) + ")");
}

int LFakeRasterizer::SetStencilEnable(bool aEnable)
{
    return Record(std::string("SetStencilEnable(") + (aEnable ? "1" : "0") + ")");
}

int LFakeRasterizer::SetStencilFunc(int aCompare, int aReference, unsigned int aMask)
{
    return Record("SetStencilFunc(" + std::to_string(aCompare) + "," + std::to_string(aReference) +
                  "," + std::to_string(aMask) + ")");
}

int LFakeRasterizer::SetTwoSidedStencilFunc(int aCompare, bool aTwoSided, int aReference,
                                            unsigned int aMask)
{
    return Record("SetTwoSidedStencilFunc(" + std::to_string(aCompare) + "," +
                  (aTwoSided ? "1" : "0") + "," + std::to_string(aReference) + "," +
                  std::to_string(aMask) + ")");
}

int LFakeRasterizer::SetStencilFail(int aOp)
{
    return Record("SetStencilFail(" + std::to_string(aOp) + ")");
}

int LFakeRasterizer::SetBackStencilFail(int aOp)
{
    return Record("SetBackStencilFail(" + std::to_string(aOp) + ")");
}

int LFakeRasterizer::SetStencilPass(int aOp)
{
    return Record("SetStencilPass(" + std::to_string(aOp) + ")");
}

int LFakeRasterizer::SetBackStencilPass(int aOp)
{
    return Record("SetBackStencilPass(" + std::to_string(aOp) + ")");
}

int LFakeRasterizer::SetStencilZFail(int aOp)
{
    return Record("SetStencilZFail(" + std::to_string(aOp) + ")");
}

int LFakeRasterizer::SetBackStencilZFail(int aOp)
{
    return Record("SetBackStencilZFail(" + std::to_string(aOp) + ")");
}

int LFakeRasterizer::SetTexture(LITexture* aTexture)
{
    mCurrentTexture = aTexture;
    mTextureHandle = 0;
    return Record("SetTexture(texture)");
}

int LFakeRasterizer::SetTexture(unsigned int aHandle)
{
    LTextureManager* manager = LTextureManager::Get();
    LITexture* texture = manager != nullptr && aHandle != 0 ? manager->GetTexture(aHandle) : nullptr;
    mCurrentTexture = texture;
    mTextureHandle = aHandle;
    Record("SetTexture(" + std::to_string(aHandle) + ")");
    // A handle that names no texture is a caller's fault the real device would not show.
    return texture != nullptr ? mResult : 0;
}

int LFakeRasterizer::SetTextureFilter(int aKind, int aFilter)
{
    return Record("SetTextureFilter(" + std::to_string(aKind) + "," + std::to_string(aFilter) + ")");
}

int LFakeRasterizer::SetTextureUnit(int)
{
    Record("SetTextureUnit()");
    return 0;
}

int LFakeRasterizer::SetTextureAddress(int aAxis, int aMode)
{
    return Record("SetTextureAddress(" + std::to_string(aAxis) + "," + std::to_string(aMode) + ")");
}

int LFakeRasterizer::SetTransform(int aTransform, const LMatrix4* aMatrix)
{
    if (aTransform < 0 || aTransform > 2 || aMatrix == nullptr) {
        return 0;
    }
    std::memcpy(mTransforms[aTransform].data(), aMatrix, sizeof(float) * 16);
    return Record("SetTransform(" + std::to_string(aTransform) + ")");
}

int LFakeRasterizer::SetVertexBuffer(LVertexBuffer* aBuffer)
{
    if (aBuffer == nullptr || LVertexBuffer::GetFormatSize(aBuffer->GetVertexFormat()) == 0) {
        return 0;
    }
    mVertexFormat = aBuffer->GetVertexFormat();
    const int floats = aBuffer->GetVertexSize() * aBuffer->GetVertexCount() / 4;
    const float* data = static_cast<const float*>(aBuffer->GetVertex(0));
    mVertices.assign(data, data + floats);
    return Record("SetVertexBuffer(" + std::to_string(mVertexFormat) + "," +
                  std::to_string(aBuffer->GetVertexCount()) + ")");
}

int LFakeRasterizer::SetViewport(int aX, int aY, int aWidth, int aHeight, float aMinZ, float aMaxZ)
{
    mViewport.mX = static_cast<uint32_t>(aX);
    mViewport.mY = static_cast<uint32_t>(aY);
    mViewport.mWidth = static_cast<uint32_t>(aWidth);
    mViewport.mHeight = static_cast<uint32_t>(aHeight);
    mViewport.mMinZ = aMinZ;
    mViewport.mMaxZ = aMaxZ;
    return Record("SetViewport(" + std::to_string(aX) + "," + std::to_string(aY) + "," +
                  std::to_string(aWidth) + "," + std::to_string(aHeight) + ")");
}

int LFakeRasterizer::SetZBufferMode(bool aEnable)
{
    return Record(std::string("SetZBufferMode(") + (aEnable ? "1" : "0") + ")");
}

int LFakeRasterizer::SetZWriteMode(bool aEnable)
{
    return Record(std::string("SetZWriteMode(") + (aEnable ? "1" : "0") + ")");
}
