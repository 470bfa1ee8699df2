#include "Gdi/LRenderer.h"

#include "Gdi/LIShape.h"
#include "Gdi/LSprite.h"
#include "LPolygon.h"
#include "Render/LColor.h"
#include "Render/LIRasterizer.h"
#include "Render/LITexture.h"
#include "Render/LVertexBuffer.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"
#include "stdlib/LSingleton.h"

#include <cmath>

namespace {
LSingleton<LRenderer> sRenderer;

constexpr float kNear = -200.0f;
constexpr float kFar = 200.0f;

float* Elements(LMatrix4& aMatrix)
{
    return reinterpret_cast<float*>(&aMatrix);
}
} // namespace

LRenderer* LRenderer::Get()
{
    LRenderer* renderer = sRenderer.Get(L_FILE, __LINE__, "LRenderer creation failure.");
    // A rasterizer that could not be had yet is asked for again on the next call.
    if (renderer != nullptr && renderer->mRasterizer == nullptr) {
        renderer->mRasterizer = LIRasterizer::Get();
        if (renderer->mRasterizer == nullptr) {
            L_ERROR("LRenderer get rasterizer failure.");
            return nullptr;
        }
        renderer->ResetProjection();
    }
    return renderer;
}

LRenderer::LRenderer()
    : mScreenRect(0.0f, 0.0f, 800.0f, 600.0f),
      mOrigin(-(800.0f / 2.0f + 0.5f), 600.0f / 2.0f + 0.5f),
      mClipOrigin(0.0f, 0.0f),
      mClipRect(0.0f, 0.0f, 0.0f, 0.0f)
{
}

LRenderer::~LRenderer()
{
    Log(u"~LRenderer()");
    mRasterizer = nullptr;
    delete mDefaultProjection;
    delete mClipProjection;
    sRenderer.Destroyed(this);
}

LString LRenderer::Dump() const
{
    return DumpHead("LRenderer") + "]";
}

void LRenderer::ResetProjection()
{
    delete mDefaultProjection;
    mDefaultProjection = L_NEW LMatrix4();
    if (mDefaultProjection != nullptr) {
        LMatrix4::Identity(mDefaultProjection);
        LMatrix4::Ortho(mDefaultProjection, mScreenRect.GetWidth(), mScreenRect.GetHeight(), kNear, kFar);
        if (mRasterizer != nullptr) {
            mRasterizer->SetTransform(LIRasterizer::kProjection, mDefaultProjection);
        }
    }
    mOrigin = LVector2(-(mScreenRect.GetWidth() / 2.0f + 0.5f), mScreenRect.GetHeight() / 2.0f + 0.5f);
    if (mRasterizer != nullptr) {
        mRasterizer->SetViewport(0, 0, static_cast<int>(mScreenRect.GetWidth()),
                                 static_cast<int>(mScreenRect.GetHeight()), 0.0f, 1.0f);
    }
}

bool LRenderer::SetClip(LRectangle* aClip)
{
    mClip = aClip;
    if (aClip == nullptr) {
        ResetProjection();
        return true;
    }
    delete mClipProjection;
    mClipProjection = L_NEW LMatrix4();
    if (mClipProjection != nullptr) {
        LMatrix4::Identity(mClipProjection);
        LMatrix4::Ortho(mClipProjection, aClip->GetWidth(), aClip->GetHeight(), kNear, kFar);
        if (mRasterizer != nullptr) {
            mRasterizer->SetTransform(LIRasterizer::kProjection, mClipProjection);
        }
    }
    mClipOrigin = LVector2(-(aClip->GetWidth() / 2.0f + 0.5f) - aClip->GetX(),
                           aClip->GetHeight() / 2.0f + 0.5f + aClip->GetY());
    mClipRect = *aClip;
    if (mRasterizer == nullptr ||
        !mRasterizer->SetViewport(static_cast<int>(aClip->GetX()), static_cast<int>(aClip->GetY()),
                                  static_cast<int>(aClip->GetWidth()), static_cast<int>(aClip->GetHeight()),
                                  0.0f, 1.0f)) {
        L_ASSERT_FAILURE("");
        return false;
    }
    return true;
}

bool LRenderer::SetProjection(const LMatrix4& aProjection)
{
    if (mDefaultProjection == nullptr) {
        mDefaultProjection = L_NEW LMatrix4();
        if (mDefaultProjection == nullptr) {
            return false;
        }
    }
    *mDefaultProjection = aProjection;
    return true;
}

bool LRenderer::SetOrigin(float aX, float aY)
{
    mOrigin = LVector2(aX, aY);
    return true;
}

LVector2 LRenderer::CurrentOrigin() const
{
    return mClip != nullptr ? mClipOrigin : mOrigin;
}

bool LRenderer::Begin()
{
    if (mRasterizer == nullptr) {
        return false;
    }
    LMatrix4 identity;
    LMatrix4::Identity(&identity);
    const LMatrix4* projection = mClip != nullptr ? mClipProjection : mDefaultProjection;
    bool result = mRasterizer->SetFillMode(LIRasterizer::kFillSolid);
    result = mRasterizer->SetAlphaBlendEnable(true) && result;
    result = mRasterizer->SetBlendFunc(LIRasterizer::kBlendSrcAlpha, LIRasterizer::kBlendInvSrcAlpha) && result;
    result = mRasterizer->SetLighting(false) && result;
    result = mRasterizer->SetTransform(LIRasterizer::kView, &identity) && result;
    result = (projection != nullptr && mRasterizer->SetTransform(LIRasterizer::kProjection, projection)) && result;
    result = mRasterizer->SetTextureAddress(LIRasterizer::kAddressU, LIRasterizer::kAddressWrap) && result;
    result = mRasterizer->SetTextureAddress(LIRasterizer::kAddressV, LIRasterizer::kAddressWrap) && result;
    result = mRasterizer->SetTextureFilter(LIRasterizer::kMinFilter, LIRasterizer::kFilterLinear) && result;
    result = mRasterizer->SetTextureFilter(LIRasterizer::kMagFilter, LIRasterizer::kFilterLinear) && result;
    if (!mRasterizer->SetZBufferMode(false)) {
        L_ASSERT_FAILURE("");
        result = false;
    }
    return result;
}

bool LRenderer::End()
{
    return true;
}

bool LRenderer::RenderSprite(LSprite* aSprite)
{
    if (aSprite == nullptr || aSprite->GetVertexBuffer() == nullptr || mRasterizer == nullptr) {
        return false;
    }
    // Only a break id that was set is compared.
    if (!mBreakId.IsEmpty() && aSprite->GetId().EqualsNoCase(mBreakId)) {
        L_ASSERT_FAILURE("Break for sprite ID:" + aSprite->GetId());
    }
    const LVector2 origin = CurrentOrigin();
    LMatrix4 translation;
    LMatrix4::Translation(&translation, origin.x, origin.y, 0.0f);
    LMatrix4 world;
    if (aSprite->IsUnscaled() || aSprite->IsPixelAligned()) {
        LMatrix4 m = *aSprite->GetWorldMatrix();
        float* e = Elements(m);
        if (aSprite->IsUnscaled()) {
            for (int row = 0; row < 3; ++row) {
                float* axis = e + row * 4;
                const float length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
                if (length > 0.0f) {
                    axis[0] /= length;
                    axis[1] /= length;
                    axis[2] /= length;
                }
            }
        }
        if (aSprite->IsPixelAligned()) {
            e[12] = std::trunc(e[12]);
            e[13] = std::trunc(e[13]);
            e[14] = std::trunc(e[14]);
        }
        LMatrix4::Multiply(&world, &m, &translation);
    } else {
        LMatrix4::Multiply(&world, aSprite->GetWorldMatrix(), &translation);
    }
    bool result = mRasterizer->SetTransform(LIRasterizer::kWorld, &world);
    result = mRasterizer->SetTexture(static_cast<unsigned int>(aSprite->GetTexture())) && result;
    result = mRasterizer->SetBlendFactor(aSprite->GetWorldBlend()) && result;
    result = mRasterizer->SetVertexBuffer(aSprite->GetVertexBuffer()) && result;
    result = mRasterizer->DrawPrimitive(LIRasterizer::kTriangleStrip, 0, 2) && result;
    return result;
}

bool LRenderer::RenderShape(LIShape* aShape)
{
    if (aShape == nullptr || aShape->GetStrokeVertexBuffer() == nullptr || mRasterizer == nullptr) {
        return false;
    }
    const LVector2 origin = CurrentOrigin();
    LMatrix4 translation;
    LMatrix4::Translation(&translation, origin.x, origin.y, 0.0f);
    LMatrix4 world;
    LMatrix4::Multiply(&world, aShape->GetWorldMatrix(), &translation);
    bool result = mRasterizer->SetTransform(LIRasterizer::kWorld, &world);
    result = mRasterizer->SetBlendFactor(aShape->GetWorldBlend()) && result;
    // A fill is drawn only when one was built.
    if (aShape->IsFilled() && aShape->GetFillVertexBuffer() != nullptr) {
        result = mRasterizer->SetTexture(aShape->GetFillTexture()) && result;
        result = mRasterizer->SetVertexBuffer(aShape->GetFillVertexBuffer()) && result;
        result = mRasterizer->DrawPrimitive(LIRasterizer::kTriangleList, 0, aShape->GetTriangleCount()) && result;
    }
    if (aShape->IsStroked()) {
        result = mRasterizer->SetTexture(aShape->GetStrokeTexture()) && result;
        result = mRasterizer->SetVertexBuffer(aShape->GetStrokeVertexBuffer()) && result;
        result = mRasterizer->DrawPrimitive(LIRasterizer::kLineStrip, 0, aShape->GetSegmentCount()) && result;
    }
    return result;
}

bool LRenderer::RenderBoundary(const LIArea* aArea, const LColor& aColor)
{
    if (aArea == nullptr) {
        L_ERROR("RenderBoundary failure. NULL arg.");
        return false;
    }
    if (aArea->GetAreaType() == 0) {
        return RenderRectangle(static_cast<const LRectangle*>(aArea), aColor);
    }
    if (aArea->GetAreaType() == 1) {
        return RenderPolygon(const_cast<LPolygon*>(static_cast<const LPolygon*>(aArea)), aColor);
    }
    L_ERROR("RenderBoundary failure. Invalid type.");
    return false;
}

bool LRenderer::RenderRectangle(const LRectangle* aRectangle, const LColor& aColor)
{
    if (aRectangle == nullptr) {
        L_ERROR("RenderRectangle failure. NULL arg.");
        return false;
    }
    LPolygon outline(*aRectangle);
    return RenderPolygon(&outline, aColor);
}

bool LRenderer::RenderPolygon(LPolygon* aPolygon, const LColor& aColor)
{
    if (aPolygon == nullptr) {
        L_ERROR("RenderPolygon failure. NULL arg.");
        return false;
    }
    int count = 0;
    float* vertices = LIShape::NewOutline(*aPolygon, &count);
    // A line strip needs two points.
    if (count < 2) {
        delete[] vertices;
        L_ERROR("RenderPolygon failure. Not enough points.");
        return false;
    }
    if (mRasterizer == nullptr || vertices == nullptr) {
        delete[] vertices;
        return false;
    }
    LITexture* texture = LIShape::MakeColorTexture(aColor);
    if (texture == nullptr) {
        delete[] vertices;
        L_ERROR("RenderPolygon failure. Could not create texture.");
        return false;
    }
    LVertexBuffer buffer;
    bool result = buffer.Create(1, vertices, count) != 0;
    delete[] vertices;
    if (result) {
        const LVector2 origin = CurrentOrigin();
        LMatrix4 world;
        LMatrix4::Translation(&world, origin.x, origin.y, 0.0f);
        result = mRasterizer->SetTransform(LIRasterizer::kWorld, &world);
        result = mRasterizer->SetBlendFactor(1.0f) && result;
        result = mRasterizer->SetVertexBuffer(&buffer) && result;
        result = mRasterizer->SetTexture(texture) && result;
        result = mRasterizer->DrawPrimitive(LIRasterizer::kLineStrip, 0, count - 1) && result;
        // The texture dies here: nothing may stay bound to it.
        mRasterizer->SetTexture();
    }
    delete texture;
    return result;
}
