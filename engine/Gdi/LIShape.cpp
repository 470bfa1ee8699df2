#include "Gdi/LIShape.h"

#include "LPolygon.h"

#include "Gdi/LRenderer.h"
#include "Render/LITexture.h"
#include "Render/LVertexBuffer.h"
#include "memory/LMemoryManager.h"
#include "stdlib/LLog.h"

LIShape::LIShape()
{
    SetStrokeColor(LColor(1.0f, 1.0f, 1.0f, 1.0f));
    SetFillColor(LColor(1.0f, 1.0f, 1.0f, 1.0f));
}

LIShape::~LIShape()
{
    delete mFillBuffer;
    delete mStrokeBuffer;
    delete mStrokeTexture;
    delete mFillTexture;
}

int LIShape::GetTriangleCount() const
{
    return mFillBuffer != nullptr ? mFillBuffer->GetVertexCount() / 3 : 0;
}

int LIShape::GetSegmentCount() const
{
    return mStrokeBuffer != nullptr ? mStrokeBuffer->GetVertexCount() - 1 : 0;
}

int LIShape::SetAntialiased(bool aAntialiased)
{
    mAntialiased = aAntialiased;
    return 1;
}

int LIShape::SetFilled(bool aFilled)
{
    mFilled = aFilled;
    return 1;
}

int LIShape::SetStroked(bool aStroked)
{
    mStroked = aStroked;
    return 1;
}

void LIShape::InvalidateShape()
{
    mShapeDirty = true;
}

LITexture* LIShape::MakeColorTexture(const LColor& aColor)
{
    LITexture* texture = LITexture::CreateSolid(aColor);
    if (texture == nullptr) {
        L_ERROR("Could not create colour texture.");
    }
    return texture;
}

float* LIShape::NewOutline(const LPolygon& aPolygon, int* aCount)
{
    const int points = aPolygon.GetNumPoints();
    *aCount = points + (aPolygon.IsClosed() && points > 0 ? 1 : 0);
    float* positions = *aCount > 0 ? L_NEW float[static_cast<size_t>(*aCount) * 3] : nullptr;
    for (int i = 0; positions != nullptr && i < *aCount; ++i) {
        const LVector2 point = aPolygon.GetPoint(i < points ? i : 0);
        positions[i * 3 + 0] = point.x;
        positions[i * 3 + 1] = -point.y;
        positions[i * 3 + 2] = 0.0f;
    }
    return positions;
}

int LIShape::SetFillColor(const LColor& aColor)
{
    mFillColor = aColor;
    delete mFillTexture;
    mFillTexture = MakeColorTexture(aColor);
    return 1;
}

int LIShape::SetStrokeColor(const LColor& aColor)
{
    mStrokeColor = aColor;
    delete mStrokeTexture;
    mStrokeTexture = MakeColorTexture(aColor);
    return 1;
}

bool LIShape::ReplaceBuffer(LVertexBuffer** aBuffer, const float* aPositions, int aCount)
{
    LVertexBuffer* buffer = L_NEW LVertexBuffer();
    if (buffer == nullptr || !buffer->Create(1, aPositions, aCount)) {
        delete buffer;
        L_ASSERT_FAILURE("UpdateShape failure.");
        return false;
    }
    delete *aBuffer;
    *aBuffer = buffer;
    return true;
}

bool LIShape::RenderShape(LRenderer* aRenderer)
{
    if (mShapeDirty) {
        UpdateShape();
    }
    UpdateAll();
    if (!IsActive() || !IsVisible()) {
        return true;
    }
    return aRenderer != nullptr && aRenderer->RenderShape(this);
}
