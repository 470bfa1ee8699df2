#include "Gdi/LSPolygon.h"

#include "LPolygon.h"
#include "Render/LVertexBuffer.h"
#include "memory/LMemoryManager.h"

LSPolygon::LSPolygon() = default;

LSPolygon::~LSPolygon()
{
    delete mPolygon;
}

LString LSPolygon::Dump() const
{
    return DumpHead("LSPolygon") + "]";
}

int LSPolygon::SetPolygon(const LVector2* aPoints, int aCount, bool aClosed)
{
    LPolygon* polygon = L_NEW LPolygon(aPoints, aCount, aClosed);
    if (polygon == nullptr) {
        return 0;
    }
    delete mPolygon;
    mPolygon = polygon;
    mShapeDirty = true;
    return 1;
}

int LSPolygon::SetPolygon(const LPolygon& aPolygon)
{
    LPolygon* polygon = L_NEW LPolygon(aPolygon);
    if (polygon == nullptr) {
        return 0;
    }
    delete mPolygon;
    mPolygon = polygon;
    mShapeDirty = true;
    return 1;
}

LPolygon* LSPolygon::GetPolygon() const
{
    return mPolygon;
}

bool LSPolygon::UpdateShape()
{
    if (!mShapeDirty) {
        return true;
    }
    if (mPolygon == nullptr) {
        return false;
    }
    const int points = mPolygon->GetNumPoints();
    const int count = points + (mPolygon->IsClosed() && points > 0 ? 1 : 0);
    if (count < 1) {
        // No geometry: nothing to draw.
        delete mStrokeBuffer;
        mStrokeBuffer = nullptr;
        mShapeDirty = false;
        return true;
    }
    float* positions = L_NEW float[static_cast<size_t>(count) * 3];
    if (positions == nullptr) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const LVector2 point = mPolygon->GetPoint(i < points ? i : 0);
        positions[i * 3 + 0] = point.x;
        positions[i * 3 + 1] = -point.y;
        positions[i * 3 + 2] = 0.0f;
    }
    const bool result = ReplaceBuffer(&mStrokeBuffer, positions, count);
    delete[] positions;
    if (!result) {
        return false;
    }
    mShapeDirty = false;
    return true;
}

bool LSPolygon::Render(LRenderer* aRenderer)
{
    return RenderShape(aRenderer);
}
